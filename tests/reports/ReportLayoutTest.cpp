#include "ReportTestSupport.h"

#include "reports/ReportFormat.h"
#include "reports/ReportPrinting.h"

#include <QRegularExpression>
#include <QSet>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reporttest;

namespace {

struct LayoutRun {
    PreparedReport report;
    QString error;
};

LayoutRun run(const ReportDefinition& def, std::shared_ptr<ReportDataSource> rows, ReportContext context = {})
{
    ReportDataSources sources;
    if (rows)
        sources.add(std::move(rows));
    ReportGenerator g(def, sources, context);
    QSignalSpy failed(&g, &ReportGenerator::failed);
    const bool ok = g.runToEnd();
    LayoutRun r{g.takePrepared(), g.errorMessage()};
    EXPECT_EQ(ok, r.error.isEmpty());
    EXPECT_EQ(failed.count(), ok ? 0 : 1);
    return r;
}

std::vector<const PreparedBand*> bandsOf(const PreparedReport& r, ReportBandKind kind)
{
    std::vector<const PreparedBand*> out;
    for (const auto& b : r.bands())
        if (b.kind == kind)
            out.push_back(&b);
    return out;
}

QString cellText(const PreparedBand& b, const QString& name)
{
    for (const auto& c : b.cells)
        if (c.name == name)
            return c.text;
    return QStringLiteral("<ni celice %1>").arg(name);
}

// A bare list: only a detail band of the given height with one number.
ReportDefinition plainList(double detailHeight)
{
    ReportDefinition d;
    d.mainDataSet = QStringLiteral("tbNapaka");
    d.bands.push_back(band(ReportBandKind::Detail, QStringLiteral("Vrstica"), detailHeight,
                           {field(QStringLiteral("Ident"), QStringLiteral("Ident"), 0, 40)}));
    return d;
}

}   // namespace

TEST(ReportLayout, PageBreaksFallBetweenBandsAtKnownRows)
{
    // A4 with 12 mm at top and bottom leaves 273 mm: 27 bands of 10 mm per page.
    const LayoutRun r = run(plainList(10), listingRows(5, 20));
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    ASSERT_EQ(r.report.pageCount(), 4);
    const auto details = bandsOf(r.report, ReportBandKind::Detail);
    ASSERT_EQ(details.size(), 100u);
    int perPage[4] = {};
    for (const PreparedBand* b : details) {
        ++perPage[b->page];
        EXPECT_LE(b->topMm + b->heightMm, 297 - 12 + 1e-6);
        EXPECT_GE(b->topMm, 12 - 1e-6);
    }
    EXPECT_EQ(perPage[0], 27);
    EXPECT_EQ(perPage[1], 27);
    EXPECT_EQ(perPage[2], 27);
    EXPECT_EQ(perPage[3], 19);
    EXPECT_DOUBLE_EQ(details[27]->topMm, 12);   // the 28th row opens page 2
    EXPECT_TRUE(r.report.isComplete());
}

TEST(ReportLayout, GroupTotalsGrandTotalAndStranNOdM)
{
    ReportContext ctx;
    ctx.companyName = QStringLiteral("Podjetje Čuk d.o.o.");
    const LayoutRun r = run(listingDefinition(), listingRows(12, 20), ctx);
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    const auto footers = bandsOf(r.report, ReportBandKind::GroupFooter);
    ASSERT_EQ(footers.size(), 12u);
    // Every group: sum over r = 1..20 of r x 1234,5 less 10 % on every third line (r = 1, 4, ..., 19).
    double group = 0;
    for (int i = 1; i <= 20; ++i)
        group += i * 1234.5 * ((i - 1) % 3 ? 1.0 : 0.9);
    for (const PreparedBand* f : footers) {
        EXPECT_EQ(cellText(*f, QStringLiteral("fVsota")), formatReportNumber(group, QStringLiteral("#,##0.00")));
        EXPECT_NEAR(f->cells.back().value.toDouble(), group, 1e-6);
    }
    const auto summary = bandsOf(r.report, ReportBandKind::Summary);
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_EQ(cellText(*summary[0], QStringLiteral("sVsota")), formatReportNumber(12 * group, QStringLiteral("#,##0.00")));
    // Group headers carry the first row of their group, footers the last.
    const auto headers = bandsOf(r.report, ReportBandKind::GroupHeader);
    ASSERT_EQ(headers.size(), 12u);
    EXPECT_EQ(cellText(*headers[1], QStringLiteral("gKljuc")), QStringLiteral("26PR00002"));
    EXPECT_EQ(cellText(*headers[1], QStringLiteral("gSubjekt")), QStringLiteral("Čebelarstvo Žužek d.o.o."));
    // "Stran n od m": every page header says so once the count is known.
    const int pages = r.report.pageCount();
    ASSERT_GT(pages, 3);
    for (int p = 0; p < pages; ++p) {
        QString found;
        for (const auto& item : r.report.page(p).items)
            if (item.text.startsWith(QStringLiteral("Stran")))
                found = r.report.resolvedText(item.text, p);
        EXPECT_EQ(found, QStringLiteral("Stran %1 od %2").arg(p + 1).arg(pages));
    }
    // The column header repeats on every page; the page header's company too.
    EXPECT_EQ(int(bandsOf(r.report, ReportBandKind::ColumnHeader).size()), pages);
    EXPECT_EQ(cellText(*bandsOf(r.report, ReportBandKind::PageHeader)[0], QStringLiteral("Podjetje")), ctx.companyName);
}

TEST(ReportLayout, NestedGroupsCountsAndPageResetVariables)
{
    ReportDefinition d = plainList(5);
    ReportBand outer = band(ReportBandKind::GroupHeader, QStringLiteral("Subjekt"), 5, {field(QStringLiteral("s"), QStringLiteral("Subjekt"), 0, 80)});
    outer.groupExpression = QStringLiteral("Subjekt");
    ReportBand inner = band(ReportBandKind::GroupHeader, QStringLiteral("Predloga"), 5, {field(QStringLiteral("k"), QStringLiteral("Kljuc"), 0, 80)});
    inner.groupExpression = QStringLiteral("Kljuc");
    ReportBand innerFoot = band(ReportBandKind::GroupFooter, QStringLiteral("KonecPredloge"), 5, {expression(QStringLiteral("n"), QStringLiteral("COUNT()"), 0, 20)});
    ReportBand outerFoot = band(ReportBandKind::GroupFooter, QStringLiteral("KonecSubjekta"), 5, {
        expression(QStringLiteral("n"), QStringLiteral("COUNT()"), 0, 20),
        expression(QStringLiteral("v"), QStringLiteral("MAX(Kolicina)"), 30, 20),
        expression(QStringLiteral("p"), QStringLiteral("Predlog"), 60, 20)});
    d.bands.insert(d.bands.begin(), {outer, inner});
    d.bands.push_back(innerFoot);    // without a group name: the innermost open level
    d.bands.push_back(outerFoot);
    ReportVariable predlog;
    predlog.name = QStringLiteral("Predlog");
    predlog.aggregate = ReportAggregate::Count;
    predlog.expression = QStringLiteral("IF(Kolicina = 1, 1, NULL)");   // counts the first line of each template
    predlog.reset = ReportResetScope::Group;
    predlog.resetGroup = QStringLiteral("Subjekt");
    d.variables.push_back(predlog);
    // Rows sorted by partner: 2 partners x 3 templates x 4 lines.
    auto rows = std::make_shared<MemoryReportSource>(QStringLiteral("tbNapaka"), std::vector<MemoryReportSource::Field>{
        {QStringLiteral("Subjekt"), ReportFieldKind::Text}, {QStringLiteral("Kljuc"), ReportFieldKind::Text},
        {QStringLiteral("Ident"), ReportFieldKind::Text}, {QStringLiteral("Kolicina"), ReportFieldKind::Number}});
    for (int s = 0; s < 2; ++s)
        for (int k = 0; k < 3; ++k)
            for (int i = 1; i <= 4; ++i)
                rows->addRow({QStringLiteral("Partner %1").arg(s), QStringLiteral("K%1%2").arg(s).arg(k), QStringLiteral("A"), double(i + s)});
    const LayoutRun r = run(d, rows);
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    const auto innerFooters = bandsOf(r.report, ReportBandKind::GroupFooter);
    ASSERT_EQ(innerFooters.size(), 2u * 3u + 2u);
    QStringList seq;
    for (const auto& b : r.report.bands())
        if (b.kind == ReportBandKind::GroupHeader || b.kind == ReportBandKind::GroupFooter)
            seq << QStringLiteral("%1%2:%3").arg(b.kind == ReportBandKind::GroupHeader ? "H" : "F").arg(b.groupLevel)
                       .arg(b.cells.empty() ? QString() : b.cells.front().text);
    EXPECT_EQ(seq.join(QLatin1Char(' ')), QStringLiteral(
        "H1:Partner 0 H2:K00 F2:4 H2:K01 F2:4 H2:K02 F2:4 F1:12 "
        "H1:Partner 1 H2:K10 F2:4 H2:K11 F2:4 H2:K12 F2:4 F1:12"));
    const PreparedBand* lastOuter = innerFooters.back();
    EXPECT_EQ(cellText(*lastOuter, QStringLiteral("v")), QStringLiteral("5"));
    EXPECT_EQ(cellText(*innerFooters[3], QStringLiteral("p")), QStringLiteral("3"));   // partner 0: 3 first lines
    EXPECT_EQ(cellText(*lastOuter, QStringLiteral("p")), QStringLiteral("0"));          // partner 1 starts at 2
}

TEST(ReportLayout, AGrowingMemoMovesToTheNextPageAndALongOneIsCutBetweenLines)
{
    ReportDefinition d = plainList(10);
    ReportElement memo;
    memo.kind = ReportElementKind::Memo;
    memo.name = QStringLiteral("Opomba");
    memo.leftMm = 50;
    memo.widthMm = 60;
    memo.heightMm = 5;
    memo.text = QStringLiteral("[Opomba]");
    d.bands[0].elements.push_back(memo);
    auto rows = std::make_shared<MemoryReportSource>(QStringLiteral("tbNapaka"), std::vector<MemoryReportSource::Field>{
        {QStringLiteral("Ident"), ReportFieldKind::Text}, {QStringLiteral("Opomba"), ReportFieldKind::Text}});
    for (int i = 0; i < 26; ++i)
        rows->addRow({QStringLiteral("R%1").arg(i), QStringLiteral("kratko")});
    // Row 27 would fit in 10 mm, but its text needs about 15 lines: it moves to page 2 whole.
    QString medium;
    for (int i = 0; i < 15; ++i)
        medium += QStringLiteral("vrstica%1 ").arg(i) + QStringLiteral("ščž ").repeated(4);
    rows->addRow({QStringLiteral("Srednja"), medium});
    // Row 28's text is longer than a page: cut between lines over pages 2 to 4.
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QStringLiteral("Vrstica številka %1").arg(i);
    rows->addRow({QStringLiteral("Dolga"), lines.join(QLatin1Char('\n'))});
    rows->addRow({QStringLiteral("Zadnja"), QStringLiteral("konec")});
    const LayoutRun r = run(d, rows);
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    const auto details = bandsOf(r.report, ReportBandKind::Detail);
    // The medium band grew beyond 10 mm and opens page 2.
    const PreparedBand* med = nullptr;
    for (const auto* b : details)
        if (cellText(*b, QStringLiteral("Ident")) == QStringLiteral("Srednja"))
            med = b;
    ASSERT_NE(med, nullptr);
    EXPECT_GT(med->heightMm, 30);
    EXPECT_EQ(med->page, 1);
    EXPECT_DOUBLE_EQ(med->topMm, 12);
    // The long text: every line printed once, in order, none cut in half, over several pages.
    QStringList printed;
    QSet<int> pagesUsed;
    for (int p = 0; p < r.report.pageCount(); ++p)
        for (const auto& item : r.report.page(p).items)
            if (item.text.startsWith(QStringLiteral("Vrstica številka"))) {
                printed << item.text.split(QLatin1Char('\n'));
                pagesUsed.insert(p);
                EXPECT_LE(item.rectMm.bottom(), 297 - 12 + 1e-6);
            }
    EXPECT_EQ(printed, lines);
    EXPECT_GE(pagesUsed.size(), 2);
    // And the last row follows on the last page.
    EXPECT_EQ(cellText(*details.back(), QStringLiteral("Ident")), QStringLiteral("Zadnja"));
    EXPECT_EQ(details.back()->page, r.report.pageCount() - 1);
}

TEST(ReportLayout, ConditionsChildrenNewPagesRepeatedHeadersAndPageFooters)
{
    ReportDefinition d = listingDefinition();
    ReportBand child = band(ReportBandKind::Child, QStringLiteral("Popust"), 4, {label(QStringLiteral("c"), QStringLiteral("s popustom"), 10, 40)});
    child.parentBand = QStringLiteral("Vrstica");
    child.printCondition = QStringLiteral("Rabat > 0");
    d.bands.push_back(child);
    ReportBand footer = band(ReportBandKind::PageFooter, QStringLiteral("Noga"), 8, {expression(QStringLiteral("f"), QStringLiteral("'Stran ' + PAGE"), 0, 40)});
    footer.printOnFirstPage = false;
    d.bands.push_back(footer);
    for (auto& b : d.bands) {
        if (b.kind == ReportBandKind::GroupHeader) {
            b.startNewPage = true;
            b.repeatOnEachPage = true;
        }
        if (b.kind == ReportBandKind::Detail)
            b.elements[3].printCondition = QStringLiteral("Rabat > 0");   // the discount only where there is one
    }
    const LayoutRun r = run(d, listingRows(3, 60));
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(bandsOf(r.report, ReportBandKind::Child).size(), 60u);   // a third of 180 lines
    const auto details = bandsOf(r.report, ReportBandKind::Detail);
    EXPECT_EQ(details[0]->cells.size(), 5u);
    EXPECT_EQ(details[1]->cells.size(), 4u);
    // Each group starts a page; a group runs over two pages and its header repeats there.
    const auto headers = bandsOf(r.report, ReportBandKind::GroupHeader);
    QList<int> headerPages;
    for (const auto* h : headers)
        headerPages << h->page;
    EXPECT_EQ(headerPages, (QList<int>{0, 1, 2, 3, 4, 5}));
    const auto footers = bandsOf(r.report, ReportBandKind::PageFooter);
    ASSERT_EQ(int(footers.size()), r.report.pageCount() - 1);
    EXPECT_EQ(footers[0]->page, 1);
    EXPECT_EQ(cellText(*footers[0], QStringLiteral("f")), QStringLiteral("Stran 2"));
    EXPECT_DOUBLE_EQ(footers[0]->topMm, 297 - 12 - 8);
    for (const auto* b : details)
        EXPECT_LE(b->topMm + b->heightMm, 297 - 12 - 8 + 1e-6);
}

TEST(ReportLayout, BadDefinitionsAndDataFailWithAMessage)
{
    struct Case {
        const char* what;
        std::function<void(ReportDefinition&)> damage;
        const char* message;
    };
    const std::vector<Case> cases{
        {"unknown dataset", [](ReportDefinition& d) { d.mainDataSet = QStringLiteral("tbNic"); }, "\"tbNic\""},
        {"unknown field", [](ReportDefinition& d) { d.bands[3].elements[0].field = QStringLiteral("Nic"); }, "polja \"Nic\""},
        {"bad expression", [](ReportDefinition& d) { d.bands[3].elements[4].expression = QStringLiteral("Cena *"); }, "stolpec 7"},
        {"unknown name", [](ReportDefinition& d) { d.bands[3].elements[4].expression = QStringLiteral("Cena * Nic"); }, "Nic"},
        {"text in a sum", [](ReportDefinition& d) { d.bands[4].elements[1].expression = QStringLiteral("SUM(Subjekt)"); }, "ni število"},
        {"group without key", [](ReportDefinition& d) { d.bands[2].groupExpression.clear(); }, "nima izraza"},
        {"memo without ]", [](ReportDefinition& d) {
            ReportElement m;
            m.kind = ReportElementKind::Memo;
            m.text = QStringLiteral("a [Cena");
            d.bands[3].elements.push_back(m);
        }, "manjka ']'"},
    };
    for (const Case& c : cases) {
        ReportDefinition d = listingDefinition();
        c.damage(d);
        const LayoutRun r = run(d, listingRows(2, 3));
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.message))) << c.what << ": " << r.error.toStdString();
    }
}

TEST(ReportLayout, AReportWithoutRowsPrintsItsOtherBands)
{
    const LayoutRun r = run(listingDefinition(), listingRows(0, 0));
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(r.report.pageCount(), 1);
    EXPECT_EQ(bandsOf(r.report, ReportBandKind::Detail).size(), 0u);
    ASSERT_EQ(bandsOf(r.report, ReportBandKind::Summary).size(), 1u);
    EXPECT_EQ(cellText(*bandsOf(r.report, ReportBandKind::Summary)[0], QStringLiteral("sVsota")), QStringLiteral("0,00"));
}

TEST(ReportLayout, PreparedReportSurvivesItsFileAndDamageIsAMessage)
{
    const LayoutRun r = run(listingDefinition(), listingRows(3, 20));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("izpis.QRP"));
    QString error;
    ASSERT_TRUE(r.report.saveToFile(path, &error)) << error.toStdString();
    const auto loaded = PreparedReport::loadFromFile(path, &error);
    ASSERT_TRUE(loaded.has_value()) << error.toStdString();
    EXPECT_TRUE(*loaded == r.report);
    EXPECT_EQ(renderPageImage(*loaded, 0, 50), renderPageImage(r.report, 0, 50));
    // Every truncation and a few flipped bytes: a message or a report, never a crash.
    const QByteArray bytes = r.report.toBytes();
    for (int cut : {0, 3, 6, 20, 100, int(bytes.size() / 2), int(bytes.size() - 1)}) {
        QString e;
        EXPECT_FALSE(PreparedReport::fromBytes(bytes.left(cut), &e).has_value()) << cut;
        EXPECT_FALSE(e.isEmpty());
    }
    for (int i = 8; i < bytes.size(); i += 97) {
        QByteArray damaged = bytes;
        damaged[i] = char(damaged[i] ^ 0x5A);
        QString e;
        const auto d = PreparedReport::fromBytes(damaged, &e);
        if (d)
            renderPageImage(*d, 0, 20);
    }
    EXPECT_FALSE(PreparedReport::loadFromFile(dir.filePath(QStringLiteral("ni.QRP")), &error).has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("ni mogoče odpreti")));
}

TEST(ReportLayout, ListingPdfHasPageCountAndNamesWithCaron)
{
    ReportContext ctx;
    ctx.companyName = QStringLiteral("Podjetje Čuk d.o.o.");
    ctx.setCriterion(QStringLiteral("Obdobje"), QStringLiteral("09.12.2026"));
    const LayoutRun r = run(listingDefinition(), listingRows(12, 20), ctx);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("izpis.pdf"));
    QString error;
    ASSERT_TRUE(writePdf(r.report, pdf, &error)) << error.toStdString();
    const QString text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("Stran 1 od %1").arg(r.report.pageCount())));
    EXPECT_TRUE(text.contains(QStringLiteral("Čebelarstvo Žužek d.o.o.")));
    EXPECT_TRUE(text.contains(QStringLiteral("1.234,50")));
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(r.report.pageCount()))));
    EXPECT_TRUE(info.contains(QStringLiteral("Izpis periodičnih dokumentov")));
    if (qEnvironmentVariableIsSet("OBDRAC_KEEP_PDF"))
        QFile::copy(pdf, qEnvironmentVariable("OBDRAC_KEEP_PDF"));
}
