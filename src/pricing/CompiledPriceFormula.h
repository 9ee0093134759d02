#pragma once
#include "pricing/FormulaVariables.h"

#include <QHash>
#include <QString>
#include <array>
#include <vector>

// A price formula prepared once for many evaluations with the variables of PriceFormulaValues.
//
// Preparing splits the text into pieces of fixed text, already tidied (decimal commas as points,
// blanks removed, the cuts after every "#" made), and the variables it names; a lone "#" and the
// names that are not variables are settled then too, since they depend on the text alone. An
// evaluation puts the values into the pieces and evaluates the text with EvalFormula: the text
// is the one that SubstituteFormulaVariables gives, so the result (value or error, with its
// message) is the one that EvalPriceFormulaText gives.
//
// The evaluation depends only on the values of the variables that the formula names, so each
// prepared formula keeps its results by those values (compared bit for bit; at most
// MaxKeptResults of them): a price run asks the same few formulas with the same few values over
// and over. GUI thread only.
class CompiledPriceFormula
{
public:
    explicit CompiledPriceFormula(const QString& formula);

    // The substituted and tidied text, as SubstituteFormulaVariables(formula, values) gives it.
    QString substitute(const PriceFormulaValues& values) const;
    // As EvalPriceFormulaText(formula, values).result: an empty text is not evaluated.
    FormulaEvalResult evaluate(const PriceFormulaValues& values) const;

    // The formula as it was prepared.
    const QString& text() const { return m_formula; }

    static constexpr qsizetype MaxKeptResults = 4096;

    // The variables of price formulas, in the order of PriceFormulaValues.
    enum Variable {
        Kolicina, PogCena, Cena, MpCena, VpCena1, VpCena2, Sestavnica, Kosovnica, NabaCena, BNabaCena,
        NNabaCena, CenRazred, VariableCount
    };
    static constexpr int NumberVariables = CenRazred;

    // The values that an evaluation depends on: the numbers of the named variables by their bits
    // (the others 0) and the price class when it is named (empty otherwise).
    struct Key {
        std::array<quint64, NumberVariables> numbers{};
        QString cenRazred;
        bool operator==(const Key& other) const = default;
    };

private:
    struct Piece {
        QString text;        // fixed text, tidied; used when variable < 0
        int variable = -1;   // a Variable
    };

    Key keyOf(const PriceFormulaValues& values) const;

    QString m_formula;
    std::vector<Piece> m_pieces;
    unsigned m_named = 0;    // bit v set: variable v appears in a piece
    mutable QHash<Key, FormulaEvalResult> m_results;
};

size_t qHash(const CompiledPriceFormula::Key& key, size_t seed = 0) noexcept;

// The prepared form of a formula text, made on first use and kept (at most MaxCompiledFormulas
// texts; past that the store starts anew). The reference stays valid until the next call.
// GUI thread only.
const CompiledPriceFormula& compiledPriceFormula(const QString& formula);
inline constexpr qsizetype MaxCompiledFormulas = 256;

// The prepared form of UpperCaseFormula(formula), kept by the stored text as it is.
const CompiledPriceFormula& compiledUpperCaseFormula(const QString& formula);
