// A prepared formula must give what the substitution and the evaluator give for the same text and
// values: the same text, the same value to the bit, the same error with the same message, also
// when the result comes from what the formula kept.
#include "pricing/CompiledPriceFormula.h"

#include <QStringList>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<PriceFormulaValues> valueSets()
{
    std::vector<PriceFormulaValues> sets;
    PriceFormulaValues v;
    sets.push_back(v);   // all zero, empty price class
    v.kolicina = 3;
    v.cenRazred = "1";
    v.pogCena = 95.5;
    v.cena = 101.25;
    v.mpCena = 122.0;
    v.vpCena1 = 100.0;
    v.vpCena2 = 90.0;
    v.sestavnica = 12.3456;
    v.kosovnica = 7.0;
    v.nabaCena = 60.0;
    v.bNabaCena = 0.0;
    v.nNabaCena = 55.0;
    sets.push_back(v);
    v.kolicina = 12;
    v.cenRazred = "2";
    v.bNabaCena = 61.5;
    sets.push_back(v);
    v.kolicina = -4;            // a negative value gives "--4" after a minus
    v.cenRazred = "3";
    v.vpCena1 = -100.0;
    v.nabaCena = 1.0 / 3.0;     // more digits than the text keeps
    v.mpCena = 1e20;            // written out in full
    v.vpCena2 = 1e-7;
    sets.push_back(v);
    v.cenRazred = " 2,5";       // a price class with a blank and a comma is tidied too
    v.pogCena = std::numeric_limits<double>::infinity();
    v.sestavnica = -0.0;
    sets.push_back(v);
    v.cenRazred = "[";          // a price class that breaks the clauses
    sets.push_back(v);
    return sets;
}

const QStringList kFormulas{
    "",
    "   ",
    "#VPCENA1#",
    "#VPCENA1# * 1,2",
    "#vpcena1#*2",
    "[#CENRAZRED#=2:#VPCENA2#][#CENRAZRED#=3:#VPCENA1#*1.1]#VPCENA1#",
    "[#BNABACENA#>0:#BNABACENA#]#NNABACENA#",
    "[#KOLICINA#>9:#VPCENA1#*0.9]#VPCENA1#",
    "#SESTAVNICA#",
    "#POGCENA#*1.02",
    "#NABACENA#*1,25",
    "[1=1]",
    "#KOLICINA#*#MPCENA#-3",
    "10-#KOLICINA#",
    "-#VPCENA1#",
    "#A##B#",
    "#KOLICINA##KOLICINA#",
    "#X#+1",
    "##",
    "# KOLICINA#",
    "2*#VPCENA1",
    "5+#",
    "#KOLICINA#+#B",
    "#KOLICINA#B#",
    "3+# 1,5",
    "#VPCENA1#/0",
    "#VPCENA1#/#BNABACENA#",
    "(#NABACENA#+1",
    "(#NABACENA#)*3",
    "#MPCENA#*#MPCENA#*#MPCENA#*#MPCENA#*#MPCENA#*#MPCENA#*#MPCENA#*#MPCENA#*#MPCENA#*#MPCENA#*#MPCENA#"
    "*#MPCENA#*#MPCENA#*#MPCENA#*#MPCENA#*#MPCENA#",
    "[\"#CENRAZRED#\"=\"2\":#VPCENA2#]#VPCENA1#",
    "[#CENRAZRED#<>1:#CENA#]#KOSOVNICA#",
    "[#CENRAZRED#:1]",
    "#CENRAZRED#",
    "[#KOLICINA#>0:\"#CENRAZRED#\"]0",
    "[#VPCENA2#>0,00001:1]2",
    QString("[#KOLICINA#>1:1]").repeated(11),
    "#KOLICINA#" + QString(300, '1'),
    "#KOLICINA#" + QString(100, ' ') + "#VPCENA1#" + QString(300, '+'),
    QString(10, 'y') + "#KOLICINA#" + QString(200, 'y') + "#CENA#" + QString(300, 'x'),
    "#" + QString(255, 'A') + "#",
    "#" + QString(254, 'A') + "#+#KOLICINA#",
};

std::string describe(const QString& formula, const PriceFormulaValues& v)
{
    return formula.left(80).toStdString() + " | KOLICINA " + std::to_string(v.kolicina) + ", CENRAZRED '"
        + v.cenRazred.toStdString() + "'";
}

bool sameBits(const std::optional<double>& a, const std::optional<double>& b)
{
    if (a.has_value() != b.has_value())
        return false;
    return !a || std::memcmp(&*a, &*b, sizeof(double)) == 0;
}

void expectSame(const CompiledPriceFormula& compiled, const QString& formula, const PriceFormulaValues& v)
{
    SCOPED_TRACE(describe(formula, v));
    const PriceFormulaOutcome reference = EvalPriceFormulaText(formula, v);
    EXPECT_EQ(compiled.substitute(v), reference.text);
    const FormulaEvalResult result = compiled.evaluate(v);
    EXPECT_TRUE(sameBits(result.value, reference.result.value));
    EXPECT_EQ(result.error, reference.result.error);
}

TEST(CompiledPriceFormula, GivesWhatSubstitutionAndEvaluationGive)
{
    const std::vector<PriceFormulaValues> sets = valueSets();
    for (const QString& formula : kFormulas) {
        const CompiledPriceFormula compiled(formula);
        // Twice over, the second pass answered from the kept results.
        for (int pass = 0; pass < 2; ++pass)
            for (const PriceFormulaValues& v : sets)
                expectSame(compiled, formula, v);
    }
}

// Values that differ only where the formula does not look give the kept result; values that it
// names give their own, also after many others have been kept (and the store started anew).
TEST(CompiledPriceFormula, KeptResultsFollowTheNamedValues)
{
    const QString formula = "[#KOLICINA#>9:#VPCENA1#*0,9]#VPCENA1#";
    const CompiledPriceFormula compiled(formula);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> quantity(0, 20);
    std::uniform_int_distribution<int> cents(0, 100000);
    for (int i = 0; i < int(CompiledPriceFormula::MaxKeptResults) * 2 + 100; ++i) {
        PriceFormulaValues v;
        v.kolicina = quantity(random);
        v.vpCena1 = cents(random) / 100.0;
        v.mpCena = i;   // not named: no new result for it
        const PriceFormulaOutcome reference = EvalPriceFormulaText(formula, v);
        const FormulaEvalResult result = compiled.evaluate(v);
        ASSERT_TRUE(sameBits(result.value, reference.result.value)) << describe(formula, v);
    }
}

// The prepared forms are kept by text: the upper-case one is that of UpperCaseFormula.
TEST(CompiledPriceFormula, StoreKeepsFormsByText)
{
    const QString stored = "[#kolicina#>9:#vpcena1#*0,9]#VPCENA1#";
    PriceFormulaValues v;
    v.kolicina = 10;
    v.vpCena1 = 50;
    EXPECT_EQ(compiledUpperCaseFormula(stored).text(), UpperCaseFormula(stored));
    EXPECT_EQ(compiledUpperCaseFormula(stored).evaluate(v).value, std::optional<double>(45.0));
    EXPECT_EQ(compiledPriceFormula(stored).evaluate(v).value, std::optional<double>(50.0));
    // More texts than the store keeps: each still gets its own form.
    for (int i = 0; i < int(MaxCompiledFormulas) + 10; ++i) {
        const QString text = "#VPCENA1#+" + QString::number(i);
        ASSERT_EQ(compiledPriceFormula(text).evaluate(v).value, std::optional<double>(50.0 + i));
    }
}

// A number goes into a formula rounded to 15 significant digits and reads back as such.
TEST(CompiledPriceFormula, NumbersReadBackAsFifteenDigits)
{
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        double value;
        const quint64 bits = random();
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value) || value == 0.0)
            continue;
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.14e", value);
        const QString text = FormatFormulaNumber(value);
        ASSERT_FALSE(text.contains(u'e')) << expected;
        bool ok = false;
        ASSERT_EQ(text.toDouble(&ok), std::strtod(expected, nullptr)) << expected << " " << text.toStdString();
        ASSERT_TRUE(ok);
    }
}

}  // namespace
