#pragma once
#include "data/core/MessageException.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// How the report designer keeps definitions in table Report. The designer works on the row the
// data module's Report stands on and keeps that row's code, name and form name as its current
// ones; its commands Open, Save, Save as and "S" read and write rows through Report.
//
// Save as never loses a report: a replaced report is rewritten in place by one UPDATE (code
// kept, the row made as a new one would be), so that a failure leaves the old report as it was;
// a new report is one INSERT.

// The report the designer works on.
struct DesignerReport {
    QString code;       // REPORT
    QString name;       // NAZIV
    QString formName;   // FORMNAME: the report group
};

// One row of the lists of Open and Save as.
struct ReportListRow {
    QString code;
    QString name;
};

// A save that cannot be done; the message is for the user.
class EReportSave : public MessageException {
public:
    using MessageException::MessageException;
};

// The reports of a form name: "SELECT Report, Naziv FROM Report WHERE FormName = '<form name>'
// ORDER BY Report" (the form name quoted as a text literal). Raises on a database failure.
std::vector<ReportListRow> reportsOfForm(const QString& formName);

// Positions Report on the code and reads its row; raises EReportSave when there is none.
DesignerReport openStoredReport(const QString& code, QByteArray* reportData);

// --- Save as ---------------------------------------------------------------------------------

struct SaveAsTarget {
    enum class Kind {
        Refused,   // the name of the first listed report, a system report or an empty name
        Replace,   // a later listed report of that name: asked first, then rewritten
        New,       // no listed report has that name
    };
    Kind kind = Kind::New;
    QString code;      // Replace: the report's code
    QString message;   // Refused: the error to show
};

// The rule of "Shrani" in the Save as dialog: the typed name (blanks around it ignored) is
// compared, in list order, with the listed names: the first listed report's name is refused
// with "Ime je že zasedeno! Prosim izberite drugo ime."; a later report's name means replacing
// that report, unless it is a system report (a code below A00 or not a hexadecimal number),
// which is refused the same way; no match means a new report. An empty name is refused with
// "Vpišite ime izpisa !".
SaveAsTarget chooseSaveAsTarget(const std::vector<ReportListRow>& rows, const QString& typedName);

// The question asked before a replace.
QString replaceQuestion(const QString& name);

// The code of a new user report: one above the highest code that is a hexadecimal number,
// written as three upper-case hexadecimal digits, at least "A00". Codes that are not
// hexadecimal numbers (the listing's "27K") are passed over. When the next code would need four
// digits, the lowest free code from A00 up is taken; raises EReportSave when none is left.
QString nextUserReportCode(const QStringList& codes);
// The same over "SELECT Report FROM Report ORDER BY Report DESC".
QString nextUserReportCode();

// Writes the layout as a report of the current form name under the typed name: rewrites the
// Replace target in place, or inserts a new row under nextUserReportCode(). Both get the
// defaults of a new definition (ReportNewRecord), REPORT, NAZIV, FORMNAME and PARENTFORMNAME
// (the current form name) and REPORTDATA; Report is left on the written row. Returns the new
// current report. Raises on failure (nothing is changed then).
DesignerReport saveReportAs(const DesignerReport& current, const SaveAsTarget& target, const QString& typedName,
                            const QByteArray& layout);

// --- Save and "S" ----------------------------------------------------------------------------

// Whether Save has to go to Save as: the current code is a system report's. Raises EReportSave
// with a message for the user when the code is not a hexadecimal number ("27K"): such a report
// cannot be saved under its code, and nothing is saved.
bool saveNeedsSaveAs(const QString& code);

// Writes the layout into REPORTDATA of the row of the code and posts it (Save of a user report,
// and "S", which writes whatever the class of the code). Raises on failure.
void writeReportLayout(const QString& code, const QByteArray& layout);
