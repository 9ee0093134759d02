#include "reports/ExportRows.h"
#include "reports/ReportFormat.h"

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

int ExportGrid::spanOf(const PreparedBand& band, size_t cellIndex) const
{
    const int from = columnOf(band.cells[cellIndex].leftMm);
    int to = int(columnLeftMm.size());
    if (cellIndex + 1 < band.cells.size())
        to = std::max(from + 1, columnOf(band.cells[cellIndex + 1].leftMm));
    return std::max(1, to - from);
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
        grid.bands.push_back(&b);
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
