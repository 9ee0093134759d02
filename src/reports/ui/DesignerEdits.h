#pragma once
#include "reports/ReportDefinition.h"
#include "reports/ui/DesignerDocument.h"

#include <QByteArray>
#include <QPointF>

#include <optional>
#include <vector>

// The designer's edits of a definition, as plain functions (each is one undo step when the
// designer runs it through DesignerDocument::edit). Measures in millimetres.
namespace DesignerEdits {

inline constexpr double MinBandHeightMm = 2;
inline constexpr double MinElementSizeMm = 1;

// A band of the kind with a fresh name, put where that kind belongs among the bands (title first,
// page footer last, group headers before the detail, group footers after it); returns its index.
int addBand(ReportDefinition& d, ReportBandKind kind);
void removeBand(ReportDefinition& d, int band);
// Moves the band one place up (-1) or down (+1); false when it cannot go further.
bool moveBand(ReportDefinition& d, int band, int direction);
void setBandHeight(ReportDefinition& d, int band, double heightMm);

// A new element of the kind at the position, sized for its kind, with a fresh name.
DesignerElementRef addElement(ReportDefinition& d, int band, ReportElementKind kind, QPointF topLeftMm);
void removeElements(ReportDefinition& d, std::vector<DesignerElementRef> refs);

// Moves the elements by the distance; an element whose top leaves its band goes into the band
// it now lies in (kept inside the page's printable width). Returns the references after the move.
std::vector<DesignerElementRef> moveElements(ReportDefinition& d, const std::vector<DesignerElementRef>& refs,
                                             QPointF deltaMm, const std::vector<double>& bandTopsMm = {});
void resizeElement(ReportDefinition& d, const DesignerElementRef& ref, double widthMm, double heightMm);

enum class Alignment { Left, Right, Top, Bottom, HCenter, SameWidth, SameHeight };
// Aligns the elements to the first of them.
void align(ReportDefinition& d, const std::vector<DesignerElementRef>& refs, Alignment how);

// v rounded to the grid (a step of 0 leaves it).
double snap(double v, double stepMm);

// The elements as clipboard text (a definition of one band holding copies of them), and back:
// pasted into the band, shifted by the offset, with fresh names; returns the new references.
QByteArray copyElements(const ReportDefinition& d, const std::vector<DesignerElementRef>& refs);
std::vector<DesignerElementRef> pasteElements(ReportDefinition& d, int band, const QByteArray& clip, QPointF offsetMm);

} // namespace DesignerEdits
