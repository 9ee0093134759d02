#pragma once
// Definitions and data for the engine's tests: a listing like the program's printed listing
// (groups by template, totals per group and overall, "Stran n od m" in the page header).
#include "reports/ReportDataSource.h"
#include "reports/ReportDefinition.h"
#include "reports/ReportGenerator.h"

#include <QProcess>
#include <QString>

#include <memory>

namespace reporttest {

inline ReportElement label(const QString& name, const QString& text, double left, double width,
                           ReportHAlign align = ReportHAlign::Left, bool bold = false)
{
    ReportElement e;
    e.kind = ReportElementKind::Label;
    e.name = name;
    e.text = text;
    e.leftMm = left;
    e.widthMm = width;
    e.hAlign = align;
    e.font.bold = bold;
    return e;
}

inline ReportElement field(const QString& name, const QString& fieldName, double left, double width,
                           ReportHAlign align = ReportHAlign::Left, const QString& format = {})
{
    ReportElement e;
    e.kind = ReportElementKind::DataField;
    e.name = name;
    e.field = fieldName;
    e.leftMm = left;
    e.widthMm = width;
    e.hAlign = align;
    e.displayFormat = format;
    return e;
}

inline ReportElement expression(const QString& name, const QString& text, double left, double width,
                                ReportHAlign align = ReportHAlign::Right, const QString& format = {})
{
    ReportElement e;
    e.kind = ReportElementKind::Expression;
    e.name = name;
    e.expression = text;
    e.leftMm = left;
    e.widthMm = width;
    e.hAlign = align;
    e.displayFormat = format;
    return e;
}

inline ReportBand band(ReportBandKind kind, const QString& name, double height, std::vector<ReportElement> elements)
{
    ReportBand b;
    b.kind = kind;
    b.name = name;
    b.heightMm = height;
    b.elements = std::move(elements);
    return b;
}

// The listing: page header with company, criteria, date and "Stran n od m"; column header;
// a group per template (Kljuc) with its partner; detail rows; group totals; grand total.
inline ReportDefinition listingDefinition()
{
    ReportDefinition d;
    d.name = QStringLiteral("ObdracIzpis");
    d.title = QStringLiteral("Izpis periodičnih dokumentov");
    d.mainDataSet = QStringLiteral("tbNapaka");
    ReportElement company;
    company.kind = ReportElementKind::SystemData;
    company.systemData = ReportSystemDataKind::CompanyName;
    company.name = QStringLiteral("Podjetje");
    company.widthMm = 100;
    company.font.bold = true;
    ReportElement pages;
    pages.kind = ReportElementKind::SystemData;
    pages.systemData = ReportSystemDataKind::PageNumberOfCount;
    pages.name = QStringLiteral("Stran");
    pages.leftMm = 140;
    pages.widthMm = 40;
    pages.hAlign = ReportHAlign::Right;
    ReportElement criteria = expression(QStringLiteral("Obdobje"), QStringLiteral("'Za obdobje od: ' + CRITERIA('Obdobje')"), 0, 120, ReportHAlign::Left);
    criteria.topMm = 5;
    ReportElement rule;
    rule.kind = ReportElementKind::Line;
    rule.name = QStringLiteral("Crta");
    rule.topMm = 11;
    rule.widthMm = 180;
    rule.heightMm = 0;
    d.bands.push_back(band(ReportBandKind::PageHeader, QStringLiteral("Glava"), 12, {company, pages, criteria, rule}));
    d.bands.push_back(band(ReportBandKind::ColumnHeader, QStringLiteral("Stolpci"), 6, {
        label(QStringLiteral("hIdent"), QStringLiteral("Artikel"), 10, 40, ReportHAlign::Left, true),
        label(QStringLiteral("hKolicina"), QStringLiteral("Količina"), 60, 25, ReportHAlign::Right, true),
        label(QStringLiteral("hCena"), QStringLiteral("Cena"), 90, 30, ReportHAlign::Right, true),
        label(QStringLiteral("hRabat"), QStringLiteral("Rabat %"), 120, 20, ReportHAlign::Right, true),
        label(QStringLiteral("hVrednost"), QStringLiteral("Vrednost"), 145, 35, ReportHAlign::Right, true)}));
    ReportBand group = band(ReportBandKind::GroupHeader, QStringLiteral("Predloga"), 6, {
        field(QStringLiteral("gKljuc"), QStringLiteral("Kljuc"), 0, 30),
        field(QStringLiteral("gSubjekt"), QStringLiteral("Subjekt"), 35, 100)});
    group.groupExpression = QStringLiteral("Kljuc");
    group.elements[0].font.bold = true;
    d.bands.push_back(group);
    d.bands.push_back(band(ReportBandKind::Detail, QStringLiteral("Vrstica"), 5, {
        field(QStringLiteral("Ident"), QStringLiteral("Ident"), 10, 40),
        field(QStringLiteral("Kolicina"), QStringLiteral("Kolicina"), 60, 25, ReportHAlign::Right, QStringLiteral("#,##0.###")),
        field(QStringLiteral("Cena"), QStringLiteral("Cena"), 90, 30, ReportHAlign::Right, QStringLiteral("#,##0.00")),
        field(QStringLiteral("Rabat"), QStringLiteral("Rabat"), 120, 20, ReportHAlign::Right, QStringLiteral("#,##0.00")),
        expression(QStringLiteral("Vrednost"), QStringLiteral("Kolicina * Cena * (1 - Rabat / 100)"), 145, 35,
                   ReportHAlign::Right, QStringLiteral("#,##0.00"))}));
    ReportBand footer = band(ReportBandKind::GroupFooter, QStringLiteral("SkupajPredloga"), 6, {
        label(QStringLiteral("fNapis"), QStringLiteral("Skupaj predloga"), 10, 60),
        expression(QStringLiteral("fVsota"), QStringLiteral("SUM(Kolicina * Cena * (1 - Rabat / 100))"), 145, 35,
                   ReportHAlign::Right, QStringLiteral("#,##0.00"))});
    footer.group = QStringLiteral("Predloga");
    d.bands.push_back(footer);
    d.bands.push_back(band(ReportBandKind::Summary, QStringLiteral("Skupaj"), 8, {
        label(QStringLiteral("sNapis"), QStringLiteral("Skupaj vse"), 10, 60, ReportHAlign::Left, true),
        expression(QStringLiteral("sVsota"), QStringLiteral("SUM(Kolicina * Cena * (1 - Rabat / 100))"), 145, 35,
                   ReportHAlign::Right, QStringLiteral("#,##0.00"))}));
    d.bands.back().elements[1].font.bold = true;
    return d;
}

// Rows like those of the listing table: `groups` templates of `rows` lines each.
inline std::shared_ptr<MemoryReportSource> listingRows(int groups, int rows)
{
    auto source = std::make_shared<MemoryReportSource>(QStringLiteral("tbNapaka"), std::vector<MemoryReportSource::Field>{
        {QStringLiteral("ZapSt"), ReportFieldKind::Number}, {QStringLiteral("Kljuc"), ReportFieldKind::Text},
        {QStringLiteral("Tip"), ReportFieldKind::Text}, {QStringLiteral("Subjekt"), ReportFieldKind::Text},
        {QStringLiteral("Ident"), ReportFieldKind::Text}, {QStringLiteral("Kolicina"), ReportFieldKind::Number},
        {QStringLiteral("Cena"), ReportFieldKind::Number}, {QStringLiteral("Rabat"), ReportFieldKind::Number}});
    int n = 0;
    for (int g = 0; g < groups; ++g)
        for (int r = 0; r < rows; ++r)
            source->addRow({++n, QStringLiteral("26PR%1").arg(g + 1, 5, 10, QLatin1Char('0')), QStringLiteral("Račun"),
                            g % 2 ? QStringLiteral("Čebelarstvo Žužek d.o.o.") : QStringLiteral("Šolski center Kranj"),
                            QStringLiteral("ART%1").arg(r + 1), double(r + 1), 1234.5, r % 3 ? 0.0 : 10.0});
    return source;
}

inline QString runTool(const QString& program, const QStringList& args, int* exitCode = nullptr)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    if (exitCode)
        *exitCode = p.exitCode();
    return QString::fromUtf8(p.readAllStandardOutput());
}

}   // namespace reporttest
