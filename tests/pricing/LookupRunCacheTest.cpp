// The master data of one run kept in memory (LookupRunCache), and the contract price-list row
// of the first of several pairs (FindSubjCenikFirst, FindSubjCenikRow): the same answers as the
// lookups one by one, with fewer statements.
#include "PricingTestDatabase.h"
#include "pricing/MasterLookups.h"

#include <gtest/gtest.h>

namespace {

struct QueryCounter {
    qint64 start = lookupQueryCount();
    qint64 ran() const { return lookupQueryCount() - start; }
};

using Pairs = std::vector<std::pair<QString, QString>>;

class LookupRunCacheTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        tdb = new PricingTestDatabase("lookup_run_cache");
        tdb->psql("INSERT INTO MS (Ident, Naziv, VPCena, Klasif) VALUES ('A1', 'Artikel ena', 10.5, 'K1'),"
                  " ('A2', 'Artikel dva', 20, 'K1'), ('B1', 'Čaj', 3, 'K2');"
                  "INSERT INTO Subjekt (Naziv, Rabat, CenRazred, TipPartnerjaO) VALUES ('Kupec d.o.o.', 10, '2', 'VEL'),"
                  " ('O''Neil d.o.o.', 7, '1', 'VEL'), ('Brez pogodb', 0, '1', '');"
                  "INSERT INTO PoslDog (PoslDog, Naziv, Tip) VALUES ('10', 'Izdani računi', 'I');"
                  "INSERT INTO TarSt (TS, Naziv, Davek) VALUES ('1', 'Splošna stopnja', 22);"
                  "INSERT INTO Tecaj (Banka, Valuta, Datum, Tecaj) VALUES ('NLB', 'USD', '2020-01-01', 0.9),"
                  " ('NLB', 'USD', '2021-01-01', 0.8);"
                  // Contract rows: partner + item, partner + classification, type + item, type +
                  // classification; an item code that differs from A2 only in case.
                  "INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula) VALUES"
                  " ('Kupec d.o.o.', 'A1', 'P', 'S', 'EUR', 9.5, 1, ''),"
                  " ('Kupec d.o.o.', 'K2', 'P', 'S', 'EUR', 0, 15, ''),"
                  " ('VEL', 'A1', 'P', 'T', 'EUR', 8, 2, 'F1'),"
                  " ('VEL', 'K1', 'P', 'T', 'USD', 7, 3, ''),"
                  " ('O''Neil d.o.o.', 'a2', 'P', 'S', 'EUR', 6, 0, ''),"
                  " ('Kupec d.o.o.', 'A1', 'N', 'S', 'EUR', 5, 0, '')");
    }
    static void TearDownTestSuite()
    {
        delete tdb;
        tdb = nullptr;
    }
    void SetUp() override
    {
        PricingTestDatabase::resetRecords();
        LookupRunCache::setEnabled(true);
    }
    void TearDown() override { LookupRunCache::setEnabled(true); }

    static PricingTestDatabase* tdb;
};
PricingTestDatabase* LookupRunCacheTest::tdb = nullptr;

// Outside a run the lookups keep their last key only; inside one every key, found or not, once.
TEST_F(LookupRunCacheTest, KeepsEveryKeyForTheRun)
{
    {
        QueryCounter c;
        EXPECT_TRUE(FindMS("A1"));
        EXPECT_TRUE(FindMS("A2"));
        EXPECT_TRUE(FindMS("A1"));
        EXPECT_EQ(c.ran(), 3);
    }
    PricingTestDatabase::resetRecords();
    {
        LookupRunCache run;
        EXPECT_TRUE(LookupRunCache::active());
        QueryCounter c;
        EXPECT_TRUE(FindMS("A1"));
        EXPECT_TRUE(FindMS("A2"));
        EXPECT_TRUE(FindMS("A1"));
        EXPECT_EQ(MSRec.Naziv, "Artikel ena");
        EXPECT_EQ(MSRec.Key, "A1");
        EXPECT_FALSE(FindMS("NI"));
        EXPECT_TRUE(MSRec.Key.isEmpty());
        EXPECT_TRUE(MSRec.Naziv.isEmpty());
        EXPECT_FALSE(FindMS("NI"));
        EXPECT_TRUE(FindMS("A2"));
        EXPECT_EQ(MSRec.Naziv, "Artikel dva");
        EXPECT_EQ(c.ran(), 3);
        // A business event that is absent keeps its code, from the cache as from the database.
        EXPECT_FALSE(FindPoslDog("99"));
        EXPECT_TRUE(FindPoslDog("10"));
        EXPECT_FALSE(FindPoslDog("99"));
        EXPECT_EQ(PoslDogRec.Key, "99");
        EXPECT_TRUE(FindTarSt("1"));
        EXPECT_TRUE(FindTarSt("1"));
        EXPECT_DOUBLE_EQ(TarStRec.Davek, 22);
        EXPECT_EQ(c.ran(), 6);
        // Partners: the last few are kept.
        EXPECT_TRUE(FindSubj("Kupec d.o.o."));
        EXPECT_TRUE(FindSubj("O'Neil d.o.o."));
        EXPECT_TRUE(FindSubj("Kupec d.o.o."));
        EXPECT_DOUBLE_EQ(SubjRec.Rabat, 10);
        EXPECT_EQ(c.ran(), 8);
        // Exchange rates by bank, currency and date.
        EXPECT_DOUBLE_EQ(PoisciTecaj("NLB", "USD", QDate(2020, 6, 1)), 0.9);
        EXPECT_DOUBLE_EQ(PoisciTecaj("NLB", "USD", QDate(2021, 6, 1)), 0.8);
        EXPECT_DOUBLE_EQ(PoisciTecaj("NLB", "USD", QDate(2020, 6, 1)), 0.9);
        EXPECT_EQ(c.ran(), 10);
    }
    EXPECT_FALSE(LookupRunCache::active());
    // After the run the master data is read anew.
    tdb->psql("UPDATE MS SET Naziv = 'Novo ime' WHERE Ident = 'A2'");
    QueryCounter c;
    EXPECT_TRUE(FindMS("A1"));
    EXPECT_TRUE(FindMS("A2"));
    EXPECT_EQ(MSRec.Naziv, "Novo ime");
    EXPECT_EQ(c.ran(), 1 + 1);
    tdb->psql("UPDATE MS SET Naziv = 'Artikel dva' WHERE Ident = 'A2'");
}

// Switched off (for measurements), a run keeps nothing more than the last key.
TEST_F(LookupRunCacheTest, SwitchedOffKeepsOnlyTheLastKey)
{
    LookupRunCache::setEnabled(false);
    LookupRunCache run;
    EXPECT_FALSE(LookupRunCache::active());
    QueryCounter c;
    EXPECT_TRUE(FindMS("A1"));
    EXPECT_TRUE(FindMS("A2"));
    EXPECT_TRUE(FindMS("A1"));
    EXPECT_EQ(c.ran(), 3);
}

// Nested scopes share the outermost one's cache.
TEST_F(LookupRunCacheTest, NestedScopes)
{
    LookupRunCache outer;
    QueryCounter c;
    EXPECT_TRUE(FindMS("B1"));
    {
        LookupRunCache inner;
        EXPECT_TRUE(FindMS("A1"));
        EXPECT_TRUE(FindMS("B1"));
    }
    EXPECT_TRUE(LookupRunCache::active());
    EXPECT_TRUE(FindMS("A1"));
    EXPECT_EQ(c.ran(), 2);
}

// The first pair with a row wins, in the order of the pairs, in one statement.
struct ContractCase {
    const char* name;
    Pairs pairs;
    const char* side;
    int index;        // -1: none
    double cena;
};

class ContractPairsTest : public LookupRunCacheTest, public ::testing::WithParamInterface<ContractCase> {};

void PrintTo(const ContractCase& c, std::ostream* os) { *os << c.name; }

TEST_P(ContractPairsTest, SameAnswerWithAndWithoutTheRunCache)
{
    const ContractCase& k = GetParam();
    {
        QueryCounter c;
        const int i = FindSubjCenikFirst(k.pairs, k.side);
        EXPECT_EQ(c.ran(), 1);
        EXPECT_EQ(i, k.index);
        if (i >= 0) {
            EXPECT_DOUBLE_EQ(DataSif->qFindSubjCenik.ColumnAsFloat(SubjCenikCol::Cena), k.cena);
            EXPECT_EQ(DataSif->qFindSubjCenik.ColumnAsString(SubjCenikCol::Subjekt), k.pairs[size_t(i)].first);
        }
    }
    const auto [plainIndex, plainRow] = FindSubjCenikRow(k.pairs, k.side);
    EXPECT_EQ(plainIndex, k.index);
    LookupRunCache run;
    for (int round = 0; round < 2; ++round) {
        const auto [i, row] = FindSubjCenikRow(k.pairs, k.side);
        EXPECT_EQ(i, k.index) << round;
        if (i >= 0) {
            EXPECT_DOUBLE_EQ(row.Cena, k.cena) << round;
            EXPECT_EQ(row.Subjekt, plainRow.Subjekt);
            EXPECT_EQ(row.Ident, plainRow.Ident);
            EXPECT_EQ(row.Valuta, plainRow.Valuta);
            EXPECT_EQ(row.Formula, plainRow.Formula);
            EXPECT_DOUBLE_EQ(row.Rabat, plainRow.Rabat);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, ContractPairsTest,
    ::testing::Values(
        ContractCase{"PartnerAndItemFirst", {{"Kupec d.o.o.", "A1"}, {"Kupec d.o.o.", "K1"}, {"VEL", "A1"}, {"VEL", "K1"}}, "P", 0, 9.5},
        ContractCase{"TypeAndItemBeforeTypeAndClass", {{"Kupec d.o.o.", "A2"}, {"Kupec d.o.o.", "K1"}, {"VEL", "A2"}, {"VEL", "K1"}}, "P", 3, 7},
        ContractCase{"PartnerAndClassification", {{"Kupec d.o.o.", "B1"}, {"Kupec d.o.o.", "K2"}, {"VEL", "B1"}, {"VEL", "K2"}}, "P", 1, 0},
        ContractCase{"TypeAndItem", {{"O'Neil d.o.o.", "A1"}, {"O'Neil d.o.o.", "K1"}, {"VEL", "A1"}, {"VEL", "K1"}}, "P", 2, 8},
        ContractCase{"PurchaseSide", {{"Kupec d.o.o.", "A1"}, {"Kupec d.o.o.", "K1"}, {"VEL", "A1"}, {"VEL", "K1"}}, "N", 0, 5},
        ContractCase{"NoneForAPartnerWithoutRows", {{"Brez pogodb", "A1"}, {"Brez pogodb", "K1"}, {"", "A1"}, {"", "K1"}}, "P", -1, 0},
        ContractCase{"NoneOnTheOtherSide", {{"O'Neil d.o.o.", "A1"}, {"O'Neil d.o.o.", "K1"}, {"VEL", "A1"}, {"VEL", "K1"}}, "N", -1, 0},
        ContractCase{"HostileTexts", {{"x'; DELETE FROM MS; --", "A1"}, {"VEL", "'"}}, "P", -1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Inside a run a partner's rows are read once, a partner without rows costs nothing, and a code
// that matches only when case is ignored is left to the server (here: not equal).
TEST_F(LookupRunCacheTest, ContractRowsReadOncePerSubject)
{
    LookupRunCache run;
    QueryCounter c;
    const Pairs kupec{{"Kupec d.o.o.", "A1"}, {"Kupec d.o.o.", "K1"}, {"VEL", "A1"}, {"VEL", "K1"}};
    EXPECT_EQ(FindSubjCenikRow(kupec, "P").first, 0);
    const qint64 first = c.ran();
    EXPECT_EQ(first, 2);   // the subjects with rows, then Kupec's rows
    const Pairs kupecB{{"Kupec d.o.o.", "B1"}, {"Kupec d.o.o.", "K2"}, {"VEL", "B1"}, {"VEL", "K2"}};
    EXPECT_EQ(FindSubjCenikRow(kupecB, "P").first, 1);
    EXPECT_EQ(c.ran(), first);
    const Pairs nobody{{"Brez pogodb", "A1"}, {"Brez pogodb", "K1"}, {"", "A1"}, {"", "K1"}};
    EXPECT_EQ(FindSubjCenikRow(nobody, "P").first, -1);
    EXPECT_EQ(c.ran(), first);
    // O'Neil has a row for "a2": in memory that is not "A2", and the server decides.
    const Pairs oneil{{"O'Neil d.o.o.", "A2"}, {"O'Neil d.o.o.", "K1"}, {"VEL", "A2"}, {"VEL", "K1"}};
    const qint64 before = c.ran();
    EXPECT_EQ(FindSubjCenikRow(oneil, "P").first, 3);
    EXPECT_GT(c.ran(), before);
}

// The partners of a block of templates in one statement: found without a statement of their
// own, exactly as FindSubj reads them; a name not preloaded as written goes to the server.
TEST_F(LookupRunCacheTest, PreloadedPartners)
{
    ASSERT_TRUE(FindSubj("O'Neil d.o.o."));
    const TSubjRec plain = SubjRec;
    PricingTestDatabase::resetRecords();
    {
        QueryCounter c;
        LookupRunCache::preloadPartners({"Kupec d.o.o.", "O'Neil d.o.o."});
        EXPECT_EQ(c.ran(), 0);   // outside a run: nothing
    }
    LookupRunCache run;
    QueryCounter c;
    LookupRunCache::preloadPartners({"Kupec d.o.o.", "O'Neil d.o.o.", "Kupec d.o.o.", "Ni ga"});
    EXPECT_EQ(c.ran(), 1);
    EXPECT_TRUE(FindSubj("Kupec d.o.o."));
    EXPECT_DOUBLE_EQ(SubjRec.Rabat, 10);
    EXPECT_TRUE(FindSubj("O'Neil d.o.o."));
    EXPECT_EQ(SubjRec.Key, "O'Neil d.o.o.");
    EXPECT_EQ(SubjRec.TipPartnerjaO, plain.TipPartnerjaO);
    EXPECT_DOUBLE_EQ(SubjRec.Rabat, plain.Rabat);
    EXPECT_EQ(SubjRec.CenRazred, plain.CenRazred);
    EXPECT_EQ(c.ran(), 1);
    EXPECT_FALSE(FindSubj("Ni ga"));        // not found: the server is asked
    EXPECT_FALSE(FindSubj("kupec d.o.o."));  // not as written: the server is asked
    EXPECT_EQ(c.ran(), 3);
    // The next block's partners replace them.
    LookupRunCache::preloadPartners({"Brez pogodb"});
    EXPECT_EQ(c.ran(), 4);
    EXPECT_TRUE(FindSubj("Kupec d.o.o."));   // no longer preloaded: read again
    EXPECT_EQ(c.ran(), 5);
    EXPECT_TRUE(FindSubj("Brez pogodb"));
    EXPECT_EQ(c.ran(), 5);
}

// The contract rows of a block's partners in one statement: the rows found are those read one
// partner at a time, without a statement of their own; a partner without rows on the side, one
// read already and an empty name cost nothing; each side is its own list.
TEST_F(LookupRunCacheTest, PreloadedContracts)
{
    const Pairs kupec{{"Kupec d.o.o.", "A1"}, {"Kupec d.o.o.", "K1"}, {"VEL", "A1"}, {"VEL", "K1"}};
    const Pairs kupecB{{"Kupec d.o.o.", "B1"}, {"Kupec d.o.o.", "K2"}, {"VEL", "B1"}, {"VEL", "K2"}};
    const auto alone = FindSubjCenikRow(kupec, "P");
    const auto aloneB = FindSubjCenikRow(kupecB, "P");
    const auto aloneN = FindSubjCenikRow(kupec, "N");
    ASSERT_EQ(alone.first, 0);
    ASSERT_EQ(aloneB.first, 1);
    ASSERT_EQ(aloneN.first, 0);
    {
        QueryCounter c;
        LookupRunCache::preloadContracts({"Kupec d.o.o."}, "P");
        EXPECT_EQ(c.ran(), 0);   // outside a run: nothing
    }
    LookupRunCache run;
    QueryCounter c;
    LookupRunCache::preloadContracts({"Kupec d.o.o.", "O'Neil d.o.o.", "Brez pogodb", "Kupec d.o.o.", ""}, "P");
    EXPECT_EQ(c.ran(), 2);   // the subjects with rows on the side, then the rows of two of them
    for (const auto& [pairs, expected] : {std::pair{kupec, alone}, std::pair{kupecB, aloneB}}) {
        const auto [i, row] = FindSubjCenikRow(pairs, "P");
        EXPECT_EQ(i, expected.first);
        EXPECT_EQ(row.Ident, expected.second.Ident);
        EXPECT_DOUBLE_EQ(row.Cena, expected.second.Cena);
        EXPECT_DOUBLE_EQ(row.Rabat, expected.second.Rabat);
    }
    EXPECT_EQ(FindSubjCenikRow({{"Brez pogodb", "A1"}, {"Brez pogodb", "K1"}}, "P").first, -1);
    EXPECT_EQ(c.ran(), 2);
    LookupRunCache::preloadContracts({"Kupec d.o.o.", "Brez pogodb"}, "P");
    EXPECT_EQ(c.ran(), 2);
    LookupRunCache::preloadContracts({"Kupec d.o.o."}, "N");
    EXPECT_EQ(c.ran(), 4);
    const auto n = FindSubjCenikRow(kupec, "N");
    EXPECT_EQ(n.first, 0);
    EXPECT_DOUBLE_EQ(n.second.Cena, aloneN.second.Cena);
    EXPECT_EQ(c.ran(), 4);
    EXPECT_EQ(LookupRunCache::contractListSide("I"), "P");
    EXPECT_EQ(LookupRunCache::contractListSide("P"), "N");
}

// The items of a block in one statement: each exactly as FindMS reads it on its own, without a
// statement of its own; a code not found, a pattern and an item read already are left out or to
// FindMS, and an item that the server matched only ignoring trailing blanks goes to FindMS too.
TEST_F(LookupRunCacheTest, PreloadedItems)
{
    ASSERT_TRUE(FindMS("B1"));
    const TMSRec plain = MSRec;
    PricingTestDatabase::resetRecords();
    {
        QueryCounter c;
        LookupRunCache::preloadItems({"A1"});
        EXPECT_EQ(c.ran(), 0);   // outside a run: nothing
    }
    {
        LookupRunCache run;
        QueryCounter c;
        LookupRunCache::preloadItems({"B1", "A1", "B1", "", "NI", "b1", "A%"});
        EXPECT_EQ(c.ran(), 1);
        EXPECT_TRUE(FindMS("B1"));
        EXPECT_EQ(MSRec.Key, "B1");
        EXPECT_EQ(MSRec.Naziv, plain.Naziv);
        EXPECT_EQ(MSRec.Klasif, plain.Klasif);
        EXPECT_DOUBLE_EQ(MSRec.VPCena, plain.VPCena);
        EXPECT_EQ(MSRec.Aktivno, plain.Aktivno);
        EXPECT_TRUE(FindMS("A1"));
        EXPECT_EQ(MSRec.Naziv, "Artikel ena");
        EXPECT_EQ(c.ran(), 1);
        EXPECT_FALSE(FindMS("NI"));   // not found: the server is asked
        EXPECT_FALSE(FindMS("b1"));   // not as written: the server is asked
        EXPECT_TRUE(FindMS("A%"));
        EXPECT_EQ(c.ran(), 4);
        // Only what the run has not read yet.
        LookupRunCache::preloadItems({"A1", "B1", "NI"});
        EXPECT_EQ(c.ran(), 4);
        LookupRunCache::preloadItems({"A1", "A2"});
        EXPECT_EQ(c.ran(), 5);
        EXPECT_TRUE(FindMS("A2"));
        EXPECT_EQ(c.ran(), 5);
    }
    // A server that ignores trailing blanks (a fixed-width code column) answers "A1" with
    // "A1" padded: that row is FindMS's to read, with the same answer as without the preload.
    struct FixedWidthIdent {
        FixedWidthIdent() { tdb->psql("ALTER TABLE MS ALTER COLUMN Ident TYPE char(16)"); }
        ~FixedWidthIdent() { tdb->psql("ALTER TABLE MS ALTER COLUMN Ident TYPE varchar(16)"); }
    } fixedWidth;
    PricingTestDatabase::resetRecords();
    LookupRunCache run;
    QueryCounter c;
    LookupRunCache::preloadItems({"A1"});
    EXPECT_EQ(c.ran(), 1);
    EXPECT_TRUE(FindMS("A1"));
    EXPECT_EQ(c.ran(), 2);
    EXPECT_EQ(MSRec.Naziv, "Artikel ena");
}

// More partners with contract rows than one statement takes: the first MaxContractSubjects are
// read in one statement (not none), the rest are asked for on their own.
TEST_F(LookupRunCacheTest, PreloadedContractsInStatementsOfAThousandNames)
{
    struct ManyContracts {
        ManyContracts()
        {
            tdb->psql("INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula)"
                      " SELECT 'Pogodba ' || lpad(n::text, 4, '0'), 'A1', 'P', 'S', 'EUR', n, 0, ''"
                      " FROM generate_series(1, 1001) n");
        }
        ~ManyContracts() { tdb->psql("DELETE FROM SubjektCenik WHERE Subjekt LIKE 'Pogodba %'"); }
    } many;
    QStringList names{"Kupec d.o.o."};
    for (int n = 1; n <= 1001; ++n)
        names << QString("Pogodba %1").arg(n, 4, 10, QChar('0'));
    ASSERT_GT(names.size(), MaxContractSubjects);
    LookupRunCache run;
    QueryCounter c;
    LookupRunCache::preloadContracts(names, "P");
    EXPECT_EQ(c.ran(), 3);   // the subjects with rows on the side, then the rows of 1000 names and of 2
    const auto kupec = FindSubjCenikRow({{"Kupec d.o.o.", "A1"}}, "P");
    EXPECT_EQ(kupec.first, 0);
    EXPECT_DOUBLE_EQ(kupec.second.Cena, 9.5);
    const auto last = FindSubjCenikRow({{"Pogodba 0999", "A1"}}, "P");
    EXPECT_EQ(last.first, 0);
    EXPECT_DOUBLE_EQ(last.second.Cena, 999);
    EXPECT_EQ(c.ran(), 3);
    const auto past = FindSubjCenikRow({{"Pogodba 1000", "A1"}}, "P");
    EXPECT_EQ(past.first, 0);
    EXPECT_DOUBLE_EQ(past.second.Cena, 1000);
    EXPECT_EQ(c.ran(), 3);   // read with the second thousand
}

} // namespace
