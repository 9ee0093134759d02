#pragma once
#include "TestConnection.h"
#include "TestDatabase.h"

#include "data/odbc/THdbc.h"
#include "data/dataset/TwwOEDataSet.h"

#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// A small company of our own: items with a flag, a date and a quantity, and partners to look up.
class ControlsDatabase {
public:
    static TestDatabase& get()
    {
        static TestDatabase* tdb = [] {
            auto* t = new TestDatabase("controls");
            t->psql("SET ROLE obdrac;"
                    "CREATE TABLE Vzorec (Kljuc varchar(9) PRIMARY KEY, Naziv varchar(30), Aktivno varchar(1),"
                    " Datum timestamp, Kolicina float, Opomba varchar(40));"
                    "CREATE TABLE Partner (Naziv varchar(30) PRIMARY KEY, Naslov varchar(30), Posta varchar(10));");
            return t;
        }();
        return *tdb;
    }
    static void reset()
    {
        get().psql("TRUNCATE Vzorec, Partner;"
                   "INSERT INTO Vzorec VALUES"
                   " ('26PF00001', 'Prvi', 'T', '2026-01-15', 1.5, NULL),"
                   " ('26PF00002', 'Drugi Čšž', 'F', '2026-02-01', 2, 'opomba'),"
                   " ('26PF00003', 'Tretji', 'T', NULL, NULL, NULL);"
                   "INSERT INTO Partner VALUES ('ABC d.o.o.', 'Glavna 1', '1000'),"
                   " ('Abeceda s.p.', 'Stranska 2', '2000'), ('Čebelarstvo Žan', 'Vas 3', '3000'),"
                   " ('Zadnji', 'Konec 4', '4000');");
    }
    static QString sql(const QString& q) { return get().psql(q); }
    // The rows as reset, db connected to them and tb on the table's statement, not yet open (each
    // test adds its control types and fetch mode).
    static void sample(THdbc& db, TwwOEDataSet& tb)
    {
        reset();
        connectTo(db, get());
        tb.setName("tbVzorec");
        tb.sethDbc(&db);
        tb.setSQL("SELECT * FROM Vzorec ORDER BY Kljuc");
    }
};
