#include "ScopedValue.h"
#include "data/core/FailureReport.h"
#include "data/core/ProgramState.h"
#include "pricing/LineValuation.h"
#include "pricing/PrometRec.h"
#include <gtest/gtest.h>
#include <limits>

namespace {

// The program's rounding step for one test.
struct RoundStepGuard : ScopedValue<double> {
    explicit RoundStepGuard(double step) : ScopedValue(RoundStep, step) {}
};

struct LineCase {
    const char* name;
    double step;         // RoundStep
    const char* basis;   // OSNZAIZRPRODCENE
    double q, p, d, t, b, a;
    double V, R, X, T, gross;
};

// Worked by hand, every intermediate amount rounded as the valuation rounds it.
const LineCase lineCases[] = {
    // Net way: V = RoundT(p q), R = RoundT(V d/100), X = RoundT((V-R) a/100 + b q), T = RoundT((V-R+X) t/100).
    {"net_discount_tax", 0.01, "", 2, 10, 10, 20, 0, 0, 20, 2, 0, 3.6, 21.6},
    {"net_excise", 0.01, "", 2, 10, 0, 0, 0.5, 10, 20, 0, 3, 0, 23},
    // 3.702 -> 3.70; 0.4625 -> 0.45; 3.25 x 22 % = 0.715 -> 0.70.
    {"net_step_005", 0.05, "", 3, 1.234, 12.5, 22, 0, 0, 3.70, 0.45, 0, 0.70, 3.95},
    {"net_negative_quantity", 0.01, "", -2, 10, 10, 20, 0, 0, -20, -2, 0, -3.6, -21.6},
    // RoundStep 0 rounds to whole units: 2.45 -> 3, 0.6 x 20 % = 0.6 -> 1.
    {"net_step_zero_is_one", 0, "", 1, 2.45, 0, 20, 0, 0, 3, 0, 0, 1, 4},
    // 12.5 % excise of 8 = 1, plus 0.25 x 4 = 1: X = 2; tax of 10 at 9.5 % = 0.95.
    {"net_excise_and_tax", 0.01, "N", 4, 2.5, 20, 9.5, 0.25, 12.5, 10, 2, 2, 0.95, 10.95},
    // Retail way: N1 = p q (1-d/100)(1+a/100) + b, G = RoundT(N1 (1+t/100)), N = p q (1-d/100),
    // T = RoundT(G-N), R = RoundT((G-T) d/(100-d)), X = RoundT(N a/100 + b q), V = G-T+R-X.
    {"retail_tax", 0.01, "M", 1, 100, 0, 20, 0, 0, 100, 0, 0, 20, 120},
    {"retail_discount_tax", 0.01, "M", 1, 100, 10, 20, 0, 0, 100, 10, 0, 18, 108},
    {"retail_excise_percent_no_tax", 0.01, "M", 1, 100, 0, 0, 0, 10, 100, 0, 10, 0, 110},
    {"retail_tax_and_excise_percent", 0.01, "M", 1, 100, 0, 20, 0, 10, 90, 0, 10, 32, 132},
    {"retail_excise_per_unit", 0.01, "M", 2, 50, 0, 20, 0.5, 0, 99, 0, 1, 20.6, 120.6},
    // N1 = 90 x 1.05 + 0.3 = 94.8; G = 113.76; N = 90; T = 23.76; R = 90 x 10/90 = 10;
    // X = 4.5 + 0.6 = 5.1; V = 113.76 - 23.76 + 10 - 5.1 = 94.9.
    {"retail_everything", 0.01, "M", 2, 50, 10, 20, 0.3, 5, 94.9, 10, 5.1, 23.76, 113.76},
    // Step 1: N1 = 9.99, G = RoundT(12.1878) = 12, T = RoundT(2.01) = 2, V = 10.
    {"retail_step_one", 1, "M", 3, 3.33, 0, 22, 0, 0, 10, 0, 0, 2, 12},
    // Full discount: no division by 100 - d.
    {"retail_full_discount", 0.01, "M", 1, 100, 100, 20, 0, 0, 0, 0, 0, 0, 0},
    // "M" but no tax and no excise: the net way (the retail way would give V = 0.04).
    {"retail_basis_without_tax_uses_net", 0.01, "M", 1, 0.03, 50, 0, 0, 0, 0.03, 0.02, 0, 0, 0.01},
    // Only "M" selects the retail way.
    {"lower_case_m_is_net", 0.01, "m", 1, 0.03, 50, 20, 0, 0, 0.03, 0.02, 0, 0, 0.01},
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

class LineValuation : public testing::TestWithParam<LineCase> {};

TEST_P(LineValuation, ValuesAndTotals)
{
    const LineCase& c = GetParam();
    RoundStepGuard step(c.step);
    CapturedRoutineFailures failures;

    const LineValues v = calcLineValues(c.q, Money(c.p), c.d, c.t, Money(c.b), c.a, isRetailPriceBasis(c.basis));
    EXPECT_EQ(v.value, Money(c.V));
    EXPECT_EQ(v.discount, Money(c.R));
    EXPECT_EQ(v.excise, Money(c.X));
    EXPECT_EQ(v.tax, Money(c.T));
    EXPECT_EQ(v.gross, Money(c.gross));
    EXPECT_EQ(v.gross, v.value - v.discount + v.excise + v.tax);

    // The totals grow by the line's values, starting from what the document had.
    DocumentTotals totals{Money(1), Money(2), Money(3), Money(4), Money(5)};
    EXPECT_TRUE(CalcVredPromPoz(c.q, Money(c.p), c.d, c.t, Money(c.b), c.a, totals, c.basis));
    EXPECT_EQ(totals.value, Money(1) + Money(c.V));
    EXPECT_EQ(totals.tax, Money(2) + Money(c.T));
    EXPECT_EQ(totals.excise, Money(3) + Money(c.X));
    EXPECT_EQ(totals.discount, Money(4) + Money(c.R));
    EXPECT_EQ(totals.gross, Money(5) + Money(c.gross));
    EXPECT_TRUE(failures.failures().empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, LineValuation, testing::ValuesIn(lineCases),
                         [](const testing::TestParamInfo<LineCase>& info) { return std::string(info.param.name); });

TEST(LineValuationDocument, SeveralLinesAddUp)
{
    RoundStepGuard step(0.01);
    DocumentTotals totals;
    EXPECT_TRUE(CalcVredPromPoz(2.0, 10.0, 10.0, 20.0, 0.0, 0.0, totals, ""));
    EXPECT_TRUE(CalcVredPromPoz(2.0, 10.0, 0.0, 0.0, 0.5, 10.0, totals, ""));
    EXPECT_EQ(totals.value, Money(40));
    EXPECT_EQ(totals.discount, Money(2));
    EXPECT_EQ(totals.excise, Money(3));
    EXPECT_EQ(totals.tax, Money(3.6));
    EXPECT_EQ(totals.gross, Money(44.6));
    // The header's figures: tax is tax plus excise, and the gross is value - discount + tax.
    EXPECT_EQ(totals.gross, totals.value - totals.discount + totals.tax + totals.excise);
}

TEST(LineValuationDocument, InvoiceLineRecord)
{
    RoundStepGuard step(0.01);
    TPrometPozRec line;
    line.Kolicina = 1;
    line.Cena = 100;
    line.Rabat = 10;
    line.Davek = 20;
    line.Trosarina = 0;
    line.TrosarinaP = 0;
    DocumentTotals totals;
    EXPECT_TRUE(CalcVredPromPoz(line, totals, "M"));
    EXPECT_EQ(totals.value, Money(100));
    EXPECT_EQ(totals.tax, Money(18));
    EXPECT_EQ(totals.discount, Money(10));
    EXPECT_EQ(totals.gross, Money(108));
}

TEST(LineValuationDocument, UnitPriceBecomesAnAmountFirst)
{
    // A floating price becomes the nearest amount by its exact binary value: the double 0.33345
    // lies above the half (0.3335), the double 0.33335 below it (0.3333). With step 0.0001 the
    // amount of the product shows: 3 x 0.3335 = 1.0005 and 3 x 0.3333 = 0.9999.
    RoundStepGuard fine(0.0001);
    const std::pair<double, double> cases[] = {{0.33345, 1.0005}, {0.33335, 0.9999}};
    for (const auto& [price, value] : cases) {
        DocumentTotals totals;
        EXPECT_TRUE(CalcVredPromPoz(3.0, price, 0.0, 0.0, 0.0, 0.0, totals, ""));
        EXPECT_EQ(totals.value, Money(value)) << price;
    }
    // With step 0.01 both become 1.00.
    RoundStepGuard cents(0.01);
    for (const auto& [price, value] : cases) {
        DocumentTotals totals;
        EXPECT_TRUE(CalcVredPromPoz(3.0, price, 0.0, 0.0, 0.0, 0.0, totals, ""));
        EXPECT_EQ(totals.value, Money(1)) << price;
    }
}

TEST(LineValuationDocument, FailureLeavesTotalsUnchanged)
{
    RoundStepGuard step(0.01);
    CapturedRoutineFailures failures;
    const DocumentTotals start{Money(10), Money(2), Money(1), Money(1), Money(12)};

    DocumentTotals totals = start;
    EXPECT_FALSE(CalcVredPromPoz(1e15, Money(10), 0, 20, Money(), 0, totals, ""));   // p x q out of range
    EXPECT_FALSE(CalcVredPromPoz(std::numeric_limits<double>::quiet_NaN(), Money(10), 0, 20, Money(), 0, totals, "M"));
    EXPECT_FALSE(CalcVredPromPoz(1, Money(10), std::numeric_limits<double>::infinity(), 20, Money(), 0, totals, ""));
    EXPECT_FALSE(CalcVredPromPoz(1.0, 1e300, 0.0, 0.0, 0.0, 0.0, totals, ""));        // price is no amount
    EXPECT_EQ(totals.value, start.value);
    EXPECT_EQ(totals.tax, start.tax);
    EXPECT_EQ(totals.excise, start.excise);
    EXPECT_EQ(totals.discount, start.discount);
    EXPECT_EQ(totals.gross, start.gross);

    // The line itself fits, but adding it overflows one total: none of them changes.
    DocumentTotals nearlyFull = start;
    nearlyFull.gross = Money::max() - Money(1);
    const DocumentTotals before = nearlyFull;
    EXPECT_FALSE(CalcVredPromPoz(1, Money(10), 0, 20, Money(), 0, nearlyFull, ""));
    EXPECT_EQ(nearlyFull.value, before.value);
    EXPECT_EQ(nearlyFull.tax, before.tax);
    EXPECT_EQ(nearlyFull.gross, before.gross);

    EXPECT_EQ(failures.operations(),
              QStringList({"CalcVredPromPoz", "CalcVredPromPoz", "CalcVredPromPoz", "CalcVredPromPoz", "CalcVredPromPoz"}));
}

TEST(LineValuationDocument, RetailBasisIsExactlyM)
{
    EXPECT_TRUE(isRetailPriceBasis("M"));
    EXPECT_FALSE(isRetailPriceBasis("m"));
    EXPECT_FALSE(isRetailPriceBasis(""));
    EXPECT_FALSE(isRetailPriceBasis("N"));
}

TEST(PrometRecords, ProgramWideInstances)
{
    PrometRec.Kljuc = "031000042";
    PrometRec.Vrednost = Money(12.5);
    PrometPozRec.Poz = 3;
    EXPECT_EQ(PrometRec.Kljuc, QString("031000042"));
    EXPECT_EQ(PrometRec.Vrednost, Money(12.5));
    EXPECT_FALSE(PrometRec.Datum.isValid());   // empty date until set
    PrometRec = TPrometRec();
    PrometPozRec = TPrometPozRec();
}

} // namespace
