#include "pricing/CompiledPriceFormula.h"

#include <QStringView>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace {

// The variable of the name (compared exactly, as PriceFormulaValues does), or -1.
int variableOf(QStringView name)
{
    static const std::array<QStringView, CompiledPriceFormula::VariableCount> names{
        u"KOLICINA", u"POGCENA", u"CENA", u"MPCENA", u"VPCENA1", u"VPCENA2", u"SESTAVNICA",
        u"KOSOVNICA", u"NABACENA", u"BNABACENA", u"NNABACENA", u"CENRAZRED"};
    for (int v = 0; v < CompiledPriceFormula::VariableCount; ++v) {
        if (name == names[size_t(v)])
            return v;
    }
    return -1;
}

double numberOf(const PriceFormulaValues& values, int variable)
{
    switch (variable) {
    case CompiledPriceFormula::Kolicina: return values.kolicina;
    case CompiledPriceFormula::PogCena: return values.pogCena;
    case CompiledPriceFormula::Cena: return values.cena;
    case CompiledPriceFormula::MpCena: return values.mpCena;
    case CompiledPriceFormula::VpCena1: return values.vpCena1;
    case CompiledPriceFormula::VpCena2: return values.vpCena2;
    case CompiledPriceFormula::Sestavnica: return values.sestavnica;
    case CompiledPriceFormula::Kosovnica: return values.kosovnica;
    case CompiledPriceFormula::NabaCena: return values.nabaCena;
    case CompiledPriceFormula::BNabaCena: return values.bNabaCena;
    case CompiledPriceFormula::NNabaCena: return values.nNabaCena;
    default: return 0.0;
    }
}

// Decimal commas as points, blanks removed: what the substitution does to its whole text.
void appendTidied(QString& out, QStringView text)
{
    for (const QChar c : text) {
        if (c == u' ')
            continue;
        out += c == u',' ? QChar(u'.') : c;
    }
}

// At most the first FormulaTextCut characters of the text.
QStringView cut(QStringView text)
{
    return text.size() > FormulaTextCut ? text.first(FormulaTextCut) : text;
}

}  // namespace

CompiledPriceFormula::CompiledPriceFormula(const QString& formula) : m_formula(formula)
{
    // The scan of SubstituteFormulaVariables, with the values left open.
    const auto addText = [this](QStringView text) {
        if (text.isEmpty())
            return;
        if (m_pieces.empty() || m_pieces.back().variable >= 0)
            m_pieces.push_back({});
        appendTidied(m_pieces.back().text, text);
    };
    QStringView rest(formula);
    for (;;) {
        const qsizetype open = rest.indexOf(u'#');
        if (open < 0) {
            addText(rest);
            break;
        }
        addText(rest.first(open));
        rest = cut(rest.sliced(open + 1));
        const qsizetype close = rest.indexOf(u'#');
        if (close < 0) {
            // A lone "#": what was built so far gives way to "1".
            m_pieces.clear();
            addText(u"1");
            addText(rest);
            break;
        }
        const int variable = variableOf(rest.first(close));
        if (variable < 0)
            addText(u"0");   // a name it does not know
        else
            m_pieces.push_back({QString(), variable});
        rest = cut(rest.sliced(close + 1));
    }
    for (const Piece& p : m_pieces) {
        if (p.variable >= 0)
            m_named |= 1u << p.variable;
    }
}

QString CompiledPriceFormula::substitute(const PriceFormulaValues& values) const
{
    QString text;
    for (const Piece& p : m_pieces) {
        if (p.variable < 0)
            text += p.text;
        else if (p.variable == CenRazred)
            appendTidied(text, values.cenRazred);
        else
            appendFormulaNumber(text, numberOf(values, p.variable));
    }
    return text;
}

CompiledPriceFormula::Key CompiledPriceFormula::keyOf(const PriceFormulaValues& values) const
{
    Key key;
    for (int v = 0; v < NumberVariables; ++v) {
        if (m_named & (1u << v)) {
            const double number = numberOf(values, v);
            std::memcpy(&key.numbers[size_t(v)], &number, sizeof number);
        }
    }
    if (m_named & (1u << CenRazred))
        key.cenRazred = values.cenRazred;
    return key;
}

FormulaEvalResult CompiledPriceFormula::evaluate(const PriceFormulaValues& values) const
{
    if (m_pieces.empty())
        return {};
    Key key = keyOf(values);
    const auto known = m_results.constFind(key);
    if (known != m_results.constEnd())
        return *known;
    const QString text = substitute(values);
    FormulaEvalResult result = text.isEmpty() ? FormulaEvalResult{} : EvalFormula(text);
    if (m_results.size() >= MaxKeptResults)
        m_results.clear();
    m_results.insert(std::move(key), result);
    return result;
}

size_t qHash(const CompiledPriceFormula::Key& key, size_t seed) noexcept
{
    return qHashMulti(seed, qHashRange(key.numbers.begin(), key.numbers.end()), key.cenRazred);
}

namespace {

using FormulaStore = std::unordered_map<QString, std::unique_ptr<CompiledPriceFormula>>;

const CompiledPriceFormula& compiledIn(FormulaStore& store, const QString& key, bool upperCase)
{
    const auto known = store.find(key);
    if (known != store.end())
        return *known->second;
    if (qsizetype(store.size()) >= MaxCompiledFormulas)
        store.clear();
    auto compiled = std::make_unique<CompiledPriceFormula>(upperCase ? UpperCaseFormula(key) : key);
    return *store.emplace(key, std::move(compiled)).first->second;
}

}  // namespace

const CompiledPriceFormula& compiledPriceFormula(const QString& formula)
{
    static FormulaStore store;
    return compiledIn(store, formula, false);
}

const CompiledPriceFormula& compiledUpperCaseFormula(const QString& formula)
{
    static FormulaStore store;
    return compiledIn(store, formula, true);
}
