#include "FakeShell.h"
#include "ShellTestEnv.h"

#include "app/ProgramSettings.h"
#include "app/ui/TAbout.h"
#include "app/ui/TMain.h"
#include "controls/ui/DatePicker.h"
#include "controls/ui/LookupComboBox.h"
#include "data/core/EAbort.h"
#include "data/log/MessageBoxes.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/ui/MdiChildren.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {
const QDate Today(2026, 3, 14);

std::unique_ptr<TMain> makeMain(const ShellTestEnv& env, ShellServices& shell, MainWindowCommands& commands)
{
    TMainOptions options;
    options.today = Today;
    options.runVersionCheck = false;
    return std::make_unique<TMain>(shell, commands, QStringList{"obdrac", env.iniPath()}, options);
}

// Shows the window and lets the deferred start-up run.
void showAndSettle(TMain& main)
{
    main.show();
    QTest::qWait(20);
    QApplication::processEvents();
}

QString labelText(const QWidget& root, const char* name)
{
    const auto* label = root.findChild<QLabel*>(name);
    return label != nullptr ? label->text() : QString("<missing %1>").arg(name);
}

// A child window that refuses to close.
class StubbornChild : public QWidget {
public:
    StubbornChild() { setObjectName("Stubborn"); }
    bool refuse = true;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        if (refuse)
            e->ignore();
        else
            e->accept();
    }
};

class MainWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<TMain> makeMain() { return ::makeMain(env, shell, commands); }

    ShellTestEnv env;
    FakeShellServices shell;
    FakeMainWindowCommands commands;
    ScriptedMessageBoxes boxes;
};

TEST_F(MainWindowTest, PagesControlsAndCaptions)
{
    env.writeIni("[Program]\nPodjetje=Firma d.o.o.\nObdracPoslDog=PF\n");
    auto main = makeMain();
    EXPECT_TRUE(main->createdCompletely());
    EXPECT_EQ(main->objectName(), QString("Main"));
    EXPECT_EQ(main->windowTitle(), QString("Sintrex Periodično fakturiranje Firma d.o.o."));
    EXPECT_TRUE(QuietClose);

    QTabWidget* pages = main->findChild<QTabWidget*>("PageControl");
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 2);
    EXPECT_EQ(pages->tabText(0), QString("Kreiranje"));
    EXPECT_EQ(pages->tabText(1), QString("Nastavi partnerje"));
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(pages->widget(0)->objectName(), QString("cKreiranje"));
    EXPECT_EQ(pages->widget(1)->objectName(), QString("cNastavi"));

    const QWidget& page = *main->cKreiranje();
    auto* group = page.findChild<QGroupBox*>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QString("Kriteriji za kreiranje dokumentov"));
    for (const char* name : {"fkDatumKont", "fkDatum", "fkSubjekt", "fkPoslDog"})
        EXPECT_NE(group->findChild<QWidget*>(name), nullptr) << name;
    EXPECT_EQ(labelText(page, "lObdracPoslDog"), QString("Posl.dog.za periodično fakturiranje:"));
    EXPECT_EQ(labelText(page, "lkDatumKont"), QString("Za obdobje od:"));
    EXPECT_EQ(labelText(page, "lkDatum"), QString("Datum dokumentov:"));
    EXPECT_EQ(labelText(page, "lkSubjekt"), QString("Partner:"));
    EXPECT_EQ(labelText(page, "lkPoslDog"), QString("Poslovni dogodek:"));
    EXPECT_EQ(labelText(page, "lKreDok"), QString("Kreirani dokumenti / periodika / partner:"));
    EXPECT_EQ(page.findChild<QLabel*>("lkDatum")->buddy(), main->fkDatum());

    EXPECT_EQ(page.findChild<QPushButton*>("bKreiranje")->text(), QString("Kreiranje"));
    EXPECT_EQ(page.findChild<QPushButton*>("bIzpis")->text(), QString("Izpis"));
    auto* gauge = page.findChild<QProgressBar*>("fGauge");
    ASSERT_NE(gauge, nullptr);
    EXPECT_EQ(gauge->minimum(), 0);
    EXPECT_EQ(gauge->maximum(), 100);
    EXPECT_NE(page.findChild<QPlainTextEdit*>("mKreDok"), nullptr);

    EXPECT_EQ(page.findChild<LookupComboBox*>("fObdracPoslDog")->lookupText(), QString("PF"));
    EXPECT_EQ(main->fkDatumKont()->date(), Today);
    EXPECT_EQ(main->fkDatum()->date(), Today);
    EXPECT_EQ(main->fkDatum()->text(), QString("14.03.2026"));

    EXPECT_EQ(main->Okno()->text(), QString("Konec"));
    EXPECT_EQ(main->Nast()->text(), QString("O programu"));
    EXPECT_EQ(main->Dodatno00()->title(), QString("Dodatno"));
    EXPECT_FALSE(main->Dodatno00()->menuAction()->isVisible());
}

TEST_F(MainWindowTest, DatePickersFollowTheSeparator)
{
    env.writeIni("[Program]\nDateSeparator=/\n");
    auto main = makeMain();
    EXPECT_EQ(main->fkDatumKont()->text(), QString("14/03/2026"));
}

TEST_F(MainWindowTest, FirstPaintEndsTheQuietStartAndCloseAsks)
{
    auto main = makeMain();
    showAndSettle(*main);
    EXPECT_TRUE(main->firstPaintDone());
    EXPECT_FALSE(QuietClose);

    boxes.answer(MsgButton::Cancel);
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->isVisible());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Confirmation);
    EXPECT_EQ(boxes.shown()[0].text, QString("Ali želiš končati z delom ?"));
    EXPECT_EQ(boxes.shown()[0].buttons, (std::vector<MsgButton>{MsgButton::Ok, MsgButton::Cancel}));

    boxes.answer(MsgButton::Ok);
    EXPECT_TRUE(main->close());
    EXPECT_FALSE(main->isVisible());
    EXPECT_EQ(boxes.shown().size(), 2u);
}

TEST_F(MainWindowTest, QuietCloseClosesWithoutAsking)
{
    auto main = makeMain();
    main->show();   // no event loop yet: the start-up has not finished
    EXPECT_TRUE(QuietClose);
    EXPECT_TRUE(main->close());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(MainWindowTest, CancelKeepsChildWindowsOpen)
{
    auto main = makeMain();
    showAndSettle(*main);
    main->NastClick();
    ASSERT_EQ(main->mdiArea()->subWindowList().size(), 1);
    boxes.answer(MsgButton::Cancel);
    EXPECT_FALSE(main->close());
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(main->mdiArea()->subWindowList().first()->isVisible());
}

TEST_F(MainWindowTest, ClosingClosesTheChildrenAndWritesTheBusinessEvent)
{
    env.writeIni("[Program]\nObdracPoslDog=PF\n");
    QStringList calls;
    shell.onDisconnectDataModule = [&] { calls << "disconnect"; };
    shell.onPostTemplates = [&] { calls << "post"; };
    auto main = makeMain();
    showAndSettle(*main);
    main->NastClick();
    QPointer<QMdiSubWindow> child = main->mdiArea()->subWindowList().first();
    main->fObdracPoslDog()->setLookupText("PX");
    boxes.answer(MsgButton::Ok);
    EXPECT_TRUE(main->close());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(child.isNull());
    // the records being edited are written while the connection is still there
    EXPECT_EQ(calls, (QStringList{"post", "disconnect"}));
    EXPECT_EQ(GetStringFromIniFile("Program", "ObdracPoslDog", "?"), QString("PX"));
}

TEST_F(MainWindowTest, ATemplateThatCannotBePostedIsGivenUpOnlyWhenTheUserSaysSo)
{
    QStringList calls;
    shell.onDisconnectDataModule = [&] { calls << "disconnect"; };
    shell.onPostTemplates = [&] {
        calls << "post";
        throw EAbort();
    };
    auto main = makeMain();
    showAndSettle(*main);
    // "Ali želiš končati z delom ?" OK, then the question about the unsaved template: Cancel
    boxes.answer(MsgButton::Ok);
    boxes.answer(MsgButton::Cancel);
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->isVisible());
    EXPECT_EQ(calls, QStringList{"post"});
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[1].text, QString("Sprememb periodike ni bilo mogoče shraniti !\r\nAli želiš vseeno končati z delom ?"));
    // the second time the user gives it up
    boxes.answer(MsgButton::Ok);
    boxes.answer(MsgButton::Ok);
    EXPECT_TRUE(main->close());
    EXPECT_EQ(calls, (QStringList{"post", "post", "disconnect"}));
}

TEST_F(MainWindowTest, TheBusinessEventChosenIsShownAtTheNextStart)
{
    {
        auto main = makeMain();
        main->fObdracPoslDog()->setLookupText("PG");
        EXPECT_TRUE(main->close());
    }
    auto main = makeMain();
    EXPECT_EQ(main->fObdracPoslDog()->lookupText(), QString("PG"));
}

TEST_F(MainWindowTest, AChildThatRefusesKeepsTheProgramRunning)
{
    QStringList calls;
    shell.onPostTemplates = [&] { calls << "post"; };
    auto main = makeMain();
    showAndSettle(*main);
    auto* stubborn = new StubbornChild;
    showMdiChild(stubborn);
    boxes.answer(MsgButton::Ok);
    EXPECT_FALSE(main->close());
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(calls.isEmpty());
    stubborn->refuse = false;
    boxes.answer(MsgButton::Ok);
    EXPECT_TRUE(main->close());
}

TEST_F(MainWindowTest, AboutWindowOpenedTwiceGivesOneChild)
{
    auto main = makeMain();
    showAndSettle(*main);
    main->Nast()->trigger();
    ASSERT_EQ(main->mdiArea()->subWindowList().size(), 1);
    QMdiSubWindow* about = main->mdiArea()->subWindowList().first();
    EXPECT_EQ(about->widget()->objectName(), QString("About"));
    about->showMinimized();
    main->Nast()->trigger();
    EXPECT_EQ(main->mdiArea()->subWindowList().size(), 1);
    EXPECT_FALSE(about->isMinimized());
    EXPECT_EQ(main->mdiArea()->activeSubWindow(), about);
    EXPECT_TRUE(MDIChildExist("about"));
    EXPECT_FALSE(MDIChildExist("Drugo"));

    const QStringList texts = [&] {
        QStringList out;
        for (auto* label : about->widget()->findChildren<QLabel*>())
            out << label->text();
        return out;
    }();
    EXPECT_TRUE(texts.contains(ProgramVersion));
    EXPECT_TRUE(texts.contains(ProgramBuildNo));
}

TEST_F(MainWindowTest, AbandonedLoginClosesQuietly)
{
    shell.onRunLogin = [] {};
    shell.onParameterOpen = [] { return false; };
    auto main = makeMain();
    showAndSettle(*main);
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(MainWindowTest, SignedInStartOpensTheRememberedTemplates)
{
    env.writeIni("[Program]\nObdracPoslDog=PF\n");
    QStringList calls;
    shell.onRunLogin = [&] {
        calls << "login";
        CurrentUserID = "AB";
    };
    shell.onParameterOpen = [] { return true; };
    shell.onOpenTemplates = [&](const QString& code) { calls << "templates " + code; };
    auto main = makeMain();
    showAndSettle(*main);
    EXPECT_EQ(calls, (QStringList{"login", "templates PF"}));
    EXPECT_TRUE(main->isVisible());
}

TEST_F(MainWindowTest, ClosingTheBusinessEventDropDownReloadsTheTemplates)
{
    QStringList calls;
    shell.onOpenTemplates = [&](const QString& code) { calls << code; };
    auto main = makeMain();
    main->fObdracPoslDog()->setLookupText("PF");
    main->fObdracPoslDogCloseUp(true);
    main->fObdracPoslDogCloseUp(false);   // closed without a choice
    main->fObdracPoslDog()->setLookupText("");
    main->fObdracPoslDogCloseUp(true);    // nothing chosen in the selector
    EXPECT_EQ(calls, (QStringList{"PF"}));
    // the documents' business event shares the handler and filters on the selector's code
    main->fObdracPoslDog()->setLookupText("PG");
    main->fkPoslDog()->setLookupText("IR");
    emit main->fkPoslDog()->closeUp(true);
    EXPECT_EQ(calls, (QStringList{"PF", "PG"}));
}

TEST_F(MainWindowTest, ChangingPagesPostsTheTemplates)
{
    int posts = 0;
    shell.onPostTemplates = [&] { ++posts; };
    auto main = makeMain();
    main->PageControl()->setCurrentIndex(1);
    main->PageControl()->setCurrentIndex(0);
    EXPECT_EQ(posts, 2);
}

TEST_F(MainWindowTest, HooksForPagesAndCommands)
{
    QStringList calls;
    commands.onSetupNastaviPage = [&](TMain&, QWidget* page) { calls << "page " + page->objectName(); };
    commands.onKreiranje = [&](TMain& m) { m.mKreDok()->appendPlainText("run"); calls << "kreiranje"; };
    commands.onIzpis = [&](TMain&) { calls << "izpis"; };
    commands.onBuildExtraMenu = [&](TMain&, QMenu* menu) {
        menu->addAction("Poročilo");
        menu->menuAction()->setVisible(true);
        calls << "menu";
    };
    commands.onFormShow = [&](TMain&) { calls << "show"; };
    auto main = makeMain();
    QTest::mouseClick(main->bKreiranje(), Qt::LeftButton);
    QTest::mouseClick(main->bIzpis(), Qt::LeftButton);
    showAndSettle(*main);
    EXPECT_EQ(calls, (QStringList{"page cNastavi", "menu", "kreiranje", "izpis", "show"}));
    EXPECT_TRUE(main->Dodatno00()->menuAction()->isVisible());
    EXPECT_EQ(main->mKreDok()->toPlainText(), QString("run"));
}

TEST_F(MainWindowTest, HintsGoToTheStatusBar)
{
    auto main = makeMain();
    QStatusTipEvent tip("Namig");
    QApplication::sendEvent(main->bIzpis(), &tip);
    EXPECT_EQ(main->statusBar()->currentMessage(), QString("Namig"));
}

TEST_F(MainWindowTest, KonecClosesTheWindow)
{
    auto main = makeMain();
    showAndSettle(*main);
    boxes.answer(MsgButton::Ok);
    main->Okno()->trigger();
    EXPECT_FALSE(main->isVisible());
}

TEST_F(MainWindowTest, PositionSavedAtDestroyAndRestoredAtFirstPaint)
{
    {
        auto main = makeMain();
        showAndSettle(*main);
        main->move(40, 50);
        main->resize(750, 480);
        boxes.answer(MsgButton::Ok);
        main->close();
    }
    const QString ini = QString::fromUtf8(env.readIni());
    EXPECT_TRUE(ini.contains("MainLeft=40")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("MainWidth=750")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("MainWindowState=0")) << ini.toStdString();
    auto main = makeMain();
    showAndSettle(*main);
    EXPECT_EQ(main->pos(), QPoint(40, 50));
    EXPECT_EQ(main->size(), QSize(750, 480));
}

// The first start (no stored position): large enough for the template grid's columns, within
// the screen, centred.
TEST_F(MainWindowTest, FirstStartShowsTheTemplateGridsColumns)
{
    auto main = makeMain();
    showAndSettle(*main);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(main->size(), TMain::FirstStartSize.boundedTo(area.size()));
    // (the platform may add a frame of a pixel or two)
    EXPECT_LE((main->geometry().center() - area.center()).manhattanLength(), 6);
}

TEST_F(MainWindowTest, ShraniFormOffSavesNothing)
{
    env.writeIni("[Program]\nShraniForm=0\n");
    {
        auto main = makeMain();
        main->close();
    }
    EXPECT_FALSE(QString::fromUtf8(env.readIni()).contains("FormCord"));
}
} // namespace
