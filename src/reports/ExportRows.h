#pragma once
#include "reports/PreparedReport.h"

#include <vector>

// The band instances that row exporters write, and a column grid over them.
//
// Page headers are written once (those of the first page), page footers not at all, column
// headers once: a file has no pages. Columns are the distinct left edges of the cells (to 1 mm),
// so that a cell lands in the column of its left edge and spans to the next cell's.
struct ExportGrid {
    std::vector<const PreparedBand*> bands;
    std::vector<double> columnLeftMm;
    int columnOf(double leftMm) const;
    // Columns a cell spans: up to the next cell's column in its band, or to the end.
    int spanOf(const PreparedBand& band, size_t cellIndex) const;
};

ExportGrid exportGrid(const PreparedReport& report);
// The value of a cell as a number when it is one (numbers and money); false otherwise.
bool exportNumber(const PreparedCell& cell, double* value);
// Whether a band is a heading or total row (written bold).
bool isEmphasisedBand(const PreparedBand& band);
