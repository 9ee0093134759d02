#pragma once
#include <QByteArray>
#include <QString>

#include <vector>

class TDataSif;

// The report definitions that ship with the program (system reports, codes below A00), kept in
// db/reports/ and built into the program: reports.tsv lists code, name, form name and file of
// each; the files hold the definitions in the engine's format. The database set-up of a new
// company loads the same files (scripts/dbsetup.sh).

struct ShippedReport {
    QString code;       // REPORT
    QString name;       // NAZIV
    QString formName;   // FORMNAME and PARENTFORMNAME
    QString file;       // file name in db/reports
};

// The list of reports.tsv, in its order. Raises Exception when the built-in list is damaged (a
// code that is not a system code included).
std::vector<ShippedReport> shippedReports();
// The definition of a shipped report. Raises Exception when it is missing.
QByteArray shippedReportData(const ShippedReport& report);

// What installShippedReports did with one code.
struct InstalledReport {
    enum class Action { Added, Updated, Unchanged };
    QString code;
    Action action = Action::Unchanged;
};

// Adds the shipped reports that are missing from table Report and brings those that differ up
// to date (REPORTDATA, NAZIV, FORMNAME, PARENTFORMNAME; the print options the company chose, such
// as PREVIEW, NOOFCOPY or DEFAULTPRINTER, stay). A new row gets the defaults of a new definition
// (ReportNewRecord). The user's own variants (codes from A00 up) are never touched. Works through
// the data module's Report, which is left closed. Failures are raised.
std::vector<InstalledReport> installShippedReports(TDataSif& module);
