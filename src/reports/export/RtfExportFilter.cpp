#include "reports/export/ExportFilters.h"
#include "reports/export/ExportRows.h"

namespace {

// RTF is 7-bit: every other character is written as \uN? (N signed 16-bit).
QByteArray rtfText(const QString& text)
{
    QByteArray out;
    for (QChar c : text) {
        const ushort u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u == '\n') {
            out += "\\line ";
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u < 0x80) {
            out += char(u);
        } else {
            out += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }
    return out;
}

int twips(double mm) { return int(mm * 1440 / 25.4 + 0.5); }

}   // namespace

// Each line of a band is a paragraph with a tab stop per cell (right-aligned cells on right
// tabs), so that the columns line up in a word processor as on the page.
bool RtfExportFilter::write(const PreparedReport& report, const QString& path, QString* error) const
{
    const ExportGrid grid = exportGrid(report);
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fswiss DejaVu Sans;}}\n"
                     "{\\info{\\title " + rtfText(report.title()) + "}}\n"
                     "\\paperw11906\\paperh16838\\margl850\\margr680\\margt680\\margb680\\f0\\fs18\n";
    for (const ExportRow& row : grid.rows) {
        QByteArray tabs;
        QByteArray line;
        for (size_t i = 0; i < row.cells.size(); ++i) {
            const PreparedCell& c = row.cells[i];
            const auto align = ReportHAlign(c.hAlign);
            if (i > 0 || c.leftMm > 0.5 || align != ReportHAlign::Left) {
                if (align == ReportHAlign::Right)
                    tabs += "\\tqr\\tx" + QByteArray::number(twips(c.leftMm + c.widthMm));
                else if (align == ReportHAlign::Center)
                    tabs += "\\tqc\\tx" + QByteArray::number(twips(c.leftMm + c.widthMm / 2));
                else
                    tabs += "\\tx" + QByteArray::number(twips(c.leftMm));
                line += "\\tab ";
            }
            line += rtfText(QString(c.text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        }
        out += "\\pard" + tabs + (isEmphasisedBand(*row.band) ? "\\b " : "\\b0 ") + line + "\\par\n";
    }
    out += "}\n";
    return writeExportFile(path, out, error);
}
