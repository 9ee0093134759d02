#pragma once
#include <QString>
#include <QStringView>
#include <bit>
#include <compare>
#include <iosfwd>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>

// An amount of money outside the range of the amount type (about ±922 337 203 685 477.5807),
// a floating value that is not a number, or a division by zero. Raised instead of wrapping.
class MoneyOverflow : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

// Fixed-point amount: a signed 64-bit count of ten-thousandths of the currency unit.
//
// Rounding rule (conversion from floating, multiplication and division by floating): the
// result is the EXACT mathematical value of the operation on the given binary floating value,
// rounded to the nearest ten-thousandth; an exact tie goes to the even count. The decision is
// taken on the double's exact binary value, never on a decimal text of it. So the literal
// 0.00005, which as a double is 0.0000500000000000000024..., becomes 0.0001, and 1.00005
// (1.0000500000000001...) becomes 1.0001; real ties exist only where the double is exactly
// halfway, e.g. 0.03125 -> 0.0312 and 0.09375 -> 0.0938. Texts (fromString) are decimal and
// therefore exact: "0.00005" -> 0.0000, "0.00015" -> 0.0002.
class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() noexcept = default;
    // The nearest amount to a floating value (rule above); throws MoneyOverflow.
    constexpr explicit Money(double value) : m_count(roundedCount(value)) {}

    static constexpr Money fromCount(std::int64_t count) noexcept { Money m; m.m_count = count; return m; }
    static constexpr Money fromDouble(double value) { return Money(value); }
    static constexpr Money fromUnits(std::int64_t units) { return fromCount(checkedMul(units, Scale)); }
    static constexpr Money max() noexcept { return fromCount(std::numeric_limits<std::int64_t>::max()); }
    static constexpr Money min() noexcept { return fromCount(std::numeric_limits<std::int64_t>::min()); }

    // Decimal text with a point: optional blanks, optional sign, digits, optional "." and
    // digits (at least one digit in all). More than four decimals round to the nearest
    // ten-thousandth, ties to even. Malformed or out-of-range text gives nullopt.
    static std::optional<Money> fromString(QStringView text);

    constexpr std::int64_t count() const noexcept { return m_count; }
    // The nearest double to the amount (exact decimal amounts below 2^53 ten-thousandths).
    constexpr double toDouble() const noexcept { return static_cast<double>(m_count) / double(Scale); }
    // Shortest decimal text with a point and no thousands separators: "1234.5", "-0.0001", "0".
    QString toString() const;

    constexpr bool isZero() const noexcept { return m_count == 0; }
    constexpr int sign() const noexcept { return (m_count > 0) - (m_count < 0); }
    constexpr Money abs() const { return m_count < 0 ? -*this : *this; }

    friend constexpr auto operator<=>(Money, Money) noexcept = default;
    friend constexpr bool operator==(Money, Money) noexcept = default;

    constexpr Money operator-() const
    {
        if (m_count == std::numeric_limits<std::int64_t>::min())
            throw MoneyOverflow(overflowText);
        return fromCount(-m_count);
    }
    friend constexpr Money operator+(Money a, Money b)
    {
        std::int64_t r = 0;
        if (__builtin_add_overflow(a.m_count, b.m_count, &r))
            throw MoneyOverflow(overflowText);
        return fromCount(r);
    }
    friend constexpr Money operator-(Money a, Money b)
    {
        std::int64_t r = 0;
        if (__builtin_sub_overflow(a.m_count, b.m_count, &r))
            throw MoneyOverflow(overflowText);
        return fromCount(r);
    }
    constexpr Money& operator+=(Money b) { return *this = *this + b; }
    constexpr Money& operator-=(Money b) { return *this = *this - b; }

    friend constexpr Money operator*(Money a, std::int64_t n) { return fromCount(checkedMul(a.m_count, n)); }
    friend constexpr Money operator*(std::int64_t n, Money a) { return a * n; }
    friend constexpr Money operator*(Money a, int n) { return a * std::int64_t(n); }
    friend constexpr Money operator*(int n, Money a) { return a * std::int64_t(n); }
    // Exact product, rounded by the rule above.
    friend constexpr Money operator*(Money a, double f) { return a.mulDiv(f, 1.0); }
    friend constexpr Money operator*(double f, Money a) { return a.mulDiv(f, 1.0); }
    // Exact quotient, rounded by the rule above; division by 0 throws MoneyOverflow.
    friend constexpr Money operator/(Money a, double f) { return a.mulDiv(1.0, f); }

    // The amount of this x mul / div with a single rounding of the exact value (rule above).
    constexpr Money mulDiv(double mul, double div) const;

    // Readable amounts in test failure messages.
    friend void PrintTo(Money m, std::ostream* os);

private:
    using U128 = unsigned __int128;
    static constexpr const char* overflowText = "Znesek je izven obsega";

    struct Binary {        // |value| = mantissa * 2^exponent
        bool negative;
        std::uint64_t mantissa;
        int exponent;
    };

    static constexpr std::int64_t checkedMul(std::int64_t a, std::int64_t b)
    {
        std::int64_t r = 0;
        if (__builtin_mul_overflow(a, b, &r))
            throw MoneyOverflow(overflowText);
        return r;
    }

    static constexpr Binary decompose(double v)
    {
        const auto bits = std::bit_cast<std::uint64_t>(v);
        const bool negative = (bits >> 63) != 0;
        const int field = int((bits >> 52) & 0x7FF);
        std::uint64_t mantissa = bits & ((std::uint64_t(1) << 52) - 1);
        if (field == 0x7FF)
            throw MoneyOverflow("Vrednost ni število ali je neskončna");
        if (field == 0)
            return {negative, mantissa, -1074};   // subnormal or zero
        mantissa |= std::uint64_t(1) << 52;
        return {negative, mantissa, field - 1075};
    }

    static constexpr int bitLength(U128 v)
    {
        const auto high = std::uint64_t(v >> 64);
        return high != 0 ? 128 - std::countl_zero(high) : 64 - std::countl_zero(std::uint64_t(v));
    }

    // round(num * 2^shift / den), nearest, ties to even, with the sign applied and the range
    // checked. num < 2^117, 0 < den < 2^54.
    static constexpr std::int64_t roundScaled(bool negative, U128 num, int shift, U128 den)
    {
        if (num == 0)
            return 0;
        U128 q = 0, r = 0, d = den;
        if (den == 1 && shift < 0) {
            // Conversion from floating: a shift instead of a division.
            const int s = -shift;
            if (s > 118)
                return 0;   // num < 2^117: below one half
            d = U128(1) << s;
            q = num >> s;
            r = num & (d - 1);
        } else if (shift >= 0) {
            if (bitLength(num) + shift > 126)
                throw MoneyOverflow(overflowText);
            const U128 n = num << shift;
            if (d == 1) {
                q = n;
            } else {
                q = n / d;
                r = n % d;
            }
        } else {
            const int s = -shift;
            if (bitLength(den) + s > 126)
                return 0;   // the quotient is below 2^-9
            d = den << s;
            q = num / d;
            r = num % d;
        }
        const U128 rest = d - r;   // r < d, compare r with d/2 without overflow
        if (r > rest || (r == rest && (q & 1) != 0))
            ++q;
        const U128 limit = negative ? (U128(1) << 63) : (U128(1) << 63) - 1;
        if (q > limit)
            throw MoneyOverflow(overflowText);
        if (negative)
            return q == (U128(1) << 63) ? std::numeric_limits<std::int64_t>::min() : -std::int64_t(q);
        return std::int64_t(q);
    }

    static constexpr std::int64_t roundedCount(double value)
    {
        const Binary b = decompose(value);
        return roundScaled(b.negative, U128(b.mantissa) * U128(Scale), b.exponent, 1);
    }

    std::int64_t m_count = 0;
};

constexpr Money Money::mulDiv(double mul, double div) const
{
    const Binary m = decompose(mul);
    const Binary d = decompose(div);
    if (d.mantissa == 0)
        throw MoneyOverflow("Deljenje z nič");
    const bool negative = ((m_count < 0) != m.negative) != d.negative;
    const U128 magnitude = m_count < 0 ? U128(-(m_count + 1)) + 1 : U128(m_count);
    return fromCount(roundScaled(negative, magnitude * m.mantissa, m.exponent - d.exponent, d.mantissa));
}
