#pragma once
#include "generation/GenerationCriteria.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class LocalTable;

// What the listing ("Izpis") did.
struct ListingResult {
    enum class Outcome {
        Completed,   // both listings went to their end
        Cancelled,   // the user answered Cancel: the listing table stays empty
        Failed,      // an error ended the listing (the rows posted before it stay)
    };
    Outcome outcome = Outcome::Completed;
    int rows = 0;
    QStringList notMade;   // due templates that would make no document ("... - NI KREIRAN: reason")
    QString error;
};

// The listing of what "Kreiranje" would make, without writing to the company database: the
// listing table TObdracNapaka of the data module (tbNapaka) is created anew, the question "Ali
// res želiš izpisati dokumente ?" is asked, and unless it is answered Cancel the invoice listing
// and then the order listing fill the table. The dates and the optional partner and business
// event of the criteria select the templates as for the runs. A failure is shown with its own
// message and logged as "bIzpisClick". Needs the connected data module.
ListingResult runListingCommand(const GenerationCriteria& criteria, const std::function<void(int)>& progress = {});

// One row of the listing table.
struct ListingRow {
    int zapSt = 0;
    QString kljuc;
    QString tip;
    QString poslDog;
    QString subjekt;
    QString ident;
    double kolicina = 0;
    double cena = 0;
    double rabat = 0;
};

// The rows of the open listing table, in ZapSt order.
QList<ListingRow> readListingRows(LocalTable& table);

// The listing as text: the CSV header "ZapSt;Kljuc;Tip;PoslDog;Subjekt;Ident;Kolicina;Cena;Rabat"
// and one line per row, separated by ";", numbers with a decimal point (texts that hold ";", a
// double quote or a line break are enclosed in double quotes, inner quotes doubled).
QString listingCsvHeader();
QString listingCsvLine(const ListingRow& row);
// A number with a decimal point and no needless zeros ("10", "12.5", "0.3333"), whatever the
// locale: at most six decimals.
QString listingNumber(double value);
// One row as a line for people to read.
QString listingTextLine(const ListingRow& row);
QString listingTextHeader();
