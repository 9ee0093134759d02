// THstmt: block fetches into bound column buffers.
#include "data/odbc/THstmtBlock.h"

#include "data/odbc/EODBC.h"

#include <cstring>

namespace {
// Longest text column (characters as described) and decimal column bound to a buffer; longer
// columns, long and binary types keep the whole result on SQLGetData.
constexpr qulonglong MaxTextSize = 4000;
constexpr qulonglong MaxDecimalSize = 100;

// The C type a column is bound as (the one the single-value path reads it as) and the bytes of
// one value; 0 when the column is not bound.
struct Binding {
    SQLSMALLINT cType = 0;
    SQLLEN width = 0;
};

Binding bindingOf(const THstmt::ColumnInfo& info)
{
    switch (info.sqlType) {
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT: return {SQL_C_SBIGINT, SQLLEN(sizeof(SQLBIGINT))};
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE: return {SQL_C_DOUBLE, SQLLEN(sizeof(double))};
    case SQL_BIT: return {SQL_C_BIT, SQLLEN(sizeof(unsigned char))};
    case SQL_TYPE_TIME:
    case SQL_TIME: return {SQL_C_TYPE_TIME, SQLLEN(sizeof(SQL_TIME_STRUCT))};
    case SQL_TYPE_DATE:
    case SQL_DATE:
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP: return {SQL_C_TYPE_TIMESTAMP, SQLLEN(sizeof(SQL_TIMESTAMP_STRUCT))};
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
        if (info.size < 1 || info.size > MaxTextSize)
            return {};
        return {SQL_C_WCHAR, SQLLEN(info.size + 1) * 2};
    case SQL_NUMERIC:
    case SQL_DECIMAL:
        // exact text: sign, point and a leading zero besides the digits
        if (info.size < 1 || info.size > MaxDecimalSize)
            return {};
        return {SQL_C_WCHAR, SQLLEN(info.size + 4) * 2};
    default: return {};
    }
}

void setAttribute(SQLHSTMT h, SQLINTEGER attribute, SQLPOINTER value)
{
    checkOdbc(SQLSetStmtAttrW(h, attribute, value, 0), SQL_HANDLE_STMT, h);
}
} // namespace

bool THstmt::RowBlock::bindable(const std::vector<ColumnInfo>& columns)
{
    for (const ColumnInfo& info : columns)
        if (bindingOf(info).cType == 0)
            return false;
    return !columns.empty();
}

void THstmt::RowBlock::bind(SQLHSTMT h, const std::vector<ColumnInfo>& infos)
{
    if (!pointersSet) {
        setAttribute(h, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQLULEN(SQL_BIND_BY_COLUMN)));
        setAttribute(h, SQL_ATTR_ROWS_FETCHED_PTR, &fetched);
        setAttribute(h, SQL_ATTR_ROW_STATUS_PTR, status.data());
        pointersSet = true;
    }
    columns.clear();
    columns.resize(infos.size());
    for (size_t i = 0; i < infos.size(); ++i) {
        const Binding b = bindingOf(infos[i]);
        Column& c = columns[i];
        c.cType = b.cType;
        c.sqlType = infos[i].sqlType;
        c.width = b.width;
        c.data = std::make_unique<char[]>(size_t(b.width) * Rows);
        c.indicators = std::make_unique<SQLLEN[]>(Rows);
        checkOdbc(SQLBindCol(h, SQLUSMALLINT(i + 1), c.cType, c.data.get(), c.width, c.indicators.get()),
                  SQL_HANDLE_STMT, h);
    }
    if (arraySize != Rows) {
        setAttribute(h, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(Rows));
        arraySize = Rows;
    }
    fetched = 0;
    row = 0;
}

void THstmt::RowBlock::unbind(SQLHSTMT h) noexcept
{
    if (columns.empty())
        return;
    SQLFreeStmt(h, SQL_UNBIND);
    columns.clear();
    fetched = 0;
    row = 0;
}

void THstmt::RowBlock::singleRows(SQLHSTMT h)
{
    if (arraySize == 1)
        return;
    setAttribute(h, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN(1)));
    arraySize = 1;
}

void THstmt::RowBlock::read(SQLHSTMT h, int n, Cell& c) const
{
    const Column& col = columns[size_t(n - 1)];
    c = Cell();
    const SQLLEN indicator = col.indicators[row];
    if (indicator == SQL_NULL_DATA)
        return;
    const char* value = col.data.get() + SQLLEN(row) * col.width;
    switch (col.cType) {
    case SQL_C_SBIGINT:
        c.kind = Cell::Kind::Integer;
        std::memcpy(&c.integer, value, sizeof(SQLBIGINT));
        return;
    case SQL_C_DOUBLE:
        c.kind = Cell::Kind::Float;
        std::memcpy(&c.real, value, sizeof(double));
        return;
    case SQL_C_BIT:
        c.kind = Cell::Kind::Boolean;
        c.boolean = *value != 0;
        return;
    case SQL_C_TYPE_TIME: {
        SQL_TIME_STRUCT t;
        std::memcpy(&t, value, sizeof(t));
        c.kind = Cell::Kind::Timestamp;
        c.temporalType = SQL_TYPE_TIME;
        c.timestamp = {1899, 12, 30, t.hour, t.minute, t.second, 0};
        return;
    }
    case SQL_C_TYPE_TIMESTAMP: {
        SQL_TIMESTAMP_STRUCT t;
        std::memcpy(&t, value, sizeof(t));
        c.kind = Cell::Kind::Timestamp;
        c.temporalType = (col.sqlType == SQL_TYPE_DATE || col.sqlType == SQL_DATE) ? SQL_TYPE_DATE : SQL_TYPE_TIMESTAMP;
        c.timestamp = {t.year, t.month, t.day, t.hour, t.minute, t.second, t.fraction};
        return;
    }
    default:
        break;
    }
    // Text (UTF-16). A value longer than the buffer (a driver that described the column too
    // short) is read whole from its row.
    c.kind = Cell::Kind::Text;
    if (indicator != SQL_NO_TOTAL && indicator <= col.width - 2) {
        c.text = QString::fromUtf16(reinterpret_cast<const char16_t*>(value), qsizetype(indicator / 2));
        return;
    }
    checkOdbc(SQLSetPos(h, SQLSETPOSIROW(row + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE), SQL_HANDLE_STMT, h);
    QByteArray bytes;
    if (!readOdbcLong(h, n, SQL_C_WCHAR, bytes)) {
        c.kind = Cell::Kind::Null;
        return;
    }
    c.text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
}
