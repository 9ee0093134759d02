#include "reports/ExportFilter.h"
#include "reports/ExportFilters.h"

#include <QSaveFile>

QString ExportFilter::dialogFilter() const
{
    return QStringLiteral("%1 (*.%2)").arg(description(), extension());
}

const std::vector<const ExportFilter*>& exportFilters()
{
    static const HtmlExportFilter html;
    static const XlsxExportFilter xlsx;
    static const RtfExportFilter rtf;
    static const OdtExportFilter odt;
    static const TextExportFilter text;
    static const CsvExportFilter csv;
    static const PdfExportFilter pdf;
    static const SvgExportFilter svg;
    static const std::vector<const ExportFilter*> list{&html, &xlsx, &rtf, &odt, &text, &csv, &pdf, &svg};
    return list;
}

const ExportFilter* findExportFilter(const QString& extension)
{
    QString ext = extension;
    if (ext.startsWith(QLatin1Char('.')))
        ext.remove(0, 1);
    if (ext.compare(QLatin1String("html"), Qt::CaseInsensitive) == 0)
        ext = QStringLiteral("htm");
    for (const ExportFilter* f : exportFilters())
        if (f->extension().compare(ext, Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

const ExportFilter* findExportFilterByDescription(const QString& description)
{
    for (const ExportFilter* f : exportFilters())
        if (f->description() == description)
            return f;
    return nullptr;
}

bool writeExportFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = QStringLiteral("Datoteke %1 ni mogoče zapisati: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
