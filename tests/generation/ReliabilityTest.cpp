// Documents are written whole or not at all, exactly once: batches of whole documents in
// transactions, documents the database refuses, keys another program took, a run that breaks
// off or is killed, and a second run while one holds the company's run lock.
#include "GenerationFixture.h"
#include "data/odbc/THdbc.h"
#include "data/odbc/THstmt.h"
#include "generation/RunLock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <stdexcept>

namespace {

const QDate March31(2004, 3, 31);

class ReliabilityTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { db = new GenerationDatabase("generation_reliability"); }
    static void TearDownTestSuite()
    {
        delete db;
        db = nullptr;
    }
    void SetUp() override
    {
        db->clearDocuments();
        // Another program's rule: this partner's documents are refused by the database.
        q("ALTER TABLE Promet DROP CONSTRAINT IF EXISTS promet_test_zavrnjen;"
          "ALTER TABLE Promet ADD CONSTRAINT promet_test_zavrnjen CHECK (Prejemnik <> 'Zavrnjeni kupec')");
        GenerationDatabase::clearErrorLog();
    }

    static QString q(const QString& sql) { return db->psql(sql); }
    static int count(const QString& table, const QString& where = "TRUE")
    {
        return q("SELECT count(*) FROM " + table + " WHERE " + where).toInt();
    }
    static void addLongTemplates(int n) { ::addLongTemplates(*db, n); }
    static void expectEveryTemplateExactlyOnce(int templates) { expectEveryLongTemplateOnce(*db, templates); }
    static int advisoryLocks()
    {
        return q("SELECT count(*) FROM pg_locks L JOIN pg_database D ON D.oid = L.database"
                 " WHERE L.locktype = 'advisory' AND D.datname = current_database()")
            .toInt();
    }

    static GenerationDatabase* db;
};
GenerationDatabase* ReliabilityTest::db = nullptr;

// The statements go out in batches longer than 8192 characters (the last one forced), each made
// of whole documents and committed as one transaction: the lines of all its documents in one
// INSERT, an update of each document's template, then their headers in one INSERT.
TEST_F(ReliabilityTest, BatchesOfWholeDocuments)
{
    addLongTemplates(20);
    RecordedRun run(March31, March31);
    std::vector<QString> batches;
    run.callbacks.beforeCommit = [&] { batches.push_back(DataSif->UpdateHstmt.SQL()); };
    const GenerationResult r = run.run();
    EXPECT_EQ(r.invoicesWritten, 20);
    ASSERT_GE(batches.size(), 3u);
    int documents = 0;
    for (size_t i = 0; i < batches.size(); ++i) {
        const QString& b = batches[i];
        if (i + 1 < batches.size()) {
            EXPECT_GT(b.size(), 8192) << i;
        }
        const qsizetype lines = b.indexOf("INSERT INTO PrometPoz(");
        const qsizetype update = b.indexOf("UPDATE Obdrac SET DatZadFak = '2004/03/31' WHERE Kljuc ");
        const qsizetype headers = b.indexOf("INSERT INTO Promet(");
        ASSERT_EQ(lines, 0) << i;
        ASSERT_GT(update, lines) << i;
        ASSERT_GT(headers, update) << i;
        EXPECT_EQ(b.count("INSERT INTO PrometPoz("), 1) << i;
        EXPECT_EQ(b.count("INSERT INTO Promet("), 1) << i;
        const int inBatch = int(b.mid(headers).count("('04T2"));
        EXPECT_EQ(b.mid(lines, update - lines).count("('04T2"), 3 * inBatch) << i;
        EXPECT_EQ(b.mid(update, headers - update).count("UPDATE Obdrac SET DatZadFak = '2004/03/31' WHERE Kljuc = '04G1"),
                  inBatch)
            << i;
        EXPECT_TRUE(b.endsWith("); ")) << i;
        documents += inBatch;
    }
    EXPECT_EQ(documents, 20);
    expectEveryTemplateExactlyOnce(20);
    EXPECT_EQ(advisoryLocks(), 0);
}

// A preload statement that fails (the partners, their contract rows, the items of a block) is
// logged under its look-up's name, and the look-ups then ask the server one by one: every
// document is written.
TEST_F(ReliabilityTest, FailingPreloadsAreLoggedAndTheRunGoesOn)
{
    // The server refuses every statement that reads these tables for a list of names.
    struct RefusedLists {
        RefusedLists()
        {
            q("INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok,"
              " RokPlacila, UserZap, UserSpre) VALUES ('Kupec Alfa d.o.o.', 'T-STOR', 'P', 'S', 'EUR', 33, 0, '', 0, 0,"
              " '00', '00');"
              "CREATE FUNCTION test_refuse_lists() RETURNS boolean LANGUAGE plpgsql AS $$ BEGIN"
              " IF current_query() LIKE '%Naziv IN (%' OR current_query() LIKE '%Subjekt IN (%'"
              " OR current_query() LIKE '%Ident IN (%' THEN RAISE EXCEPTION 'seznam zavrnjen'; END IF;"
              " RETURN true; END $$;");
            for (const char* table : {"Subjekt", "SubjektCenik", "MS"})
                q(QString("ALTER TABLE %1 ENABLE ROW LEVEL SECURITY; ALTER TABLE %1 FORCE ROW LEVEL SECURITY;"
                          " CREATE POLICY test_refuse_lists ON %1 USING (test_refuse_lists());")
                      .arg(table));
        }
        ~RefusedLists()
        {
            for (const char* table : {"Subjekt", "SubjektCenik", "MS"})
                q(QString("DROP POLICY test_refuse_lists ON %1; ALTER TABLE %1 NO FORCE ROW LEVEL SECURITY;"
                          " ALTER TABLE %1 DISABLE ROW LEVEL SECURITY;")
                      .arg(table));
            q("DROP FUNCTION test_refuse_lists(); DELETE FROM SubjektCenik WHERE Subjekt = 'Kupec Alfa d.o.o.'");
        }
    } refused;
    addLongTemplates(6);
    RecordedRun run(March31, March31);
    const GenerationResult r = run.run();
    EXPECT_EQ(r.invoicesWritten, 6);
    EXPECT_EQ(r.documentsNotWritten, 0);
    expectEveryTemplateExactlyOnce(6);
    EXPECT_EQ(count("PrometPoz", "Ident = 'T-STOR' AND Cena = 33"), 2);   // Alfa's contract price, asked alone
    const QStringList log = GenerationDatabase::errorLog();
    for (const char* operation : {"FindSubj: ", "FindSubjCenik: ", "FindVrstaMS: "})
        EXPECT_EQ(log.filter(operation).filter("seznam zavrnjen").size(), 1)
            << operation << log.join("\n").toStdString();
}

// A document the database refuses is reported (run log, error log, result) and not written; its
// template keeps its date; the documents around it are written; the next run makes it.
TEST_F(ReliabilityTest, RefusedDocumentIsReportedAndTheOthersWritten)
{
    db->addTemplate(longTemplate(1, "Kupec Alfa d.o.o."));
    db->addTemplate(longTemplate(2, "Zavrnjeni kupec"));
    db->addTemplate(longTemplate(3, "Kupec Gama d.o.o."));
    RecordedRun run(March31, March31);
    const GenerationResult r = run.run();
    EXPECT_EQ(r.outcome, GenerationResult::Outcome::Completed);
    EXPECT_EQ(r.invoicesWritten, 2);
    EXPECT_EQ(r.documentsNotWritten, 1);
    EXPECT_EQ(r.exitCode(), 1);
    ASSERT_EQ(run.log.size(), 3);
    EXPECT_EQ(run.log[0], "04T200001 / 04G100001 / Kupec Alfa d.o.o.");
    EXPECT_TRUE(run.log[1].startsWith("04T200002 / 04G100002 / Zavrnjeni kupec - NI ZAPISAN: ")) << run.log[1];
    EXPECT_TRUE(run.log[1].contains("promet_test_zavrnjen")) << run.log[1];
    EXPECT_EQ(run.log[2], "04T200003 / 04G100003 / Kupec Gama d.o.o.");
    EXPECT_EQ(r.notWritten, QStringList{run.log[1]});
    EXPECT_EQ(count("PrometPoz", "Kljuc = '04T200002'"), 0);
    EXPECT_EQ(q("SELECT coalesce(to_char(DatZadFak, 'YYYY-MM-DD'), 'NULL') FROM Obdrac ORDER BY Kljuc"),
              "2004-03-31\nNULL\n2004-03-31");
    const QStringList errors = GenerationDatabase::errorLog();
    EXPECT_TRUE(errors.filter("KreirajIzdRacDok: Dokument 04T200002 (periodika 04G100002, partner Zavrnjeni kupec) ni "
                              "zapisan: ")
                    .size()
                == 1)
        << errors.join('\n').toStdString();
    EXPECT_FALSE(errors.filter("sqlExecute: ").isEmpty());

    q("ALTER TABLE Promet DROP CONSTRAINT promet_test_zavrnjen");
    RecordedRun next(March31, March31);
    const GenerationResult r2 = next.run();
    EXPECT_EQ(next.log, QStringList{"04T200004 / 04G100002 / Zavrnjeni kupec"});
    EXPECT_EQ(r2.exitCode(), 0);
    expectEveryTemplateExactlyOnce(3);
}

// The documents of a partner-type template go in together: one refused partner keeps all of
// them out, so that the next run (the template still due) makes each of them exactly once.
TEST_F(ReliabilityTest, PartnerTypeTemplateIsWrittenWholeOrNotAtAll)
{
    q("UPDATE Subjekt SET TipPartnerjaO = 'TST' WHERE Naziv = 'Zavrnjeni kupec'");
    TemplateSpec t = longTemplate(1, "TST");
    t.tip = "T";
    db->addTemplate(t);
    RecordedRun run(March31, March31);
    const GenerationResult r = run.run();
    q("UPDATE Subjekt SET TipPartnerjaO = '' WHERE Naziv = 'Zavrnjeni kupec'");
    EXPECT_EQ(r.invoicesWritten, 0);
    EXPECT_EQ(r.documentsNotWritten, 4);
    EXPECT_EQ(count("Promet"), 0);
    EXPECT_EQ(count("PrometPoz"), 0);
    EXPECT_EQ(q("SELECT coalesce(to_char(DatZadFak, 'YYYY-MM-DD'), 'NULL') FROM Obdrac"), "NULL");
    ASSERT_EQ(run.log.size(), 4);
    for (const QString& line : run.log)
        EXPECT_TRUE(line.contains(" - NI ZAPISAN: ")) << line;

    RecordedRun next(March31, March31);
    EXPECT_EQ(next.run().invoicesWritten, 3);
    expectEveryTemplateExactlyOnce(3);   // one template, three partners: three invoices
}

// A key that another program of the suite takes while the run is going: the document gets the
// next free number and is written; nothing is lost or doubled.
TEST_F(ReliabilityTest, KeyTakenByAnotherProgramMidRun)
{
    db->addTemplate(longTemplate(1, "Kupec Beta d.o.o."));
    db->addTemplate(longTemplate(2, "Kupec Gama d.o.o."));
    RecordedRun run(March31, March31);
    bool taken = false;
    run.callbacks.progress = [&](int p) {
        if (p == 50 && !taken) {
            q("INSERT INTO Promet (Kljuc, PoslDog, Prejemnik) VALUES ('04T200001', 'T2', 'Drug program')");
            taken = true;
        }
    };
    const GenerationResult r = run.run();
    EXPECT_TRUE(taken);
    EXPECT_EQ(r.invoicesWritten, 2);
    EXPECT_EQ(r.documentsNotWritten, 0);
    EXPECT_EQ(run.log, (QStringList{"04T200003 / 04G100001 / Kupec Beta d.o.o.",
                                    "04T200002 / 04G100002 / Kupec Gama d.o.o."}));
    EXPECT_EQ(q("SELECT string_agg(Kljuc || ':' || Prejemnik, ',' ORDER BY Kljuc) FROM Promet"),
              "04T200001:Drug program,04T200002:Kupec Gama d.o.o.,04T200003:Kupec Beta d.o.o.");
    EXPECT_EQ(q("SELECT string_agg(DISTINCT Kljuc, ',') FROM PrometPoz"), "04T200002,04T200003");
}

// The same when the other program took the key of a document alone in its batch, and lines of
// a key without a header: a retry under a new key, once.
TEST_F(ReliabilityTest, KeyTakenInTheLineTable)
{
    q("INSERT INTO PrometPoz (Kljuc, Poz, Ident) VALUES ('04T200001', 1, 'TUJE')");
    db->addTemplate(longTemplate(1, "Kupec Beta d.o.o."));
    RecordedRun run(March31, March31);
    const GenerationResult r = run.run();
    EXPECT_EQ(r.invoicesWritten, 1);
    EXPECT_EQ(run.log, QStringList{"04T200002 / 04G100001 / Kupec Beta d.o.o."});
    EXPECT_EQ(count("PrometPoz", "Kljuc = '04T200002'"), 3);
}

// An error that breaks the run off: the batch in hand is rolled back, the documents not yet
// written are reported and dropped (none is left for a later run), and the next run makes
// exactly the missing ones.
TEST_F(ReliabilityTest, RunBrokenOffByAnError)
{
    addLongTemplates(12);
    RecordedRun run(March31, March31);
    int commits = 0;
    run.callbacks.beforeCommit = [&] {
        if (++commits == 2)
            throw std::runtime_error("Simulirana prekinitev");
    };
    const GenerationResult r = run.run();
    EXPECT_EQ(r.outcome, GenerationResult::Outcome::Failed);
    EXPECT_EQ(r.exitCode(), 3);
    EXPECT_EQ(r.error, "Simulirana prekinitev");
    EXPECT_TRUE(run.shown.contains("Simulirana prekinitev"));
    EXPECT_EQ(run.reopened, 1);
    const int written = count("Promet");
    EXPECT_GT(written, 0);
    EXPECT_LT(written, 12);
    EXPECT_EQ(r.invoicesWritten, written);
    EXPECT_EQ(r.documentsNotWritten, int(r.notWritten.size()));
    EXPECT_GE(r.documentsNotWritten, 1);
    EXPECT_EQ(count("PrometPoz P", "NOT EXISTS (SELECT 1 FROM Promet H WHERE H.Kljuc = P.Kljuc)"), 0);
    EXPECT_EQ(count("Obdrac", "DatZadFak IS NOT NULL"), written);
    EXPECT_EQ(advisoryLocks(), 0);

    RecordedRun next(March31, March31);
    const GenerationResult r2 = next.run();
    EXPECT_EQ(r2.outcome, GenerationResult::Outcome::Completed);
    EXPECT_EQ(r2.invoicesWritten, 12 - written);
    expectEveryTemplateExactlyOnce(12);
}

// A document number that cannot be drawn ends the command: the documents built so far are
// reported and dropped (none is left for a later run), the order run does not start, and the
// next run makes everything exactly once.
TEST_F(ReliabilityTest, NumberingFailureEndsTheCommand)
{
    q("INSERT INTO Promet (Kljuc, PoslDog, Prejemnik) VALUES ('04T299999', 'T2', 'Poln števec')");
    TemplateSpec first = longTemplate(1, "Kupec Alfa d.o.o.");
    first.poslDogFak = "T1";
    db->addTemplate(first);
    db->addTemplate(longTemplate(2, "Kupec Beta d.o.o."));
    TemplateSpec order = longTemplate(3, "Dobavitelj Delta d.o.o.");
    order.poslDogFak = "07";
    db->addTemplate(order);

    RecordedRun run(March31, March31);
    const GenerationResult r = run.run();
    EXPECT_EQ(r.outcome, GenerationResult::Outcome::Failed);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_TRUE(run.shown.contains(r.error)) << run.shown.join('\n');
    EXPECT_EQ(r.documentsWritten(), 0);
    ASSERT_EQ(run.log.size(), 1);
    EXPECT_TRUE(run.log[0].startsWith("04T100001 / 04G100001 / Kupec Alfa d.o.o. - NI ZAPISAN: ")) << run.log[0];
    EXPECT_EQ(count("Promet"), 1);
    EXPECT_EQ(count("PrometPoz"), 0);
    EXPECT_EQ(count("Naroc"), 0);
    EXPECT_EQ(count("Obdrac", "DatZadFak IS NOT NULL"), 0);
    EXPECT_EQ(run.reopened, 1);

    q("DELETE FROM Promet");
    RecordedRun next(March31, March31);
    const GenerationResult r2 = next.run();
    EXPECT_EQ(r2.exitCode(), 0);
    EXPECT_EQ(next.log, (QStringList{"04T100001 / 04G100001 / Kupec Alfa d.o.o.",
                                     "04T200001 / 04G100002 / Kupec Beta d.o.o.",
                                     "040700001 / 04G100003 / Dobavitelj Delta d.o.o."}));
}

// A second run while another holds the company's run lock is refused with a message.
TEST_F(ReliabilityTest, SecondRunIsRefusedWhileTheLockIsHeld)
{
    db->addTemplate(longTemplate(1, "Kupec Beta d.o.o."));
    {
        THdbc other;
        other.setDriver("SQL Server");
        other.setAttributes(db->db().connectString().split(';', Qt::SkipEmptyParts));
        other.Connect();
        THstmt lock(&other);
        lock.setSQL(other.dialect().sessionLockStatement(RunLock::ResourceName));
        lock.Execute();
        ASSERT_TRUE(lock.FetchNext());
        ASSERT_EQ(lock.ColumnAsInteger(1), 1);
        lock.Close();

        RecordedRun run(March31, March31);
        const GenerationResult r = run.run();
        EXPECT_EQ(r.outcome, GenerationResult::Outcome::Refused);
        EXPECT_EQ(r.exitCode(), 2);
        ASSERT_EQ(run.shown.size(), 2);
        EXPECT_EQ(run.shown[1], "Kreiranje dokumentov v tem podjetju že teče (drug uporabnik ali program) !\n"
                                "Počakaj, da se konča, in poskusi znova.");
        EXPECT_EQ(count("Promet"), 0);
        EXPECT_EQ(run.reopened, 1);
    }
    // The lock went with the other connection.
    RecordedRun run(March31, March31);
    EXPECT_EQ(run.run().invoicesWritten, 1);
}

// A run killed in the middle of a batch (the process dies: no clean-up of any kind), then run
// again: every due document is in the database exactly once and none half-written.
TEST_F(ReliabilityTest, KilledRunThenRunAgain)
{
    addLongTemplates(12);
    const QString marker = db->scratch().file("killed-run-marker");
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("OBDRAC_CHILD_CONNECT", db->db().connectString());
    env.insert("OBDRAC_CHILD_MARKER", marker);
    env.insert("OBDRAC_DATA_DIR", db->scratch().file("child-data"));
    child.setProcessEnvironment(env);
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_also_run_disabled_tests", "--gtest_filter=GenerationChild.DISABLED_RunUntilKilled"});
    ASSERT_TRUE(child.waitForStarted(30000));
    bool reached = false;
    for (int i = 0; i < 600 && !reached; ++i) {
        reached = QFileInfo::exists(marker);
        if (!reached && child.state() == QProcess::NotRunning)
            break;
        QThread::msleep(100);
    }
    ASSERT_TRUE(reached) << "the child run did not reach its second batch";
    // The second batch has run its statements and waits before its commit.
    EXPECT_GT(count("Promet"), 0);
    child.kill();
    ASSERT_TRUE(child.waitForFinished(30000));
    for (int i = 0; i < 100 && advisoryLocks() > 0; ++i)
        QThread::msleep(100);
    ASSERT_EQ(advisoryLocks(), 0);

    const int written = count("Promet");
    EXPECT_GT(written, 0);
    EXPECT_LT(written, 12);
    EXPECT_EQ(count("PrometPoz"), 3 * written);
    EXPECT_EQ(count("Obdrac", "DatZadFak IS NOT NULL"), written);

    RecordedRun again(March31, March31);
    const GenerationResult r = again.run();
    EXPECT_EQ(r.outcome, GenerationResult::Outcome::Completed);
    EXPECT_EQ(r.invoicesWritten, 12 - written);
    expectEveryTemplateExactlyOnce(12);
}

// The child process of KilledRunThenRunAgain (disabled in the normal run): a run that stops
// before the commit of its second batch and waits to be killed.
TEST(GenerationChild, DISABLED_RunUntilKilled)
{
    const QString connect = qEnvironmentVariable("OBDRAC_CHILD_CONNECT");
    const QString marker = qEnvironmentVariable("OBDRAC_CHILD_MARKER");
    if (connect.isEmpty() || marker.isEmpty())
        GTEST_SKIP() << "runs only as the child process of ReliabilityTest.KilledRunThenRunAgain";
    TDataSif module;
    DataSif = &module;
    module.connectWithAttributes(connect.split(';', Qt::SkipEmptyParts));
    RoundStep = 0.01;
    CurrentUserID = "01";
    RecordedRun run(March31, March31);
    int commits = 0;
    run.callbacks.beforeCommit = [&] {
        if (++commits == 2) {
            QFile f(marker);
            f.open(QIODevice::WriteOnly);
            f.close();
            QThread::sleep(300);
        }
    };
    run.run();
    FAIL() << "the run was not killed";
}

} // namespace
