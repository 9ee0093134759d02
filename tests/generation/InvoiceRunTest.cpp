// The invoice run on a real company database: which templates are due, the documents written
// for them column by column (values worked out by hand from the rules), partner types, numbering.
#include "GenerationFixture.h"
#include "RowCompare.h"
#include "pricing/MasterLookups.h"

namespace {

const QString PrometCols =
    "Kljuc, Referent, Oddelek, Izdajatelj, Prejemnik, Oseba3, Datum, PoslDog, DatumDDV, DatumVal, DniZaPlac, Valuta, "
    "Tecaj, PrejemnikZal, IzdajateljZal, PotrjeneCene, Vrednost, VredValuta, ZaPlacilo, Popust, Davek, DavekDDV, "
    "CenRazred, NacProdaje, Knjizen, Rabat, Transport, Dajatve, NepStr, VrDavek, DatDokum1, DatDokum2, Dokument1, "
    "Dokument2, Dostava, Izjava, KontOseba, KontOseba3, NacinPlac, NamenNak1, NamenNak2, NamenNak3, Oblika, "
    "OblikaFak, OblikaTL, Opomba, Sifra1, Sifra2, Sifra3, SklicNaStev1, SklicNaStev2, UserSpre, UserZap, KontoDB";
const QString PrometPozCols =
    "Kljuc, Poz, Ident, Naziv, EM, TS, Oddelek, TSDDV, DavekDDV, KontoKr, Kolicina, KolicinaTemp, Cena, Rabat, Davek, "
    "Dajatve, VpCena2P, VpCenaP, MpCenaP, NepStr, Transport, CenaZaVred, CenaValuta, MPCena, VPCena, VPCena2, VRDavek, "
    "ProdCena, VPoz, KolicPak, Trosarina, TrosarinaP, FieldL, Garancija, Opomba, Poreklo, StevPak, TipIzjavePoreklo, "
    "UserSpre, UserZap, VKljuc";

const QDate March31(2004, 3, 31);

class InvoiceRunTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { db = new GenerationDatabase("generation_invoice"); }
    static void TearDownTestSuite()
    {
        delete db;
        db = nullptr;
    }
    void SetUp() override { db->clearDocuments(); }

    static QString q(const QString& sql) { return db->psql(sql); }
    static int count(const QString& table, const QString& where = "TRUE")
    {
        return q("SELECT count(*) FROM " + table + " WHERE " + where).toInt();
    }
    static QString datZadFak(const QString& templateKey)
    {
        return q("SELECT coalesce(to_char(DatZadFak, 'YYYY-MM-DD'), 'NULL') FROM Obdrac WHERE Kljuc = '" + templateKey
                 + "'");
    }

    static GenerationDatabase* db;
};
GenerationDatabase* InvoiceRunTest::db = nullptr;

TemplateSpec simpleTemplate(const QString& key, const QString& partner = "Kupec Beta d.o.o.")
{
    TemplateSpec t;
    t.kljuc = key;
    t.subjekt = partner;
    t.poslDogFak = "T2";
    t.lines = {{"T-STOR", "Storitev", 1, 0, 0, ""}};
    return t;
}

// The whole invoice, every column, for a partner of price class 2 with a 5 % discount, an event
// with a default partner (whose yearly statement stays), goods, a service and an excise item.
TEST_F(InvoiceRunTest, InvoiceColumnsAsWorkedOutByHand)
{
    TemplateSpec t;
    t.kljuc = "04G100001";
    t.subjekt = "Kupec Alfa d.o.o.";
    t.poslDogFak = "T1";
    t.lines = {{"T-BLAGO", "Blago po pogodbi", 3, 0, 0, "Prva vrstica"},
               {"T-STOR", "Vzdrževanje", 2, 0, 0, ""},
               {"T-TRO", "Gorivo", 4, 0, 0, "Z O'Harovim dovoljenjem"}};
    db->addTemplate(t);

    RecordedRun run(March31, March31);
    const GenerationResult result = run.run();
    EXPECT_EQ(result.outcome, GenerationResult::Outcome::Completed);
    EXPECT_EQ(result.exitCode(), 0);
    EXPECT_EQ(result.invoicesWritten, 1);
    EXPECT_EQ(run.log, QStringList{"04T100001 / 04G100001 / Kupec Alfa d.o.o."});
    EXPECT_EQ(run.shown, QStringList{"Ali res želiš kreirati dokumente ?"});
    EXPECT_EQ(run.reopened, 1);

    const auto headers = selectRows(db->db(), PrometCols, "Promet");
    ASSERT_EQ(headers.size(), 1u);
    // Totals: values 270 + 72 + 36; discounts 18.63 + 3.60 + 1.80; tax 55.30 + 15.05 + 8.72 and
    // excise 5.42; gross 306.67 + 83.45 + 48.34.
    expectRow(headers[0], jsonRow(R"([
        "04T100001", "01", "Prodaja", "Glavno skladišče", "Kupec Alfa d.o.o.", "Tretja oseba",
        "2004-03-31T00:00:00", "T1", "2004-03-31T00:00:00", "2004-04-30T00:00:00", 30, "EUR",
        1, "N", "N", "F", 378, 0, 438.46, 24.03, 84.49, 0,
        "2", "K", "F", 0, 0, 0, 0, 0, "2004-01-10T00:00:00", null, "LI-1/2004",
        "", "FCO", "", "", "", "TRR", "", "", "",
        "", "", "", "", "", "", "", "", "", "01", "01", ""])"),
              PrometCols);

    const auto lines = selectRows(db->db(), PrometPozCols, "PrometPoz", "", "Poz");
    ASSERT_EQ(lines.size(), 3u);
    // Price class 2: VP price 2; discount 100 x (1 - 0.98 x 0.95) = 6.9 (item 2 %, partner 5 %).
    expectRow(lines[0], jsonRow(R"([
        "04T100001", 1, "T-BLAGO", "Blago po pogodbi", "KOS", "22", "Prodaja", "22", 22, "", 3, 0, 90, 6.9, 22,
        0, 50, 66.67, 22, 0, 0, 0, 0, 122, 100, 90, 0,
        100, 0, 0, 0, 0, "F", 12, "Prva vrstica", "", "", "",
        "01", "01", ""])"),
              PrometPozCols);
    expectRow(lines[1], jsonRow(R"([
        "04T100001", 2, "T-STOR", "Vzdrževanje", "URA", "22", "Servis", "22", 22, "", 2, 0, 36, 5, 22,
        0, 0, 0, 22, 0, 0, 0, 0, 48.8, 40, 36, 0,
        40, 0, 0, 0, 0, "F", 0, "", "", "", "",
        "01", "01", ""])"),
              PrometPozCols);
    expectRow(lines[2], jsonRow(R"([
        "04T100001", 3, "T-TRO", "Gorivo", "L", "22", "Prodaja", "22", 22, "", 4, 0, 9, 5, 22,
        0, 0, 0, 22, 0, 0, 0, 0, 12.2, 10, 9, 0,
        10, 0, 0, 0.5, 10, "F", 0, "Z O'Harovim dovoljenjem", "", "", "",
        "01", "01", ""])"),
              PrometPozCols);
    EXPECT_EQ(datZadFak("04G100001"), "2004-03-31");
}

// Which templates a run picks up, one template per case.
struct DueCase {
    const char* name;
    QString datum;
    QString datZadFak;
    QString datumZak;
    int periodika;
    QString aktivno;
    QString poslDogFak;
    QDate dueDate;
    int invoices;
    int orders = 0;
};

TEST_F(InvoiceRunTest, DueRule)
{
    const DueCase cases[] = {
        {"never invoiced, any period", "2004/01/01", "", "2004/12/31", 999, "T", "T2", March31, 1},
        {"first date after the due date", "2004/04/01", "", "2004/12/31", 30, "T", "T2", March31, 0},
        {"1 March + 30 on 31 March", "2004/01/01", "2004/03/01", "2004/12/31", 30, "T", "T2", March31, 1},
        {"1 March + 30 on 30 March", "2004/01/01", "2004/03/01", "2004/12/31", 30, "T", "T2", QDate(2004, 3, 30), 0},
        {"closed: last document after the closing date", "2004/01/01", "2004/03/01", "2004/02/15", 30, "T", "T2",
         QDate(2004, 6, 30), 0},
        {"no closing date, never invoiced", "2004/01/01", "", "", 30, "T", "T2", March31, 1},
        {"no closing date, invoiced once", "2004/01/01", "2004/01/01", "", 30, "T", "T2", QDate(2004, 6, 30), 0},
        {"period 0 on its own last date", "2004/01/01", "2004/03/31", "2004/12/31", 0, "T", "T2", March31, 1},
        {"inactive", "2004/01/01", "", "2004/12/31", 30, "F", "T2", March31, 0},
        {"order event: left to the order run", "2004/01/01", "", "2004/12/31", 30, "T", "07", March31, 0, 1},
        {"received-invoice event", "2004/01/01", "", "2004/12/31", 30, "T", "20", March31, 0},
        {"unknown business event", "2004/01/01", "", "2004/12/31", 30, "T", "XX", March31, 0},
    };
    for (const DueCase& c : cases) {
        SCOPED_TRACE(c.name);
        db->clearDocuments();
        TemplateSpec t = simpleTemplate("04G100001");
        t.datum = c.datum;
        t.datZadFak = c.datZadFak;
        t.datumZak = c.datumZak;
        t.periodika = c.periodika;
        t.aktivno = c.aktivno;
        t.poslDogFak = c.poslDogFak;
        db->addTemplate(t);
        RecordedRun run(c.dueDate, March31);
        const GenerationResult r = run.run();
        EXPECT_EQ(r.outcome, GenerationResult::Outcome::Completed);
        EXPECT_EQ(r.invoicesWritten, c.invoices);
        EXPECT_EQ(r.ordersWritten, c.orders);
        EXPECT_EQ(count("Promet"), c.invoices);
        EXPECT_EQ(count("Naroc"), c.orders);
        EXPECT_EQ(datZadFak("04G100001"), c.invoices + c.orders ? QString("2004-03-31")
                                                     : (c.datZadFak.isEmpty() ? QString("NULL")
                                                                              : QString(c.datZadFak).replace('/', '-')));
    }
}

TEST_F(InvoiceRunTest, SecondRunMakesNothingUnlessThePeriodIsZero)
{
    db->addTemplate(simpleTemplate("04G100001"));
    TemplateSpec everyRun = simpleTemplate("04G100002", "Kupec Gama d.o.o.");
    everyRun.periodika = 0;
    db->addTemplate(everyRun);

    RecordedRun first(March31, March31);
    EXPECT_EQ(first.run().invoicesWritten, 2);
    RecordedRun second(March31, March31);
    const GenerationResult r = second.run();
    EXPECT_EQ(r.invoicesWritten, 1);
    EXPECT_EQ(second.log, QStringList{"04T200003 / 04G100002 / Kupec Gama d.o.o."});
    EXPECT_EQ(count("Promet", "Prejemnik = 'Kupec Gama d.o.o.'"), 2);
    EXPECT_EQ(count("Promet", "Prejemnik = 'Kupec Beta d.o.o.'"), 1);
}

// A template without lines is neither made nor counted: with one due template beside it the
// gauge goes straight to 100.
TEST_F(InvoiceRunTest, TemplateWithoutLinesIsNotCounted)
{
    db->addTemplate(simpleTemplate("04G100001"));
    TemplateSpec empty = simpleTemplate("04G100002");
    empty.lines.clear();
    db->addTemplate(empty);
    RecordedRun run(March31, March31);
    EXPECT_EQ(run.run().invoicesWritten, 1);
    EXPECT_EQ(run.progress, (std::vector<int>{0, 100, 100, 0, 100}));
    EXPECT_EQ(datZadFak("04G100002"), "NULL");
}

TEST_F(InvoiceRunTest, NothingDue)
{
    RecordedRun run(March31, March31);
    const GenerationResult r = run.run();
    EXPECT_EQ(r.outcome, GenerationResult::Outcome::Completed);
    EXPECT_EQ(r.documentsWritten(), 0);
    EXPECT_TRUE(run.log.isEmpty());
    EXPECT_EQ(run.progress, (std::vector<int>{0, 100, 0, 100}));
    EXPECT_EQ(run.commits, 0);
}

TEST_F(InvoiceRunTest, CancelMakesNothingButReopensTheList)
{
    db->addTemplate(simpleTemplate("04G100001"));
    RecordedRun run(March31, March31);
    ScriptedMessageBoxes boxes;
    boxes.answer(MsgButton::Cancel);
    const GenerationResult r = bKreiranjeClick(run.criteria, run.callbacks);
    EXPECT_EQ(r.outcome, GenerationResult::Outcome::Cancelled);
    EXPECT_EQ(r.exitCode(), 4);
    EXPECT_EQ(run.reopened, 1);
    EXPECT_EQ(count("Promet"), 0);
}

// Partner and business-event criteria: "%" appends another "%", an apostrophe is doubled.
TEST_F(InvoiceRunTest, Criteria)
{
    db->addTemplate(simpleTemplate("04G100001", "Kupec Alfa d.o.o."));
    db->addTemplate(simpleTemplate("04G100002", "Kupec Beta d.o.o."));
    db->addTemplate(simpleTemplate("04G100003", "Kupec O'Hara"));
    TemplateSpec other = simpleTemplate("04G100004", "Kupec Gama d.o.o.");
    other.poslDogFak = "T1";
    db->addTemplate(other);

    struct Case {
        QString subjekt;
        QString poslDog;
        QStringList templates;
    };
    const Case cases[] = {
        {"Kupec %", "", {"04G100001", "04G100002", "04G100003", "04G100004"}},
        {"Kupec %", "T1", {"04G100004"}},
        {"Kupec O'Hara", "", {"04G100003"}},
        {"Kupec _eta d.o.o.", "", {"04G100002"}},
        {"", "T_", {"04G100001", "04G100002", "04G100003", "04G100004"}},
        {"Kupec", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.subjekt + " / " + c.poslDog).toStdString());
        db->psql("DELETE FROM PrometPoz; DELETE FROM Promet; UPDATE Obdrac SET DatZadFak = NULL;");
        GenerationDatabase::resetRecords();
        RecordedRun run(March31, March31);
        run.criteria.Subjekt = c.subjekt;
        run.criteria.PoslDog = c.poslDog;
        run.run();
        QStringList made;
        for (const QString& line : run.log)
            made << line.section(" / ", 1, 1);
        EXPECT_EQ(made, c.templates);
    }
}

// A partner-type template: one invoice per partner of the type (customer or supplier type), in
// name order, with consecutive keys and one template update each; a type without partners
// makes nothing and leaves the template as it was.
TEST_F(InvoiceRunTest, PartnerTypeTemplate)
{
    TemplateSpec type = simpleTemplate("04G100001", "TST");
    type.tip = "T";
    db->addTemplate(type);
    TemplateSpec nobody = simpleTemplate("04G100002", "NIKOGAR");
    nobody.tip = "T";
    db->addTemplate(nobody);

    RecordedRun run(March31, March31);
    QString batch;
    run.callbacks.beforeCommit = [&] { batch += DataSif->UpdateHstmt.SQL(); };
    const GenerationResult r = run.run();
    EXPECT_EQ(r.invoicesWritten, 3);
    // the type without partners is reported, not passed over in silence
    EXPECT_EQ(run.log, (QStringList{"04T200001 / 04G100001 / Kupec Alfa d.o.o.",
                                    "04T200002 / 04G100001 / Kupec Beta d.o.o.",
                                    "04T200003 / 04G100001 / Kupec Gama d.o.o.",
                                    "04G100002 / NIKOGAR - NI KREIRAN: noben partner nima tipa partnerja NIKOGAR"}));
    EXPECT_EQ(r.templatesNotMade, 1);
    EXPECT_EQ(r.exitCode(), 1);
    EXPECT_EQ(r.summaryLines().first(), "Kreiranih dokumentov: 3 (računov: 3, naročil: 0).");
    EXPECT_EQ(batch.count("UPDATE Obdrac SET DatZadFak = '2004/03/31' WHERE Kljuc = '04G100001'; "), 3);
    EXPECT_EQ(batch.count("UPDATE Obdrac"), 3);
    EXPECT_EQ(datZadFak("04G100001"), "2004-03-31");
    EXPECT_EQ(datZadFak("04G100002"), "NULL");
    EXPECT_EQ(q("SELECT string_agg(Kljuc || ':' || Prejemnik || ':' || DniZaPlac, ',' ORDER BY Kljuc) FROM Promet"),
              "04T200001:Kupec Alfa d.o.o.:30,04T200002:Kupec Beta d.o.o.:15,04T200003:Kupec Gama d.o.o.:8");
    // A partner type with an apostrophe is quoted, not broken.
    db->clearDocuments();
    TemplateSpec quoted = simpleTemplate("04G100003", "O'HA");
    quoted.tip = "T";
    db->addTemplate(quoted);
    RecordedRun again(March31, March31);
    EXPECT_EQ(again.run().outcome, GenerationResult::Outcome::Completed);
    EXPECT_EQ(count("Promet"), 0);
}

// More partners in a block than one preload takes: the partners whose documents come next are
// preloaded a window at a time (one statement for the partners and one for their contract rows
// per window), and the documents are those of a run that reads every partner on its own.
TEST_F(InvoiceRunTest, PartnersPreloadedInWindows)
{
    struct WindowPartners {
        WindowPartners()
        {
            q("INSERT INTO Subjekt (Naziv, Kupec, Dobavitelj, TipPartnerjaO, TipPartnerjaI, CenRazred, Rabat, NacIzrCene,"
              " NacProdaje, Valuta, DniZaPlac, NacinPlac, UserZap, UserSpre)"
              " SELECT 'Okno ' || n, 'T', 'F', 'OKN', '', (n % 3 + 1)::text, n, '', 'K', 'EUR', n, 'TRR', '00', '00'"
              " FROM generate_series(1, 7) n;"
              "INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok,"
              " RokPlacila, UserZap, UserSpre)"
              " SELECT 'Okno ' || n, 'T-STOR', 'P', 'S', 'EUR', 30 + n, 1, '', 0, 0, '00', '00'"
              " FROM generate_series(1, 7, 3) n");
        }
        ~WindowPartners()
        {
            q("DELETE FROM SubjektCenik WHERE Subjekt LIKE 'Okno %'; DELETE FROM Subjekt WHERE Naziv LIKE 'Okno %'");
            LookupRunCache::setPreloadWindow(LookupRunCache::MaxPreloadPartners);
            LookupRunCache::setEnabled(true);
        }
    } partners;
    // The type's seven partners, then one of them again on a template of its own.
    const auto run = [&](int window, bool cache) {
        db->clearDocuments();
        TemplateSpec type = simpleTemplate("04G100001", "OKN");
        type.tip = "T";
        type.lines.push_back({"T-BLAGO", "Blago", 2, 0, 0, ""});
        db->addTemplate(type);
        db->addTemplate(simpleTemplate("04G100002", "Okno 2"));
        LookupRunCache::setPreloadWindow(window);
        LookupRunCache::setEnabled(cache);
        const qint64 before = lookupQueryCount();
        RecordedRun r(March31, March31);
        EXPECT_EQ(r.run().invoicesWritten, 8);
        const qint64 statements = lookupQueryCount() - before;
        const QString documents =
            q("SELECT string_agg((to_jsonb(p) - 'datumzap' - 'datumspre')::text, ' ' ORDER BY Kljuc) FROM Promet p")
            + q("SELECT string_agg((to_jsonb(p) - 'datumzap' - 'datumspre')::text, ' ' ORDER BY Kljuc, Poz)"
                " FROM PrometPoz p");
        return std::pair{statements, documents};
    };
    const auto [alone, aloneDocuments] = run(LookupRunCache::MaxPreloadPartners, false);
    const auto [one, oneDocuments] = run(LookupRunCache::MaxPreloadPartners, true);
    const auto [windows, windowDocuments] = run(3, true);
    // Windows {Okno 1-3}, {Okno 4-6}, {Okno 7, Okno 2}: two partner statements more than one
    // window, and two contract statements more (Okno 1, 4 and 7 have contract rows).
    EXPECT_EQ(windows, one + 4);
    EXPECT_LT(one, alone);
    EXPECT_EQ(oneDocuments, aloneDocuments);
    EXPECT_EQ(windowDocuments, aloneDocuments);
    EXPECT_TRUE(aloneDocuments.contains("Okno 7"));
    EXPECT_EQ(q("SELECT count(*) FROM PrometPoz WHERE Ident = 'T-STOR' AND Cena = 34"), "1");   // Okno 4's price

    // The partners' type has contract rows too: they come with the window's contract rows, not
    // in a statement of their own, and price the type's documents as the uncached run does.
    q("INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok, RokPlacila,"
      " UserZap, UserSpre) VALUES ('OKN', 'T-BLAGO', 'P', 'S', 'EUR', 77, 0, '', 0, 0, '00', '00')");
    const auto [typeAlone, typeAloneDocuments] = run(LookupRunCache::MaxPreloadPartners, false);
    const auto [typeOne, typeOneDocuments] = run(LookupRunCache::MaxPreloadPartners, true);
    const auto [typeWindows, typeWindowDocuments] = run(3, true);
    q("DELETE FROM SubjektCenik WHERE Subjekt = 'OKN'");
    EXPECT_EQ(typeOne, one);
    EXPECT_EQ(typeWindows, windows);
    EXPECT_EQ(typeOneDocuments, typeAloneDocuments);
    EXPECT_EQ(typeWindowDocuments, typeAloneDocuments);
    EXPECT_NE(typeAloneDocuments, aloneDocuments);   // the type's price counted
}

// A line whose item does not exist is skipped and its position is not used. A template none of
// whose items exists between two due templates of the same business event takes no number (the
// keys stay consecutive, no gap in the database), is reported "NI KREIRAN", gives exit code 1 and
// stays due: the next run reports it again and numbers on without a gap.
TEST_F(InvoiceRunTest, MissingItems)
{
    TemplateSpec t = simpleTemplate("04G100001");
    t.lines = {{"T-STOR", "Prva", 1, 0, 0, ""}, {"NI-GA-VEC", "Ukinjeno", 1, 5, 0, ""}, {"T-BLAGO", "Tretja", 1, 0, 0, ""}};
    db->addTemplate(t);
    TemplateSpec none = simpleTemplate("04G100002");
    none.lines = {{"NI-GA-1", "Ukinjeno", 1, 5, 0, ""}};
    db->addTemplate(none);
    TemplateSpec third = simpleTemplate("04G100003", "Kupec Gama d.o.o.");
    third.periodika = 0;   // due again at the next run
    db->addTemplate(third);

    RecordedRun run(March31, March31);
    const GenerationResult r = run.run();
    EXPECT_EQ(r.invoicesWritten, 2);
    EXPECT_EQ(q("SELECT string_agg(Kljuc || ':' || Poz || ':' || Ident, ',' ORDER BY Kljuc, Poz) FROM PrometPoz"),
              "04T200001:1:T-STOR,04T200001:2:T-BLAGO,04T200002:1:T-STOR");
    EXPECT_EQ(q("SELECT string_agg(Kljuc, ',' ORDER BY Kljuc) FROM Promet"), "04T200001,04T200002");
    EXPECT_EQ(datZadFak("04G100002"), "NULL");
    const QString notMade = "04G100002 / Kupec Beta d.o.o. - NI KREIRAN: nobena postavka nima obstoječega artikla";
    EXPECT_EQ(run.log, (QStringList{"04T200001 / 04G100001 / Kupec Beta d.o.o.", notMade,
                                    "04T200002 / 04G100003 / Kupec Gama d.o.o."}));
    EXPECT_EQ(r.templatesNotMade, 1);
    EXPECT_EQ(r.notMade, QStringList{notMade});
    EXPECT_EQ(r.exitCode(), 1);
    EXPECT_EQ(r.summaryLines(),
              (QStringList{"Kreiranih dokumentov: 2 (računov: 2, naročil: 0).",
                           "Zapadlih periodik brez dokumenta: 1 (razlog je v vrstici NI KREIRAN; periodike ostanejo "
                           "zapadle, dokler jih ne popraviš)."}));

    // still due: reported again, and the next number follows the last one written
    RecordedRun again(March31, March31);
    const GenerationResult r2 = again.run();
    EXPECT_EQ(again.log, (QStringList{notMade, "04T200003 / 04G100003 / Kupec Gama d.o.o."}));
    EXPECT_EQ(r2.exitCode(), 1);
    EXPECT_EQ(q("SELECT string_agg(Kljuc, ',' ORDER BY Kljuc) FROM Promet"), "04T200001,04T200002,04T200003");
}

// Own prices ("F") stay; with "T" a contract price of the partner wins over the template's.
TEST_F(InvoiceRunTest, TemplatePricesAndContractPrices)
{
    TemplateSpec own = simpleTemplate("04G100001", "Kupec Alfa d.o.o.");
    own.nacIzrCene = "F";
    own.lines = {{"T-STOR", "Po dogovoru", 2, 12.5, 10, ""}};
    db->addTemplate(own);
    TemplateSpec contract = simpleTemplate("04G100002", "Kupec Alfa d.o.o.");
    contract.lines = {{"T-STOR", "Po pogodbi", 2, 12.5, 10, ""}};
    db->addTemplate(contract);
    q("INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, UserZap, UserSpre)"
      " VALUES ('Kupec Alfa d.o.o.', 'T-STOR', 'P', 'S', 'EUR', 33, 0, '', '00', '00')");

    RecordedRun run(March31, March31);
    run.run();
    q("DELETE FROM SubjektCenik WHERE Subjekt = 'Kupec Alfa d.o.o.'");
    const QString cols = "Kljuc, Cena, Rabat, Davek";
    const auto lines = selectRows(db->db(), cols, "PrometPoz", "", "Kljuc");
    ASSERT_EQ(lines.size(), 2u);
    expectRow(lines[0], jsonRow(R"(["04T200001", 12.5, 10, 22])"), cols);
    expectRow(lines[1], jsonRow(R"(["04T200002", 33, 0, 22])"), cols);
    // 25 - 2.50 + 4.95 and 66 - 0 + 14.52 (tax and totals are computed either way).
    const QString hcols = "Kljuc, Vrednost, Popust, Davek, ZaPlacilo";
    const auto headers = selectRows(db->db(), hcols, "Promet", "", "Kljuc");
    ASSERT_EQ(headers.size(), 2u);
    expectRow(headers[0], jsonRow(R"(["04T200001", 25, 2.5, 4.95, 27.45])"), hcols);
    expectRow(headers[1], jsonRow(R"(["04T200002", 66, 0, 14.52, 80.52])"), hcols);
}

// An item priced in another currency: its prices are converted by the price-list rates.
TEST_F(InvoiceRunTest, ItemInAnotherCurrency)
{
    TemplateSpec t = simpleTemplate("04G100001");
    t.lines = {{"T-USD", "Licenca", 2, 0, 0, ""}};
    db->addTemplate(t);
    RecordedRun run(March31, March31);
    run.run();
    const QString cols = "MPCena, VPCena, VPCena2, ProdCena, Cena, Rabat";
    const auto lines = selectRows(db->db(), cols, "PrometPoz");
    ASSERT_EQ(lines.size(), 1u);
    expectRow(lines[0], jsonRow(R"([48.8, 40, 36, 40, 40, 0])"), cols);
    EXPECT_EQ(q("SELECT Valuta || ' ' || Tecaj FROM Promet"), "EUR 1");
}

// Keys: the year digits follow the document date; the first key of a business event continues
// after the greatest existing one, the next ones are counted in memory (both documents go to the
// database in one batch, so a second query could not have seen the first).
TEST_F(InvoiceRunTest, DocumentKeys)
{
    db->addTemplate(simpleTemplate("04G100001"));
    db->addTemplate(simpleTemplate("04G100002", "Kupec Gama d.o.o."));
    RecordedRun nextYear(QDate(2004, 12, 31), QDate(2005, 1, 5));
    nextYear.run();
    EXPECT_EQ(nextYear.log, (QStringList{"05T200001 / 04G100001 / Kupec Beta d.o.o.",
                                         "05T200002 / 04G100002 / Kupec Gama d.o.o."}));
    EXPECT_EQ(q("SELECT string_agg(to_char(Datum, 'YYYY-MM-DD'), ',') FROM Promet"), "2005-01-05,2005-01-05");
    EXPECT_EQ(datZadFak("04G100001"), "2005-01-05");

    db->clearDocuments();
    q("INSERT INTO Promet (Kljuc, PoslDog, Prejemnik) VALUES ('04T200041', 'T2', 'Prej'), ('05T200077', 'T2', 'Pozneje'),"
      " ('04T100099', 'T1', 'Drug dogodek')");
    db->addTemplate(simpleTemplate("04G100001"));
    db->addTemplate(simpleTemplate("04G100002", "Kupec Gama d.o.o."));
    RecordedRun run(March31, March31);
    run.run();
    EXPECT_EQ(run.log, (QStringList{"04T200042 / 04G100001 / Kupec Beta d.o.o.",
                                    "04T200043 / 04G100002 / Kupec Gama d.o.o."}));
    EXPECT_EQ(run.commits, 1);
}

// Every header's Davek is tax plus excise and ZaPlacilo = Vrednost - Popust + Davek.
TEST_F(InvoiceRunTest, HeaderTotalsAddUp)
{
    TemplateSpec t = simpleTemplate("04G100001", "TST");
    t.tip = "T";
    t.lines = {{"T-BLAGO", "A", 3, 0, 0, ""}, {"T-TRO", "B", 7, 0, 0, ""}, {"T-USD", "C", 1.5, 0, 0, ""}};
    db->addTemplate(t);
    RecordedRun run(March31, March31);
    EXPECT_EQ(run.run().invoicesWritten, 3);
    EXPECT_EQ(count("Promet", "ZaPlacilo <> Vrednost - Popust + Davek"), 0);
    EXPECT_EQ(count("Promet", "Vrednost = 0"), 0);
}

} // namespace
