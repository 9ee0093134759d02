#pragma once
#include <QImage>
#include <QString>

class PreparedReport;
class QPrinter;

// Output of a prepared report on paper and as page files. Every page is painted through
// PreparedReport::paintPage, so the printout is what the preview shows. Errors in Slovenian.

// Prints every page once on the printer as it is set up (the caller loops for copies, or sets
// the printer's copy count); the page size and orientation follow each page of the report.
bool printPreparedReport(const PreparedReport& report, QPrinter& printer, QString* error);
// Prints pages fromPage..toPage (0-based, inclusive).
bool printPreparedReport(const PreparedReport& report, QPrinter& printer, int fromPage, int toPage,
                         QString* error);

// PDF through QPdfWriter: fonts embedded, texts searchable; the report's title as the PDF title.
bool writePdf(const PreparedReport& report, const QString& path, QString* error);

// One page as a picture (dots per inch); a null image for a bad index.
QImage renderPageImage(const PreparedReport& report, int pageIndex, double dpi);
// One page as a PNG file.
bool writePagePng(const PreparedReport& report, int pageIndex, const QString& path, double dpi,
                  QString* error);
