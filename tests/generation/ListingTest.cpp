// The listing of what the runs would make: rows in the local table, nothing in the database.
#include "GenerationFixture.h"
#include "generation/ListingRun.h"

namespace {

const QDate March31(2004, 3, 31);

class ListingTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { db = new GenerationDatabase("generation_listing"); }
    static void TearDownTestSuite()
    {
        delete db;
        db = nullptr;
    }
    void SetUp() override { db->clearDocuments(); }
    static GenerationDatabase* db;
};
GenerationDatabase* ListingTest::db = nullptr;

QStringList listingRows(LocalTable& t)
{
    QStringList rows;
    for (bool more = t.first(); more; more = t.next())
        rows << QString("%1|%2|%3|%4|%5|%6|%7|%8|%9")
                    .arg(t.asInteger("ZapSt"))
                    .arg(t.asString("Kljuc"), t.asString("Tip"), t.asString("PoslDog"), t.asString("Subjekt"),
                         t.asString("Ident"))
                    .arg(t.asFloat("Kolicina"))
                    .arg(t.asFloat("Cena"))
                    .arg(QString::number(t.asFloat("Rabat"), 'f', 4));
    return rows;
}

TEST_F(ListingTest, RowsOfBothRunsWithoutWriting)
{
    TemplateSpec invoice;
    invoice.kljuc = "04G100001";
    invoice.subjekt = "Kupec Alfa d.o.o.";
    invoice.poslDogFak = "T1";
    invoice.lines = {{"T-BLAGO", "A", 3, 0, 0, ""}, {"NI-GA", "B", 1, 0, 0, ""}, {"T-STOR", "C", 2, 0, 0, ""}};
    db->addTemplate(invoice);
    TemplateSpec own;
    own.kljuc = "04G100002";
    own.subjekt = "TST";
    own.tip = "T";
    own.poslDogFak = "T2";
    own.nacIzrCene = "F";
    own.lines = {{"T-STOR", "D", 1, 12.5, 10, ""}};
    db->addTemplate(own);
    TemplateSpec nobody = own;
    nobody.kljuc = "04G100003";
    nobody.subjekt = "NIKOGAR";
    db->addTemplate(nobody);
    TemplateSpec purchase;
    purchase.kljuc = "04G200001";
    purchase.subjekt = "Dobavitelj Delta d.o.o.";
    purchase.poslDogFak = "08";
    purchase.lines = {{"T-BLAGO", "E", 10, 0, 0, ""}};
    db->addTemplate(purchase);
    TemplateSpec notDue = purchase;
    notDue.kljuc = "04G200002";
    notDue.datZadFak = "2004/03/20";
    db->addTemplate(notDue);

    LocalTable table(QString(), db->scratch().file("TObdracNapaka"));
    createNapakaTable(table);
    GenerationCriteria criteria;
    criteria.DatumKont = March31;
    criteria.Datum = March31;
    criteria.Danes = QDate(2004, 4, 2);
    std::vector<int> progress;
    ListingRun listing(table, criteria, [&](int p) { progress.push_back(p); });
    listing.IzpisiIzdRac();
    listing.IzpisiNaroc();

    EXPECT_EQ(listingRows(table), (QStringList{
                                      "1|04G100001|Račun|T1|Kupec Alfa d.o.o.|T-BLAGO|3|90|6.9000",
                                      "2|04G100001|Račun|T1|Kupec Alfa d.o.o.|T-STOR|2|36|5.0000",
                                      "3|04G100002|Račun|T2|Kupec Alfa d.o.o.|T-STOR|1|12.5|10.0000",
                                      "4|04G100002|Račun|T2|Kupec Beta d.o.o.|T-STOR|1|12.5|10.0000",
                                      "5|04G100002|Račun|T2|Kupec Gama d.o.o.|T-STOR|1|12.5|10.0000",
                                      "6|04G200001|Naročilo|08|Dobavitelj Delta d.o.o.|T-BLAGO|10|60|8.0000",
                                  }));
    EXPECT_EQ(progress, (std::vector<int>{0, 33, 67, 100, 100, 0, 100, 100}));
    EXPECT_EQ(db->psql("SELECT count(*) FROM Promet"), "0");
    EXPECT_EQ(db->psql("SELECT count(*) FROM Naroc"), "0");
    EXPECT_EQ(db->psql("SELECT count(*) FROM Obdrac WHERE DatZadFak IS NOT NULL"), "1");
    EXPECT_EQ(listing.rowsWritten(), 6);
    // the due template that would make nothing is said, as the run says it
    EXPECT_EQ(listing.notMade(),
              QStringList{"04G100003 / NIKOGAR - NI KREIRAN: noben partner nima tipa partnerja NIKOGAR"});

    // A new listing starts empty.
    createNapakaTable(table);
    EXPECT_TRUE(table.isEmpty());
}

} // namespace
