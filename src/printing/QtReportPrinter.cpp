#include "printing/QtReportPrinter.h"

#include "reports/ReportPrinting.h"

#include <QPrinter>
#include <QPrinterInfo>

QString QtReportPrinter::choosePrinter(const QString& requested, const QStringList& installed, const QString& defaultPrinter)
{
    const QString name = requested.trimmed();
    if (!name.isEmpty()) {
        if (installed.contains(name))
            return name;
        for (const QString& p : installed)
            if (p.compare(name, Qt::CaseInsensitive) == 0)
                return p;
    }
    return defaultPrinter;
}

QString QtReportPrinter::printerFor(const QString& requested)
{
    return choosePrinter(requested, QPrinterInfo::availablePrinterNames(), QPrinterInfo::defaultPrinterName());
}

void QtReportPrinter::printReport(const PreparedReport& report, const QString& printerName, const QString& documentName)
{
    const QString target = printerFor(printerName);
    if (target.isEmpty())
        throw EReportOutput(QStringLiteral("Na računalniku ni nameščenega tiskalnika, izpisa ni mogoče natisniti."));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(target);
    if (!printer.isValid())
        throw EReportOutput(QStringLiteral("Tiskalnik \"") + target + QStringLiteral("\" ni dosegljiv."));
    printer.setDocName(documentName);
    printer.setCopyCount(1);
    QString error;
    if (!printPreparedReport(report, printer, &error))
        throw EReportOutput(QStringLiteral("Tiskanje na \"") + target + QStringLiteral("\" ni uspelo: ") + error);
}
