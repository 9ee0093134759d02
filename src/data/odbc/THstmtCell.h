#pragma once
// Internal to THstmt: one column value of the current row.
#include "data/odbc/THstmt.h"

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


// Reads a variable-length value of column col of the current row in pieces; false for NULL.
bool readOdbcLong(SQLHSTMT h, int col, SQLSMALLINT cType, QByteArray& out);
