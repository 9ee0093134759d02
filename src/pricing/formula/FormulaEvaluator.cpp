#include "pricing/formula/FormulaEvaluator.h"
#include "pricing/formula/FormulaExpressionParser.h"

#include <QStringView>
#include <algorithm>
#include <array>
#include <vector>

namespace {

const QString kTextBeforeClause = QStringLiteral("Izraz se mora obvezno začeti z logično enoto");
const QString kNoClosingBracket =
    QStringLiteral("Nepravilen izraz, manjka končni ] ali tekst med oklepajema");
const QString kClauseForm = QStringLiteral("Nepravilna oblika izraza, moralo bi biti [xxxx:yyyy]");
const QString kNoRelation = QStringLiteral("Logični izraz ne vsebuje operatorja =, <, > ali <>");
const QString kTextResult = QStringLiteral(
    "Nepravilen rezultat formule. Formula bi morala dati številčni rezultat!");
const QString kTooManyClauses = QStringLiteral("Formula ima lahko največ 10 logičnih enot");

struct Clause {
    QString condition;
    QString value;
};

struct ClauseTable {
    std::vector<Clause> clauses;
    QString error;
};

// Adds one clause; a formula has room for MaxFormulaClauses of them.
bool addClause(ClauseTable& table, QString condition, QString value)
{
    if (table.clauses.size() >= static_cast<size_t>(MaxFormulaClauses)) {
        table.error = kTooManyClauses;
        return false;
    }
    table.clauses.push_back({std::move(condition), std::move(value)});
    return true;
}

// formula := { "[" condition ":" value "]" } [ default ]
// Clauses follow one another with nothing in between; the default is the text after the last
// clause when it holds no "[", and counts as a clause whose condition is always true. The
// condition runs to the first ":" (so it holds none), the value to the first "]" (so it holds
// none); the value may not be empty and there must be at least three characters in the brackets.
ClauseTable splitClauses(const QString& formula)
{
    ClauseTable table;
    QStringView rest(formula);
    while (!rest.isEmpty()) {
        const qsizetype open = rest.indexOf(u'[');
        if (open < 0) {
            addClause(table, QStringLiteral("1=1"), rest.toString());
            break;
        }
        if (open != 0) {
            table.error = kTextBeforeClause;
            break;
        }
        // Positions below are 0-based: the closing "]" must be at least the fifth character.
        const qsizetype close = rest.indexOf(u']');
        if (close < 4) {
            table.error = kNoClosingBracket;
            break;
        }
        const qsizetype colon = rest.indexOf(u':');
        if (colon < 0 || colon > close - 2) {
            table.error = kClauseForm;
            break;
        }
        if (!addClause(table, rest.mid(1, colon - 1).toString(),
                       rest.mid(colon + 1, close - colon - 1).toString()))
            break;
        rest = rest.mid(close + 1);
    }
    return table;
}

enum class Relation { Equal, NotEqual, Greater, Less };

struct RelationalOperator {
    QStringView text;
    Relation relation;
};

// Looked for in this order; the first one found anywhere in the condition is the operator, so
// "3<=5" splits at its "=".
constexpr std::array<RelationalOperator, 4> kRelations{{
    {u"=", Relation::Equal},
    {u"<>", Relation::NotEqual},
    {u">", Relation::Greater},
    {u"<", Relation::Less},
}};

// Code-unit weight that orders UTF-16 text by code points: surrogates (the units of characters
// above U+FFFF) go after U+E000..U+FFFF.
int codePointWeight(char16_t unit)
{
    if (unit >= 0xD800 && unit <= 0xDFFF)
        return unit + 0x2000;
    if (unit >= 0xE000)
        return unit - 0x800;
    return unit;
}

// Negative, 0 or positive as left comes before, equals or comes after right by character codes.
int compareByCharacterCodes(QStringView left, QStringView right)
{
    const qsizetype common = std::min(left.size(), right.size());
    for (qsizetype i = 0; i < common; ++i) {
        const int l = codePointWeight(left[i].unicode());
        const int r = codePointWeight(right[i].unicode());
        if (l != r)
            return l < r ? -1 : 1;
    }
    return left.size() < right.size() ? -1 : (left.size() > right.size() ? 1 : 0);
}

template <typename T>
bool holds(Relation relation, const T& left, const T& right)
{
    switch (relation) {
    case Relation::Equal: return left == right;
    case Relation::NotEqual: return left != right;
    case Relation::Greater: return left > right;
    case Relation::Less: return left < right;
    }
    return false;
}

}  // namespace

// expression := see FormulaExpressionParser
FormulaExpressionResult EvalExpression(const QString& expression)
{
    FormulaExpressionParser parser(expression, 0);
    const double value = parser.evaluate();
    return {value, parser.error()};
}

// condition := left relation right,  relation := "=" | "<>" | ">" | "<"
// With a double quote anywhere the two sides are compared as texts, quotes included, by
// character codes; otherwise both are evaluated as expressions and compared as numbers.
FormulaConditionResult EvalCondition(const QString& condition)
{
    const QStringView text(condition);
    for (const RelationalOperator& op : kRelations) {
        const qsizetype at = text.indexOf(op.text);
        if (at < 0)
            continue;
        const QString left = text.left(at).toString();
        const QString right = text.mid(at + op.text.size()).toString();

        if (text.contains(u'"'))
            return {holds(op.relation, compareByCharacterCodes(left, right), 0), {}};

        const FormulaExpressionResult l = EvalExpression(left);
        if (!l.error.isEmpty())
            return {false, l.error};
        const FormulaExpressionResult r = EvalExpression(right);
        if (!r.error.isEmpty())
            return {false, r.error};
        return {holds(op.relation, l.value, r.value), {}};
    }
    return {false, kNoRelation};
}

// The first clause whose condition holds gives the result; a text value (one that holds a
// double quote) is an error, since a formula must give a number. No true condition: no result
// and no error.
FormulaEvalResult EvalFormula(const QString& formula)
{
    const ClauseTable table = splitClauses(formula);
    if (!table.error.isEmpty())
        return {std::nullopt, table.error};

    for (const Clause& clause : table.clauses) {
        const FormulaConditionResult condition = EvalCondition(clause.condition);
        if (!condition.error.isEmpty())
            return {std::nullopt, condition.error};
        if (!condition.value)
            continue;
        if (clause.value.contains(u'"'))
            return {std::nullopt, kTextResult};
        const FormulaExpressionResult value = EvalExpression(clause.value);
        if (!value.error.isEmpty())
            return {std::nullopt, value.error};
        return {value.value, {}};
    }
    return {std::nullopt, {}};
}
