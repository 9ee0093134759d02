#pragma once
// Connections to a test database for the tests of the data layer and everything above it.
#include "TestDatabase.h"
#include "data/odbc/THdbc.h"

#include <QString>
#include <QStringList>

// Configures a connection from the test database's connect string, the way the data module
// does it: driver, user and password as properties, the other items as attributes.
inline void configureConnection(THdbc& db, const TestDatabase& tdb, const QString& user = "obdrac",
                                const QString& password = "obdrac")
{
    db.setDriver(QString());
    db.setDataSource(QString());
    db.Attributes().clear();
    for (const QString& item : tdb.connectString(user, password).split(';', Qt::SkipEmptyParts)) {
        const QString key = item.section('=', 0, 0).toUpper();
        const QString value = item.section('=', 1);
        if (key == "DRIVER")
            db.setDriver(value);
        else if (key == "UID")
            db.setUserName(value);
        else if (key == "PWD")
            db.setPassword(value);
        else
            db.Attributes() << item;
    }
}

// The same, connected, under the data module's name "Database".
inline void connectTo(THdbc& db, const TestDatabase& tdb)
{
    configureConnection(db, tdb);
    db.setName("Database");
    db.setConnected(true);
}
