#pragma once
#include "printing/ReportStartDataSet.h"
#include "printing/TReportDesignerDialog.h"

#include <QMap>
#include <QObject>
#include <QString>

#include <optional>

// The report start: every printout of the program goes through StartQRDPrint, which finds the
// definition in table Report (the variant chosen for the form name in ReportSort, else the
// default code), checks the data and prints it or shows it in the preview.
//
//   StartQRDPrint(designer, bIzpis, ReportStartDataSet(module.tbNapaka, "tbNapaka"),
//                 "ObdracIzpis", "27K", criteria);
//
// Steps (the data module's Report is left positioned on the definition used):
//  1. hourglass cursor; PrintOrigin := origin;
//  2. chosen code C := ReportSort/<form name>, default D;
//  3. Report positioned on C, else on D, else the error "Izpis ne obstaja v bazi !?!" and false;
//  4. when the row's FORMNAME differs from the form name (case ignored), Report positioned on D,
//     silently false when that fails; D is used whatever its form name;
//  5. with a dataset: ORDERBY (when not empty and the dataset is a live SQL dataset) through
//     sqlSetOrder; an open dataset moved to its first record, a closed one opened with OpenTable
//     (with messages); printable := PRINTIFEMPTY is "T" or the dataset has a record; without a
//     dataset printable is true;
//  6. not printable: the information "Ni nobenega zapisa !" and false;
//  7. PRINTTOTEXT "T": nothing is output (true); PREVIEW "F": printed NOOFCOPY times (none for 0
//     or less); NOOFCOPY 2 or more: printed NOOFCOPY times without preview; otherwise previewed;
//     true;
//  8. the default cursor back in every case. A failure in 2 to 7 is logged as "StartQRDPrint"
//     (the application as sender) and gives false; a report that cannot be made or printed
//     (EReportOutput: damaged definition, engine or printer failure) is also shown to the user.
//
// criteria: texts the definition can print (CRITERIA('Obdobje')): the choices the printout was
// made for.
bool StartQRDPrint(TReportDesignerDialog& designer, QObject* origin, const ReportStartDataSet& dataSet,
                   const QString& FormName, const QString& DefaultCode, const QMap<QString, QString>& criteria = {});

// A definition found and its data checked: what step 7 works with.
struct ReportStartChoice {
    ReportRunSetup setup;
    bool preview = true;       // PREVIEW is not "F"
    bool printToText = false;  // PRINTTOTEXT is "T"
    int noOfCopy = 1;          // NOOFCOPY
};

// Steps 2 to 6 without cursor, origin and output (for tools that write the report to a file):
// the definition positioned in Report and the data checked, with the messages of the start;
// nothing when the start ends there. Failures are raised.
std::optional<ReportStartChoice> chooseReport(const ReportStartDataSet& dataSet, const QString& FormName,
                                              const QString& DefaultCode, const QMap<QString, QString>& criteria = {});

// Positions the data module's Report on the code (sqlFindKey); false when there is no such row.
bool positionReport(const QString& code);
