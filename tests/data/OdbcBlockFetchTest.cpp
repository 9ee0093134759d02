// Rows fetched in blocks into bound buffers read the same as values asked for one at a time.
#include "DataTestSupport.h"
#include "data/odbc/EODBC.h"
#include "data/odbc/THdbc.h"
#include "data/odbc/THstmt.h"

#include <gtest/gtest.h>
#include <exception>

namespace {
// Everything a caller can read of one cell; columns read last to first and then again, so that
// the order and repetition of reads are covered too.
struct CellSeen {
    bool isNull = false;
    QString text;
    QVariant value;
    QString number;   // ColumnAsFloat and ColumnAsLargeInt, or the failure they give
    DateTimeRecord dateTime;
    bool operator==(const CellSeen&) const = default;
};

struct Read {
    std::vector<std::vector<CellSeen>> rows;
    int rowsFromBlocks = 0;
};

QString numbersOf(THstmt& q, int n)
{
    try {
        return QString::number(q.ColumnAsFloat(n), 'g', 17) + " " + QString::number(q.ColumnAsLargeInt(n));
    } catch (const std::exception& e) {
        return QString("fails: ") + typeid(e).name();
    }
}

Read readAll(THstmt& q, int maxRows = -1)
{
    Read r;
    while ((maxRows < 0 || int(r.rows.size()) < maxRows) && q.FetchNext()) {
        if (q.RowFromBlock())
            ++r.rowsFromBlocks;
        std::vector<CellSeen> row(size_t(q.ColCount()));
        for (int pass = 0; pass < 2; ++pass)
            for (int n = q.ColCount(); n >= 1; --n) {
                CellSeen c;
                c.isNull = q.ColumnIsNull(n);
                c.text = q.ColumnAsString(n);
                c.value = q.ColumnValue(n);
                c.number = numbersOf(q, n);
                if (q.ColFieldType(n) == TFieldType::ftDateTime || q.ColFieldType(n) == TFieldType::ftDate)
                    c.dateTime = q.ColumnAsDateTime(n);
                if (pass == 1) {
                    EXPECT_EQ(c, row[size_t(n - 1)]) << "column " << n << " read again";
                }
                row[size_t(n - 1)] = c;
            }
        r.rows.push_back(std::move(row));
    }
    return r;
}

Read readWith(THdbc& db, const QString& sql, bool blocks)
{
    THstmt q(&db);
    q.setBlockFetch(blocks);
    q.ExecDirect(sql);
    return readAll(q);
}

void expectSameRows(const Read& blocks, const Read& single)
{
    ASSERT_EQ(blocks.rows.size(), single.rows.size());
    for (size_t i = 0; i < single.rows.size(); ++i)
        for (size_t n = 0; n < single.rows[i].size(); ++n) {
            const CellSeen& b = blocks.rows[i][n];
            const CellSeen& s = single.rows[i][n];
            EXPECT_EQ(b.value, s.value) << "row " << i << " column " << n + 1;
            EXPECT_EQ(b.value.typeId(), s.value.typeId()) << "row " << i << " column " << n + 1;
            EXPECT_TRUE(b == s) << "row " << i << " column " << n + 1 << ": " << b.text.toStdString() << " / "
                                << s.text.toStdString();
        }
}
} // namespace

class OdbcBlockFetch : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        tdb = new TestDatabase("odbc_block_fetch");
        // 150 rows: the first alone, then two full blocks and part of a third; every fifth value NULL
        tdb->psql("SET ROLE obdrac;"
                  "CREATE TABLE Vrstice (Id integer PRIMARY KEY, Kljuc varchar(9), Naziv varchar(40), "
                  "Oznaka char(3), Kolicina float, Cena real, Poz smallint, Stevilo bigint, "
                  "Znesek numeric(19,4), Datum timestamp(3), Dan date, Ura time, Potrjen boolean, "
                  "Opomba text, Slika bytea);"
                  "INSERT INTO Vrstice SELECT g, CASE WHEN g % 5 = 1 THEN NULL ELSE 'K' || g END, "
                  "CASE WHEN g % 5 = 2 THEN NULL WHEN g % 7 = 0 THEN '' ELSE 'Čevljar Žiga Šuštar ' || g END, "
                  "CASE WHEN g % 5 = 3 THEN NULL ELSE 'ž' END, "
                  "CASE WHEN g % 5 = 4 THEN NULL ELSE g * 1.25 - 40 END, g / 3.0, "
                  "CASE WHEN g % 5 = 0 THEN NULL ELSE g - 75 END, 9007199254740993 * (g % 3 - 1), "
                  "CASE WHEN g % 5 = 1 THEN NULL ELSE (g * 12345.6789 - 500000)::numeric(19,4) END, "
                  "CASE WHEN g % 5 = 2 THEN NULL ELSE TIMESTAMP '2003-05-17 10:20:30.250' + g * INTERVAL '1 day 1 ms' END, "
                  "DATE '2026-12-31' - g, CASE WHEN g % 5 = 3 THEN NULL ELSE TIME '23:59:59' - g * INTERVAL '1 minute' END, "
                  "CASE WHEN g % 5 = 4 THEN NULL ELSE g % 2 = 0 END, repeat('dolgo ž ', g), '\\x00ff'::bytea "
                  "FROM generate_series(1, 150) g;");
    }
    static void TearDownTestSuite()
    {
        delete tdb;
        tdb = nullptr;
    }
    void SetUp() override { connectTo(db, *tdb); }

    static TestDatabase* tdb;
    THdbc db;
};
TestDatabase* OdbcBlockFetch::tdb = nullptr;

TEST_F(OdbcBlockFetch, ValuesEqualThoseReadOneAtATime)
{
    struct Case {
        const char* name;
        const char* sql;
        int rows;
        bool blocks;   // whether rows after the first come from blocks
    };
    const Case cases[] = {
        {"every bound type, NULLs and č/š/ž over three blocks",
         "SELECT Id, Kljuc, Naziv, Oznaka, Kolicina, Cena, Poz, Stevilo, Znesek, Datum, Dan, Ura, Potrjen "
         "FROM Vrstice ORDER BY Id",
         150, true},
        {"numbers as texts and decimals of no declared size",
         "SELECT Znesek / 3 AS Tretjina, Znesek * 1000000000000 AS Velik, CAST(Id AS varchar(5)) AS Besedilo, "
         "CAST(-0.5 AS numeric(3,2)) AS Pol, CAST(1e300 AS float) AS Ogromno FROM Vrstice ORDER BY Id",
         150, true},
        {"texts longer than the column is described are read whole",
         "SELECT Id, CAST(repeat('žaba', Id * 3) AS varchar) AS Dolgo FROM Vrstice ORDER BY Id", 150, true},
        {"a long text column keeps the result on single values",
         "SELECT Id, Opomba FROM Vrstice ORDER BY Id", 150, false},
        {"a binary column keeps the result on single values", "SELECT Id, Slika FROM Vrstice ORDER BY Id", 150,
         false},
        {"one row", "SELECT Id, Naziv FROM Vrstice WHERE Id = 3", 1, false},
        {"the first row and exactly one block", "SELECT Id, Naziv FROM Vrstice WHERE Id <= 65 ORDER BY Id", 65, true},
        {"empty result", "SELECT Id, Naziv FROM Vrstice WHERE Id < 0", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Read single = readWith(db, c.sql, false);
        const Read blocks = readWith(db, c.sql, true);
        ASSERT_EQ(int(single.rows.size()), c.rows);
        EXPECT_EQ(single.rowsFromBlocks, 0);
        EXPECT_EQ(blocks.rowsFromBlocks, c.blocks ? c.rows - 1 : 0);
        expectSameRows(blocks, single);
    }
    // the texts themselves, not only their agreement
    const Read r = readWith(db, "SELECT Naziv, CAST(repeat('žaba', Id * 3) AS varchar), Znesek FROM Vrstice "
                                "WHERE Id IN (1, 100) ORDER BY Id", true);
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[1][0].text, QString("Čevljar Žiga Šuštar 100"));
    EXPECT_EQ(r.rows[1][1].text, QString("žaba").repeated(300));
    EXPECT_EQ(r.rows[1][2].text, QString("734567.8900"));
}

TEST_F(OdbcBlockFetch, CloseInTheMiddleAndRunAgainOnTheSameStatement)
{
    const QString sql = "SELECT Id, Naziv, Znesek, Datum FROM Vrstice ORDER BY Id";
    const Read whole = readWith(db, sql, false);
    THstmt q(&db);
    q.setSQL(sql);
    q.Execute();
    const Read part = readAll(q, 100);
    ASSERT_EQ(part.rows.size(), 100u);
    EXPECT_EQ(part.rowsFromBlocks, 99);
    q.Close();
    q.Execute();
    expectSameRows(readAll(q), whole);
    // A result that cannot be bound, then a bound one again, on the same handle.
    q.Close();
    q.setSQL("SELECT Id, Opomba FROM Vrstice ORDER BY Id");
    q.Execute();
    const Read texts = readAll(q, 80);
    EXPECT_EQ(texts.rowsFromBlocks, 0);
    ASSERT_EQ(texts.rows.size(), 80u);
    EXPECT_EQ(texts.rows[79][1].text, QString("dolgo ž ").repeated(80));
    q.setSQL(sql);
    q.Execute();
    expectSameRows(readAll(q), whole);
    EXPECT_FALSE(q.FetchNext());
    EXPECT_THROW(q.ColumnAsString(1), EODBC);
}

TEST_F(OdbcBlockFetch, ConcurrencyDoesNotMatterButScrollableCursorsKeepSingleValues)
{
    const QString sql = "SELECT Id, Naziv, Znesek FROM Vrstice ORDER BY Id";
    const Read single = readWith(db, sql, false);
    THstmt q(&db);
    q.setConcurrencyType(4);
    q.ExecDirect(sql);
    const Read optimistic = readAll(q);
    EXPECT_EQ(optimistic.rowsFromBlocks, 149);
    expectSameRows(optimistic, single);
    q.setConcurrencyType(1);
    q.setCursorType(3);   // static
    q.ExecDirect(sql);
    const Read scrollable = readAll(q);
    EXPECT_EQ(scrollable.rowsFromBlocks, 0);
    expectSameRows(scrollable, single);
}
