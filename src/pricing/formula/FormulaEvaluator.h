#pragma once
#include <QString>
#include <optional>

// Evaluator of price formulas.
//
// A formula is a sequence of clauses "[condition:value]" followed by an optional default value
// (any text after the last clause that holds no "["). The first clause whose condition is true
// gives the result. Conditions compare two arithmetic expressions (or two texts, when a double
// quote appears) with "=", "<>", ">" or "<". Values are arithmetic expressions over decimal
// numbers with "+", "-", "*", "/" and parentheses.
//
// The evaluator knows no variables: they are substituted beforehand (FormulaVariables.h), decimal
// commas turned into points and blanks removed. It never throws; the outcome and the Slovenian
// error text come back as values. Evaluation stops at the first error.

// At most this many clauses per formula (the default value counts as one).
inline constexpr int MaxFormulaClauses = 10;
// At most this many parenthesised groups inside one another.
inline constexpr int MaxFormulaGroupDepth = 100;

struct FormulaEvalResult {
    std::optional<double> value;  // none: an error, or no condition was true
    QString error;                // empty when no rule was broken
};

struct FormulaConditionResult {
    bool value = false;  // false also when an error is set
    QString error;
};

struct FormulaExpressionResult {
    double value = 0.0;  // not usable when an error is set
    QString error;
};

// Evaluates a whole formula (which must hold no blanks).
FormulaEvalResult EvalFormula(const QString& formula);
// Evaluates one condition "left op right".
FormulaConditionResult EvalCondition(const QString& condition);
// Evaluates one arithmetic expression; the empty expression is 0.
FormulaExpressionResult EvalExpression(const QString& expression);
