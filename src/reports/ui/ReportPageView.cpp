#include "reports/ui/ReportPageView.h"
#include "reports/PreparedReport.h"
#include "reports/ReportPrinting.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

namespace {

constexpr int pageMargin = 12;        // pixels around the page
constexpr int minPercent = 10;
constexpr int maxPercent = 400;

}   // namespace

ReportPageView::ReportPageView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
    // Always there, so that fitting the page to the width does not make it appear and disappear.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void ReportPageView::setReport(const PreparedReport* report)
{
    m_report = report;
    m_page = pageCount() > 0 ? 1 : 0;
    m_lastCount = -1;
    refresh();
    verticalScrollBar()->setValue(0);
}

int ReportPageView::pageCount() const
{
    return m_report ? m_report->pageCount() : 0;
}

QSizeF ReportPageView::currentPageSizeMm() const
{
    if (!m_report || m_page < 1)
        return QSizeF(210, 297);
    return m_report->pageSizeMm(m_page - 1);
}

double ReportPageView::pixelsPerMm() const
{
    const QSizeF mm = currentPageSizeMm();
    const double screen = logicalDpiX() / 25.4;
    const QSize room = viewport()->size() - QSize(2 * pageMargin, 2 * pageMargin);
    switch (m_mode) {
    case ZoomMode::PageWidth:
        return std::max(0.2, room.width() / mm.width());
    case ZoomMode::WholePage:
        return std::max(0.2, std::min(room.width() / mm.width(), room.height() / mm.height()));
    case ZoomMode::Percent:
        break;
    }
    return screen * m_percent / 100.0;
}

int ReportPageView::zoomPercent() const
{
    if (m_mode == ZoomMode::Percent)
        return m_percent;
    return int(std::lround(pixelsPerMm() / (logicalDpiX() / 25.4) * 100));
}

bool ReportPageView::print(QPrinter& printer, QString* error) const
{
    if (!m_report || m_report->pageCount() == 0) {
        if (error)
            *error = QStringLiteral("Ni strani za tiskanje.");
        return false;
    }
    return printPreparedReport(*m_report, printer, error);
}

bool ReportPageView::printWithDialog()
{
    if (!m_report || m_report->pageCount() == 0)
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_report->title());
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, m_report->pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    int from = 0, to = m_report->pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage() - 1;
        to = std::max(from, printer.toPage() - 1);
    } else if (printer.printRange() == QPrinter::CurrentPage && m_page > 0) {
        from = to = m_page - 1;
    }
    QString error;
    return printPreparedReport(*m_report, printer, from, to, &error);
}

void ReportPageView::pageAdded()
{
    const int count = pageCount();
    if (count == m_lastCount)
        return;
    if (m_page == 0 && count > 0) {
        m_page = 1;
        updateScrollBars();
        viewport()->update();
    } else if (m_page > 0) {
        viewport()->update();   // "Stran n od m" shows the count so far
    }
    emitPageChanged();
}

void ReportPageView::refresh()
{
    const int count = pageCount();
    if (m_page > count)
        m_page = count;
    if (m_page == 0 && count > 0)
        m_page = 1;
    updateScrollBars();
    viewport()->update();
    emitPageChanged();
}

void ReportPageView::firstPage() { setCurrentPage(1); }
void ReportPageView::prevPage() { setCurrentPage(m_page - 1); }
void ReportPageView::nextPage() { setCurrentPage(m_page + 1); }
void ReportPageView::lastPage() { setCurrentPage(pageCount()); }

void ReportPageView::setCurrentPage(int page)
{
    const int count = pageCount();
    const int clamped = count == 0 ? 0 : std::clamp(page, 1, count);
    if (clamped == m_page)
        return;
    m_page = clamped;
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    emitPageChanged();
}

void ReportPageView::setZoomPercent(int percent)
{
    const int p = std::clamp(percent, minPercent, maxPercent);
    if (m_mode == ZoomMode::Percent && p == m_percent)
        return;
    m_mode = ZoomMode::Percent;
    m_percent = p;
    updateScrollBars();
    viewport()->update();
    emit zoomChanged(zoomPercent());
}

void ReportPageView::zoomToWidth()
{
    m_mode = ZoomMode::PageWidth;
    updateScrollBars();
    viewport()->update();
    emit zoomChanged(zoomPercent());
}

void ReportPageView::zoomWholePage()
{
    m_mode = ZoomMode::WholePage;
    updateScrollBars();
    viewport()->update();
    emit zoomChanged(zoomPercent());
}

void ReportPageView::updateScrollBars()
{
    const double scale = pixelsPerMm();
    const QSizeF mm = currentPageSizeMm();
    const QSize total(int(mm.width() * scale) + 2 * pageMargin, int(mm.height() * scale) + 2 * pageMargin);
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, total.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    verticalScrollBar()->setRange(0, std::max(0, total.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
}

void ReportPageView::emitPageChanged()
{
    m_lastCount = pageCount();
    emit pageChanged(m_page, m_lastCount);
}

void ReportPageView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    if (!m_report || m_page < 1 || m_page > m_report->pageCount())
        return;
    const double scale = pixelsPerMm();
    const QSizeF mm = m_report->pageSizeMm(m_page - 1);
    const QSizeF px(mm.width() * scale, mm.height() * scale);
    double x = pageMargin - horizontalScrollBar()->value();
    if (px.width() + 2 * pageMargin < viewport()->width())
        x = (viewport()->width() - px.width()) / 2;
    const double y = pageMargin - verticalScrollBar()->value();
    const QRectF pageRect(x, y, px.width(), px.height());
    painter.fillRect(pageRect.translated(3, 3), QColor(0, 0, 0, 80));
    painter.fillRect(pageRect, Qt::white);
    painter.translate(pageRect.topLeft());
    m_report->paintPage(m_page - 1, painter, scale);
}

void ReportPageView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    if (m_mode != ZoomMode::Percent)
        emit zoomChanged(zoomPercent());
}

void ReportPageView::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() == Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_PageUp:
        if (ctrl)
            firstPage();
        else
            prevPage();
        return;
    case Qt::Key_PageDown:
        if (ctrl)
            lastPage();
        else
            nextPage();
        return;
    case Qt::Key_Home:
        firstPage();
        return;
    case Qt::Key_End:
        lastPage();
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void ReportPageView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int step = event->angleDelta().y() > 0 ? 10 : -10;
        setZoomPercent(zoomPercent() + step);
        event->accept();
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const int before = bar->value();
    QAbstractScrollArea::wheelEvent(event);
    // At the end of a page the wheel turns the page.
    if (bar->value() == before) {
        if (event->angleDelta().y() < 0 && m_page < pageCount()) {
            nextPage();
        } else if (event->angleDelta().y() > 0 && m_page > 1) {
            prevPage();
            bar->setValue(bar->maximum());
        }
    }
}
