#pragma once
#include "pricing/formula/FormulaEvaluator.h"

#include <QHash>
#include <QString>
#include <functional>
#include <optional>
#include <variant>

// Variables of price formulas.
//
// In a stored formula a variable is written between two "#" signs ("#VPCENA1#*1,2"). Before
// evaluation every variable is replaced by its value, every "," becomes "." and every blank is
// removed, so that users may write decimal commas and spaces in their formulas.

// The value of one variable: a number (written as a decimal number with a point) or a text that
// is put in as it stands (the price-class letter).
using FormulaVariableValue = std::variant<double, QString>;

// Gives the value of the variable with the given name (compared exactly, upper case), or none for
// a name it does not know; an unknown name is replaced by "0".
using FormulaVariableLookup = std::function<std::optional<FormulaVariableValue>(const QString& name)>;

// Longest piece of text kept after each "#" that the substitution passes.
inline constexpr qsizetype FormulaTextCut = 255;

// Replaces the "#NAME#" pairs of a formula and tidies the text for EvalFormula:
// - the text is scanned from the left; the text before the next "#" is copied, the name runs to
//   the following "#", and the name with both signs is replaced by the variable's value;
// - each time a "#" is passed, only the next FormulaTextCut characters of the remaining text
//   stay;
// - a "#" without a closing "#" ends the scan: the text built so far is replaced by "1", and the
//   rest of the text after that "#" follows it;
// - finally every "," becomes "." and every blank (space) is removed.
QString SubstituteFormulaVariables(const QString& formula, const FormulaVariableLookup& lookup);
QString SubstituteFormulaVariables(const QString& formula,
                                   const QHash<QString, FormulaVariableValue>& values);

// A number as it is put into a formula: up to 15 significant digits, a "." as decimal separator
// whatever the locale, no thousands separators, no exponent (1e20 is written out in full);
// zero, and a value that is not finite, is "0".
QString FormatFormulaNumber(double value);
// The same, appended to a text.
void appendFormulaNumber(QString& text, double value);

// The formula in upper case as the callers prepare it: only the letters a to z change.
QString UpperCaseFormula(const QString& formula);

// The values of the variables of price formulas. Which working value goes into which variable
// depends on the formula being evaluated; the caller fills them.
struct PriceFormulaValues {
    double kolicina = 0.0;    // KOLICINA
    QString cenRazred;        // CENRAZRED: the price-class letter, put in unchanged
    double pogCena = 0.0;     // POGCENA
    double cena = 0.0;        // CENA
    double mpCena = 0.0;      // MPCENA
    double vpCena1 = 0.0;     // VPCENA1
    double vpCena2 = 0.0;     // VPCENA2
    double sestavnica = 0.0;  // SESTAVNICA
    double kosovnica = 0.0;   // KOSOVNICA
    double nabaCena = 0.0;    // NABACENA
    double bNabaCena = 0.0;   // BNABACENA
    double nNabaCena = 0.0;   // NNABACENA

    // The lookup of these values by variable name; usable as a FormulaVariableLookup.
    std::optional<FormulaVariableValue> operator()(const QString& name) const;
};

// A price formula substituted and evaluated: text is what EvalFormula saw, result its outcome.
struct PriceFormulaOutcome {
    QString text;
    FormulaEvalResult result;
    // The number, or 0 for an empty text, an error, or no true condition.
    double valueOrZero() const { return result.value.value_or(0.0); }
};

// Substitutes the variables and evaluates the formula; an empty text after substitution is not
// evaluated. The value is not rounded.
PriceFormulaOutcome EvalPriceFormulaText(const QString& formula, const FormulaVariableLookup& lookup);
