#pragma once
#include "data/local/LocalTable.h"
#include "data/log/ErrorLog.h"

#include <QStringList>

#include <functional>

// Calls visit for every row of the error log in the current data folder, oldest first (none when
// nothing has been logged yet).
inline void forEachErrorLogRow(const std::function<void(LocalTable&)>& visit)
{
    if (!LocalTable::fileExists(ErrorLogTable))
        return;
    LocalTable t(QString(), ErrorLogTable);
    t.open();
    for (bool more = t.first(); more; more = t.next())
        visit(t);
}

// One line per row of the error log, made by line.
inline QStringList errorLogLines(const std::function<QString(LocalTable&)>& line)
{
    QStringList out;
    forEachErrorLogRow([&](LocalTable& t) { out << line(t); });
    return out;
}

// The operation of every row of the error log, oldest first.
inline QStringList errorLogOperations()
{
    return errorLogLines([](LocalTable& t) { return t.asString("Operation"); });
}
