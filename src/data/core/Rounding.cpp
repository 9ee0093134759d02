#include "data/core/Rounding.h"
#include "data/core/FailureReport.h"
#include "data/core/ProgramState.h"
#include <cmath>

namespace {

// trunc(|value| / step + bias) * step with the sign of value, computed in floating point.
Money roundFloatingToStep(double value, double step)
{
    if (!std::isfinite(value) || !std::isfinite(step))
        throw MoneyOverflow("Vrednost ni število ali je neskončna");
    const double n = std::trunc(std::fabs(value) / step + RoundingBias);
    return Money(std::copysign(n * step, value));
}

} // namespace

Money roundToStep(Money amount, double step)
{
    if (amount.isZero())
        return amount;
    step = std::fabs(step);
    if (step == 0.0)
        step = 1.0;
    // A step that is a whole number of ten-thousandths: exact integer arithmetic.
    // n = floor((c + bias * k) / k) with the bias as 55555555 / 10^8.
    const double stepCount = step * double(Money::Scale);
    if (std::isfinite(stepCount) && stepCount >= 0.5 && stepCount < 9.0e18) {
        const auto k = std::llround(stepCount);
        if (std::fabs(stepCount - double(k)) <= 1e-9 * double(k)) {
            using I128 = __int128;
            const std::int64_t c = amount.count();
            const I128 magnitude = c < 0 ? -I128(c) : I128(c);
            const I128 scale = 100000000;   // 10^8
            const I128 n = (magnitude * scale + I128(RoundingBiasE8) * k) / (I128(k) * scale);
            const I128 result = n * k;
            if (result > I128(std::numeric_limits<std::int64_t>::max()))
                throw MoneyOverflow("Znesek je izven obsega");
            return Money::fromCount(c < 0 ? -std::int64_t(result) : std::int64_t(result));
        }
    }
    return roundFloatingToStep(amount.toDouble(), step);
}

Money RoundT(Money amount)
{
    try {
        return roundToStep(amount, RoundStep);
    } catch (const std::exception& e) {
        reportRoutineFailure(QStringLiteral("RoundT"), e);
        return Money();
    }
}

Money RoundFin(double value, double step)
{
    try {
        if (step == 0.0 || value == 0.0)
            return Money(value);
        return roundFloatingToStep(value, std::fabs(step));
    } catch (const std::exception& e) {
        reportRoutineFailure(QStringLiteral("RoundFin"), e);
        try {
            return Money(value);
        } catch (const MoneyOverflow&) {
            return Money();
        }
    }
}

Money RoundFin(Money value, double step)
{
    try {
        if (step == 0.0 || value.isZero())
            return value;
        return roundToStep(value, step);
    } catch (const std::exception& e) {
        reportRoutineFailure(QStringLiteral("RoundFin"), e);
        return value;
    }
}

double DivT(double x, double y)
{
    if (y == 0.0)
        return 0.0;
    const double result = x / y;
    if (!std::isfinite(result)) {
        reportRoutineFailure(QStringLiteral("DivT"),
                             std::overflow_error("Rezultat deljenja ni končno število"));
        return 0.0;
    }
    return result;
}
