#include "reports/ExportFilters.h"
#include "reports/ExportRows.h"
#include "reports/ReportFormat.h"

namespace {

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString q = text;
    q.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString csvValue(const PreparedCell& c)
{
    double n = 0;
    if (exportNumber(c, &n))
        return formatReportNumber(n, QStringLiteral("0.##########"));   // decimal comma, no grouping
    return csvField(c.text);
}

}   // namespace

// One line per detail band, the cells separated by ";", after a line with the captions of the
// column header (matched to the detail cells by position) or, without one, the element names.
bool CsvExportFilter::write(const PreparedReport& report, const QString& path, QString* error) const
{
    const PreparedBand* header = nullptr;
    const PreparedBand* firstDetail = nullptr;
    for (const PreparedBand& b : report.bands()) {
        if (!header && b.kind == ReportBandKind::ColumnHeader)
            header = &b;
        if (!firstDetail && b.kind == ReportBandKind::Detail)
            firstDetail = &b;
    }
    QString out = QString(QChar(0xFEFF));   // so that spreadsheets read it as UTF-8
    if (firstDetail) {
        QStringList captions;
        for (const PreparedCell& c : firstDetail->cells) {
            QString caption = c.name;
            if (header) {
                double best = 1e9;
                for (const PreparedCell& h : header->cells) {
                    const double overlap = std::min(c.leftMm + c.widthMm, h.leftMm + h.widthMm) - std::max(c.leftMm, h.leftMm);
                    const double distance = std::abs((c.leftMm + c.widthMm / 2) - (h.leftMm + h.widthMm / 2));
                    if (overlap > 0 && distance < best) {
                        best = distance;
                        caption = h.text;
                    }
                }
            }
            captions << csvField(caption);
        }
        out += captions.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    for (const PreparedBand& b : report.bands()) {
        if (b.kind != ReportBandKind::Detail)
            continue;
        QStringList values;
        for (const PreparedCell& c : b.cells)
            values << csvValue(c);
        out += values.join(QLatin1Char(';')) + QStringLiteral("\r\n");
    }
    return writeExportFile(path, out.toUtf8(), error);
}
