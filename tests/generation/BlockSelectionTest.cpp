// The due templates are read a block at a time: a run over more templates than one block makes
// each of them exactly once, in key order, also those that stay due after their document (a
// period of 0 days), and the listing lists them alike.
#include "GenerationFixture.h"
#include "generation/DueTemplates.h"
#include "generation/ListingRun.h"
#include "data/odbc/SqlDialect.h"

namespace {

class BlockSelectionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { db = new GenerationDatabase("generation_blocks"); }
    static void TearDownTestSuite()
    {
        delete db;
        db = nullptr;
    }
    // The listing of the invoice templates due on the date: one column of its rows, in order.
    static QStringList listed(const QDate& date, const QString& column, int* rowsWritten = nullptr)
    {
        LocalTable table(QString(), db->scratch().file("TObdracNapaka"));
        createNapakaTable(table);
        GenerationCriteria criteria;
        criteria.DatumKont = date;
        criteria.Datum = date;
        ListingRun listing(table, criteria);
        listing.IzpisiIzdRac();
        if (rowsWritten)
            *rowsWritten = listing.rowsWritten();
        QStringList values;
        for (bool more = table.first(); more; more = table.next())
            values << table.asString(column);
        return values;
    }
    static GenerationDatabase* db;
};
GenerationDatabase* BlockSelectionTest::db = nullptr;

TEST_F(BlockSelectionTest, EveryTemplateOnceOverSeveralBlocks)
{
    const int templates = 2 * DueTemplatesBlock + 7;
    db->clearDocuments();
    // Every third template has a period of 0 days: it stays due after its document.
    db->psql(QString("INSERT INTO Obdrac (Kljuc, PoslDog, Datum, Subjekt, Tip, Periodika, NacIzrCene, PoslDogFak, Valuta,"
                     " StevObrokov, Aktivno, DatumZak, UserZap, UserSpre)"
                     " SELECT '04G1' || lpad(n::text, 5, '0'), 'G1', '2004/01/01', 'Kupec Beta d.o.o.', 'P',"
                     " CASE WHEN n % 3 = 0 THEN 0 ELSE 30 END, 'F', 'T2', 'EUR', 12, 'T', '2004/12/31', '01', '01'"
                     " FROM generate_series(1, %1) n;"
                     "INSERT INTO ObdracPoz (Kljuc, Poz, Ident, Naziv, Kolicina, Cena, Rabat, Opomba, UserZap, UserSpre)"
                     " SELECT Kljuc, 5, 'T-STOR', 'Storitev', 1, 10, 0, '', '01', '01' FROM Obdrac;")
                 .arg(templates));

    const QDate march31(2004, 3, 31);
    {
        int rowsWritten = 0;
        const QStringList keys = listed(march31, "Kljuc", &rowsWritten);
        EXPECT_EQ(rowsWritten, templates);
        QStringList sorted = keys;
        sorted.sort();
        sorted.removeDuplicates();
        EXPECT_EQ(keys, sorted);
        EXPECT_EQ(keys.size(), templates);
    }

    RecordedRun run(march31, march31);
    const GenerationResult r = run.run();
    EXPECT_EQ(r.exitCode(), 0);
    EXPECT_EQ(r.invoicesWritten, templates);
    ASSERT_EQ(run.log.size(), templates);
    for (int i = 0; i < templates; ++i)
        EXPECT_EQ(run.log[i].section(" / ", 1, 1), QString("04G1%1").arg(i + 1, 5, 10, QChar('0'))) << i;
    EXPECT_EQ(run.progress.back(), 100);
    EXPECT_EQ(db->psql("SELECT count(*) FROM Promet").toInt(), templates);
    EXPECT_EQ(db->psql("SELECT count(DISTINCT Kljuc) FROM PrometPoz").toInt(), templates);
    EXPECT_EQ(db->psql("SELECT count(*) FROM Obdrac WHERE DatZadFak IS NULL").toInt(), 0);

    // The next run makes exactly the templates of period 0 again.
    RecordedRun again(march31, march31);
    EXPECT_EQ(again.run().invoicesWritten, templates / 3);
}

// The lines of a block's templates are read together: every document gets its own template's
// lines, in the order of their positions (as the template grid shows them), whatever the order
// in which they were stored or changed; the listing lists them in that order too.
TEST_F(BlockSelectionTest, EachDocumentHasItsOwnTemplatesLinesInPositionOrder)
{
    db->clearDocuments();
    db->psql("INSERT INTO Obdrac (Kljuc, PoslDog, Datum, Subjekt, Tip, Periodika, NacIzrCene, PoslDogFak, Valuta,"
             " StevObrokov, Aktivno, DatumZak, UserZap, UserSpre)"
             " SELECT '04G1' || lpad(n::text, 5, '0'), 'G1', '2004/01/01', 'Kupec Beta d.o.o.', 'P', 30, 'F', 'T2',"
             " 'EUR', 12, 'T', '2004/12/31', '01', '01' FROM generate_series(1, 3) n;"
             "INSERT INTO ObdracPoz (Kljuc, Poz, Ident, Naziv, Kolicina, Cena, Rabat, Opomba, UserZap, UserSpre)"
             " SELECT Kljuc, p, CASE p WHEN 5 THEN 'T-STOR' WHEN 10 THEN 'T-BLAGO' ELSE 'T-TRO' END,"
             " right(Kljuc, 1) || '-' || p, 1, 10, 0, '', '01', '01'"
             " FROM Obdrac, unnest(ARRAY[15, 5, 10]) p ORDER BY Kljuc DESC;"
             "UPDATE ObdracPoz SET Naziv = Naziv WHERE Poz = 5;");
    const QDate march31(2004, 3, 31);
    EXPECT_EQ(listed(march31, "Ident").join(' '), "T-STOR T-BLAGO T-TRO T-STOR T-BLAGO T-TRO T-STOR T-BLAGO T-TRO");
    RecordedRun run(march31, march31);
    EXPECT_EQ(run.run().invoicesWritten, 3);
    EXPECT_EQ(db->psql("SELECT string_agg(Poz || ':' || Naziv, ' ' ORDER BY Kljuc, Poz) FROM PrometPoz").trimmed(),
              "1:1-5 2:1-10 3:1-15 1:2-5 2:2-10 3:2-15 1:3-5 2:3-10 3:3-15");
}

// The partners of a partner type are found through an index, whatever the number of partners:
// the statement reaches PostgreSQL with ILIKE, which a B-tree index cannot serve (without one,
// every partner-type template read the whole partner table).
TEST_F(BlockSelectionTest, PartnersOfATypeThroughAnIndex)
{
    const QString sql = SqlDialect(SqlDialect::Kind::PostgreSQL).rewrite(partnersOfTypeSelect("BT0001"));
    ASSERT_TRUE(sql.contains(" ILIKE 'BT0001'"));
    // (on the small test company a plain walk of the key index is cheaper; with both kinds of
    // full walk ruled out, the type indexes must serve the statement)
    const QString plan = db->psql("SET enable_seqscan = off; SET enable_indexscan = off; EXPLAIN " + sql);
    EXPECT_TRUE(plan.contains("subjekt_tippartnerjai_trgm")) << plan.toStdString();
    EXPECT_TRUE(plan.contains("subjekt_tippartnerjao_trgm")) << plan.toStdString();
    EXPECT_FALSE(plan.contains("Seq Scan")) << plan.toStdString();
}

} // namespace
