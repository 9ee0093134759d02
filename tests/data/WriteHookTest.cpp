#include "DataModuleFixture.h"

#include "data/DataSifRoutines.h"
#include "data/core/EAbort.h"
#include "data/odbc/EODBC.h"
#include "data/core/Exception.h"
#include "data/SqlUpdate.h"
#include "data/TableRoutines.h"
#include "data/dataset/TwwOEDataSet.h"

namespace {
class WriteHook : public DataModuleTest {
protected:
    static void SetUpTestSuite()
    {
        startSuite("builders_writehook");
        s_db->psql("SET ROLE obdrac;"
                   "CREATE TABLE Zapis (Kljuc varchar(9) NOT NULL, Poz smallint NOT NULL, Naziv varchar(30), "
                   "Kolicina float, Cena numeric(19,4), Datum timestamp(3), Opomba text, Slika bytea, "
                   "PRIMARY KEY (Kljuc, Poz));"
                   "CREATE TABLE BrezIndeksa (A integer, B varchar(10), C float, M text);"
                   "CREATE TABLE Vezava (Kljuc varchar(9), Opis varchar(10));"
                   "CREATE TABLE Pokvarjen (Kljuc varchar(9) PRIMARY KEY, Opis varchar(10));"
                   "INSERT INTO SintrexIndex (TableName, FieldsName) VALUES ('Zapis', 'Kljuc;Poz'), "
                   "('Vezava', 'Kljuc'), ('Pokvarjen', 'Kljuc;');");
    }
    static void TearDownTestSuite() { endSuite(); }
    void SetUp() override
    {
        sql("TRUNCATE Zapis, BrezIndeksa, Vezava, Pokvarjen;"
            "INSERT INTO Zapis (Kljuc, Poz, Naziv, Kolicina, Cena, Datum) VALUES "
            "('031000001', 5, 'Prvi', 1.5, 10.25, '2003-05-17 10:20:30.250'), ('031000001', 10, 'Drugi', 2, 20, NULL);"
            "INSERT INTO BrezIndeksa VALUES (1, 'ena', 1.5, 'dolgo'), (1, 'dva', 2.5, NULL);"
            "INSERT INTO Vezava VALUES (NULL, 'brez'), ('X', 'iks');"
            "INSERT INTO Pokvarjen VALUES ('A', 'a');");
        DataModuleTest::SetUp();
        setup(tb, "tbZapis", "SELECT * FROM Zapis ORDER BY Kljuc, Poz");
    }
    void TearDown() override
    {
        tb.Close();
        other.Close();
        DataModuleTest::TearDown();
    }
    void setup(TwwOEDataSet& ds, const QString& name, const QString& text)
    {
        ds.setName(name);
        ds.setDatabaseName("Database");
        ds.sethDbc(&module->Database);
        ds.hStmt().setConcurrencyType(4);
        ds.setSQL(text);
        ds.OnUpdateRecord = [this](TwwOEDataSet& d, TUpdateKind kind, bool& apply) {
            module->DataSifUpdateRecord(d, kind, apply);
        };
    }
    // The SQL of the write trace rows.
    QStringList tracedStatements() const
    {
        QStringList out;
        for (const LogEntry& e : errorLogEntries())
            if (e.operation.startsWith("sqlUpdateSQL-Trace-"))
                out << e.senderProp.section("SQL --> ", 1).trimmed();
        return out;
    }

    TwwOEDataSet tb;
    TwwOEDataSet other;
};
} // namespace

TEST_F(WriteHook, InsertWritesEveryFieldEmptyTextsAsEmptyAndEmptyDatesAsNull)
{
    SqlTraceOn = true;
    ASSERT_TRUE(OpenTable(tb, false));
    tb.Insert();
    tb.FieldByName("KLJUC").setAsString("031000002");
    tb.FieldByName("POZ").setAsInteger(5);
    tb.Post();
    EXPECT_EQ(tracedStatements(),
              QStringList{"INSERT INTO Zapis(KLJUC, POZ, NAZIV, KOLICINA, CENA, DATUM, OPOMBA, SLIKA) "
                          "VALUES('031000002', 5, '', 0, 0, NULL, :OPOMBA, :SLIKA)"});
    EXPECT_EQ(sql("SELECT Naziv IS NULL, Naziv, Kolicina, Cena, Datum IS NULL, Opomba IS NULL, Slika IS NULL "
                  "FROM Zapis WHERE Kljuc = '031000002'"),
              QString("f||0|0.0000|t|t|t"));
    const auto rows = errorLogEntries();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0].operation, QString("OpenTable"));
    EXPECT_EQ(rows[1].operation, QString("sqlUpdateSQL-Trace-tbZapis"));
    EXPECT_EQ(rows[1].senderName, QString("THstmt"));
    EXPECT_EQ(rows[1].objectName, QString("UpdateHstmt"));
    EXPECT_TRUE(rows[1].senderProp.startsWith("hDbc --> DatabaseHstmt\r\n"));
}

TEST_F(WriteHook, UpdateWritesOnlyTheChangedFieldsAndFindsTheRecordByItsKeys)
{
    SqlTraceOn = true;
    ASSERT_TRUE(OpenTable(tb, false));
    tb.Edit();
    tb.FieldByName("NAZIV").setAsString("Prvi popravljen");
    tb.FieldByName("DATUM").clear();
    tb.FieldByName("KOLICINA").setAsFloat(0.125);
    tb.Post();
    EXPECT_EQ(tracedStatements(),
              QStringList{"UPDATE Zapis SET NAZIV = 'Prvi popravljen', KOLICINA = 0.125, DATUM = NULL "
                          "WHERE KLJUC  = '031000001' AND POZ  = 5"});
    EXPECT_EQ(sql("SELECT Poz, Naziv, Kolicina, Datum IS NULL FROM Zapis ORDER BY Poz"),
              QString("5|Prvi popravljen|0.125|t\n10|Drugi|2|t"));
}

TEST_F(WriteHook, PostThatChangesNothingExecutesNothing)
{
    SqlTraceOn = true;
    ASSERT_TRUE(OpenTable(tb, false));
    tb.Edit();
    tb.FieldByName("NAZIV").setAsString("Prvi");   // the same value
    bool apply = true;
    EXPECT_FALSE(sqlUpdateSQL(tb, ukModify, apply));
    EXPECT_FALSE(apply);
    tb.Post();
    EXPECT_TRUE(tracedStatements().isEmpty());
    EXPECT_EQ(tb.State(), dsBrowse);
}

TEST_F(WriteHook, DateTimeKeysAndValuesKeepTheirMilliseconds)
{
    setup(other, "tbZapisDatum", "SELECT Kljuc, Poz, Datum, Naziv FROM Zapis WHERE Poz = 5");
    other.Target().TargetTable = "Zapis";
    other.Target().PrimaryCols = QStringList{"KLJUC", "DATUM"};
    SqlTraceOn = true;
    ASSERT_TRUE(OpenTable(other, false));
    other.Edit();
    other.FieldByName("NAZIV").setAsString("po datumu");
    other.Post();
    EXPECT_EQ(tracedStatements(),
              QStringList{"UPDATE Zapis SET NAZIV = 'po datumu' WHERE KLJUC  = '031000001' AND DATUM  = '2003/05/17 10:20:30:250'"});
    EXPECT_EQ(sql("SELECT Naziv FROM Zapis WHERE Poz = 5"), QString("po datumu"));
}

TEST_F(WriteHook, NullKeyIsFoundWithIsNull)
{
    setup(other, "tbVezava", "SELECT * FROM Vezava ORDER BY Opis");
    SqlTraceOn = true;
    ASSERT_TRUE(OpenTable(other, false));
    ASSERT_TRUE(other.FieldByName("KLJUC").isNull());
    other.Edit();
    other.FieldByName("OPIS").setAsString("najden");
    other.Post();
    EXPECT_EQ(tracedStatements(), QStringList{"UPDATE Vezava SET OPIS = 'najden' WHERE KLJUC  IS NULL"});
    EXPECT_EQ(sql("SELECT COALESCE(Kljuc, '-'), Opis FROM Vezava ORDER BY Opis"), QString("X|iks\n-|najden"));
}

TEST_F(WriteHook, MemoAndBlobFieldsAreBoundAsParameters)
{
    ASSERT_TRUE(OpenTable(tb, false));
    const QByteArray picture("\x00\x01\xff'\"\\ :x", 10);
    const QString note = QString::fromUtf8("Čebelar Žan's \"memo\"; :OPOMBA 2003/05/17 10:20:30:250 đ ć");
    tb.Edit();
    tb.FieldByName("OPOMBA").setAsString(note);
    tb.FieldByName("SLIKA").setAsBytes(picture);
    tb.Post();
    EXPECT_EQ(sql("SELECT encode(Slika, 'hex') FROM Zapis WHERE Poz = 5"), QString(picture.toHex()));
    EXPECT_EQ(sql("SELECT Opomba FROM Zapis WHERE Poz = 5"), note);

    // emptied again: NULL
    tb.Edit();
    tb.FieldByName("SLIKA").clear();
    tb.FieldByName("OPOMBA").clear();
    tb.Post();
    EXPECT_EQ(sql("SELECT Slika IS NULL, Opomba IS NULL FROM Zapis WHERE Poz = 5"), QString("t|t"));
    EXPECT_TRUE(errorLogEntries().empty());
}

TEST_F(WriteHook, ApostrophesInKeysAndValuesAreHarmlessText)
{
    ASSERT_TRUE(OpenTable(tb, false));
    const QString key = "O'Neil";
    const QString evil = "x'; DELETE FROM Zapis; --";
    tb.Insert();
    tb.FieldByName("KLJUC").setAsString(key);
    tb.FieldByName("POZ").setAsInteger(1);
    tb.FieldByName("NAZIV").setAsString(evil);
    tb.Post();
    EXPECT_EQ(sql("SELECT Naziv FROM Zapis WHERE Kljuc = 'O''Neil'"), evil);
    tb.Edit();
    tb.FieldByName("NAZIV").setAsString("D'Artagnan");
    tb.Post();
    EXPECT_EQ(sql("SELECT Naziv FROM Zapis WHERE Kljuc = 'O''Neil'"), QString("D'Artagnan"));
    tb.Delete();
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Zapis"), QString("2"));
    EXPECT_TRUE(errorLogEntries().empty());
}

TEST_F(WriteHook, TableWithoutIndexEntryUsesEveryFieldButMemosAsKeys)
{
    setup(other, "tbBrez", "SELECT * FROM BrezIndeksa ORDER BY B");
    SqlTraceOn = true;
    ASSERT_TRUE(OpenTable(other, false));
    other.Edit();   // A=1, B='dva'
    other.FieldByName("B").setAsString("tri");
    other.FieldByName("M").setAsString("novo");
    other.Post();
    EXPECT_EQ(tracedStatements(),
              QStringList{"UPDATE BrezIndeksa SET B = 'tri', M = :M WHERE A  = 1 AND B  = 'dva' AND C  = 2.5"});
    EXPECT_EQ(sql("SELECT A, B, C, M FROM BrezIndeksa ORDER BY B"), QString("1|ena|1.5|dolgo\n1|tri|2.5|novo"));
    other.Delete();
    EXPECT_EQ(sql("SELECT B FROM BrezIndeksa"), QString("ena"));
}

TEST_F(WriteHook, EditedKeyStillFindsItsRecord)
{
    ASSERT_TRUE(OpenTable(tb, false));
    tb.Edit();
    tb.FieldByName("POZ").setAsInteger(10);   // the key of the other line: must not overwrite it
    tb.FieldByName("NAZIV").setAsString("zamenjan");
    EXPECT_THROW(tb.Post(), Exception);        // duplicate key
    EXPECT_EQ(tb.State(), dsEdit);
    tb.FieldByName("POZ").setAsInteger(15);
    tb.Post();
    EXPECT_EQ(sql("SELECT Poz, Naziv FROM Zapis ORDER BY Poz"), QString("10|Drugi\n15|zamenjan"));
}

TEST_F(WriteHook, WriteOfAVanishedRecordFailsInsteadOfReportingSuccess)
{
    ASSERT_TRUE(OpenTable(tb, false));
    sql("DELETE FROM Zapis WHERE Poz = 5;");
    tb.Edit();
    tb.FieldByName("NAZIV").setAsString("izgubljen");
    EXPECT_THROW(tb.Post(), Exception);
    EXPECT_EQ(tb.State(), dsEdit);
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("izgubljen"));
    tb.Cancel();
    EXPECT_THROW(tb.Delete(), Exception);
    EXPECT_EQ(tb.RecordCount(), 2);
}

TEST_F(WriteHook, FailureIsLoggedThreeTimesAndReachesThePost)
{
    ASSERT_TRUE(OpenTable(tb, false));
    tb.Insert();
    tb.FieldByName("KLJUC").setAsString("031000001");
    tb.FieldByName("POZ").setAsInteger(5);   // exists
    try {
        tb.Post();
        FAIL() << "a duplicate key was posted";
    } catch (const EODBC&) {
        FAIL() << "the database error was not turned into a plain exception";
    } catch (const Exception& e) {
        EXPECT_TRUE(e.message().contains("duplicate") || e.message().contains("podvojen")) << e.message().toStdString();
    }
    EXPECT_EQ(tb.State(), dsInsert);
    const auto rows = errorLogEntries();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].operation, QString("HstmtExecute-UpdateHstmt"));
    EXPECT_TRUE(rows[0].error.contains("SQLSTATE 23505")) << rows[0].error.toStdString();
    EXPECT_EQ(rows[1].operation, QString("sqlUpdateSQL"));
    EXPECT_EQ(rows[1].senderName, QString("THstmt"));
    EXPECT_EQ(rows[2].operation, QString("sqlUpdateSQL"));
    EXPECT_EQ(rows[2].senderName, QString("TwwOEDataSet"));
    EXPECT_EQ(rows[2].objectName, QString("tbZapis"));
    EXPECT_FALSE(module->UpdateHstmt.HasResult());
}

TEST_F(WriteHook, IndexEntryEndingInSemicolonMakesEveryWriteFail)
{
    setup(other, "tbPokvarjen", "SELECT * FROM Pokvarjen");
    ASSERT_TRUE(OpenTable(other, false));
    other.Edit();
    other.FieldByName("OPIS").setAsString("b");
    EXPECT_THROW(other.Post(), Exception);
    EXPECT_EQ(other.State(), dsEdit);
    other.Cancel();
    EXPECT_THROW(other.Delete(), Exception);
    other.Insert();
    other.FieldByName("KLJUC").setAsString("B");
    EXPECT_THROW(other.Post(), Exception);
    other.Cancel();
    EXPECT_EQ(sql("SELECT Kljuc, Opis FROM Pokvarjen"), QString("A|a"));
    EXPECT_EQ(errorLogOperations(), (QStringList{"sqlUpdateSQL", "sqlUpdateSQL", "sqlUpdateSQL", "sqlUpdateSQL",
                                                 "sqlUpdateSQL", "sqlUpdateSQL"}));
}

TEST_F(WriteHook, QueryWithoutFromLeavesTheWriteToTheDataSet)
{
    setup(other, "tbMali", "select kljuc, poz, naziv from zapis order by poz");
    ASSERT_TRUE(OpenTable(other, false));
    bool apply = false;
    EXPECT_FALSE(sqlUpdateSQL(other, ukModify, apply));
    EXPECT_TRUE(apply);
    other.Edit();
    other.FieldByName("NAZIV").setAsString("sam");
    other.Post();   // written by the dataset's own writer
    EXPECT_EQ(sql("SELECT Naziv FROM Zapis WHERE Poz = 5"), QString("sam"));
    const auto rows = errorLogEntries();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].operation, QString("sqlUpdateSQL"));
    EXPECT_EQ(rows[0].error, QString("Table FROM ni vpisana tbMali"));
}

TEST_F(WriteHook, TargetNamesTableKeysAndFieldsNeverWritten)
{
    setup(other, "tbCilj", "SELECT Z.Kljuc, Z.Poz, Z.Naziv, Z.Kolicina FROM Zapis Z");
    other.Target() = UpdateTarget::fromStrings({"1", "ZAPIS", "KLJUC;POZ;", "", "NAZIV"});
    SqlTraceOn = true;
    ASSERT_TRUE(OpenTable(other, false));
    other.Insert();
    other.FieldByName("KLJUC").setAsString("041000001");
    other.FieldByName("POZ").setAsInteger(5);
    other.FieldByName("NAZIV").setAsString("ne piše se");
    other.FieldByName("KOLICINA").setAsFloat(3);
    other.Post();
    EXPECT_EQ(tracedStatements(), QStringList{"INSERT INTO ZAPIS(KLJUC, POZ, KOLICINA) VALUES('041000001', 5, 3)"});
    EXPECT_EQ(sql("SELECT Naziv IS NULL, Kolicina FROM Zapis WHERE Kljuc = '041000001'"), QString("t|3"));
}

TEST_F(WriteHook, OtherUpdateKindsAreLeftToTheDataSet)
{
    ASSERT_TRUE(OpenTable(tb, false));
    bool apply = false;
    EXPECT_FALSE(sqlUpdateSQL(tb, static_cast<TUpdateKind>(3), apply));
    EXPECT_TRUE(apply);
}
