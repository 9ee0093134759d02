#include "FakeShell.h"
#include "ShellTestEnv.h"

#include "app/ui/ProgramEntry.h"
#include "app/ui/TMain.h"
#include "app/ui/TStartForm.h"
#include "controls/TwwDataSource.h"
#include "data/ConnectOnLoad.h"
#include "data/core/ApplicationTitle.h"
#include "data/log/MessageBoxes.h"
#include "data/core/ProgramState.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <gtest/gtest.h>

namespace {
TStartForm* openSplash()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<TStartForm*>(w))
            return s;
    return nullptr;
}

// The entry's steps come in their order: title before the main window, the data module after
// it (with the settings of the configuration already read), the splash window gone at the end.
TEST(ProgramStart, StepsInOrder)
{
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    env.writeIni("[Program]\nRazvojAplikacije=T\n");
    FakeShellServices shell;
    FakeMainWindowCommands commands;
    QStringList steps;
    commands.onSetupNastaviPage = [&](TMain&, QWidget*) {
        steps << "main window";
        EXPECT_EQ(applicationTitle(), QString("Sintrex Periodično fakturiranje"));
        EXPECT_NE(openSplash(), nullptr);
        EXPECT_TRUE(openSplash()->isVisible());
    };
    shell.onCreateDataModule = [&] {
        steps << "data module";
        EXPECT_NE(TMain::instance(), nullptr);
        EXPECT_TRUE(DevelopmentMode);
        EXPECT_EQ(SqlUserName, QString("sa"));
        EXPECT_NE(openSplash(), nullptr);
    };
    TMainOptions options;
    options.runVersionCheck = false;
    std::unique_ptr<TMain> main = startProgram(shell, commands, {"obdrac", env.iniPath()}, options);
    EXPECT_EQ(steps, (QStringList{"main window", "data module"}));
    EXPECT_EQ(openSplash(), nullptr);
    EXPECT_EQ(applicationTitle(), QString("Sintrex Periodično fakturiranje "));
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(main->isVisible());
}

TEST(ProgramStart, FailingDataModuleIsLoggedAndTheStartGoesOn)
{
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    FakeShellServices shell;
    FakeMainWindowCommands commands;
    shell.onCreateDataModule = [] { throw std::runtime_error("ni povezave"); };
    TMainOptions options;
    options.runVersionCheck = false;
    std::unique_ptr<TMain> main = startProgram(shell, commands, {"obdrac", env.iniPath()}, options);
    EXPECT_NE(main, nullptr);
    EXPECT_EQ(openSplash(), nullptr);
}

TEST(ProgramStart, SplashWindowShowsVersionAndBuild)
{
    ShellTestEnv env;
    TStartForm splash;
    EXPECT_EQ(splash.windowTitle(), QString("Počakaj malo"));
    EXPECT_EQ(splash.size(), QSize(320, 209));
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(splash.versionText(), ProgramVersion);
    EXPECT_EQ(splash.buildText(), ProgramBuildNo);
    EXPECT_NE(ProgramVersion, QString("0"));   // this program carries its version data
    QStringList texts;
    for (auto* label : splash.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("Programski paket Vektor se ravnokar nalaga..."));
    EXPECT_TRUE(texts.contains("Verzija:"));
    EXPECT_TRUE(texts.contains("Build#:"));
    while (QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
}

TEST(ProgramStart, TitleHandlerNamesTheDialogs)
{
    installWindowedHandlers();
    setApplicationTitle("Sintrex Periodično fakturiranje Firma");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QString("Sintrex Periodično fakturiranje Firma"));
    setApplicationTitleHandler(nullptr);
    setMessageBoxes(nullptr);
    TwwDataSource::setErrorHandler(nullptr);
    setConnectFailureHook(nullptr);
}
} // namespace
