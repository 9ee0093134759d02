#include "DataModuleFixture.h"

#include "data/core/Exception.h"
#include "data/local/LocalPaths.h"
#include "data/config/ProgramIni.h"
#include "data/TableRoutines.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>

// ---------------------------------------------------------------------------------------------
// The title

namespace {
struct TitleCase {
    const char* programCompany;
    const char* databaseCompany;
    const char* title;
};
class Titles : public ::testing::TestWithParam<TitleCase> {};

TEST_P(Titles, ProgramAndDatabaseCompany)
{
    const TitleCase& c = GetParam();
    EXPECT_EQ(ApplicationTitleFor(QString::fromUtf8(c.programCompany), QString::fromUtf8(c.databaseCompany)),
              QString::fromUtf8(c.title));
}

INSTANTIATE_TEST_SUITE_P(Table, Titles,
                         ::testing::Values(TitleCase{"Firma", "", "Sintrex Periodično fakturiranje Firma "},
                                           TitleCase{"", "", "Sintrex Periodično fakturiranje  "},
                                           TitleCase{"Firma", "Demo d.o.o.", "Sintrex Periodično fakturiranje Firma (Demo d.o.o.)"},
                                           TitleCase{"", "Žaga", "Sintrex Periodično fakturiranje  (Žaga)"}));
} // namespace

TEST(ConnectionSettings, DataSourceOrServerAndDatabase)
{
    const QString oldUser = SqlUserName, oldPassword = SqlPassword;
    SqlUserName = "sa";
    SqlPassword = "skrito";
    THdbc c;
    c.setDriver("SQL Server");
    SetDatabase(c, "streznik", "FIRMA");
    EXPECT_EQ(c.connectString(), QString("UID=sa;PWD=skrito;DRIVER=SQL Server;SERVER=streznik;DATABASE=FIRMA;"));
    SetDataSource(c, "MSSINTREX");
    EXPECT_EQ(c.connectString(), QString("DSN=MSSINTREX;UID=sa;PWD=skrito;DRIVER=SQL Server;"));
    SqlUserName.clear();
    SqlPassword.clear();
    SetDatabase(c, "streznik", "FIRMA");
    EXPECT_EQ(c.connectString(), QString("DRIVER=SQL Server;SERVER=streznik;DATABASE=FIRMA;"));
    SqlUserName = oldUser;
    SqlPassword = oldPassword;
}

// ---------------------------------------------------------------------------------------------
// Connecting from the configuration file

namespace {
class DataSifConnect : public DataModuleTest {
protected:
    static void SetUpTestSuite() { startSuite("builders_datasif"); }
    static void TearDownTestSuite() { endSuite(); }
    bool connectModule() const override { return false; }

    DataSifConnect() : m_port("PGPORT", TestDatabase::port()) {}
    void SetUp() override
    {
        DataModuleTest::SetUp();
        m_oldUser = SqlUserName;
        m_oldPassword = SqlPassword;
        m_oldCompany = DatabaseCompany;
        SqlUserName = "obdrac";
        SqlPassword = "obdrac";
        setProgramIniFile(m_dir.file("Vektor.INI"));
        module = std::make_unique<TDataSif>();
        DataSif = module.get();
    }
    void TearDown() override
    {
        DataModuleTest::TearDown();
        setProgramIniFile(m_dir.file("ni/Vektor.INI"));
        SqlUserName = m_oldUser;
        SqlPassword = m_oldPassword;
        DatabaseCompany = m_oldCompany;
    }
    // An ODBC configuration of its own whose data source MSSINTREX points at the suite's
    // database (the shared one points at the template, which others copy meanwhile).
    static QString odbcFolder(const QString& database)
    {
        const QString folder = TestDatabase::workDir() + "/odbc-" + database;
        QDir().mkpath(folder);
        QFile::copy(qEnvironmentVariable("ODBCSYSINI") + "/odbcinst.ini", folder + "/odbcinst.ini");
        writeFile(folder + "/odbc.ini", QString("[MSSINTREX]\nDriver = SQL Server\nServername = %1\nPort = %2\n"
                                                "Database = %3\nByteaAsLongVarBinary = 1\n")
                                            .arg(TestDatabase::socketDir(), TestDatabase::port(), database)
                                            .toUtf8());
        return folder;
    }
    void writeIni(const QString& text) { writeFile(m_dir.file("Vektor.INI"), text.toUtf8()); }
    // INI settings that reach the suite's database by server and database name.
    static QString serverIni(const QString& more = QString())
    {
        return QString("[Database]\nServerName=%1\nDataBaseName=%2\n").arg(TestDatabase::socketDir(), s_db->name()) + more;
    }
    bool allConnected() const
    {
        return module->Database.Connected() && module->DatabaseLook.Connected() && module->DatabaseHstmt.Connected();
    }

    ScopedEnv m_port;
    QString m_oldUser, m_oldPassword, m_oldCompany;
};
} // namespace

// The data source tests run in a process of their own: the driver manager reads its data
// sources once per process, and the shared configuration's MSSINTREX points at the template
// database, which the tests must neither hold open nor change.
namespace {
bool inDataSourceProcess() { return qEnvironmentVariableIsSet("OBDRAC_DSN_PROCESS"); }

class DataSifByDataSource : public DataSifConnect {
protected:
    static void SetUpTestSuite()
    {
        if (!inDataSourceProcess())
            return;
        startSuite("builders_dsn");
        qputenv("ODBCSYSINI", odbcFolder(s_db->name()).toUtf8());
    }
    static void TearDownTestSuite()
    {
        if (!inDataSourceProcess())
            return;
        QDir(odbcFolder(s_db->name())).removeRecursively();
        endSuite();
    }
    void SetUp() override
    {
        if (!inDataSourceProcess())
            GTEST_SKIP() << "runs in DataSifDataSource.InAProcessOfItsOwn";
        DataSifConnect::SetUp();
    }
    void TearDown() override
    {
        if (inDataSourceProcess())
            DataSifConnect::TearDown();
    }
};
// Disabled in the normal run: these cases run only in the child process that
// DataSifDataSource.InAProcessOfItsOwn starts (unixODBC caches odbc.ini per process).
using DISABLED_DataSifByDataSource = DataSifByDataSource;
} // namespace

TEST(DataSifDataSource, InAProcessOfItsOwn)
{
    if (inDataSourceProcess())
        GTEST_SKIP();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("OBDRAC_DSN_PROCESS", "1");
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_also_run_disabled_tests", "--gtest_filter=DISABLED_DataSifByDataSource.*"});
    ASSERT_TRUE(child.waitForFinished(300000));
    const QString output = QString::fromUtf8(child.readAll());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 3 tests.")) << output.toStdString();
}

TEST_F(DISABLED_DataSifByDataSource, ByDataSourceNameInUpperCase)
{
    writeIni("[Program]\nPodjetje=Firma\n[Database]\nDataSource=mssintrex\nPodjetje=Demo d.o.o.\n");
    QSignalSpy title(module.get(), &TDataSif::titleChanged);
    module->DataSifCreate();
    EXPECT_TRUE(boxes.shown().empty()) << boxes.texts().join("|").toStdString();
    EXPECT_TRUE(allConnected());
    EXPECT_TRUE(module->DatabaseTemp.isConnected());
    for (THdbc* c : {&module->Database, &module->DatabaseLook, &module->DatabaseHstmt}) {
        EXPECT_EQ(c->DataSource(), QString("MSSINTREX"));
        EXPECT_TRUE(c->Attributes().isEmpty());
        EXPECT_EQ(c->connectString(), QString("DSN=MSSINTREX;UID=obdrac;PWD=obdrac;DRIVER=SQL Server;"));
    }
    EXPECT_EQ(DatabaseCompany, QString("Demo d.o.o."));
    EXPECT_EQ(module->ApplicationTitle(), QString("Sintrex Periodično fakturiranje Firma (Demo d.o.o.)"));
    ASSERT_EQ(title.count(), 1);
    EXPECT_EQ(title[0][0].toString(), module->ApplicationTitle());
    ASSERT_TRUE(module->tbParameter->Active());
    EXPECT_EQ(module->tbParameter->FieldByName("NASAVALUTA").asString(), QString("EUR"));
    EXPECT_EQ(module->tbParameter->FieldByName("ROUNDT").displayFormat(), QString("#,##0.0000"));
    EXPECT_EQ(TableIndexList.value("obdracpoz"), QString("Kljuc;Poz"));
    EXPECT_EQ(TableIndexList.value("PARAM"), QString("TSBREZDAVKA"));
    EXPECT_TRUE(errorLogEntries().empty());
}

TEST_F(DataSifConnect, ByServerAndDatabaseName)
{
    writeIni(serverIni("DataSource=NIDSN\n"));
    module->DataSifCreate();
    EXPECT_TRUE(boxes.shown().empty()) << boxes.texts().join("|").toStdString();
    EXPECT_TRUE(allConnected());
    EXPECT_EQ(module->Database.DataSource(), QString());
    EXPECT_EQ(module->Database.Attributes(),
              (QStringList{"SERVER=" + TestDatabase::socketDir(), "DATABASE=" + s_db->name()}));
    EXPECT_TRUE(module->tbParameter->Active());
    EXPECT_EQ(module->ApplicationTitle(), QString("Sintrex Periodično fakturiranje  "));   // both companies empty
    EXPECT_GT(TableIndexList.count(), 10);
}

TEST_F(DISABLED_DataSifByDataSource, ServerWithoutDatabaseNameUsesTheDataSource)
{
    writeIni("[Database]\nServerName=/ni/tega/streznika\nDataSource=MSSINTREX\n");
    module->DataSifCreate();
    EXPECT_TRUE(boxes.shown().empty()) << boxes.texts().join("|").toStdString();
    EXPECT_TRUE(allConnected());
    EXPECT_EQ(module->Database.DataSource(), QString("MSSINTREX"));
    EXPECT_TRUE(module->Database.Attributes().isEmpty());
}

TEST_F(DISABLED_DataSifByDataSource, CompanySwitchToADataSourceDropsTheEarlierServer)
{
    writeIni(QString("[Database]\nServerName=%1\nDataBaseName=%2\n").arg(TestDatabase::socketDir(), s_db->name()));
    module->DataSifCreate();
    ASSERT_TRUE(allConnected());
    // the login's company switch: new keys, DataSifConnect again
    WriteStringToIniFile("Database", "ServerName", "");
    WriteStringToIniFile("Database", "DataBaseName", "");
    WriteStringToIniFile("Database", "Podjetje", "Druga");
    module->DataSifConnect(nullptr);
    EXPECT_TRUE(allConnected());
    EXPECT_EQ(module->Database.connectString(), QString("DSN=MSSINTREX;UID=obdrac;PWD=obdrac;DRIVER=SQL Server;"));
    EXPECT_TRUE(module->tbParameter->Active());
    EXPECT_EQ(module->ApplicationTitle(), QString("Sintrex Periodično fakturiranje  (Druga)"));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(DataSifConnect, UnreachableDatabaseIsReportedAndTheProgramGoesOnUnconnected)
{
    writeIni("[Database]\nDataSource=NIDSN\n");
    module->DataSifCreate();
    EXPECT_FALSE(module->Database.Connected());
    EXPECT_FALSE(module->DatabaseHstmt.Connected());
    EXPECT_FALSE(module->tbParameter->Active());
    EXPECT_EQ(TableIndexList.count(), 0);
    // the connect of the module's load first (without the dialog's hook: an error box), then
    // the connect failure with the same driver message, then the parameter row's failure
    ASSERT_EQ(boxes.shown().size(), 3u) << boxes.texts().join("|").toStdString();
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Error);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("Cannot connect Database to database.\n")) << boxes.shown()[0].text.toStdString();
    const QString driverMessage = boxes.shown()[0].text.section('\n', 1);
    EXPECT_FALSE(driverMessage.isEmpty());
    EXPECT_EQ(boxes.shown()[1].kind, MsgKind::Error);
    EXPECT_TRUE(boxes.shown()[1].text.startsWith("Napaka v nastavitvi poti do podatkov (Database) !\r\n"))
        << boxes.shown()[1].text.toStdString();
    EXPECT_TRUE(boxes.shown()[1].text.contains(driverMessage)) << boxes.shown()[1].text.toStdString();
    EXPECT_TRUE(boxes.shown()[2].text.startsWith("Napaka pri odpiranju datoteke: tbParameter !\r\n"));
    const auto rows = errorLogEntries();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].operation, QString("DataSifCreate-Connect"));
    EXPECT_EQ(rows[0].exceptObject, QString("EODBC"));
    EXPECT_EQ(rows[0].senderName, QString("TDataSif"));
    EXPECT_EQ(rows[1].operation, QString("OpenTable-tbParameter"));
    EXPECT_EQ(rows[2].operation, QString("DataSifCreate"));

    // called by the login after a company switch, the failure reaches the caller; there is no
    // connect of a load then
    boxes.clear();
    EXPECT_THROW(module->DataSifConnect(nullptr), Exception);
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("Napaka v nastavitvi poti do podatkov (Database) !"));
    // nothing that needs the parameter row breaks
    EXPECT_EQ(ParamAsString("NASAVALUTA"), QString());
    EXPECT_EQ(ParamAsFloat("ROUNDT"), 0.0);
}

TEST_F(DataSifConnect, DevelopmentModeWarnsAboutAConnectionAlreadyConnected)
{
    writeIni(serverIni());
    DevelopmentMode = true;
    module->DataSifCreate();
    EXPECT_TRUE(boxes.shown().empty());
    module->DataSifCreate();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, QString("Database.Connected"));
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Plain);
    EXPECT_TRUE(allConnected());
}

TEST_F(DataSifConnect, TemporaryStoreFromAliasAndPath)
{
    writeIni(serverIni("AliasTempName=MojTemp\n"));
    module->DataSifCreate();
    EXPECT_EQ(module->DatabaseTemp.alias(), QString("MojTemp"));
    EXPECT_TRUE(module->DatabaseTemp.folder().endsWith("/MojTemp")) << module->DatabaseTemp.folder().toStdString();
    WriteStringToIniFile("Database", "TempPath", "c:\\Temp\\Vektor");
    module->DataSifConnect(nullptr);
    EXPECT_TRUE(module->DatabaseTemp.isConnected());
    EXPECT_EQ(module->DatabaseTemp.params(), QStringList{"c:\\Temp\\Vektor"});
    EXPECT_EQ(module->DatabaseTemp.folder(), LocalPaths::localPath("c:\\Temp\\Vektor"));
}

TEST_F(DataSifConnect, AfterLoginRoundingStepAndPriceTable)
{
    writeIni(serverIni());
    module->DataSifCreate();
    ASSERT_TRUE(module->tbParameter->Active());

    struct {
        const char* roundt;
        double step;
    } const cases[] = {{"0", 1.0}, {"0.05", 0.05}, {"NULL", 1.0}, {"1", 1.0}};
    for (const auto& c : cases) {
        sql(QString("UPDATE Param SET ROUNDT = %1;").arg(c.roundt));
        RoundStep = 123;
        module->DataSifCreateOpen();
        EXPECT_DOUBLE_EQ(RoundStep, c.step) << c.roundt;
    }

    LocalTable& t = module->tbTCena;
    ASSERT_TRUE(t.isOpen());
    EXPECT_EQ(t.recordCount(), 6);
    int n = 0;
    for (bool ok = t.first(); ok; ok = t.next()) {
        ++n;
        EXPECT_EQ(t.asInteger("Stevilka"), n);
        EXPECT_EQ(t.asFloat("Cena"), 0.0);
        EXPECT_EQ(t.asString("Opis"), QString("Cena"));
    }
    EXPECT_EQ(n, 6);
    EXPECT_EQ(t.indexDefs().size(), 2);
    // held exclusively: no other table object can open it
    LocalTable other("VektorDataTemp", "TObdracCena");
    EXPECT_ANY_THROW(other.open());
    EXPECT_TRUE(boxes.shown().empty());
    sql("UPDATE Param SET ROUNDT = 0.01;");
}

TEST_F(DataSifConnect, AfterLoginTheParameterRowMustOpen)
{
    writeIni(serverIni());
    module->DataSifCreate();
    module->tbParameter->setSQL("SELECT * FROM NiParam");
    EXPECT_THROW(module->DataSifCreateOpen(), Exception);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("Napaka pri odpiranju datoteke: tbParameter !"));
}

TEST_F(DataSifConnect, ParameterRowIsLiveAndWrittenThroughTheHook)
{
    writeIni(serverIni());
    module->DataSifCreate();
    EXPECT_EQ(ParamAsString("nasavaluta"), QString("EUR"));
    EXPECT_DOUBLE_EQ(ParamAsFloat("ROUNDT"), 0.01);
    EXPECT_EQ(ParamAsInteger("NAROCDNIZAVELJ"), 30);
    EXPECT_EQ(ParamAsString("NISTOLPCA"), QString());

    CurrentUserID = "02";
    TwwOEDataSet& p = *module->tbParameter;
    p.Edit();
    p.FieldByName("NAROCDNIZAVELJ").setAsInteger(45);
    p.Post();
    EXPECT_EQ(ParamAsInteger("NAROCDNIZAVELJ"), 45);
    EXPECT_EQ(sql("SELECT NAROCDNIZAVELJ, USERSPRE, DATUMSPRE > now() - interval '1 minute' FROM Param"), QString("45|02|t"));

    // a closed row is opened when a value is asked for
    p.Close();
    EXPECT_EQ(ParamAsString("NASAVALUTA"), QString("EUR"));
    EXPECT_TRUE(p.Active());
    sql("UPDATE Param SET NAROCDNIZAVELJ = 30;");
}
