#include "pricing/formula/FormulaEvaluator.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

const QString kTextBefore = "Izraz se mora obvezno začeti z logično enoto";
const QString kNoClosing = "Nepravilen izraz, manjka končni ] ali tekst med oklepajema";
const QString kForm = "Nepravilna oblika izraza, moralo bi biti [xxxx:yyyy]";
const QString kNoRelation = "Logični izraz ne vsebuje operatorja =, <, > ali <>";
const QString kUnbalanced = "Neuravnovešeni oklepaji";
const QString kNoLeft = "* ali / brez enega operanda";
const QString kDiv = "deljenje z 0";
const QString kTextResult = "Nepravilen rezultat formule. Formula bi morala dati številčni rezultat!";
const QString kTooMany = "Formula ima lahko največ 10 logičnih enot";
const QString kTooDeep = "Preveč vgnezdenih oklepajev";
const QString kOutOfRange = "Rezultat izračuna je prevelik";

QString bad(const QString& operand)
{
    return "Napačna številka " + operand;
}

QString repeated(const QString& piece, int times)
{
    QString out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

// ---------------------------------------------------------------------------------------------
// Expressions

struct ExpressionCase {
    QString text;
    double value;
    QString error;
};

void PrintTo(const ExpressionCase& c, std::ostream* os)
{
    *os << '"' << c.text.toStdString() << '"';
}

class Expression : public ::testing::TestWithParam<ExpressionCase> {};

TEST_P(Expression, GivesValueOrError)
{
    const ExpressionCase& c = GetParam();
    const FormulaExpressionResult r = EvalExpression(c.text);
    EXPECT_EQ(r.error, c.error);
    if (c.error.isEmpty()) {
        EXPECT_DOUBLE_EQ(r.value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Arithmetic, Expression, ::testing::Values(
    ExpressionCase{"", 0, ""},
    ExpressionCase{"5", 5, ""},
    ExpressionCase{"007", 7, ""},
    ExpressionCase{"1.5*2", 3, ""},
    ExpressionCase{".5+5.", 5.5, ""},
    ExpressionCase{"0.1+0.2", 0.3, ""},
    ExpressionCase{"-0", 0, ""}));

// Precedence and associativity: "*" "/" before "+" "-", equal levels from the left.
INSTANTIATE_TEST_SUITE_P(Precedence, Expression, ::testing::Values(
    ExpressionCase{"10-2+3", 11, ""},
    ExpressionCase{"10-2-3", 5, ""},
    ExpressionCase{"2+3*4", 14, ""},
    ExpressionCase{"2-3*4", -10, ""},
    ExpressionCase{"2*3+4*5", 26, ""},
    ExpressionCase{"12/4/3", 1, ""},
    ExpressionCase{"100/10*2", 20, ""},
    ExpressionCase{"2*6/4", 3, ""},
    ExpressionCase{"1-2*3-4/2+8", 1, ""},
    ExpressionCase{"(2+3)*4", 20, ""},
    ExpressionCase{"2*(3+4)*(1+1)", 28, ""},
    ExpressionCase{"((2))", 2, ""}));

// A "+" or "-" at the start of an operand is its sign.
INSTANTIATE_TEST_SUITE_P(Signs, Expression, ::testing::Values(
    ExpressionCase{"2*-3", -6, ""},
    ExpressionCase{"2--3", 5, ""},
    ExpressionCase{"2-+3", -1, ""},
    ExpressionCase{"-2*3", -6, ""},
    ExpressionCase{"+5", 5, ""},
    ExpressionCase{"6/-2", -3, ""},
    ExpressionCase{"-(2+3)", -5, ""},
    ExpressionCase{"10+-(1+1)*2", 6, ""},
    ExpressionCase{"-", 0, bad("-")},
    ExpressionCase{"2*+", 0, bad("+")},
    ExpressionCase{"--3", 0, bad("-")}));

// Empty operands are 0; groups are rounded to 5 decimals.
INSTANTIATE_TEST_SUITE_P(EmptyAndGroups, Expression, ::testing::Values(
    ExpressionCase{"2*", 0, ""},
    ExpressionCase{"2+", 2, ""},
    ExpressionCase{"2-", 2, ""},
    ExpressionCase{"()", 0, ""},
    ExpressionCase{"2+()", 2, ""},
    ExpressionCase{"(2+)", 2, ""},
    ExpressionCase{"(2*)+1", 1, ""},
    ExpressionCase{"(1/3)*3", 0.99999, ""},
    ExpressionCase{"((1/3))*3", 0.99999, ""},
    ExpressionCase{"1/3*3", 1, ""},
    ExpressionCase{"(2/3)", 0.66667, ""},
    ExpressionCase{"(1/3)+(1/3)", 0.66666, ""},
    ExpressionCase{"-(1/3)*3", -0.99999, ""},
    ExpressionCase{"(0.000004)*1000000", 0, ""},
    ExpressionCase{"(0.000006)*100000", 1, ""}));

INSTANTIATE_TEST_SUITE_P(Errors, Expression, ::testing::Values(
    ExpressionCase{"2/", 0, kDiv},
    ExpressionCase{"5/0*3", 0, kDiv},
    ExpressionCase{"2/0.0", 0, kDiv},
    ExpressionCase{"5/(1-1)", 0, kDiv},
    ExpressionCase{"1/0+(2", 0, kDiv},
    ExpressionCase{"2+*3-1", 0, kNoLeft},
    ExpressionCase{"*3+1", 0, kNoLeft},
    ExpressionCase{"2//3+1", 0, kNoLeft},
    ExpressionCase{"(2+3", 0, kUnbalanced},
    ExpressionCase{"2+(3*4", 0, kUnbalanced},
    ExpressionCase{"-(2+3", 0, kUnbalanced},
    ExpressionCase{"2(3)", 0, bad("2(3)")},
    ExpressionCase{"12a", 0, bad("12a")},
    ExpressionCase{"1+12a*2", 0, bad("12a")},
    ExpressionCase{"1..2", 0, bad("1..2")},
    ExpressionCase{"1,5", 0, bad("1,5")},
    ExpressionCase{"1e5", 0, bad("1e5")},
    ExpressionCase{"1e-5", 0, bad("1e")},
    ExpressionCase{"0x10", 0, bad("0x10")},
    ExpressionCase{"inf", 0, bad("inf")},
    ExpressionCase{"nan", 0, bad("nan")},
    ExpressionCase{".", 0, bad(".")},
    ExpressionCase{" 1", 0, bad(" 1")},
    ExpressionCase{"(2)3", 0, bad("(2)3")},
    ExpressionCase{"(2)3+1", 0, bad("(2)3")},
    ExpressionCase{"2+3)", 0, bad("3)")},
    ExpressionCase{"2*(1+x)", 0, bad("x")},
    ExpressionCase{"[2]", 0, bad("[2]")}));

// Which of two messages an operand gets: with no further operator after it, the number message.
INSTANTIATE_TEST_SUITE_P(LastOperandMessage, Expression, ::testing::Values(
    ExpressionCase{"2**3", 0, bad("*3")},
    ExpressionCase{"*3", 0, bad("*3")},
    ExpressionCase{"/", 0, bad("/")},
    ExpressionCase{"2*/", 0, bad("/")},
    ExpressionCase{"(2**3)+1", 0, bad("*3")},
    ExpressionCase{"2+(3", 0, bad("(3")},
    ExpressionCase{"(23", 0, bad("(23")},
    ExpressionCase{"(", 0, bad("(")},
    ExpressionCase{"((2)", 0, bad("((2)")},
    ExpressionCase{"-(3", 0, bad("-(3")}));

INSTANTIATE_TEST_SUITE_P(Range, Expression, ::testing::Values(
    ExpressionCase{"1" + QString(400, '0'), 0, bad("1" + QString(400, '0'))},
    ExpressionCase{"0." + QString(400, '0') + "1", 0, ""},
    ExpressionCase{"1" + QString(300, '0') + "*1" + QString(300, '0'), 0, kOutOfRange},
    ExpressionCase{"-1" + QString(308, '0') + "-1" + QString(308, '0'), 0, kOutOfRange}));

TEST(ExpressionDepth, HundredNestedGroupsAreFineOneMoreIsAnError)
{
    const FormulaExpressionResult ok =
        EvalExpression(repeated("(", MaxFormulaGroupDepth) + "1" + repeated(")", MaxFormulaGroupDepth));
    EXPECT_EQ(ok.error, "");
    EXPECT_EQ(ok.value, 1);
    const int deeper = MaxFormulaGroupDepth + 1;
    EXPECT_EQ(EvalExpression(repeated("(", deeper) + "1" + repeated(")", deeper)).error, kTooDeep);
}

TEST(ExpressionLength, LongFlatExpressionIsEvaluated)
{
    const FormulaExpressionResult r = EvalExpression("0" + repeated("+1", 100000));
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.value, 100000);
}

// ---------------------------------------------------------------------------------------------
// Conditions

struct ConditionCase {
    QString text;
    bool value;
    QString error;
};

void PrintTo(const ConditionCase& c, std::ostream* os)
{
    *os << '"' << c.text.toStdString() << '"';
}

class Condition : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(Condition, GivesTruthOrError)
{
    const ConditionCase& c = GetParam();
    const FormulaConditionResult r = EvalCondition(c.text);
    EXPECT_EQ(r.error, c.error);
    EXPECT_EQ(r.value, c.value);
}

INSTANTIATE_TEST_SUITE_P(Numbers, Condition, ::testing::Values(
    ConditionCase{"1=1", true, ""},
    ConditionCase{"1=2", false, ""},
    ConditionCase{"1<>2", true, ""},
    ConditionCase{"1<>1", false, ""},
    ConditionCase{"2>1", true, ""},
    ConditionCase{"1>1", false, ""},
    ConditionCase{"1<2", true, ""},
    ConditionCase{"2<1", false, ""},
    ConditionCase{"1+1=2", true, ""},
    ConditionCase{"2*3>5", true, ""},
    ConditionCase{"10<9", false, ""},
    ConditionCase{"(1/3)*3<1", true, ""},
    ConditionCase{"=", true, ""},
    ConditionCase{"1<>", true, ""},
    ConditionCase{"-1<0", true, ""}));

// The operator is the first of "=", "<>", ">", "<" that occurs anywhere, split at its first place.
INSTANTIATE_TEST_SUITE_P(OperatorSearchOrder, Condition, ::testing::Values(
    ConditionCase{"3<=5", false, bad("3<")},
    ConditionCase{"3>=5", false, bad("3>")},
    ConditionCase{"1<>2=3", false, bad("1<>2")},
    ConditionCase{"1>2>3", false, bad("2>3")},
    ConditionCase{"1<2<3", false, bad("2<3")},
    ConditionCase{"1=1=1", false, bad("1=1")},
    ConditionCase{"1><2", false, bad("<2")}));

INSTANTIATE_TEST_SUITE_P(Texts, Condition, ::testing::Values(
    ConditionCase{"\"A\"=\"A\"", true, ""},
    ConditionCase{"\"A\"=A", false, ""},
    ConditionCase{"A=\"A\"", false, ""},
    ConditionCase{"\"a\"=\"A\"", false, ""},
    ConditionCase{"\"A\"<>\"B\"", true, ""},
    ConditionCase{"\"A\"<\"B\"", true, ""},
    ConditionCase{"\"B\"<\"A\"", false, ""},
    ConditionCase{"\"B\">\"A\"", true, ""},
    ConditionCase{"\"10\"<\"9\"", true, ""},
    ConditionCase{"\"Ž\">\"Z\"", true, ""},
    ConditionCase{"\"č\"<\"š\"", true, ""},
    ConditionCase{"\"ab\"<\"abc\"", true, ""},
    ConditionCase{"\"abc\">\"ab\"", true, ""},
    ConditionCase{"\"\uFFFF\"<\"\U0001F600\"", true, ""},
    ConditionCase{"\"\U0001F600\">\"\uFFFF\"", true, ""},
    ConditionCase{"1=\"1\"", false, ""},
    ConditionCase{"a\"=a\"", true, ""},
    ConditionCase{"\"\"=\"\"", true, ""},
    ConditionCase{"\"a=b\"=\"a=b\"", false, ""},
    ConditionCase{"\"1/0\"=\"x\"", false, ""}));

INSTANTIATE_TEST_SUITE_P(Errors, Condition, ::testing::Values(
    ConditionCase{"", false, kNoRelation},
    ConditionCase{"1", false, kNoRelation},
    ConditionCase{"\"A\"", false, kNoRelation},
    ConditionCase{"x=1", false, bad("x")},
    ConditionCase{"1=x", false, bad("x")},
    ConditionCase{"1/0=x", false, kDiv},
    ConditionCase{"1=1/0", false, kDiv},
    ConditionCase{"(1=1", false, bad("(1")}));

// ---------------------------------------------------------------------------------------------
// Formulas

struct FormulaCase {
    QString text;
    std::optional<double> value;
    QString error;
};

void PrintTo(const FormulaCase& c, std::ostream* os)
{
    *os << '"' << c.text.toStdString() << '"';
}

class Formula : public ::testing::TestWithParam<FormulaCase> {};

TEST_P(Formula, GivesResultOrError)
{
    const FormulaCase& c = GetParam();
    const FormulaEvalResult r = EvalFormula(c.text);
    EXPECT_EQ(r.error, c.error);
    ASSERT_EQ(r.value.has_value(), c.value.has_value());
    if (c.value) {
        EXPECT_DOUBLE_EQ(*r.value, *c.value);
    }
}

const std::optional<double> none;

INSTANTIATE_TEST_SUITE_P(Clauses, Formula, ::testing::Values(
    FormulaCase{"5", 5, ""},
    FormulaCase{"", none, ""},
    FormulaCase{"(1/3)*3", 0.99999, ""},
    FormulaCase{"[2>1:10]20", 10, ""},
    FormulaCase{"[2<1:10]20", 20, ""},
    FormulaCase{"[2<1:10]", none, ""},
    FormulaCase{"[1=2:5][2=2:6]7", 6, ""},
    FormulaCase{"[1=2:5][2=3:6]7", 7, ""},
    FormulaCase{"[1=1:5][2=2:6]7", 5, ""},
    FormulaCase{"[=:5]", 5, ""},
    FormulaCase{"[1=1:5]]", 5, ""},
    FormulaCase{"[1=1:2*(3+4)]", 14, ""},
    FormulaCase{"[1+1=2:-1]", -1, ""},
    FormulaCase{"[1=2:1/0]5", 5, ""},
    FormulaCase{"[1=2:\"A\"]5", 5, ""},
    FormulaCase{"[\"A\"=\"A\":1]2", 1, ""},
    FormulaCase{"[\"A\"=A:1]2", 2, ""},
    FormulaCase{"[\"B\"=\"A\":1][\"B\"=\"B\":2]3", 2, ""},
    FormulaCase{"[1<>1:7]0", 0, ""},
    FormulaCase{"[1<>2:7]0", 7, ""}));

INSTANTIATE_TEST_SUITE_P(Splitting, Formula, ::testing::Values(
    FormulaCase{"[1=1:3]x[1=1:4]", none, kTextBefore},
    FormulaCase{"x[1=1:3]", none, kTextBefore},
    FormulaCase{"[1=1:3] [1=1:4]", none, kTextBefore},
    FormulaCase{"[1=1]", none, kForm},
    FormulaCase{"[1=1:]", none, kForm},
    FormulaCase{"[1=1]:3]", none, kForm},
    FormulaCase{"[1=1]5", none, kForm},
    FormulaCase{"[1=1:2][1=1]", none, kForm},
    FormulaCase{"[1:]", none, kNoClosing},
    FormulaCase{"[1=1:3", none, kNoClosing},
    FormulaCase{"[]", none, kNoClosing},
    FormulaCase{"[", none, kNoClosing},
    FormulaCase{"[ab]", none, kNoClosing},
    FormulaCase{"[:5]", none, kNoClosing},
    FormulaCase{"[1=1:2][", none, kNoClosing},
    FormulaCase{"[a:b]", none, kNoRelation},
    FormulaCase{"[:abc]", none, kNoRelation},
    FormulaCase{"[1:2:3]", none, kNoRelation},
    FormulaCase{"[1=1:2:3]", none, bad("2:3")},
    FormulaCase{"[1=1:[2]", none, bad("[2")},
    FormulaCase{"[1=2:5]]", none, bad("]")}));

// Splitting comes first: a malformed later clause fails the formula even when an earlier
// clause would be true; a condition error stops the formula even when a later clause is true.
INSTANTIATE_TEST_SUITE_P(ErrorsStop, Formula, ::testing::Values(
    FormulaCase{"[1=1:5][1=1]", none, kForm},
    FormulaCase{"[a=1:1][1=1:2]", none, bad("a")},
    FormulaCase{"[1=2:1][1/0=1:1]5", none, kDiv},
    FormulaCase{"[3<=5:1]0", none, bad("3<")},
    FormulaCase{"[1=1:1/0]5", none, kDiv},
    FormulaCase{"[1=1:\"A\"]", none, kTextResult},
    FormulaCase{"\"A\"", none, kTextResult},
    FormulaCase{"[1=2:1]\"5\"", none, kTextResult},
    FormulaCase{"[1=1:2(3)]", none, bad("2(3)")},
    FormulaCase{"[1=1:(2+3]", none, kUnbalanced},
    FormulaCase{"[1=1:2+*3-1]", none, kNoLeft},
    FormulaCase{"5 ", none, bad("5 ")},
    FormulaCase{"[x:1]", none, kNoRelation}));

QString falseClauses(int count)
{
    return repeated("[1=2:1]", count);
}

INSTANTIATE_TEST_SUITE_P(ClauseLimit, Formula, ::testing::Values(
    FormulaCase{falseClauses(9) + "[1=1:10]", 10, ""},
    FormulaCase{falseClauses(9) + "10", 10, ""},
    FormulaCase{falseClauses(10), none, ""},
    FormulaCase{falseClauses(10) + "11", none, kTooMany},
    FormulaCase{falseClauses(10) + "[1=1:11]", none, kTooMany},
    FormulaCase{"[1=1:1]" + falseClauses(10), none, kTooMany},
    FormulaCase{falseClauses(11) + "[1=1", none, kTooMany},
    FormulaCase{falseClauses(5) + "[1=1]" + falseClauses(6), none, kForm}));

}  // namespace
