#pragma once
#include "data/core/MessageException.h"

#include <QString>

#include <memory>

class PreparedReport;
class ReportGenerator;

// Where a started report goes. The report start (ReportStart.h) decides, from the definition's
// options, whether a report is printed or previewed; these interfaces do it. The windowed program
// installs the printer (QPrinter, printing/ui/QtReportPrinter) and a previewer (the preview
// window); tests and the command-line tools install their own.

// A report could not be made or sent on: the definition is unreadable, the engine failed, the
// printer refused it. The message is for the user (Slovenian).
class EReportOutput : public MessageException {
public:
    using MessageException::MessageException;
};

// Prints a prepared report once.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;
    // printerName: the definition's DEFAULTPRINTER; a name that is not an installed printer
    // (such as "Privzet tiskalnik") means the default printer. documentName: the job's title.
    // Raises EReportOutput.
    virtual void printReport(const PreparedReport& report, const QString& printerName, const QString& documentName) = 0;
};

// Shows a report in the preview while its pages are being made.
class ReportPreviewer {
public:
    virtual ~ReportPreviewer() = default;
    // Takes the run over before it has started: the previewer shows generator->prepared(),
    // starts the generator (start(): pages are made in slices while the preview is usable) and
    // cancels it when the preview closes or shows another report. Returns at once, without
    // waiting for the preview to close. The definition the run prints is the row of the data
    // module's Report.
    virtual void showPreview(std::unique_ptr<ReportGenerator> generator) = 0;
};

// The mouse cursor of a report start: the hourglass while it works, the default cursor after it.
class ReportCursor {
public:
    virtual ~ReportCursor() = default;
    virtual void setBusy(bool busy) = 0;
};
