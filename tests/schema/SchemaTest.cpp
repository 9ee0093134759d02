// The company database schema and the demo companies (db/schema.sql, db/demo.sql,
// db/demo2.sql): the program's SQL texts run on them unchanged and the demo data holds the
// scenarios that the rest of the program and its tests rely on.
#include "TestDatabase.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace {

QStringList rows(const QString& output)
{
    return output.isEmpty() ? QStringList() : output.split('\n');
}

// The due conditions of the invoice and the order run for a due date (yyyy/mm/dd).
QString invoiceCondition(const QString& due)
{
    return " AND G.Aktivno = 'T' AND (G.DatZadFak IS NULL OR G.DatZadFak + G.Periodika <= '" + due + "') "
           " AND (G.DatZadFak IS NULL OR G.DatZadFak <= G.DatumZak) AND D.Vrsta = 'F' AND D.Tip = 'I' "
           " AND G.Datum <= '" + due + "' ";
}

QString orderCondition(const QString& due)
{
    return " AND G.Aktivno = 'T' AND (G.DatZadFak IS NULL OR G.DatZadFak + G.Periodika <= '" + due + "') "
           " AND (G.DatZadFak IS NULL OR G.DatZadFak <= G.DatumZak) AND D.Vrsta = 'N' "
           " AND G.Datum <= '" + due + "' ";
}

const QString kHasLines = " AND G.Kljuc IN (SELECT P.Kljuc FROM ObdracPoz P WHERE G.Kljuc = P.Kljuc)";

QString selection(const QString& condition)
{
    return "SELECT G.Kljuc, G.Subjekt, G.NacIzrCene, G.Tip, G.Periodika, G.Datum, G.DatZadFak, G.PoslDogFak, "
           "G.Valuta FROM Obdrac G, PoslDog D WHERE G.PoslDogFak = D.PoslDog " +
           condition + kHasLines + " ORDER BY G.Kljuc";
}

// Column lists of the master-data look-ups.
const char* kItemColumns =
    "Aktivno, CarTarifa, Cena, CenaDob, Dajatve, Davek, DimGlobina, DimSirina, DimTeza, DimTezaBruto, "
    "DimVisina, Dobavitelj, EM, EM2, EM3, EMDim1, EMDim2, EMSarza, EMToDeklaracija, EMToEM2, EMToEM3, "
    "Evidencno, FieldNA, FieldNB, FieldSA, FieldSB, FieldSC, Formula, Garancija, IzpisDeklaracija, "
    "IzracunKalk, Kalo, Klasif, Klasif2, KlasifPod, Koda, KolicSarza, KolicVKodi, Konto, MaxZaloga, "
    "MinZaloga, MPCena, MPCenaP, NabaCena, NarocPreVProiz, Naziv, NepStr, Normirano, Oddelek, OptZaloga, "
    "Popust, Poreklo, PorekloTipIzjava, PoslDogProiz, ProdCena, Rabat, SerialNo, Sestavnica, SestavnicaP, "
    "Stolpec, TipIzjavePoreklo, Transport, Trosarina, TrosarinaP, TS, TSZnizana, Valuta, ValutaDob, "
    "VPCena, VPCena2, VPCena2P, VPCenaP, VRDavek, VrstaMS";
// "limit" is a reserved word in PostgreSQL and has to be quoted there.
const char* kPartnerColumns =
    "Banka, CenRazred, DatumInvent, DatumIzj, DatumLim, Delavec, DniZaPlac, Dobavitelj, DobDatumIzj, "
    "DobDatumLim, DobDniZaPlac, DobDostava, DobIzjava, DobLetnaIzjava, DobLimit, DobNacinPlac, "
    "DobNacIzrCene, DobNacProdaje, DobRabat, DobReferent, DobValuta, Dostava, Drzava, Fax, Geslo, Izjava, "
    "KM, KrajSkup, Kupec, LetnaIzjava, \"limit\", MaticnaStev, Ziro3, NacinPlac, NacIzrCene, NacProdaje, "
    "Naslov, Naziv2, Obcina, Oddelek, Placnik, Posta, Rabat, Referent, ZalVMinus, SifDejavnost, Sifra, "
    "Skladisce, Sola, Tel, TipPartnerjaI, TipPartnerjaO, Uporabnik, Ustanova, Valuta, VirPrty, VirZiro23, "
    "VodZaloge, VredZaloge, Ziro1, Ziro2";

class SchemaTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_db = std::make_unique<TestDatabase>("schema"); }
    static void TearDownTestSuite() { s_db.reset(); }
    static QString q(const QString& sql) { return s_db->psql(sql); }
    static QString today() { return q("SELECT to_char(CURRENT_DATE, 'YYYY/MM/DD')"); }
    static std::unique_ptr<TestDatabase> s_db;
};
std::unique_ptr<TestDatabase> SchemaTest::s_db;

// ---------------------------------------------------------------------------------------------
// Date arithmetic of the due rule

struct DueCase {
    const char* datZadFak;   // NULL or a date literal
    const char* periodika;   // NULL or a number
    const char* due;
    bool expected;
};

TEST_F(SchemaTest, DueRuleAddsDaysAsTheSuiteDoes)
{
    const DueCase cases[] = {
        {"'2003/03/01'", "30", "2003/03/31", true},    // exactly the period
        {"'2003/03/01'", "30", "2003/03/30", false},   // one day short
        {"NULL", "30", "2003/01/01", true},            // never invoiced
        {"'2003/03/01'", "0", "2003/03/01", true},     // period 0: due at once
        {"'2003/03/01'", "NULL", "2003/12/31", false}, // no period: no date, not due
        {"'2003/12/20'", "15", "2004/01/04", true},    // across the year
        {"'2004/02/28'", "1", "2004/02/29", true},     // leap day
    };
    // a scratch table with the template's column types, so the demo templates stay untouched
    q("CREATE TABLE due_case (DatZadFak timestamp(3), Periodika smallint)");
    for (const DueCase& c : cases) {
        q("TRUNCATE due_case");
        q(QString("INSERT INTO due_case VALUES (%1, %2)").arg(c.datZadFak, c.periodika));
        const QString got = q(QString("SELECT COUNT(*) FROM due_case G WHERE (G.DatZadFak IS NULL OR "
                                      "G.DatZadFak + G.Periodika <= '%1')")
                                  .arg(c.due));
        EXPECT_EQ(got, c.expected ? "1" : "0") << c.datZadFak << " + " << c.periodika << " <= " << c.due;
    }
    q("DROP TABLE due_case");
}

TEST_F(SchemaTest, TimestampPlusNumberAddsDays)
{
    const struct {
        const char* expr;
        const char* expected;
    } cases[] = {
        {"'2003/03/01'::timestamp + 30", "2003-03-31 00:00:00"},
        {"'2003/03/01'::timestamp + 30::smallint", "2003-03-31 00:00:00"},
        {"'2003/03/01'::timestamp + 2::bigint", "2003-03-03 00:00:00"},
        {"'2003/03/01'::timestamp + 1.5", "2003-03-02 12:00:00"},
        {"'2003/03/01'::timestamp + (-1)", "2003-02-28 00:00:00"},
        {"'2003/03/01'::timestamp - 1", "2003-02-28 00:00:00"},
        {"'2003/03/01 10:20:30'::timestamp + 1", "2003-03-02 10:20:30"},
        {"'2003/03/01'::timestamp + interval '1 day'", "2003-03-02 00:00:00"},
        {"(NULL::timestamp + 1) IS NULL", "t"},
        {"('2003/03/01'::timestamp + NULL::smallint) IS NULL", "t"},
        {"'2003/03/31'::timestamp - '2003/03/01'::timestamp", "30 days"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(q(QString("SELECT %1").arg(c.expr)), c.expected) << c.expr;
}

// ---------------------------------------------------------------------------------------------
// Literal formats and quoting

TEST_F(SchemaTest, LiteralFormatsOfTheProgram)
{
    EXPECT_EQ(q("SELECT '2003/05/17 10:20:30'::timestamp(3)"), "2003-05-17 10:20:30");
    EXPECT_EQ(q("SELECT '2003/05/17 10:20:30.250'::timestamp(3)"), "2003-05-17 10:20:30.25");
    // the milliseconds after a colon are not a PostgreSQL date-time: the program has to
    // write them after a full stop on this server
    EXPECT_THROW(q("SELECT '2003/05/17 10:20:30:250'::timestamp"), std::runtime_error);
    EXPECT_EQ(q("SELECT Naziv FROM Subjekt WHERE Naziv = 'O''Neil d.o.o.'"), "O'Neil d.o.o.");
    EXPECT_EQ(q("SELECT length(Naziv) FROM Subjekt WHERE Naziv = 'Čebelarstvo Žužek s.p.'"), "22");
    EXPECT_EQ(q("SELECT COUNT(*) FROM Subjekt WHERE Naziv LIKE 'O''Neil%%'"), "1");
}

// ---------------------------------------------------------------------------------------------
// The write hook's key index

TEST_F(SchemaTest, KeyIndexNamesExistingKeyColumnsOfEveryWrittenTable)
{
    const QStringList written = {"Param", "Obdrac", "ObdracPoz", "Promet", "PrometPoz", "Naroc",
                                 "NarocPoz", "Report", "ODDel"};
    for (const QString& table : written)
        EXPECT_EQ(q("SELECT COUNT(*) FROM SintrexIndex WHERE upper(TableName) = upper('" + table + "')"), "1")
            << table.toStdString();

    EXPECT_EQ(q("SELECT FieldsName FROM SintrexIndex WHERE TableName = 'ObdracPoz'"), "Kljuc;Poz");
    // every key field named exists in its table and is part of its primary key
    for (const QString& row : rows(q("SELECT TableName, FieldsName FROM SintrexIndex"))) {
        const QString table = row.section('|', 0, 0);
        for (const QString& field : row.section('|', 1).split(';')) {
            const QString sql =
                "SELECT COUNT(*) FROM information_schema.key_column_usage k "
                "JOIN information_schema.table_constraints c ON c.constraint_name = k.constraint_name "
                "WHERE c.constraint_type = 'PRIMARY KEY' AND k.table_name = lower('" + table +
                "') AND k.column_name = lower('" + field + "')";
            EXPECT_EQ(q(sql), "1") << table.toStdString() << "." << field.toStdString();
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Look-up statements over the demo company

TEST_F(SchemaTest, MasterDataLookupsRunWithTheirFullColumnLists)
{
    const QString item = q(QString("SELECT %1 FROM MS WHERE Ident = 'RAC-NB15'").arg(kItemColumns));
    EXPECT_EQ(item.split('|').size(), 74);
    EXPECT_EQ(q(QString("SELECT %1 FROM MS WHERE Ident LIKE 'RAC%%' ORDER BY Ident").arg(kItemColumns))
                  .section('|', 45, 45),
              "Delovna postaja - komplet");
    const QString partner = q(QString("SELECT %1 FROM Subjekt WHERE Naziv = 'Žito d.d.'").arg(kPartnerColumns));
    EXPECT_EQ(partner.split('|').size(), 61);
    EXPECT_EQ(q("SELECT Naziv, Tip FROM VrstaMS WHERE VrstaMS = 'STO'"), "Storitve|S");
    EXPECT_EQ(q("SELECT Davek FROM TarSt WHERE TS = '95'"), "9.5");
    EXPECT_EQ(q("SELECT KontOseba FROM KontOs WHERE Subjekt = 'O''Neil d.o.o.' ORDER BY Poz").section('\n', 0, 0),
              "Mary O'Neil");
    EXPECT_EQ(q("SELECT Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok, RokPlacila "
                "FROM SubjektCenik WHERE Subjekt = 'VZD' AND Ident = 'VZD-RAC' AND PreIzd = 'P'"),
              "VZD|VZD-RAC|P|T|EUR|0.0000|0|KOL10|0|30");
    // every contract formula and item formula names an existing formula
    EXPECT_EQ(q("SELECT COUNT(*) FROM (SELECT Formula FROM SubjektCenik UNION SELECT Formula FROM MS) f "
                "WHERE f.Formula <> '' AND f.Formula NOT IN (SELECT Sifra FROM MsFormula)"),
              "0");
}

TEST_F(SchemaTest, NamesSortInSlovenianOrder)
{
    const QStringList names = rows(q("SELECT Naziv FROM Subjekt WHERE TipPartnerjaI LIKE 'VZD' OR "
                                     "TipPartnerjaO LIKE 'VZD' ORDER BY Naziv"));
    EXPECT_EQ(names, QStringList({"Avtoservis Šinkovec d.o.o.", "Cvetličarna Cvet s.p.",
                                  "Čistilni servis Čisto d.o.o.", "Dr. Novak Peter s.p.",
                                  "Frizerski salon Urška"}));
    EXPECT_EQ(q("SELECT COUNT(*) FROM Subjekt WHERE TipPartnerjaI LIKE 'PRAZNO' OR TipPartnerjaO LIKE 'PRAZNO'"),
              "0");
}

// ---------------------------------------------------------------------------------------------
// Demo scenarios of the runs

TEST_F(SchemaTest, InvoiceRunSelectsTheDueInvoiceTemplates)
{
    const QString due = today();
    const QStringList keys = rows(q(selection(invoiceCondition(due)))).replaceInStrings(QRegularExpression("\\|.*"), "");
    EXPECT_EQ(keys, QStringList({"25G100001", "25G100002", "25G100006", "25G100007", "25G100008", "25G100010",
                                 "25G100011", "25G100012", "25G200005", "25G200006"}));
    EXPECT_EQ(q("SELECT COUNT(*) AS Stevilo FROM Obdrac G, PoslDog D WHERE G.PoslDogFak = D.PoslDog " +
                invoiceCondition(due) + kHasLines),
              "10");
    // the partner criterion with an apostrophe and a pattern
    EXPECT_EQ(q("SELECT COUNT(*) FROM Obdrac G, PoslDog D WHERE G.PoslDogFak = D.PoslDog " + invoiceCondition(due) +
                " AND (G.Subjekt LIKE 'O''Neil%%')" + kHasLines),
              "1");
}

TEST_F(SchemaTest, OrderRunSelectsTheDueOrderTemplates)
{
    const QString sql = "SELECT G.Kljuc, D.Tip FROM Obdrac G, PoslDog D WHERE G.PoslDogFak = D.PoslDog " +
                        orderCondition(today()) + kHasLines + " ORDER BY G.Kljuc";
    EXPECT_EQ(rows(q(sql)), QStringList({"25G200001|P", "25G200002|N", "25G200003|P", "25G200004|N"}));
}

TEST_F(SchemaTest, TemplatesAreConsistent)
{
    // key = two year digits of Datum + template group + five digits
    EXPECT_EQ(q("SELECT COUNT(*) FROM Obdrac G WHERE substr(G.Kljuc, 1, 2) <> to_char(G.Datum, 'YY') "
                "OR substr(G.Kljuc, 3, 2) <> G.PoslDog OR substr(G.Kljuc, 5, 5) !~ '^[0-9]{5}$' "
                "OR G.PoslDog NOT IN (SELECT PoslDog FROM PoslDog WHERE Vrsta = 'G')"),
              "0");
    // the closing date follows the number of periods wherever that is set
    EXPECT_EQ(q("SELECT COUNT(*) FROM Obdrac WHERE StevObrokov > 0 AND DatumZak <> Datum + StevObrokov * Periodika"),
              "0");
    // lines are numbered in steps of 5; only the documented lines name missing items
    EXPECT_EQ(q("SELECT COUNT(*) FROM ObdracPoz WHERE Poz % 5 <> 0"), "0");
    EXPECT_EQ(rows(q("SELECT Ident FROM ObdracPoz WHERE Ident NOT IN (SELECT Ident FROM MS) ORDER BY Ident")),
              QStringList({"UKINJENO-1", "UKINJENO-2", "UKINJENO-99"}));
    EXPECT_EQ(q("SELECT COUNT(*) FROM ObdracPoz WHERE Kljuc = '25G100009'"), "0");
}

TEST_F(SchemaTest, NumberingContinuesFromExistingDocuments)
{
    const QString yy = q("SELECT to_char(CURRENT_DATE, 'YY')");
    EXPECT_EQ(q("SELECT MAX(Kljuc) AS MaxValue FROM Promet WHERE Kljuc LIKE '" + yy + "10%'"), yy + "1000003");
    EXPECT_EQ(q("SELECT MAX(Kljuc) AS MaxValue FROM Naroc WHERE Kljuc LIKE '" + yy + "07%'"), yy + "0700002");
    EXPECT_EQ(q("SELECT MAX(Kljuc) AS MaxValue FROM Promet WHERE Kljuc LIKE '" + yy + "11%'"), "");
    EXPECT_EQ(q("SELECT MAX(Poz) AS MaxValue FROM ObdracPoz WHERE Kljuc = '25G100001'"), "15");
    // every document's year digits follow its date, and lines belong to an existing header
    EXPECT_EQ(q("SELECT COUNT(*) FROM Promet WHERE substr(Kljuc, 1, 2) <> to_char(Datum, 'YY')"), "0");
    EXPECT_EQ(q("SELECT COUNT(*) FROM PrometPoz WHERE Kljuc NOT IN (SELECT Kljuc FROM Promet)"), "0");
    EXPECT_EQ(q("SELECT COUNT(*) FROM NarocPoz WHERE Kljuc NOT IN (SELECT Kljuc FROM Naroc)"), "0");
}

TEST_F(SchemaTest, GeneratedDocumentBatchRunsInOneText)
{
    const QString yy = q("SELECT to_char(CURRENT_DATE, 'YY')");
    const QString key = yy + "1000004";
    q("INSERT INTO PrometPoz(Kljuc,Poz,Ident,Naziv,Kolicina,Cena,Rabat) VALUES ('" + key +
      "',1,'ZIV-KAVA','Kava',10,12.9,0); "
      "UPDATE Obdrac SET DatZadFak = '" + today() + "' WHERE Kljuc = '25G100001'; "
      "INSERT INTO Promet(Kljuc,Prejemnik,Datum,DatDokum1,Tecaj,Vrednost) VALUES ('" + key +
      "','O''Neil d.o.o.','" + today() + " 00:00:00',null,1,1234.5); ");
    EXPECT_EQ(q("SELECT Prejemnik, Vrednost, DatDokum1 IS NULL FROM Promet WHERE Kljuc = '" + key + "'"),
              "O'Neil d.o.o.|1234.5000|t");
    EXPECT_EQ(q("SELECT COUNT(*) FROM Obdrac G WHERE G.Kljuc = '25G100001' AND G.DatZadFak + G.Periodika > CURRENT_DATE"),
              "1");
    q("DELETE FROM PrometPoz WHERE Kljuc = '" + key + "'; DELETE FROM Promet WHERE Kljuc = '" + key +
      "'; UPDATE Obdrac SET DatZadFak = NULL WHERE Kljuc = '25G100001'");
}

// ---------------------------------------------------------------------------------------------
// Parameters, users and authorizations

TEST_F(SchemaTest, ParameterRowOfTheDemoCompany)
{
    EXPECT_EQ(q("SELECT COUNT(*) FROM Param"), "1");
    EXPECT_EQ(q("SELECT ROUNDT, NASAVALUTA, BANKASLOVENIJE, BANKACENIK, BANKACARINA, NAROCDNIZAVELJ, "
                "MINDOLZINAGESLA, AVTOKONTROLADAT FROM Param"),
              "0.01|EUR|BSI|NLB|BSI|30|4|F");
    EXPECT_EQ(q("SELECT COUNT(*) FROM Param P JOIN TarSt T ON T.TS = P.TSBREZDAVKA WHERE T.Davek = 0"), "1");
    EXPECT_EQ(q("SELECT COUNT(*) FROM Param WHERE FORMULANABACENA LIKE '%NABACENA%' AND FORMULACENRAZRED <> '' "
                "AND FORMULAKOSOVNICA <> ''"),
              "1");
    // both banks have rates for the foreign currencies
    EXPECT_EQ(q("SELECT COUNT(DISTINCT Banka) FROM Tecaj WHERE Valuta = 'USD' AND Datum <= CURRENT_DATE"), "2");
}

TEST_F(SchemaTest, UsersAndAuthorizations)
{
    EXPECT_EQ(rows(q("SELECT UserID, Delavec FROM ODDel WHERE USERID > '00' ORDER BY USERID")),
              QStringList({"01|Ana Kovač", "02|Janez Štrukelj", "03|Mojca Žagar"}));
    EXPECT_EQ(q("SELECT COUNT(*) FROM Avtor WHERE UserID = '01'"), "3");
    EXPECT_EQ(q("SELECT COUNT(*) FROM Avtor WHERE UserID = '02'"), "1");
    EXPECT_EQ(q("SELECT COUNT(*) FROM Avtor WHERE UserID = '03'"), "0");
    EXPECT_EQ(q("SELECT Geslo FROM ODDel WHERE UserID = '02'"), "");
    // a stored password is two hexadecimal digits per character
    const QString password = q("SELECT Geslo FROM ODDel WHERE UserID = '01'");
    EXPECT_TRUE(QRegularExpression("^([0-9A-Fa-f]{2})*$").match(password).hasMatch()) << password.toStdString();
}

// ---------------------------------------------------------------------------------------------
// The second demo company

TEST(SecondCompany, IsSmallAndDifferent)
{
    TestDatabase db("schema2", "obdrac_template2");
    EXPECT_EQ(db.psql("SELECT NASEPODJETJE, ROUNDT FROM Param"), "Mala firma s.p.|0.05");
    EXPECT_EQ(db.psql("SELECT Delavec FROM ODDel WHERE UserID = '01'"), "Ana Kovač");
    EXPECT_EQ(db.psql("SELECT COUNT(*) FROM Obdrac"), "3");
    EXPECT_EQ(db.psql("SELECT COUNT(*) FROM Subjekt WHERE Naziv = 'Mlekarna Čarman d.o.o.'"), "0");
    EXPECT_EQ(db.psql("SELECT COUNT(*) FROM SintrexIndex WHERE TableName = 'Obdrac'"), "1");
}

} // namespace
