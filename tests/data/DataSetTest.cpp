#include "DataTestSupport.h"
#include "data/dataset/DataSetWriter.h"
#include "data/core/EAbort.h"
#include "data/core/EConvertError.h"
#include "data/core/EDatabaseError.h"
#include "data/odbc/EODBC.h"
#include "data/dataset/TwwOEDataSet.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

class DataSet : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        tdb = new TestDatabase("odbc_dataset");
        tdb->psql("SET ROLE obdrac;"
                  "CREATE TABLE Predloga (Kljuc varchar(9) PRIMARY KEY, Naziv varchar(30), Periodika smallint, "
                  "Datum timestamp, Cena float, Aktivno varchar(1) DEFAULT 'T', Vnos varchar(10) DEFAULT 'baza');"
                  "CREATE TABLE PredlogaPoz (Kljuc varchar(9), Poz smallint, Ident varchar(16), Kolicina float, "
                  "PRIMARY KEY (Kljuc, Poz));"
                  "CREATE TABLE BrezKljuca (A integer, B varchar(10));");
    }
    static void TearDownTestSuite()
    {
        delete tdb;
        tdb = nullptr;
    }
    void SetUp() override
    {
        tdb->psql("TRUNCATE Predloga, PredlogaPoz, BrezKljuca;"
                  "INSERT INTO Predloga VALUES ('03AA00001', 'ABC d.o.o.', 30, '2003-01-01', 10.5, 'T', 'x'),"
                  " ('03AA00002', 'Čebelar Žan', 60, '2003-02-01 12:30:00', 20, 'F', 'x'),"
                  " ('03AA00003', 'abeceda', 90, NULL, NULL, 'T', 'x'),"
                  " ('03AA00004', 'Zadnji', 0, NULL, 1, 'T', 'x');"
                  "INSERT INTO PredlogaPoz VALUES ('03AA00001', 5, 'A1', 1), ('03AA00001', 10, 'A2', 2),"
                  " ('03AA00002', 5, 'B1', 3);"
                  "INSERT INTO BrezKljuca VALUES (1, 'ena');");
        configureConnection(db, *tdb);
        db.setName("Database");
        db.setConnected(true);
        tb.setName("tbPredloga");
        tb.setDatabaseName("Database");
        tb.sethDbc(&db);
        tb.hStmt().setConcurrencyType(4);
        tb.setSQL(QStringList{"SELECT * FROM Predloga", "ORDER BY Kljuc"});
    }
    QString sql(const QString& q) { return tdb->psql(q); }

    static TestDatabase* tdb;
    THdbc db;
    TwwOEDataSet tb;
};
TestDatabase* DataSet::tdb = nullptr;

TEST_F(DataSet, OpensWithTypedUpperCaseFieldsAndFetchesForward)
{
    EXPECT_EQ(tb.State(), dsInactive);
    tb.Open();
    EXPECT_TRUE(tb.Active());
    EXPECT_EQ(tb.State(), dsBrowse);
    ASSERT_EQ(tb.FieldCount(), 7);
    EXPECT_EQ(tb.Fields()[0]->FieldName(), QString("KLJUC"));
    EXPECT_EQ(tb.FieldByName("kljuc").dataType(), TFieldType::ftString);
    EXPECT_EQ(tb.FieldByName("KLJUC").size(), 9);
    EXPECT_EQ(tb.FieldByName("PERIODIKA").dataType(), TFieldType::ftSmallint);
    EXPECT_EQ(tb.FieldByName("DATUM").dataType(), TFieldType::ftDateTime);
    EXPECT_EQ(tb.FieldByName("CENA").dataType(), TFieldType::ftFloat);
    EXPECT_EQ(tb.FindField("NITAKEGA"), nullptr);
    EXPECT_THROW(tb.FieldByName("NITAKEGA"), EDatabaseError);

    // rows arrive as the cursor moves
    EXPECT_EQ(tb.rowCount(), 1);
    EXPECT_TRUE(tb.Bof());
    EXPECT_FALSE(tb.Eof());
    EXPECT_EQ(tb.RecNo(), 1);
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("ABC d.o.o."));
    EXPECT_EQ(tb.FieldByName("DATUM").asDateTime(), QDateTime(QDate(2003, 1, 1), QTime(0, 0)));
    EXPECT_DOUBLE_EQ(tb.FieldByName("CENA").asFloat(), 10.5);
    EXPECT_EQ(tb.FieldByName("PERIODIKA").asInteger(), 30);
    tb.Next();
    EXPECT_EQ(tb.rowCount(), 2);
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("Čebelar Žan"));
    tb.Next();
    EXPECT_TRUE(tb.FieldByName("DATUM").isNull());
    EXPECT_FALSE(tb.FieldByName("DATUM").asDateTime().isValid());
    EXPECT_EQ(tb.FieldByName("CENA").asFloat(), 0.0);
    EXPECT_EQ(tb.FieldByName("CENA").asString(), QString());

    QStringList keys;
    for (tb.First(); !tb.Eof(); tb.Next())
        keys << tb.FieldByName("KLJUC").asString();
    EXPECT_EQ(keys, QStringList({"03AA00001", "03AA00002", "03AA00003", "03AA00004"}));
    EXPECT_EQ(tb.RecNo(), 4);
    tb.Prior();
    EXPECT_EQ(tb.RecNo(), 3);
    EXPECT_FALSE(tb.Eof());
    tb.First();
    tb.Prior();
    EXPECT_TRUE(tb.Bof());
    EXPECT_EQ(tb.RecNo(), 1);
    tb.Last();
    EXPECT_TRUE(tb.Eof());
    EXPECT_EQ(tb.FieldByName("KLJUC").asString(), QString("03AA00004"));
    EXPECT_EQ(tb.RecordCount(), 4);
    EXPECT_EQ(tb.MoveBy(-2), -2);
    EXPECT_EQ(tb.RecNo(), 2);

    tb.Close();
    EXPECT_FALSE(tb.Active());
    EXPECT_EQ(tb.FindField("KLJUC"), nullptr);   // fields made from the result go with it
}

TEST_F(DataSet, BookmarksSurviveInsertsAndDeletes)
{
    tb.Open();
    tb.Next();
    const TBookmark second = tb.GetBookmark();
    tb.Last();
    EXPECT_TRUE(tb.BookmarkValid(second));
    ASSERT_TRUE(tb.GotoBookmark(second));
    EXPECT_EQ(tb.FieldByName("KLJUC").asString(), QString("03AA00002"));
    tb.Delete();
    EXPECT_FALSE(tb.BookmarkValid(second));
    tb.First();
    EXPECT_FALSE(tb.GotoBookmark(second));
    EXPECT_EQ(tb.RecNo(), 1);
    TBookmark b = tb.GetBookmark();
    tb.FreeBookmark(b);
    EXPECT_TRUE(b.isNull());
}

TEST_F(DataSet, OwnWriterInsertsUpdatesAndDeletes)
{
    tb.Open();
    tb.Append();
    EXPECT_EQ(tb.State(), dsInsert);
    tb.FieldByName("KLJUC").setAsString("03AA00005");
    tb.FieldByName("NAZIV").setAsString("Novi d'Artagnan");
    tb.FieldByName("PERIODIKA").setAsString("15");
    tb.FieldByName("DATUM").setAsDateTime(QDateTime(QDate(2003, 5, 17), QTime(10, 20, 30, 250)));
    tb.FieldByName("CENA").setAsFloat(1.25);
    tb.Post();
    EXPECT_EQ(tb.State(), dsBrowse);
    EXPECT_EQ(tb.RecNo(), 5);
    EXPECT_EQ(sql("SELECT Naziv, Periodika, Datum, Cena, Aktivno, Vnos FROM Predloga WHERE Kljuc = '03AA00005'"),
              QString("Novi d'Artagnan|15|2003-05-17 10:20:30.25|1.25|T|baza"));
    // values the database assigned show only after a refresh
    EXPECT_TRUE(tb.FieldByName("AKTIVNO").isNull());
    ASSERT_TRUE(tb.Refresh());
    EXPECT_EQ(tb.FieldByName("AKTIVNO").asString(), QString("T"));
    EXPECT_EQ(tb.FieldByName("VNOS").asString(), QString("baza"));

    tb.First();
    tb.Edit();
    EXPECT_EQ(tb.FieldByName("NAZIV").oldValue().toString(), QString("ABC d.o.o."));
    tb.FieldByName("NAZIV").setAsString("Spremenjen čšž");
    tb.FieldByName("CENA").clear();
    EXPECT_EQ(tb.FieldByName("NAZIV").NewValue().toString(), QString("Spremenjen čšž"));
    EXPECT_EQ(tb.FieldByName("NAZIV").oldValue().toString(), QString("ABC d.o.o."));
    tb.Post();
    EXPECT_EQ(sql("SELECT Naziv, coalesce(Cena::text, 'NULL') FROM Predloga WHERE Kljuc = '03AA00001'"),
              QString::fromUtf8("Spremenjen čšž|NULL"));
    EXPECT_EQ(tb.FieldByName("NAZIV").oldValue().toString(), QString("Spremenjen čšž"));

    // a changed key is written over the record as it was read
    tb.Edit();
    tb.FieldByName("KLJUC").setAsString("03AA00009");
    tb.Post();
    EXPECT_EQ(sql("SELECT string_agg(Kljuc, ',' ORDER BY Kljuc) FROM Predloga"),
              QString("03AA00002,03AA00003,03AA00004,03AA00005,03AA00009"));

    tb.Delete();
    EXPECT_EQ(sql("SELECT count(*) FROM Predloga WHERE Kljuc = '03AA00009'"), QString("0"));
    EXPECT_EQ(tb.FieldByName("KLJUC").asString(), QString("03AA00002"));
    EXPECT_EQ(tb.RecordCount(), 4);
}

TEST_F(DataSet, OnUpdateRecordThatClearsApplyUpdateWritesNothingElse)
{
    std::vector<int> kinds;
    tb.OnUpdateRecord = [&](TwwOEDataSet& ds, TUpdateKind kind, bool& apply) {
        EXPECT_EQ(&ds, &tb);
        EXPECT_TRUE(apply);
        kinds.push_back(kind);
        apply = false;
    };
    tb.Open();
    tb.Edit();
    tb.FieldByName("NAZIV").setAsString("Samo v predpomnilniku");
    tb.Post();
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("Samo v predpomnilniku"));
    tb.Insert();
    tb.FieldByName("KLJUC").setAsString("03AA00007");
    tb.Post();
    EXPECT_EQ(tb.RecNo(), 1);
    EXPECT_EQ(tb.FieldByName("KLJUC").asString(), QString("03AA00007"));
    tb.Delete();
    EXPECT_EQ(kinds, std::vector<int>({0, 1, 2}));
    EXPECT_EQ(sql("SELECT Naziv FROM Predloga WHERE Kljuc = '03AA00001'"), QString("ABC d.o.o."));
    EXPECT_EQ(sql("SELECT count(*) FROM Predloga"), QString("4"));
}

TEST_F(DataSet, ApplyUpdateLeftTrueFallsThroughToTheOwnWriter)
{
    int calls = 0;
    tb.OnUpdateRecord = [&](TwwOEDataSet&, TUpdateKind, bool&) { ++calls; };
    tb.Open();
    tb.Edit();
    tb.FieldByName("PERIODIKA").setAsInteger(45);
    tb.Post();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(sql("SELECT Periodika FROM Predloga WHERE Kljuc = '03AA00001'"), QString("45"));
}

TEST_F(DataSet, EventsFireInOrder)
{
    QStringList log;
    tb.OnNewRecord = [&](TwwOEDataSet& ds) {
        log << "OnNewRecord";
        ds.FieldByName("KLJUC").setAsString("03AA00006");
        ds.FieldByName("PERIODIKA").setAsInteger(30);
    };
    tb.BeforePost = [&](TwwOEDataSet& ds) { log << "BeforePost:" + QString::number(ds.State()); };
    tb.OnUpdateRecord = [&](TwwOEDataSet&, TUpdateKind kind, bool&) { log << "OnUpdateRecord:" + QString::number(kind); };
    tb.AfterPost = [&](TwwOEDataSet& ds) { log << "AfterPost:" + QString::number(ds.State()); };
    tb.BeforeDelete = [&](TwwOEDataSet&) { log << "BeforeDelete"; };
    tb.AfterDelete = [&](TwwOEDataSet&) { log << "AfterDelete"; };
    tb.Open();
    tb.Insert();
    EXPECT_EQ(tb.FieldByName("PERIODIKA").asInteger(), 30);
    tb.Post();
    tb.Delete();
    EXPECT_EQ(log, QStringList({"OnNewRecord", "BeforePost:3", "OnUpdateRecord:1", "AfterPost:1", "BeforeDelete",
                                "OnUpdateRecord:2", "AfterDelete"}));
    EXPECT_EQ(sql("SELECT count(*) FROM Predloga WHERE Kljuc = '03AA00006'"), QString("0"));
}

TEST_F(DataSet, AbortInBeforePostOrBeforeDeleteCancelsSilently)
{
    bool abortPost = true;
    tb.BeforePost = [&](TwwOEDataSet&) {
        if (abortPost)
            Abort();
    };
    tb.BeforeDelete = [&](TwwOEDataSet&) { Abort(); };
    tb.Open();
    tb.Edit();
    tb.FieldByName("NAZIV").setAsString("Ne zapiši");
    EXPECT_THROW(tb.Post(), EAbort);
    EXPECT_EQ(tb.State(), dsEdit);
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("Ne zapiši"));
    EXPECT_EQ(sql("SELECT Naziv FROM Predloga WHERE Kljuc = '03AA00001'"), QString("ABC d.o.o."));
    // moving posts first, so the abort also stops the move
    EXPECT_THROW(tb.Next(), EAbort);
    EXPECT_EQ(tb.RecNo(), 1);
    tb.Cancel();
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("ABC d.o.o."));
    EXPECT_THROW(tb.Delete(), EAbort);
    EXPECT_EQ(tb.RecordCount(), 4);
    EXPECT_EQ(sql("SELECT count(*) FROM Predloga"), QString("4"));
    abortPost = false;
}

TEST_F(DataSet, WriteFailureKeepsTheUsersValuesInEditOrInsert)
{
    tb.Open();
    tb.Insert();
    tb.FieldByName("KLJUC").setAsString("03AA00002");   // taken
    tb.FieldByName("NAZIV").setAsString("Dvojnik");
    try {
        tb.Post();
        FAIL() << "duplicate key accepted";
    } catch (const EODBC& e) {
        EXPECT_EQ(e.sqlStateClass(), QString("23"));
    }
    EXPECT_EQ(tb.State(), dsInsert);
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("Dvojnik"));
    tb.FieldByName("KLJUC").setAsString("03AA00008");
    tb.Post();
    EXPECT_EQ(sql("SELECT Naziv FROM Predloga WHERE Kljuc = '03AA00008'"), QString("Dvojnik"));

    // a record that another user deleted: the update finds nothing, which is a failure
    tb.Locate("KLJUC", "03AA00003");
    sql("DELETE FROM Predloga WHERE Kljuc = '03AA00003'");
    tb.Edit();
    tb.FieldByName("NAZIV").setAsString("Izgubljeno");
    EXPECT_THROW(tb.Post(), EDatabaseError);
    EXPECT_EQ(tb.State(), dsEdit);
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("Izgubljeno"));
    tb.Cancel();
    EXPECT_FALSE(tb.Refresh());   // gone from the table; the cache keeps it
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("abeceda"));
}

TEST_F(DataSet, LocatePartialAndCaseInsensitive)
{
    tb.Open();
    EXPECT_TRUE(tb.Locate("NAZIV", "ab", loCaseInsensitive | loPartialKey));
    EXPECT_EQ(tb.FieldByName("KLJUC").asString(), QString("03AA00001"));   // ABC d.o.o.
    EXPECT_TRUE(tb.Locate("NAZIV", "čebelar", loCaseInsensitive | loPartialKey));
    EXPECT_EQ(tb.RecNo(), 2);
    EXPECT_TRUE(tb.Locate("NAZIV", "ab", loPartialKey));   // case matters: "abeceda" only
    EXPECT_EQ(tb.RecNo(), 3);
    EXPECT_FALSE(tb.Locate("NAZIV", "xyz", loCaseInsensitive | loPartialKey));
    EXPECT_EQ(tb.RecNo(), 3);   // not found: the cursor stays
    EXPECT_TRUE(tb.Locate("NAZIV", "abeceda", 0));
    EXPECT_EQ(tb.RecNo(), 3);
    EXPECT_FALSE(tb.Locate("NAZIV", "abec", 0));
    EXPECT_FALSE(tb.Locate("NAZIV", "ABECEDA", 0));
    EXPECT_TRUE(tb.Locate("NAZIV", "ABECEDA", loCaseInsensitive));
    EXPECT_TRUE(tb.Locate("PERIODIKA;AKTIVNO", QVariantList{"60", "f"}, loCaseInsensitive));
    EXPECT_EQ(tb.RecNo(), 2);
    EXPECT_TRUE(tb.Locate("CENA", QVariant(), 0));   // NULL finds NULL
    EXPECT_EQ(tb.RecNo(), 3);
    EXPECT_FALSE(tb.Locate("PERIODIKA", "ni število", 0));
    EXPECT_THROW(tb.Locate("NITAKEGA", "x", 0), EDatabaseError);
}

TEST_F(DataSet, ParametersByNameWithTypes)
{
    tb.setSQL(QStringList{"SELECT Kljuc FROM Predloga", "WHERE Periodika >= :Periodika AND Naziv <> :naziv ORDER BY Kljuc"});
    ASSERT_EQ(tb.Params().Count(), 2);
    tb.ParamByName("PERIODIKA").setAsInteger(60);
    tb.ParamByName("NAZIV").setAsString("Zadnji");
    tb.Open();
    EXPECT_EQ(tb.RecordCount(), 2);
    tb.Close();
    // parameters that stay keep their values when the text changes
    tb.setSQL(QStringList{"SELECT Kljuc FROM Predloga WHERE Periodika >= :PERIODIKA"});
    EXPECT_EQ(tb.ParamByName("Periodika").asInteger(), 60);
    tb.Open();
    EXPECT_EQ(tb.RecordCount(), 2);
    EXPECT_THROW(tb.ParamByName("Naziv"), EDatabaseError);
}

TEST_F(DataSet, DetailReopensWhenTheMastersRecordChanges)
{
    TwwOEDataSet poz;
    poz.setName("tbPredlogaPoz");
    poz.sethDbc(&db);
    poz.setSQL(QStringList{"SELECT * FROM PredlogaPoz WHERE Kljuc = :kljuc ORDER BY Poz"});
    poz.setMasterDataSet(&tb);
    tb.Open();
    poz.Open();
    EXPECT_EQ(poz.RecordCount(), 2);
    EXPECT_EQ(poz.FieldByName("IDENT").asString(), QString("A1"));
    tb.Next();
    EXPECT_EQ(poz.RecordCount(), 1);
    EXPECT_EQ(poz.FieldByName("IDENT").asString(), QString("B1"));
    tb.Next();
    EXPECT_TRUE(poz.IsEmpty());

    // with controls disabled the detail waits for the master to settle
    tb.DisableControls();
    tb.First();
    EXPECT_TRUE(poz.IsEmpty());
    tb.EnableControls();
    EXPECT_EQ(poz.RecordCount(), 2);

    // a detail being edited is posted before the master moves
    poz.Edit();
    poz.FieldByName("KOLICINA").setAsFloat(7);
    tb.Next();
    EXPECT_EQ(sql("SELECT Kolicina FROM PredlogaPoz WHERE Kljuc = '03AA00001' AND Poz = 5"), QString("7"));
    EXPECT_EQ(poz.FieldByName("IDENT").asString(), QString("B1"));

    // a new master record has no lines yet
    tb.Insert();
    tb.FieldByName("KLJUC").setAsString("03AA?????");
    EXPECT_TRUE(poz.IsEmpty());
    tb.Cancel();
    EXPECT_EQ(poz.FieldByName("IDENT").asString(), QString("B1"));

    // a master re-opened (re-sorted) leads the detail again
    tb.Close();
    tb.setSQL(QStringList{"SELECT * FROM Predloga ORDER BY Kljuc DESC"});
    tb.Open();
    EXPECT_TRUE(poz.IsEmpty());   // 03AA00004 has no lines
    tb.Last();
    EXPECT_EQ(poz.RecordCount(), 2);
    poz.setMasterDataSet(nullptr);
}

TEST_F(DataSet, RefreshRereadsOnlyTheCurrentRecord)
{
    tb.Open();
    tb.Next();
    sql("UPDATE Predloga SET Naziv = 'Drugje spremenjen', Periodika = 7 WHERE Kljuc IN ('03AA00001', '03AA00002')");
    ASSERT_TRUE(tb.Refresh());
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("Drugje spremenjen"));
    EXPECT_EQ(tb.FieldByName("PERIODIKA").asInteger(), 7);
    tb.First();
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("ABC d.o.o."));   // as fetched
}

TEST_F(DataSet, WriterFindsTableAndKeysOrSaysWhatIsMissing)
{
    EXPECT_EQ(DataSetWriter::tableAfterFrom("SELECT *\nFROM Obdrac G WHERE x"), QString("OBDRAC"));
    EXPECT_EQ(DataSetWriter::tableAfterFrom("select a from  obdrac"), QString("OBDRAC"));
    EXPECT_EQ(DataSetWriter::tableAfterFrom("SELECT 1"), QString());

    TwwOEDataSet q;
    q.setName("qBrez");
    q.sethDbc(&db);
    q.setSQL(QStringList{"SELECT 1 AS X"});
    q.Open();
    q.Edit();
    q.FieldByName("X").setAsInteger(2);
    try {
        q.Post();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.message(), QString("Unable to determine table name:  set TargetTable property."));
    }
    q.Cancel();
    q.Close();

    q.setSQL(QStringList{"SELECT A, B FROM BrezKljuca"});
    q.Open();
    q.Edit();
    q.FieldByName("B").setAsString("dva");
    try {
        q.Post();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.message(), QString("Unable to determine primary columns:  set PrimaryCols property."));
    }
    EXPECT_EQ(q.State(), dsEdit);
    q.Target().PrimaryCols = QStringList{"A"};
    q.writer().reset();
    q.Post();
    EXPECT_EQ(sql("SELECT B FROM BrezKljuca WHERE A = 1"), QString("dva"));

    // the target descriptor as stored in the forms
    const UpdateTarget t = UpdateTarget::fromStrings({"1", "PARAM", "TSBREZDAVKA;", "", "GLAVA;"});
    EXPECT_EQ(t.TargetTable, QString("PARAM"));
    EXPECT_EQ(t.PrimaryCols, QStringList({"TSBREZDAVKA"}));
    EXPECT_TRUE(t.isIgnored("glava"));
}

TEST_F(DataSet, WriterWritesOnlyTheTablesOwnColumnsOfAJoin)
{
    TwwOEDataSet poz;
    poz.setName("tbPoz");
    poz.sethDbc(&db);
    poz.setSQL(QStringList{"SELECT P.Kljuc, P.Poz, P.Ident, P.Kolicina, D.Naziv, P.Kolicina * 2 AS Dvojno",
                           "FROM PredlogaPoz P JOIN Predloga D ON D.Kljuc = P.Kljuc ORDER BY P.Kljuc, P.Poz"});
    poz.Target().IgnoreCols = QStringList{"IDENT"};
    poz.Open();
    poz.Edit();
    poz.FieldByName("KOLICINA").setAsFloat(9);
    poz.FieldByName("IDENT").setAsString("ZZ");   // never written
    poz.FieldByName("NAZIV").setAsString("ne v to tabelo");
    poz.Post();
    EXPECT_EQ(sql("SELECT Ident, Kolicina FROM PredlogaPoz WHERE Kljuc = '03AA00001' AND Poz = 5"), QString("A1|9"));
    EXPECT_EQ(sql("SELECT Naziv FROM Predloga WHERE Kljuc = '03AA00001'"), QString("ABC d.o.o."));
}

TEST_F(DataSet, FieldRulesConversionsAndCalculatedFields)
{
    TField& label = tb.addField("OPIS", TFieldType::ftString, 40, TFieldKind::fkCalculated);
    TField& cena = tb.addField("CENA", TFieldType::ftFloat);
    cena.setDisplayFormat("#,##0.00");
    cena.setDisplayLabel("Cena");
    tb.OnCalcFields = [](TwwOEDataSet& ds) {
        ds.FieldByName("OPIS").setAsString(ds.FieldByName("KLJUC").asString() + "/" + ds.FieldByName("PERIODIKA").asString());
    };
    tb.Open();
    EXPECT_EQ(tb.FieldCount(), 8);
    EXPECT_EQ(label.index(), 7);
    EXPECT_EQ(&tb.FieldByName("CENA"), &cena);
    EXPECT_EQ(cena.displayLabel(), QString("Cena"));
    EXPECT_EQ(tb.FieldByName("NAZIV").displayLabel(), QString("NAZIV"));
    EXPECT_EQ(label.asString(), QString("03AA00001/30"));
    tb.Next();
    EXPECT_EQ(label.asString(), QString("03AA00002/60"));
    EXPECT_EQ(cena.displayText(), QString("20.00"));
    EXPECT_EQ(tb.FieldByName("DATUM").displayText(), QString("01.02.2003 12:30:00"));

    // values only change in edit or insert state
    EXPECT_THROW(tb.FieldByName("NAZIV").setAsString("x"), EDatabaseError);
    tb.Edit();
    tb.FieldByName("PERIODIKA").setAsString("45");
    EXPECT_EQ(label.asString(), QString("03AA00002/45"));   // recalculated while editing
    EXPECT_THROW(tb.FieldByName("PERIODIKA").setAsString("štirinajst"), EConvertError);
    EXPECT_THROW(tb.FieldByName("PERIODIKA").setAsInteger(70000), EConvertError);
    EXPECT_EQ(tb.FieldByName("PERIODIKA").asInteger(), 45);
    EXPECT_THROW(tb.FieldByName("DATUM").setAsString("32.13.2003"), EConvertError);
    tb.FieldByName("DATUM").setAsString("17.5.2003");
    EXPECT_EQ(tb.FieldByName("DATUM").asDateTime(), QDateTime(QDate(2003, 5, 17), QTime(0, 0)));
    tb.FieldByName("CENA").setAsString("1234,5");
    EXPECT_DOUBLE_EQ(cena.asFloat(), 1234.5);
    EXPECT_EQ(cena.displayText(), QString("1,234.50"));
    EXPECT_TRUE(cena.isModified());
    tb.FieldByName("NAZIV").setAsString("");
    EXPECT_FALSE(tb.FieldByName("NAZIV").isNull());
    tb.FieldByName("KLJUC").setReadOnly(true);
    EXPECT_THROW(tb.FieldByName("KLJUC").setAsString("x"), EDatabaseError);
    tb.FieldByName("KLJUC").setReadOnly(false);
    // user typing goes through OnSetText
    tb.FieldByName("AKTIVNO").OnSetText = [](TField& f, const QString& text) { f.setAsString(text.toUpper()); };
    tb.FieldByName("AKTIVNO").setText("t");
    EXPECT_EQ(tb.FieldByName("AKTIVNO").asString(), QString("T"));
    tb.Post();
    EXPECT_EQ(sql("SELECT Periodika, Datum, Cena, Naziv, Aktivno FROM Predloga WHERE Kljuc = '03AA00002'"),
              QString("45|2003-05-17 00:00:00|1234.5||T"));

    // a declared data field that the query does not return
    tb.Close();
    tb.addField("MANJKA", TFieldType::ftString, 5);
    EXPECT_THROW(tb.Open(), EDatabaseError);
    EXPECT_FALSE(tb.Active());
}

TEST_F(DataSet, SignalsLetAGridAndANavigatorFollow)
{
    QSignalSpy state(&tb, &TwwOEDataSet::stateChanged);
    QSignalSpy current(&tb, &TwwOEDataSet::currentChanged);
    QSignalSpy inserted(&tb, &TwwOEDataSet::rowsInserted);
    QSignalSpy data(&tb, &TwwOEDataSet::dataChanged);
    QSignalSpy layout(&tb, &TwwOEDataSet::layoutChanged);
    QSignalSpy removed(&tb, &TwwOEDataSet::rowRemoved);
    tb.Open();
    EXPECT_EQ(state.count(), 1);
    EXPECT_EQ(state.takeFirst().at(0).toInt(), int(dsBrowse));
    EXPECT_EQ(layout.count(), 1);
    tb.Next();
    EXPECT_EQ(current.last().at(0).toInt(), 1);
    EXPECT_GE(inserted.count(), 2);

    tb.Edit();
    EXPECT_EQ(state.takeLast().at(0).toInt(), int(dsEdit));
    tb.FieldByName("NAZIV").setAsString("Mreža");
    EXPECT_EQ(data.last().at(0).toInt(), 1);
    EXPECT_EQ(data.last().at(1).toInt(), tb.FieldByName("NAZIV").index());
    EXPECT_EQ(tb.valueAt(1, tb.FieldByName("NAZIV").index()).toString(), QString("Mreža"));
    tb.Cancel();
    EXPECT_EQ(tb.valueAt(1, tb.FieldByName("NAZIV").index()).toString(), QString("Čebelar Žan"));

    // a record being inserted shows in its place
    tb.Insert();
    EXPECT_EQ(tb.rowCount(), 3);
    EXPECT_EQ(tb.currentRow(), 1);
    EXPECT_FALSE(tb.valueAt(1, 0).isValid());
    EXPECT_EQ(tb.valueAt(2, 0).toString(), QString("03AA00002"));
    tb.Cancel();
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(tb.rowCount(), 2);

    // nested DisableControls: nothing until the outer EnableControls
    state.clear();
    current.clear();
    layout.clear();
    tb.DisableControls();
    tb.DisableControls();
    tb.Last();
    tb.First();
    tb.EnableControls();
    EXPECT_TRUE(tb.ControlsDisabled());
    EXPECT_EQ(current.count(), 0);
    tb.EnableControls();
    EXPECT_FALSE(tb.ControlsDisabled());
    EXPECT_EQ(layout.count(), 1);
    EXPECT_EQ(current.count(), 1);
    EXPECT_EQ(current.last().at(0).toInt(), 0);
    tb.EnableControls();   // already at zero: nothing
    EXPECT_EQ(layout.count(), 1);
}

TEST_F(DataSet, ClosesWhenItsConnectionCloses)
{
    tb.Open();
    db.setConnected(false);
    EXPECT_FALSE(tb.Active());
    db.setConnected(true);
    tb.Open();
    EXPECT_TRUE(tb.Active());
}

TEST_F(DataSet, EmptyResultAndOperationsOnIt)
{
    tb.setSQL(QStringList{"SELECT * FROM Predloga WHERE 1 = 0"});
    tb.Open();
    EXPECT_TRUE(tb.IsEmpty());
    EXPECT_TRUE(tb.Eof());
    EXPECT_TRUE(tb.Bof());
    EXPECT_EQ(tb.RecNo(), 0);
    EXPECT_TRUE(tb.FieldByName("NAZIV").isNull());
    EXPECT_THROW(tb.Delete(), EDatabaseError);
    EXPECT_FALSE(tb.Refresh());
    tb.Edit();   // an empty dataset inserts
    EXPECT_EQ(tb.State(), dsInsert);
    tb.FieldByName("KLJUC").setAsString("04BB00001");
    tb.Post();
    EXPECT_EQ(tb.RecordCount(), 1);
    EXPECT_EQ(sql("SELECT Aktivno FROM Predloga WHERE Kljuc = '04BB00001'"), QString("T"));
}

TEST_F(DataSet, OutlivesItsConnectionObject)
{
    auto other = std::make_unique<THdbc>();
    configureConnection(*other, *tdb);
    other->setConnected(true);
    TwwOEDataSet q;
    q.setName("qKratko");
    q.sethDbc(other.get());
    q.setSQL(QStringList{"SELECT * FROM Predloga"});
    q.Open();
    q.Edit();
    other.reset();
    EXPECT_FALSE(q.Active());
    EXPECT_EQ(q.hDbc(), nullptr);
    EXPECT_THROW(q.Open(), EDatabaseError);
}

TEST_F(DataSet, NumbersUnderADecimalCommaLocale)
{
    QLocale::setDefault(QLocale(QLocale::Slovenian, QLocale::Slovenia));
    struct Restore {
        ~Restore() { QLocale::setDefault(QLocale::c()); }
    } restore;
    tb.addField("CENA", TFieldType::ftFloat).setDisplayFormat("#,##0.00");
    tb.Open();
    tb.Next();
    TField& cena = tb.FieldByName("CENA");
    EXPECT_EQ(cena.displayText(), QString("20,00"));
    EXPECT_EQ(cena.asString(), QString("20"));
    tb.Edit();
    cena.setAsString("1.234,5");
    EXPECT_EQ(cena.displayText(), QString("1.234,50"));
    EXPECT_EQ(cena.editText(), QString("1234,5"));
    tb.Post();
    EXPECT_EQ(sql("SELECT Cena FROM Predloga WHERE Kljuc = '03AA00002'"), QString("1234.5"));
}

TEST_F(DataSet, LookupFieldsAndFetchingEverythingAtOpen)
{
    TwwOEDataSet look;
    look.setName("tbLook");
    look.sethDbc(&db);
    look.setSQL(QStringList{"SELECT Kljuc, Naziv FROM Predloga ORDER BY Kljuc"});
    look.Open();
    EXPECT_EQ(look.rowCount(), 1);

    TwwOEDataSet poz;
    poz.setName("tbPoz");
    poz.sethDbc(&db);
    poz.setFetchAllOnOpen(true);
    poz.setSQL(QStringList{"SELECT * FROM PredlogaPoz ORDER BY Kljuc, Poz"});
    TField& naziv = poz.addField("NAZIVPREDLOGE", TFieldType::ftString, 30, TFieldKind::fkLookup);
    naziv.LookupDataSet = &look;
    naziv.KeyFields = "KLJUC";
    naziv.LookupKeyFields = "KLJUC";
    naziv.LookupResultField = "NAZIV";
    poz.Open();
    EXPECT_EQ(poz.rowCount(), 3);
    EXPECT_TRUE(poz.allFetched());
    EXPECT_EQ(naziv.asString(), QString("ABC d.o.o."));
    poz.Last();
    EXPECT_EQ(naziv.asString(), QString("Čebelar Žan"));
    EXPECT_EQ(look.RecNo(), 1);   // the look-up table's cursor did not move
}
