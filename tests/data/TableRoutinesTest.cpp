#include "DataModuleFixture.h"

#include "data/core/EAbort.h"
#include "data/odbc/EODBC.h"
#include "data/core/Exception.h"
#include "data/log/OdbcErrorLog.h"
#include "data/TableRoutines.h"
#include "data/dataset/TwwOEDataSet.h"

#include <QSignalSpy>

namespace {
class TableRoutines : public DataModuleTest {
protected:
    static void SetUpTestSuite()
    {
        startSuite("builders_tableroutines");
        s_db->psql("SET ROLE obdrac; CREATE TABLE Beleg (Kljuc varchar(9) PRIMARY KEY, Opis varchar(30), "
                   "DatumZap timestamp(3), UserZap varchar(2), DatumSpre timestamp(3), UserSpre varchar(2));"
                   "INSERT INTO SintrexIndex (TableName, FieldsName) VALUES ('Beleg', 'Kljuc');");
    }
    static void TearDownTestSuite() { endSuite(); }
    void SetUp() override
    {
        sql("TRUNCATE Beleg; INSERT INTO Beleg (Kljuc, Opis) VALUES ('A', 'prvi'), ('B', 'drugi');");
        DataModuleTest::SetUp();
        setup(tb, "tbBeleg", "SELECT * FROM Beleg ORDER BY Kljuc");
        setup(missing, "tbManjka", "SELECT * FROM Manjka");
    }
    void setup(TwwOEDataSet& ds, const QString& name, const QString& text)
    {
        ds.setName(name);
        ds.setDatabaseName("Database");
        ds.sethDbc(&module->Database);
        ds.setSQL(text);
        ds.OnUpdateRecord = [this](TwwOEDataSet& d, TUpdateKind kind, bool& apply) {
            module->DataSifUpdateRecord(d, kind, apply);
        };
    }
    void TearDown() override
    {
        tb.Close();
        missing.Close();
        DataModuleTest::TearDown();
    }
    TwwOEDataSet tb;
    TwwOEDataSet missing;
};
} // namespace

TEST_F(TableRoutines, OpenTableOpensOnceAndTracesOnlyWhenAsked)
{
    EXPECT_TRUE(OpenTable(tb, true));
    EXPECT_TRUE(tb.Active());
    EXPECT_TRUE(OpenTable(tb, false));   // already open
    EXPECT_TRUE(errorLogEntries().empty());
    tb.Close();
    SqlTraceOn = true;
    EXPECT_TRUE(OpenTable(tb, false));
    const auto rows = errorLogEntries();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].operation, QString("OpenTable"));
    EXPECT_EQ(rows[0].exceptObject, QString());
    EXPECT_EQ(rows[0].error, QString());
    EXPECT_EQ(rows[0].senderName, QString("TwwOEDataSet"));
    EXPECT_EQ(rows[0].objectName, QString("tbBeleg"));
    EXPECT_EQ(rows[0].senderProp, QString("DatabaseName --> Database\r\nTableName --> \r\nhDbc --> Database\r\n"
                                          "SQL --> SELECT * FROM Beleg ORDER BY Kljuc\r\n"));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(TableRoutines, MissingTableWithoutMessagesIsLoggedAndGivesFalse)
{
    EXPECT_FALSE(OpenTable(missing, false));
    EXPECT_FALSE(missing.Active());
    EXPECT_TRUE(boxes.shown().empty());
    const auto rows = errorLogEntries();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].operation, QString("OpenTable-tbManjka"));
    EXPECT_EQ(rows[0].exceptObject, QString("EODBC"));
    EXPECT_TRUE(rows[0].error.contains("SQLSTATE 42P01")) << rows[0].error.toStdString();
}

TEST_F(TableRoutines, MissingTableWithMessagesShowsOneBoxAndRaises)
{
    try {
        OpenTable(missing, true);
        FAIL() << "OpenTable with messages returned";
    } catch (const EODBC&) {
        FAIL() << "the database error travelled on unchanged";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.message().contains("manjka")) << e.message().toStdString();
    }
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Error);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("Napaka pri odpiranju datoteke: tbManjka !\r\n"))
        << boxes.shown()[0].text.toStdString();
    EXPECT_EQ(errorLogOperations(), QStringList{"OpenTable-tbManjka"});
}

TEST_F(TableRoutines, AbortInAnOpenEventStaysSilent)
{
    tb.AfterOpen = [](TwwOEDataSet&) { Abort(); };
    EXPECT_FALSE(OpenTable(tb, false));
    tb.Close();
    EXPECT_THROW(OpenTable(tb, true), EAbort);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(errorLogEntries().empty());
}

TEST_F(TableRoutines, ReOpenReadsTheTableAgainAndEnablesControls)
{
    ASSERT_TRUE(OpenTable(tb, false));
    sql("UPDATE Beleg SET Opis = 'spremenjen' WHERE Kljuc = 'A';");
    QSignalSpy enabled(&tb, &TwwOEDataSet::controlsEnabled);
    EXPECT_TRUE(ReOpenTable(tb, true));
    EXPECT_EQ(tb.FieldByName("OPIS").asString(), QString("spremenjen"));
    EXPECT_EQ(enabled.count(), 1);
    EXPECT_FALSE(tb.ControlsDisabled());

    EXPECT_FALSE(ReOpenTable(missing, true));
    EXPECT_FALSE(missing.ControlsDisabled());
    EXPECT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(errorLogOperations(), (QStringList{"OpenTable-tbManjka", "ReOpenTable"}));
}

TEST_F(TableRoutines, RefreshReadsTheCurrentRecordAgain)
{
    ASSERT_TRUE(OpenTable(tb, false));
    tb.Next();
    sql("UPDATE Beleg SET Opis = 'nov' WHERE Kljuc = 'B';");
    TableRefresh(tb);
    EXPECT_EQ(tb.FieldByName("KLJUC").asString(), QString("B"));
    EXPECT_EQ(tb.FieldByName("OPIS").asString(), QString("nov"));
    tb.Close();
    TableRefresh(tb);   // closed: nothing
    EXPECT_TRUE(errorLogEntries().empty());
}

TEST_F(TableRoutines, ExecuteFailureWithAndWithoutMessages)
{
    THstmt& q = module->qQuery0;
    q.setSQL("SELECT * FROM Manjka");
    EXPECT_THROW(HstmtExecute(q, false), Exception);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_THROW(HstmtExecute(q, true), Exception);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("Napaka pri odpiranju datoteke: qQuery0 !\r\n"));
    const auto rows = errorLogEntries();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].operation, QString("HstmtExecute-qQuery0"));
    EXPECT_EQ(rows[0].senderName, QString("THstmt"));
    EXPECT_EQ(rows[0].senderProp, QString("hDbc --> Database\r\nSQL --> SELECT * FROM Manjka\r\n"));

    SqlTraceOn = true;
    q.Close();
    q.setSQL("SELECT 1");
    EXPECT_TRUE(HstmtExecute(q, false));
    q.Close();
    EXPECT_EQ(errorLogOperations().last(), QString("HstmtExecute"));
}

TEST_F(TableRoutines, OdbcFailuresCarryTheirDiagnosticsInTheLog)
{
    EODBC e({{"23505", 7, "duplicate key"}, {"", 0, "Unable to Retrieve ODBC Error"}});
    EXPECT_EQ(odbcErrorLogText(e), QString("duplicate key [SQLSTATE 23505, native 7]"));
    EODBC plain({{"", 0, "No Data Found"}});
    EXPECT_EQ(odbcErrorLogText(plain), QString("No Data Found"));
    EXPECT_EQ(describeException(e).className, QString("EODBC"));
}

TEST_F(TableRoutines, AuditFieldsOfNewAndChangedRecords)
{
    tb.OnNewRecord = [](TwwOEDataSet& ds) { SetDateOnNew(ds); };
    tb.BeforePost = [](TwwOEDataSet& ds) { SetDateOnPost(ds); };
    ASSERT_TRUE(OpenTable(tb, false));
    CurrentUserID = "07";
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    tb.Insert();
    tb.FieldByName("KLJUC").setAsString("C");
    EXPECT_EQ(tb.FieldByName("USERZAP").asString(), QString("07"));
    EXPECT_GE(tb.FieldByName("DATUMZAP").asDateTime(), before);
    tb.Post();
    EXPECT_EQ(sql("SELECT UserZap, UserSpre, DatumZap IS NOT NULL, DatumSpre >= DatumZap FROM Beleg WHERE Kljuc = 'C'"),
              QString("07|07|t|t"));

    // a dataset without the audit fields: logged, the post goes on
    missing.setSQL("SELECT Kljuc FROM Beleg");
    missing.BeforePost = [](TwwOEDataSet& ds) { SetDateOnPost(ds); };
    ASSERT_TRUE(OpenTable(missing, false));
    missing.Edit();
    missing.FieldByName("KLJUC").setAsString("D");
    missing.Post();
    EXPECT_EQ(errorLogOperations(), QStringList{"SetDateOnPost"});
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Beleg WHERE Kljuc = 'D'"), QString("1"));
}

TEST_F(TableRoutines, LocalTablesOpenWithTheSameMessages)
{
    LocalTable napaka("VektorDataTemp", "TObdracNapaka");
    EXPECT_FALSE(OpenTable(napaka, "tbNapaka", false));   // its database is not connected
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(errorLogOperations(), QStringList{"OpenTable-tbNapaka"});
    EXPECT_THROW(OpenTable(napaka, "tbNapaka", true), Exception);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("Napaka pri odpiranju datoteke: tbNapaka !\r\n"));

    module->DatabaseTemp.connect();
    defineTObdracNapaka(napaka);
    napaka.createTable();
    EXPECT_TRUE(OpenTable(napaka, "tbNapaka", true));
    EXPECT_TRUE(napaka.isOpen());
    napaka.append();
    napaka.setValue("Kljuc", "031000001");
    napaka.setValue("Kolicina", 2.5);
    napaka.post();
    EXPECT_EQ(napaka.asInteger("ZapSt"), 1);
    EXPECT_EQ(napaka.indexDefs().size(), 1);
    EXPECT_EQ(napaka.fieldDefs().size(), 9);
}
