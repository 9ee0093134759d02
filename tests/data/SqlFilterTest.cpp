#include "DataModuleFixture.h"

#include "data/SqlFilter.h"
#include "data/TableIndexList.h"
#include "data/TableRoutines.h"
#include "data/dataset/TwwOEDataSet.h"

#include <QSignalSpy>

// ---------------------------------------------------------------------------------------------
// Texts only (no database)

namespace {
struct FilterCase {
    QStringList sql;
    const char* where;
    const char* order;
    const char* expected;
};

class FilterTexts : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterTexts, ReplaceWhereAndKeepOrLoseTheOrder)
{
    const FilterCase& c = GetParam();
    TwwOEDataSet ds;
    ds.setName("tbObdrac");
    ds.setSQL(c.sql);
    sqlFilterNoOpen(ds, QString::fromUtf8(c.where), QString::fromUtf8(c.order));
    EXPECT_EQ(ds.SQL(), QStringList{QString::fromUtf8(c.expected)});
    EXPECT_FALSE(ds.Active());
}

INSTANTIATE_TEST_SUITE_P(
    Table, FilterTexts,
    ::testing::Values(
        // the order survives only when the old text had no WHERE
        FilterCase{{"SELECT * FROM Obdrac ORDER BY Kljuc"}, "PoslDog = '10'", "",
                   "SELECT * FROM OBDRAC WHERE PoslDog = '10' ORDER BY KLJUC"},
        FilterCase{{"SELECT * FROM Obdrac WHERE PoslDog = '11' ORDER BY Kljuc"}, "PoslDog = '10'", "",
                   "SELECT * FROM OBDRAC WHERE PoslDog = '10'"},
        FilterCase{{"SELECT * FROM Obdrac WHERE PoslDog = '11' ORDER BY Kljuc"}, "PoslDog = '10'", "Kljuc",
                   "SELECT * FROM OBDRAC WHERE PoslDog = '10' ORDER BY Kljuc"},
        FilterCase{{"SELECT *", "FROM Obdrac", "ORDER BY Kljuc"}, "", "", "SELECT * FROM OBDRAC ORDER BY KLJUC"},
        FilterCase{{"select * from obdrac where x = 1"}, "", "Datum DESC", "SELECT * FROM OBDRAC ORDER BY Datum DESC"},
        FilterCase{{"SELECT *", "FROM Obdrac", "WHERE Aktivno = 'T'", "ORDER BY Kljuc"}, "Subjekt LIKE 'Ž%'", "",
                   "SELECT * FROM OBDRAC WHERE Subjekt LIKE 'Ž%'"},
        FilterCase{{"SELECT * FROM Obdrac"}, "", "", "SELECT * FROM OBDRAC"}));

struct OrderCase {
    QStringList sql;
    const char* order;
    bool changed;
    QStringList expected;
};

class OrderTexts : public ::testing::TestWithParam<OrderCase> {};

TEST_P(OrderTexts, ChangeTheOrderOnlyWhenItIsNotAlreadyThere)
{
    const OrderCase& c = GetParam();
    TwwOEDataSet ds;
    ds.setName("tbObdracPoz");
    ds.setSQL(c.sql);
    EXPECT_EQ(sqlSetOrderNoOpen(ds, QString::fromUtf8(c.order)), c.changed);
    EXPECT_EQ(ds.SQL(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OrderTexts,
    ::testing::Values(
        OrderCase{{"SELECT * FROM ObdracPoz WHERE Kljuc = :Kljuc ORDER BY Kljuc, Poz"}, "Kljuc", false,
                  {"SELECT * FROM ObdracPoz WHERE Kljuc = :Kljuc ORDER BY Kljuc, Poz"}},
        OrderCase{{"SELECT * FROM ObdracPoz WHERE Kljuc = :Kljuc ORDER BY Kljuc, Poz"}, "Poz", true,
                  {"SELECT * FROM OBDRACPOZ WHERE KLJUC = :KLJUC ORDER BY POZ"}},
        OrderCase{{"SELECT * FROM ObdracPoz", "ORDER BY Poz"}, "", true, {"SELECT * FROM OBDRACPOZ"}},
        OrderCase{{"SELECT * FROM Obdrac"}, "subjekt", true, {"SELECT * FROM OBDRAC ORDER BY SUBJEKT"}},
        OrderCase{{"SELECT * FROM Obdrac ORDER BY Kljuc"}, "kljuc", false, {"SELECT * FROM Obdrac ORDER BY Kljuc"}},
        OrderCase{{"SELECT * FROM Obdrac ORDER BY Subjekt, Kljuc"}, "Kljuc", true, {"SELECT * FROM OBDRAC ORDER BY KLJUC"}}));

struct TableCase {
    QStringList sql;
    const char* table;
};

class TableFromSql : public ::testing::TestWithParam<TableCase> {};

TEST_P(TableFromSql, WordAfterFrom)
{
    EXPECT_EQ(sqlGetTableFromSQLMemo(GetParam().sql), QString::fromUtf8(GetParam().table));
}

INSTANTIATE_TEST_SUITE_P(
    Table, TableFromSql,
    ::testing::Values(TableCase{{"SELECT * FROM Obdrac ORDER BY Kljuc"}, "Obdrac"},
                      TableCase{{"SELECT *", "   FROM    ObdracPoz   ", "WHERE Kljuc = :Kljuc"}, "ObdracPoz"},
                      TableCase{{"SELECT * FROM Obdrac G, PoslDog D WHERE G.PoslDog = D.PoslDog"}, "Obdrac"},
                      TableCase{{"SELECT * FROM A,B WHERE x = 1"}, "A"},
                      TableCase{{"SELECT * FROM A,B"}, "A,B"},   // no blank after it: taken whole
                      TableCase{{"SELECT * FROM Param"}, "Param"},
                      TableCase{{"select * from param"}, ""},    // "FROM" in exact case only
                      TableCase{{"SELECT 1"}, ""},
                      TableCase{{"SELECT * FROM"}, ""}));

struct FilterStrCase {
    const char* where;
    const char* field;
    const char* value;
    bool forceAnd;
    const char* expected;
};

class FilterStrings : public ::testing::TestWithParam<FilterStrCase> {};

TEST_P(FilterStrings, OneConditionPerCriterion)
{
    const FilterStrCase& c = GetParam();
    QString where = QString::fromUtf8(c.where);
    MakeFilterStrSQL(where, QString::fromUtf8(c.field), QString::fromUtf8(c.value), c.forceAnd);
    EXPECT_EQ(where, QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FilterStrings,
    ::testing::Values(FilterStrCase{"", "F", "AB%", false, "(F LIKE 'AB%%')"},
                      FilterStrCase{"", "F", "A_C", false, "(F LIKE 'A_C')"},
                      FilterStrCase{"", "F", "O'Neil", false, "(F = 'O''Neil')"},
                      FilterStrCase{"", "F", "50%_x", false, "(F LIKE '50%_x%')"},
                      FilterStrCase{"", "F", "", true, ""},
                      FilterStrCase{"A = 1", "F", "", false, "A = 1"},
                      FilterStrCase{"", "F", "X", true, " AND (F = 'X')"},
                      FilterStrCase{"A = 1", "F", "X", false, "A = 1 AND (F = 'X')"},
                      FilterStrCase{"", "G.Subjekt", "x'; DELETE FROM Promet; --", true,
                                    " AND (G.Subjekt = 'x''; DELETE FROM Promet; --')"},
                      FilterStrCase{"", "G.Subjekt", "Čebelar Žan", false, "(G.Subjekt = 'Čebelar Žan')"}));
} // namespace

TEST(FindKeyConditions, IntegerRealAndTextConditions)
{
    QString w;
    sqlFindKeySetWhereInt(w, "Poz", 5, false, false);
    EXPECT_EQ(w, QString(" (Poz = 5)"));
    sqlFindKeySetWhereReal(w, "Cena", 1234.5, false, true);
    EXPECT_EQ(w, QString(" (Poz = 5) AND (Cena >= 1234.5)"));
    sqlFindKeySetWhereInt(w, "Poz", -3, true, true);   // to wins over from
    EXPECT_EQ(w, QString(" (Poz = 5) AND (Cena >= 1234.5) AND (Poz <= -3)"));

    QString s;
    sqlFindKeySetWhereString(s, "Naziv", "O'Neil", false, false);
    EXPECT_EQ(s, QString(" Naziv = 'O''Neil'"));
    sqlFindKeySetWhereString(s, "Kljuc", "03%", true, false);   // "%": LIKE whatever the flags
    EXPECT_EQ(s, QString(" Naziv = 'O''Neil' AND Kljuc LIKE '03%'"));
    sqlFindKeySetWhereString(s, "Ident", "M", false, true);
    EXPECT_EQ(s, QString(" Naziv = 'O''Neil' AND Kljuc LIKE '03%' AND Ident >= 'M'"));
    QString r;
    sqlFindKeySetWhereReal(r, "Kolicina", 0.00001, false, false);
    EXPECT_EQ(r, QString(" (Kolicina = 1E-5)"));
}

// ---------------------------------------------------------------------------------------------
// On the database

namespace {
class FindAndOrder : public DataModuleTest {
protected:
    static void SetUpTestSuite()
    {
        startSuite("builders_find");
        s_db->psql("SET ROLE obdrac;"
                   "CREATE TABLE Dok (Kljuc varchar(9) PRIMARY KEY, PoslDog varchar(2), Naziv varchar(30), "
                   "Kolicina integer, Cena float, Datum timestamp(3));"
                   "INSERT INTO Dok VALUES "
                   "('031000001', '10', 'ABC d.o.o.', 5, 2.5, '2003-01-10'),"
                   "('031000002', '10', 'O''Neil', 7, 3.5, '2003-02-10 12:00'),"
                   "('031100001', '11', 'Čebelar Žan', 5, 1, '2003-03-10'),"
                   "('041000001', '10', 'abeceda', 9, 10, NULL);");
    }
    static void TearDownTestSuite() { endSuite(); }
    void SetUp() override
    {
        DataModuleTest::SetUp();
        tb.setName("tbDok");
        tb.setDatabaseName("Database");
        tb.sethDbc(&module->Database);
        tb.setSQL(QStringList{"SELECT * FROM Dok", "WHERE PoslDog = '10'", "ORDER BY Kljuc"});
    }
    void TearDown() override
    {
        tb.Close();
        DataModuleTest::TearDown();
    }
    QString key() const { return tb.FieldByName("KLJUC").asString(); }
    TwwOEDataSet tb;
};
} // namespace

TEST_F(FindAndOrder, FilterReopensWithTheNewCondition)
{
    SqlTraceOn = true;
    sqlFilter(tb, "POSLDOG = '11'", "");
    ASSERT_TRUE(tb.Active());
    EXPECT_EQ(tb.RecordCount(), 1);
    EXPECT_EQ(key(), QString("031100001"));
    EXPECT_EQ(errorLogOperations(), (QStringList{"sqlFilterNoOpen", "OpenTable"}));

    sqlFilter(tb, "Naziv = 'ni tega''; DROP TABLE Dok; --'", "");
    EXPECT_TRUE(tb.Active());
    EXPECT_EQ(tb.RecordCount(), 0);
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Dok"), QString("4"));
}

TEST_F(FindAndOrder, FilterWithABadConditionIsLoggedAndLeavesTheDataSetClosed)
{
    sqlFilter(tb, "NiStolpca = 1", "");
    EXPECT_FALSE(tb.Active());
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(errorLogOperations(), QStringList{"OpenTable-tbDok"});
}

TEST_F(FindAndOrder, SetOrderReopensOnlyWhenTheOrderChanges)
{
    ASSERT_TRUE(OpenTable(tb, false));
    QSignalSpy opened(&tb, &TwwOEDataSet::opened);
    sqlSetOrder(tb, "KLJUC");   // already ordered so
    EXPECT_EQ(opened.count(), 0);
    sqlSetOrder(tb, "Naziv");
    EXPECT_EQ(opened.count(), 1);
    EXPECT_EQ(tb.SQL(), QStringList{"SELECT * FROM DOK WHERE POSLDOG = '10' ORDER BY NAZIV"});
    EXPECT_EQ(key(), QString("031000001"));   // "ABC d.o.o." sorts first
    EXPECT_FALSE(tb.ControlsDisabled());
    tb.Close();
    sqlSetOrder(tb, "Naziv");   // closed: opened although unchanged
    EXPECT_TRUE(tb.Active());

    sqlSetOrder(tb, "NiStolpca");   // a bad order: the box of OpenTable, logged, controls enabled
    EXPECT_FALSE(tb.Active());
    EXPECT_FALSE(tb.ControlsDisabled());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(boxes.shown()[0].text.startsWith("Napaka pri odpiranju datoteke: tbDok !"));
    EXPECT_EQ(errorLogOperations(), (QStringList{"OpenTable-tbDok", "sqlSetOrder"}));
}

TEST_F(FindAndOrder, FindLocatesPartialValuesWithoutRegardToCase)
{
    ASSERT_TRUE(OpenTable(tb, false));
    EXPECT_TRUE(sqlFind(tb, "NAZIV", {"ab"}));
    EXPECT_EQ(key(), QString("031000001"));
    EXPECT_TRUE(sqlFind(tb, "PoslDog;Naziv", {"10", "o'n"}));
    EXPECT_EQ(key(), QString("031000002"));
    EXPECT_FALSE(sqlFind(tb, "NAZIV", {"xyz"}));
    EXPECT_FALSE(sqlFind(tb, "NISTOLPCA", {"x"}));
    EXPECT_EQ(errorLogOperations(), QStringList{"sqlFind"});
    EXPECT_FALSE(tb.ControlsDisabled());
}

TEST_F(FindAndOrder, FindKeyRequeriesWithOneConditionPerKey)
{
    SqlTraceOn = true;
    EXPECT_TRUE(sqlFindKey(tb, "Kljuc", {"031100001"}, "", false));
    EXPECT_EQ(tb.SQL(), QStringList{"SELECT * FROM DOK WHERE Kljuc = '031100001'"});
    EXPECT_EQ(key(), QString("031100001"));
    EXPECT_EQ(errorLogOperations().last(), QString("sqlFindKey"));

    EXPECT_TRUE(sqlFindKey(tb, "PoslDog;Kljuc", {"10", "0310%"}, "Kljuc DESC", false));
    EXPECT_EQ(tb.SQL(), QStringList{"SELECT * FROM DOK WHERE PoslDog = '10' AND Kljuc LIKE '0310%' ORDER BY Kljuc DESC"});
    EXPECT_EQ(key(), QString("031000002"));

    EXPECT_TRUE(sqlFindKey(tb, "Kolicina;Cena", {6, 3.0}, "Kljuc", true));
    EXPECT_EQ(tb.SQL(), QStringList{"SELECT * FROM DOK WHERE (Kolicina >= 6) AND (Cena >= 3) ORDER BY Kljuc"});
    EXPECT_EQ(key(), QString("031000002"));

    // a date gives no condition; pairs only as far as both lists go
    EXPECT_TRUE(sqlFindKey(tb, "Datum;Kljuc", {QDate(2003, 1, 10)}, "Kljuc", false));
    EXPECT_EQ(tb.SQL(), QStringList{"SELECT * FROM DOK ORDER BY Kljuc"});
    EXPECT_EQ(key(), QString("031000001"));

    EXPECT_FALSE(sqlFindKey(tb, "Kljuc", {"999999999"}, "", false));
    EXPECT_TRUE(tb.Active());
    EXPECT_TRUE(tb.IsEmpty());
}

TEST_F(FindAndOrder, KeyWithAnApostropheIsFound)
{
    EXPECT_TRUE(sqlFindKey(tb, "Naziv", {"O'Neil"}, "", false));
    EXPECT_EQ(tb.SQL(), QStringList{"SELECT * FROM DOK WHERE Naziv = 'O''Neil'"});
    EXPECT_EQ(key(), QString("031000002"));
    EXPECT_FALSE(sqlFindKey(tb, "Naziv", {"x'; DELETE FROM Dok; --"}, "", false));
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Dok"), QString("4"));
    EXPECT_TRUE(errorLogEntries().empty());
}

TEST_F(FindAndOrder, ExactFindOnTheCurrentRecordDoesNotRequery)
{
    tb.setSQL(QStringList{"SELECT * FROM Dok ORDER BY Kolicina, Kljuc"});
    ASSERT_TRUE(OpenTable(tb, false));
    tb.Next();   // 031100001, Kolicina 5 like the first record
    QSignalSpy opened(&tb, &TwwOEDataSet::opened);
    EXPECT_TRUE(sqlFindKey(tb, "Kolicina", {5}, "", false));
    EXPECT_EQ(opened.count(), 0);
    EXPECT_EQ(key(), QString("031000001"));   // moved to the first record, which matches too
    tb.Last();
    EXPECT_TRUE(sqlFindKey(tb, "Kljuc", {"041000001"}, "", false));
    EXPECT_EQ(opened.count(), 0);
    EXPECT_EQ(key(), QString("041000001"));   // the first does not match: back to the remembered one
}

TEST_F(FindAndOrder, KeyTestInExactAndFromMode)
{
    tb.setSQL(QStringList{"SELECT * FROM Dok ORDER BY Kljuc"});
    EXPECT_FALSE(sqlFindKeyTest(tb, {"KLJUC"}, {"031000001"}, false));   // closed
    ASSERT_TRUE(OpenTable(tb, false));
    EXPECT_TRUE(sqlFindKeyTest(tb, {"KLJUC"}, {"031000001"}, false));
    EXPECT_FALSE(sqlFindKeyTest(tb, {"KLJUC"}, {"031000002"}, false));
    EXPECT_TRUE(sqlFindKeyTest(tb, {"KLJUC"}, {"031000000"}, true));     // field not less than the value
    EXPECT_FALSE(sqlFindKeyTest(tb, {"KLJUC"}, {"031000002"}, true));
    EXPECT_TRUE(sqlFindKeyTest(tb, {"KOLICINA", "CENA"}, {5, 2.5}, false));
    EXPECT_TRUE(sqlFindKeyTest(tb, {"KOLICINA", "CENA"}, {5.0, 2}, true));
    EXPECT_TRUE(sqlFindKeyTest(tb, {"KLJUC", "NAZIV"}, {"0310%"}, false));   // pairs: the smaller count
    EXPECT_TRUE(sqlFindKeyTest(tb, {"KLJUC", "NAZIV"}, {"0310%", "ABC xyz"}, false));   // after "%": 4 characters
    EXPECT_FALSE(sqlFindKeyTest(tb, {"KLJUC", "NAZIV"}, {"0310%", "ABCX"}, false));
    EXPECT_TRUE(sqlFindKeyTest(tb, {"DATUM"}, {"2003/01/10"}, false));
    EXPECT_TRUE(sqlFindKeyTest(tb, {"DATUM"}, {QDate(2003, 1, 10)}, false));
    EXPECT_FALSE(sqlFindKeyTest(tb, {"DATUM"}, {"2003/01/11"}, false));
}
