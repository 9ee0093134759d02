#include "reports/ExportFilters.h"

#include <QTextDocument>
#include <QTextDocumentWriter>

bool OdtExportFilter::write(const PreparedReport& report, const QString& path, QString* error) const
{
    QTextDocument document;
    document.setHtml(QString::fromUtf8(HtmlExportFilter::html(report)));
    document.setMetaInformation(QTextDocument::DocumentTitle, report.title());
    QTextDocumentWriter writer(path, "odf");
    if (!writer.write(&document)) {
        if (error)
            *error = QStringLiteral("Datoteke %1 ni mogoče zapisati.").arg(path);
        return false;
    }
    return true;
}
