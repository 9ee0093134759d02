#pragma once
#include "data/core/Money.h"
#include "pricing/MasterRecords.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Price determination: the unit price and the discount of an item for a partner on a document
// line.
//
// Sources, in order: a price formula named by the contract price-list row (or, on the sale side,
// by the item); then the contract price; then the parameter formula of the price class (sale) or
// of the purchase price (purchase). The partner's price method may then turn the price into the
// retail list price with the difference as discount ("1") or into a net price without discount
// ("2").
//
// Prices are amounts (Money, four decimals, ties to even); discounts are floating percentages.
// The partner's and the item's discount enter the arithmetic rounded to four decimals.

// The parameter fields that price determination reads.
struct PriceParameters {
    QString NACIZRRABSUM;      // "T": discounts are combined even when a contract row gives some
    QString NACIZRRABATA;      // "S": discounts are summed; anything else: applied one after another
    QString NASAVALUTA;        // home currency (the currency of the item's NabaCena)
    QString BANKACENIK;        // bank of the price-list exchange rates
    QString FORMULAKOSOVNICA;  // parameter formulas, as stored (upper-cased before use)
    QString FORMULACENRAZRED;
    QString FORMULANABACENA;

    // The fields of the company parameter row.
    static PriceParameters fromParam();
};

// The values of the variables of a price formula (all but CENRAZRED, the class letter).
struct PriceFormulaAmounts {
    Money KOLICINA;    // the line quantity (as an amount: four decimals)
    Money POGCENA;     // contract price
    Money CENA;        // result of the price-class formula (0 inside the parameter formulas)
    Money MPCENA;      // item prices converted into the document currency
    Money VPCENA1;
    Money VPCENA2;
    Money SESTAVNICA;
    Money KOSOVNICA;   // result of the parameter formula FORMULAKOSOVNICA
    Money NABACENA;
    Money BNABACENA;   // purchase price NabaCena converted from the home currency
    Money NNABACENA;   // supplier price CenaDob converted from its currency
};

// Substitutes the "#NAME#" variables of the formula (which the caller has upper-cased), turns
// decimal commas into points, removes blanks and evaluates it. The result is rounded to an
// amount; an empty text, a formula that does not evaluate and one whose clauses all fail give 0.
// A failure is reported as "IzrCenePozFormula" and gives 0.
Money IzrCenePozFormula(const QString& formula, const QString& cenRazred, const PriceFormulaAmounts& values);

// The working values of one determination, step by step.
struct PriceWorking {
    QString cenRazred;        // the class letter (CENRAZRED)
    QString listSide;         // "P" sale, "N" purchase (SubjektCenik.PreIzd)
    QString partnerType;
    double partnerDiscount = 0.0;   // rounded to four decimals
    double itemDiscount = 0.0;      // rounded to four decimals; 0 on the purchase side
    QString method;           // the partner's price method (NacIzrCene / DobNacIzrCene)

    bool contractFound = false;
    QString contractSubjekt;  // the pair under which the contract row was found
    QString contractIdent;
    QString contractValuta;
    double contractFactor = 1.0;
    Money contractPrice;      // in the document currency
    double contractDiscount = 0.0;
    QString formulaCode;
    bool combineDiscounts = false;

    Money salesFactor;        // factor from the item's price currency, rounded to four decimals
    Money MP, VP, VP2, SEST;  // converted list prices
    Money NETO, BRUTO, NABA;  // converted supplier price, purchase price, working purchase price
    Money KOS, CR;            // results of FORMULAKOSOVNICA and FORMULACENRAZRED
    bool formulaFound = false;
    Money formulaPrice;

    Money price;              // the result
    double discount = 0.0;    // the result, percent
};

// The partner type whose contract price list counts for the partner's documents on the list side
// ("P" sale: its TipPartnerjaO; "N" purchase: its TipPartnerjaI).
QString contractPartnerType(const TSubjRec& partner, const QString& listSide);

// The whole determination on explicit inputs; throws on a failure (database, amount range).
// item: the line's item; partnerRec: the document's partner.
PriceWorking determinePrice(const QString& cenRazred, const QString& partner, const QString& valuta,
                            const QDate& datum, double kolicina, const TMSRec& item, const QString& side,
                            const TSubjRec& partnerRec, const PriceParameters& params);

// Lines that describe a determination for the user (the price-explanation list).
QStringList priceExplanation(const PriceWorking& w);

// Price and discount of a line: price class (a partner's CenRazred; "0" and empty mean "1"),
// partner key (Subjekt.Naziv), document currency and date, quantity, the item (normally MSRec;
// its code is the record's Key, the code under which FindMS found it), side "I" sale or "P"
// purchase. The partner's terms are taken from SubjRec, which the caller has
// loaded for the document's partner; the parameters from the parameter row. On success sets cena
// (an amount's value) and rabat (percent), fills PriceExplanation with the lines of
// priceExplanation (not within a run, LookupRunCache, which shows none and reads the parameters
// once) and returns true. A failure is reported as "IzrCenePozC", leaves cena and
// rabat as they were, leaves PriceExplanation empty and returns false.
bool IzrCenePozC(const QString& cenRazred, const QString& partner, const QString& valuta, const QDate& datum,
                 double kolicina, const TMSRec& item, const QString& side, double& cena, double& rabat);
inline bool IzrCenePozC(const QString& cenRazred, const QString& partner, const QString& valuta,
                        const QDateTime& datum, double kolicina, const TMSRec& item, const QString& side,
                        double& cena, double& rabat)
{
    return IzrCenePozC(cenRazred, partner, valuta, datum.date(), kolicina, item, side, cena, rabat);
}
// The same with the partner's terms and the parameters given.
bool IzrCenePozC(const QString& cenRazred, const QString& partner, const QString& valuta, const QDate& datum,
                 double kolicina, const TMSRec& item, const QString& side, const TSubjRec& partnerRec,
                 const PriceParameters& params, double& cena, double& rabat);
