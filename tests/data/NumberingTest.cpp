#include "DataModuleFixture.h"

#include "data/DataSifRoutines.h"
#include "data/core/EAbort.h"
#include "data/core/Exception.h"
#include "data/Numbering.h"
#include "data/TableRoutines.h"
#include "data/dataset/TwwOEDataSet.h"

namespace {
class Numbering : public DataModuleTest {
protected:
    static void SetUpTestSuite() { startSuite("builders_numbering"); }
    static void TearDownTestSuite() { endSuite(); }
    void SetUp() override
    {
        sql("TRUNCATE Obdrac, ObdracPoz;");
        DataModuleTest::SetUp();
        tb.setName("tbObdrac");
        tb.setDatabaseName("Database");
        tb.sethDbc(&module->Database);
        tb.hStmt().setConcurrencyType(4);
        tb.setSQL(QStringList{"SELECT * FROM Obdrac", "ORDER BY Kljuc"});
        tb.OnUpdateRecord = [this](TwwOEDataSet& ds, TUpdateKind kind, bool& apply) {
            module->DataSifUpdateRecord(ds, kind, apply);
        };
        tb.OnNewRecord = [](TwwOEDataSet& ds) {
            SetDateOnNew(ds);
        };
        tb.BeforePost = [this](TwwOEDataSet& ds) {
            assigned = TestStevGlavKljuc(ds, "Obdrac", true);
            SetDateOnPost(ds);
        };
    }
    void TearDown() override
    {
        tb.Close();
        DataModuleTest::TearDown();
    }
    void insertTemplate(const QDate& datum, const QString& posldog)
    {
        tb.Insert();
        tb.FieldByName("DATUM").setAsDateTime(QDateTime(datum, QTime(0, 0)));
        tb.FieldByName("POSLDOG").setAsString(posldog);
        tb.FieldByName("SUBJEKT").setAsString("ABC d.o.o.");
        GlavaKljucDefault(tb);
    }

    TwwOEDataSet tb;
    QString assigned;
};
} // namespace

TEST_F(Numbering, FirstKeyOfAYearAndBusinessEventHasCounterOne)
{
    EXPECT_EQ(NovaStevGlavC("Obdrac", "Kljuc", "0310"), QString("031000001"));
    EXPECT_TRUE(errorLogOperations().isEmpty());
}

TEST_F(Numbering, CounterFollowsTheGreatestKeyOfItsOwnPrefix)
{
    sql("INSERT INTO Obdrac (Kljuc, PoslDog) VALUES ('031000099', '10'), ('031000007', '10'), "
        "('031100500', '11'), ('041000900', '10');");
    EXPECT_EQ(NovaStevGlavC("Obdrac", "Kljuc", "0310"), QString("031000100"));
    EXPECT_EQ(NovaStevGlavC("Obdrac", "Kljuc", "0311"), QString("031100501"));
    EXPECT_EQ(NovaStevGlavC("Obdrac", "Kljuc", "0410"), QString("041000901"));
    EXPECT_EQ(NovaStevGlavC("Obdrac", "Kljuc", "0312"), QString("031200001"));
}

TEST_F(Numbering, LastCounterIsGivenAndThePastOneRefused)
{
    sql("INSERT INTO Obdrac (Kljuc, PoslDog) VALUES ('031099998', '10');");
    EXPECT_EQ(NovaStevGlavC("Obdrac", "Kljuc", "0310"), QString("031099999"));
    sql("INSERT INTO Obdrac (Kljuc, PoslDog) VALUES ('031099999', '10');");
    try {
        NovaStevGlavC("Obdrac", "Kljuc", "0310");
        FAIL() << "a tenth digit was accepted";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.message().contains("99999")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("0310")) << e.message().toStdString();
    }
    const QStringList ops = errorLogOperations();
    ASSERT_EQ(ops.size(), 1);
    EXPECT_EQ(ops[0], QString("NovaStevGlavC-Obdrac"));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Numbering, CounterThatIsNoNumberIsLoggedAndRaised)
{
    sql("INSERT INTO Obdrac (Kljuc, PoslDog) VALUES ('0310AB12C', '10');");
    EXPECT_THROW(NovaStevGlavC("Obdrac", "Kljuc", "0310"), Exception);
    EXPECT_EQ(errorLogOperations(), QStringList{"NovaStevGlavC-Obdrac"});
}

TEST_F(Numbering, QueryFailureIsLoggedByEachRoutineAndRaised)
{
    EXPECT_THROW(NovaStevGlavC("NiTabele", "Kljuc", "0310"), Exception);
    const auto rows = errorLogEntries();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].operation, QString("HstmtExecute-qQueryFind"));
    EXPECT_EQ(rows[0].senderName, QString("THstmt"));
    EXPECT_EQ(rows[0].objectName, QString("qQueryFind"));
    EXPECT_EQ(rows[0].exceptObject, QString("EODBC"));
    EXPECT_TRUE(rows[0].error.contains("SQLSTATE 42P01")) << rows[0].error.toStdString();
    EXPECT_TRUE(rows[0].senderProp.contains("SQL --> SELECT MAX(Kljuc) AS MaxValue FROM NiTabele WHERE Kljuc LIKE '0310%'"))
        << rows[0].senderProp.toStdString();
    EXPECT_EQ(rows[1].operation, QString("GetMaxValueInTable-Kljuc-NiTab"));   // cut to 30
    EXPECT_EQ(rows[1].exceptObject, QString("Exception"));
    EXPECT_EQ(rows[2].operation, QString("NovaStevGlavC-NiTabele"));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Numbering, MaximumOfAnEmptyTableIsEmpty)
{
    EXPECT_EQ(GetMaxValueInTable("Kljuc", "Obdrac", ""), QString());
    sql("INSERT INTO Obdrac (Kljuc, PoslDog) VALUES ('031000004', '10'), ('031100001', '11');");
    EXPECT_EQ(GetMaxValueInTable("Kljuc", "Obdrac", ""), QString("031100001"));
    EXPECT_EQ(GetMaxValueInTable("Kljuc", "Obdrac", "PoslDog = '10'"), QString("031000004"));
    EXPECT_FALSE(module->qQueryFind.HasResult());
}

TEST_F(Numbering, NewTemplateGetsItsNumberWhenFirstPosted)
{
    ASSERT_TRUE(OpenTable(tb, false));
    insertTemplate(QDate(2003, 5, 17), "10");
    EXPECT_EQ(tb.FieldByName("KLJUC").asString(), QString("0310?????"));
    tb.Post();
    EXPECT_EQ(assigned, QString("031000001"));
    EXPECT_EQ(tb.FieldByName("KLJUC").asString(), QString("031000001"));
    insertTemplate(QDate(2003, 6, 1), "10");
    tb.Post();
    EXPECT_EQ(assigned, QString("031000002"));
    EXPECT_EQ(sql("SELECT Kljuc, UserZap, UserSpre FROM Obdrac ORDER BY Kljuc"),
              QString("031000001|01|01\n031000002|01|01"));

    // an edit keeps the key and assigns nothing
    tb.Edit();
    tb.FieldByName("SUBJEKT").setAsString("Drugi");
    tb.Post();
    EXPECT_EQ(assigned, QString());
    EXPECT_EQ(sql("SELECT Subjekt FROM Obdrac WHERE Kljuc = '031000002'"), QString("Drugi"));
    EXPECT_TRUE(errorLogOperations().isEmpty());
}

TEST_F(Numbering, DateOfAnotherYearThanTheKeyIsRefused)
{
    sql("INSERT INTO Obdrac (Kljuc, PoslDog, Datum, Subjekt) VALUES ('031000001', '10', '2003-05-17', 'A');");
    ASSERT_TRUE(OpenTable(tb, false));
    tb.Edit();
    tb.FieldByName("DATUM").setAsDateTime(QDateTime(QDate(2004, 1, 2), QTime(0, 0)));
    EXPECT_THROW(tb.Post(), EAbort);
    EXPECT_EQ(boxes.texts(), QStringList{"Letnica datuma mora biti enaka letnici dokumenta!"});
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Error);
    EXPECT_EQ(tb.State(), dsEdit);
    EXPECT_EQ(sql("SELECT to_char(Datum, 'YYYY') FROM Obdrac"), QString("2003"));
    EXPECT_TRUE(errorLogOperations().isEmpty());   // an abort is silent
}

TEST_F(Numbering, PlaceholderKeyOnlyInInsertState)
{
    sql("INSERT INTO Obdrac (Kljuc, PoslDog, Datum) VALUES ('031000001', '10', '2003-05-17');");
    ASSERT_TRUE(OpenTable(tb, false));
    tb.Edit();
    tb.FieldByName("POSLDOG").setAsString("11");
    GlavaKljucDefault(tb);
    EXPECT_EQ(tb.FieldByName("KLJUC").asString(), QString("031000001"));
    tb.Cancel();
    insertTemplate(QDate(2012, 12, 31), "G1");
    EXPECT_EQ(tb.FieldByName("KLJUC").asString(), QString("12G1?????"));
}

TEST_F(Numbering, LinePositionsInSteps)
{
    EXPECT_EQ(NovaStevPozN("ObdracPoz", "031000001", 5), 5);
    sql("INSERT INTO ObdracPoz (Kljuc, Poz) VALUES ('031000001', 5), ('031000001', 10), ('031000002', 50);");
    EXPECT_EQ(NovaStevPozN("ObdracPoz", "031000001", 5), 15);
    EXPECT_EQ(NovaStevPozN("ObdracPoz", "031000002", 10), 60);
    EXPECT_EQ(NovaStevPozN("ObdracPoz", "03'; DELETE FROM ObdracPoz; --", 5), 5);
    EXPECT_EQ(sql("SELECT COUNT(*) FROM ObdracPoz"), QString("3"));
    EXPECT_TRUE(errorLogOperations().isEmpty());

    EXPECT_EQ(NovaStevPozN("NiTabele", "031000001", 5), 0);
    EXPECT_EQ(errorLogOperations().last(), QString("NovaStevPozN-NiTabele"));
}

TEST_F(Numbering, RecordCountOverATableListWithAliases)
{
    sql("INSERT INTO Obdrac (Kljuc, PoslDog, PoslDogFak) VALUES ('03G100001', 'G1', '10'), ('03G100002', 'G1', '11'), "
        "('03G100003', 'G1', 'XX');");
    EXPECT_EQ(GetQueryRecordCount("Obdrac", ""), 3);
    EXPECT_EQ(GetQueryRecordCount("Obdrac G, PoslDog D", "G.PoslDogFak = D.PoslDog AND D.Vrsta = 'F'"), 2);
    EXPECT_EQ(GetQueryRecordCount("Obdrac", "Kljuc LIKE '03G1%'"), 3);
    EXPECT_TRUE(errorLogOperations().isEmpty());
    EXPECT_EQ(GetQueryRecordCount("NiTabele", ""), 0);
    EXPECT_EQ(errorLogOperations(), (QStringList{"HstmtExecute-qQueryFind", "GetQueryRecordCount"}));
}
