#pragma once
#include <QString>
#include <QStringList>
#include <vector>

class THstmt;

// A list of name=value pairs whose names are compared without regard to case, in the order of
// first setting. Setting a name to an empty value removes it (an entry has a value or is absent).
class NameValueList {
public:
    void clear() { m_items.clear(); }
    void setValue(const QString& name, const QString& value);
    QString value(const QString& name) const;   // "" when absent
    bool contains(const QString& name) const { return find(name) >= 0; }
    int count() const { return int(m_items.size()); }
    QStringList names() const;

private:
    int find(const QString& name) const;
    struct Item {
        QString name;
        QString value;
    };
    std::vector<Item> m_items;
};

// Table name to its key fields ("Kljuc;Poz"), from the table SintrexIndex (columns TableName,
// FieldsName). Filled by sqlFillTableIndex whenever the data module connects; the write hook
// (sqlUpdateSQL) takes the key fields of a table from it.
inline NameValueList TableIndexList;

// Clears TableIndexList and reads "SELECT TableName, FieldsName FROM SintrexIndex" on Statement
// (the data module's UpdateHstmt; HstmtExecute without messages). A failure is logged as
// "sqlFillTableIndex" and leaves the list with what was read.
void sqlFillTableIndex(THstmt& Statement);

// The key fields of a table: its TableIndexList entry split at ";" (names trimmed; an empty name
// stays, e.g. after a trailing ";"). Empty when the table has no entry.
QStringList tableKeyFields(const QString& table);

// The table of a query: the lines joined, each trimmed and preceded by one blank; the first
// "FROM" (exact case); the 50 characters after it, trimmed; the name ends before the first ","
// or blank, whichever comes first; a rest without any blank is taken whole (a comma included).
// No "FROM" gives "".
QString sqlGetTableFromSQLMemo(const QStringList& sqlLines);
