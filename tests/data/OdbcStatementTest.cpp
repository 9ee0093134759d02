#include "DataTestSupport.h"
#include "data/core/EConvertError.h"
#include "data/odbc/EODBC.h"
#include "data/odbc/THdbc.h"
#include "data/odbc/THstmt.h"

#include <QRandomGenerator>
#include <clocale>
#include <string>
#include <gtest/gtest.h>
#include <cmath>
#include <memory>

class OdbcStatement : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        tdb = new TestDatabase("odbc_statement");
        tdb->psql("SET ROLE obdrac;"
                  "CREATE TABLE Vrednosti (Kljuc varchar(9) PRIMARY KEY, Naziv varchar(40), Kolicina float, "
                  "Poz smallint, Datum timestamp, Slika bytea, Znesek numeric(19,4), Opomba text);"
                  "INSERT INTO Vrednosti (Kljuc) VALUES ('PRAZNO');"
                  "INSERT INTO Vrednosti VALUES ('POLNO', 'Žličnik', 2.5, 10, '2003-05-17 10:20:30.250', "
                  "'\\x00ff10', 12.3456, 'dolgo besedilo');"
                  "CREATE TABLE Dnevnik (Id integer PRIMARY KEY, Tekst varchar(40));");
    }
    static void TearDownTestSuite()
    {
        delete tdb;
        tdb = nullptr;
    }
    void SetUp() override
    {
        configureConnection(db, *tdb);
        db.setName("Database");
        db.setConnected(true);
    }

    static TestDatabase* tdb;
    THdbc db;
};
TestDatabase* OdbcStatement::tdb = nullptr;

TEST_F(OdbcStatement, ConnectStringInFixedOrderWithoutBraces)
{
    THdbc c;
    c.setDataSource("MSSINTREX");
    c.setUserName("sa");
    c.setPassword("geslo");
    c.setDriver("SQL Server");
    c.setAttributes({"SERVER=strežnik", "DATABASE=Firma"});
    EXPECT_EQ(c.connectString(), QString("DSN=MSSINTREX;UID=sa;PWD=geslo;DRIVER=SQL Server;SERVER=strežnik;DATABASE=Firma;"));
    c.setDataSource("");
    c.setPassword("");
    EXPECT_EQ(c.connectString(), QString("UID=sa;DRIVER=SQL Server;SERVER=strežnik;DATABASE=Firma;"));
    EXPECT_TRUE(c.usesDriverConnect());
    THdbc plain;
    plain.setDataSource("MSSINTREX");
    EXPECT_FALSE(plain.usesDriverConnect());
    plain.setInfoPrompt(1);
    EXPECT_TRUE(plain.usesDriverConnect());
    EXPECT_EQ(plain.IsolationLevel(), 2u);
    EXPECT_EQ(plain.CursorLib(), 2u);
}

TEST_F(OdbcStatement, ConnectsByAttributesAndReportsTheServer)
{
    EXPECT_TRUE(db.Connected());
    EXPECT_EQ(db.dbmsName(), QString("PostgreSQL"));
    EXPECT_EQ(db.dialect().kind(), SqlDialect::Kind::PostgreSQL);
    db.setConnected(false);
    EXPECT_FALSE(db.Connected());
    db.setConnected(true);
    EXPECT_TRUE(db.Connected());
}

TEST_F(OdbcStatement, ConnectsByDataSourceNameWithSqlConnect)
{
    THdbc dsn;
    dsn.setDataSource("MSSINTREX");
    dsn.setUserName("obdrac");
    dsn.setPassword("obdrac");
    ASSERT_FALSE(dsn.usesDriverConnect());
    dsn.setConnected(true);
    THstmt q(&dsn);
    q.ExecDirect("SELECT current_database()");
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsString(1), QString("obdrac_template"));
}

TEST_F(OdbcStatement, WrongPasswordIsAnAuthorizationFailure)
{
    THdbc bad;
    configureConnection(bad, *tdb, "obdrac", "napačno");
    try {
        bad.setConnected(true);
        FAIL() << "connected with a wrong password";
    } catch (const EODBC& e) {
        EXPECT_EQ(e.sqlStateClass(), QString("28")) << e.fullText().toStdString();
        EXPECT_FALSE(e.message().isEmpty());
    }
    EXPECT_FALSE(bad.Connected());
}

TEST_F(OdbcStatement, NullColumnsReadAsEmptyZeroAndTheZeroRecord)
{
    THstmt q(&db);
    q.ExecDirect("SELECT Naziv, Kolicina, Poz, Datum, Slika, Znesek FROM Vrednosti WHERE Kljuc = 'PRAZNO'");
    ASSERT_TRUE(q.FetchNext());
    for (int c = 1; c <= 6; ++c)
        EXPECT_TRUE(q.ColumnIsNull(c)) << c;
    EXPECT_EQ(q.ColumnAsString(1), QString());
    EXPECT_EQ(q.ColumnAsFloat(2), 0.0);
    EXPECT_EQ(q.ColumnAsInteger(3), 0);
    const DateTimeRecord r = q.ColumnAsDateTime(4);
    EXPECT_TRUE(r.isZero());
    EXPECT_THROW(r.toDateTime(), EConvertError);
    EXPECT_TRUE(q.ColumnAsBytes(5).isEmpty());
    EXPECT_EQ(q.ColumnAsFloat(6), 0.0);
    EXPECT_FALSE(q.ColumnValue(1).isValid());
    EXPECT_FALSE(q.FetchNext());
}

TEST_F(OdbcStatement, TypedColumnsInAnyOrderAndMoreThanOnce)
{
    THstmt q(&db);
    q.ExecDirect("SELECT Kljuc, Naziv, Kolicina, Poz, Datum, Znesek, Opomba, COUNT(*) OVER () AS Stevilo "
                 "FROM Vrednosti WHERE Kljuc = 'POLNO'");
    ASSERT_EQ(q.ColCount(), 8);
    EXPECT_EQ(q.ColName(1), QString("KLJUC"));
    EXPECT_EQ(q.ColName(8), QString("STEVILO"));
    EXPECT_EQ(q.ColIndex("kolicina"), 3);
    EXPECT_EQ(q.ColFieldType(4), TFieldType::ftSmallint);
    EXPECT_EQ(q.ColFieldType(5), TFieldType::ftDateTime);
    EXPECT_EQ(q.ColFieldType(6), TFieldType::ftCurrency);
    EXPECT_EQ(q.ColFieldType(7), TFieldType::ftMemo);
    EXPECT_EQ(q.ColFieldType(8), TFieldType::ftLargeint);
    EXPECT_EQ(q.ColBaseTable(2).toLower(), QString("vrednosti"));
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsInteger(8), 1);
    EXPECT_EQ(q.ColumnAsString(2), QString("Žličnik"));   // read after a later column
    EXPECT_DOUBLE_EQ(q.ColumnAsFloat(3), 2.5);
    EXPECT_EQ(q.ColumnAsInteger(4), 10);
    EXPECT_EQ(q.ColumnAsString(4), QString("10"));
    const DateTimeRecord r = q.ColumnAsDateTime(5);
    EXPECT_EQ(r.year, 2003);
    EXPECT_EQ(r.month, 5);
    EXPECT_EQ(r.day, 17);
    EXPECT_EQ(r.second, 30);
    EXPECT_EQ(r.fraction, 250000000u);
    EXPECT_EQ(r.toDateTime(), QDateTime(QDate(2003, 5, 17), QTime(10, 20, 30, 250)));
    EXPECT_EQ(q.ColumnAsString(6), QString("12.3456"));
    EXPECT_DOUBLE_EQ(q.ColumnAsFloat(6), 12.3456);
    EXPECT_EQ(q.ColumnAsString(7), QString("dolgo besedilo"));
    EXPECT_EQ(q.ColumnAsString(1), QString("POLNO"));
    EXPECT_THROW(q.ColumnAsString(9), EODBC);
    EXPECT_FALSE(q.FetchNext());
    q.Close();
    q.Close();   // harmless twice
}

TEST_F(OdbcStatement, ParametersBoundByNameAndTimeLiteralsLeftAlone)
{
    THstmt q(&db);
    q.setSQL("SELECT Naziv, '10:20:30' AS Ura, :Poz + 0 AS P FROM Vrednosti WHERE Kljuc = :kljuc AND Poz = :POZ");
    EXPECT_EQ(q.ParamNames(), QStringList({"Poz", "kljuc"}));
    q.BindParam("KLJUC", "POLNO");
    q.BindParam("poz", 10);
    q.Execute();
    EXPECT_EQ(q.SentText(), QString("SELECT Naziv, '10:20:30' AS Ura, ? + 0 AS P FROM Vrednosti WHERE Kljuc = ? AND Poz = ?"));
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsString(1), QString("Žličnik"));
    EXPECT_EQ(q.ColumnAsString(2), QString("10:20:30"));
    EXPECT_EQ(q.ColumnAsInteger(3), 10);
    q.Close();

    // the same text again with another value
    q.BindParam("Kljuc", "NI");
    q.Execute();
    EXPECT_FALSE(q.FetchNext());
}

TEST_F(OdbcStatement, BadParameterTokenFailsBeforeAnythingIsSent)
{
    THstmt q(&db);
    q.setSQL("UPDATE Vrednosti SET Naziv = 'x' WHERE Kljuc = :");
    try {
        q.Execute();
        FAIL();
    } catch (const EODBC& e) {
        EXPECT_STREQ(e.what(), "Invalid parameter token in SQL statement.");
    }
    EXPECT_EQ(tdb->psql("SELECT count(*) FROM Vrednosti WHERE Naziv = 'x'"), QString("0"));
}

TEST_F(OdbcStatement, MissingParameterValueIsReported)
{
    THstmt q(&db);
    q.setSQL("SELECT * FROM Vrednosti WHERE Kljuc = :Kljuc");
    EXPECT_THROW(q.Execute(), EODBC);
}

TEST_F(OdbcStatement, Utf8TextRoundTrips)
{
    const QString text = QString::fromUtf8("Čšž ČŠŽ đĐ ćĆ — “navedki” €");
    THstmt q(&db);
    q.setSQL("INSERT INTO Dnevnik VALUES (1, :t)");
    q.BindParam("t", text);
    q.Execute();
    q.ExecDirect("INSERT INTO Dnevnik VALUES (2, 'čšž ČŠŽ')");
    q.ExecDirect("SELECT Tekst FROM Dnevnik WHERE Id IN (1, 2) ORDER BY Id");
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsString(1), text);
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsString(1), QString::fromUtf8("čšž ČŠŽ"));
    q.Close();
    EXPECT_EQ(tdb->psql("SELECT Tekst FROM Dnevnik WHERE Id = 2"), QString::fromUtf8("čšž ČŠŽ"));
    q.ExecDirect("SELECT count(*) FROM Dnevnik WHERE Tekst = 'čšž ČŠŽ'");
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsInteger(1), 1);
    q.ExecDirect("DELETE FROM Dnevnik");
}

TEST_F(OdbcStatement, OneMegabyteBlobRoundTrips)
{
    QByteArray blob(1024 * 1024, Qt::Uninitialized);
    auto* rng = QRandomGenerator::global();
    for (auto& b : blob)
        b = char(rng->bounded(256));
    blob[0] = 0;
    blob[1] = '\'';
    blob[2] = '\\';
    THstmt q(&db);
    q.setSQL("UPDATE Vrednosti SET Slika = :Slika WHERE Kljuc = 'PRAZNO'");
    q.Prepare();
    q.BindBlobParam("Slika", blob);
    q.Execute();
    EXPECT_EQ(q.RowCount(), 1);
    q.ExecDirect("SELECT Slika, length(Slika) FROM Vrednosti WHERE Kljuc = 'PRAZNO'");
    ASSERT_TRUE(q.FetchNext());
    const QByteArray back = q.ColumnAsBytes(1);
    EXPECT_EQ(q.ColumnAsInteger(2), blob.size());
    EXPECT_EQ(back.size(), blob.size());
    EXPECT_TRUE(back == blob);
    q.Close();
    // an empty blob is an empty value, not NULL
    q.setSQL("UPDATE Vrednosti SET Slika = :Slika WHERE Kljuc = 'PRAZNO'");
    q.BindBlobParam("Slika", QByteArray(""));
    q.Execute();
    q.ExecDirect("SELECT Slika IS NULL, length(Slika) FROM Vrednosti WHERE Kljuc = 'PRAZNO'");
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsInteger(2), 0);
    q.ExecDirect("UPDATE Vrednosti SET Slika = NULL WHERE Kljuc = 'PRAZNO'");
}

TEST_F(OdbcStatement, MultiStatementTextRunsAllStatements)
{
    THstmt q(&db);
    q.ExecDirect("INSERT INTO Dnevnik VALUES (10, 'a'); INSERT INTO Dnevnik VALUES (11, 'b'); "
                 "UPDATE Dnevnik SET Tekst = 'c' WHERE Id >= 10; ");
    EXPECT_EQ(q.RowCount(), 2);   // of the last statement
    EXPECT_EQ(tdb->psql("SELECT string_agg(Tekst, ',' ORDER BY Id) FROM Dnevnik WHERE Id >= 10"), QString("c,c"));

    // a failing second statement raises, whichever statement fails
    try {
        q.ExecDirect("INSERT INTO Dnevnik VALUES (12, 'd'); INSERT INTO Dnevnik VALUES (10, 'dvojnik'); ");
        FAIL() << "duplicate key not reported";
    } catch (const EODBC& e) {
        EXPECT_EQ(e.sqlStateClass(), QString("23")) << e.fullText().toStdString();
        EXPECT_TRUE(e.statementText().contains("dvojnik"));
    }
    // a failure after a query's rows is raised (by the execution, or at the latest when the fetch
    // reaches the end of the rows; the PostgreSQL driver reports it at once)
    EXPECT_THROW(
        {
            q.ExecDirect("SELECT Tekst FROM Dnevnik WHERE Id = 11; SELECT 1 / 0");
            while (q.FetchNext()) {
            }
        },
        EODBC);
    EXPECT_THROW(q.ExecDirect("UPDATE Dnevnik SET Tekst = 'f' WHERE Id = 11; SELECT 1 / 0"), EODBC);
    // a batch that ends in a query leaves the query's rows
    q.ExecDirect("UPDATE Dnevnik SET Tekst = 'e' WHERE Id = 11; SELECT Tekst FROM Dnevnik WHERE Id = 11");
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsString(1), QString("e"));
    EXPECT_FALSE(q.FetchNext());
    q.ExecDirect("DELETE FROM Dnevnik");
}

TEST_F(OdbcStatement, NoDataIsNoFailure)
{
    THstmt q(&db);
    q.ExecDirect("UPDATE Vrednosti SET Naziv = 'x' WHERE Kljuc = 'NI TAKEGA'");
    EXPECT_EQ(q.RowCount(), 0);
    EXPECT_FALSE(q.HasResult());
    EXPECT_FALSE(q.FetchNext());
}

TEST_F(OdbcStatement, DatabaseErrorCarriesSqlStateAndText)
{
    THstmt q(&db);
    try {
        q.ExecDirect("SELECT * FROM NiTakeTabele");
        FAIL();
    } catch (const EODBC& e) {
        EXPECT_EQ(e.sqlState(), QString("42P01"));
        EXPECT_TRUE(e.message().contains("nitaketabele"));
        EXPECT_EQ(e.statementText(), QString("SELECT * FROM NiTakeTabele"));
    }
    // the statement is usable again
    q.ExecDirect("SELECT 1");
    EXPECT_TRUE(q.FetchNext());
}

TEST_F(OdbcStatement, MillisecondLiteralsOfTheProgramAreAcceptedThroughTheDialect)
{
    THstmt q(&db);
    q.ExecDirect("UPDATE Vrednosti SET Datum = '2004/02/29 23:59:58:7' WHERE Kljuc = 'PRAZNO'");
    EXPECT_EQ(q.SentText(), QString("UPDATE Vrednosti SET Datum = '2004/02/29 23:59:58.007' WHERE Kljuc = 'PRAZNO'"));
    q.ExecDirect("SELECT Datum FROM Vrednosti WHERE Datum = '2004/02/29 23:59:58:7'");
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsDateTime(1).toDateTime(), QDateTime(QDate(2004, 2, 29), QTime(23, 59, 58, 7)));
    q.ExecDirect("UPDATE Vrednosti SET Datum = NULL WHERE Kljuc = 'PRAZNO'");
}

TEST_F(OdbcStatement, StatementsLoseTheirResultWhenTheConnectionCloses)
{
    auto q = std::make_unique<THstmt>(&db);
    q->setConcurrencyType(4);
    q->ExecDirect("SELECT Kljuc FROM Vrednosti ORDER BY Kljuc");
    ASSERT_TRUE(q->FetchNext());
    db.setConnected(false);
    EXPECT_FALSE(q->HasResult());
    EXPECT_FALSE(q->FetchNext());
    EXPECT_THROW(q->Execute(), EODBC);   // not connected
    db.setConnected(true);
    q->Execute();
    EXPECT_TRUE(q->FetchNext());
    {
        auto local = std::make_unique<THdbc>();
        configureConnection(*local, *tdb);
        local->setConnected(true);
        q->sethDbc(local.get());
        q->ExecDirect("SELECT 1");
    }   // the connection goes first
    EXPECT_EQ(q->hDbc(), nullptr);
    EXPECT_THROW(q->ExecDirect("SELECT 1"), EODBC);
}

TEST_F(OdbcStatement, CatalogKeys)
{
    EXPECT_EQ(db.primaryKeyColumns("VREDNOSTI"), QStringList({"KLJUC"}));
    EXPECT_EQ(db.primaryKeyColumns("public.vrednosti"), QStringList({"KLJUC"}));
    EXPECT_TRUE(db.primaryKeyColumns("NiTakeTabele").isEmpty());
}

TEST_F(OdbcStatement, NumbersSurviveAProcessLocaleWithADecimalComma)
{
    // Qt sets the process locale from the environment; a Slovenian desktop has LC_NUMERIC with ","
    const std::string previous = setlocale(LC_ALL, nullptr);
    if (!setlocale(LC_ALL, "sl_SI.UTF-8"))
        GTEST_SKIP() << "locale sl_SI.UTF-8 not installed";
    struct Restore {
        std::string locale;
        ~Restore() { setlocale(LC_ALL, locale.c_str()); }
    } restore{previous};
    THdbc local;
    configureConnection(local, *tdb);
    local.setConnected(true);
    THstmt q(&local);
    q.setSQL("UPDATE Vrednosti SET Kolicina = :k, Znesek = :z WHERE Kljuc = 'PRAZNO'");
    q.BindParam("k", 1234.5);
    q.BindParam("z", 0.0625);
    q.Execute();
    q.ExecDirect("SELECT Kolicina, Znesek, Kolicina * 2 FROM Vrednosti WHERE Kljuc = 'PRAZNO'");
    ASSERT_TRUE(q.FetchNext());
    EXPECT_DOUBLE_EQ(q.ColumnAsFloat(1), 1234.5);
    EXPECT_DOUBLE_EQ(q.ColumnAsFloat(2), 0.0625);
    EXPECT_EQ(q.ColumnAsString(3), QString("2469"));
    q.ExecDirect("UPDATE Vrednosti SET Kolicina = NULL, Znesek = NULL WHERE Kljuc = 'PRAZNO'");
}

// A select list run again under its column shape reads its values as the first time; another
// number of columns under the same key is described anew; setSQL forgets the key; the base table
// of a column is still there when asked for (it is asked of the driver only then).
TEST_F(OdbcStatement, ColumnShapeReusedOnlyForTheSameColumns)
{
    THstmt q(&db);
    for (const char* key : {"PRAZNO", "POLNO", "POLNO"}) {
        q.setSQL(QString("SELECT Naziv, Kolicina, Poz, Datum, Znesek FROM Vrednosti WHERE Kljuc = '%1'").arg(key));
        q.setColumnShape("vrednosti");
        q.Execute();
        ASSERT_TRUE(q.FetchNext()) << key;
        EXPECT_EQ(q.ColName(2), QString("KOLICINA"));
        EXPECT_EQ(q.ColFieldType(4), TFieldType::ftDateTime);
        EXPECT_EQ(q.ColBaseTable(1).toLower(), QString("vrednosti"));
        EXPECT_EQ(q.ColBaseColumn(5), QString("ZNESEK"));
        if (QString(key) == "POLNO") {
            EXPECT_EQ(q.ColumnAsString(1), QString::fromUtf8("Žličnik"));
            EXPECT_EQ(q.ColumnAsFloat(2), 2.5);
            EXPECT_EQ(q.ColumnAsInteger(3), 10);
            EXPECT_EQ(q.ColumnAsDateTime(4).toDateTime(), QDateTime(QDate(2003, 5, 17), QTime(10, 20, 30, 250)));
            EXPECT_EQ(q.ColumnAsString(5), QString("12.3456"));
        } else {
            EXPECT_TRUE(q.ColumnIsNull(1));
        }
    }
    q.setSQL("SELECT Kljuc, Opomba FROM Vrednosti WHERE Kljuc = 'POLNO'");
    q.setColumnShape("vrednosti");
    q.Execute();
    ASSERT_EQ(q.ColCount(), 2);
    EXPECT_EQ(q.ColName(1), QString("KLJUC"));
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsString(2), QString("dolgo besedilo"));
    // Without a key (setSQL forgets it) a different list of as many columns is described anew.
    q.setSQL("SELECT Poz, Naziv FROM Vrednosti WHERE Kljuc = 'POLNO'");
    q.Execute();
    EXPECT_EQ(q.ColName(1), QString("POZ"));
    EXPECT_EQ(q.ColFieldType(1), TFieldType::ftSmallint);
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsInteger(1), 10);
}

// Decimals of every shape read as numbers exactly as their text converts (the plain ones take a
// shorter way than the others).
TEST_F(OdbcStatement, DecimalColumnsReadAsTheirTextConverts)
{
    THstmt q(&db);
    q.ExecDirect("SELECT v, CAST(v AS text) FROM (VALUES (CAST(0.82 AS numeric)), (-12.5), (-0.0), (3), (0.1), "
                 "(123456789.123456789), (99999999999999999999.99999), (-0.000000000000000000123), (1e30), "
                 "(CAST('NaN' AS numeric))) AS t(v) UNION ALL "
                 "SELECT r, CAST(r AS text) FROM (SELECT round(CAST(random() - 0.5 AS numeric) * power(CAST(10 AS numeric), i % 12), i % 9) AS r "
                 "FROM generate_series(1, 3000) AS i) AS s");
    int rows = 0;
    while (q.FetchNext()) {
        const QString text = q.ColumnAsString(2);
        bool ok = false;
        const double expected = text.toDouble(&ok);
        const double read = q.ColumnAsFloat(1);
        if (std::isnan(expected))
            EXPECT_TRUE(std::isnan(read)) << text.toStdString();
        else
            EXPECT_EQ(read, expected) << text.toStdString();
        ++rows;
    }
    EXPECT_EQ(rows, 3010);
}
