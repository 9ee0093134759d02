// The preview window TFormPrvw driven offscreen on the demo company's listing, as "Izpis" of page
// "Kreiranje" shows it (the listing made without writing, then report 27K or the variant chosen
// through the report start): paging keys, the zoom box, the report group (variant choice,
// refresh, deletion, the guard, the designer), the save dialog and the exports through stand-in
// programs. A long report in memory stands in where a test needs pages still being made.
#include "PrintingFixture.h"
#include "PreviewTestSupport.h"

#include "data/config/IniFile.h"
#include "generation/GenerationCriteria.h"
#include "printing/EExportFailed.h"
#include "printing/MailHandOver.h"
#include "printing/OfficeApplication.h"
#include "printing/PreviewReportFiles.h"
#include "printing/PrintOrigin.h"
#include "printing/PrintingRun.h"
#include "printing/ReportDesignEdit.h"
#include "printing/ReportSort.h"
#include "printing/ReportStart.h"
#include "printing/ui/ReportGroupComboBox.h"
#include "printing/ui/TFormPrvw.h"
#include "printing/ui/TFormSendMail.h"
#include "reports/ExportFilter.h"
#include "reports/ui/ReportPageView.h"
#include "data/ui/FormCord.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

bool waitFor(const std::function<bool()>& done, int ms = 30000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// A report of many pages over rows in memory.
std::unique_ptr<ReportGenerator> longReport(int rows)
{
    auto source = std::make_shared<MemoryReportSource>(
        "Vrstice", std::vector<MemoryReportSource::Field>{{"Stevilka", ReportFieldKind::Number},
                                                          {"Opis", ReportFieldKind::Text}});
    for (int i = 1; i <= rows; ++i)
        source->addRow({i, QString("Vrstica %1 čšž").arg(i)});
    ReportDefinition def;
    def.name = "Dolg izpis";
    def.title = "Dolg izpis";
    def.mainDataSet = "Vrstice";
    ReportBand header;
    header.kind = ReportBandKind::PageHeader;
    header.name = "Glava";
    header.heightMm = 10;
    ReportElement title;
    title.kind = ReportElementKind::Label;
    title.name = "Naslov";
    title.text = "Dolg izpis";
    title.widthMm = 80;
    header.elements.push_back(title);
    ReportBand detail;
    detail.kind = ReportBandKind::Detail;
    detail.name = "Podrobno";
    detail.heightMm = 8;
    ReportElement number;
    number.kind = ReportElementKind::DataField;
    number.name = "Stevilka";
    number.field = "Stevilka";
    ReportElement text = number;
    text.name = "Opis";
    text.field = "Opis";
    text.leftMm = 40;
    text.widthMm = 80;
    detail.elements = {number, text};
    def.bands = {header, detail};
    ReportDataSources sources;
    sources.add(source);
    ReportContext context;
    context.title = def.title;
    return std::make_unique<ReportGenerator>(def, sources, context);
}

// The texts of one page of a prepared report, a line each.
QString pageText(const PreparedReport& report, int page)
{
    QString text;
    for (const PreparedPrimitive& p : report.page(page).items)
        if (p.kind == PreparedPrimitive::Kind::Text)
            text += report.resolvedText(p.text, page) + '\n';
    return text;
}

class TFormPrvwTest : public PrintingTest {
protected:
    static void SetUpTestSuite()
    {
        startSuite("printing_prvw");
        // More maintenance customers (partner type VZD, three lines each) than the demo company
        // has, so that its listing runs over several pages.
        sql("CREATE TEMP TABLE Kopija AS SELECT S.*, N FROM Subjekt S, generate_series(1, 30) N "
            "WHERE S.Naziv = 'Avtoservis Šinkovec d.o.o.';"
            "UPDATE Kopija SET Naziv = 'Servis Žužemberk ' || lpad(N::text, 2, '0') || ' d.o.o.';"
            "ALTER TABLE Kopija DROP COLUMN N;"
            "INSERT INTO Subjekt SELECT * FROM Kopija;");
    }
    static void TearDownTestSuite() { endSuite(); }

    void SetUp() override
    {
        PrintingTest::SetUp();
        main.setCentralWidget(area = new QMdiArea(&main));
        main.statusBar()->showMessage("glavno okno");
        setMainMdiArea(area);
        main.resize(1200, 800);
        main.show();
        designer.setPreviewer(&prvw);
        // A period a month ahead: every active template of the demo company is due.
        criteria.DatumKont = QDate::currentDate().addMonths(1);
        criteria.Datum = criteria.DatumKont;
        // "Izpis" of page "Kreiranje": the listing, then the report start into the preview.
        QObject::connect(&bIzpis, &QPushButton::clicked, [this] {
            ++izpisClicks;
            bIzpisClick(designer, &bIzpis, criteria);
        });
        // The question of "Izpis" (and every other) answered OK unless a test says otherwise.
        boxes.setDefaultAnswer(MsgButton::Ok);
        sql("DELETE FROM Report WHERE Report <> '27K';");
        setReportEditOperation({});
    }
    void TearDown() override
    {
        if (TFormPrvw* w = TFormPrvw::instance())
            w->close();
        waitFor([] { return TFormPrvw::instance() == nullptr; }, 5000);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setMainMdiArea(nullptr);
        setPrintOrigin(nullptr);
        setReportEditOperation({});
        PrintingTest::TearDown();
    }

    // "Izpis" clicked: the listing's report (27K, or the variant chosen) shown in the preview
    // with all its pages made.
    TFormPrvw* showListing()
    {
        bIzpis.click();
        TFormPrvw* w = TFormPrvw::instance();
        EXPECT_NE(w, nullptr) << boxes.texts().join("|").toStdString();
        if (w)
            waitFor([w] { return w->generator() && w->generator()->isFinished(); });
        return w;
    }
    TFormPrvw* showLong(int rows = 150)
    {
        TFormPrvw* w = TFormPrvw::ShowPreparedReport(longReport(rows));
        waitFor([w] { return w->generator()->isFinished(); });
        return w;
    }
    // A user variant of the listing with the layout of 27K.
    void addUserVariant(const QString& code, const QString& name)
    {
        sql(QString("INSERT INTO Report (Report, Naziv, FormName, ParentFormName, DefaultPrinter, Preview, "
                    "ReportData, PrintIfEmpty, PrintToText, NoOfCopy, UserZap) SELECT '%1', '%2', FormName, "
                    "FormName, DefaultPrinter, 'T', ReportData, 'T', 'F', 1, '01' FROM Report WHERE Report = '27K';")
                .arg(code, name));
    }
    // The same listing made apart from the window, run to its end.
    std::unique_ptr<ReportGenerator> listingMadeApart()
    {
        RecordingPreviewer apart;
        TReportDesignerDialog other(&printer, &apart, &cursor);
        QObject origin;
        const bool started = bIzpisClick(other, &origin, criteria);
        setPrintOrigin(&bIzpis);
        if (!started || apart.runs.size() != 1)
            return nullptr;
        std::unique_ptr<ReportGenerator> run = std::move(apart.runs[0]);
        return run->runToEnd() ? std::move(run) : nullptr;
    }
    QString iniValue(const QString& section, const QString& key)
    {
        return IniFile(m_scratch.file("Vektor.INI")).readString(section, key, "<none>");
    }
    // Picks a row of the report group box as the user does: drop it down, choose, close up.
    void chooseVariant(TFormPrvw* w, const QString& code)
    {
        w->cbReportGroupDropDown();
        ReportGroupComboBox* combo = w->cbReportGroup();
        int index = -1;
        for (int i = 0; i < combo->count(); ++i)
            if (combo->itemText(i).startsWith(code + " - "))
                index = i;
        ASSERT_GE(index, 0) << code.toStdString();
        combo->setCurrentIndex(index);
        w->cbReportGroupCloseUp(index);
        waitFor([w] { return w->generator()->isFinished(); });
    }

    QMainWindow main;
    QMdiArea* area = nullptr;
    TFormPrvwPreviewer prvw;
    GenerationCriteria criteria;
    QPushButton bIzpis{"Izpis"};
    int izpisClicks = 0;
};

TEST_F(TFormPrvwTest, TheListingOpensMaximisedInOneReusedChildWindowWithItsVariantAndCaption)
{
    TFormPrvw* w = showListing();
    ASSERT_NE(w, nullptr);
    ASSERT_FALSE(w->generator()->hasFailed()) << w->generator()->errorMessage().toStdString();
    ASSERT_NE(w->subWindow(), nullptr);
    EXPECT_EQ(w->subWindow()->mdiArea(), area);
    EXPECT_TRUE(w->subWindow()->isMaximized());
    EXPECT_EQ(w->windowTitle(), "27K-ObdracIzpis");
    EXPECT_EQ(w->cbReportGroup()->currentText(), "27K - ObdracIzpis");
    EXPECT_EQ(w->codeShown(), "27K");
    EXPECT_TRUE(w->ZoomToWidth()->isChecked());
    EXPECT_TRUE(w->panel(0)->text().isEmpty());
    EXPECT_EQ(w->panel(1)->text(), QString("Page 1 of %1").arg(w->QRPreview()->pageCount()));
    EXPECT_FALSE(main.statusBar()->isVisible());
    // What is shown is the demo company's listing: its pages are those of the same listing made
    // apart, the first of them with the company, the period and the page of the count.
    const PreparedReport& shown = w->generator()->prepared();
    const auto apart = listingMadeApart();
    ASSERT_NE(apart, nullptr);
    EXPECT_EQ(w->QRPreview()->pageCount(), apart->prepared().pageCount());
    EXPECT_EQ(shown.pageCount(), apart->prepared().pageCount());
    const QString first = pageText(shown, 0);
    EXPECT_TRUE(first.contains("Demo d.o.o.")) << first.toStdString();
    EXPECT_TRUE(first.contains(criteria.DatumKont.toString("dd.MM.yyyy"))) << first.toStdString();
    EXPECT_TRUE(first.contains(QString("Stran 1 od %1").arg(shown.pageCount()))) << first.toStdString();
    EXPECT_EQ(boxes.texts(), (QStringList{"Ali res želiš izpisati dokumente ?", "Ali res želiš izpisati dokumente ?"}));
    // The next preview reuses the window.
    TFormPrvw* again = showLong(20);
    EXPECT_EQ(again, w);
    EXPECT_EQ(area->subWindowList().size(), 1);
    w->close();
    ASSERT_TRUE(waitFor([] { return TFormPrvw::instance() == nullptr; }));
    EXPECT_TRUE(main.statusBar()->isVisible());
}

TEST_F(TFormPrvwTest, PagingKeysButtonsAndThePagePanel)
{
    TFormPrvw* w = showListing();
    ASSERT_NE(w, nullptr);
    const int pages = w->QRPreview()->pageCount();
    ASSERT_GE(pages, 4);
    QWidget* target = w->ComboBox1()->lineEdit();   // the window sees keys before its controls
    struct Step {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int expected;   // 0: the last page, -1: the one before the last
    };
    const Step steps[] = {
        {Qt::Key_PageDown, Qt::NoModifier, 2},
        {Qt::Key_PageDown, Qt::NoModifier, 3},
        {Qt::Key_PageUp, Qt::NoModifier, 2},
        {Qt::Key_PageDown, Qt::ControlModifier, 0},
        {Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier, -1},   // one page back, not the first
        {Qt::Key_PageUp, Qt::ControlModifier, 1},
        {Qt::Key_PageUp, Qt::NoModifier, 1},
        {Qt::Key_End, Qt::NoModifier, 0},
        {Qt::Key_Home, Qt::NoModifier, 1},
        {Qt::Key_PageDown, Qt::ControlModifier | Qt::ShiftModifier, 2},
    };
    for (const Step& s : steps) {
        QTest::keyClick(target, s.key, s.modifiers);
        const int expected = s.expected == 0 ? pages : s.expected == -1 ? pages - 1 : s.expected;
        EXPECT_EQ(w->QRPreview()->currentPage(), expected) << "key " << s.key << " modifiers " << int(s.modifiers);
        EXPECT_EQ(w->panel(1)->text(), QString("Page %1 of %2").arg(expected).arg(pages));
    }
    QTest::mouseClick(w->button("LastPage"), Qt::LeftButton);
    EXPECT_EQ(w->QRPreview()->currentPage(), pages);
    QTest::mouseClick(w->button("PrevPage"), Qt::LeftButton);
    EXPECT_EQ(w->panel(1)->text(), QString("Page %1 of %2").arg(pages - 1).arg(pages));
    QTest::mouseClick(w->button("FirstPage"), Qt::LeftButton);
    QTest::mouseClick(w->button("NextPage"), Qt::LeftButton);
    EXPECT_EQ(w->QRPreview()->currentPage(), 2);
    // A hint (the mouse over the zoom box, a button or a menu item) does not cover the page.
    QStatusTipEvent tip("Zoom");
    QApplication::sendEvent(w->ComboBox1(), &tip);
    EXPECT_TRUE(w->statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(w->panel(1)->isVisible());
    EXPECT_EQ(w->panel(1)->text(), QString("Page 2 of %1").arg(pages));
}

TEST_F(TFormPrvwTest, TheZoomBoxZoomsOnlyToAPercentWithItsSign)
{
    TFormPrvw* w = showListing();
    ASSERT_NE(w, nullptr);
    ReportPageView* view = w->QRPreview();
    ASSERT_EQ(view->zoomMode(), ReportPageView::ZoomMode::PageWidth);
    QComboBox* box = w->ComboBox1();
    // Typed as the user does, in the box with the focus: "1" is not completed to "10%".
    QApplication::setActiveWindow(&main);
    box->lineEdit()->setFocus();
    ASSERT_TRUE(box->lineEdit()->hasFocus());
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), "1");
    EXPECT_EQ(box->currentText(), "1");
    EXPECT_EQ(view->zoomMode(), ReportPageView::ZoomMode::PageWidth);
    QTest::keyClicks(box->lineEdit(), "50");
    EXPECT_EQ(box->currentText(), "150");
    EXPECT_EQ(view->zoomMode(), ReportPageView::ZoomMode::PageWidth);   // nothing yet
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->currentText(), "150%");
    EXPECT_EQ(view->zoomMode(), ReportPageView::ZoomMode::Percent);
    EXPECT_EQ(view->zoomPercent(), 150);
    box->setEditText("Cela stran");
    EXPECT_EQ(view->zoomMode(), ReportPageView::ZoomMode::WholePage);
    EXPECT_TRUE(w->ZoomFit()->isChecked());
    box->setEditText("100%");
    EXPECT_EQ(view->zoomPercent(), 100);
    EXPECT_TRUE(w->Zoom100()->isChecked());
    box->setEditText("Širina strani");
    EXPECT_EQ(view->zoomMode(), ReportPageView::ZoomMode::PageWidth);
    EXPECT_TRUE(w->ZoomToWidth()->isChecked());
    // The buttons and the "Pogled" items.
    w->action("PogledCela")->trigger();
    EXPECT_EQ(view->zoomMode(), ReportPageView::ZoomMode::WholePage);
    QTest::mouseClick(w->Zoom100(), Qt::LeftButton);
    EXPECT_EQ(view->zoomPercent(), 100);
    EXPECT_TRUE(w->Zoom100()->isChecked());

    // The next run in the window shows its pages by width again, and the box says so.
    box->setEditText("150%");
    ASSERT_EQ(view->zoomPercent(), 150);
    ASSERT_EQ(showListing(), w);
    EXPECT_EQ(view->zoomMode(), ReportPageView::ZoomMode::PageWidth);
    EXPECT_EQ(box->currentText(), "Širina strani");
    EXPECT_TRUE(w->ZoomToWidth()->isChecked());
}

TEST_F(TFormPrvwTest, ProgressIsShownInStepsOfFiveAndEmptiedAtTheEnds)
{
    // A run stopped before its first slice has shown no progress.
    TFormPrvw* w = TFormPrvw::ShowPreparedReport(longReport(3000));
    EXPECT_TRUE(w->pagesPending());
    w->StopClick();
    ASSERT_TRUE(waitFor([w] { return w->generator()->isFinished(); }));
    ReportGenerator* g = w->generator();
    struct Step {
        int percent;
        const char* panel;
    };
    // 3 and 9 show nothing (9 is less than 6 + 5); 0 and 100 empty the panel.
    const Step steps[] = {{3, ""}, {6, "6%"}, {9, "6%"}, {11, "11%"}, {40, "40%"}, {0, ""}, {95, "95%"}, {100, ""}};
    for (const Step& s : steps) {
        emit g->progress(s.percent);
        EXPECT_EQ(w->panel(0)->text(), QString::fromUtf8(s.panel)) << s.percent;
    }
    PreviewProgress progress;
    EXPECT_FALSE(progress.notify(3));
    EXPECT_EQ(progress.notify(6), QString("6%"));
    EXPECT_FALSE(progress.notify(9));
    EXPECT_EQ(progress.lastShown(), 6);
}

TEST_F(TFormPrvwTest, ChoosingTheVariantShownDoesNotRefreshAnotherRunsAgainAndIsRemembered)
{
    addUserVariant("A00", "Moj izpis");
    TFormPrvw* w = showListing();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(izpisClicks, 1);
    chooseVariant(w, "27K");
    EXPECT_EQ(izpisClicks, 1);
    EXPECT_EQ(iniValue("ReportSort", "ObdracIzpis"), "<none>");

    chooseVariant(w, "A00");
    EXPECT_EQ(izpisClicks, 2);
    EXPECT_EQ(TFormPrvw::instance(), w);
    EXPECT_EQ(iniValue("ReportSort", "ObdracIzpis"), "A00");
    EXPECT_EQ(w->cbReportGroup()->currentText(), "A00 - Moj izpis");
    EXPECT_EQ(w->windowTitle(), "A00-Moj izpis");
    EXPECT_EQ(w->codeShown(), "A00");
    EXPECT_FALSE(PreviewRefreshing);
    // The listing made again, the question of "Izpis" answered again.
    ASSERT_FALSE(w->generator()->hasFailed()) << w->generator()->errorMessage().toStdString();
    EXPECT_EQ(boxes.texts().count("Ali res želiš izpisati dokumente ?"), 2);
    EXPECT_TRUE(pageText(w->generator()->prepared(), 0).contains("Demo d.o.o."));
}

TEST_F(TFormPrvwTest, DeletingAUserVariantLeavesTheGroupsFirstReportShownAndRemembered)
{
    addUserVariant("A00", "Moj izpis");
    addUserVariant("A01", "Drugi izpis");
    TFormPrvw* w = showListing();
    chooseVariant(w, "A01");
    ASSERT_EQ(w->codeShown(), "A01");
    boxes.clear();
    boxes.answer(MsgButton::Ok);
    w->action("ZbrisiIzpis")->trigger();
    waitFor([w] { return w->generator()->isFinished(); });
    ASSERT_FALSE(boxes.texts().isEmpty());
    EXPECT_EQ(boxes.texts()[0], "Ste prepričani, da želite zbrisati report: Drugi izpis ?");
    EXPECT_EQ(sql("SELECT count(*) FROM Report WHERE Report = 'A01';").trimmed(), "0");
    EXPECT_EQ(w->cbReportGroup()->currentText(), "27K - ObdracIzpis");
    EXPECT_EQ(w->windowTitle(), "27K-ObdracIzpis");
    EXPECT_EQ(iniValue("ReportSort", "ObdracIzpis"), "27K");
    EXPECT_EQ(izpisClicks, 3);
    EXPECT_EQ(boxes.texts().mid(1), QStringList{"Ali res želiš izpisati dokumente ?"});
    EXPECT_EQ(w->codeShown(), "27K");
    EXPECT_GE(w->QRPreview()->pageCount(), 4);

    // Cancel keeps the variant.
    chooseVariant(w, "A00");
    boxes.clear();
    boxes.answer(MsgButton::Cancel);
    w->ZbrisiIzpisClick();
    EXPECT_EQ(sql("SELECT count(*) FROM Report WHERE Report = 'A00';").trimmed(), "1");
    EXPECT_EQ(w->codeShown(), "A00");
}

TEST_F(TFormPrvwTest, TheOriginalReportIsNotDeleted)
{
    // A system report (code below A00).
    addUserVariant("100", "Sistemski izpis");
    IniFile(m_scratch.file("Vektor.INI")).writeString("ReportSort", "ObdracIzpis", "100");
    TFormPrvw* w = showListing();
    ASSERT_EQ(w->codeShown(), "100");
    boxes.clear();
    w->ZbrisiIzpisClick();
    EXPECT_EQ(boxes.texts(), QStringList{"Originalnega reporta ni mogoče zbrisati!"});
    EXPECT_EQ(boxes.shown().at(0).kind, MsgKind::Error);
    EXPECT_EQ(sql("SELECT count(*) FROM Report WHERE Report = '100';").trimmed(), "1");
    // A code that is not a hexadecimal number: the conversion fails, nothing is deleted.
    chooseVariant(w, "27K");
    boxes.clear();
    w->ZbrisiIzpisClick();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].contains("'$27K' ni veljavno šestnajstiško število")) << boxes.texts()[0].toStdString();
    EXPECT_EQ(sql("SELECT count(*) FROM Report WHERE Report = '27K';").trimmed(), "1");
    EXPECT_EQ(izpisClicks, 2);
}

TEST_F(TFormPrvwTest, RefreshWithoutAClickableOriginAndTheMissingDesignerAreReported)
{
    TFormPrvw* w = showListing();
    QObject notAControl;
    setPrintOrigin(&notAControl);
    boxes.clear();
    w->action("Osvezi")->trigger();
    EXPECT_EQ(boxes.texts(), QStringList{"Dokumenta ni mogoče osvežiti"});
    EXPECT_FALSE(PreviewRefreshing);
    EXPECT_EQ(TFormPrvw::instance(), w);

    // No edit operation installed (a program without the designer): said and logged.
    boxes.clear();
    w->action("OblikujIzpis")->trigger();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].contains("Oblikovalnik izpisov")) << boxes.texts()[0].toStdString();
    EXPECT_TRUE(errorLogOperations().contains("SpeedButton16Click"));
    EXPECT_EQ(TFormPrvw::instance(), w);
}

TEST_F(TFormPrvwTest, DesignOpensTheInstalledEditorOnTheVariantShown)
{
    // The program installs the designer's edit operation; this one records what it is given.
    QStringList edited;
    setReportEditOperation([&edited](TwwOEDataSet& Report) {
        edited << Report.FieldByName("REPORT").asString().trimmed() + " " + Report.FieldByName("NAZIV").asString().trimmed();
    });
    addUserVariant("A00", "Moj izpis");
    TFormPrvw* w = showListing();
    ASSERT_NE(w, nullptr);
    boxes.clear();
    w->action("OblikujIzpis")->trigger();
    EXPECT_EQ(edited, QStringList{"27K ObdracIzpis"});

    // Report standing elsewhere: the code of the box is what is edited.
    chooseVariant(w, "A00");
    ASSERT_TRUE(positionReport("27K"));
    w->action("OblikujIzpis")->trigger();
    EXPECT_EQ(edited, (QStringList{"27K ObdracIzpis", "A00 Moj izpis"}));
    EXPECT_EQ(boxes.texts().count("Ali res želiš izpisati dokumente ?"), 1);   // the variant's run only
    EXPECT_EQ(boxes.texts().size(), 1);

    // A designer that fails: logged under the command's name, the window stays.
    EXPECT_FALSE(errorLogOperations().contains("SpeedButton16Click"));
    setReportEditOperation([](TwwOEDataSet&) { throw EExportFailed("Oblikovalnik se ni odprl."); });
    w->SpeedButton16Click();
    EXPECT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(errorLogOperations().contains("SpeedButton16Click"));
    EXPECT_EQ(TFormPrvw::instance(), w);
}

TEST_F(TFormPrvwTest, TheSaveDialogOffersTheOwnFormatFirstThenEveryExportFilter)
{
    TFormPrvw* w = showListing();
    ASSERT_NE(w, nullptr);
    auto dialog = w->createSaveDialog();
    EXPECT_EQ(dialog->windowTitle(), "Save report");
    EXPECT_EQ(dialog->defaultSuffix(), "QRP");
    QStringList expected{"Pripravljen izpis (*.QRP)"};
    for (const ExportFilter* f : exportFilters())
        expected << f->dialogFilter();
    EXPECT_EQ(dialog->nameFilters(), expected);
    ASSERT_GE(expected.size(), 2);
    EXPECT_TRUE(expected[1].startsWith("Hypertext Markup Language"));

    const QString qrp = m_scratch.file("izpis.QRP");
    w->SaveReportTo(qrp, 0);
    QString error;
    const auto loaded = PreparedReport::loadFromFile(qrp, &error);
    ASSERT_TRUE(loaded) << error.toStdString();
    EXPECT_EQ(loaded->pageCount(), w->QRPreview()->pageCount());
    const QString htm = m_scratch.file("izpis.htm");
    w->SaveReportTo(htm, 1);
    const QString html = QString::fromUtf8(readFile(htm));
    EXPECT_TRUE(html.contains("Čebelarstvo Žužek s.p.")) << html.left(2000).toStdString();
    EXPECT_TRUE(html.contains("Skupaj periodika 25G100012"));
    EXPECT_TRUE(html.contains("Servis Žužemberk 30 d.o.o."));
    // The lines of the page header and of the summary, each its own row: none hides another.
    EXPECT_TRUE(html.contains(">Demo d.o.o.</td>"));
    EXPECT_TRUE(html.contains(">Izpis periodike: kaj bi kreiranje naredilo</td>"));
    EXPECT_TRUE(html.contains("Za obdobje od: " + criteria.DatumKont.toString("dd.MM.yyyy")));
    EXPECT_TRUE(html.contains(">Povzetek izpisa</td>"));
    EXPECT_TRUE(html.contains(">Računi</td>"));
}

TEST_F(TFormPrvwTest, SpreadsheetExportHandsTheCompleteFileToTheConfiguredProgram)
{
    FakeProgram office(m_scratch, "fake-office");
    IniFile(m_scratch.file("Vektor.INI")).writeString("Program", SpreadsheetCommandKey, office.path() + " %1");
    TFormPrvw* w = showListing();
    ASSERT_NE(w, nullptr);
    boxes.clear();
    QTest::mouseClick(w->button("ExportToExcel"), Qt::LeftButton);
    const auto args = office.arguments();
    ASSERT_TRUE(args) << boxes.texts().join("|").toStdString();
    const QString path = m_scratch.file("data/tmpExcel.htm");
    EXPECT_EQ(*args, QStringList{path});
    EXPECT_EQ(office.fileSeen(), readFile(path));
    const QString seen = QString::fromUtf8(office.fileSeen());
    EXPECT_TRUE(seen.contains("Dom starejših Šiška"));   // an order, after the invoices
    EXPECT_TRUE(seen.contains("Skupaj periodika"));
    EXPECT_TRUE(seen.trimmed().endsWith("</html>")) << seen.right(200).toStdString();
    EXPECT_TRUE(boxes.texts().isEmpty());

    // A word processor that does not exist.
    IniFile(m_scratch.file("Vektor.INI")).writeString("Program", WordProcessorCommandKey, m_scratch.file("nič") + " %1");
    w->action("IzvozWord")->trigger();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Ne morem odpreti aplikacije\r\n"));
    EXPECT_TRUE(errorLogOperations().contains("SpeedButton14Click"));
    EXPECT_EQ(TFormPrvw::instance(), w);
}

TEST_F(TFormPrvwTest, ExportsWaitForAllPages)
{
    TFormPrvw* w = TFormPrvw::ShowPreparedReport(longReport(3000));
    ASSERT_FALSE(w->generator()->isFinished());
    boxes.clear();
    w->SpeedButton13Click();
    w->SpeedButton15Click();
    EXPECT_EQ(boxes.texts(), (QStringList{"Prosim počakajte da se odprejo vse strani!",
                                          "Prosim počakajte da se odprejo vse strani!"}));
    w->action("ZaustaviIzpis")->trigger();
    EXPECT_TRUE(waitFor([w] { return w->generator()->isFinished(); }));
    EXPECT_TRUE(w->panel(0)->text().isEmpty());
    EXPECT_FALSE(w->pagesPending());
}

TEST_F(TFormPrvwTest, EMailSendsTheReportAsAnHtmlAttachment)
{
    FakeProgram mailer(m_scratch, "fake-mail");
    IniFile(m_scratch.file("Vektor.INI")).writeString("Program", MailCommandKey, mailer.path());
    TFormPrvw* w = showListing();
    bool formSeen = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<TFormSendMail*>(QApplication::activeModalWidget());
        if (!form)
            return;
        formSeen = true;
        form->Edit1()->setText("ana@podjetje.si");
        form->bPoslji()->click();
    });
    w->SpeedButton15Click();
    EXPECT_TRUE(formSeen);
    const auto args = mailer.arguments();
    ASSERT_TRUE(args) << boxes.texts().join("|").toStdString();
    const QString attachment = m_scratch.file("data/Vektor report.htm");
    EXPECT_EQ(*args, (QStringList{"--utf8", "--to", "ana@podjetje.si", "--subject",
                                  "Vektor report - 27K-ObdracIzpis", "--body", "Vektor report - 27K-ObdracIzpis",
                                  "--attach", attachment}));
    EXPECT_TRUE(mailer.fileSeen().startsWith("<"));
    EXPECT_TRUE(QString::fromUtf8(mailer.fileSeen()).contains("Čebelarstvo Žužek s.p."));
}

TEST_F(TFormPrvwTest, TheToolbarsCheckMarkFollowsItsVisibility)
{
    TFormPrvw* w = showLong(5);
    QAction* item = w->action("OrodnaVrstica");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Orodna vrstica");
    EXPECT_TRUE(item->isChecked());
    w->toolbarDock()->setFloating(true);
    w->toolbarDock()->close();
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    EXPECT_TRUE(w->toolbarDock()->isVisible());
    EXPECT_TRUE(item->isChecked());
}

} // namespace
