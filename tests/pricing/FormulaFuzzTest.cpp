// Garbage in, never a crash: random and malformed formulas must come back as a value or an error.
#include "pricing/CompiledPriceFormula.h"
#include "pricing/FormulaVariables.h"

#include <QSet>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

const QStringList kKnownErrors{
    "Izraz se mora obvezno začeti z logično enoto",
    "Nepravilen izraz, manjka končni ] ali tekst med oklepajema",
    "Nepravilna oblika izraza, moralo bi biti [xxxx:yyyy]",
    "Logični izraz ne vsebuje operatorja =, <, > ali <>",
    "Neuravnovešeni oklepaji",
    "* ali / brez enega operanda",
    "deljenje z 0",
    "Nepravilen rezultat formule. Formula bi morala dati številčni rezultat!",
    "Formula ima lahko največ 10 logičnih enot",
    "Preveč vgnezdenih oklepajev",
    "Rezultat izračuna je prevelik",
};

bool knownError(const QString& error)
{
    return kKnownErrors.contains(error) || error.startsWith("Napačna številka ");
}

class Generator
{
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    // Characters that mean something to formulas, plus a few that do not.
    QString formulaChars(int maxLength)
    {
        static const QString alphabet = "0123456789.+-*/()[]:=<>\"#, aAxč9911((++--**//";
        QString s;
        const int n = below(maxLength + 1);
        for (int i = 0; i < n; ++i)
            s += alphabet[below(alphabet.size())];
        return s;
    }

    // Any UTF-16 code units, lone surrogates and NUL included.
    QString anyUnits(int maxLength)
    {
        QString s;
        const int n = below(maxLength + 1);
        for (int i = 0; i < n; ++i)
            s += QChar(char16_t(below(0x10000)));
        return s;
    }

    QString number()
    {
        static const QStringList pieces{"0", "1", "2", "10", "0.5", "3.", ".25", "999999999",
                                        "1" + QString(320, '0'), "0.00001", "-1", "+2", ""};
        return pieces[below(pieces.size())];
    }

    QString expression(int depth)
    {
        QString s = operand(depth);
        const int n = below(4);
        for (int i = 0; i < n; ++i) {
            s += QString("+-*/")[below(4)];
            s += operand(depth);
        }
        return s;
    }

    QString operand(int depth)
    {
        const int kind = below(20);
        if (kind < 3 && depth < 4)
            return QString(kind == 0 ? "-(" : "(") + expression(depth + 1) + (below(20) ? ")" : "");
        if (kind == 2)
            return formulaChars(3);
        return number();
    }

    QString condition()
    {
        static const QStringList relations{"=", "<>", ">", "<", "=", "<>", ">", "<", "<=", ">=", ""};
        if (below(6) == 0)
            return "\"" + formulaChars(2) + "\"" + relations[below(relations.size())] + "\"A\"";
        return expression(0) + relations[below(relations.size())] + expression(0);
    }

    QString formula()
    {
        QString s;
        const int clauses = below(13);
        for (int i = 0; i < clauses; ++i) {
            s += "[" + condition() + ":" + expression(0) + "]";
            if (below(20) == 0)
                s += formulaChars(2);
        }
        if (below(2))
            s += expression(0);
        if (below(4) == 0)
            s.insert(below(int(s.size()) + 1), QString("#") + QString("ABKOLICINA")[below(10)] + "#");
        return s;
    }

private:
    std::mt19937 m_random;
};

void checkOne(const QString& text)
{
    SCOPED_TRACE(text.left(200).toStdString());

    const FormulaEvalResult f = EvalFormula(text);
    if (f.value) {
        EXPECT_TRUE(f.error.isEmpty());
        EXPECT_TRUE(std::isfinite(*f.value));
    }
    EXPECT_TRUE(f.error.isEmpty() || knownError(f.error)) << f.error.toStdString();
    const FormulaEvalResult again = EvalFormula(text);
    EXPECT_EQ(again.value, f.value);
    EXPECT_EQ(again.error, f.error);

    const FormulaExpressionResult e = EvalExpression(text);
    if (e.error.isEmpty())
        EXPECT_TRUE(std::isfinite(e.value));
    else
        EXPECT_TRUE(knownError(e.error)) << e.error.toStdString();

    const FormulaConditionResult c = EvalCondition(text);
    if (!c.error.isEmpty()) {
        EXPECT_FALSE(c.value);
        EXPECT_TRUE(knownError(c.error)) << c.error.toStdString();
    }

    PriceFormulaValues values;
    values.kolicina = 2.5;
    values.cenRazred = "1";
    values.vpCena1 = 100;
    const PriceFormulaOutcome p = EvalPriceFormulaText(UpperCaseFormula(text), values);
    EXPECT_FALSE(p.text.contains(u' '));
    EXPECT_FALSE(p.text.contains(u','));
    EXPECT_TRUE(std::isfinite(p.valueOrZero()));

    // Prepared once, the formula gives the same text and outcome.
    const CompiledPriceFormula compiled(UpperCaseFormula(text));
    EXPECT_EQ(compiled.substitute(values), p.text);
    const FormulaEvalResult prepared = compiled.evaluate(values);
    EXPECT_EQ(prepared.value, p.result.value);
    EXPECT_EQ(prepared.error, p.result.error);
}

// OBDRAC_FUZZ_SCALE multiplies the counts (scripts/fuzz-formula.sh runs a million formulas under
// the address and undefined-behaviour sanitizers).
static int scaled(int n)
{
    const int scale = qEnvironmentVariableIntValue("OBDRAC_FUZZ_SCALE");
    return scale > 1 ? n * scale : n;
}

TEST(FormulaFuzz, RandomFormulaCharacters)
{
    Generator g(20031);
    for (int i = 0; i < scaled(3000); ++i)
        checkOne(g.formulaChars(60));
}

TEST(FormulaFuzz, RandomCodeUnits)
{
    Generator g(777);
    for (int i = 0; i < scaled(1500); ++i)
        checkOne(g.anyUnits(40));
}

TEST(FormulaFuzz, MostlyWellFormedFormulas)
{
    Generator g(4242);
    int withValue = 0;
    QSet<QString> kinds;
    for (int i = 0; i < scaled(3000); ++i) {
        const QString text = g.formula();
        checkOne(text);
        const FormulaEvalResult r = EvalFormula(text);
        withValue += r.value.has_value() ? 1 : 0;
        kinds.insert(r.error.startsWith("Napačna številka ") ? "Napačna številka " : r.error);
    }
    // The generator must reach the evaluation of values and most of the error paths.
    EXPECT_GT(withValue, 300);
    EXPECT_GE(kinds.size(), 10) << QStringList(kinds.values()).join(" | ").toStdString();
}

TEST(FormulaFuzz, LongAndDeepTexts)
{
    const QStringList texts{
        QString(100000, '('),
        QString(100000, ')'),
        QString(50000, '(') + "1" + QString(50000, ')'),
        QString(100000, '['),
        QString(100000, ']'),
        QString(100000, '#'),
        QString(100000, '"'),
        QString(100000, '-'),
        QString(100000, '*'),
        QString(100000, '9'),
        QString(100000, '.'),
        QString("[1=1:2]").repeated(20000),
        QString("(1+").repeated(30000),
        QString("1/(").repeated(30000) + "0",
        QString("#A#").repeated(30000),
    };
    for (const QString& text : texts)
        checkOne(text);
}

}  // namespace
