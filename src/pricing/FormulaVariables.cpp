#include "pricing/FormulaVariables.h"
#include "pricing/MasterLookups.h"

#include <QStringView>
#include <charconv>
#include <cmath>
#include <cstdlib>

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
    if (!std::isfinite(value) || value == 0.0)
        return QStringLiteral("0");

    // Rounded to 15 significant digits: d.dddddddddddddde±x
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value,
                                       std::chars_format::scientific, 14);
    if (written.ec != std::errc())
        return QStringLiteral("0");
    const std::string text(buffer, written.ptr);

    const bool negative = text.front() == '-';
    const size_t mantissaStart = negative ? 1 : 0;
    const size_t e = text.find('e');
    if (e == std::string::npos)
        return QStringLiteral("0");
    std::string digits;
    for (size_t i = mantissaStart; i < e; ++i) {
        if (text[i] != '.')
            digits += text[i];
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const long exponent = std::strtol(text.c_str() + e + 1, nullptr, 10);

    // The first digit stands before the point when the exponent is 0.
    const long integerDigits = exponent + 1;
    const long count = static_cast<long>(digits.size());
    std::string out = negative ? "-" : "";
    if (integerDigits <= 0) {
        out += "0.";
        out.append(static_cast<size_t>(-integerDigits), '0');
        out += digits;
    } else if (integerDigits >= count) {
        out += digits;
        out.append(static_cast<size_t>(integerDigits - count), '0');
    } else {
        out += digits.substr(0, static_cast<size_t>(integerDigits));
        out += '.';
        out += digits.substr(static_cast<size_t>(integerDigits));
    }
    return QString::fromLatin1(out);
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
