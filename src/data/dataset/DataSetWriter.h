#pragma once
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

#include "data/core/DataSetTypes.h"
#include "data/odbc/THstmt.h"

class TwwOEDataSet;
class TField;

// The live dataset's own writer, and the table and key look-up that Refresh shares with it.
// It runs parameter-marker statements on a statement of its own on the dataset's connection:
//   UPDATE table SET c1 = ?, c2 = ? WHERE k1 = ? AND k2 = ?
//   INSERT INTO table (c1, c2) VALUES (?, ?)
//   DELETE FROM table WHERE k1 = ? AND k2 = ?
// SET and INSERT cover the result columns that belong to the table (not read-only, not in
// Target().IgnoreCols; an INSERT leaves out NULL values so that column defaults apply). The
// WHERE part uses the key values as read (a NULL key as "k IS NULL"). An UPDATE or DELETE that
// finds no row fails, so that a lost write is never reported as success.
class DataSetWriter {
public:
    static const QString NoTableMessage;   // "Unable to determine table name:  set TargetTable property."
    static const QString NoKeyMessage;     // "Unable to determine primary columns:  set PrimaryCols property."

    explicit DataSetWriter(TwwOEDataSet& dataSet);

    // The target table: Target().TargetTable, else the table the driver reports for the first
    // result column, else the word after " FROM " in the query. Throws EDatabaseError.
    QString tableName();
    // Names of the dataset's key fields. Throws EDatabaseError.
    QStringList keyFields();
    // Forgets what was found (the query changed or was re-opened).
    void reset();

    void write(TUpdateKind kind, const std::vector<QVariant>& oldValues, const std::vector<QVariant>& newValues);
    // Reads the record with the key in `values` again into `values` (data fields only).
    bool reread(std::vector<QVariant>& values);

    // The word that follows " FROM " in the text (line breaks read as blanks, upper case, up to
    // the next blank); empty when there is none.
    static QString tableAfterFrom(const QString& sql);

private:
    std::vector<TField*> writableFields(const QString& table) const;
    TField* fieldForColumn(const QString& column) const;
    QString columnName(const TField& f) const;
    struct Binding {
        QString name;
        QVariant value;
        TFieldType type;
    };
    using Bindings = std::vector<Binding>;
    QString whereByKeys(const std::vector<QVariant>& values, Bindings& bindings);
    qint64 run(const QString& sql, const Bindings& bindings, bool fetch);

    TwwOEDataSet& m_ds;
    THstmt m_stmt;
    QString m_table;
    QStringList m_keys;
};
