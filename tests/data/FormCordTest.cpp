#include "ScopedEnv.h"
#include "TestDatabase.h"

#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/ui/ErrorLogWidgets.h"
#include "data/ui/FormCord.h"
#include "data/log/ErrorLog.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

class FormCordTest : public ::testing::Test {
protected:
    FormCordTest() : m_data("OBDRAC_DATA_DIR", m_dir.file("data")) {}
    void SetUp() override
    {
        setProgramIniFile(m_dir.file("Vektor.INI"));
        ShraniForm = true;
        EnterForNext = true;
    }
    void TearDown() override
    {
        setProgramIniFile("Vektor.INI");
        ShraniForm = true;
        EnterForNext = true;
    }
    static QSize screen() { return QGuiApplication::primaryScreen()->geometry().size(); }
    int key(const QString& name) { return programIniFile().readInteger("FormCord", name, -999); }

    ScratchDir m_dir;
    ScopedEnv m_data;
};

TEST_F(FormCordTest, SavedPositionComesBack)
{
    QWidget form;
    form.setObjectName("TPrijava");
    form.move(30, 40);
    form.resize(300, 200);
    SetFormCord(&form);
    EXPECT_EQ(key("TPrijavaLeft"), 30);
    EXPECT_EQ(key("TPrijavaTop"), 40);
    EXPECT_EQ(key("TPrijavaHeight"), 200);
    EXPECT_EQ(key("TPrijavaWidth"), 300);
    EXPECT_EQ(key("TPrijavaWindowState"), 0);

    QWidget again;
    again.setObjectName("TPrijava");
    again.move(0, 0);
    again.resize(100, 100);
    GetFormCord(&again);
    EXPECT_EQ(again.pos(), QPoint(30, 40));
    EXPECT_EQ(again.size(), QSize(300, 200));
    EXPECT_FALSE(again.isMaximized());
}

TEST_F(FormCordTest, FormIsKeptOnTheScreen)
{
    const QSize s = screen();
    struct {
        int left, top, width, height;
        QRect expected;
    } cases[] = {
        {-20, -5, 200, 100, QRect(0, 0, 200, 100)},
        {s.width() - 100, s.height() - 60, 300, 200, QRect(s.width() - 100, s.height() - 60, 100, 60)},
        // Entirely off the screen: moved back instead of shrunk to nothing.
        {s.width() + 500, s.height() + 500, 300, 200, QRect(s.width() - 300, s.height() - 200, 300, 200)},
    };
    for (const auto& c : cases) {
        IniFile& ini = programIniFile();
        ini.writeInteger("FormCord", "TAboutLeft", c.left);
        ini.writeInteger("FormCord", "TAboutTop", c.top);
        ini.writeInteger("FormCord", "TAboutWidth", c.width);
        ini.writeInteger("FormCord", "TAboutHeight", c.height);
        QWidget form;
        form.setObjectName("TAbout");
        GetFormCord(&form);
        EXPECT_EQ(QRect(form.pos(), form.size()), c.expected) << c.left << "," << c.top;
    }
}

TEST_F(FormCordTest, DefaultsAreTheFormsOwnValuesAndBadTextIsIgnored)
{
    programIniFile().writeString("FormCord", "TGesloLeft", "levo");
    QWidget form;
    form.setObjectName("TGeslo");
    form.move(12, 34);
    form.resize(250, 150);
    GetFormCord(&form);
    EXPECT_EQ(form.pos(), QPoint(12, 34));
    EXPECT_EQ(form.size(), QSize(250, 150));
}

TEST_F(FormCordTest, MaximizedMainWindowKeepsItsNormalSize)
{
    QWidget main;
    main.setObjectName("Main");
    main.move(10, 20);
    main.resize(740, 421);
    SetFormCord(&main);
    main.setWindowState(Qt::WindowMaximized);
    SetFormCord(&main);
    EXPECT_EQ(key("MainWindowState"), 2);
    EXPECT_EQ(key("MainWidth"), 740);
    EXPECT_EQ(key("MainLeft"), 10);

    QWidget next;
    next.setObjectName("Main");
    next.move(1, 2);
    next.resize(400, 300);
    GetFormCord(&next);
    EXPECT_TRUE(next.isMaximized());
    EXPECT_EQ(next.pos(), QPoint(1, 2));   // position and size not read for a maximized main window

    // Another form saved maximized gets its size and then the state.
    programIniFile().writeInteger("FormCord", "TAboutWindowState", 2);
    programIniFile().writeInteger("FormCord", "TAboutWidth", 333);
    QWidget about;
    about.setObjectName("TAbout");
    GetFormCord(&about);
    EXPECT_TRUE(about.isMaximized());
    EXPECT_EQ(about.width(), 333);
}

TEST_F(FormCordTest, MinimizedOrSwitchedOffWritesNothing)
{
    QWidget form;
    form.setObjectName("TPrijava");
    form.setWindowState(Qt::WindowMinimized);
    SetFormCord(&form);
    EXPECT_FALSE(programIniFile().sectionExists("FormCord"));

    form.setWindowState(Qt::WindowNoState);
    ShraniForm = false;
    SetFormCord(&form);
    EXPECT_FALSE(programIniFile().sectionExists("FormCord"));
}

TEST_F(FormCordTest, MdiChildIsFoundShownAndRestored)
{
    QMdiArea area;
    area.resize(800, 600);
    area.show();
    setMainMdiArea(&area);
    auto* about = new QWidget;
    about->setObjectName("TAbout");
    QMdiSubWindow* sub = area.addSubWindow(about);
    sub->show();
    auto* other = new QWidget;
    other->setObjectName("TPreview");
    area.addSubWindow(other)->show();
    sub->showMinimized();

    EXPECT_FALSE(MDIChildExist("TPrijava"));
    EXPECT_TRUE(MDIChildExist("tabout"));
    EXPECT_FALSE(sub->isMinimized());
    EXPECT_EQ(area.activeSubWindow(), sub);
    EXPECT_FALSE(MDIChildExist(nullptr, "TAbout"));
    setMainMdiArea(nullptr);
}

TEST_F(FormCordTest, EnterMovesToTheNextControl)
{
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* first = new QLineEdit;
    auto* disabled = new QLineEdit;
    auto* second = new QLineEdit;
    disabled->setEnabled(false);
    layout->addWidget(first);
    layout->addWidget(disabled);
    layout->addWidget(second);
    form.show();
    QApplication::setActiveWindow(&form);
    first->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(first->hasFocus());

    tNavKey(Qt::Key_A, &form);
    QApplication::processEvents();
    EXPECT_TRUE(first->hasFocus());
    tNavKey(13, &form);
    EXPECT_TRUE(first->hasFocus());   // only after the key has been handled
    QApplication::processEvents();
    EXPECT_TRUE(second->hasFocus());

    EnterForNext = false;
    tNavKey(Qt::Key_Return, &form);
    QApplication::processEvents();
    EXPECT_TRUE(second->hasFocus());
}

TEST_F(FormCordTest, ErrorLogNamesActiveFormAndFocusedControl)
{
    installErrorLogWidgetHooks();
    QWidget form;
    form.setObjectName("TPrijava");
    auto* layout = new QVBoxLayout(&form);
    auto* edit = new QLineEdit;
    edit->setObjectName("fPassword");
    layout->addWidget(edit);
    form.show();
    QApplication::setActiveWindow(&form);
    edit->setFocus();
    QApplication::processEvents();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString formName, controlName;
    errorLogUiHooks().activeNames(formName, controlName);
    errorLogUiHooks().normalCursor();
    EXPECT_EQ(formName, QString("TPrijava"));
    EXPECT_EQ(controlName, QString("fPassword"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    setErrorLogUiHooks({});
}
