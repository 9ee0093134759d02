#include "FakeShell.h"
#include "ShellTestEnv.h"

#include "app/DeferredStartup.h"
#include "app/ProgramSettings.h"
#include "data/log/MessageBoxes.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"

#include <gtest/gtest.h>

namespace {
const QDate Today(2026, 3, 14);

class RecordingView : public DeferredStartupView {
public:
    QStringList calls;
    QString poslDog;
    void setArrowCursor() override { calls << "arrow"; }
    void restorePosition() override { calls << "position"; }
    void closeMainWindow() override { calls << "close"; }
    QString selectedPoslDog() const override { return poslDog; }
};

// Services that record their calls; the login signs in (or not) as told.
struct RecordingHooks {
    FakeShellServices hooks;
    QStringList calls;
    bool loginSucceeds = true;
    bool parameterIsOpen = true;
    bool autoCheck = false;

    RecordingHooks()
    {
        hooks.onRunLogin = [this] {
            calls << "login";
            if (loginSucceeds)
                CurrentUserID = "AB";
            else
                parameterIsOpen = false;
        };
        hooks.onParameterOpen = [this] { return parameterIsOpen; };
        hooks.onParameterAutoCheckDates = [this] { return autoCheck; };
        hooks.onRefreshParameter = [this] { calls << "refresh"; };
        hooks.onOpenTemplates = [this](const QString& code) { calls << "templates " + code; };
    }
};

TEST(DeferredStartup, FirstPaintSignsInWritesTheStartDateAndOpensTheTemplates)
{
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    programSettings().tekoceLeto = "26";
    RecordingHooks h;
    RecordingView view;
    view.poslDog = "PF";
    DeferredStartup startup(h.hooks);
    startup.paint(view, nullptr, Today);
    EXPECT_EQ(view.calls, (QStringList{"arrow", "position", "arrow"}));
    EXPECT_EQ(h.calls, (QStringList{"login", "templates PF"}));
    EXPECT_TRUE(startup.firstPaintDone());
    EXPECT_FALSE(QuietClose);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(GetStringFromIniFile("Program", "ZagonPrograma", "?"), QString("14.03.2026"));

    // later paints: no position, no login, no templates again
    view.calls.clear();
    h.calls.clear();
    startup.paint(view, nullptr, Today);
    EXPECT_EQ(view.calls, (QStringList{"arrow", "arrow"}));
    EXPECT_TRUE(h.calls.isEmpty());
}

TEST(DeferredStartup, AbandonedLoginClosesTheWindowAndSkipsTheRest)
{
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    programSettings().tekoceLeto = "20";
    RecordingHooks h;
    h.loginSucceeds = false;
    RecordingView view;
    view.poslDog = "PF";
    DeferredStartup startup(h.hooks);
    startup.paint(view, nullptr, Today);
    EXPECT_EQ(view.calls, (QStringList{"arrow", "position", "close", "arrow"}));
    EXPECT_EQ(h.calls, (QStringList{"login"}));
    EXPECT_TRUE(boxes.shown().empty());   // no business-year message either
    EXPECT_EQ(GetStringFromIniFile("Program", "ZagonPrograma", "?"), QString("?"));
}

TEST(DeferredStartup, WithoutLoginHookTheLoginIsLeftOut)
{
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    FakeShellServices none;
    RecordingView view;
    DeferredStartup startup(none);
    startup.paint(view, nullptr, Today);
    EXPECT_EQ(view.calls, (QStringList{"arrow", "position", "arrow"}));
    EXPECT_FALSE(QuietClose);
    EXPECT_EQ(GetStringFromIniFile("Program", "ZagonPrograma", "?"), QString("14.03.2026"));
}

TEST(DeferredStartup, DateSeparatorShapesTheStartDate)
{
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    DateSeparator = u'/';
    FakeShellServices none;
    RecordingView view;
    DeferredStartup startup(none);
    startup.paint(view, nullptr, Today);
    EXPECT_EQ(GetStringFromIniFile("Program", "ZagonPrograma", "?"), QString("14/03/2026"));
}

struct YearCase {
    const char* tekoceLeto;
    bool message;
};

class BusinessYearCases : public ::testing::TestWithParam<YearCase> {};

TEST_P(BusinessYearCases, MessageOnlyWhenSetAndDifferent)
{
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    programSettings().tekoceLeto = GetParam().tekoceLeto;
    FakeShellServices none;
    RecordingView view;
    DeferredStartup startup(none);
    startup.paint(view, nullptr, Today);
    if (GetParam().message) {
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Information);
        EXPECT_EQ(boxes.shown()[0].text, QString("Tekoče leto (nastavljeno v parametrih) se ne ujema s sistemskim datumom !\r\n"
                                                 "Nastavite ga v parametrih !"));
    } else {
        EXPECT_TRUE(boxes.shown().empty());
    }
    // the message comes once, not at every paint
    startup.paint(view, nullptr, Today);
    EXPECT_EQ(boxes.shown().size(), GetParam().message ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, BusinessYearCases,
                         ::testing::Values(YearCase{"26", false}, YearCase{"", false}, YearCase{"25", true},
                                           YearCase{"2026", true}));

TEST(DeferredStartup, YearCheckThroughTheConfiguration)
{
    // TekoceLeto missing in the file: its default is this year, so no message
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    env.writeIni("[Program]\nPodjetje=X\n");
    programSettings().tekoceLeto = GetStringFromIniFile("Program", "TekoceLeto", yearDigits(Today));
    FakeShellServices none;
    RecordingView view;
    DeferredStartup(none).paint(view, nullptr, Today);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(DeferredStartup, ParameterRowRefreshedAtEveryPaintWithAutoCheck)
{
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    RecordingHooks h;
    h.autoCheck = true;
    CurrentUserID = "AB";
    RecordingView view;
    DeferredStartup startup(h.hooks);
    startup.paint(view, nullptr, Today);
    startup.paint(view, nullptr, Today);
    EXPECT_EQ(h.calls, (QStringList{"refresh", "refresh"}));

    h.calls.clear();
    h.parameterIsOpen = false;
    startup.paint(view, nullptr, Today);
    EXPECT_TRUE(h.calls.isEmpty());
}

TEST(DeferredStartup, EmptyBusinessEventOpensNoTemplates)
{
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    RecordingHooks h;
    RecordingView view;
    DeferredStartup(h.hooks).paint(view, nullptr, Today);
    EXPECT_EQ(h.calls, (QStringList{"login"}));
}

TEST(DeferredStartup, FailureIsContainedAndTheLastStepStillRuns)
{
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    FakeShellServices hooks;
    hooks.onRunLogin = [] { throw std::runtime_error("login broke"); };
    RecordingView view;
    DeferredStartup startup(hooks);
    startup.paint(view, nullptr, Today);
    EXPECT_EQ(view.calls.last(), QString("arrow"));
    EXPECT_FALSE(QuietClose);
    EXPECT_FALSE(startup.running());
}

TEST(DeferredStartup, PaintDuringTheLoginDoesNothing)
{
    ShellTestEnv env;
    ScriptedMessageBoxes boxes;
    RecordingHooks h;
    RecordingView view;
    DeferredStartup startup(h.hooks);
    int logins = 0;
    h.hooks.onRunLogin = [&] {
        ++logins;
        startup.paint(view, nullptr, Today);   // the dialog makes the window paint
        CurrentUserID = "AB";
    };
    startup.paint(view, nullptr, Today);
    EXPECT_EQ(logins, 1);
}
} // namespace
