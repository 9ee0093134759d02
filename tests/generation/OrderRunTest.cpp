// The order run: sale and purchase orders, every column worked out by hand.
#include "GenerationFixture.h"
#include "RowCompare.h"

namespace {

const QString NarocCols =
    "Datum, PoslDog, Potrjeno, Referent, Oddelek, CenRazred, NacProdaje, DniZaPlac, DniZaVelj, DatumVelj, Valuta, "
    "Kljuc, Narocnik, NacinPlac, Dostava, KontOseba, KontOseba3, Prejemnik, UserSpre, UserZap, DatDokum1, DatDokum2, "
    "Davek, Dokument1, Dokument2, Izjava, Opomba, Popust, RokDobave, Vrednost, ZaPlacilo";
const QString NarocPozCols =
    "Cena, Davek, EM, Ident, Kljuc, Kolicina, KolicinaOdpr, KolicPak, Naziv, Opomba, Poz, ProdCena, Rabat, RokDobave, "
    "Trosarina, TrosarinaP, TS, UserSpre, UserZap, VKljuc, VPoz";

const QDate March31(2004, 3, 31);

class OrderRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { db = new GenerationDatabase("generation_order"); }
    static void TearDownTestSuite()
    {
        delete db;
        db = nullptr;
    }
    void SetUp() override { db->clearDocuments(); }
    static GenerationDatabase* db;
};
GenerationDatabase* OrderRunTest::db = nullptr;

TemplateSpec orderTemplate(const QString& key, const QString& partner, const QString& event, double quantity,
                           const QString& naziv)
{
    TemplateSpec t;
    t.kljuc = key;
    t.subjekt = partner;
    t.poslDogFak = event;
    t.lines = {{"T-BLAGO", naziv, quantity, 0, 0, "Opomba " + naziv}};
    return t;
}

// Event 07 (Tip "P") gives a sale order on the partner's customer terms, event 08 (Tip "N") a
// purchase order on its supplier terms; a partner that does not exist still gets an order with
// the defaults. Orders of one event are numbered consecutively; the validity date is the day of
// the run plus NAROCDNIZAVELJ (30), whatever the document date.
TEST_F(OrderRunTest, SaleAndPurchaseOrders)
{
    db->addTemplate(orderTemplate("04G200001", "Dobavitelj Delta d.o.o.", "07", 1, "Prodaja blaga"));
    db->addTemplate(orderTemplate("04G200002", "Dobavitelj Delta d.o.o.", "08", 10, "Nabava blaga"));
    db->addTemplate(orderTemplate("04G200003", "Neznani d.o.o.", "07", 1, "Neznanemu"));

    RecordedRun run(March31, March31);
    const GenerationResult r = run.run();
    EXPECT_EQ(r.outcome, GenerationResult::Outcome::Completed);
    EXPECT_EQ(r.ordersWritten, 3);
    EXPECT_EQ(r.invoicesWritten, 0);
    EXPECT_EQ(run.log, (QStringList{"040700001 / 04G200001 / Dobavitelj Delta d.o.o.",
                                    "040800001 / 04G200002 / Dobavitelj Delta d.o.o.",
                                    "040700002 / 04G200003 / Neznani d.o.o."}));

    const auto headers = selectRows(db->db(), NarocCols, "Naroc", "", "Kljuc");
    ASSERT_EQ(headers.size(), 3u);
    // Sale: price class 3 (the company's formula: VP price 100 + 10 %, a net price), item
    // discount 2 %, sale mode Z (VAT mode: the item's rate 22 %): 110 - 2.20 + 23.72.
    expectRow(headers[0], jsonRow(R"([
        "2004-03-31T00:00:00", "07", "F", "01", "Prodaja", "3", "Z", 10, 30, "2004-05-02T00:00:00", "EUR",
        "040700001", "Dobavitelj Delta d.o.o.", "GOT", "POSTA", "Prva Oseba", "Prva Oseba", "Dobavitelj Delta d.o.o.",
        "01", "01", null, null,
        23.72, "", "", "", "", 2.2, null, 110, 131.52])"),
              NarocCols);
    // The partner that does not exist: class 1 (VP price 100), the item's 2 %: 100 - 2 + 21.56.
    expectRow(headers[1], jsonRow(R"([
        "2004-03-31T00:00:00", "07", "F", "01", "Prodaja", "1", "K", 0, 30, "2004-05-02T00:00:00", "EUR",
        "040700002", "Neznani d.o.o.", "", "", "", "", "Neznani d.o.o.",
        "01", "01", null, null,
        21.56, "", "", "", "", 2, null, 100, 119.56])"),
              NarocCols);
    // Purchase: supplier terms; the purchase-price formula gives 60, the supplier discount 8 %:
    // 600 - 48 + 121.44.
    expectRow(headers[2], jsonRow(R"([
        "2004-03-31T00:00:00", "08", "F", "01", "Nabava", "1", "K", 45, 30, "2004-05-02T00:00:00", "EUR",
        "040800001", "Dobavitelj Delta d.o.o.", "KOMP", "EXW", "Prva Oseba", "Prva Oseba", "Dobavitelj Delta d.o.o.",
        "01", "01", null, null,
        121.44, "", "", "IZV", "", 48, null, 600, 673.44])"),
              NarocCols);

    const auto lines = selectRows(db->db(), NarocPozCols, "NarocPoz", "", "Kljuc, Poz");
    ASSERT_EQ(lines.size(), 3u);
    expectRow(lines[0], jsonRow(R"([
        110, 22, "KOS", "T-BLAGO", "040700001", 1, 0, 0, "Prodaja blaga", "Opomba Prodaja blaga", 1, 0, 2, null,
        0, 0, "22", "01", "01", "", 0])"),
              NarocPozCols);
    expectRow(lines[1], jsonRow(R"([
        100, 22, "KOS", "T-BLAGO", "040700002", 1, 0, 0, "Neznanemu", "Opomba Neznanemu", 1, 0, 2, null,
        0, 0, "22", "01", "01", "", 0])"),
              NarocPozCols);
    expectRow(lines[2], jsonRow(R"([
        60, 22, "KOS", "T-BLAGO", "040800001", 10, 0, 0, "Nabava blaga", "Opomba Nabava blaga", 1, 0, 8, null,
        0, 0, "22", "01", "01", "", 0])"),
              NarocPozCols);
    EXPECT_EQ(db->psql("SELECT string_agg(to_char(DatZadFak, 'YYYY-MM-DD'), ',' ORDER BY Kljuc) FROM Obdrac"),
              "2004-03-31,2004-03-31,2004-03-31");
}

// Invoices and orders in one command: the invoice run first, then the order run; order lines
// keep template prices with "F", skip missing items, and a partner type gives one order each.
TEST_F(OrderRunTest, InvoicesThenOrders)
{
    TemplateSpec order = orderTemplate("04G200001", "TST", "07", 2, "Za tip");
    order.tip = "T";
    order.nacIzrCene = "F";
    order.lines = {{"NI-GA", "Ukinjeno", 1, 1, 0, ""}, {"T-STOR", "Ura", 2, 30, 10, ""}};
    db->addTemplate(order);
    TemplateSpec invoice;
    invoice.kljuc = "04G900001";
    invoice.subjekt = "Kupec Beta d.o.o.";
    invoice.poslDogFak = "T2";
    invoice.lines = {{"T-STOR", "Ura", 1, 0, 0, ""}};
    db->addTemplate(invoice);

    RecordedRun run(March31, March31);
    const GenerationResult r = run.run();
    EXPECT_EQ(r.invoicesWritten, 1);
    EXPECT_EQ(r.ordersWritten, 3);
    EXPECT_EQ(run.log, (QStringList{"04T200001 / 04G900001 / Kupec Beta d.o.o.",
                                    "040700001 / 04G200001 / Kupec Alfa d.o.o.",
                                    "040700002 / 04G200001 / Kupec Beta d.o.o.",
                                    "040700003 / 04G200001 / Kupec Gama d.o.o."}));
    EXPECT_EQ(run.progress, (std::vector<int>{0, 100, 100, 0, 100, 100}));
    // 60 - 6 + 11.88 for each order.
    EXPECT_EQ(db->psql("SELECT string_agg(Poz || ':' || Ident || ':' || Cena || ':' || Rabat, ',') FROM NarocPoz"),
              "1:T-STOR:30.0000:10,1:T-STOR:30.0000:10,1:T-STOR:30.0000:10");
    EXPECT_EQ(db->psql("SELECT DISTINCT Vrednost || '/' || Popust || '/' || Davek || '/' || ZaPlacilo FROM Naroc"),
              "60.0000/6.0000/11.8800/65.8800");
}

// An order template without an existing item takes no order number: the next order of its
// business event gets the number that follows, and the template is reported.
TEST_F(OrderRunTest, TemplateWithoutItemsTakesNoNumber)
{
    TemplateSpec first = orderTemplate("04G200001", "Kupec Beta d.o.o.", "07", 1, "Prvo");
    db->addTemplate(first);
    TemplateSpec none = orderTemplate("04G200002", "Kupec Beta d.o.o.", "07", 1, "Nič");
    none.lines = {{"NI-GA", "Ukinjeno", 1, 1, 0, ""}};
    db->addTemplate(none);
    db->addTemplate(orderTemplate("04G200003", "Kupec Gama d.o.o.", "07", 1, "Tretje"));

    RecordedRun run(March31, March31);
    const GenerationResult r = run.run();
    EXPECT_EQ(r.ordersWritten, 2);
    EXPECT_EQ(run.log, (QStringList{"040700001 / 04G200001 / Kupec Beta d.o.o.",
                                    "04G200002 / Kupec Beta d.o.o. - NI KREIRAN: nobena postavka nima obstoječega artikla",
                                    "040700002 / 04G200003 / Kupec Gama d.o.o."}));
    EXPECT_EQ(db->psql("SELECT string_agg(Kljuc, ',' ORDER BY Kljuc) FROM Naroc"), "040700001,040700002");
    EXPECT_EQ(r.exitCode(), 1);
}

} // namespace
