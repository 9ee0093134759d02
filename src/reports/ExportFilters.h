#pragma once
#include "reports/ExportFilter.h"
#include "reports/PreparedReport.h"

// The engine's export filters (listed by exportFilters()).

class HtmlExportFilter : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Hypertext Markup Language"); }
    QString extension() const override { return QStringLiteral("htm"); }
    bool write(const PreparedReport& report, const QString& path, QString* error) const override;
    // The document as XHTML-style UTF-8 text: one table, a row per band.
    static QByteArray html(const PreparedReport& report);
};

class XlsxExportFilter : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Preglednica Excel"); }
    QString extension() const override { return QStringLiteral("xlsx"); }
    bool write(const PreparedReport& report, const QString& path, QString* error) const override;
};

class RtfExportFilter : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Rich Text Format"); }
    QString extension() const override { return QStringLiteral("rtf"); }
    bool write(const PreparedReport& report, const QString& path, QString* error) const override;
};

class OdtExportFilter : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Dokument OpenDocument"); }
    QString extension() const override { return QStringLiteral("odt"); }
    bool write(const PreparedReport& report, const QString& path, QString* error) const override;
};

class TextExportFilter : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Besedilo"); }
    QString extension() const override { return QStringLiteral("txt"); }
    bool write(const PreparedReport& report, const QString& path, QString* error) const override;
};

class CsvExportFilter : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Besedilo, ločeno s podpičji (CSV)"); }
    QString extension() const override { return QStringLiteral("csv"); }
    bool write(const PreparedReport& report, const QString& path, QString* error) const override;
};

class PdfExportFilter : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Dokument PDF"); }
    QString extension() const override { return QStringLiteral("pdf"); }
    bool write(const PreparedReport& report, const QString& path, QString* error) const override;
};

class SvgExportFilter : public ExportFilter {
public:
    QString description() const override { return QStringLiteral("Slika SVG"); }
    QString extension() const override { return QStringLiteral("svg"); }
    bool write(const PreparedReport& report, const QString& path, QString* error) const override;
};

// Writes bytes to path through a temporary file; false with a Slovenian message.
bool writeExportFile(const QString& path, const QByteArray& bytes, QString* error);
