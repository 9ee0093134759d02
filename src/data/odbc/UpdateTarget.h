#pragma once
#include <QString>
#include <QStringList>

// Where a live dataset writes its records itself: the target table, its key fields, a second
// field list (kept, unused) and the fields that are never written. All empty by default, in which
// case the writer asks the driver.
struct UpdateTarget {
    QString TargetTable;
    QStringList PrimaryCols;
    QStringList OtherCols;
    QStringList IgnoreCols;

    bool isEmpty() const { return TargetTable.isEmpty() && PrimaryCols.isEmpty() && IgnoreCols.isEmpty(); }
    void clear() { *this = UpdateTarget(); }

    // From the five stored texts: a format tag, the table name, the key fields each followed by
    // ";" ("TSBREZDAVKA;"), the second list and the never-written list (both ";"-separated).
    // Missing texts count as empty.
    static UpdateTarget fromStrings(const QStringList& texts);
    QStringList toStrings(const QString& formatTag = QStringLiteral("1")) const;

    bool isIgnored(const QString& fieldName) const { return IgnoreCols.contains(fieldName, Qt::CaseInsensitive); }
};
