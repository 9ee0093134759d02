#pragma once
#include "generation/GenerationCriteria.h"

#include <QMap>
#include <QObject>
#include <QString>

#include <functional>

class TReportDesignerDialog;

// The printing run of page "Kreiranje" ("Izpis"): what the creation runs would make for the
// page's criteria, printed through the stored report of form name "ObdracIzpis" (default code
// "27K"), without writing anything to the company database.

inline const QString ListingFormName = QStringLiteral("ObdracIzpis");
inline const QString ListingDefaultCode = QStringLiteral("27K");

// bIzpisClick, in this order:
//  1. the listing table TObdracNapaka (tbNapaka) defined anew, created empty (an existing one is
//     replaced) and opened with OpenTable and messages;
//  2. the question "Ali res želiš izpisati dokumente ?" (OK, Cancel); unless Cancel, the invoice
//     listing and then the order listing fill the table (progress 0 to 100 for each);
//  3. the table moved to its first row and the report started: StartQRDPrint(designer, origin,
//     tbNapaka, "ObdracIzpis", "27K") with the criteria as texts (listingCriteria). Cancel thus
//     still starts the report, over the empty table.
// A failure in 1 or 2 ends the run with an error box (the message of OpenTable, shown by it, or
// the failure's own) and the log entry "bIzpisClick"; rows already listed stay in the table and
// the report is not started. Returns what StartQRDPrint returned (false when it was not started).
bool bIzpisClick(TReportDesignerDialog& designer, QObject* origin, const GenerationCriteria& criteria,
                 const std::function<void(int)>& progress = {});

// Steps 1 and 2 only: the listing table made for the criteria (for tools that print it
// themselves). False when a failure ended them (shown and logged as above); cancelled tells
// whether the question was answered Cancel.
bool makeListing(const GenerationCriteria& criteria, const std::function<void(int)>& progress, bool* cancelled = nullptr);

// The criteria as the listing prints them: "Obdobje" (the period's first day, "d. M. yyyy"),
// "Partner" and "Poslovni dogodek" (the text of the page, "vsi" when empty).
QMap<QString, QString> listingCriteria(const GenerationCriteria& criteria);
