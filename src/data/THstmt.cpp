#include "data/THstmt.h"

#include "data/EODBC.h"
#include "data/OdbcText.h"
#include "data/SqlParameterParser.h"
#include "data/THdbc.h"

#include <QDate>
#include <QTime>
#include <cstring>

// One column value of the current row, read once.
struct THstmt::Cell {
    enum class Kind { Null, Text, Integer, Float, Timestamp, Bytes, Boolean };
    Kind kind = Kind::Null;
    QString text;
    qint64 integer = 0;
    double real = 0;
    DateTimeRecord timestamp;
    int temporalType = 0;   // SQL_TYPE_DATE / _TIME / _TIMESTAMP for Timestamp cells
    QByteArray bytes;
    bool boolean = false;
};

// Storage of one bound parameter; lives until the next execution or close.
struct THstmt::ParamBuffer {
    QByteArray bytes;      // UTF-16 text or binary data
    qint64 integer = 0;
    double real = 0;
    unsigned char bit = 0;
    SQL_TIMESTAMP_STRUCT timestamp{};
    SQL_DATE_STRUCT date{};
    SQL_TIME_STRUCT time{};
    SQLLEN indicator = 0;
    bool atExecution = false;
};

namespace {
bool isIgnorableAttributeFailure(const EODBC& e)
{
    return e.hasSqlState(QStringLiteral("HYC00")) || e.hasSqlState(QStringLiteral("HY092"))
        || e.hasSqlState(QStringLiteral("HY024")) || e.hasSqlState(QStringLiteral("S1C00"))
        || e.hasSqlState(QStringLiteral("01S02"));
}

EODBC statementError(const QString& message) { return EODBC::fromMessage(message); }
} // namespace

THstmt::THstmt(THdbc* hdbc) { sethDbc(hdbc); }

THstmt::~THstmt()
{
    releaseHandle();
    if (m_hdbc)
        m_hdbc->unregisterStatement(this);
}

void THstmt::sethDbc(THdbc* hdbc)
{
    if (hdbc == m_hdbc)
        return;
    releaseHandle();
    if (m_hdbc)
        m_hdbc->unregisterStatement(this);
    m_hdbc = hdbc;
    if (m_hdbc)
        m_hdbc->registerStatement(this);
}

void THstmt::releaseHandle() noexcept
{
    resetResult();
    m_buffers.clear();
    m_prepared = false;
    m_stmt.reset();
}

void THstmt::connectionGone() noexcept
{
    releaseHandle();
    m_hdbc = nullptr;
}

void THstmt::resetResult() noexcept
{
    m_hasResult = false;
    m_rowValid = false;
    m_columns.clear();
    m_cells.clear();
    m_cellsRead = 0;
}

SQLHSTMT THstmt::handle()
{
    if (m_stmt)
        return m_stmt.get();
    if (!m_hdbc || !m_hdbc->Connected())
        throw statementError(QStringLiteral("Povezava z bazo podatkov ni odprta !"));
    m_stmt = StmtHandle(m_hdbc->handle());
    applyStatementAttributes();
    return m_stmt.get();
}

void THstmt::applyStatementAttributes()
{
    if (!m_stmt)
        return;
    SQLHSTMT h = m_stmt.get();
    // A driver that does not offer a cursor type or concurrency keeps its own; that is no failure.
    try {
        checkOdbc(SQLSetStmtAttrW(h, SQL_ATTR_CURSOR_TYPE, reinterpret_cast<SQLPOINTER>(SQLULEN(m_cursorType)), 0),
                  SQL_HANDLE_STMT, h);
    } catch (const EODBC& e) {
        if (!isIgnorableAttributeFailure(e))
            throw;
    }
    try {
        checkOdbc(SQLSetStmtAttrW(h, SQL_ATTR_CONCURRENCY, reinterpret_cast<SQLPOINTER>(SQLULEN(m_concurrency)), 0),
                  SQL_HANDLE_STMT, h);
    } catch (const EODBC& e) {
        if (!isIgnorableAttributeFailure(e))
            throw;
    }
}

void THstmt::setConcurrencyType(unsigned v)
{
    if (v == m_concurrency)
        return;
    m_concurrency = v;
    if (m_stmt) {
        Close();
        applyStatementAttributes();
    }
}

void THstmt::setCursorType(unsigned v)
{
    if (v == m_cursorType)
        return;
    m_cursorType = v;
    if (m_stmt) {
        Close();
        applyStatementAttributes();
    }
}

void THstmt::setSQL(const QString& sql)
{
    Close();
    m_sql = sql;
    m_parsed = false;
    m_prepared = false;
    m_markerNames.clear();
    m_bound.clear();
    m_buffers.clear();
    m_sentText.clear();
    if (m_stmt)
        SQLFreeStmt(m_stmt.get(), SQL_RESET_PARAMS);
}

void THstmt::Close()
{
    if (m_stmt) {
        SQLFreeStmt(m_stmt.get(), SQL_CLOSE);
    }
    resetResult();
}

void THstmt::parseText()
{
    if (m_parsed)
        return;
    const SqlParameterParser::Result r = SqlParameterParser::parse(m_sql);
    if (!r.ok)
        throw statementError(r.error);
    m_markerNames = r.names;
    m_sentText = m_hdbc ? m_hdbc->dialect().rewrite(r.text) : r.text;
    m_parsed = true;
}

QStringList THstmt::ParamNames() const
{
    const SqlParameterParser::Result r = SqlParameterParser::parse(m_sql);
    if (!r.ok)
        throw statementError(r.error);
    return SqlParameterParser::distinctNames(r.names);
}

void THstmt::Prepare()
{
    SQLHSTMT h = handle();
    Close();
    parseText();
    try {
        checkOdbc(SQLPrepareW(h, odbcWide(m_sentText), SQL_NTS), SQL_HANDLE_STMT, h);
    } catch (EODBC& e) {
        e.setStatementText(m_sentText);
        throw;
    }
    m_prepared = true;
}

void THstmt::BindParam(const QString& name, const QVariant& value, TFieldType type)
{
    for (BoundValue& b : m_bound)
        if (b.name.compare(name, Qt::CaseInsensitive) == 0) {
            b.value = value;
            b.type = type;
            return;
        }
    m_bound.push_back({name, value, type});
}

void THstmt::BindBlobParam(const QString& name, const QByteArray& data)
{
    BindParam(name, QVariant(data), TFieldType::ftBlob);
}

void THstmt::ClearParams()
{
    m_bound.clear();
    m_buffers.clear();
    if (m_stmt)
        SQLFreeStmt(m_stmt.get(), SQL_RESET_PARAMS);
}

void THstmt::bindParameters()
{
    SQLHSTMT h = m_stmt.get();
    SQLFreeStmt(h, SQL_RESET_PARAMS);
    m_buffers.clear();
    for (int i = 0; i < m_markerNames.size(); ++i) {
        const QString& name = m_markerNames[i];
        const BoundValue* bound = nullptr;
        for (const BoundValue& b : m_bound)
            if (b.name.compare(name, Qt::CaseInsensitive) == 0)
                bound = &b;
        if (!bound)
            throw statementError(QStringLiteral("Parameter %1 nima vrednosti !").arg(name));

        auto buf = std::make_unique<ParamBuffer>();
        TFieldType type = bound->type == TFieldType::ftUnknown ? fieldTypeFromVariant(bound->value) : bound->type;
        const bool isNull = !bound->value.isValid() || bound->value.isNull();
        QVariant value = isNull ? QVariant() : convertToFieldType(bound->value, type == TFieldType::ftUnknown ? TFieldType::ftString : type);
        if (type == TFieldType::ftUnknown)
            type = TFieldType::ftString;

        SQLSMALLINT cType = SQL_C_WCHAR;
        SQLSMALLINT sqlType = SQL_WVARCHAR;
        SQLULEN columnSize = 1;
        SQLSMALLINT digits = 0;
        SQLPOINTER data = nullptr;
        SQLLEN bufferLength = 0;
        switch (type) {
        case TFieldType::ftString:
        case TFieldType::ftMemo:
        case TFieldType::ftUnknown: {
            const QString text = value.toString();
            buf->bytes = QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2 + 2);
            cType = SQL_C_WCHAR;
            sqlType = (type == TFieldType::ftMemo || text.size() > 4000) ? SQL_WLONGVARCHAR : SQL_WVARCHAR;
            columnSize = SQLULEN(std::max<qsizetype>(1, text.size()));
            data = buf->bytes.data();
            bufferLength = SQLLEN(buf->bytes.size());
            buf->indicator = SQLLEN(text.size() * 2);
            break;
        }
        case TFieldType::ftSmallint:
        case TFieldType::ftWord:
        case TFieldType::ftInteger:
        case TFieldType::ftLargeint:
            buf->integer = value.toLongLong();
            cType = SQL_C_SBIGINT;
            sqlType = type == TFieldType::ftLargeint ? SQL_BIGINT : type == TFieldType::ftInteger ? SQL_INTEGER : SQL_SMALLINT;
            columnSize = type == TFieldType::ftLargeint ? 19 : type == TFieldType::ftInteger ? 10 : 5;
            data = &buf->integer;
            buf->indicator = 0;
            break;
        case TFieldType::ftFloat:
        case TFieldType::ftCurrency:
            buf->real = value.toDouble();
            cType = SQL_C_DOUBLE;
            sqlType = SQL_DOUBLE;
            columnSize = 15;
            data = &buf->real;
            buf->indicator = 0;
            break;
        case TFieldType::ftDate: {
            const QDate d = value.toDate();
            buf->date = {SQLSMALLINT(d.year()), SQLUSMALLINT(d.month()), SQLUSMALLINT(d.day())};
            cType = SQL_C_TYPE_DATE;
            sqlType = SQL_TYPE_DATE;
            columnSize = 10;
            data = &buf->date;
            buf->indicator = 0;
            break;
        }
        case TFieldType::ftTime: {
            const QTime t = value.toTime();
            buf->time = {SQLUSMALLINT(t.hour()), SQLUSMALLINT(t.minute()), SQLUSMALLINT(t.second())};
            cType = SQL_C_TYPE_TIME;
            sqlType = SQL_TYPE_TIME;
            columnSize = 8;
            data = &buf->time;
            buf->indicator = 0;
            break;
        }
        case TFieldType::ftDateTime: {
            const DateTimeRecord r = DateTimeRecord::fromDateTime(value.toDateTime());
            buf->timestamp = {SQLSMALLINT(r.year), r.month, r.day, r.hour, r.minute, r.second, r.fraction};
            cType = SQL_C_TYPE_TIMESTAMP;
            sqlType = SQL_TYPE_TIMESTAMP;
            columnSize = 23;
            digits = 3;
            data = &buf->timestamp;
            buf->indicator = 0;
            break;
        }
        case TFieldType::ftBlob:
            // Bound as SQL_VARBINARY: with psqlODBC a SQL_LONGVARBINARY parameter is turned into a
            // large object unless ByteaAsLongVarBinary is set, and the column gets garbage.
            buf->bytes = value.toByteArray();
            cType = SQL_C_BINARY;
            sqlType = SQL_VARBINARY;
            columnSize = SQLULEN(std::max<qsizetype>(1, buf->bytes.size()));
            if (!isNull) {
                // supplied in pieces when the driver asks for it (SQL_NEED_DATA)
                buf->atExecution = true;
                buf->indicator = SQL_LEN_DATA_AT_EXEC(SQLLEN(buf->bytes.size()));
                data = buf.get();
            }
            break;
        case TFieldType::ftBoolean:
            buf->bit = value.toBool() ? 1 : 0;
            cType = SQL_C_BIT;
            sqlType = SQL_BIT;
            columnSize = 1;
            data = &buf->bit;
            buf->indicator = 0;
            break;
        }
        if (isNull) {
            buf->atExecution = false;
            buf->indicator = SQL_NULL_DATA;
            if (!data)
                data = &buf->integer;
        }
        checkOdbc(SQLBindParameter(h, SQLUSMALLINT(i + 1), SQL_PARAM_INPUT, cType, sqlType, columnSize, digits, data,
                                   bufferLength, &buf->indicator),
                  SQL_HANDLE_STMT, h);
        m_buffers.push_back(std::move(buf));
    }
}

SQLRETURN THstmt::supplyDataAtExecution(SQLRETURN rc)
{
    SQLHSTMT h = m_stmt.get();
    constexpr qsizetype Piece = 256 * 1024;
    while (rc == SQL_NEED_DATA) {
        SQLPOINTER token = nullptr;
        rc = checkOdbc(SQLParamData(h, &token), SQL_HANDLE_STMT, h, OdbcAllow::NoDataOrNeedData);
        if (rc != SQL_NEED_DATA)
            break;
        ParamBuffer* buf = nullptr;
        for (const auto& b : m_buffers)
            if (b.get() == token)
                buf = b.get();
        if (!buf)
            throw statementError(EODBC::returnCodeText(SQL_NEED_DATA));
        const QByteArray& bytes = buf->bytes;
        if (bytes.isEmpty()) {
            checkOdbc(SQLPutData(h, const_cast<char*>(bytes.constData()), 0), SQL_HANDLE_STMT, h);
        }
        for (qsizetype at = 0; at < bytes.size(); at += Piece) {
            const qsizetype n = std::min(Piece, bytes.size() - at);
            checkOdbc(SQLPutData(h, const_cast<char*>(bytes.constData() + at), SQLLEN(n)), SQL_HANDLE_STMT, h);
        }
    }
    return rc;
}

void THstmt::Execute()
{
    SQLHSTMT h = handle();
    Close();
    try {
        parseText();
        bindParameters();
        SQLRETURN rc = m_prepared ? SQLExecute(h) : SQLExecDirectW(h, odbcWide(m_sentText), SQL_NTS);
        rc = checkOdbc(rc, SQL_HANDLE_STMT, h, OdbcAllow::NoDataOrNeedData);
        if (rc == SQL_NEED_DATA)
            supplyDataAtExecution(rc);
        afterExecute();
    } catch (EODBC& e) {
        resetResult();
        SQLFreeStmt(h, SQL_CLOSE);
        if (e.statementText().isEmpty())
            e.setStatementText(m_sentText.isEmpty() ? m_sql : m_sentText);
        throw;
    }
}

void THstmt::ExecDirect(const QString& sql)
{
    setSQL(sql);
    Execute();
}

void THstmt::afterExecute()
{
    SQLHSTMT h = m_stmt.get();
    for (;;) {
        SQLLEN rows = -1;
        SQLRowCount(h, &rows);
        m_rowCount = rows;
        SQLSMALLINT columns = 0;
        checkOdbc(SQLNumResultCols(h, &columns), SQL_HANDLE_STMT, h);
        if (columns > 0) {
            m_columns.resize(size_t(columns));
            for (SQLSMALLINT c = 1; c <= columns; ++c) {
                ColumnInfo& info = m_columns[size_t(c - 1)];
                SQLWCHAR name[256] = {};
                SQLSMALLINT nameLength = 0, type = 0, scale = 0, nullable = SQL_NULLABLE_UNKNOWN;
                SQLULEN size = 0;
                checkOdbc(SQLDescribeColW(h, SQLUSMALLINT(c), name, 256, &nameLength, &type, &size, &scale, &nullable),
                          SQL_HANDLE_STMT, h);
                info.name = fromOdbcWide(name, std::min<int>(nameLength, 255)).toUpper();
                info.sqlType = type;
                info.size = size;
                info.scale = scale;
                info.nullable = nullable != SQL_NO_NULLS;
                SQLWCHAR text[256] = {};
                SQLSMALLINT textBytes = 0;
                SQLLEN numeric = 0;
                if (SQL_SUCCEEDED(SQLColAttributeW(h, SQLUSMALLINT(c), SQL_DESC_BASE_TABLE_NAME, text, sizeof(text),
                                                   &textBytes, &numeric)))
                    info.baseTable = fromOdbcWide(text, -1);
                text[0] = 0;
                if (SQL_SUCCEEDED(SQLColAttributeW(h, SQLUSMALLINT(c), SQL_DESC_BASE_COLUMN_NAME, text, sizeof(text),
                                                   &textBytes, &numeric)))
                    info.baseColumn = fromOdbcWide(text, -1).toUpper();
            }
            m_cells.assign(m_columns.size(), Cell());
            m_hasResult = true;
            return;
        }
        const SQLRETURN rc = checkOdbc(SQLMoreResults(h), SQL_HANDLE_STMT, h, OdbcAllow::NoData);
        if (rc == SQL_NO_DATA)
            return;
    }
}

void THstmt::drainResults()
{
    SQLHSTMT h = m_stmt.get();
    for (;;) {
        const SQLRETURN rc = checkOdbc(SQLMoreResults(h), SQL_HANDLE_STMT, h, OdbcAllow::NoData);
        if (rc == SQL_NO_DATA)
            return;
        SQLLEN rows = -1;
        SQLRowCount(h, &rows);
        m_rowCount = rows;
    }
}

bool THstmt::FetchNext()
{
    if (!m_hasResult || !m_stmt)
        return false;
    SQLHSTMT h = m_stmt.get();
    m_rowValid = false;
    m_cellsRead = 0;
    const SQLRETURN rc = checkOdbc(SQLFetch(h), SQL_HANDLE_STMT, h, OdbcAllow::NoData);
    if (rc == SQL_NO_DATA) {
        m_hasResult = false;
        try {
            drainResults();
        } catch (EODBC& e) {
            e.setStatementText(m_sentText);
            SQLFreeStmt(h, SQL_CLOSE);
            throw;
        }
        SQLFreeStmt(h, SQL_CLOSE);
        return false;
    }
    m_rowValid = true;
    return true;
}

const THstmt::ColumnInfo& THstmt::column(int n) const
{
    if (n < 1 || n > int(m_columns.size()))
        throw EODBC({{QStringLiteral("07009"), 0, QStringLiteral("Invalid descriptor index %1").arg(n)}});
    return m_columns[size_t(n - 1)];
}

QString THstmt::ColName(int n) const { return column(n).name; }
int THstmt::ColSqlType(int n) const { return column(n).sqlType; }
qulonglong THstmt::ColSize(int n) const { return column(n).size; }
int THstmt::ColScale(int n) const { return column(n).scale; }
bool THstmt::ColNullable(int n) const { return column(n).nullable; }
TFieldType THstmt::ColFieldType(int n) const
{
    const ColumnInfo& c = column(n);
    return fieldTypeFromSql(c.sqlType, c.size, c.scale);
}
QString THstmt::ColBaseTable(int n) const { return column(n).baseTable; }
QString THstmt::ColBaseColumn(int n) const { return column(n).baseColumn; }

int THstmt::ColIndex(const QString& name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i + 1);
    return 0;
}

namespace {
// Reads a variable-length value in pieces; returns false for NULL.
bool readLong(SQLHSTMT h, int col, SQLSMALLINT cType, QByteArray& out)
{
    const int terminator = cType == SQL_C_WCHAR ? 2 : 0;
    QByteArray buffer(8192, Qt::Uninitialized);
    out.clear();
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(h, SQLUSMALLINT(col), cType, buffer.data(), SQLLEN(buffer.size()), &indicator);
        if (rc == SQL_NO_DATA)
            return true;
        checkOdbc(rc, SQL_HANDLE_STMT, h);
        if (indicator == SQL_NULL_DATA)
            return false;
        const SQLLEN room = SQLLEN(buffer.size()) - terminator;
        if (indicator != SQL_NO_TOTAL && indicator <= room) {
            out.append(buffer.constData(), qsizetype(indicator));
            return true;
        }
        out.append(buffer.constData(), qsizetype(room));
        if (indicator != SQL_NO_TOTAL) {
            qsizetype rest = qsizetype(indicator - room) + terminator;
            if (rest % 2)
                ++rest;
            buffer.resize(std::max<qsizetype>(rest, 16));
        } else if (buffer.size() < (1 << 20)) {
            buffer.resize(buffer.size() * 4);
        }
    }
}
} // namespace

void THstmt::readCell(int n, Cell& c)
{
    SQLHSTMT h = m_stmt.get();
    const ColumnInfo& info = column(n);
    c = Cell();
    SQLLEN indicator = 0;
    switch (info.sqlType) {
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT: {
        SQLBIGINT v = 0;
        checkOdbc(SQLGetData(h, SQLUSMALLINT(n), SQL_C_SBIGINT, &v, sizeof(v), &indicator), SQL_HANDLE_STMT, h);
        if (indicator != SQL_NULL_DATA) {
            c.kind = Cell::Kind::Integer;
            c.integer = v;
        }
        return;
    }
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE: {
        double v = 0;
        checkOdbc(SQLGetData(h, SQLUSMALLINT(n), SQL_C_DOUBLE, &v, sizeof(v), &indicator), SQL_HANDLE_STMT, h);
        if (indicator != SQL_NULL_DATA) {
            c.kind = Cell::Kind::Float;
            c.real = v;
        }
        return;
    }
    case SQL_BIT: {
        unsigned char v = 0;
        checkOdbc(SQLGetData(h, SQLUSMALLINT(n), SQL_C_BIT, &v, sizeof(v), &indicator), SQL_HANDLE_STMT, h);
        if (indicator != SQL_NULL_DATA) {
            c.kind = Cell::Kind::Boolean;
            c.boolean = v != 0;
        }
        return;
    }
    case SQL_TYPE_TIME:
    case SQL_TIME: {
        SQL_TIME_STRUCT t{};
        checkOdbc(SQLGetData(h, SQLUSMALLINT(n), SQL_C_TYPE_TIME, &t, sizeof(t), &indicator), SQL_HANDLE_STMT, h);
        if (indicator != SQL_NULL_DATA) {
            c.kind = Cell::Kind::Timestamp;
            c.temporalType = SQL_TYPE_TIME;
            c.timestamp = {1899, 12, 30, t.hour, t.minute, t.second, 0};
        }
        return;
    }
    case SQL_TYPE_DATE:
    case SQL_DATE:
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP: {
        SQL_TIMESTAMP_STRUCT t{};
        checkOdbc(SQLGetData(h, SQLUSMALLINT(n), SQL_C_TYPE_TIMESTAMP, &t, sizeof(t), &indicator), SQL_HANDLE_STMT, h);
        if (indicator != SQL_NULL_DATA) {
            c.kind = Cell::Kind::Timestamp;
            c.temporalType = (info.sqlType == SQL_TYPE_DATE || info.sqlType == SQL_DATE) ? SQL_TYPE_DATE : SQL_TYPE_TIMESTAMP;
            c.timestamp = {t.year, t.month, t.day, t.hour, t.minute, t.second, t.fraction};
        }
        return;
    }
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY: {
        QByteArray bytes;
        if (readLong(h, n, SQL_C_BINARY, bytes)) {
            c.kind = Cell::Kind::Bytes;
            c.bytes = bytes;
        }
        return;
    }
    default: {   // text, decimal (kept exact as text) and anything else the driver can show as text
        QByteArray bytes;
        if (readLong(h, n, SQL_C_WCHAR, bytes)) {
            c.kind = Cell::Kind::Text;
            c.text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
        }
        return;
    }
    }
}

const THstmt::Cell& THstmt::cell(int n)
{
    column(n);
    if (!m_rowValid)
        throw EODBC({{QStringLiteral("24000"), 0, QStringLiteral("Invalid cursor state")}});
    // Read up to n in ascending order: some drivers only return columns after the last one read.
    while (m_cellsRead < n) {
        ++m_cellsRead;
        readCell(m_cellsRead, m_cells[size_t(m_cellsRead - 1)]);
    }
    return m_cells[size_t(n - 1)];
}

bool THstmt::ColumnIsNull(int n) { return cell(n).kind == Cell::Kind::Null; }

QString THstmt::ColumnAsString(int n)
{
    const Cell& c = cell(n);
    switch (c.kind) {
    case Cell::Kind::Null: return QString();
    case Cell::Kind::Text: return c.text;
    case Cell::Kind::Integer: return QString::number(c.integer);
    case Cell::Kind::Float: return QString::number(c.real, 'g', 15);
    case Cell::Kind::Boolean: return c.boolean ? QStringLiteral("1") : QStringLiteral("0");
    case Cell::Kind::Bytes: return QString::fromLatin1(c.bytes.toHex());
    case Cell::Kind::Timestamp: {
        const DateTimeRecord& r = c.timestamp;
        const QString date = QStringLiteral("%1-%2-%3").arg(r.year, 4, 10, QLatin1Char('0')).arg(r.month, 2, 10, QLatin1Char('0')).arg(r.day, 2, 10, QLatin1Char('0'));
        const QString time = QStringLiteral("%1:%2:%3").arg(r.hour, 2, 10, QLatin1Char('0')).arg(r.minute, 2, 10, QLatin1Char('0')).arg(r.second, 2, 10, QLatin1Char('0'));
        if (c.temporalType == SQL_TYPE_DATE)
            return date;
        if (c.temporalType == SQL_TYPE_TIME)
            return time;
        QString s = date + QLatin1Char(' ') + time;
        if (r.fraction)
            s += QStringLiteral(".%1").arg(r.fraction / 1000000u, 3, 10, QLatin1Char('0'));
        return s;
    }
    }
    return QString();
}

double THstmt::ColumnAsFloat(int n)
{
    const Cell& c = cell(n);
    switch (c.kind) {
    case Cell::Kind::Integer: return double(c.integer);
    case Cell::Kind::Float: return c.real;
    case Cell::Kind::Boolean: return c.boolean ? 1 : 0;
    case Cell::Kind::Text:
        return c.text.trimmed().isEmpty() ? 0.0 : convertToFieldType(c.text, TFieldType::ftFloat).toDouble();
    default: return 0;
    }
}

qint64 THstmt::ColumnAsLargeInt(int n)
{
    const Cell& c = cell(n);
    switch (c.kind) {
    case Cell::Kind::Integer: return c.integer;
    case Cell::Kind::Float: return convertToFieldType(c.real, TFieldType::ftLargeint).toLongLong();
    case Cell::Kind::Boolean: return c.boolean ? 1 : 0;
    case Cell::Kind::Text: {
        bool ok = false;
        const qlonglong v = c.text.trimmed().toLongLong(&ok);
        if (ok)
            return v;
        return convertToFieldType(convertToFieldType(c.text, TFieldType::ftFloat), TFieldType::ftLargeint).toLongLong();
    }
    default: return 0;
    }
}

int THstmt::ColumnAsInteger(int n)
{
    const qint64 v = ColumnAsLargeInt(n);
    return convertToFieldType(QVariant(qlonglong(v)), TFieldType::ftInteger).toInt();
}

DateTimeRecord THstmt::ColumnAsDateTime(int n)
{
    const Cell& c = cell(n);
    if (c.kind == Cell::Kind::Timestamp)
        return c.timestamp;
    if (c.kind == Cell::Kind::Text)
        return DateTimeRecord::fromDateTime(convertToFieldType(c.text, TFieldType::ftDateTime).toDateTime());
    return DateTimeRecord();
}

QByteArray THstmt::ColumnAsBytes(int n)
{
    const Cell& c = cell(n);
    if (c.kind == Cell::Kind::Bytes)
        return c.bytes;
    if (c.kind == Cell::Kind::Text)
        return c.text.toUtf8();
    if (c.kind == Cell::Kind::Null)
        return QByteArray();
    return ColumnAsString(n).toUtf8();
}

QVariant THstmt::ColumnValue(int n)
{
    const Cell& c = cell(n);
    switch (c.kind) {
    case Cell::Kind::Null: return QVariant();
    case Cell::Kind::Text: return c.text;
    case Cell::Kind::Integer: return qlonglong(c.integer);
    case Cell::Kind::Float: return c.real;
    case Cell::Kind::Boolean: return c.boolean;
    case Cell::Kind::Bytes: return c.bytes;
    case Cell::Kind::Timestamp: {
        const DateTimeRecord& r = c.timestamp;
        if (c.temporalType == SQL_TYPE_DATE)
            return QDate(r.year, r.month, r.day);
        if (c.temporalType == SQL_TYPE_TIME)
            return QTime(r.hour, r.minute, r.second);
        return QDateTime(QDate(r.year, r.month, r.day), QTime(r.hour, r.minute, r.second, int(r.fraction / 1000000u)));
    }
    }
    return QVariant();
}
