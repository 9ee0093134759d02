#pragma once
#include "data/core/Money.h"

#include <QDateTime>
#include <QString>
#include <QVariantList>

#include <string>

// One row of a generated INSERT as text, made once and kept until it is sent: its column names
// ("Kljuc,Poz,...", shared by the rows of one kind) and its values ("('041000001',1,...)"), in
// the forms sqlInsertValues writes. The position of the key column's value is kept, so that the
// row can be given another key without being made again.
struct SqlRow {
    QString names;
    QString values;
    qsizetype keyAt = -1;   // where the value of the column "Kljuc" starts in values; -1: none
    qsizetype keyLength = 0;

    // Gives column "Kljuc" (the first of that name, case ignored) the text key in place of its
    // value, whatever that was (nothing when the row has no such column).
    void setKey(QStringView key);
};

// Writes a row's values into an SqlRow one column at a time. Every value takes the form
// sqlInsertValues gives the QVariant of the same type: texts quoted with apostrophes doubled,
// whole numbers in decimal, other numbers by FloatToStrSQL, amounts exactly, date-times
// "'yyyy/mm/dd hh:nn:ss'" and an invalid or zero date-time as null.
class SqlRowWriter {
public:
    // One writer at a time (they share a buffer); the row's values are set by finish().
    explicit SqlRowWriter(SqlRow& row);
    // Closes the row's parentheses and gives the row its values.
    void finish();

    void add(const char* name, QStringView text);
    void add(const char* name, const QString& text) { add(name, QStringView(text)); }
    void add(const char* name, int number);
    void add(const char* name, double number);
    void add(const char* name, Money amount);
    void add(const char* name, const QDateTime& dateTime);
    // Any value, as sqlInsertValues writes it (names of other than Latin-1 text included).
    void add(const QString& name, const QVariant& value);

private:
    void next(bool isKey);
    void close();
    void quoted(QStringView text);
    void latin1(const char* chars, int length);
    void null();
    void moment(const QDateTime& dateTime);
    void put(QStringView text);

    SqlRow& m_row;
    std::u16string& m_out;
    bool m_first = true;
    bool m_keyOpen = false;
};

// The row of a list of column names and values alternating (sqlInsertValues's form); an odd
// number of entries gives a row without names or values.
SqlRow sqlRowOf(const QVariantList& pairs);

// The text "a,b,c" of the column names a row kind writes, collected once from a function that
// writes a row into an SqlRowWriter-like sink; see the row functions of the document tables.
class SqlRowNames {
public:
    void add(const char* name, const auto&) { append(name); }

    const QString& text() const { return m_text; }

private:
    void append(const char* name);
    QString m_text;
};
