// obdrac-run end to end, as a child process against a company database of its own.
#include "RunToolSupport.h"

#include "app/ToolCommandLine.h"
#include "generation/BatchTransaction.h"
#include "generation/RunLock.h"

#include <QRegularExpression>
#include <QThread>

#include <csignal>

namespace {

class RunToolTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ws = new RunToolWorkstation("app_runtool"); }
    static void TearDownTestSuite()
    {
        delete ws;
        ws = nullptr;
    }
    void SetUp() override
    {
        ws->db().clearDocuments();
        ws->psql("UPDATE Param SET MINDOLZINAGESLA = 4, AVTOKONTROLADAT = 'F';"
                 "ALTER TABLE Promet DROP CONSTRAINT IF EXISTS promet_test_zavrnjen");
    }

    static int count(const QString& table, const QString& where = "TRUE") { return ws->count(table, where); }
    static void addTemplates(int n) { addLongTemplates(ws->db(), n); }
    // Every template has exactly one invoice, whole, with its date moved.
    static void expectEveryTemplateExactlyOnce(int templates)
    {
        expectEveryLongTemplateOnce(ws->db(), templates);
        EXPECT_EQ(ws->psql("SELECT count(DISTINCT Prejemnik || '/' || Kljuc) FROM Promet").toInt(), templates);
        // one invoice per template: the run log names each template once
        EXPECT_EQ(ws->psql("SELECT count(*) FROM (SELECT Kljuc FROM Promet GROUP BY Kljuc HAVING count(*) > 1) d").toInt(), 0);
    }
    // Backends of other sessions on the test database (the run's connections and its lock, and
    // the test's own data module).
    static int otherSessions()
    {
        return ws->psql("SELECT count(*) FROM pg_stat_activity WHERE datname = current_database()"
                        " AND pid <> pg_backend_pid()")
            .toInt();
    }
    static void waitForSessions(int expected)
    {
        for (int i = 0; i < 300 && otherSessions() > expected; ++i)
            QThread::msleep(100);
        ASSERT_EQ(otherSessions(), expected);
    }
    // A snapshot of everything a run may change.
    static QString companyState()
    {
        return ws->psql("SELECT (SELECT count(*) FROM Promet) || '/' || (SELECT count(*) FROM PrometPoz) || '/' ||"
                        " (SELECT count(*) FROM Naroc) || '/' || (SELECT count(*) FROM NarocPoz) || '/' ||"
                        " (SELECT coalesce(string_agg(Kljuc || '=' || coalesce(to_char(DatZadFak, 'YYYY-MM-DD'), '-'),"
                        " ',' ORDER BY Kljuc), '') FROM Obdrac)");
    }

    static RunToolWorkstation* ws;
};
RunToolWorkstation* RunToolTest::ws = nullptr;

// A run prints the run log of the button (document / template / partner) and a summary, writes
// the documents, and a second run with the same dates finds nothing due.
TEST_F(RunToolTest, RunWritesTheDueDocumentsAndPrintsTheLog)
{
    ws->db().addTemplate(longTemplate(1, "Kupec Alfa d.o.o."));
    ws->db().addTemplate(longTemplate(2, "Kupec Beta d.o.o."));
    TemplateSpec order = longTemplate(3, "Dobavitelj Delta d.o.o.", "07");
    ws->db().addTemplate(order);
    TemplateSpec later = longTemplate(4, "Kupec Gama d.o.o.");
    later.datum = "2004/04/15";   // not yet due
    ws->db().addTemplate(later);

    const ToolResult r = ws->run(ws->arguments());
    ASSERT_EQ(r.exitCode, 0) << r;
    EXPECT_EQ(r.outLines(), (QStringList{"04T200001 / 04G100001 / Kupec Alfa d.o.o.",
                                         "04T200002 / 04G100002 / Kupec Beta d.o.o.",
                                         "040700001 / 04G100003 / Dobavitelj Delta d.o.o.",
                                         "Kreiranih dokumentov: 3 (računov: 2, naročil: 1)."}))
        << r;
    EXPECT_EQ(r.err, "") << r;
    EXPECT_EQ(count("Promet"), 2);
    EXPECT_EQ(count("PrometPoz"), 6);
    EXPECT_EQ(count("Naroc"), 1);
    EXPECT_EQ(count("NarocPoz"), 3);
    EXPECT_EQ(ws->psql("SELECT string_agg(Kljuc || ':' || UserZap, ',' ORDER BY Kljuc) FROM Promet"),
              "04T200001:01,04T200002:01");
    EXPECT_EQ(count("Obdrac", "DatZadFak = '2004-03-31'"), 3);

    const ToolResult again = ws->run(ws->arguments());
    EXPECT_EQ(again.exitCode, 0) << again;
    EXPECT_EQ(again.outLines(), QStringList{"Ni zapadlih periodik: noben dokument ni kreiran."}) << again;
    EXPECT_EQ(count("Promet"), 2);

    // The optional criteria of the page: only partner Gama's template, due a month later.
    const ToolResult gama = ws->run({"--ini", ws->iniPath(), "--user", "01", "--password-file", ws->passwordFile(),
                                     "--period-from", "2004-04-30", "--date", "2004-04-30", "--partner", "Kupec G%",
                                     "--event", "T2"});
    EXPECT_EQ(gama.exitCode, 0) << gama;
    EXPECT_EQ(gama.outLines(), (QStringList{"04T200003 / 04G100004 / Kupec Gama d.o.o.",
                                            "Kreiranih dokumentov: 1 (računov: 1, naročil: 0)."}))
        << gama;
}

// The sign-in follows the login's rules; a refused sign-in writes nothing and ends with 2.
struct SignInCase {
    const char* name;
    const char* user;
    const char* password;   // nullptr: no password given at all
    bool fromEnvironment;
    int exitCode;
    const char* message;    // part of the error output
};

class RunToolSignInTest : public RunToolTest, public ::testing::WithParamInterface<SignInCase> {};

TEST_P(RunToolSignInTest, SignInRules)
{
    const SignInCase& c = GetParam();
    addTemplates(2);
    const QString before = companyState();
    QStringList args{"--ini", ws->iniPath(), "--user", c.user, "--period-from", "2004-03-31", "--date", "2004-03-31"};
    QMap<QString, QString> env;
    if (c.password && c.fromEnvironment)
        env.insert("OBDRAC_PASSWORD", QString::fromUtf8(c.password));
    else if (c.password)
        args << "--password-file" << ws->writePasswordFile(QString::fromUtf8(c.password), "case.pw");
    const ToolResult r = ws->run(args, env);
    EXPECT_EQ(r.exitCode, c.exitCode) << r;
    if (*c.message) {
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r;
    }
    if (c.exitCode == 2) {
        EXPECT_EQ(companyState(), before);
        EXPECT_TRUE(r.err.contains(QString("Prijava uporabnika %1 ni uspela").arg(c.user))) << r;
    } else {
        EXPECT_EQ(count("Promet"), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Users, RunToolSignInTest,
    ::testing::Values(SignInCase{"PasswordFromFile", "01", "demo", false, 0, ""},
                      SignInCase{"PasswordFromEnvironment", "01", "demo", true, 0, ""},
                      SignInCase{"WrongPassword", "01", "Demo", false, 2, "Geslo je napačno !"},
                      SignInCase{"NoPassword", "01", nullptr, false, 2, "Geslo je napačno !"},
                      SignInCase{"UserWithoutPasswordTooShort", "02", nullptr, false, 2,
                                 "Dolžina gesla je premajhna (minimalno 4 znakov) !"},
                      SignInCase{"UserWithoutPasswordThreeLetters", "03", "abc", true, 2,
                                 "Dolžina gesla je premajhna (minimalno 4 znakov) !"},
                      SignInCase{"UserWithoutPasswordAnyFourLetters", "02", "čšžđ", false, 0, ""},
                      SignInCase{"SystemUserNeverSignsIn", "00", "demo", false, 2, "Uporabnika 00 ni med uporabniki"},
                      SignInCase{"UnknownUser", "77", "demo", false, 2, "Uporabnika 77 ni med uporabniki"}),
    [](const auto& info) { return std::string(info.param.name); });

// The company's date check: a last login after today refuses, one before today is moved to today.
TEST_F(RunToolTest, DateCheckOfTheLogin)
{
    addTemplates(1);
    ws->psql("UPDATE Param SET AVTOKONTROLADAT = 'T', AVTODATUMVSTOPA = CURRENT_DATE + 1");
    const ToolResult refused = ws->run(ws->arguments());
    EXPECT_EQ(refused.exitCode, 2) << refused;
    EXPECT_TRUE(refused.err.contains("Sistemski datum je manjši od datuma zadnje prijave v program !")) << refused;
    EXPECT_EQ(count("Promet"), 0);

    ws->psql("UPDATE Param SET AVTODATUMVSTOPA = CURRENT_DATE - 3");
    const ToolResult passed = ws->run(ws->arguments());
    EXPECT_EQ(passed.exitCode, 0) << passed;
    EXPECT_EQ(count("Promet"), 1);
    EXPECT_EQ(ws->psql("SELECT AVTODATUMVSTOPA::date = CURRENT_DATE FROM Param"), "t");
}

// A dry run writes nothing: it prints the listing of what the run would make; with --csv as CSV
// with a decimal point whatever the locale.
TEST_F(RunToolTest, DryRunListsAndWritesNothing)
{
    TemplateSpec fixed = longTemplate(1, "Kupec O'Hara");
    fixed.nacIzrCene = "F";
    fixed.lines = {{"T-BLAGO", "Blago", 2.5, 12.25, 3, ""}, {"NI-TAKEGA", "Ga ni", 1, 1, 0, ""},
                   {"T-STOR", "Storitev", 1, 40.125, 0, ""}};
    ws->db().addTemplate(fixed);
    TemplateSpec type = longTemplate(2, "TST");
    type.tip = "T";
    type.nacIzrCene = "F";
    type.lines = {{"T-TRO", "Gorivo", 10, 1.5, 0, ""}};
    ws->db().addTemplate(type);
    TemplateSpec order = longTemplate(3, "Dobavitelj Delta d.o.o.", "07");
    order.nacIzrCene = "F";
    order.lines = {{"T-USD", "Licenca", 1, 99.9999, 12.5, ""}};
    ws->db().addTemplate(order);
    const QString before = companyState();

    const ToolResult csv = ws->run(ws->arguments({"--dry-run", "--csv"}), {{"LANG", "sl_SI.UTF-8"}, {"LC_ALL", "sl_SI.UTF-8"}});
    ASSERT_EQ(csv.exitCode, 0) << csv;
    EXPECT_EQ(csv.outLines(), (QStringList{"ZapSt;Kljuc;Tip;PoslDog;Subjekt;Ident;Kolicina;Cena;Rabat",
                                           "1;04G100001;Račun;T2;Kupec O'Hara;T-BLAGO;2.5;12.25;3",
                                           "2;04G100001;Račun;T2;Kupec O'Hara;T-STOR;1;40.125;0",
                                           "3;04G100002;Račun;T2;Kupec Alfa d.o.o.;T-TRO;10;1.5;0",
                                           "4;04G100002;Račun;T2;Kupec Beta d.o.o.;T-TRO;10;1.5;0",
                                           "5;04G100002;Račun;T2;Kupec Gama d.o.o.;T-TRO;10;1.5;0",
                                           "6;04G100003;Naročilo;07;Dobavitelj Delta d.o.o.;T-USD;1;99.9999;12.5"}))
        << csv;
    EXPECT_EQ(companyState(), before);

    const ToolResult text = ws->run(ws->arguments({"--dry-run"}));
    ASSERT_EQ(text.exitCode, 0) << text;
    const QStringList lines = text.outLines();
    ASSERT_EQ(lines.size(), 8) << text;
    EXPECT_TRUE(lines[1].startsWith("1    04G100001 Račun    T2 Kupec O'Hara")) << lines[1];
    EXPECT_TRUE(lines[1].endsWith("2.5 x 12.25, rabat 3 %")) << lines[1];
    EXPECT_EQ(lines.last(), "Vrstic izpisa: 6 (nič ni zapisano v bazo podjetja).");
    EXPECT_EQ(companyState(), before);

    // The real run makes what the listing showed.
    const ToolResult real = ws->run(ws->arguments());
    EXPECT_EQ(real.exitCode, 0) << real;
    EXPECT_EQ(count("PrometPoz"), 5);
    EXPECT_EQ(count("NarocPoz"), 1);
}

// A partner name with the CSV separator or a quote is quoted.
TEST_F(RunToolTest, CsvQuotesTextsWithSeparators)
{
    ws->psql("INSERT INTO Subjekt (Naziv, Kupec, Dobavitelj, CenRazred, Valuta, UserZap, UserSpre)"
             " VALUES ('Kupec \"Pika; vejica\"', 'T', 'F', '1', 'EUR', '00', '00')");
    TemplateSpec t = longTemplate(1, "Kupec \"Pika; vejica\"");
    t.nacIzrCene = "F";
    t.lines = {{"T-BLAGO", "Blago", 1, 2, 0, ""}};
    ws->db().addTemplate(t);
    const ToolResult csv = ws->run(ws->arguments({"--dry-run", "--csv"}));
    ws->psql("DELETE FROM Subjekt WHERE Naziv LIKE 'Kupec \"Pika%'");
    ASSERT_EQ(csv.exitCode, 0) << csv;
    EXPECT_EQ(csv.outLines().value(1), "1;04G100001;Račun;T2;\"Kupec \"\"Pika; vejica\"\"\";T-BLAGO;1;2;0") << csv;
}

// A document the database refuses: its line in the log, the others written, exit code 1.
TEST_F(RunToolTest, DocumentNotWrittenGivesExitCodeOne)
{
    ws->psql("ALTER TABLE Promet ADD CONSTRAINT promet_test_zavrnjen CHECK (Prejemnik <> 'Zavrnjeni kupec')");
    ws->db().addTemplate(longTemplate(1, "Kupec Alfa d.o.o."));
    ws->db().addTemplate(longTemplate(2, "Zavrnjeni kupec"));
    const ToolResult r = ws->run(ws->arguments());
    EXPECT_EQ(r.exitCode, 1) << r;
    const QStringList lines = r.outLines();
    ASSERT_EQ(lines.size(), 4) << r;
    EXPECT_EQ(lines[0], "04T200001 / 04G100001 / Kupec Alfa d.o.o.");
    EXPECT_TRUE(lines[1].startsWith("04T200002 / 04G100002 / Zavrnjeni kupec - NI ZAPISAN: ")) << lines[1];
    EXPECT_EQ(lines[2], "Kreiranih dokumentov: 1 (računov: 1, naročil: 0).");
    EXPECT_TRUE(lines[3].startsWith("Nezapisanih dokumentov: 1")) << lines[3];
    EXPECT_EQ(count("Promet"), 1);
    EXPECT_EQ(count("Obdrac", "DatZadFak IS NULL"), 1);
}

// A due template whose only item is missing, between two due templates of the same business
// event: it takes no number (the two invoices are consecutive), is reported "NI KREIRAN" and
// counted, the exit code is 1, and it stays due (the dry run reports it as well). A partner-type
// template without partners is reported likewise.
TEST_F(RunToolTest, DueTemplateThatMakesNothingIsReported)
{
    ws->db().addTemplate(longTemplate(1, "Kupec Alfa d.o.o."));
    TemplateSpec missing = longTemplate(2, "Kupec Beta d.o.o.");
    missing.lines = {{"NI-GA-VEC", "Ukinjeno", 1, 5, 0, ""}};
    ws->db().addTemplate(missing);
    ws->db().addTemplate(longTemplate(3, "Kupec Gama d.o.o."));
    TemplateSpec nobody = longTemplate(4, "NIKOGAR");
    nobody.tip = "T";
    ws->db().addTemplate(nobody);

    const ToolResult dry = ws->run(ws->arguments({"--dry-run"}));
    EXPECT_EQ(dry.exitCode, 1) << dry;
    EXPECT_TRUE(dry.outLines().contains(
        "04G100002 / Kupec Beta d.o.o. - NI KREIRAN: nobena postavka nima obstoječega artikla")) << dry;
    EXPECT_TRUE(dry.outLines().contains("04G100004 / NIKOGAR - NI KREIRAN: noben partner nima tipa partnerja NIKOGAR")) << dry;

    const ToolResult r = ws->run(ws->arguments());
    EXPECT_EQ(r.exitCode, 1) << r;
    EXPECT_EQ(r.outLines(),
              (QStringList{"04T200001 / 04G100001 / Kupec Alfa d.o.o.",
                           "04G100002 / Kupec Beta d.o.o. - NI KREIRAN: nobena postavka nima obstoječega artikla",
                           "04T200002 / 04G100003 / Kupec Gama d.o.o.",
                           "04G100004 / NIKOGAR - NI KREIRAN: noben partner nima tipa partnerja NIKOGAR",
                           "Kreiranih dokumentov: 2 (računov: 2, naročil: 0).",
                           "Zapadlih periodik brez dokumenta: 2 (razlog je v vrstici NI KREIRAN; periodike ostanejo "
                           "zapadle, dokler jih ne popraviš)."}))
        << r;
    EXPECT_EQ(ws->psql("SELECT string_agg(Kljuc, ',' ORDER BY Kljuc) FROM Promet"), "04T200001,04T200002");
    EXPECT_EQ(count("Obdrac", "DatZadFak IS NULL"), 2);
}

// A partner or business event that names no template is said (with the hint about "%").
TEST_F(RunToolTest, CriteriaThatMatchNoTemplateAreSaid)
{
    ws->db().addTemplate(longTemplate(1, "Kupec Alfa d.o.o."));
    const ToolResult r = ws->run(ws->arguments({"--partner", "Kupec", "--event", "X9"}));
    EXPECT_EQ(r.exitCode, 0) << r;
    EXPECT_TRUE(r.err.contains("Nobena periodika nima partnerja ali tipa partnerja \"Kupec\" (--partner).")) << r;
    EXPECT_TRUE(r.err.contains("\"Kupec%\" izbere vse")) << r;
    EXPECT_TRUE(r.err.contains("Nobena periodika nima poslovnega dogodka dokumentov \"X9\" (--event).")) << r;
    const ToolResult pattern = ws->run(ws->arguments({"--partner", "Kupec%", "--dry-run"}));
    EXPECT_FALSE(pattern.err.contains("Nobena periodika")) << pattern;
    EXPECT_EQ(count("Promet"), 0);
}

// Another run holds the company's run lock: refused with 2, nothing written.
TEST_F(RunToolTest, RunRefusedWhileAnotherHoldsTheLock)
{
    addTemplates(2);
    THdbc other;
    other.setDriver("SQL Server");
    other.setAttributes(ws->db().db().connectString().split(';', Qt::SkipEmptyParts));
    other.Connect();
    THstmt lock(&other);
    lock.setSQL(other.dialect().sessionLockStatement(RunLock::ResourceName));
    lock.Execute();
    ASSERT_TRUE(lock.FetchNext());
    ASSERT_EQ(lock.ColumnAsInteger(1), 1);
    lock.Close();

    const ToolResult r = ws->run(ws->arguments());
    EXPECT_EQ(r.exitCode, 2) << r;
    EXPECT_TRUE(r.err.contains("Kreiranje dokumentov v tem podjetju že teče")) << r;
    EXPECT_TRUE(r.out.contains("Kreiranje se ni začelo.")) << r;
    EXPECT_EQ(count("Promet"), 0);

    other.Disconnect();
    const ToolResult after = ws->run(ws->arguments());
    EXPECT_EQ(after.exitCode, 0) << after;
    EXPECT_EQ(count("Promet"), 2);
}

// Two runs started together: one is refused or they run one after the other; every due document
// is written exactly once, no key twice.
TEST_F(RunToolTest, TwoRunsStartedTogether)
{
    addTemplates(60);
    QProcess a, b;
    ws->start(a, ws->arguments());
    ws->start(b, ws->arguments());
    ASSERT_TRUE(a.waitForFinished(300000));
    ASSERT_TRUE(b.waitForFinished(300000));
    const int ca = a.exitCode();
    const int cb = b.exitCode();
    const QString outA = QString::fromUtf8(a.readAllStandardOutput());
    const QString outB = QString::fromUtf8(b.readAllStandardOutput());
    const QString errA = QString::fromUtf8(a.readAllStandardError());
    const QString errB = QString::fromUtf8(b.readAllStandardError());
    SCOPED_TRACE((outA + errA + "\n=====\n" + outB + errB).toStdString());
    EXPECT_TRUE((ca == 0 && cb == 0) || (ca == 0 && cb == 2) || (ca == 2 && cb == 0)) << ca << " " << cb;
    const int linesA = int(outA.split('\n').filter(" / 04G1").size());
    const int linesB = int(outB.split('\n').filter(" / 04G1").size());
    EXPECT_EQ(linesA + linesB, 60);
    expectEveryTemplateExactlyOnce(60);
}

// A run killed (SIGKILL) in the middle of a batch, then run again: every due document exactly
// once, none half-written.
TEST_F(RunToolTest, KilledRunThenRunAgain)
{
    const int templates = 45;
    addTemplates(templates);
    const int ownSessions = otherSessions();
    // Hold a template in the middle: the run writes the batches before it, then its batch with
    // that template's document writes the lines and waits at the template's update, inside its
    // transaction. Kill it there.
    {
        THdbc holder;
        holder.setDriver("SQL Server");
        holder.setAttributes(ws->db().db().connectString().split(';', Qt::SkipEmptyParts));
        holder.Connect();
        BatchTransaction tx(holder);
        THstmt lock(&holder);
        lock.setSQL(QString("SELECT Kljuc FROM Obdrac WHERE Kljuc = '04G1%1' FOR UPDATE").arg(templates / 2, 5, 10, QChar('0')));
        lock.Execute();
        lock.Close();

        QProcess run;
        ws->start(run, ws->arguments());
        ASSERT_TRUE(run.waitForStarted(30000));
        // The first batch is in the database once its documents are in the log.
        QByteArray out;
        for (int i = 0; i < 600 && !out.contains('\n'); ++i) {
            run.waitForReadyRead(100);
            out += run.readAllStandardOutput();
            ASSERT_NE(run.state(), QProcess::NotRunning) << out.toStdString();
        }
        ASSERT_TRUE(out.contains('\n'));
        bool waiting = false;
        for (int i = 0; i < 1200 && !waiting; ++i) {
            waiting = ws->psql("SELECT count(*) FROM pg_stat_activity WHERE datname = current_database()"
                               " AND wait_event_type = 'Lock'")
                          .toInt()
                      > 0;
            if (!waiting) {
                ASSERT_FALSE(run.waitForFinished(0)) << "the run ended before it could be held";
                QThread::msleep(50);
            }
        }
        ASSERT_TRUE(waiting);
        ::kill(pid_t(run.processId()), SIGKILL);
        ASSERT_TRUE(run.waitForFinished(30000));
        EXPECT_EQ(run.exitStatus(), QProcess::CrashExit);
    }   // the template is free again: the dead run's transaction ends without its commit
    waitForSessions(ownSessions);

    const int written = count("Promet");
    EXPECT_GT(written, 0);
    EXPECT_LT(written, templates);
    EXPECT_EQ(count("PrometPoz"), 3 * written);
    EXPECT_EQ(count("PrometPoz P", "NOT EXISTS (SELECT 1 FROM Promet H WHERE H.Kljuc = P.Kljuc)"), 0);
    EXPECT_EQ(count("Obdrac", "DatZadFak IS NOT NULL"), written);

    const ToolResult again = ws->run(ws->arguments());
    EXPECT_EQ(again.exitCode, 0) << again;
    EXPECT_EQ(again.outLines().filter(" / 04G1").size(), templates - written);
    expectEveryTemplateExactlyOnce(templates);
}

// Arguments the tool refuses: exit code 2, a message, nothing written.
struct UsageCase {
    const char* name;
    QStringList arguments;
    const char* message;
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }
void PrintTo(const SignInCase& c, std::ostream* os) { *os << c.name; }

class RunToolUsageTest : public RunToolTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(RunToolUsageTest, RefusedWithExitCodeTwo)
{
    addTemplates(1);
    const UsageCase& c = GetParam();
    QStringList args = c.arguments;
    args.replaceInStrings("INI", ws->iniPath());
    const ToolResult r = ws->run(args);
    EXPECT_EQ(r.exitCode, 2) << r;
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r;
    EXPECT_EQ(count("Promet"), 0);
}

const QStringList Good{"--ini", "INI", "--user", "01", "--period-from", "2004-03-31", "--date", "2004-03-31"};

INSTANTIATE_TEST_SUITE_P(
    Arguments, RunToolUsageTest,
    ::testing::Values(UsageCase{"NoArguments", {}, "Manjka uporabnik"},
                      UsageCase{"PasswordOnTheCommandLine", Good + QStringList{"--password", "demo"},
                                "Gesla ni dovoljeno podati v ukazni vrstici"},
                      UsageCase{"PasswordInline", Good + QStringList{"--password=demo"},
                                "Gesla ni dovoljeno podati v ukazni vrstici"},
                      UsageCase{"BadDate", {"--ini", "INI", "--user", "01", "--period-from", "2004-02-30", "--date", "2004-03-31"},
                                "--period-from zahteva datum v obliki LLLL-MM-DD"},
                      UsageCase{"LocalDateForm", {"--ini", "INI", "--user", "01", "--period-from", "2004-03-01", "--date", "31.3.2004"},
                                "--date zahteva datum"},
                      UsageCase{"MissingDate", {"--ini", "INI", "--user", "01", "--period-from", "2004-03-01"},
                                "Manjka datum dokumentov"},
                      UsageCase{"UnknownOption", Good + QStringList{"--force"}, "Neznana izbira: --force"},
                      UsageCase{"StrayArgument", Good + QStringList{"odvec"}, "Odvečen argument: odvec"},
                      UsageCase{"CsvWithoutDryRun", Good + QStringList{"--csv"}, "--csv velja le skupaj z --dry-run"},
                      UsageCase{"MissingValue", {"--ini", "INI", "--user"}, "--user zahteva vrednost"},
                      UsageCase{"OptionTwice", Good + QStringList{"--user", "02"}, "--user je podana dvakrat"},
                      UsageCase{"InlineOptionTwice", Good + QStringList{"--user=02"}, "--user je podana dvakrat"},
                      UsageCase{"ValueAfterAFlag", Good + QStringList{"--dry-run=da"}, "Izbira --dry-run nima vrednosti"},
                      UsageCase{"UnknownShortOption", Good + QStringList{"-x"}, "Neznana izbira: -x"},
                      UsageCase{"ShortPassword", Good + QStringList{"-p", "demo"}, "Gesla ni dovoljeno podati v ukazni vrstici"},
                      UsageCase{"MissingIniFile", {"--ini", "INI.manjka", "--user", "01", "--period-from", "2004-03-31",
                                                   "--date", "2004-03-31"}, "ne obstaja"},
                      UsageCase{"UnreadablePasswordFile", Good + QStringList{"--password-file", "/nonexistent/run.pw"},
                                "Datoteke z geslom /nonexistent/run.pw ni mogoče brati"}),
    [](const auto& info) { return std::string(info.param.name); });

// A database that cannot be reached: 2, with the connection message.
TEST_F(RunToolTest, UnreachableDatabase)
{
    const QString ini = ws->file("Other.INI");
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QString("[Database]\nServerName=%1\nDataBaseName=ni_take_baze\n").arg(TestDatabase::socketDir()).toUtf8());
    f.close();
    const ToolResult r = ws->run({"--ini", ini, "--user", "01", "--password-file", ws->passwordFile(), "--period-from",
                                  "2004-03-31", "--date", "2004-03-31"});
    EXPECT_EQ(r.exitCode, 2) << r;
    EXPECT_TRUE(r.err.contains("Napaka v nastavitvi poti do podatkov (Database) !")) << r;
    EXPECT_TRUE(r.err.contains("Povezava s podatkovno bazo podjetja ni uspela")) << r;
}

// Help, and the password from standard input.
TEST_F(RunToolTest, HelpAndPasswordFromStandardInput)
{
    const ToolResult help = ws->run({"--help"});
    EXPECT_EQ(help.exitCode, 0) << help;
    EXPECT_TRUE(help.out.startsWith("Uporaba: obdrac-run")) << help;
    EXPECT_TRUE(help.out.contains("--version")) << help;
    EXPECT_EQ(ws->run({"-h"}).out, help.out);

    // the version and build of this build, whatever else is given
    const ToolResult version = ws->run({"--version"});
    EXPECT_EQ(version.exitCode, 0) << version;
    EXPECT_EQ(version.out.trimmed(), toolVersionText("obdrac-run")) << version;
    EXPECT_TRUE(QRegularExpression("^obdrac-run \\S+ \\(build \\S+\\)$").match(version.out.trimmed()).hasMatch()) << version;
    EXPECT_TRUE(version.err.isEmpty()) << version;

    addTemplates(1);
    QStringList args = Good;
    args.replaceInStrings("INI", ws->iniPath());
    const ToolResult r = ws->run(args + QStringList{"--password-file", "-"}, {}, "demo\n");
    EXPECT_EQ(r.exitCode, 0) << r;
    EXPECT_EQ(count("Promet"), 1);
}

} // namespace
