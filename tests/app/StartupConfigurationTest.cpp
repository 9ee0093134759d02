#include "ShellTestEnv.h"

#include "app/ProgramSettings.h"
#include "app/StartupConfiguration.h"
#include "data/core/ApplicationTitle.h"
#include "data/local/LocalPaths.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <vector>

namespace {
const QDate Today(2026, 3, 14);

// Records what the start-up read asked of the window, in order.
class RecordingView : public StartupView {
public:
    QStringList calls;
    QString poslDog;
    QDate today;
    QString caption;
    void setWindowFont() override { calls << "font"; }
    void showStartValues(const QString& code, const QDate& date) override
    {
        calls << "values";
        poslDog = code;
        today = date;
    }
    void setCaption(const QString& c) override
    {
        calls << "caption";
        caption = c;
    }
    void attachHintHandler() override { calls << "hints"; }
    void buildExtraMenu() override { calls << "menu"; }
};

bool runStartup(const ShellTestEnv& env, RecordingView& view)
{
    StartupOptions options;
    options.arguments = {"obdrac", env.iniPath()};
    options.today = Today;
    options.runVersionCheck = false;
    return readStartupConfiguration(options, view);
}

struct IniCase {
    const char* name;
    const char* program;     // lines of section [Program]
    bool shraniForm;
    bool enterForNext;
    QChar separator;
    bool development;
    bool vat;
    bool trace;
};

class StartupIniCases : public ::testing::TestWithParam<IniCase> {};

TEST_P(StartupIniCases, ReadsFlagsWithTheirDefaults)
{
    const IniCase& c = GetParam();
    ShellTestEnv env;
    env.writeIni(QByteArray("[Program]\n") + c.program);
    RecordingView view;
    ASSERT_TRUE(runStartup(env, view));
    EXPECT_EQ(ShraniForm, c.shraniForm);
    EXPECT_EQ(EnterForNext, c.enterForNext);
    EXPECT_EQ(DateSeparator, c.separator);
    EXPECT_EQ(DevelopmentMode, c.development);
    EXPECT_EQ(VatMode, c.vat);
    EXPECT_EQ(SqlTraceOn, c.trace);
}

// Booleans are integers (0 false, any other true, no integer: the default); "T" keys are true
// only for exactly "T"; the date separator takes the first character, an empty value keeps it.
INSTANTIATE_TEST_SUITE_P(
    Table, StartupIniCases,
    ::testing::Values(
        IniCase{"Defaults", "", true, true, u'.', false, true, false},
        IniCase{"Zeros", "ShraniForm=0\nEnterForNext=0\nDDV=0\n", false, false, u'.', false, false, false},
        IniCase{"OneAndFive", "ShraniForm=1\nEnterForNext=5\nDDV=-3\n", true, true, u'.', false, true, false},
        IniCase{"NotIntegers", "ShraniForm=True\nEnterForNext=no\nDDV=\n", true, true, u'.', false, true, false},
        IniCase{"FlagsUpperT", "RazvojAplikacije=T\nSQLTrace=T\n", true, true, u'.', true, true, true},
        IniCase{"FlagsLowerT", "RazvojAplikacije=t\nSQLTrace=True\n", true, true, u'.', false, true, false},
        IniCase{"FlagsF", "RazvojAplikacije=F\nSQLTrace=1\n", true, true, u'.', false, true, false},
        IniCase{"SeparatorSlash", "DateSeparator=/\n", true, true, u'/', false, true, false},
        IniCase{"SeparatorFirstChar", "DateSeparator=-x\n", true, true, u'-', false, true, false},
        IniCase{"SeparatorEmptyKeeps", "DateSeparator=\n", true, true, u'.', false, true, false},
        IniCase{"KeysIgnoreCase", "shraniform=0\nsqltrace=T\n", false, true, u'.', false, true, true}),
    [](const ::testing::TestParamInfo<IniCase>& info) { return std::string(info.param.name); });

TEST(StartupConfiguration, StepsRunInOrderAndTheDefaultsApply)
{
    ShellTestEnv env;
    PriceExplanation << "old line";
    QuietClose = false;
    RecordingView view;
    ASSERT_TRUE(runStartup(env, view));
    EXPECT_EQ(view.calls, (QStringList{"font", "values", "caption", "hints", "menu"}));
    EXPECT_TRUE(PriceExplanation.isEmpty());
    EXPECT_TRUE(QuietClose);
    const ProgramSettings& s = programSettings();
    EXPECT_EQ(s.tekoceLeto, QString("26"));
    EXPECT_EQ(s.obdracPoslDog, QString());
    EXPECT_EQ(view.today, Today);
    EXPECT_EQ(s.fillUpdateLogDir, QString("c:\\Vektor\\Log"));
    EXPECT_TRUE(QFileInfo(env.dataFolder() + "/Vektor/Log").isDir());
    EXPECT_EQ(s.podjetje, QString());
    // the caption and the title keep the blank after the program name
    EXPECT_EQ(view.caption, QString("Sintrex Periodično fakturiranje "));
    EXPECT_EQ(mainWindowCaption(), QString("Sintrex Periodično fakturiranje "));
    EXPECT_EQ(applicationTitle(), QString("Sintrex Periodično fakturiranje "));
    // the database login: no registry values give "sa" and an empty password
    EXPECT_EQ(SqlUserName, QString("sa"));
    EXPECT_EQ(SqlPassword, QString());
}

TEST(StartupConfiguration, CompanyBusinessEventYearAndLogFolder)
{
    ShellTestEnv env;
    env.writeIni("[Program]\nPodjetje=Kovač in sinovi d.o.o.\nObdracPoslDog=PF\nTekoceLeto=25\n"
                 "FillUpdateLogDir=c:\\Drugo\\Dnevnik Šifer\n");
    RecordingView view;
    ASSERT_TRUE(runStartup(env, view));
    EXPECT_EQ(view.caption, QString("Sintrex Periodično fakturiranje Kovač in sinovi d.o.o."));
    EXPECT_EQ(applicationTitle(), QString("Sintrex Periodično fakturiranje Kovač in sinovi d.o.o."));
    EXPECT_EQ(view.poslDog, QString("PF"));
    EXPECT_EQ(programSettings().tekoceLeto, QString("25"));
    EXPECT_TRUE(QFileInfo(env.dataFolder() + "/Drugo/Dnevnik Šifer").isDir());
}

TEST(StartupConfiguration, LogFolderThatCannotBeMadeIsIgnored)
{
    ShellTestEnv env;
    // a file where the folder should be
    QDir().mkpath(env.dataFolder());
    ShellTestEnv::writeFile(env.dataFolder() + "/Blokada", "x");
    env.writeIni("[Program]\nFillUpdateLogDir=c:\\Blokada\\Log\nPodjetje=Firma\n");
    RecordingView view;
    EXPECT_TRUE(runStartup(env, view));
    EXPECT_EQ(view.caption, QString("Sintrex Periodično fakturiranje Firma"));
    EXPECT_TRUE(view.calls.contains("menu"));
}

TEST(StartupConfiguration, UnreadableFileStopsTheRemainingSteps)
{
    ShellTestEnv env;
    // a folder where the configuration file should be: reading it fails
    QDir().mkpath(env.iniPath());
    RecordingView view;
    EXPECT_FALSE(runStartup(env, view));
    EXPECT_EQ(view.calls, (QStringList{"font"}));
    EXPECT_TRUE(QuietClose);
}

TEST(StartupConfiguration, IniFileNameFromTheFirstArgument)
{
    EXPECT_EQ(chooseIniFileName({"obdrac"}), QString("Vektor.INI"));
    EXPECT_EQ(chooseIniFileName({}), QString("Vektor.INI"));
    EXPECT_EQ(chooseIniFileName({"obdrac", "drugo.ini", "tretje.ini"}), QString("drugo.ini"));
    EXPECT_EQ(chooseIniFileName({"obdrac", "Moja Mapa/x.INI"}), QString("Moja Mapa/x.INI"));

    ShellTestEnv env;
    ShellTestEnv::writeFile(env.file("prva.ini"), "[Program]\nPodjetje=Prva\n");
    ShellTestEnv::writeFile(env.file("druga.ini"), "[Program]\nPodjetje=Druga\n");
    RecordingView view;
    StartupOptions options;
    options.arguments = {"obdrac", env.file("prva.ini"), env.file("druga.ini")};
    options.today = Today;
    options.runVersionCheck = false;
    ASSERT_TRUE(readStartupConfiguration(options, view));
    EXPECT_EQ(programSettings().podjetje, QString("Prva"));
    EXPECT_EQ(programIniFile().fileName(), env.file("prva.ini"));
}

TEST(StartupConfiguration, WithoutArgumentsTheBareNameIsLookedForInTheConfigurationFolder)
{
    ShellTestEnv env;
    QDir().mkpath(env.file("config/obdrac"));
    ShellTestEnv::writeFile(env.file("config/obdrac/Vektor.INI"), "[Program]\nPodjetje=Iz mape\n");
    RecordingView view;
    StartupOptions options;
    options.arguments = {"obdrac"};
    options.today = Today;
    options.runVersionCheck = false;
    ASSERT_TRUE(readStartupConfiguration(options, view));
    EXPECT_EQ(programSettings().iniFileName, QString("Vektor.INI"));
    EXPECT_EQ(programSettings().podjetje, QString("Iz mape"));
}

TEST(StartupConfiguration, VersionCheckWithNothingWaitingGoesOn)
{
    ShellTestEnv env;
    RecordingView view;
    StartupOptions options;
    options.arguments = {"obdrac", env.iniPath()};
    options.today = Today;
    EXPECT_TRUE(readStartupConfiguration(options, view));
    EXPECT_TRUE(view.calls.contains("menu"));
}

TEST(ProgramSettings, YearDigitsAndTheYearCheck)
{
    EXPECT_EQ(yearDigits(QDate(2026, 1, 1)), QString("26"));
    EXPECT_EQ(yearDigits(QDate(2000, 12, 31)), QString("00"));
    EXPECT_EQ(yearDigits(QDate(1999, 6, 1)), QString("99"));
    EXPECT_FALSE(tekoceLetoDiffers("", Today));
    EXPECT_FALSE(tekoceLetoDiffers("26", Today));
    EXPECT_TRUE(tekoceLetoDiffers("25", Today));
    EXPECT_TRUE(tekoceLetoDiffers("2026", Today));
    EXPECT_TRUE(tekoceLetoDiffers(" 26", Today));
}
} // namespace
