#include "pricing/FormulaVariables.h"
#include "pricing/MasterLookups.h"

#include <QLocale>
#include <clocale>
#include <locale.h>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace {

const QHash<QString, FormulaVariableValue> kValues{
    {"VPCENA1", 100.0},
    {"A", 1.0},
    {"B", 2.5},
    {"NEG", -5.0},
    {"CENRAZRED", QString("1")},
    {"RAZRED", QString("A")},
    {"Q", 1.5},
};

struct SubstitutionCase {
    const char* name;
    QString formula;
    QString expected;
};

void PrintTo(const SubstitutionCase& c, std::ostream* os)
{
    *os << c.name;
}

class Substitution : public ::testing::TestWithParam<SubstitutionCase> {};

TEST_P(Substitution, GivesText)
{
    EXPECT_EQ(SubstituteFormulaVariables(GetParam().formula, kValues), GetParam().expected);
}

const QString k300(300, 'x');
const QString k255(255, 'x');

INSTANTIATE_TEST_SUITE_P(Rules, Substitution, ::testing::Values(
    SubstitutionCase{"NoVariables", "[1=1:2]3", "[1=1:2]3"},
    SubstitutionCase{"OneVariable", "#VPCENA1#*1,2", "100*1.2"},
    SubstitutionCase{"TwoVariables", "#A#+#B#", "1+2.5"},
    SubstitutionCase{"Adjacent", "#A##B#", "12.5"},
    SubstitutionCase{"UnknownIsZero", "#X#+1", "0+1"},
    SubstitutionCase{"EmptyNameIsZero", "##", "0"},
    SubstitutionCase{"NamesAreExact", "#vpcena1#", "0"},
    SubstitutionCase{"NameWithBlankIsOtherName", "# A#", "0"},
    SubstitutionCase{"NegativeValue", "10-#NEG#", "10--5"},
    SubstitutionCase{"TextValueUnchanged", "[#CENRAZRED#=1:5]", "[1=1:5]"},
    SubstitutionCase{"TextValueInQuotes", "[\"#RAZRED#\"=\"A\":5]", "[\"A\"=\"A\":5]"},
    SubstitutionCase{"BlanksRemoved", " 1 + 2 * #A# ", "1+2*1"},
    SubstitutionCase{"CommasBecomePoints", "[#A#>0,5:1,25]#B#", "[1>0.5:1.25]2.5"},
    SubstitutionCase{"CommaAfterValue", "#A#,5", "1.5"},
    SubstitutionCase{"LoneHashReplacesOutput", "2*#VPCENA1", "1VPCENA1"},
    SubstitutionCase{"LoneHashAtEnd", "5+#", "1"},
    SubstitutionCase{"LoneHashAfterVariable", "#A#+#B", "1B"},
    SubstitutionCase{"ThirdHashIsLone", "#A#B#", "1"},
    SubstitutionCase{"LoneHashKeepsRestTidied", "3+# 1,5", "11.5"},
    SubstitutionCase{"EmptyText", "", ""},
    SubstitutionCase{"OnlyBlanks", "   ", ""}));

// Each "#" passed keeps only the next 255 characters of the rest.
INSTANTIATE_TEST_SUITE_P(Cut, Substitution, ::testing::Values(
    SubstitutionCase{"TextWithoutHashIsNotCut", k300, k300},
    SubstitutionCase{"TextBeforeFirstHashIsNotCut", k300 + "#A#", k300 + "1"},
    // The opening "#" keeps "A#" and 253 characters more.
    SubstitutionCase{"TextAfterVariableIsCut", "#A#" + k300, "1" + QString(253, 'x')},
    SubstitutionCase{"JustFits", "#A#" + QString(253, 'x'), "1" + QString(253, 'x')},
    SubstitutionCase{"CutAfterEachHash", "#A#" + QString(100, 'y') + "#B#" + k300,
                     "1" + QString(100, 'y') + "2.5" + QString(150, 'x')},
    SubstitutionCase{"LaterCutFromLaterHash", QString(10, 'y') + "#A#" + QString(200, 'y') + "#B#" + k300,
                     QString(10, 'y') + "1" + QString(200, 'y') + "2.5" + QString(50, 'x')},
    SubstitutionCase{"ClosingHashBeyondCut", "#" + QString(255, 'A') + "#", "1" + QString(255, 'A')},
    SubstitutionCase{"ClosingHashJustInside", "#" + QString(254, 'A') + "#+1", "0"},
    SubstitutionCase{"ClosingHashInsideKeepsOne", "#" + QString(253, 'A') + "#+1", "0+"},
    SubstitutionCase{"CutCountsBlanksBeforeRemoval", "#A#" + QString(255, ' ') + "+1", "1"}));

TEST(Substitution, LookupSeesNamesInOrderAndNullLookupGivesZero)
{
    QStringList asked;
    const QString text = SubstituteFormulaVariables("#X#*#Y#", [&asked](const QString& name) {
        asked << name;
        return std::optional<FormulaVariableValue>(2.0);
    });
    EXPECT_EQ(text, "2*2");
    EXPECT_EQ(asked, QStringList({"X", "Y"}));
    EXPECT_EQ(SubstituteFormulaVariables("#X#", FormulaVariableLookup()), "0");
}

struct NumberCase {
    double value;
    QString text;
};

class NumberFormat : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberFormat, WritesPlainDecimal)
{
    EXPECT_EQ(FormatFormulaNumber(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, NumberFormat, ::testing::Values(
    NumberCase{0.0, "0"},
    NumberCase{-0.0, "0"},
    NumberCase{1.5, "1.5"},
    NumberCase{-1.5, "-1.5"},
    NumberCase{100.0, "100"},
    NumberCase{1234.5678, "1234.5678"},
    NumberCase{123456789.1234, "123456789.1234"},
    NumberCase{0.1 + 0.2, "0.3"},
    NumberCase{1.0 / 3.0, "0.333333333333333"},
    NumberCase{2.0 / 3.0, "0.666666666666667"},
    NumberCase{1e15, "1000000000000000"},
    NumberCase{1e20, "100000000000000000000"},
    NumberCase{123456789012345678.0, "123456789012346000"},
    NumberCase{1e-6, "0.000001"},
    NumberCase{-1.23456789012345e-10, "-0.000000000123456789012345"},
    NumberCase{std::numeric_limits<double>::quiet_NaN(), "0"},
    NumberCase{std::numeric_limits<double>::infinity(), "0"},
    NumberCase{-std::numeric_limits<double>::infinity(), "0"}));

TEST(NumberFormat, ExtremesStayNumbersTheEvaluatorReads)
{
    for (double v : {1e300, -1e300, std::numeric_limits<double>::denorm_min(), 1e-300,
                     9.2233720368547758e14}) {
        const QString text = FormatFormulaNumber(v);
        const FormulaExpressionResult r = EvalExpression(text);
        EXPECT_EQ(r.error, "") << text.toStdString();
        EXPECT_NEAR(r.value, v, std::max(std::abs(v) * 1e-14, 1e-300)) << text.toStdString();
    }
}

TEST(UpperCaseFormula, OnlyLettersAToZChange)
{
    EXPECT_EQ(UpperCaseFormula("[\"a\"=\"#cenrazred#\":#vpcena1#*1,1]čšž"),
              "[\"A\"=\"#CENRAZRED#\":#VPCENA1#*1,1]čšž");
}

TEST(PriceFormulaValues, LooksUpEveryVariableByItsName)
{
    PriceFormulaValues v;
    v.kolicina = 1;
    v.cenRazred = "2";
    v.pogCena = 3;
    v.cena = 4;
    v.mpCena = 5;
    v.vpCena1 = 6;
    v.vpCena2 = 7;
    v.sestavnica = 8;
    v.kosovnica = 9;
    v.nabaCena = 10;
    v.bNabaCena = 11;
    v.nNabaCena = 12;
    const QString all = "#KOLICINA#,#CENRAZRED#,#POGCENA#,#CENA#,#MPCENA#,#VPCENA1#,#VPCENA2#,"
                        "#SESTAVNICA#,#KOSOVNICA#,#NABACENA#,#BNABACENA#,#NNABACENA#,#OTHER#";
    EXPECT_EQ(SubstituteFormulaVariables(all, v), "1.2.3.4.5.6.7.8.9.10.11.12.0");
    EXPECT_FALSE(v("KOLICINA ").has_value());
    EXPECT_FALSE(v("Kolicina").has_value());
}

TEST(EvalPriceFormulaText, SubstitutesAndEvaluates)
{
    PriceFormulaValues v;
    v.kolicina = 1.5;
    v.cenRazred = "2";
    v.mpCena = 120;
    v.vpCena1 = 100;

    PriceFormulaOutcome o = EvalPriceFormulaText("#VPCENA1# * 1,2", v);
    EXPECT_EQ(o.text, "100*1.2");
    EXPECT_DOUBLE_EQ(o.valueOrZero(), 120);

    o = EvalPriceFormulaText("[#CENRAZRED#=1:#MPCENA#][#CENRAZRED#=2:#VPCENA1#]0", v);
    EXPECT_DOUBLE_EQ(o.valueOrZero(), 100);

    o = EvalPriceFormulaText("#KOLICINA#*2", v);
    EXPECT_EQ(o.text, "1.5*2");
    EXPECT_DOUBLE_EQ(o.valueOrZero(), 3);

    o = EvalPriceFormulaText("  ", v);
    EXPECT_EQ(o.text, "");
    EXPECT_FALSE(o.result.value.has_value());
    EXPECT_EQ(o.result.error, "");
    EXPECT_EQ(o.valueOrZero(), 0);

    o = EvalPriceFormulaText("#VPCENA1#/0", v);
    EXPECT_EQ(o.result.error, "deljenje z 0");
    EXPECT_EQ(o.valueOrZero(), 0);

    o = EvalPriceFormulaText("[#CENRAZRED#=9:1]", v);
    EXPECT_EQ(o.result.error, "");
    EXPECT_EQ(o.valueOrZero(), 0);
}

// Under a locale with a decimal comma the values still reach the evaluator with a point, and the
// evaluator reads numbers with a point.
class DecimalCommaLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_oldLocale = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"sl_SI.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8"}) {
            if (std::setlocale(LC_ALL, name)) {
                m_cLocale = name;
                break;
            }
        }
        QLocale::setDefault(QLocale(QLocale::Slovenian, QLocale::Slovenia));
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, m_oldLocale.c_str());
        QLocale::setDefault(QLocale::c());
    }
    std::string m_oldLocale;
    std::string m_cLocale;
};

TEST_F(DecimalCommaLocale, QuantityReachesFormulaWithPoint)
{
    ASSERT_EQ(QLocale().decimalPoint(), ",");
    PriceFormulaValues v;
    v.kolicina = 1.5;
    const PriceFormulaOutcome o = EvalPriceFormulaText("#KOLICINA#*(1/3)", v);
    EXPECT_EQ(o.text, "1.5*(1/3)");
    EXPECT_DOUBLE_EQ(o.valueOrZero(), 1.5 * 0.33333);
    EXPECT_DOUBLE_EQ(EvalExpression("2.25").value, 2.25);
    EXPECT_EQ(EvalExpression("2,25").error, "Napačna številka 2,25");
    if (m_cLocale.empty())
        GTEST_LOG_(INFO) << "no C library locale with a decimal comma installed; Qt locale only";
    else
        EXPECT_EQ(std::localeconv()->decimal_point[0], ',') << m_cLocale;
}

}  // namespace

// Within a run (LookupRunCache) evaluations are kept by their substituted text: asked again, in
// any order, with other values between, each formula gives what it gives outside a run, errors
// included, and a new run starts with nothing kept.
TEST(EvalPriceFormulaText, WithinARunAsOutside)
{
    const char* formulas[] = {"#VPCENA1# * 1,2", "[#CENRAZRED#=1:#MPCENA#][#CENRAZRED#=2:#VPCENA1#]0",
                              "#VPCENA1#/0", "[#CENRAZRED#=9:1]", "#KOLICINA#*#MPCENA#-3", "(#NABACENA#+1", ""};
    std::vector<PriceFormulaValues> valueSets;
    for (int i = 0; i < 4; ++i) {
        PriceFormulaValues v;
        v.kolicina = 1.5 * i;
        v.cenRazred = QString::number(1 + i % 2);
        v.mpCena = 120 + i;
        v.vpCena1 = 100 - i;
        v.nabaCena = i;
        valueSets.push_back(v);
    }
    std::vector<PriceFormulaOutcome> outside;
    for (const PriceFormulaValues& v : valueSets)
        for (const char* f : formulas)
            outside.push_back(EvalPriceFormulaText(QString::fromUtf8(f), v));
    for (int round = 0; round < 2; ++round) {
        LookupRunCache run;
        ASSERT_TRUE(LookupRunCache::active());
        for (int pass = 0; pass < 3; ++pass) {
            size_t k = 0;
            for (const PriceFormulaValues& v : valueSets)
                for (const char* f : formulas) {
                    const PriceFormulaOutcome o = EvalPriceFormulaText(QString::fromUtf8(f), v);
                    const PriceFormulaOutcome& e = outside[k++];
                    EXPECT_EQ(o.text, e.text) << f;
                    EXPECT_EQ(o.result.value, e.result.value) << f;
                    EXPECT_EQ(o.result.error, e.result.error) << f;
                }
        }
    }
}
