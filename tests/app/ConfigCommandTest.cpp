// obdrac-config: the registry store file and the company list it writes, read back the way the
// program reads them.
#include "ScopedEnv.h"
#include "TestDatabase.h"

#include "data/config/CompanyList.h"
#include "app/ConfigCommand.h"
#include "app/ToolCommandLine.h"
#include "data/config/IniFile.h"
#include "data/local/LocalTable.h"
#include "data/config/RegistryStore.h"
#include "data/config/Scrambling.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct CommandRun {
    int code = -1;
    QString out;
    QString err;
};

CommandRun config(const QStringList& args, const QString& stdinText = {})
{
    CommandRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    ConfigCommandIo io;
    io.out = &out;
    io.err = &err;
    io.readStdin = [stdinText] { return stdinText; };
    r.code = RunConfigCommand(args, io);
    return r;
}

class ConfigCommandTest : public ::testing::Test {
protected:
    ScratchDir dir;
    ScopedEnv data{"OBDRAC_DATA_DIR", dir.file("data")};
    ScopedEnv config_{"XDG_CONFIG_HOME", dir.file("config")};
    QString reg = dir.file("etc/registry.ini");
    ScopedEnv registry{"OBDRAC_REGISTRY", reg};
    ScopedEnv noPassword{"OBDRAC_SQL_PASSWORD", ""};
    void SetUp() override { qunsetenv("OBDRAC_SQL_PASSWORD"); }

    static std::pair<QString, QString> login()
    {
        QString user = "unchanged", password = "unchanged";
        EXPECT_TRUE(GetUserNameAndPassword(user, password));
        return {user, password};
    }
};

TEST_F(ConfigCommandTest, WritesTheDatabaseLoginThatTheProgramReadsBack)
{
    writeFile(dir.file("pw"), "Skriv-no geslo č\r\nsecond line\n");
    const CommandRun r = config({"--registry", reg, "--sql-user", "obdrac", "--sql-password-file", dir.file("pw")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(login(), std::make_pair(QString("obdrac"), QString("Skriv-no geslo č")));
    // the file holds the scrambled form only
    const QByteArray text = readFile(reg);
    EXPECT_FALSE(text.contains("Skriv-no"));
    EXPECT_TRUE(text.contains(EncryptHex("Skriv-no geslo č", RegistryPasswordKey).toLatin1()));
    // readable by its owner only
    EXPECT_EQ(QFileInfo(reg).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);
}

TEST_F(ConfigCommandTest, PasswordSources)
{
    // standard input
    ASSERT_EQ(config({"--sql-password-file", "-"}, "iz vhoda\n").code, 0);
    EXPECT_EQ(login().second, "iz vhoda");
    EXPECT_EQ(login().first, "sa");   // no user name written yet: the default
    // the environment, named
    {
        ScopedEnv pw("OBDRAC_SQL_PASSWORD", "iz okolja");
        ASSERT_EQ(config({"--sql-password-env"}).code, 0);
        EXPECT_EQ(login().second, "iz okolja");
        // with a user name the environment goes with it
        ASSERT_EQ(config({"--sql-user", "uporabnik"}).code, 0);
        EXPECT_EQ(login(), std::make_pair(QString("uporabnik"), QString("iz okolja")));
    }
    // a user name alone leaves the password
    ASSERT_EQ(config({"--sql-user", "drugi"}).code, 0);
    EXPECT_EQ(login(), std::make_pair(QString("drugi"), QString("iz okolja")));
    // an empty password is a password
    ASSERT_EQ(config({"--sql-password-file", "-"}, "").code, 0);
    EXPECT_EQ(login().second, "");
}

TEST_F(ConfigCommandTest, RefusesPasswordsOnTheCommandLineAndWritesNothing)
{
    for (const QStringList& args : {QStringList{"--sql-user", "u", "--sql-password", "x"},
                                    QStringList{"--sql-password=x"}, QStringList{"--password", "x"}}) {
        const CommandRun r = config(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_TRUE(r.err.contains("Gesla ni dovoljeno")) << r.err.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(reg));
}

TEST_F(ConfigCommandTest, BadArgumentsWriteNothing)
{
    const QList<QStringList> bad = {
        {"--sql-user"},                                                   // no value
        {"--neznano"},                                                    // unknown
        {"--sql-user", "u", "--company", "Demo d.o.o.", "--server", "s"}, // no database
        {"--sql-user", "u", "--company", QString(31, u'x'), "--server", "s", "--database", "d"},
        {"--sql-user", "u", "--sql-password-env"},                        // variable not set
        {"--sql-user", "u", "--sql-password-file", "-", "--sql-password-env"},
        {"--registry", reg, "--system", "--sql-user", "u"},
        {"--sql-user", "a", "--sql-user", "b"},
        {"--show=yes"},
        {"--sql-user=a", "--sql-user", "b"},
        {"--sql-user", "u", "stray"},
        {},                                                               // nothing: usage
    };
    for (const QStringList& args : bad) {
        const CommandRun r = config(args);
        EXPECT_EQ(r.code, 2) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(reg));
    EXPECT_FALSE(CompanyListExists(dir.file("data") + "/Podjetje.DB"));
    // a password file that cannot be read: a failure, and the user name is not written either
    const CommandRun r = config({"--sql-user", "u", "--sql-password-file", dir.file("missing")});
    EXPECT_EQ(r.code, 1);
    EXPECT_FALSE(QFileInfo::exists(reg));
    // help
    const CommandRun help = config({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(help.out.contains("--sql-password-file"));
    EXPECT_EQ(config({"-h"}).out, help.out);
    // the version and build of this build
    const CommandRun version = config({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out.trimmed(), toolVersionText("obdrac-config"));
    EXPECT_FALSE(QFileInfo::exists(reg));
}

TEST_F(ConfigCommandTest, KeepsTheRestOfAnExistingFile)
{
    QDir().mkpath(dir.file("etc"));
    writeFile(reg, "; ročno urejeno\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sintrex\\SQL]\nUserName=star\nDrugo=ostane\n\n"
                   "[SOFTWARE\\Drugo]\nA=1\n");
    ASSERT_EQ(config({"--sql-user", "nov", "--temp-path", "c:\\Temp\\Nova", "--upgrade-path", "/opt/obdrac/namesti"}).code,
              0);
    const QByteArray text = readFile(reg);
    EXPECT_TRUE(text.startsWith("; ročno urejeno\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Sintrex\\SQL]\nUserName=nov\nDrugo=ostane\n"))
        << text.toStdString();
    EXPECT_TRUE(text.contains("[SOFTWARE\\Drugo]\nA=1\n"));
    EXPECT_EQ(text.count("Sintrex\\SQL]"), 1);
    EXPECT_EQ(login().first, "nov");
    EXPECT_EQ(ReadRegString(RegistryUpgradeKey, "PotDoTempa", "x"), "c:\\Temp\\Nova");
    EXPECT_EQ(ReadRegString(RegistryUpgradeKey, "NovaVerzijaPath", "x"), "/opt/obdrac/namesti");
}

TEST_F(ConfigCommandTest, CompanyListInTheFolderOfTheConfiguration)
{
    // TablePodPath "c:\Vektor" (without its backslash) lies in the data folder
    const QString ini = dir.file("Vektor.INI");
    writeFile(ini, "[Database]\nTablePodPath=c:\\Vektor\n");
    ASSERT_EQ(config({"--ini", ini, "--company", "Demo d.o.o.", "--server", "strežnik", "--database", "obdrac"}).code, 0);
    ASSERT_EQ(config({"--ini", ini, "--company", "Mala firma s.p.", "--server", "s2", "--database", "mala"}).code, 0);
    const QString path = "c:\\Vektor\\Podjetje.DB";
    EXPECT_TRUE(QFileInfo::exists(dir.file("data/Vektor/Podjetje.DB")));
    EXPECT_EQ(ReadCompanyList(path), (QList<CompanyEntry>{{"Demo d.o.o.", "strežnik", "obdrac"},
                                                         {"Mala firma s.p.", "s2", "mala"}}));
    // the same name changes the company, in any case
    ASSERT_EQ(config({"--ini", ini, "--company", "DEMO D.O.O.", "--server", "novi", "--database", "obdrac2"}).code, 0);
    EXPECT_EQ(ReadCompanyList(path), (QList<CompanyEntry>{{"DEMO D.O.O.", "novi", "obdrac2"},
                                                         {"Mala firma s.p.", "s2", "mala"}}));
    // removal
    EXPECT_EQ(config({"--ini", ini, "--remove-company", "Nobena"}).code, 1);
    ASSERT_EQ(config({"--ini", ini, "--remove-company", "mala firma s.p."}).code, 0);
    EXPECT_EQ(ReadCompanyList(path), (QList<CompanyEntry>{{"DEMO D.O.O.", "novi", "obdrac2"}}));
    // --show names the companies and never the password
    ASSERT_EQ(config({"--sql-password-file", "-"}, "skrivnost").code, 0);
    const CommandRun shown = config({"--ini", ini, "--show"});
    EXPECT_EQ(shown.code, 0);
    EXPECT_TRUE(shown.out.contains("DEMO D.O.O. | novi | obdrac2")) << shown.out.toStdString();
    EXPECT_FALSE(shown.out.contains("skrivnost"));
    EXPECT_FALSE(shown.out.contains(EncryptHex("skrivnost", RegistryPasswordKey)));
}

TEST_F(ConfigCommandTest, CompanyListGivenDirectly)
{
    const QString file = dir.file("seznam/Podjetje.DB");
    ASSERT_EQ(config({"--company-list", dir.file("seznam") + "/", "--company", "Ena", "--server", "", "--database", ""})
                  .code,
              0);
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(ReadCompanyList(file), (QList<CompanyEntry>{{"Ena", "", ""}}));
    // the table has the company list's fields and is ordered by its index on PODJETJE
    ASSERT_EQ(config({"--company-list", file, "--company", "Ćevapi d.o.o.", "--server", "a", "--database", "b"}).code, 0);
    ASSERT_EQ(config({"--company-list", file, "--company", "Alfa", "--server", "a", "--database", "b"}).code, 0);
    LocalTable table(QString(), file);
    table.open();
    EXPECT_TRUE(table.hasField("PODJETJE"));
    EXPECT_TRUE(table.hasField("ServerName"));
    EXPECT_TRUE(table.hasField("DataBaseName"));
    table.setIndexFieldNames("PODJETJE");
    ASSERT_TRUE(table.findKey({"Ena"}));
    EXPECT_EQ(table.asString("PODJETJE"), "Ena");
    EXPECT_EQ(ReadCompanyList(file).first().podjetje, "Alfa");
}

TEST(CompanyListPath, FolderAndName)
{
    EXPECT_EQ(CompanyListPath("c:\\"), "c:\\Podjetje.DB");
    EXPECT_EQ(CompanyListPath("c:\\Vektor"), "c:\\Vektor\\Podjetje.DB");
    EXPECT_EQ(CompanyListPath("c:"), "c:\\Podjetje.DB");
    EXPECT_EQ(CompanyListPath("/srv/obdrac"), "/srv/obdrac/Podjetje.DB");
    EXPECT_EQ(CompanyListPath("/srv/obdrac/"), "/srv/obdrac/Podjetje.DB");
    EXPECT_EQ(CompanyListPath(""), "Podjetje.DB");
}

} // namespace
