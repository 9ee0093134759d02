#pragma once
#include "reports/ReportContext.h"
#include "reports/ReportDataSource.h"
#include "reports/ReportDefinition.h"

#include <QByteArray>
#include <QString>

#include <memory>

class ReportCursor;
class ReportGenerator;
class ReportPreviewer;
class ReportPrinter;

// One run of a stored definition: its layout (REPORTDATA), what it is called, the data it may
// bind and what it knows besides.
struct ReportRunSetup {
    QByteArray reportData;      // REPORTDATA of the row
    QString code;               // REPORT
    QString name;               // NAZIV
    QString printerName;        // DEFAULTPRINTER
    ReportDataSources sources;  // bound by name (tbNapaka, Report, tbParameter...)
    ReportContext context;
};

// The main window's report designer component (ReportDesignerDialog1) as the report start uses
// it: it loads a definition from a blob, binds it to the data by name, runs it and sends it to
// the printer or to the preview. Its settings: the data module's datasets may be used, a report
// prints also when its data is empty (the start decides that), one copy per print, a
// non-modal preview. The designer window itself (editing a definition) lives elsewhere.
class TReportDesignerDialog {
public:
    // Printer and previewer may be null: a report sent there then fails with a message.
    TReportDesignerDialog(ReportPrinter* printer, ReportPreviewer* previewer, ReportCursor* cursor = nullptr);

    void setPrinter(ReportPrinter* printer) { m_printer = printer; }
    void setPreviewer(ReportPreviewer* previewer) { m_previewer = previewer; }
    void setCursor(ReportCursor* cursor) { m_cursor = cursor; }
    ReportPrinter* printer() const { return m_printer; }
    ReportPreviewer* previewer() const { return m_previewer; }
    ReportCursor* cursor() const { return m_cursor; }

    // "Print from blob": loads, runs to the end and prints one copy. Raises EReportOutput.
    void printFromBlob(const ReportRunSetup& setup) const;
    // "Preview from blob": loads and hands the run to the previewer, which makes the pages while
    // it shows them; returns at once. Raises EReportOutput.
    void previewFromBlob(const ReportRunSetup& setup) const;

    // The definition in REPORTDATA. Raises EReportOutput: "Izpis <code> (<name>) je prazen." or
    // "Izpisa <code> (<name>) ni mogoče prebrati: vrstica 12, stolpec 5: ...".
    static ReportDefinition loadDefinition(const ReportRunSetup& setup);
    // A generator over the setup's data, not started.
    static std::unique_ptr<ReportGenerator> makeGenerator(const ReportRunSetup& setup);
    // Runs the setup to its end (synchronously). Raises EReportOutput when the engine fails.
    static std::unique_ptr<ReportGenerator> runToEnd(const ReportRunSetup& setup);

private:
    ReportPrinter* m_printer;
    ReportPreviewer* m_previewer;
    ReportCursor* m_cursor;
};
