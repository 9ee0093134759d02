#include "ReportTestSupport.h"

#include "reports/ExportFilter.h"
#include "reports/export/ExportRows.h"
#include "reports/ReportPrinting.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

using namespace reporttest;

namespace {

// The listing of 3 templates x 4 lines, with a date column added to check dates in sheets.
PreparedReport smallListing()
{
    ReportDefinition def = listingDefinition();
    ReportElement when = field(QStringLiteral("Datum"), QStringLiteral("Datum"), 182, 20);
    for (auto& b : def.bands)
        if (b.kind == ReportBandKind::Detail)
            b.elements.push_back(when);
    def.page.rightMarginMm = 5;
    def.page.leftMarginMm = 5;
    auto rows = std::make_shared<MemoryReportSource>(QStringLiteral("tbNapaka"), std::vector<MemoryReportSource::Field>{
        {QStringLiteral("Kljuc"), ReportFieldKind::Text}, {QStringLiteral("Subjekt"), ReportFieldKind::Text},
        {QStringLiteral("Ident"), ReportFieldKind::Text}, {QStringLiteral("Kolicina"), ReportFieldKind::Number},
        {QStringLiteral("Cena"), ReportFieldKind::Number}, {QStringLiteral("Rabat"), ReportFieldKind::Number},
        {QStringLiteral("Datum"), ReportFieldKind::Date}});
    for (int g = 0; g < 3; ++g)
        for (int r = 0; r < 4; ++r)
            rows->addRow({QStringLiteral("26PR0000%1").arg(g + 1), QStringLiteral("Kovač; \"Žan\" s.p."),
                          QStringLiteral("MLEKO-%1").arg(r), 2.0, 1000.25, 0.0, QDate(2026, 12, 9)});
    ReportDataSources sources;
    sources.add(rows);
    ReportGenerator g(def, sources, ReportContext());
    EXPECT_TRUE(g.runToEnd()) << g.errorMessage().toStdString();
    return g.takePrepared();
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

}   // namespace

TEST(ExportFilter, StableListHtmlFirstFoundByExtensionAndDescription)
{
    QStringList extensions;
    for (const ExportFilter* f : exportFilters()) {
        extensions << f->extension();
        EXPECT_FALSE(f->description().isEmpty());
        EXPECT_TRUE(f->dialogFilter().endsWith(QStringLiteral("(*.%1)").arg(f->extension())));
    }
    EXPECT_EQ(extensions, (QStringList{"htm", "xlsx", "rtf", "odt", "txt", "csv", "pdf", "svg"}));
    EXPECT_EQ(findExportFilterByDescription(QStringLiteral("Hypertext Markup Language")), exportFilters().front());
    EXPECT_EQ(findExportFilter(QStringLiteral(".XLSX")), exportFilters()[1]);
    EXPECT_EQ(findExportFilter(QStringLiteral("html")), exportFilters()[0]);
    EXPECT_EQ(findExportFilter(QStringLiteral("doc")), nullptr);
}

TEST(ExportFilter, HtmlIsWellFormedUtf8WithOneRowPerBand)
{
    const PreparedReport r = smallListing();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("izpis.htm"));
    QString error;
    ASSERT_TRUE(findExportFilter(QStringLiteral("htm"))->write(r, path, &error)) << error.toStdString();
    QXmlStreamReader xml(readAll(path));
    int rows = 0;
    QStringList cells;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("tr"))
            ++rows;
        if (xml.isStartElement() && xml.name() == QLatin1String("td"))
            cells << xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
    // Page header (two lines: the company, the criteria under it), column header,
    // 3 x (group header + 4 rows + group footer), summary.
    EXPECT_EQ(rows, 3 + 3 * 6 + 1);
    EXPECT_TRUE(cells.contains(QStringLiteral("Za obdobje od: ")));   // not hidden by the company above it
    EXPECT_TRUE(cells.contains(QStringLiteral("Kovač; \"Žan\" s.p.")));
    EXPECT_TRUE(cells.contains(QStringLiteral("1.000,25")));
    EXPECT_TRUE(cells.contains(QStringLiteral("24.006,00")));   // 12 x 2 x 1.000,25
}

TEST(ExportFilter, XlsxHoldsNumericCellsDatesAndTotals)
{
    const PreparedReport r = smallListing();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("izpis.xlsx"));
    QString error;
    ASSERT_TRUE(findExportFilter(QStringLiteral("xlsx"))->write(r, path, &error)) << error.toStdString();
    int rc = -1;
    const QString sheet = runTool(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QStringLiteral("xl/worksheets/sheet1.xml")}, &rc);
    ASSERT_EQ(rc, 0);
    // Numeric cells carry no t="s" and hold the value itself.
    EXPECT_TRUE(sheet.contains(QRegularExpression(QStringLiteral("<c r=\"[A-Z]+\\d+\"( s=\"\\d+\")?><v>1000.25</v></c>"))))
        << sheet.left(3000).toStdString();
    EXPECT_TRUE(sheet.contains(QStringLiteral("<v>24006</v>")));                 // the grand total
    EXPECT_TRUE(sheet.contains(QStringLiteral("<v>46365</v>")));                 // 9.12.2026 as a serial date
    const QString strings = runTool(QStringLiteral("unzip"), {QStringLiteral("-p"), path, QStringLiteral("xl/sharedStrings.xml")});
    EXPECT_TRUE(strings.contains(QStringLiteral("Skupaj predloga")));
    EXPECT_TRUE(strings.contains(QStringLiteral("Kovač")));
    // Header rows + 3 x 6 + summary rows. Of the page header's two lines only the criteria have
    // a value here (no company name; a page number has no place in a file).
    EXPECT_EQ(sheet.count(QStringLiteral("<row ")), 2 + 18 + 1);
    EXPECT_TRUE(strings.contains(QStringLiteral("Za obdobje od:")));
}

TEST(ExportFilter, CsvHasAHeaderAndOneLinePerDetailRow)
{
    const PreparedReport r = smallListing();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("izpis.csv"));
    QString error;
    ASSERT_TRUE(findExportFilter(QStringLiteral("csv"))->write(r, path, &error)) << error.toStdString();
    QByteArray bytes = readAll(path);
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));   // the mark by which spreadsheets know UTF-8
    const QString text = QString::fromUtf8(bytes.mid(3));
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 12);
    EXPECT_EQ(lines[0], QStringLiteral("Artikel;Količina;Cena;Rabat %;Vrednost;Datum"));
    EXPECT_EQ(lines[1], QStringLiteral("MLEKO-0;2;1000,25;0;2000,5;09.12.2026"));
}

TEST(ExportFilter, TextRtfOdtSvgPdfAreReadable)
{
    const PreparedReport r = smallListing();
    QTemporaryDir dir;
    QString error;
    for (const char* ext : {"txt", "rtf", "odt", "svg", "pdf"}) {
        const QString path = dir.filePath(QStringLiteral("izpis.") + QLatin1String(ext));
        ASSERT_TRUE(findExportFilter(QLatin1String(ext))->write(r, path, &error)) << ext << ": " << error.toStdString();
        ASSERT_GT(QFileInfo(path).size(), 200) << ext;
    }
    const QString text = QString::fromUtf8(readAll(dir.filePath(QStringLiteral("izpis.txt"))));
    EXPECT_TRUE(text.contains(QStringLiteral("Kovač; \"Žan\" s.p.")));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("MLEKO-0 +2 +1\\.000,25"))));
    const QByteArray rtf = readAll(dir.filePath(QStringLiteral("izpis.rtf")));
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("Kova\\u269?"));   // č
    const QString content = runTool(QStringLiteral("unzip"), {QStringLiteral("-p"), dir.filePath(QStringLiteral("izpis.odt")), QStringLiteral("content.xml")});
    EXPECT_TRUE(content.contains(QStringLiteral("Skupaj predloga")));
    QXmlStreamReader svg(readAll(dir.filePath(QStringLiteral("izpis.svg"))));
    while (!svg.atEnd())
        svg.readNext();
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    const QString pdf = runTool(QStringLiteral("pdftotext"), {dir.filePath(QStringLiteral("izpis.pdf")), QStringLiteral("-")});
    EXPECT_TRUE(pdf.contains(QStringLiteral("Stran 1 od 1")));
    EXPECT_TRUE(pdf.contains(QStringLiteral("Kovač")));
}

TEST(ExportFilter, ABandOfSeveralLinesGivesARowPerLineAndLosesNoCell)
{
    // A title band of three lines: name and date side by side, a title under them, a note in
    // the first column under that; and the prepared report read back from its file.
    ReportDefinition def = listingDefinition();
    ReportElement name = label(QStringLiteral("tIme"), QStringLiteral("Žito d.d."), 0, 80);
    ReportElement date = label(QStringLiteral("tDatum"), QStringLiteral("09.12.2026"), 150, 30, ReportHAlign::Right);
    date.topMm = 1;   // a little lower, still on the same line
    ReportElement title = label(QStringLiteral("tNaslov"), QStringLiteral("Izpis periodike"), 0, 120);
    title.topMm = 7;
    ReportElement note = label(QStringLiteral("tOpomba"), QStringLiteral("Opomba: čšž"), 0, 120);
    note.topMm = 14;
    def.bands.insert(def.bands.begin(), band(ReportBandKind::Title, QStringLiteral("Naslov"), 20, {note, title, date, name}));
    ReportDataSources sources;
    sources.add(listingRows(1, 2));
    ReportGenerator g(def, sources, ReportContext());
    ASSERT_TRUE(g.runToEnd()) << g.errorMessage().toStdString();
    QTemporaryDir dir;
    const QString qrp = dir.filePath(QStringLiteral("izpis.QRP"));
    QString error;
    ASSERT_TRUE(g.prepared().saveToFile(qrp, &error)) << error.toStdString();
    const auto r = PreparedReport::loadFromFile(qrp, &error);
    ASSERT_TRUE(r) << error.toStdString();

    QStringList lines;
    for (const ExportRow& row : exportGrid(*r).rows) {
        if (row.band->kind != ReportBandKind::Title)
            continue;
        QStringList texts;
        for (const PreparedCell& c : row.cells)
            texts << c.text;
        lines << texts.join(QLatin1Char('|'));
    }
    EXPECT_EQ(lines, (QStringList{"Žito d.d.|09.12.2026", "Izpis periodike", "Opomba: čšž"}));

    for (const char* ext : {"htm", "txt", "rtf"}) {
        const QString path = dir.filePath(QStringLiteral("izpis.") + QLatin1String(ext));
        ASSERT_TRUE(findExportFilter(QLatin1String(ext))->write(*r, path, &error)) << ext << ": " << error.toStdString();
        const QByteArray bytes = readAll(path);
        for (const char* text : {"Izpis periodike", "09.12.2026"})
            EXPECT_TRUE(bytes.contains(text)) << ext << ": " << text;
        EXPECT_TRUE(QString::fromUtf8(bytes).contains(QStringLiteral("Žito d.d.")) || bytes.contains("\\u381?ito")) << ext;
    }
    const QString text = QString::fromUtf8(readAll(dir.filePath(QStringLiteral("izpis.txt"))));
    EXPECT_TRUE(text.contains(QStringLiteral("\nIzpis periodike\nOpomba: čšž\n"))) << text.left(400).toStdString();
}

TEST(ExportFilter, WritingToAMissingFolderFailsWithAMessage)
{
    const PreparedReport r = smallListing();
    for (const ExportFilter* f : exportFilters()) {
        QString error;
        EXPECT_FALSE(f->write(r, QStringLiteral("/nonexistent-folder/x.") + f->extension(), &error)) << f->extension().toStdString();
        EXPECT_FALSE(error.isEmpty()) << f->extension().toStdString();
    }
}
