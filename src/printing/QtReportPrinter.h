#pragma once
#include "printing/ReportOutput.h"

#include <QString>
#include <QStringList>

// Prints through QPrinter on the workstation's printers (CUPS): the printer the definition names
// in DEFAULTPRINTER when such a printer is installed, otherwise the default printer. One job per
// printReport call, titled with the document name.
class QtReportPrinter : public ReportPrinter {
public:
    void printReport(const PreparedReport& report, const QString& printerName, const QString& documentName) override;

    // The printer a report goes to: requested when it is one of the installed printers (exact
    // name first, then without regard to case), else the default printer; empty when there is
    // none at all.
    static QString choosePrinter(const QString& requested, const QStringList& installed, const QString& defaultPrinter);
    // The choice among the printers installed now.
    static QString printerFor(const QString& requested);
};
