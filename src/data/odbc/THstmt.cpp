#include "data/odbc/THstmt.h"
#include "data/odbc/OdbcCounters.h"

#include "data/odbc/EODBC.h"
#include "data/odbc/OdbcText.h"
#include "data/odbc/SqlParameterParser.h"
#include "data/odbc/SqlTextScan.h"
#include "data/odbc/THdbc.h"

#include <QDate>
#include <QTime>
#include <cstring>

#include "data/odbc/THstmtBlock.h"

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
    m_block.reset();
}

void THstmt::connectionGone() noexcept
{
    releaseHandle();
    m_hdbc = nullptr;
}

void THstmt::resetResult() noexcept
{
    if (m_block && m_stmt)
        m_block->unbind(m_stmt.get());
    m_fetchMode = FetchMode::Single;
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
    m_columnShape.clear();
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
    if (sqlTextIsPlain(m_sql)) {   // e.g. a generated batch: sent as written
        m_markerNames.clear();
        m_sentText = m_sql;
        m_parsed = true;
        return;
    }
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
        ++odbcCounters.executes;
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
            if (!m_columnShape.isEmpty()) {
                const auto known = m_shapes.constFind(m_columnShape);
                if (known != m_shapes.constEnd() && known->size() == size_t(columns)) {
                    m_columns = *known;
                    openResult();
                    return;
                }
            }
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
            }
            if (!m_columnShape.isEmpty()) {
                constexpr qsizetype MaxShapes = 8;
                if (m_shapes.size() >= MaxShapes)
                    m_shapes.clear();
                m_shapes.insert(m_columnShape, m_columns);
            }
            openResult();
            return;
        }
        const SQLRETURN rc = checkOdbc(SQLMoreResults(h), SQL_HANDLE_STMT, h, OdbcAllow::NoData);
        if (rc == SQL_NO_DATA)
            return;
    }
}

void THstmt::openResult()
{
    m_cells.assign(m_columns.size(), Cell());
    m_hasResult = true;
    // The first row is fetched alone (a look-up of one row binds nothing); blocks follow.
    // (The statement makes no positioned changes, so its concurrency does not matter here.)
    const bool blocks = m_blockFetch && m_cursorType == SQL_CURSOR_FORWARD_ONLY && RowBlock::bindable(m_columns);
    if (m_block)
        m_block->singleRows(m_stmt.get());
    if (blocks) {
        if (!m_block)
            m_block = std::make_unique<RowBlock>();
        m_cellRows.assign(m_columns.size(), 0);
        m_block->firstRowFetched = false;
        m_fetchMode = FetchMode::BlockFromNextRow;
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
    ++m_rowSerial;
    if (m_fetchMode == FetchMode::Block && ++m_block->row < m_block->fetched)
        return blockRowValid();
    if (m_fetchMode == FetchMode::BlockFromNextRow && m_block->firstRowFetched) {
        m_block->bind(h, m_columns);
        m_fetchMode = FetchMode::Block;
    }
    const SQLRETURN rc = checkOdbc(SQLFetch(h), SQL_HANDLE_STMT, h, OdbcAllow::NoData);
    if (m_fetchMode == FetchMode::Block) {
        if (rc == SQL_NO_DATA || m_block->fetched == 0)
            return endOfResult(h);
        m_block->row = 0;
        return blockRowValid();
    }
    if (rc == SQL_NO_DATA)
        return endOfResult(h);
    if (m_fetchMode == FetchMode::BlockFromNextRow)
        m_block->firstRowFetched = true;
    m_rowValid = true;
    return true;
}

bool THstmt::blockRowValid()
{
    const SQLUSMALLINT status = m_block->status[m_block->row];
    if (status == SQL_ROW_ERROR || status == SQL_ROW_NOROW)
        throw EODBC({{QStringLiteral("01S01"), 0, QStringLiteral("Error in row")}});
    m_rowValid = true;
    return true;
}

bool THstmt::endOfResult(SQLHSTMT h)
{
    m_hasResult = false;
    if (m_block)
        m_block->unbind(h);
    m_fetchMode = FetchMode::Single;
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


// The statement as a sender in the error log.
QString THstmt::logClassName() const { return QStringLiteral("THstmt"); }
QString THstmt::logObjectName() const { return m_name; }
QString THstmt::logSenderProp() const
{
    return senderPropForStatement(m_hdbc ? m_hdbc->Name() : QString(), m_sql);
}
