#include "printing/PreviewReportFiles.h"

#include "data/log/ErrorLog.h"
#include "data/log/MessageBoxes.h"
#include "printing/EExportFailed.h"
#include "reports/ExportFilter.h"
#include "reports/PreparedReport.h"

QStringList SaveReportFilters()
{
    QStringList filters{QStringLiteral("Pripravljen izpis (*.%1)").arg(SaveReportDefaultSuffix)};
    for (const ExportFilter* filter : exportFilters())
        filters << filter->dialogFilter();
    return filters;
}

QString SaveReportExtension(int filterIndex)
{
    const auto& filters = exportFilters();
    if (filterIndex <= 0 || filterIndex > int(filters.size()))
        return SaveReportDefaultSuffix;
    return filters[size_t(filterIndex - 1)]->extension();
}

void SaveReportAs(const PreparedReport& report, const QString& path, int filterIndex)
{
    const auto& filters = exportFilters();
    QString error;
    if (filterIndex <= 0) {
        if (!report.saveToFile(path, &error))
            throw EExportFailed(error);
        return;
    }
    if (filterIndex > int(filters.size()))
        throw EExportFailed(QStringLiteral("Izbrane oblike zapisa ni (filter %1).").arg(filterIndex));
    if (!filters[size_t(filterIndex - 1)]->write(report, path, &error))
        throw EExportFailed(error);
}

void WriteReportAs(const PreparedReport& report, const QString& extension, const QString& path)
{
    const ExportFilter* filter = findExportFilter(extension);
    if (!filter)
        throw EExportFailed(QStringLiteral("Ne najdem filtra za pretvorbo v obliko %1.").arg(extension));
    QString error;
    if (!filter->write(report, path, &error))
        throw EExportFailed(error);
}

bool ConvertToHTMLFile(const PreparedReport& report, const QString& path)
{
    const ExportFilter* html = findExportFilterByDescription(HtmlFilterDescription);
    if (!html) {
        showError(QStringLiteral("Ne nejdem filtra za pretvorbo v HTML!"));
        return false;
    }
    QString error;
    if (!html->write(report, path, &error)) {
        ShowAndLogError(EExportFailed(error), QStringLiteral("TFormPrvw"), QStringLiteral("ConvertToHTMLFile"),
                        QStringLiteral("Izpisa ni mogoče pretvoriti v HTML"));
        return false;
    }
    return true;
}
