#include "reports/ExportFilters.h"
#include "reports/ReportPrinting.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

bool PdfExportFilter::write(const PreparedReport& report, const QString& path, QString* error) const
{
    return writePdf(report, path, error);
}

// All pages one below the other in one drawing, 10 mm apart, at 96 dots per inch.
bool SvgExportFilter::write(const PreparedReport& report, const QString& path, QString* error) const
{
    if (report.pageCount() == 0) {
        if (error)
            *error = QStringLiteral("Izpis nima strani.");
        return false;
    }
    constexpr double dpi = 96;
    constexpr double pxPerMm = dpi / 25.4;
    constexpr double gapMm = 10;
    double width = 0, height = 0;
    for (int i = 0; i < report.pageCount(); ++i) {
        width = std::max(width, report.pageSizeMm(i).width());
        height += report.pageSizeMm(i).height() + (i ? gapMm : 0);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(int(dpi));
    svg.setSize(QSize(int(width * pxPerMm + 0.5), int(height * pxPerMm + 0.5)));
    svg.setViewBox(QRectF(0, 0, width * pxPerMm, height * pxPerMm));
    svg.setTitle(report.title());
    QPainter painter;
    if (!painter.begin(&svg)) {
        if (error)
            *error = QStringLiteral("Slike SVG ni mogoče narediti.");
        return false;
    }
    double y = 0;
    for (int i = 0; i < report.pageCount(); ++i) {
        const QSizeF mm = report.pageSizeMm(i);
        painter.save();
        painter.translate(0, y * pxPerMm);
        painter.fillRect(QRectF(0, 0, mm.width() * pxPerMm, mm.height() * pxPerMm), Qt::white);
        report.paintPage(i, painter, pxPerMm);
        painter.restore();
        y += mm.height() + gapMm;
    }
    painter.end();
    return writeExportFile(path, buffer.data(), error);
}
