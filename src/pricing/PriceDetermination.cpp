#include "pricing/PriceDetermination.h"
#include "data/DataSif.h"
#include "data/core/ProgramState.h"
#include "data/core/Rounding.h"
#include "pricing/CompiledPriceFormula.h"
#include "pricing/FormulaVariables.h"
#include "pricing/MasterLookups.h"
#include "pricing/PricingGuard.h"

namespace {

// A percentage as it enters the arithmetic: rounded to four decimals.
double roundedPercent(double value) { return Money(value).toDouble(); }

// An amount times an amount, rounded once to an amount.
Money times(Money amount, Money factor) { return amount.mulDiv(double(factor.count()), double(Money::Scale)); }

bool isSum(const PriceParameters& p) { return p.NACIZRRABATA == QLatin1String("S"); }

// Step 3: the contract price-list row, tried for the partner and its type, the item and its
// classification.
void findContract(PriceWorking& w, const QString& partner, const QString& valuta, const QDate& datum,
                  const TMSRec& item, const PriceParameters& params)
{
    if (partner.isEmpty())
        return;
    // The item's code is the key under which FindMS found it.
    const QString& ident = item.Key;
    const std::vector<std::pair<QString, QString>> pairs{
        {partner, ident}, {partner, item.Klasif}, {w.partnerType, ident}, {w.partnerType, item.Klasif}};
    const auto [i, row] = FindSubjCenikRow(pairs, w.listSide);
    if (i >= 0 && i < int(pairs.size())) {
        w.contractFound = true;
        w.contractSubjekt = pairs[size_t(i)].first;
        w.contractIdent = pairs[size_t(i)].second;
        w.formulaCode = row.Formula;
        w.contractValuta = row.Valuta;
        const double cena = row.Cena;
        const double rabat = row.Rabat;
        w.contractFactor = PoisciTecajCenik(w.contractValuta, valuta, datum, params.BANKACENIK);
        w.contractPrice = Money(cena) * w.contractFactor;
        w.contractDiscount = rabat;
        w.discount = rabat;
        return;
    }
}

} // namespace

PriceParameters PriceParameters::fromParam()
{
    PriceParameters p;
    p.NACIZRRABSUM = ParamAsString(QStringLiteral("NACIZRRABSUM"));
    p.NACIZRRABATA = ParamAsString(QStringLiteral("NACIZRRABATA"));
    p.NASAVALUTA = ParamAsString(QStringLiteral("NASAVALUTA"));
    p.BANKACENIK = ParamAsString(QStringLiteral("BANKACENIK"));
    p.FORMULAKOSOVNICA = ParamAsString(QStringLiteral("FORMULAKOSOVNICA"));
    p.FORMULACENRAZRED = ParamAsString(QStringLiteral("FORMULACENRAZRED"));
    p.FORMULANABACENA = ParamAsString(QStringLiteral("FORMULANABACENA"));
    return p;
}

namespace {

PriceFormulaValues formulaValues(const QString& cenRazred, const PriceFormulaAmounts& v)
{
    PriceFormulaValues values;
    values.kolicina = v.KOLICINA.toDouble();
    values.cenRazred = cenRazred;
    values.pogCena = v.POGCENA.toDouble();
    values.cena = v.CENA.toDouble();
    values.mpCena = v.MPCENA.toDouble();
    values.vpCena1 = v.VPCENA1.toDouble();
    values.vpCena2 = v.VPCENA2.toDouble();
    values.sestavnica = v.SESTAVNICA.toDouble();
    values.kosovnica = v.KOSOVNICA.toDouble();
    values.nabaCena = v.NABACENA.toDouble();
    values.bNabaCena = v.BNABACENA.toDouble();
    values.nNabaCena = v.NNABACENA.toDouble();
    return values;
}

// IzrCenePozFormula with the formula prepared.
Money evaluateFormula(const CompiledPriceFormula& formula, const QString& cenRazred, const PriceFormulaAmounts& v)
{
    return guardRoutine(QStringLiteral("IzrCenePozFormula"), "", Money(), [&] {
        const FormulaEvalResult result = formula.evaluate(formulaValues(cenRazred, v));
        return result.value ? Money(*result.value) : Money();
    });
}

} // namespace

Money IzrCenePozFormula(const QString& formula, const QString& cenRazred, const PriceFormulaAmounts& v)
{
    return guardRoutine(QStringLiteral("IzrCenePozFormula"), "", Money(), [&] {
        return evaluateFormula(compiledPriceFormula(formula), cenRazred, v);
    });
}

QString contractPartnerType(const TSubjRec& partner, const QString& listSide)
{
    return listSide == QLatin1String("P") ? partner.TipPartnerjaO : partner.TipPartnerjaI;
}

PriceWorking determinePrice(const QString& cenRazred, const QString& partner, const QString& valuta,
                            const QDate& datum, double kolicina, const TMSRec& item, const QString& side,
                            const TSubjRec& partnerRec, const PriceParameters& params)
{
    PriceWorking w;
    const bool sale = side.startsWith(QLatin1Char('I'));

    // 1. Price class.
    const QString cls = (cenRazred.isEmpty() || cenRazred == QLatin1String("0")) ? QStringLiteral("1") : cenRazred;
    w.cenRazred = cls.left(1);

    // 2. Side and partner terms.
    if (sale) {
        w.listSide = QStringLiteral("P");
        w.partnerType = contractPartnerType(partnerRec, w.listSide);
        w.partnerDiscount = roundedPercent(partnerRec.Rabat);
        w.method = partnerRec.NacIzrCene;
        w.itemDiscount = roundedPercent(item.Popust);
    } else {
        w.listSide = QStringLiteral("N");
        w.partnerType = contractPartnerType(partnerRec, w.listSide);
        w.partnerDiscount = roundedPercent(partnerRec.DobRabat);
        w.method = partnerRec.DobNacIzrCene;
        w.itemDiscount = 0.0;
    }

    // 3. Contract price list.
    findContract(w, partner, valuta, datum, item, params);

    // 4. Discount mode.
    w.combineDiscounts = params.NACIZRRABSUM == QLatin1String("T") || (w.discount == 0.0 && w.contractPrice.isZero());

    // 5. The item's prices in the document currency.
    w.salesFactor = Money(PoisciTecajCenik(item.Valuta, valuta, datum, params.BANKACENIK));
    w.MP = times(Money(item.MPCena), w.salesFactor);
    w.VP = times(Money(item.VPCena), w.salesFactor);
    w.VP2 = times(Money(item.VPCena2), w.salesFactor);
    w.SEST = times(Money(item.Sestavnica), w.salesFactor);
    w.NETO = Money(item.CenaDob) * PoisciTecajCenik(item.ValutaDob, valuta, datum, params.BANKACENIK);
    w.BRUTO = Money(item.NabaCena) * PoisciTecajCenik(params.NASAVALUTA, valuta, datum, params.BANKACENIK);
    w.NABA = w.NETO;

    // 6. The item's formula on the sale side.
    if (w.formulaCode.isEmpty() && sale)
        w.formulaCode = item.Formula;

    // 7. Discount combination.
    if (w.combineDiscounts) {
        const double d = w.discount, p = w.partnerDiscount, i = w.itemDiscount;
        if (isSum(params))
            w.discount = d + i + p;
        else
            w.discount = 100.0 * (1.0 - (1.0 - i / 100.0) * (1.0 - p / 100.0) * (1.0 - d / 100.0));
    }

    // 8. Parameter formulas.
    PriceFormulaAmounts v;
    v.KOLICINA = Money(kolicina);
    v.POGCENA = w.contractPrice;
    v.CENA = Money();
    v.MPCENA = w.MP;
    v.VPCENA1 = w.VP;
    v.VPCENA2 = w.VP2;
    v.SESTAVNICA = w.SEST;
    v.KOSOVNICA = Money();
    v.NABACENA = w.NETO;
    v.BNABACENA = w.BRUTO;
    v.NNABACENA = w.NETO;
    w.KOS = RoundT(evaluateFormula(compiledUpperCaseFormula(params.FORMULAKOSOVNICA), w.cenRazred, v));
    v.KOSOVNICA = w.KOS;
    w.CR = evaluateFormula(compiledUpperCaseFormula(params.FORMULACENRAZRED), w.cenRazred, v);
    const CompiledPriceFormula& nabaFormula = compiledUpperCaseFormula(params.FORMULANABACENA);
    // Asked now: the reference is good until the next prepared formula is asked for.
    const bool nabaFormulaNamesNabaCena = nabaFormula.text().contains(QLatin1String("NABACENA"));
    w.NABA = evaluateFormula(nabaFormula, w.cenRazred, v);

    // 9. The formula of the contract row or of the item.
    if (!w.formulaCode.isEmpty() && FindMsForm(w.formulaCode)) {
        w.formulaFound = true;
        v.CENA = w.CR;
        v.NABACENA = w.NABA;
        w.formulaPrice = evaluateFormula(compiledUpperCaseFormula(MsFormRec.Formula), w.cenRazred, v);
    }

    // 10. Fall-backs.
    w.price = w.formulaPrice;
    if (w.price.isZero()) {
        if (sale) {
            w.price = !w.contractPrice.isZero() ? w.contractPrice : w.CR;
        } else if (side.startsWith(QLatin1Char('P'))) {
            if (!w.contractPrice.isZero()) {
                w.price = w.contractPrice;
            } else {
                w.price = w.NABA;
                if (!w.contractFound && w.partnerDiscount == 0.0 && nabaFormulaNamesNabaCena) {
                    const double r = item.Rabat;
                    if (isSum(params))
                        w.discount = w.discount + r;
                    else
                        w.discount = 100.0 * (1.0 - (1.0 - w.discount / 100.0) * (1.0 - r / 100.0));
                }
            }
        }
    }

    // 11. Method "1": the retail list price, the difference as discount.
    if (w.method == QLatin1String("1") && !w.MP.isZero()) {
        const double q = w.price.toDouble() / w.MP.toDouble();
        w.price = w.MP;
        if (isSum(params))
            w.discount = (1.0 - q) * 100.0 + w.discount;
        else
            w.discount = 100.0 * (1.0 - q * (1.0 - w.discount / 100.0));
    }

    // 12. Method "2": the net price.
    if (w.method == QLatin1String("2")) {
        w.price = w.price * (1.0 - w.discount / 100.0);
        w.discount = 0.0;
    }
    return w;
}

QStringList priceExplanation(const PriceWorking& w)
{
    const auto pct = [](double d) { return FormatFormulaNumber(Money(d).toDouble()) + " %"; };
    QStringList lines;
    lines << "Cenovni razred: " + w.cenRazred;
    if (w.contractFound)
        lines << "Pogodbeni cenik (" + w.contractSubjekt + ", " + w.contractIdent + "): cena "
                + w.contractPrice.toString() + ", rabat " + pct(w.contractDiscount)
                + (w.formulaCode.isEmpty() ? QString() : ", formula " + w.formulaCode);
    else
        lines << QStringLiteral("Pogodbeni cenik: ni vrstice");
    lines << "MPCENA " + w.MP.toString() + ", VPCENA1 " + w.VP.toString() + ", VPCENA2 " + w.VP2.toString()
            + ", NABACENA " + w.NABA.toString() + ", KOSOVNICA " + w.KOS.toString() + ", CENA " + w.CR.toString();
    if (!w.formulaCode.isEmpty())
        lines << (w.formulaFound ? "Formula " + w.formulaCode + ": " + w.formulaPrice.toString()
                                 : "Formula " + w.formulaCode + " ne obstaja");
    if (!w.method.isEmpty())
        lines << "Način izračuna cene: " + w.method;
    lines << "Cena: " + w.price.toString() + ", rabat: " + pct(w.discount);
    return lines;
}

bool IzrCenePozC(const QString& cenRazred, const QString& partner, const QString& valuta, const QDate& datum,
                 double kolicina, const TMSRec& item, const QString& side, const TSubjRec& partnerRec,
                 const PriceParameters& params, double& cena, double& rabat)
{
    return guardRoutine(QStringLiteral("IzrCenePozC"), "", false, [&] {
        PriceExplanation.clear();
        const PriceWorking w =
            determinePrice(cenRazred, partner, valuta, datum, kolicina, item, side, partnerRec, params);
        // A run prices thousands of lines and shows no explanation: it is made for single prices.
        if (!LookupRunCache::active())
            PriceExplanation = priceExplanation(w);
        cena = w.price.toDouble();
        rabat = w.discount;
        return true;
    });
}

bool IzrCenePozC(const QString& cenRazred, const QString& partner, const QString& valuta, const QDate& datum,
                 double kolicina, const TMSRec& item, const QString& side, double& cena, double& rabat)
{
    return guardRoutine(QStringLiteral("IzrCenePozC"), "", false, [&] {
        // Within a run the parameter row is read once (a run does not change it).
        static PriceParameters runParams;
        static quint64 runParamsOf = 0;
        const quint64 run = LookupRunCache::currentRun();
        if (run == 0)
            return IzrCenePozC(cenRazred, partner, valuta, datum, kolicina, item, side, SubjRec,
                               PriceParameters::fromParam(), cena, rabat);
        if (runParamsOf != run) {
            runParams = PriceParameters::fromParam();
            runParamsOf = run;
        }
        return IzrCenePozC(cenRazred, partner, valuta, datum, kolicina, item, side, SubjRec, runParams, cena, rabat);
    });
}
