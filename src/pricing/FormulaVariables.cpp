#include "pricing/FormulaVariables.h"
#include "pricing/MasterLookups.h"

#include <QStringView>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

QString valueText(const std::optional<FormulaVariableValue>& value)
{
    if (!value)
        return QStringLiteral("0");
    if (const QString* text = std::get_if<QString>(&*value))
        return *text;
    return FormatFormulaNumber(std::get<double>(*value));
}

// At most the first FormulaTextCut characters of the text.
QStringView cut(QStringView text)
{
    return text.size() > FormulaTextCut ? text.first(FormulaTextCut) : text;
}

}  // namespace

QString SubstituteFormulaVariables(const QString& formula, const FormulaVariableLookup& lookup)
{
    QString result;
    QStringView rest(formula);
    for (;;) {
        const qsizetype open = rest.indexOf(u'#');
        if (open < 0) {
            result += rest;
            break;
        }
        result += rest.first(open);
        rest = cut(rest.sliced(open + 1));
        const qsizetype close = rest.indexOf(u'#');
        if (close < 0) {
            // A lone "#": what was built so far gives way to "1".
            result = QStringLiteral("1") + rest.toString();
            break;
        }
        const QString name = rest.first(close).toString();
        result += valueText(lookup ? lookup(name) : std::nullopt);
        rest = cut(rest.sliced(close + 1));
    }
    result.replace(u',', u'.');
    result.remove(u' ');
    return result;
}

QString SubstituteFormulaVariables(const QString& formula,
                                   const QHash<QString, FormulaVariableValue>& values)
{
    return SubstituteFormulaVariables(formula, [&values](const QString& name)
                                                   -> std::optional<FormulaVariableValue> {
        const auto found = values.constFind(name);
        if (found == values.constEnd())
            return std::nullopt;
        return *found;
    });
}

QString FormatFormulaNumber(double value)
{
    QString text;
    appendFormulaNumber(text, value);
    return text;
}

void appendFormulaNumber(QString& text, double value)
{
    if (!std::isfinite(value) || value == 0.0) {
        text += u'0';
        return;
    }

    // Rounded to 15 significant digits: d.dddddddddddddde±x
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, 14);
    const char* const end = written.ptr;
    const char* e = written.ec == std::errc() ? std::find(static_cast<const char*>(buffer), end, 'e') : end;
    if (e == end) {
        text += u'0';
        return;
    }
    const bool negative = buffer[0] == '-';
    char digits[20];
    int count = 0;
    for (const char* c = buffer + (negative ? 1 : 0); c < e; ++c) {
        if (*c != '.')
            digits[count++] = *c;
    }
    while (count > 1 && digits[count - 1] == '0')
        --count;
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), end, exponent);

    // The first digit stands before the point when the exponent is 0.
    const int integerDigits = exponent + 1;
    char out[400];   // at most 324 zeros after the point, or 309 digits before it
    int n = 0;
    if (negative)
        out[n++] = '-';
    if (integerDigits <= 0) {
        out[n++] = '0';
        out[n++] = '.';
        for (int i = 0; i < -integerDigits; ++i)
            out[n++] = '0';
        for (int i = 0; i < count; ++i)
            out[n++] = digits[i];
    } else if (integerDigits >= count) {
        for (int i = 0; i < count; ++i)
            out[n++] = digits[i];
        for (int i = count; i < integerDigits; ++i)
            out[n++] = '0';
    } else {
        for (int i = 0; i < integerDigits; ++i)
            out[n++] = digits[i];
        out[n++] = '.';
        for (int i = integerDigits; i < count; ++i)
            out[n++] = digits[i];
    }
    text += QLatin1StringView(out, n);
}

QString UpperCaseFormula(const QString& formula)
{
    QString result = formula;
    for (QChar& c : result) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return result;
}

std::optional<FormulaVariableValue> PriceFormulaValues::operator()(const QString& name) const
{
    static const QHash<QString, double PriceFormulaValues::*> numbers{
        {QStringLiteral("KOLICINA"), &PriceFormulaValues::kolicina},
        {QStringLiteral("POGCENA"), &PriceFormulaValues::pogCena},
        {QStringLiteral("CENA"), &PriceFormulaValues::cena},
        {QStringLiteral("MPCENA"), &PriceFormulaValues::mpCena},
        {QStringLiteral("VPCENA1"), &PriceFormulaValues::vpCena1},
        {QStringLiteral("VPCENA2"), &PriceFormulaValues::vpCena2},
        {QStringLiteral("SESTAVNICA"), &PriceFormulaValues::sestavnica},
        {QStringLiteral("KOSOVNICA"), &PriceFormulaValues::kosovnica},
        {QStringLiteral("NABACENA"), &PriceFormulaValues::nabaCena},
        {QStringLiteral("BNABACENA"), &PriceFormulaValues::bNabaCena},
        {QStringLiteral("NNABACENA"), &PriceFormulaValues::nNabaCena},
    };
    if (name == QLatin1String("CENRAZRED"))
        return cenRazred;
    const auto found = numbers.constFind(name);
    if (found == numbers.constEnd())
        return std::nullopt;
    return this->*(*found);
}

PriceFormulaOutcome EvalPriceFormulaText(const QString& formula, const FormulaVariableLookup& lookup)
{
    // The lines of a run evaluate the same few formulas with the same few values over and over;
    // the evaluation depends on the substituted text alone, so within a run its results are kept
    // by that text (a bounded number of them; GUI thread only).
    static QHash<QString, FormulaEvalResult> evaluated;
    static quint64 evaluatedIn = 0;
    constexpr qsizetype MaxEvaluated = 4096;
    PriceFormulaOutcome outcome;
    outcome.text = SubstituteFormulaVariables(formula, lookup);
    if (outcome.text.isEmpty())
        return outcome;
    const quint64 run = LookupRunCache::currentRun();
    if (run == 0) {
        outcome.result = EvalFormula(outcome.text);
        return outcome;
    }
    if (evaluatedIn != run) {
        evaluated.clear();
        evaluatedIn = run;
    }
    const auto known = evaluated.constFind(outcome.text);
    if (known != evaluated.constEnd()) {
        outcome.result = *known;
        return outcome;
    }
    outcome.result = EvalFormula(outcome.text);
    if (evaluated.size() >= MaxEvaluated)
        evaluated.clear();
    evaluated.insert(outcome.text, outcome.result);
    return outcome;
}
