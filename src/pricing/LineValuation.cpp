#include "pricing/LineValuation.h"
#include "data/core/FailureReport.h"
#include "data/core/ProgramState.h"
#include "data/core/Rounding.h"
#include "pricing/PrometRec.h"

namespace {

// RoundT without its guard: an overflow must fail the whole line, not give 0 for one part.
Money roundT(Money amount) { return roundToStep(amount, RoundStep); }

// Net way: from the net price upward.
LineValues netWay(double q, Money p, double d, double t, Money b, double a)
{
    LineValues v;
    v.value = roundT(p * q);
    v.discount = roundT(v.value.mulDiv(d, 100.0));
    v.excise = roundT(Money((v.value - v.discount).toDouble() * a / 100.0 + b.toDouble() * q));
    v.tax = roundT((v.value - v.discount + v.excise).mulDiv(t, 100.0));
    v.gross = v.value - v.discount + v.excise + v.tax;
    return v;
}

// Retail way: from the rounded gross downward, so that the parts add up to it exactly.
LineValues retailWay(double q, Money p, double d, double t, Money b, double a)
{
    const double pq = p.toDouble() * q;
    // The per-unit excise enters the gross once, not multiplied by the quantity.
    const Money n1(pq * (1.0 - d / 100.0) * (1.0 + a / 100.0) + b.toDouble());
    const Money g = roundT(n1 * (1.0 + t / 100.0));
    const Money n(pq * (1.0 - d / 100.0));
    LineValues v;
    v.tax = t == 0.0 ? Money() : roundT(g - n);
    v.discount = d == 100.0 ? Money() : roundT((g - v.tax).mulDiv(d, 100.0 - d));
    v.excise = (a == 0.0 && b.isZero()) ? Money() : roundT(Money(n.toDouble() * a / 100.0 + b.toDouble() * q));
    v.value = g - v.tax + v.discount - v.excise;
    v.gross = v.value - v.discount + v.excise + v.tax;   // equals g
    return v;
}

} // namespace

bool isRetailPriceBasis(const QString& osnZaIzrProdCene)
{
    return osnZaIzrProdCene == QLatin1String("M");
}

LineValues calcLineValues(double q, Money p, double d, double t, Money b, double a, bool retailBasis)
{
    if (retailBasis && (t != 0.0 || a != 0.0 || !b.isZero()))
        return retailWay(q, p, d, t, b, a);
    return netWay(q, p, d, t, b, a);
}

bool CalcVredPromPoz(double q, Money p, double d, double t, Money b, double a, DocumentTotals& totals,
                     const QString& osnZaIzrProdCene)
{
    try {
        const LineValues v = calcLineValues(q, p, d, t, b, a, isRetailPriceBasis(osnZaIzrProdCene));
        DocumentTotals next = totals;
        next.value += v.value;
        next.tax += v.tax;
        next.excise += v.excise;
        next.discount += v.discount;
        next.gross += v.gross;
        totals = next;
        return true;
    } catch (const std::exception& e) {
        reportRoutineFailure(QStringLiteral("CalcVredPromPoz"), e);
        return false;
    }
}

bool CalcVredPromPoz(double q, double p, double d, double t, double b, double a, DocumentTotals& totals,
                     const QString& osnZaIzrProdCene)
{
    Money price, excisePerUnit;
    try {
        price = Money(p);
        excisePerUnit = Money(b);
    } catch (const std::exception& e) {
        reportRoutineFailure(QStringLiteral("CalcVredPromPoz"), e);
        return false;
    }
    return CalcVredPromPoz(q, price, d, t, excisePerUnit, a, totals, osnZaIzrProdCene);
}

bool CalcVredPromPoz(const TPrometPozRec& line, DocumentTotals& totals, const QString& osnZaIzrProdCene)
{
    return CalcVredPromPoz(line.Kolicina, line.Cena, line.Rabat, line.Davek, line.Trosarina, line.TrosarinaP,
                           totals, osnZaIzrProdCene);
}
