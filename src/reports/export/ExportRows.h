#pragma once
#include "reports/PreparedReport.h"

#include <vector>

// One line of a band instance: the cells that lie side by side, left to right. A band whose
// elements lie one under another (a page header with the company, the title and the criteria; a
// summary of several lines) gives one row per line, so that no cell hides another.
struct ExportRow {
    const PreparedBand* band = nullptr;
    std::vector<PreparedCell> cells;
};

// The rows that row exporters write, and a column grid over them.
//
// Page headers are written once (those of the first page), page footers not at all, column
// headers once: a file has no pages. Columns are the distinct left edges of the cells (to 1 mm),
// so that a cell lands in the column of its left edge and spans to the next cell's.
struct ExportGrid {
    std::vector<ExportRow> rows;
    std::vector<double> columnLeftMm;
    int columnOf(double leftMm) const;
    // Columns a cell spans: up to the next cell's column in its row, or to the end.
    int spanOf(const ExportRow& row, size_t cellIndex) const;
};

// Cells whose tops lie closer than this belong to one line.
inline constexpr double ExportLineToleranceMm = 2.0;
// The lines of a band: cells grouped by their top (top to bottom), each line left to right.
std::vector<ExportRow> exportLines(const PreparedBand& band);

ExportGrid exportGrid(const PreparedReport& report);
// The value of a cell as a number when it is one (numbers and money); false otherwise.
bool exportNumber(const PreparedCell& cell, double* value);
// Whether a band is a heading or total row (written bold).
bool isEmphasisedBand(const PreparedBand& band);
