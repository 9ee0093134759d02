// "Izpis" (bIzpisClick) on the demo company: the listing table re-created before the question,
// Cancel still starting the report over the empty table, the listing printed through 27K, and a
// failure that ends the run before the report.
#include "PrintingFixture.h"

#include "printing/PrintOrigin.h"
#include "printing/PrintingRun.h"

#include <QDate>

namespace {

class PrintingRunTest : public PrintingTest {
protected:
    static void SetUpTestSuite() { startSuite("printing_run"); }
    static void TearDownTestSuite() { endSuite(); }

    static GenerationCriteria today()
    {
        GenerationCriteria c;
        c.DatumKont = QDate::currentDate();
        c.Datum = QDate::currentDate();
        return c;
    }

    // Leaves rows of an earlier run in the listing table.
    void oldListing()
    {
        LocalTable& t = module->tbNapaka;
        t.close();
        defineTObdracNapaka(t);
        t.createTable();
        t.open();
        t.append();
        t.setValue("Kljuc", "STARA");
        t.post();
        t.close();
    }
};

TEST_F(PrintingRunTest, CancelStillStartsTheReportOverTheTableMadeEmptyBeforeTheQuestion)
{
    oldListing();
    QObject bIzpis;
    int rowsAtQuestion = -1;
    bool openAtQuestion = false;
    boxes.onShow = [&](const MessageRequest& r) {
        if (r.kind == MsgKind::Confirmation) {
            openAtQuestion = module->tbNapaka.isOpen();
            rowsAtQuestion = openAtQuestion ? module->tbNapaka.recordCount() : -1;
        }
    };
    boxes.answer(MsgButton::Cancel);
    std::vector<int> progress;
    EXPECT_FALSE(bIzpisClick(designer, &bIzpis, today(), [&](int p) { progress.push_back(p); }));
    EXPECT_TRUE(openAtQuestion);
    EXPECT_EQ(rowsAtQuestion, 0);
    EXPECT_EQ(boxes.texts(), (QStringList{"Ali res želiš izpisati dokumente ?", "Ni nobenega zapisa !"}));
    ASSERT_GE(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].buttons, (std::vector<MsgButton>{MsgButton::Ok, MsgButton::Cancel}));
    EXPECT_TRUE(progress.empty());
    EXPECT_EQ(PrintOrigin(), &bIzpis);   // the report was started
    EXPECT_EQ(module->Report->FieldByName("REPORT").asString(), "27K");
    EXPECT_TRUE(previewer.runs.empty());
    EXPECT_TRUE(printer.jobs.empty());
    EXPECT_EQ(cursor.states, (QStringList{"busy", "normal"}));
}

TEST_F(PrintingRunTest, CancelWithPrintIfEmptyShowsTheEmptyListing)
{
    module->Report->Close();
    sql("UPDATE Report SET PrintIfEmpty = 'T' WHERE Report = '27K'");
    boxes.answer(MsgButton::Cancel);
    QObject bIzpis;
    EXPECT_TRUE(bIzpisClick(designer, &bIzpis, today()));
    sql("UPDATE Report SET PrintIfEmpty = 'F' WHERE Report = '27K'");
    ASSERT_EQ(previewer.runs.size(), 1u);
    ReportGenerator& run = *previewer.runs[0];
    ASSERT_TRUE(run.runToEnd()) << run.errorMessage().toStdString();
    EXPECT_EQ(run.prepared().pageCount(), 1);
}

TEST_F(PrintingRunTest, OkListsInvoicesThenOrdersAndPreviewsTheListing)
{
    QObject bIzpis;
    std::vector<int> progress;
    GenerationCriteria criteria = today();
    EXPECT_TRUE(bIzpisClick(designer, &bIzpis, criteria, [&](int p) { progress.push_back(p); }));
    EXPECT_EQ(boxes.texts(), QStringList{"Ali res želiš izpisati dokumente ?"});
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100);

    // All invoice rows come before all order rows, in ZapSt order.
    LocalTable& t = module->tbNapaka;
    QStringList kinds;
    int invoices = 0, orders = 0;
    for (bool more = t.first(); more; more = t.next()) {
        const QString tip = t.asString("Tip");
        if (kinds.isEmpty() || kinds.last() != tip)
            kinds << tip;
        (tip == "Račun" ? invoices : orders)++;
    }
    EXPECT_EQ(kinds, (QStringList{"Račun", "Naročilo"}));
    EXPECT_GT(invoices, 5);
    EXPECT_GT(orders, 3);

    ASSERT_EQ(previewer.runs.size(), 1u);
    ReportGenerator& run = *previewer.runs[0];
    ASSERT_TRUE(run.runToEnd()) << run.errorMessage().toStdString();
    const PreparedReport& report = run.prepared();
    ASSERT_GE(report.pageCount(), 1);
    QString firstPage;
    for (const PreparedPrimitive& p : report.page(0).items)
        if (p.kind == PreparedPrimitive::Kind::Text)
            firstPage += report.resolvedText(p.text, 0) + '\n';
    EXPECT_TRUE(firstPage.contains("Stran 1 od " + QString::number(report.pageCount()))) << firstPage.toStdString();
    EXPECT_TRUE(firstPage.contains("Demo d.o.o.")) << firstPage.toStdString();
    EXPECT_TRUE(firstPage.contains(criteria.DatumKont.toString("dd.MM.yyyy"))) << firstPage.toStdString();
    int detailRows = 0;
    for (const PreparedBand& b : report.bands())
        if (b.kind == ReportBandKind::Detail)
            ++detailRows;
    EXPECT_EQ(detailRows, invoices + orders);
}

TEST_F(PrintingRunTest, AFailureInTheListingEndsTheRunBeforeTheReport)
{
    sql("ALTER TABLE ObdracPoz RENAME TO ObdracPozSkrita");
    QObject bIzpis;
    setPrintOrigin(nullptr);
    const bool result = bIzpisClick(designer, &bIzpis, today());
    sql("ALTER TABLE ObdracPozSkrita RENAME TO ObdracPoz");
    EXPECT_FALSE(result);
    ASSERT_EQ(boxes.texts().size(), 2);
    EXPECT_EQ(boxes.texts()[0], "Ali res želiš izpisati dokumente ?");
    EXPECT_EQ(boxes.shown()[1].kind, MsgKind::Error);
    EXPECT_TRUE(errorLogOperations().contains("bIzpisClick"));
    EXPECT_EQ(PrintOrigin(), printOriginPlaceholder());   // not started
    EXPECT_TRUE(previewer.runs.empty());
}

TEST(ListingCriteria, TextsOfThePage)
{
    GenerationCriteria c;
    c.DatumKont = QDate(2026, 12, 1);
    c.Subjekt = " Čistilni% ";
    const QMap<QString, QString> texts = listingCriteria(c);
    EXPECT_EQ(texts.value("Obdobje"), "01.12.2026");
    EXPECT_EQ(texts.value("Partner"), "Čistilni%");
    EXPECT_EQ(texts.value("Poslovni dogodek"), "vsi");
}

} // namespace
