#pragma once
#include "data/local/LocalTable.h"
#include "data/log/ErrorLog.h"

#include <QStringList>

// Every operation written to the error log of the current data folder, oldest first.
inline QStringList errorLogOperations()
{
    QStringList out;
    if (!LocalTable::fileExists(ErrorLogTable))
        return out;
    LocalTable t(QString(), ErrorLogTable);
    t.open();
    for (bool ok = t.first(); ok; ok = t.next())
        out << t.asString("Operation");
    return out;
}
