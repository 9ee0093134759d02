#include "reports/ReportPrinting.h"
#include "reports/PreparedReport.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace {

QPageLayout pageLayoutFor(const QSizeF& sizeMm)
{
    const bool landscape = sizeMm.width() > sizeMm.height();
    const QSizeF portrait = landscape ? sizeMm.transposed() : sizeMm;
    return QPageLayout(QPageSize(portrait, QPageSize::Millimeter), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// Paints every page from..to on a device that takes a new page per newPage(); the device's page
// is set to each report page's size and the page is painted at its full size (the report's own
// margins are inside its pages).
template <typename Device>
bool paintPages(const PreparedReport& report, Device& device, int from, int to, QString* error)
{
    from = std::max(0, from);
    to = std::min(report.pageCount() - 1, to);
    if (report.pageCount() == 0 || from > to) {
        if (error)
            *error = QStringLiteral("Izpis nima strani.");
        return false;
    }
    device.setPageLayout(pageLayoutFor(report.pageSizeMm(from)));
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("Izpisa ni mogoče začeti (tiskalnik ali datoteka ni dosegljiva).");
        return false;
    }
    for (int i = from; i <= to; ++i) {
        if (i > from) {
            device.setPageLayout(pageLayoutFor(report.pageSizeMm(i)));
            if (!device.newPage()) {
                if (error)
                    *error = QStringLiteral("Nove strani izpisa ni mogoče začeti.");
                painter.end();
                return false;
            }
        }
        // The painter's origin is the paper's corner when there are no margins; full page painting
        // keeps the positions of the definition.
        const QRect paper = device.pageLayout().fullRectPixels(device.resolution());
        const QRect paint = device.pageLayout().paintRectPixels(device.resolution());
        painter.save();
        painter.translate(paper.topLeft() - paint.topLeft());
        const double pixelsPerMm = device.resolution() / 25.4;
        report.paintPage(i, painter, pixelsPerMm);
        painter.restore();
    }
    if (!painter.end()) {
        if (error)
            *error = QStringLiteral("Izpisa ni mogoče dokončati.");
        return false;
    }
    return true;
}

}   // namespace

bool printPreparedReport(const PreparedReport& report, QPrinter& printer, QString* error)
{
    return printPreparedReport(report, printer, 0, report.pageCount() - 1, error);
}

bool printPreparedReport(const PreparedReport& report, QPrinter& printer, int fromPage, int toPage, QString* error)
{
    printer.setFullPage(true);
    if (printer.docName().isEmpty())
        printer.setDocName(report.title());
    return paintPages(report, printer, fromPage, toPage, error);
}

bool writePdf(const PreparedReport& report, const QString& path, QString* error)
{
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setTitle(report.title());
    writer.setCreator(QStringLiteral("obdrac"));
    if (!paintPages(report, writer, 0, report.pageCount() - 1, error)) {
        if (error && !QFileInfo(path).dir().exists())
            *error = QStringLiteral("Mapa za datoteko %1 ne obstaja.").arg(path);
        return false;
    }
    if (!QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("Datoteke %1 ni mogoče zapisati.").arg(path);
        return false;
    }
    return true;
}

QImage renderPageImage(const PreparedReport& report, int pageIndex, double dpi)
{
    const QSizeF mm = report.pageSizeMm(pageIndex);
    if (mm.isEmpty() || dpi <= 0 || dpi > 1200)
        return {};
    const double pixelsPerMm = dpi / 25.4;
    QImage image(QSize(int(mm.width() * pixelsPerMm + 0.5), int(mm.height() * pixelsPerMm + 0.5)), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpi / 0.0254));
    image.setDotsPerMeterY(int(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    report.paintPage(pageIndex, painter, pixelsPerMm);
    painter.end();
    return image;
}

bool writePagePng(const PreparedReport& report, int pageIndex, const QString& path, double dpi, QString* error)
{
    const QImage image = renderPageImage(report, pageIndex, dpi);
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("Strani %1 ni v izpisu.").arg(pageIndex + 1);
        return false;
    }
    if (!image.save(path, "PNG")) {
        if (error)
            *error = QStringLiteral("Datoteke %1 ni mogoče zapisati.").arg(path);
        return false;
    }
    return true;
}
