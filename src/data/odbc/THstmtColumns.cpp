// THstmt: result columns and their values.
#include "data/odbc/THstmt.h"

#include "data/odbc/EODBC.h"
#include "data/odbc/OdbcText.h"
#include "data/odbc/THstmtBlock.h"

#include <QDate>
#include <QTime>
#include <sqlext.h>

#include <charconv>
#include <optional>

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
const THstmt::ColumnInfo& THstmt::columnWithBaseNames(int n) const
{
    const ColumnInfo& info = column(n);
    if (info.baseNamesRead)
        return info;
    info.baseNamesRead = true;
    SQLHSTMT h = m_stmt.get();
    if (!h || !m_hasResult)
        return info;
    SQLWCHAR text[256] = {};
    SQLSMALLINT textBytes = 0;
    SQLLEN numeric = 0;
    if (SQL_SUCCEEDED(SQLColAttributeW(h, SQLUSMALLINT(n), SQL_DESC_BASE_TABLE_NAME, text, sizeof(text), &textBytes,
                                       &numeric)))
        info.baseTable = fromOdbcWide(text, -1);
    text[0] = 0;
    if (SQL_SUCCEEDED(SQLColAttributeW(h, SQLUSMALLINT(n), SQL_DESC_BASE_COLUMN_NAME, text, sizeof(text), &textBytes,
                                       &numeric)))
        info.baseColumn = fromOdbcWide(text, -1).toUpper();
    return info;
}

QString THstmt::ColBaseTable(int n) const { return columnWithBaseNames(n).baseTable; }
QString THstmt::ColBaseColumn(int n) const { return columnWithBaseNames(n).baseColumn; }

int THstmt::ColIndex(const QString& name) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i + 1);
    return 0;
}

bool readOdbcLong(SQLHSTMT h, int col, SQLSMALLINT cType, QByteArray& out)
{
    const int terminator = cType == SQL_C_WCHAR ? 2 : 0;
    // Most values fit the first buffer, on the stack; a longer one continues in a growing one.
    char first[2048];
    char* data = first;
    SQLLEN size = SQLLEN(sizeof(first));
    QByteArray buffer;
    out.clear();
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN rc = SQLGetData(h, SQLUSMALLINT(col), cType, data, size, &indicator);
        if (rc == SQL_NO_DATA)
            return true;
        checkOdbc(rc, SQL_HANDLE_STMT, h);
        if (indicator == SQL_NULL_DATA)
            return false;
        const SQLLEN room = size - terminator;
        if (indicator != SQL_NO_TOTAL && indicator <= room) {
            out.append(data, qsizetype(indicator));
            return true;
        }
        out.append(data, qsizetype(room));
        qsizetype next = qsizetype(size);
        if (indicator != SQL_NO_TOTAL) {
            next = qsizetype(indicator - room) + terminator;
            if (next % 2)
                ++next;
            next = std::max<qsizetype>(next, 16);
        } else if (size < (1 << 20)) {
            next = qsizetype(size) * 4;
        }
        buffer.resize(next);
        data = buffer.data();
        size = SQLLEN(buffer.size());
    }
}

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
        if (readOdbcLong(h, n, SQL_C_BINARY, bytes)) {
            c.kind = Cell::Kind::Bytes;
            c.bytes = bytes;
        }
        return;
    }
    default: {   // text, decimal (kept exact as text) and anything else the driver can show as text
        QByteArray bytes;
        if (readOdbcLong(h, n, SQL_C_WCHAR, bytes)) {
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
    if (m_fetchMode == FetchMode::Block) {
        Cell& c = m_cells[size_t(n - 1)];
        quint64& stamp = m_cellRows[size_t(n - 1)];
        if (stamp != m_rowSerial) {
            m_block->read(m_stmt.get(), n, c);
            stamp = m_rowSerial;
        }
        return c;
    }
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

namespace {
// The value of a plain decimal ("-12.5", "0.82", "3"): only digits, at most one point and a
// leading minus; nothing else (no exponent, blanks or signs elsewhere). Such a text is read
// without the locale-aware conversion, to the same correctly rounded double.
std::optional<double> plainDecimal(QStringView text)
{
    char chars[40];
    const qsizetype n = text.size();
    if (n == 0 || n >= qsizetype(sizeof chars))
        return std::nullopt;
    bool point = false;
    bool digit = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.utf16()[i];
        if (c >= u'0' && c <= u'9') {
            digit = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else if (!(c == u'-' && i == 0)) {
            return std::nullopt;
        }
        chars[i] = char(c);
    }
    if (!digit)
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(chars, chars + n, value);
    if (error != std::errc() || end != chars + n)
        return std::nullopt;
    return value;
}
} // namespace

double THstmt::ColumnAsFloat(int n)
{
    const Cell& c = cell(n);
    switch (c.kind) {
    case Cell::Kind::Integer: return double(c.integer);
    case Cell::Kind::Float: return c.real;
    case Cell::Kind::Boolean: return c.boolean ? 1 : 0;
    case Cell::Kind::Text: {
        const QStringView t = QStringView(c.text).trimmed();
        if (t.isEmpty())
            return 0.0;
        // a decimal as the server writes it: what the general conversion tries first
        if (const std::optional<double> plain = plainDecimal(t))
            return *plain;
        bool ok = false;
        const double d = t.toDouble(&ok);
        return ok ? d : convertToFieldType(c.text, TFieldType::ftFloat).toDouble();
    }
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
