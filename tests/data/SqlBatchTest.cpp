#include "DataModuleFixture.h"

#include "data/DataSifRoutines.h"
#include "data/core/EAbort.h"
#include "data/odbc/EODBC.h"
#include "data/core/Money.h"
#include "data/SqlBatch.h"

#include <QDateTime>

TEST(SqlInsertValues, ValuesByKind)
{
    QString buffer = "X; ";
    sqlInsertValues("Vrstica",
                    {"A", 5, "B", qlonglong(7000000000LL), "C", 2.5, "D", QString("O'Neil"), "E", QDate(2003, 5, 17),
                     "F", QDateTime(QDate(2003, 5, 17), QTime(10, 20, 30, 250)), "G", QVariant(), "H", QDate(),
                     "I", QVariant::fromValue(Money::fromCount(12345678)), "J", true, "K", short(-3), "L", 0.00001},
                    buffer);
    EXPECT_EQ(buffer, QString("X; INSERT INTO Vrstica(A,B,C,D,E,F,G,H,I,J,K,L) VALUES (5,7000000000,2.5,'O''Neil',"
                              "'2003/05/17 00:00:00','2003/05/17 10:20:30:250',null,null,1234.5678,null,-3,1E-5); "));
}

TEST(SqlInsertValues, OddPairsAppendNothing)
{
    QString buffer = "X; ";
    sqlInsertValues("Vrstica", {"A", 1, "B"}, buffer);
    EXPECT_EQ(buffer, QString("X; "));
    sqlInsertValues("Vrstica", {}, buffer);   // no pair at all: nothing sensible either
    EXPECT_EQ(buffer, QString("X; INSERT INTO Vrstica() VALUES (); "));
}

// Rows with the same columns one after another share a statement; other columns, a row with an
// odd number of entries and the row-constructor limit start or skip one.
TEST(SqlInsertRows, RowsShareAStatementWhileTheirColumnsAgree)
{
    struct Case {
        const char* what;
        std::vector<QVariantList> rows;
        const char* expected;
    };
    const Case cases[] = {
        {"none", {}, ""},
        {"one row as sqlInsertValues", {{"A", 1, "B", QString("x")}}, "INSERT INTO T(A,B) VALUES (1,'x'); "},
        {"three alike", {{"A", 1}, {"A", 2}, {"A", 3}}, "INSERT INTO T(A) VALUES (1),(2),(3); "},
        {"other columns between",
         {{"A", 1}, {"B", 2}, {"A", 3}},
         "INSERT INTO T(A) VALUES (1); INSERT INTO T(B) VALUES (2); INSERT INTO T(A) VALUES (3); "},
        {"odd row left out", {{"A", 1}, {"A"}, {"A", 2}}, "INSERT INTO T(A) VALUES (1),(2); "},
        {"only odd rows", {{"A"}}, ""},
    };
    for (const Case& c : cases) {
        QString buffer;
        sqlInsertRows("T", c.rows, buffer);
        EXPECT_EQ(buffer, QString(c.expected)) << c.what;
        // Collected row by row, the length is known before the text is written.
        SqlInsertRows rows("T");
        for (const QVariantList& row : c.rows) {
            rows.add(row);
            QString text;
            rows.appendTo(text);
            EXPECT_EQ(rows.length(), text.size()) << c.what;
        }
    }
    std::vector<QVariantList> many(MaxRowsPerInsert + 1, QVariantList{"A", 7});
    QString buffer;
    sqlInsertRows("T", many, buffer);
    EXPECT_EQ(buffer.count("INSERT INTO T(A) VALUES "), 2);
    EXPECT_EQ(buffer.count("(7)"), MaxRowsPerInsert + 1);
    EXPECT_TRUE(buffer.endsWith("VALUES (7); "));
}

TEST(SqlDeleteFromTableSQL, DeleteOrTruncate)
{
    QString buffer;
    EXPECT_TRUE(sqlDeleteFromTableSQL("ObdracPoz", "Kljuc = '031000001'", buffer));
    EXPECT_TRUE(sqlDeleteFromTableSQL("TObdrac", "", buffer));
    EXPECT_EQ(buffer, QString("DELETE FROM ObdracPoz WHERE Kljuc = '031000001'; TRUNCATE TABLE TObdrac; "));
}

namespace {
class Batches : public DataModuleTest {
protected:
    static void SetUpTestSuite()
    {
        startSuite("builders_batches");
        s_db->psql("SET ROLE obdrac; CREATE TABLE Vrstica (A integer, B bigint, C float, D varchar(60), E timestamp(3), "
                   "F timestamp(3), G varchar(5), H timestamp(3), I numeric(19,4), J varchar(1), K smallint, L float, "
                   "Opis text);");
    }
    static void TearDownTestSuite() { endSuite(); }
    void SetUp() override
    {
        sql("TRUNCATE Vrstica;");
        DataModuleTest::SetUp();
    }
    // One INSERT of exactly `length` characters.
    static QString insertOfLength(int length)
    {
        const QString head = "INSERT INTO Vrstica(Opis) VALUES ('";
        const QString tail = "'); ";
        return head + QString(length - head.size() - tail.size(), QLatin1Char('x')) + tail;
    }
};
} // namespace

TEST_F(Batches, RenderedValuesAreAcceptedByTheServer)
{
    QString buffer;
    sqlInsertValues("Vrstica",
                    {"A", 5, "B", qlonglong(7000000000LL), "C", 2.5, "D", QString("O'Neil; DROP TABLE Vrstica; --"),
                     "E", QDate(2003, 5, 17), "F", QDateTime(QDate(2003, 5, 17), QTime(10, 20, 30, 7)), "G", QVariant(),
                     "H", QDate(), "I", QVariant::fromValue(Money::fromCount(-1)), "K", short(-3), "L", 0.00001},
                    buffer);
    EXPECT_TRUE(sqlExecute(buffer, true));
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_EQ(sql("SELECT A, B, C, D, E, F, G IS NULL, H IS NULL, I, K, L FROM Vrstica"),
              QString("5|7000000000|2.5|O'Neil; DROP TABLE Vrstica; --|2003-05-17 00:00:00|2003-05-17 10:20:30.007|t|t|"
                      "-0.0001|-3|1e-05"));
}

TEST_F(Batches, BufferIsSentOnlyPastTheThreshold)
{
    QString buffer = insertOfLength(SqlBatchThreshold);
    ASSERT_EQ(buffer.size(), 8192);
    EXPECT_TRUE(sqlExecute(buffer, false));
    EXPECT_EQ(buffer.size(), 8192);
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Vrstica"), QString("0"));

    buffer += QLatin1Char(' ');
    EXPECT_TRUE(sqlExecute(buffer, false));
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Vrstica"), QString("1"));

    buffer = insertOfLength(100);
    EXPECT_TRUE(sqlExecute(buffer, true));   // forced: sent whatever its length
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Vrstica"), QString("2"));
    EXPECT_TRUE(errorLogEntries().empty());

    EXPECT_TRUE(sqlExecute(buffer, true));   // nothing to send
}

TEST_F(Batches, FailedBatchIsLoggedAndKept)
{
    QString buffer = insertOfLength(200) + "INSERT INTO NiTabele(A) VALUES (1); " + insertOfLength(200);
    const QString kept = buffer;
    EXPECT_FALSE(sqlExecute(buffer, true));
    EXPECT_EQ(buffer, kept);
    // on this server one failing statement keeps none of the batch
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Vrstica"), QString("0"));
    const auto rows = errorLogEntries();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].operation, QString("HstmtExecute-UpdateHstmt"));
    EXPECT_EQ(rows[1].operation, QString("sqlExecute"));
    EXPECT_EQ(rows[1].exceptObject, QString("EODBC"));
    EXPECT_TRUE(rows[1].error.contains("42P01")) << rows[1].error.toStdString();
    EXPECT_FALSE(module->UpdateHstmt.HasResult());
}

TEST_F(Batches, ExecuteBatchTellsExactlyWhetherItFailed)
{
    EXPECT_NO_THROW(executeBatch(insertOfLength(100) + insertOfLength(120)));
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Vrstica"), QString("2"));
    try {
        executeBatch(insertOfLength(100) + "INSERT INTO Vrstica(A) VALUES ('ni število'); ");
        FAIL() << "a failing batch was reported as done";
    } catch (const EODBC& e) {
        EXPECT_EQ(e.sqlStateClass(), QString("22"));
    }
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Vrstica"), QString("2"));
    EXPECT_EQ(errorLogOperations(), QStringList{"HstmtExecute-UpdateHstmt"});

    SqlTraceOn = true;
    executeBatch("TRUNCATE TABLE Vrstica; ");
    EXPECT_EQ(errorLogOperations().last(), QString("HstmtExecute"));
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Vrstica"), QString("0"));
}

TEST_F(Batches, DeleteFromTableDeletesOrTruncatesAtOnce)
{
    sql("INSERT INTO Vrstica (A, D) VALUES (1, 'O''Neil'), (2, 'b'), (3, 'c');");
    EXPECT_TRUE(sqlDeleteFromTable("Vrstica", "D = 'O''Neil'"));
    EXPECT_EQ(sql("SELECT A FROM Vrstica ORDER BY A"), QString("2\n3"));
    EXPECT_TRUE(sqlDeleteFromTable("Vrstica", ""));
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Vrstica"), QString("0"));
    EXPECT_TRUE(errorLogEntries().empty());
}

TEST_F(Batches, FailedDeleteAbortsSilently)
{
    EXPECT_THROW(sqlDeleteFromTable("NiTabele", "A = 1"), EAbort);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(errorLogOperations(), (QStringList{"HstmtExecute-UpdateHstmt", "sqlExecute", "sqlDeleteFromTable"}));
}
