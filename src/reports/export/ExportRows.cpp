#include "reports/export/ExportRows.h"
#include "reports/expression/ReportFormat.h"

#include <algorithm>
#include <cmath>
#include <set>

int ExportGrid::columnOf(double leftMm) const
{
    const double key = std::round(leftMm);
    int best = 0;
    for (size_t i = 0; i < columnLeftMm.size(); ++i)
        if (columnLeftMm[i] <= key)
            best = int(i);
    return best;
}

int ExportGrid::spanOf(const ExportRow& row, size_t cellIndex) const
{
    const int from = columnOf(row.cells[cellIndex].leftMm);
    int to = int(columnLeftMm.size());
    if (cellIndex + 1 < row.cells.size())
        to = std::max(from + 1, columnOf(row.cells[cellIndex + 1].leftMm));
    return std::max(1, to - from);
}

std::vector<ExportRow> exportLines(const PreparedBand& band)
{
    std::vector<PreparedCell> cells = band.cells;
    std::stable_sort(cells.begin(), cells.end(),
                     [](const PreparedCell& a, const PreparedCell& b) { return a.topMm < b.topMm; });
    std::vector<ExportRow> lines;
    double lineTop = 0;
    for (PreparedCell& c : cells) {
        if (lines.empty() || c.topMm >= lineTop + ExportLineToleranceMm) {
            lines.push_back(ExportRow{&band, {}});
            lineTop = c.topMm;
        }
        lines.back().cells.push_back(std::move(c));
    }
    for (ExportRow& line : lines)
        std::stable_sort(line.cells.begin(), line.cells.end(),
                         [](const PreparedCell& a, const PreparedCell& b) { return a.leftMm < b.leftMm; });
    return lines;
}

ExportGrid exportGrid(const PreparedReport& report)
{
    ExportGrid grid;
    bool pageHeaderDone = false;
    bool columnHeaderDone = false;
    int firstHeaderPage = -1;
    std::set<double> lefts;
    for (const PreparedBand& b : report.bands()) {
        if (b.kind == ReportBandKind::PageFooter)
            continue;
        if (b.kind == ReportBandKind::PageHeader) {
            if (pageHeaderDone && b.page != firstHeaderPage)
                continue;
            pageHeaderDone = true;
            firstHeaderPage = b.page;
        }
        if (b.kind == ReportBandKind::ColumnHeader) {
            if (columnHeaderDone)
                continue;
            columnHeaderDone = true;
        }
        if (b.cells.empty())
            continue;
        for (ExportRow& line : exportLines(b))
            grid.rows.push_back(std::move(line));
        for (const auto& c : b.cells)
            lefts.insert(std::round(c.leftMm));
    }
    grid.columnLeftMm.assign(lefts.begin(), lefts.end());
    if (grid.columnLeftMm.empty())
        grid.columnLeftMm.push_back(0);
    return grid;
}

bool exportNumber(const PreparedCell& cell, double* value)
{
    if (cell.kind != ReportFieldKind::Number && cell.kind != ReportFieldKind::Money)
        return false;
    if (!cell.value.isValid() || cell.value.isNull())
        return false;
    return reportNumber(cell.value, value) && std::isfinite(*value);
}

bool isEmphasisedBand(const PreparedBand& band)
{
    switch (band.kind) {
    case ReportBandKind::Title: case ReportBandKind::ColumnHeader: case ReportBandKind::GroupHeader:
    case ReportBandKind::GroupFooter: case ReportBandKind::Summary:
        return true;
    default:
        return false;
    }
}
