#include "reports/ui/ReportPageView.h"
#include "reports/PreparedReport.h"

ReportPageView::ReportPageView(QWidget* parent) : QAbstractScrollArea(parent) {}
void ReportPageView::setReport(const PreparedReport* r) { m_report = r; }
int ReportPageView::pageCount() const { return m_report ? m_report->pageCount() : 0; }
int ReportPageView::zoomPercent() const { return m_percent; }
bool ReportPageView::print(QPrinter&, QString*) const { return false; }
bool ReportPageView::printWithDialog() { return false; }
void ReportPageView::pageAdded() {}
void ReportPageView::refresh() {}
void ReportPageView::firstPage() {}
void ReportPageView::prevPage() {}
void ReportPageView::nextPage() {}
void ReportPageView::lastPage() {}
void ReportPageView::setCurrentPage(int) {}
void ReportPageView::setZoomPercent(int) {}
void ReportPageView::zoomToWidth() {}
void ReportPageView::zoomWholePage() {}
void ReportPageView::paintEvent(QPaintEvent*) {}
void ReportPageView::resizeEvent(QResizeEvent*) {}
void ReportPageView::keyPressEvent(QKeyEvent*) {}
void ReportPageView::wheelEvent(QWheelEvent*) {}
double ReportPageView::pixelsPerMm() const { return 1; }
QSizeF ReportPageView::currentPageSizeMm() const { return {}; }
void ReportPageView::updateScrollBars() {}
void ReportPageView::emitPageChanged() {}
