// The buttons "Kreiranje" and "Izpis" of the main window, wired to the generation and the
// listing, against a company database of their own.
#include "../generation/GenerationFixture.h"

#include "FakeShell.h"

#include "app/ui/GenerationCommands.h"
#include "app/ui/TMain.h"
#include "controls/ui/DatePicker.h"
#include "controls/ui/LookupComboBox.h"
#include "printing/ReportCatalogue.h"
#include "printing/ui/ProgramReportDesigner.h"
#include "printing/ui/TFormPrvw.h"
#include "reports/ReportGenerator.h"
#include "reports/ui/ReportPageView.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QElapsedTimer>

namespace {

const QDate March31(2004, 3, 31);

TemplateSpec spec(int n, const QString& partner, const QString& poslDogFak = "T2")
{
    TemplateSpec t;
    t.kljuc = QString("04G1%1").arg(n, 5, 10, QChar('0'));
    t.subjekt = partner;
    t.poslDogFak = poslDogFak;
    t.nacIzrCene = "F";
    t.lines = {{"T-BLAGO", "Blago", 2, 10, 0, ""}, {"T-STOR", "Storitev", 1, 40, 5, ""}};
    return t;
}

class GenerationWiringTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { db = new GenerationDatabase("app_wiring"); }
    static void TearDownTestSuite()
    {
        delete db;
        db = nullptr;
    }

    void SetUp() override
    {
        db->clearDocuments();
        m_oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", db->scratch().file("config").toUtf8());
        QFile ini(iniPath());
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ini.write("[Program]\nObdracPoslDog=G1\nShraniForm=0\n");
        ini.close();
        TMainOptions options;
        options.runVersionCheck = false;
        main = std::make_unique<TMain>(shell, commands, QStringList{"obdrac", iniPath()}, options);
        CurrentUserID = "01";
        CurrentUserDepartment = "Računovodstvo";
        RoundStep = 0.01;
        if (!db->module().DatabaseTemp.isConnected())
            db->module().DatabaseTemp.connect();
        main->fkDatumKont()->setDate(March31);
        main->fkDatum()->setDate(March31);
    }
    void TearDown() override
    {
        main.reset();
        qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }

    static QString iniPath() { return db->scratch().file("Vektor.INI"); }
    static int count(const QString& table) { return db->psql("SELECT count(*) FROM " + table).toInt(); }
    QStringList logLines() const { return main->mKreDok()->toPlainText().split('\n', Qt::SkipEmptyParts); }
    QList<TFormPrvw*> previewWindows() const
    {
        QList<TFormPrvw*> found;
        for (QMdiSubWindow* sub : main->mdiArea()->subWindowList())
            if (auto* w = qobject_cast<TFormPrvw*>(sub->widget()))
                found << w;
        return found;
    }
    // Lets the preview make its pages.
    static bool finished(TFormPrvw* w)
    {
        QElapsedTimer t;
        t.start();
        while (!(w->generator() && w->generator()->isFinished()) && t.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        return w->generator() && w->generator()->isFinished() && !w->generator()->hasFailed();
    }

    // The buttons of the page run the generation's commands, which re-open the templates so.
    void useGeneration(std::function<void()> reopenTemplates)
    {
        generation = std::make_unique<GenerationCommands>(std::move(reopenTemplates), reports.designer());
        commands.onKreiranje = [this](TMain& m) { generation->kreiranje(m); };
        commands.onIzpis = [this](TMain& m) { generation->izpis(m); };
    }

    static GenerationDatabase* db;
    FakeShellServices shell;
    FakeMainWindowCommands commands;
    ProgramReportDesigner reports;
    std::unique_ptr<GenerationCommands> generation;
    std::unique_ptr<TMain> main;
    QByteArray m_oldConfig;
};
GenerationDatabase* GenerationWiringTest::db = nullptr;

// "Kreiranje": the question, the run with the page's dates, the log in mKreDok, the gauge at 100,
// the template list re-opened; the buttons and the cursor are back as they were.
TEST_F(GenerationWiringTest, KreiranjeRunsWithThePageCriteria)
{
    db->addTemplate(spec(1, "Kupec Alfa d.o.o."));
    db->addTemplate(spec(2, "Kupec Beta d.o.o."));
    db->addTemplate(spec(3, "Dobavitelj Delta d.o.o.", "07"));
    int reopened = 0;
    useGeneration([&] { ++reopened; });
    main->mKreDok()->setPlainText("stara vrstica");

    ScriptedMessageBoxes boxes;
    QStringList disabledDuringQuestion;
    boxes.onShow = [&](const MessageRequest&) {
        if (!main->bKreiranje()->isEnabled() && !main->bIzpis()->isEnabled())
            disabledDuringQuestion << "off";
    };
    main->bKreiranje()->click();
    EXPECT_EQ(boxes.texts(), QStringList{"Ali res želiš kreirati dokumente ?"});
    EXPECT_EQ(disabledDuringQuestion, QStringList{"off"});
    EXPECT_EQ(logLines(), (QStringList{"04T200001 / 04G100001 / Kupec Alfa d.o.o.",
                                       "04T200002 / 04G100002 / Kupec Beta d.o.o.",
                                       "040700001 / 04G100003 / Dobavitelj Delta d.o.o.",
                                       "Kreiranih dokumentov: 3 (računov: 2, naročil: 1)."}));
    EXPECT_EQ(main->fGauge()->value(), 100);
    EXPECT_EQ(reopened, 1);
    EXPECT_TRUE(main->bKreiranje()->isEnabled());
    EXPECT_TRUE(main->bIzpis()->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(count("Promet"), 2);
    EXPECT_EQ(count("Naroc"), 1);
    EXPECT_EQ(db->psql("SELECT to_char(Datum, 'YYYY-MM-DD') FROM Promet LIMIT 1"), "2004-03-31");

    // Cancel: the log is emptied, nothing written, the list re-opened all the same.
    db->addTemplate(spec(4, "Kupec Gama d.o.o."));
    boxes.answer(MsgButton::Cancel);
    main->bKreiranje()->click();
    EXPECT_TRUE(logLines().isEmpty());
    EXPECT_EQ(count("Promet"), 2);
    EXPECT_EQ(reopened, 2);
}

// The optional partner and business-event criteria of the page restrict the run.
TEST_F(GenerationWiringTest, PartnerAndBusinessEventOfThePage)
{
    db->addTemplate(spec(1, "Kupec Alfa d.o.o."));
    db->addTemplate(spec(2, "Kupec Beta d.o.o."));
    db->addTemplate(spec(3, "Kupec Beta d.o.o.", "T1"));
    useGeneration([] {});
    main->fkSubjekt()->setLookupText("Kupec B%");
    main->fkPoslDog()->setLookupText("T2");
    const GenerationCriteria c = generationCriteriaFrom(*main);
    EXPECT_EQ(c.DatumKont, March31);
    EXPECT_EQ(c.Subjekt, "Kupec B%");
    EXPECT_EQ(c.PoslDog, "T2");
    ScriptedMessageBoxes boxes;
    main->bKreiranje()->click();
    EXPECT_EQ(logLines(), (QStringList{"04T200001 / 04G100002 / Kupec Beta d.o.o.",
                                       "Kreiranih dokumentov: 1 (računov: 1, naročil: 0)."}));
}

// Re-opened through the shell, the template list opens on the business event chosen in the
// selector.
TEST_F(GenerationWiringTest, DefaultReopenUsesTheChosenBusinessEvent)
{
    QStringList opened;
    shell.onOpenTemplates = [&](const QString& poslDog) { opened << poslDog; };
    useGeneration(reopenThroughShell(shell));
    ScriptedMessageBoxes boxes;
    main->fObdracPoslDog()->setLookupText("G1");
    main->bKreiranje()->click();
    EXPECT_EQ(opened, QStringList{"G1"});
    main->fObdracPoslDog()->setLookupText("");
    main->bKreiranje()->click();
    EXPECT_EQ(opened, QStringList{"G1"});
}

// "Izpis": the question, the listing of both runs printed through the report "ObdracIzpis" (27K,
// PREVIEW "T") into the preview child window, nothing written; a second listing is shown in the
// same window; Cancel starts the report over the empty listing, which says "Ni nobenega zapisa !".
TEST_F(GenerationWiringTest, IzpisPrintsTheListingIntoThePreview)
{
    db->addTemplate(spec(1, "Kupec Alfa d.o.o."));
    db->addTemplate(spec(2, "Dobavitelj Delta d.o.o.", "07"));
    useGeneration([] {});
    installReportCatalogue(db->module());
    main->show();
    QApplication::processEvents();
    ScriptedMessageBoxes boxes;
    main->bIzpis()->click();
    EXPECT_EQ(boxes.texts(), QStringList{"Ali res želiš izpisati dokumente ?"});
    QList<TFormPrvw*> windows = previewWindows();
    ASSERT_EQ(windows.size(), 1);
    TFormPrvw* w = windows.first();
    ASSERT_TRUE(finished(w));
    EXPECT_EQ(w->generator()->prepared().pageCount(), 1);
    int details = 0;
    for (const PreparedBand& band : w->generator()->prepared().bands())
        details += band.kind == ReportBandKind::Detail;
    EXPECT_EQ(details, 4);
    EXPECT_EQ(main->fGauge()->value(), 100);
    EXPECT_EQ(count("Promet"), 0);
    EXPECT_EQ(count("Naroc"), 0);
    EXPECT_EQ(db->psql("SELECT count(*) FROM Obdrac WHERE DatZadFak IS NOT NULL").toInt(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(main->bIzpis()->isEnabled());

    db->addTemplate(spec(3, "Kupec Beta d.o.o."));
    main->bIzpis()->click();
    windows = previewWindows();
    ASSERT_EQ(windows.size(), 1);
    ASSERT_TRUE(finished(windows.first()));
    details = 0;
    for (const PreparedBand& band : windows.first()->generator()->prepared().bands())
        details += band.kind == ReportBandKind::Detail;
    EXPECT_EQ(details, 6);

    boxes.clear();
    boxes.answer(MsgButton::Cancel);
    main->bIzpis()->click();
    EXPECT_EQ(boxes.texts(), (QStringList{"Ali res želiš izpisati dokumente ?", "Ni nobenega zapisa !"}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A date typed into "Za obdobje od:" that is no date stops "Kreiranje" before its question: the
// message names the text, which stays in the field; nothing is written.
TEST_F(GenerationWiringTest, ADateThatIsNoDateStopsTheRun)
{
    db->addTemplate(spec(1, "Kupec Alfa d.o.o."));
    useGeneration([] {});
    ScriptedMessageBoxes boxes;
    main->fkDatumKont()->setText("31.02.2004");
    main->bKreiranje()->click();
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("\"31.02.2004\" ni veljaven datum !")) << boxes.texts()[0];
    EXPECT_EQ(main->fkDatumKont()->text(), QString("31.02.2004"));
    EXPECT_EQ(count("Promet"), 0);
    // typed the short way, the run takes it as typed, without leaving the field first
    main->fkDatumKont()->setText("310304");
    main->bKreiranje()->click();
    EXPECT_EQ(main->fkDatumKont()->date(), March31);
    EXPECT_EQ(count("Promet"), 1);
}

} // namespace
