#include "LocaleScope.h"
#include "PricingTestDatabase.h"
#include "data/core/FailureReport.h"
#include "data/core/ProgramState.h"
#include "pricing/MasterLookups.h"
#include "pricing/PriceDetermination.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

Money amount(const char* text) { return *Money::fromString(QString::fromLatin1(text)); }

const QDate kDate(2021, 6, 1);

PriceParameters baseParameters()
{
    PriceParameters p;
    p.NACIZRRABSUM = "F";
    p.NACIZRRABATA = "K";
    p.NASAVALUTA = "EUR";
    p.BANKACENIK = "NLB";
    p.FORMULAKOSOVNICA = "";
    p.FORMULACENRAZRED = "[#CENRAZRED#=1:#VPCENA1#][#CENRAZRED#=2:#VPCENA2#]#MPCENA#";
    p.FORMULANABACENA = "#NABACENA#";
    return p;
}

} // namespace

class PriceDetermination : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        tdb = new PricingTestDatabase("price_determination");
        tdb->psql(
            // Rates at the price-list bank: one USD is 0.8 EUR, one CHF 1.05 EUR.
            "INSERT INTO Tecaj (Banka, Valuta, Datum, Tecaj) VALUES ('NLB', 'EUR', '2000-01-01', 1),"
            " ('NLB', 'USD', '2020-01-01', 0.9), ('NLB', 'USD', '2021-01-01', 0.8), ('NLB', 'CHF', '2021-01-01', 1.05);"
            "INSERT INTO MS (Ident, Klasif, Valuta, ValutaDob, MPCena, VPCena, VPCena2, Sestavnica, CenaDob, NabaCena,"
            " Popust, Rabat, Formula) VALUES"
            " ('A1', 'K1', 'EUR', 'EUR', 120, 100, 90, 50, 60, 70, 5, 10, ''),"
            " ('A2', 'K1', 'USD', 'USD', 125, 100, 80, 0, 50, 40, 0, 0, ''),"
            " ('B1', 'K3', 'EUR', 'EUR', 0, 100, 0, 0, 0, 0, 0, 0, ''),"
            " ('C1', 'K4', 'EUR', 'EUR', 0, 100, 0, 0, 0, 0, 0, 0, ''),"
            " ('C2', 'K5', 'EUR', 'EUR', 0, 100, 0, 0, 0, 0, 0, 0, ''),"
            " ('N1', 'K9', 'EUR', 'EUR', 0, 200, 0, 0, 30, 0, 5, 4, ''),"
            " ('F1', 'K2', 'EUR', 'EUR', 150, 100, 0, 0, 40, 0, 0, 0, 'F10'),"
            " ('Z1', 'K2', 'EUR', 'EUR', 0, 100, 0, 0, 0, 0, 0, 0, 'FZERO'),"
            " ('Z2', 'K2', 'EUR', 'EUR', 0, 100, 0, 0, 0, 0, 0, 0, 'FZERO'),"
            " ('F0', 'K2', 'EUR', 'EUR', 0, 100, 0, 0, 0, 0, 5, 0, 'FZERO'),"
            " ('Q1', 'K2', 'EUR', 'EUR', 0, 100, 0, 0, 0, 0, 0, 0, 'FKOL'),"
            " ('R1', 'K2', 'EUR', 'EUR', 0, 100, 0, 0, 0, 0, 0, 0, 'FCR'),"
            " ('P1', 'K2', 'EUR', 'EUR', 0, 100, 0, 0, 0, 0, 0, 0, 'FPOG'),"
            " ('M1', 'K2', 'EUR', 'EUR', 120, 100, 0, 0, 0, 0, 0, 0, ''),"
            " ('M2', 'K2', 'EUR', 'EUR', 0, 33.3333, 0, 0, 0, 0, 0, 0, ''),"
            " ('X1', 'K2', 'EUR', 'EUR', 0, 100, 0, 0, 0, 0, 0, 0, 'NIMA'),"
            " ('X2', 'K2', 'EUR', 'EUR', 0, 100, 0, 0, 0, 0, 0, 0, 'FBAD');"
            "INSERT INTO Subjekt (Naziv, Rabat, NacIzrCene, TipPartnerjaO, DobRabat, DobNacIzrCene, TipPartnerjaI)"
            " VALUES ('Kupec d.o.o.', 10, '', 'VEL', 3, '', 'DOB'), ('O''Neil d.o.o.', 0, '', 'MAL', 0, '', ''),"
            " ('Metoda1', 0, '1', 'MAL', 0, '', ''), ('Metoda1R', 10, '1', 'MAL', 0, '', ''),"
            " ('Metoda2', 10, '2', 'MAL', 0, '', ''), ('Dobavitelj', 0, '', '', 0, '', 'DOB'),"
            " ('Drobni', 12.345649, '', 'MAL', 0, '', ''), ('Dobavitelj2', 0, '', '', 0, '', '');"
            "INSERT INTO MsFormula (Sifra, Formula) VALUES ('F10', '#vpcena1# * 1,1'), ('FZERO', '[1=2:5]0'),"
            " ('FKOL', '[#KOLICINA#>10:#VPCENA1#*0,9]#VPCENA1#'), ('FCR', '#CENA#+1'), ('FPOG', '#POGCENA#*0,5'),"
            " ('FBAD', '[1=1:abc]'), ('FNAB', '#NABACENA#*2');"
            "INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Valuta, Cena, Rabat, Formula) VALUES"
            " ('Kupec d.o.o.', 'A1', 'P', 'EUR', 95, 2, ''),"
            " ('Kupec d.o.o.', 'K3', 'P', 'EUR', 80, 0, ''),"
            " ('VEL', 'B1', 'P', 'EUR', 70, 0, ''),"
            " ('VEL', 'K4', 'P', 'EUR', 60, 5, ''),"
            " ('VEL', 'C2', 'P', 'EUR', 55, 0, ''),"
            " ('VEL', 'K5', 'P', 'EUR', 50, 0, ''),"
            " ('Kupec d.o.o.', 'A2', 'P', 'USD', 100, 0, ''),"
            " ('Kupec d.o.o.', 'F0', 'P', 'EUR', 0, 0, 'F10'),"
            " ('Kupec d.o.o.', 'Z2', 'P', 'EUR', 77, 0, ''),"
            " ('Kupec d.o.o.', 'P1', 'P', 'EUR', 80, 0, ''),"
            " ('Dobavitelj', 'A1', 'N', 'EUR', 58, 1, ''),"
            " ('Dobavitelj', 'F1', 'N', 'EUR', 0, 0, 'FNAB');");
    }
    static void TearDownTestSuite()
    {
        delete tdb;
        tdb = nullptr;
    }
    void SetUp() override { PricingTestDatabase::resetRecords(); }

    static PricingTestDatabase* tdb;
};
PricingTestDatabase* PriceDetermination::tdb = nullptr;

// ---------------------------------------------------------------------------------------------
// Scenarios computed by hand. Unless a case says otherwise: document currency EUR, date
// 2021-06-01, quantity 1, the base parameters (discounts cascaded, contract discount alone,
// class formula VPCENA1 / VPCENA2 / MPCENA, purchase formula NABACENA).

struct PriceCase {
    const char* name;
    QString cenRazred;
    QString partner;        // the partner text given to the determination
    QString partnerRecord;  // the partner loaded into SubjRec
    QString item;
    QString side;
    double expectedDiscount;
    const char* expectedPrice;
    std::function<void(PriceParameters&)> adjust = {};
    QString valuta = "EUR";
    double kolicina = 1.0;
};

void PrintTo(const PriceCase& c, std::ostream* os) { *os << c.name; }

class PriceScenario : public PriceDetermination, public ::testing::WithParamInterface<PriceCase> {};

TEST_P(PriceScenario, GivesPriceAndDiscount)
{
    const PriceCase& c = GetParam();
    ASSERT_TRUE(FindMS(c.item));
    ASSERT_TRUE(FindSubj(c.partnerRecord));
    PriceParameters params = baseParameters();
    if (c.adjust)
        c.adjust(params);
    CapturedRoutineFailures failures;
    double cena = -1, rabat = -1;
    ASSERT_TRUE(IzrCenePozC(c.cenRazred, c.partner, c.valuta, kDate, c.kolicina, MSRec, c.side, SubjRec, params,
                            cena, rabat));
    EXPECT_EQ(Money(cena), amount(c.expectedPrice));
    EXPECT_EQ(cena, amount(c.expectedPrice).toDouble());   // the value of an amount
    EXPECT_NEAR(rabat, c.expectedDiscount, 1e-9);
    EXPECT_TRUE(failures.failures().empty()) << qPrintable(failures.operations().join(", "));
}

const auto sum = [](PriceParameters& p) { p.NACIZRRABATA = "S"; };
const auto combineAlways = [](PriceParameters& p) { p.NACIZRRABSUM = "T"; };
const QString kKupec = "Kupec d.o.o.";
const QString kONeil = "O'Neil d.o.o.";

INSTANTIATE_TEST_SUITE_P(
    PriceDetermination, PriceScenario,
    ::testing::Values(
        // Price class and the class formula; no contract row: partner and item discount combined.
        PriceCase{"class 1 gives VPCena, item discount", "1", kONeil, kONeil, "A1", "I", 5, "100"},
        PriceCase{"class 0 is class 1", "0", kONeil, kONeil, "A1", "I", 5, "100"},
        PriceCase{"empty class is class 1", "", kONeil, kONeil, "A1", "I", 5, "100"},
        PriceCase{"class 2 gives VPCena2", "2", kONeil, kONeil, "A1", "I", 5, "90"},
        PriceCase{"class 3 gives MPCena", "3", kONeil, kONeil, "A1", "I", 5, "120"},
        PriceCase{"the first character is the class letter", "21", kONeil, kONeil, "A1", "I", 5, "90"},
        PriceCase{"partner and item discount cascaded", "1", kKupec, kKupec, "N1", "I", 14.5, "200"},
        PriceCase{"partner and item discount summed", "1", kKupec, kKupec, "N1", "I", 15, "200", sum},
        PriceCase{"partner discount rounded to four decimals", "1", "Drobni", "Drobni", "M1", "I", 12.3456, "100"},

        // Contract price list.
        PriceCase{"contract by partner and item: its discount alone", "1", kKupec, kKupec, "A1", "I", 2, "95"},
        PriceCase{"contract discount combined, cascade", "1", kKupec, kKupec, "A1", "I", 16.21, "95", combineAlways},
        PriceCase{"contract discount combined, sum", "1", kKupec, kKupec, "A1", "I", 17, "95",
                  [](PriceParameters& p) { p.NACIZRRABSUM = "T"; p.NACIZRRABATA = "S"; }},
        PriceCase{"partner and classification before type and item", "1", kKupec, kKupec, "B1", "I", 0, "80"},
        PriceCase{"partner type and classification", "1", kKupec, kKupec, "C1", "I", 5, "60"},
        PriceCase{"partner type and item before type and classification", "1", kKupec, kKupec, "C2", "I", 0, "55"},
        PriceCase{"empty partner: not even the type is tried", "1", "", kKupec, "C1", "I", 10, "100"},
        PriceCase{"contract price in another currency", "1", kKupec, kKupec, "A2", "I", 0, "80"},

        // Currency of the item's prices.
        PriceCase{"item priced in USD, document in EUR", "1", kONeil, kONeil, "A2", "I", 0, "80"},
        PriceCase{"item priced in the document currency", "1", kONeil, kONeil, "A2", "I", 0, "100", {}, "USD"},
        PriceCase{"sale-price factor rounded to four decimals (0.8 / 1.05 = 0.7619)", "1", kONeil, kONeil, "A2", "I",
                  0, "76.19", {}, "CHF"},
        PriceCase{"supplier price with the unrounded factor (50 x 0.76190476)", "1", kONeil, kONeil, "A2", "P", 0,
                  "38.0952", {}, "CHF"},

        // Formulas of the contract row and of the item.
        PriceCase{"item formula (lower case, blanks, decimal comma)", "1", kONeil, kONeil, "F1", "I", 0, "110"},
        PriceCase{"item formula giving 0 falls back to the class formula", "1", kONeil, kONeil, "Z1", "I", 0, "100"},
        PriceCase{"item formula giving 0 falls back to the contract price", "1", kKupec, kKupec, "Z2", "I", 0, "77"},
        PriceCase{"contract row of price 0, discount 0 with a formula", "1", kKupec, kKupec, "F0", "I", 14.5, "110"},
        PriceCase{"formula sees CENA, the class formula's price", "1", kONeil, kONeil, "R1", "I", 0, "101"},
        PriceCase{"formula sees POGCENA and wins over the contract price", "1", kKupec, kKupec, "P1", "I", 0, "40"},
        PriceCase{"formula over KOLICINA, large quantity", "1", kONeil, kONeil, "Q1", "I", 0, "90", {}, "EUR", 12.5},
        PriceCase{"formula over KOLICINA, quantity 10", "1", kONeil, kONeil, "Q1", "I", 0, "100", {}, "EUR", 10},
        PriceCase{"formula sees the quantity as an amount of four decimals", "1", kONeil, kONeil, "Q1", "I", 0, "100",
                  {}, "EUR", 10.00004},
        PriceCase{"formula over KOLICINA, 10.0001", "1", kONeil, kONeil, "Q1", "I", 0, "90", {}, "EUR", 10.0001},
        PriceCase{"unknown formula code falls back", "1", kONeil, kONeil, "X1", "I", 0, "100"},
        PriceCase{"formula that does not evaluate falls back", "1", kONeil, kONeil, "X2", "I", 0, "100"},

        // Parameter formulas.
        PriceCase{"KOSOVNICA rounded with RoundT (50.1665 -> 50.17)", "1", kONeil, kONeil, "A1", "I", 5, "50.17",
                  [](PriceParameters& p) {
                      p.FORMULAKOSOVNICA = "#sestavnica#*1,00333";
                      p.FORMULACENRAZRED = "#KOSOVNICA#";
                  }},
        PriceCase{"FORMULAKOSOVNICA sees CENA and KOSOVNICA as 0", "1", kONeil, kONeil, "A1", "I", 5, "7",
                  [](PriceParameters& p) {
                      p.FORMULAKOSOVNICA = "#KOSOVNICA#+#CENA#+7";
                      p.FORMULACENRAZRED = "#KOSOVNICA#";
                  }},
        PriceCase{"class formula sees MP, VP, VP2 and SESTAVNICA", "1", kONeil, kONeil, "A1", "I", 5, "360",
                  [](PriceParameters& p) { p.FORMULACENRAZRED = "#MPCENA#+#VPCENA1#+#VPCENA2#+#SESTAVNICA#"; }},
        PriceCase{"class formula sees the supplier and purchase prices", "1", kONeil, kONeil, "A1", "I", 5, "190",
                  [](PriceParameters& p) { p.FORMULACENRAZRED = "#NABACENA#+#BNABACENA#+#NNABACENA#"; }},
        PriceCase{"empty class formula gives price 0", "1", kONeil, kONeil, "A1", "I", 5, "0",
                  [](PriceParameters& p) { p.FORMULACENRAZRED = ""; }},

        // Price methods of the partner.
        PriceCase{"method 1: retail price, difference as discount", "1", "Metoda1", "Metoda1", "M1", "I",
                  100.0 * (1.0 - 100.0 / 120.0), "120"},
        PriceCase{"method 1, summed", "1", "Metoda1", "Metoda1", "M1", "I", (1.0 - 100.0 / 120.0) * 100.0, "120", sum},
        PriceCase{"method 1 with a partner discount, cascade", "1", "Metoda1R", "Metoda1R", "M1", "I", 25, "120"},
        PriceCase{"method 1 with a partner discount, summed", "1", "Metoda1R", "Metoda1R", "M1", "I",
                  (1.0 - 100.0 / 120.0) * 100.0 + 10.0, "120", sum},
        PriceCase{"method 1 without a retail price changes nothing", "1", "Metoda1", "Metoda1", "M2", "I", 0,
                  "33.3333"},
        PriceCase{"method 2: net price", "1", "Metoda2", "Metoda2", "M1", "I", 0, "90"},
        PriceCase{"method 2 rounds the net price to an amount", "1", "Metoda2", "Metoda2", "M2", "I", 0, "30"},

        // Purchase side.
        PriceCase{"purchase without contract: NABACENA, supplier discount folded in", "1", "Dobavitelj2",
                  "Dobavitelj2", "A1", "P", 10, "60"},
        PriceCase{"purchase, folded supplier discount summed", "1", "Dobavitelj2", "Dobavitelj2", "A1", "P", 10, "60",
                  sum},
        PriceCase{"purchase with a partner discount: nothing folded", "1", kKupec, kKupec, "A1", "P", 3, "60"},
        PriceCase{"purchase by BNABACENA: folded too", "1", "Dobavitelj2", "Dobavitelj2", "A1", "P", 10, "70",
                  [](PriceParameters& p) { p.FORMULANABACENA = "#bnabacena#"; }},
        PriceCase{"purchase formula without NABACENA: nothing folded", "1", "Dobavitelj2", "Dobavitelj2", "A1", "P", 0,
                  "50", [](PriceParameters& p) { p.FORMULANABACENA = "#VPCENA1#*0,5"; }},
        PriceCase{"purchase with an empty purchase formula: price 0", "1", "Dobavitelj2", "Dobavitelj2", "A1", "P", 0,
                  "0", [](PriceParameters& p) { p.FORMULANABACENA = ""; }},
        PriceCase{"purchase contract", "1", "Dobavitelj", "Dobavitelj", "A1", "P", 1, "58"},
        PriceCase{"purchase contract formula sees the purchase formula's NABACENA", "1", "Dobavitelj", "Dobavitelj",
                  "F1", "P", 0, "120", [](PriceParameters& p) { p.FORMULANABACENA = "#NABACENA#*1,5"; }},
        PriceCase{"purchase ignores the item's formula", "1", kONeil, kONeil, "F1", "P", 0, "40"}));

// ---------------------------------------------------------------------------------------------

TEST_F(PriceDetermination, WorkingValuesOfAForeignItem)
{
    ASSERT_TRUE(FindMS("A2"));
    ASSERT_TRUE(FindSubj(kKupec));
    const PriceWorking w =
        determinePrice("1", kKupec, "CHF", kDate, 1, MSRec, "I", SubjRec, baseParameters());
    EXPECT_TRUE(w.contractFound);
    EXPECT_EQ(w.contractSubjekt, kKupec);
    EXPECT_EQ(w.contractIdent, QString("A2"));
    EXPECT_EQ(w.contractPrice, amount("76.1905"));   // 100 x 0.8 / 1.05, factor not rounded
    EXPECT_EQ(w.salesFactor, amount("0.7619"));
    EXPECT_EQ(w.MP, amount("95.2375"));               // 125 x 0.7619
    EXPECT_EQ(w.VP, amount("76.19"));
    EXPECT_EQ(w.VP2, amount("60.952"));
    EXPECT_EQ(w.NETO, amount("38.0952"));             // 50 x 0.76190476...
    EXPECT_EQ(w.BRUTO, amount("38.0952"));            // 40 x 1 / 1.05
    EXPECT_EQ(w.NABA, amount("38.0952"));             // FORMULANABACENA "#NABACENA#"
    EXPECT_EQ(w.CR, amount("76.19"));
    EXPECT_EQ(w.price, amount("76.1905"));
    EXPECT_EQ(w.listSide, QString("P"));
    EXPECT_EQ(w.partnerType, QString("VEL"));
}

TEST_F(PriceDetermination, EqualCurrenciesReadNoRate)
{
    ASSERT_TRUE(FindMS("A1"));
    ASSERT_TRUE(FindSubj(kONeil));
    double cena = 0, rabat = 0;
    const qint64 before = lookupQueryCount();
    ASSERT_TRUE(IzrCenePozC("1", kONeil, "EUR", kDate, 1, MSRec, "I", SubjRec, baseParameters(), cena, rabat));
    EXPECT_EQ(lookupQueryCount() - before, 1);   // the four contract price-list tries in one statement, no rate
    const qint64 again = lookupQueryCount();
    ASSERT_TRUE(IzrCenePozC("1", "", "EUR", kDate, 1, MSRec, "I", SubjRec, baseParameters(), cena, rabat));
    EXPECT_EQ(lookupQueryCount() - again, 0);    // no partner: no contract look-up at all
    EXPECT_EQ(cena, 100.0);
}

TEST_F(PriceDetermination, ReadsTheParameterRowAndTheCurrentPartner)
{
    // The parameter row of the test database has the base parameters.
    ASSERT_TRUE(FindMS("N1"));
    ASSERT_TRUE(FindSubj(kKupec));
    double cena = 0, rabat = 0;
    ASSERT_TRUE(IzrCenePozC("2", kKupec, "EUR", QDateTime(kDate, QTime(9, 30)), 1, MSRec, "I", cena, rabat));
    EXPECT_EQ(cena, 0.0);   // class 2 gives VPCena2, which N1 does not have
    EXPECT_NEAR(rabat, 14.5, 1e-9);
    ASSERT_TRUE(IzrCenePozC("1", kKupec, "EUR", kDate, 1, MSRec, "I", cena, rabat));
    EXPECT_EQ(cena, 200.0);
}

TEST_F(PriceDetermination, ExplainsThePrice)
{
    ASSERT_TRUE(FindMS("F0"));
    ASSERT_TRUE(FindSubj(kKupec));
    PriceExplanation.clear();
    double cena = 0, rabat = 0;
    ASSERT_TRUE(IzrCenePozC("1", kKupec, "EUR", kDate, 1, MSRec, "I", SubjRec, baseParameters(), cena, rabat));
    const QString text = PriceExplanation.join('\n');
    EXPECT_TRUE(text.contains("Pogodbeni cenik (Kupec d.o.o., F0)")) << qPrintable(text);
    EXPECT_TRUE(text.contains("Formula F10: 110")) << qPrintable(text);
    EXPECT_TRUE(PriceExplanation.last().startsWith("Cena: 110, rabat: 14.5 %")) << qPrintable(text);
}

TEST_F(PriceDetermination, AFailureLeavesTheCallersValues)
{
    TMSRec item = MSRec;
    item.Key = "A1";
    item.Valuta = "EUR";
    item.VPCena = 1e300;   // no amount
    TSubjRec partner;
    CapturedRoutineFailures failures;
    double cena = 12.5, rabat = 3;
    EXPECT_FALSE(IzrCenePozC("1", "", "EUR", kDate, 1, item, "I", partner, baseParameters(), cena, rabat));
    EXPECT_EQ(cena, 12.5);
    EXPECT_EQ(rabat, 3.0);
    EXPECT_EQ(failures.operations(), QStringList({"IzrCenePozC"}));
}

// ---------------------------------------------------------------------------------------------
// IzrCenePozFormula on its own.

TEST(IzrCenePozFormula, SubstitutesAndRoundsToAnAmount)
{
    PriceFormulaAmounts v;
    v.KOLICINA = Money(2.5);
    v.VPCENA1 = amount("100");
    v.MPCENA = amount("120.5");
    v.CENA = amount("10");
    v.KOSOVNICA = amount("3");
    v.NABACENA = amount("7");
    v.BNABACENA = amount("8");
    v.NNABACENA = amount("9");
    v.POGCENA = amount("11");
    v.VPCENA2 = amount("12");
    v.SESTAVNICA = amount("13");
    CapturedRoutineFailures failures;
    EXPECT_EQ(IzrCenePozFormula("#VPCENA1#/3", "1", v), amount("33.3333"));
    EXPECT_EQ(IzrCenePozFormula("#MPCENA#*#KOLICINA#", "1", v), amount("301.25"));
    EXPECT_EQ(IzrCenePozFormula("[#CENRAZRED#=2:#VPCENA1#]#MPCENA#", "2", v), amount("100"));
    EXPECT_EQ(IzrCenePozFormula("[#CENRAZRED#=2:#VPCENA1#]#MPCENA#", "1", v), amount("120.5"));
    EXPECT_EQ(IzrCenePozFormula("#CENA#+#KOSOVNICA#+#NABACENA#+#BNABACENA#+#NNABACENA#", "1", v), amount("37"));
    EXPECT_EQ(IzrCenePozFormula("#POGCENA#+#VPCENA2#+#SESTAVNICA#", "1", v), amount("36"));
    EXPECT_EQ(IzrCenePozFormula("#NEZNANA#+1", "1", v), amount("1"));       // unknown variables are 0
    EXPECT_EQ(IzrCenePozFormula("1 , 5 * 2", "1", v), amount("3"));         // comma and blanks
    EXPECT_EQ(IzrCenePozFormula("", "1", v), Money());
    EXPECT_EQ(IzrCenePozFormula("   ", "1", v), Money());
    EXPECT_EQ(IzrCenePozFormula("[1=2:5]", "1", v), Money());               // no clause true
    EXPECT_EQ(IzrCenePozFormula("2/0", "1", v), Money());                   // does not evaluate
    EXPECT_EQ(IzrCenePozFormula("5+#VPCENA1", "1", v), Money());            // a lone "#": "1VPCENA1"
    EXPECT_TRUE(failures.failures().empty());
}

TEST(IzrCenePozFormula, AResultBeyondTheAmountRangeGivesZero)
{
    CapturedRoutineFailures failures;
    EXPECT_EQ(IzrCenePozFormula("99999999999999999999", "1", {}), Money());
    EXPECT_EQ(failures.operations(), QStringList({"IzrCenePozFormula"}));
}

TEST(IzrCenePozFormula, QuantityWithAPointUnderADecimalCommaLocale)
{
    LocaleScope slovenian("sl_SI.UTF-8", QLocale(QLocale::Slovenian), u'.');
    PriceFormulaAmounts v;
    v.KOLICINA = Money(10.5);
    v.VPCENA1 = amount("100");
    EXPECT_EQ(IzrCenePozFormula("[#KOLICINA#>10,4:#VPCENA1#*#KOLICINA#]1", "1", v), amount("1050"));
    EXPECT_EQ(IzrCenePozFormula("#KOLICINA#*2", "1", v), amount("21"));
}
