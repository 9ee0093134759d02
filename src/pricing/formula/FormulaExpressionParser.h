#pragma once
#include <QString>
#include <QStringView>
#include <optional>

// Left-to-right parser and evaluator of one arithmetic expression of a price formula.
// Used by EvalExpression; see FormulaEvaluator.h for the language.
//
//   expression := term { ("+" | "-") term }
//   term       := operand { ("*" | "/") operand }
//   operand    := empty | [sign] "(" expression ")" | [sign] number
//   number     := digits with at most one "." (at least one digit)
//
// An operand starts right after an operator (or at the start of the expression). Its first
// character, when it is "+" or "-", is its sign; any later "+", "-", "*" or "/" ends it. The value
// of a parenthesised group is rounded to 5 decimals before it is used. Evaluation stops at the
// first error; the error text tells which rule was broken.
class FormulaExpressionParser
{
public:
    FormulaExpressionParser(QStringView text, int depth);

    // Evaluates the whole text. The value is not usable when error() is not empty.
    double evaluate();
    const QString& error() const { return m_error; }

    // A decimal number: optional sign, digits and at most one ".", at least one digit; the
    // point is the separator whatever the locale. None for any other text.
    static std::optional<double> toNumber(QStringView text);
    // Writes the value with 5 decimals and reads it back.
    static double roundToFiveDecimals(double value);

private:
    double parseExpression();
    double parseTerm();
    double parseOperand();
    double parseGroup(qsizetype start, qsizetype open, bool negative);
    double checked(double value);
    void fail(const QString& message);
    bool failed() const { return !m_error.isEmpty(); }
    bool atEnd() const { return m_pos >= m_text.size(); }

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_depth = 0;
    QString m_error;
};
