#include "reports/export/ExportFilters.h"
#include "reports/export/ExportRows.h"

#include <cmath>

namespace {

constexpr double mmPerCharacter = 2.0;   // 90 characters across an A4 listing

}   // namespace

// Each line of a band is one line (a memo adds lines), its cells at their positions in characters;
// right-aligned cells end where their box ends.
bool TextExportFilter::write(const PreparedReport& report, const QString& path, QString* error) const
{
    const ExportGrid grid = exportGrid(report);
    QString out;
    for (const ExportRow& row : grid.rows) {
        std::vector<QString> lines(1);
        for (const PreparedCell& c : row.cells) {
            const QStringList parts = c.text.split(QLatin1Char('\n'));
            for (int k = 0; k < parts.size(); ++k) {
                if (size_t(k) >= lines.size())
                    lines.emplace_back();
                QString& line = lines[size_t(k)];
                const int left = int(std::lround(c.leftMm / mmPerCharacter));
                const int width = std::max(1, int(std::lround(c.widthMm / mmPerCharacter)));
                QString text = parts[k];
                int at = left;
                if (ReportHAlign(c.hAlign) == ReportHAlign::Right)
                    at = std::max(left, left + width - int(text.size()));
                else if (ReportHAlign(c.hAlign) == ReportHAlign::Center)
                    at = std::max(left, left + (width - int(text.size())) / 2);
                if (line.size() < at)
                    line += QString(at - line.size(), QLatin1Char(' '));
                else if (line.size() > at && !line.endsWith(QLatin1Char(' ')))
                    line += QLatin1Char(' ');
                line += text;
            }
        }
        for (const QString& l : lines)
            out += l + QLatin1Char('\n');
    }
    return writeExportFile(path, out.toUtf8(), error);
}
