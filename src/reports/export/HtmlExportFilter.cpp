#include "reports/export/ExportFilters.h"
#include "reports/export/ExportRows.h"

namespace {

QString alignStyle(const PreparedCell& c)
{
    switch (ReportHAlign(c.hAlign)) {
    case ReportHAlign::Right: return QStringLiteral(" style=\"text-align:right\"");
    case ReportHAlign::Center: return QStringLiteral(" style=\"text-align:center\"");
    default: return QString();
    }
}

}   // namespace

QByteArray HtmlExportFilter::html(const PreparedReport& report)
{
    const ExportGrid grid = exportGrid(report);
    const int columns = int(grid.columnLeftMm.size());
    QString out;
    out += QStringLiteral("<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"sl\">\n<head>\n"
                          "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"/>\n");
    out += QStringLiteral("<title>%1</title>\n").arg(report.title().toHtmlEscaped());
    out += QStringLiteral("<style>body{font-family:'DejaVu Sans',Arial,sans-serif;font-size:10pt}"
                          "table{border-collapse:collapse}td{padding:1px 6px;vertical-align:top}"
                          "tr.s td{font-weight:bold}tr.g td{font-weight:bold;padding-top:6px}</style>\n</head>\n<body>\n");
    out += QStringLiteral("<table>\n");
    for (const ExportRow& row : grid.rows) {
        const PreparedBand* b = row.band;
        const bool group = b->kind == ReportBandKind::GroupHeader;
        out += group ? QStringLiteral("<tr class=\"g\">")
                     : (isEmphasisedBand(*b) ? QStringLiteral("<tr class=\"s\">") : QStringLiteral("<tr>"));
        int col = 0;
        for (size_t i = 0; i < row.cells.size(); ++i) {
            const PreparedCell& c = row.cells[i];
            const int at = grid.columnOf(c.leftMm);
            if (at < col)
                continue;   // overlaps the previous cell: its text joins no column
            if (at > col)
                out += at - col == 1 ? QStringLiteral("<td></td>") : QStringLiteral("<td colspan=\"%1\"></td>").arg(at - col);
            const int span = std::min(grid.spanOf(row, i), columns - at);
            out += span > 1 ? QStringLiteral("<td colspan=\"%1\"%2>").arg(span).arg(alignStyle(c))
                            : QStringLiteral("<td%1>").arg(alignStyle(c));
            out += c.text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br/>"));
            out += QStringLiteral("</td>");
            col = at + span;
        }
        if (col < columns)
            out += columns - col == 1 ? QStringLiteral("<td></td>") : QStringLiteral("<td colspan=\"%1\"></td>").arg(columns - col);
        out += QStringLiteral("</tr>\n");
    }
    out += QStringLiteral("</table>\n</body>\n</html>\n");
    return out.toUtf8();
}

bool HtmlExportFilter::write(const PreparedReport& report, const QString& path, QString* error) const
{
    return writeExportFile(path, html(report), error);
}
