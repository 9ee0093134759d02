#pragma once
// Internal to THstmt: the rows of a result fetched a block at a time into bound column buffers.
#include "data/odbc/THstmt.h"
#include "data/odbc/THstmtCell.h"

#include <array>
#include <memory>
#include <sqlext.h>

// A forward-only result whose columns all have a fixed or moderate size is fetched
// Rows rows at a time: each column is bound once to a buffer of Rows values with the same C type
// the single-value path reads it as, so a cell made from the buffer equals the one SQLGetData
// gives. The rowset pointers (rows fetched, row statuses) point into this object, which lives as
// long as the statement handle; the column buffers live while the result is open.
struct THstmt::RowBlock {
    static constexpr SQLULEN Rows = 64;

    struct Column {
        SQLSMALLINT cType = 0;
        int sqlType = 0;
        SQLLEN width = 0;                       // bytes of one value
        std::unique_ptr<char[]> data;           // Rows values
        std::unique_ptr<SQLLEN[]> indicators;   // Rows length/NULL indicators
    };

    // Whether every column of a result can be bound.
    static bool bindable(const std::vector<ColumnInfo>& columns);
    // Binds the columns and sets the rowset attributes (throws EODBC).
    void bind(SQLHSTMT h, const std::vector<ColumnInfo>& columns);
    // Drops the bindings and their buffers; harmless when nothing is bound.
    void unbind(SQLHSTMT h) noexcept;
    // Makes the rowset one row again for a result read with SQLGetData.
    void singleRows(SQLHSTMT h);
    // The cell of column n (1-based) of the current row. A text the driver cut to the buffer is
    // read again whole through SQLGetData on that row.
    void read(SQLHSTMT h, int n, Cell& c) const;

    std::vector<Column> columns;
    SQLULEN fetched = 0;   // rows of the current block
    SQLULEN row = 0;       // current row within the block
    std::array<SQLUSMALLINT, Rows> status{};
    bool firstRowFetched = false;    // of the open result, alone
    SQLULEN arraySize = 1;           // the handle's rowset size
    bool pointersSet = false;        // rows-fetched and status pointers given to the handle
};
