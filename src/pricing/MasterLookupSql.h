#pragma once
#include "data/odbc/SqlDialect.h"

#include <QDate>
#include <QString>

#include <utility>
#include <vector>

// The statement texts of the master-data lookups. Every value is placed between single quotes
// with its apostrophes doubled, so a partner named "O'Neil d.o.o." is found and no value can end
// the literal early.
//
// The texts are the suite's SQL. On PostgreSQL one column name needs quoting: Subjekt.Limit
// (LIMIT is a reserved word there) is written "limit".

// "SELECT <the 74 item columns> FROM MS WHERE Ident = 'K'"; when K holds "%":
// "... FROM MS WHERE Ident LIKE 'K' ORDER BY Ident".
QString sqlFindMS(const QString& key);
// The items of several codes at once: "SELECT <the 74 item columns>, Ident FROM MS WHERE Ident IN
// ('K1', 'K2', ...)"; the last column is the code the server matched.
QString sqlFindMSIn(const QStringList& keys);
// "SELECT <the 61 partner columns> FROM Subjekt WHERE Naziv = 'K'".
QString sqlFindSubj(const QString& key, SqlDialect::Kind dialect = SqlDialect::Kind::SqlServer);
// The partners of several names at once: "SELECT <the 61 partner columns>, Naziv FROM Subjekt
// WHERE Naziv IN ('K1', 'K2', ...)"; the last column is the name the server matched.
QString sqlFindSubjIn(const QStringList& keys, SqlDialect::Kind dialect = SqlDialect::Kind::SqlServer);
// "SELECT <the 119 business-event columns> FROM PoslDog WHERE PoslDog = 'K'".
QString sqlFindPoslDog(const QString& key);
// "SELECT Naziv, Tip FROM VrstaMS WHERE VrstaMS = 'K'".
QString sqlFindVrstaMS(const QString& key);
// "SELECT Naziv, TarifStev, Davek, ... FROM TarSt WHERE TS = 'K'".
QString sqlFindTarSt(const QString& key);
// "SELECT Naziv, Formula FROM MsFormula WHERE Sifra = 'K'".
QString sqlFindMsForm(const QString& key);
// "SELECT Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok, RokPlacila
//  FROM SubjektCenik WHERE Subjekt = 'S' AND Ident = 'I' AND PreIzd = 'P'".
QString sqlFindSubjCenik(const QString& subjekt, const QString& ident, const QString& preIzd);
// The contract price-list row of the first pair that has one, in one statement:
// "SELECT <the columns above>, CASE WHEN Subjekt = 'S0' AND Ident = 'I0' THEN 0 WHEN ... END
//  FROM SubjektCenik WHERE PreIzd = 'P' AND ((Subjekt = 'S0' AND Ident = 'I0') OR ...) ORDER BY 11":
// the row of the earliest pair comes first; its column 11 is the pair's index. The server
// compares as it does for sqlFindSubjCenik.
QString sqlFindSubjCenikFirst(const std::vector<std::pair<QString, QString>>& pairs, const QString& preIzd);
// The contract price-list rows of one subject and side (columns as sqlFindSubjCenik):
// "... FROM SubjektCenik WHERE Subjekt = 'S' AND PreIzd = 'P'".
QString sqlSubjCenikRows(const QString& subjekt, const QString& preIzd);
// The same for several subjects: "... WHERE Subjekt IN ('S1', 'S2') AND PreIzd = 'P'".
QString sqlSubjCenikRowsIn(const QStringList& subjekti, const QString& preIzd);
// The subjects that have contract price-list rows on the side:
// "SELECT DISTINCT Subjekt FROM SubjektCenik WHERE PreIzd = 'P'".
QString sqlSubjCenikSubjects(const QString& preIzd);
// "SELECT Tecaj FROM Tecaj WHERE Banka = 'B' AND Valuta = 'V' AND Datum <= 'yyyy/mm/dd'
//  ORDER BY Datum DESC": the latest rate dated on or before the date comes first.
QString sqlPoisciTecaj(const QString& banka, const QString& valuta, const QDate& datum);
// "SELECT KontOseba FROM KontOs WHERE Subjekt = 'S' ORDER BY Poz".
QString sqlPoisciKontOs(const QString& subjekt);
