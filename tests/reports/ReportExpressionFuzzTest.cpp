// Randomized expressions: the parser and the evaluator never crash, never throw, never hang, and
// an error always points inside the text. OBDRAC_FUZZ_SCALE multiplies the count (scripts/fuzz-report-expressions.sh
// runs about a million under the sanitizers).
#include "ExpressionTestScope.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

int fuzzScale()
{
    bool ok = false;
    const int s = qEnvironmentVariableIntValue("OBDRAC_FUZZ_SCALE", &ok);
    return ok && s > 0 ? s : 1;
}

const char* const atoms[] = {"1", "0", "2.5", "Kolicina", "Cena", "Subjekt", "Datum", "Prazno", "'a''b'", "'č'",
                             "tbParameter.Naziv", "PAGE", "PAGECOUNT", "ROWNUMBER", "TRUE", "Neznano", "x.y", "1e5",
                             "''", "99999999999999999999", ".5"};
const char* const functions[] = {"IF", "COPY", "UPPER", "LOWER", "LENGTH", "TRIM", "FORMATNUMBER", "FORMATDATE",
                                 "STR", "ROUND", "ABS", "ISNULL", "SUM", "COUNT", "MIN", "MAX", "AVG", "INI",
                                 "CRITERIA", "DATE", "FOO"};
const char* const operators[] = {" + ", " - ", " * ", " / ", " = ", " <> ", " < ", " >= ", " AND ", " OR ", "", " ", ","};

QString generate(QRandomGenerator& rng, int depth)
{
    const int pick = int(rng.bounded(depth > 4 ? 2 : 7));
    switch (pick) {
    case 0: case 1:
        return QString::fromUtf8(atoms[rng.bounded(int(std::size(atoms)))]);
    case 2:
        return generate(rng, depth + 1) + QString::fromUtf8(operators[rng.bounded(int(std::size(operators)))]) + generate(rng, depth + 1);
    case 3:
        return QStringLiteral("(") + generate(rng, depth + 1) + (rng.bounded(8) ? QStringLiteral(")") : QString());
    case 4: {
        QString call = QString::fromUtf8(functions[rng.bounded(int(std::size(functions)))]) + QLatin1Char('(');
        const int args = int(rng.bounded(4));
        for (int i = 0; i < args; ++i)
            call += (i ? QStringLiteral(", ") : QString()) + generate(rng, depth + 1);
        return call + (rng.bounded(10) ? QStringLiteral(")") : QString());
    }
    case 5:
        return (rng.bounded(2) ? QStringLiteral("NOT ") : QStringLiteral("-")) + generate(rng, depth + 1);
    default: {
        // Random characters, some of them the language's own.
        static const QString alphabet = QStringLiteral("()+-*/<>=,.'\" aZ09_čž\t[]#");
        QString s;
        const int n = int(rng.bounded(12));
        for (int i = 0; i < n; ++i)
            s += alphabet[int(rng.bounded(int(alphabet.size())))];
        return s;
    }
    }
}

}   // namespace

TEST(ReportExpressionFuzz, GeneratedExpressionsNeverCrash)
{
    QRandomGenerator rng(20261209);
    ExpressionTestScope scope;
    const int count = 7500 * fuzzScale();
    int valid = 0, evaluated = 0;
    for (int i = 0; i < count; ++i) {
        const QString text = generate(rng, 0);
        const ReportExpression e = ReportExpression::parse(text);
        if (!e.isValid()) {
            ASSERT_GE(e.error().position, 0) << text.toStdString();
            ASSERT_LE(e.error().position, text.size()) << text.toStdString();
            ASSERT_FALSE(e.error().message.isEmpty());
            continue;
        }
        ++valid;
        const ReportEvalResult r = evaluateReportExpression(*e.root(), scope);
        if (r.ok())
            ++evaluated;
        else
            ASSERT_TRUE(r.position >= 0 && r.position <= text.size()) << text.toStdString();
    }
    // The generator must reach the evaluator often enough to test it.
    EXPECT_GT(valid, count / 10);
    EXPECT_GT(evaluated, count / 20);
}

TEST(ReportExpressionFuzz, DeepNestingIsAnErrorNotAStackOverflow)
{
    for (const QString& open : {QStringLiteral("("), QStringLiteral("-"), QStringLiteral("NOT "), QStringLiteral("ABS(")}) {
        const ReportExpression e = ReportExpression::parse(open.repeated(100000) + QStringLiteral("1"));
        EXPECT_FALSE(e.isValid());
        EXPECT_TRUE(e.error().message.contains(QStringLiteral("pregloboko"))) << e.error().message.toStdString();
    }
}
