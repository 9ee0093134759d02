// Header and line defaults of an invoice and the tax determination, called directly.
#include "GenerationFixture.h"
#include "data/odbc/SqlDialect.h"
#include "data/core/Exception.h"
#include "generation/DocumentDefaults.h"
#include "generation/DocumentRun.h"
#include "generation/OrderDefaults.h"
#include "generation/RunLock.h"
#include "pricing/MasterLookups.h"

namespace {

class DocumentDefaultsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        db = new GenerationDatabase("generation_defaults");
        db->psql("INSERT INTO PoslDog (PoslDog, Naziv, Vrsta, Tip, Oddelek, Izdajatelj, Prejemnik, Oseba3, PolPreCene,"
                 " UserZap, UserSpre) VALUES ('T3', 'Računi s stroški', 'F', 'I', '', 'Skladišče', '', '', 'T', '00', '00');"
                 "UPDATE MS SET Transport = 2.5, Dajatve = 1.2, NepStr = 0.8, VRDavek = 0.5 WHERE Ident = 'T-USD';"
                 "INSERT INTO MS (Ident, Naziv, EM, Aktivno, VrstaMS, TS, TSZnizana, Valuta, UserZap, UserSpre)"
                 " VALUES ('T-NEZNTS', 'Neznana stopnja', 'KOS', 'T', 'BLA', '77', '77', 'EUR', '00', '00');");
    }
    static void TearDownTestSuite()
    {
        delete db;
        db = nullptr;
    }
    void SetUp() override { GenerationDatabase::resetRecords(); }
    void TearDown() override { VatMode = true; }
    static GenerationDatabase* db;
};
GenerationDatabase* DocumentDefaultsTest::db = nullptr;

struct TaxCase {
    bool vat;
    QString mode;
    QString item;
    QString ts;
    double davek;
};

TEST_F(DocumentDefaultsTest, TaxDetermination)
{
    const TaxCase cases[] = {
        {true, "K", "T-BLAGO", "22", 22},   {true, "Z", "T-BLAGO", "22", 22},  {true, "I", "T-BLAGO", "00", 0},
        {true, "", "T-BLAGO", "00", 0},     {true, "I", "T-STOR", "00", 0},    {true, "K", "T-NEZNTS", "77", 0},
        {false, "K", "T-BLAGO", "22", 22},  {false, "Z", "T-BLAGO", "95", 9.5}, {false, "I", "T-BLAGO", "00", 0},
        {false, "X", "T-BLAGO", "00", 0},   {false, "", "T-BLAGO", "00", 0},   {false, "Z", "T-STOR", "22", 22},
        {false, "", "T-STOR", "22", 22},    {false, "I", "T-STOR", "22", 22},  {true, "K", "NI-GA", "", 0},
    };
    for (const TaxCase& c : cases) {
        SCOPED_TRACE((QString(c.vat ? "DDV " : "brez DDV ") + c.mode + " " + c.item).toStdString());
        VatMode = c.vat;
        QString ts = "??";
        double davek = -1, trosarina = -1, trosarinaP = -1;
        tbDolociDavekPoz(c.mode, c.item, ts, davek, trosarina, trosarinaP);
        EXPECT_EQ(ts, c.ts);
        EXPECT_DOUBLE_EQ(davek, c.davek);
        EXPECT_DOUBLE_EQ(trosarina, 0);
        EXPECT_DOUBLE_EQ(trosarinaP, 0);
    }
    QString ts;
    double davek = 0, trosarina = 0, trosarinaP = 0;
    tbDolociDavekPoz("K", "T-TRO", ts, davek, trosarina, trosarinaP);
    EXPECT_DOUBLE_EQ(trosarina, 0.5);
    EXPECT_DOUBLE_EQ(trosarinaP, 10);
}

// The business event's defaults, then its default partner's terms; a second reset leaves
// nothing of the previous document behind.
TEST_F(DocumentDefaultsTest, HeaderDefaults)
{
    const QDate today(2004, 4, 2);
    PrometRec.Opomba = "ostanek";
    PrometRec.Vrednost = Money(5);
    tbPrometDefaultValue("T1", today);
    EXPECT_EQ(PrometRec.Kljuc, "04T1?????");
    EXPECT_EQ(PrometRec.Referent, "01");
    EXPECT_EQ(PrometRec.Oddelek, "Prodaja");
    EXPECT_EQ(PrometRec.Izdajatelj, "Glavno skladišče");
    EXPECT_EQ(PrometRec.Prejemnik, "Privzeti kupec");
    EXPECT_EQ(PrometRec.Oseba3, "Tretja oseba");
    EXPECT_EQ(PrometRec.Datum.date(), today);
    // The default partner's terms (price class 3, sale mode Z, 5 days, the yearly statement).
    EXPECT_EQ(PrometRec.CenRazred, "3");
    EXPECT_EQ(PrometRec.NacProdaje, "Z");
    EXPECT_EQ(PrometRec.DniZaPlac, 5);
    EXPECT_EQ(PrometRec.DatumVal.date(), today.addDays(5));
    EXPECT_EQ(PrometRec.Dokument1, "LI-1/2004");
    EXPECT_EQ(PrometRec.DatDokum1.date(), QDate(2004, 1, 10));
    EXPECT_EQ(PrometRec.Izjava, "LETNA");
    EXPECT_EQ(PrometRec.Opomba, "");
    EXPECT_TRUE(PrometRec.Vrednost.isZero());

    tbPrometDefaultValue("T2", today);
    EXPECT_EQ(PrometRec.Oddelek, "Računovodstvo");   // the event has none: the user's
    EXPECT_EQ(PrometRec.Prejemnik, "");
    EXPECT_EQ(PrometRec.CenRazred, "1");
    EXPECT_EQ(PrometRec.NacProdaje, "K");
    EXPECT_EQ(PrometRec.Valuta, "EUR");
    EXPECT_EQ(PrometRec.Dokument1, "");
    EXPECT_FALSE(PrometRec.DatDokum1.isValid());
    EXPECT_DOUBLE_EQ(PrometRec.Tecaj, 1.0);

    // A partner that does not exist: empty terms, rate 1.
    tbPrometSubjDefaultValue("Ni ga d.o.o.");
    EXPECT_EQ(PrometRec.CenRazred, "");
    EXPECT_EQ(PrometRec.Valuta, "");
    EXPECT_EQ(PrometRec.NacProdaje, "");
    EXPECT_EQ(PrometRec.DniZaPlac, 0);
    EXPECT_DOUBLE_EQ(PrometRec.Tecaj, 1.0);
}

// Item data in the document's currency; the cost fields with PolPreCene "T"; VAT fields only in
// VAT mode.
TEST_F(DocumentDefaultsTest, LineDefaultsFromTheItem)
{
    const QDate day(2004, 3, 31);
    tbPrometDefaultValue("T3", day);
    EXPECT_EQ(PrometRec.Oddelek, "Računovodstvo");
    tbPrometPozDefaultValue();
    PrometPozRec.Ident = "T-USD";
    tbPrometPozIdentDefaultValue();
    const TPrometPozRec& p = PrometPozRec;
    EXPECT_EQ(p.Ident, "T-USD");
    EXPECT_EQ(p.EM, "KOS");
    EXPECT_EQ(p.Oddelek, "Računovodstvo");
    EXPECT_NEAR(p.MPCena, 48.8, 1e-9);    // 61 USD x 0.8
    EXPECT_NEAR(p.VPCena, 40, 1e-9);
    EXPECT_NEAR(p.VPCena2, 36, 1e-9);
    EXPECT_NEAR(p.ProdCena, 40, 1e-9);
    EXPECT_NEAR(p.CenaValuta, 24, 1e-9);  // CenaDob 30 x 0.8
    EXPECT_NEAR(p.Cena, 19.2, 1e-9);      // CenaValuta x 0.8
    EXPECT_DOUBLE_EQ(p.Transport, 2.5);
    EXPECT_DOUBLE_EQ(p.Dajatve, 1.2);
    EXPECT_DOUBLE_EQ(p.NepStr, 0.8);
    EXPECT_DOUBLE_EQ(p.VRDavek, 0.5);
    EXPECT_DOUBLE_EQ(p.CenaZaVred, 30);
    EXPECT_EQ(p.TSDDV, "22");
    EXPECT_DOUBLE_EQ(p.DavekDDV, 22);
    EXPECT_EQ(p.FieldL, "F");
    EXPECT_EQ(p.UserZap, "01");

    VatMode = false;
    tbPrometDefaultValue("T2", day);
    tbPrometPozDefaultValue();
    PrometPozRec.Ident = "T-BLAGO";
    tbPrometPozIdentDefaultValue();
    EXPECT_EQ(p.TSDDV, "");
    EXPECT_DOUBLE_EQ(p.DavekDDV, 0);
    EXPECT_DOUBLE_EQ(p.Transport, 0);      // the event copies no cost fields
    EXPECT_DOUBLE_EQ(p.CenaValuta, 0);
    EXPECT_DOUBLE_EQ(p.Cena, 0);
    EXPECT_EQ(p.Oddelek, "Računovodstvo");
}

TEST_F(DocumentDefaultsTest, OrderDefaults)
{
    const QDate today(2004, 4, 2);
    NarocRec.Opomba = "ostanek";
    tbNarocDefaultValue("08", today);
    EXPECT_EQ(NarocRec.Kljuc, "0408?????");
    EXPECT_EQ(NarocRec.Datum.date(), today);
    EXPECT_EQ(NarocRec.Oddelek, "Nabava");
    EXPECT_EQ(NarocRec.Narocnik, "Glavno skladišče");   // the event's recipient
    EXPECT_EQ(NarocRec.Prejemnik, "");                  // its third person
    EXPECT_EQ(NarocRec.DniZaVelj, 30);
    EXPECT_EQ(NarocRec.DatumVelj.date(), QDate(2004, 5, 2));
    EXPECT_EQ(NarocRec.CenRazred, "1");
    EXPECT_EQ(NarocRec.NacProdaje, "K");
    EXPECT_EQ(NarocRec.Valuta, "EUR");
    EXPECT_EQ(NarocRec.Potrjeno, "F");
    EXPECT_EQ(NarocRec.Opomba, "");
    EXPECT_FALSE(NarocRec.RokDobave.isValid());
    NarocPozRec.Naziv = "ostanek";
    NarocPozRec.Cena = 5;
    tbNarocPozDefaultValue();
    EXPECT_EQ(NarocPozRec.Naziv, "");
    EXPECT_DOUBLE_EQ(NarocPozRec.Cena, 0);
    EXPECT_EQ(NarocPozRec.UserSpre, "01");
}

// With POLNIREFIZSUBJ "T" the clerk comes from the partner: Referent for invoices and sale
// orders, DobReferent for purchase orders.
TEST_F(DocumentDefaultsTest, ClerkFromThePartner)
{
    db->clearDocuments();
    db->psql("UPDATE Param SET POLNIREFIZSUBJ = 'T'");
    DataSif->tbParameter->Close();
    TemplateSpec invoice;
    invoice.kljuc = "04G100001";
    invoice.subjekt = "Dobavitelj Delta d.o.o.";
    invoice.poslDogFak = "T2";
    invoice.lines = {{"T-STOR", "Ura", 1, 0, 0, ""}};
    db->addTemplate(invoice);
    TemplateSpec sale = invoice;
    sale.kljuc = "04G100002";
    sale.poslDogFak = "07";
    db->addTemplate(sale);
    TemplateSpec purchase = invoice;
    purchase.kljuc = "04G100003";
    purchase.poslDogFak = "08";
    db->addTemplate(purchase);
    RecordedRun run(QDate(2004, 3, 31), QDate(2004, 3, 31));
    run.run();
    db->psql("UPDATE Param SET POLNIREFIZSUBJ = 'F'");
    DataSif->tbParameter->Close();
    EXPECT_EQ(db->psql("SELECT Referent FROM Promet"), "02");
    EXPECT_EQ(db->psql("SELECT string_agg(PoslDog || ':' || Referent, ',' ORDER BY Kljuc) FROM Naroc"), "07:02,08:03");
}

TEST(RunLockTexts, BothServers)
{
    const SqlDialect sqlServer(SqlDialect::Kind::SqlServer);
    EXPECT_EQ(sqlServer.sessionLockStatement("Obdrac.KreiranjeDokumentov"),
              "SET NOCOUNT ON; DECLARE @Rezultat int; EXEC @Rezultat = sp_getapplock @Resource = "
              "'Obdrac.KreiranjeDokumentov', @LockMode = 'Exclusive', @LockOwner = 'Session', @LockTimeout = 0; "
              "SELECT CASE WHEN @Rezultat >= 0 THEN 1 ELSE 0 END AS Zaklenjeno");
    EXPECT_EQ(sqlServer.sessionUnlockStatement("Obdrac.KreiranjeDokumentov"),
              "EXEC sp_releaseapplock @Resource = 'Obdrac.KreiranjeDokumentov', @LockOwner = 'Session'");
    const SqlDialect postgres(SqlDialect::Kind::PostgreSQL);
    // FNV-1a of "a" is af63dc4c8601ec8c.
    EXPECT_EQ(SqlDialect::advisoryLockKey("a"), qint64(0xaf63dc4c8601ec8cULL));
    const QString key = QString::number(SqlDialect::advisoryLockKey(RunLock::ResourceName));
    EXPECT_EQ(postgres.sessionLockStatement(RunLock::ResourceName),
              "SELECT CASE WHEN pg_try_advisory_lock(" + key + ") THEN 1 ELSE 0 END AS Zaklenjeno");
    EXPECT_EQ(postgres.sessionUnlockStatement(RunLock::ResourceName), "SELECT pg_advisory_unlock(" + key + ")");
    EXPECT_TRUE(SqlDialect(SqlDialect::Kind::Other).sessionLockStatement("x").isEmpty());
}

} // namespace

namespace {

TEST(DocumentKeysInMemory, NextKey)
{
    EXPECT_EQ(DocumentRun::nextDocumentKey("041000007"), "041000008");
    EXPECT_EQ(DocumentRun::nextDocumentKey("031000099"), "031000100");
    EXPECT_EQ(DocumentRun::nextDocumentKey("0407?????"), "040700001");
    EXPECT_THROW(DocumentRun::nextDocumentKey("041099999"), Exception);
}

} // namespace
