#include "data/core/Money.h"
#include <gtest/gtest.h>
#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <limits>

namespace {

constexpr std::int64_t MaxCount = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t MinCount = std::numeric_limits<std::int64_t>::min();

static_assert(Money(1.5).count() == 15000);
static_assert(Money(0.03125).count() == 312);
static_assert((Money(2.5) + Money(0.25)).count() == 27500);
static_assert(Money::fromCount(3) * 0.5 == Money::fromCount(2));

struct FromDoubleCase {
    double value;
    std::int64_t count;
};

// The exact binary value of the double decides; only exact halves go to the even count.
const FromDoubleCase fromDoubleCases[] = {
    {0.0, 0},
    {-0.0, 0},
    {1.2345, 12345},
    {-1.2345, -12345},
    {0.00005, 1},             // the double is 0.0000500000000000000024: above the half
    {-0.00005, -1},
    {0.00004, 0},
    {0.00015, 1},             // the double is 0.000149999999999999993: below the half
    {0.00025, 3},             // the double is 0.000250000000000000005: above the half
    {0.03125, 312},           // exactly 312.5 ten-thousandths: to even
    {-0.03125, -312},
    {0.09375, 938},           // exactly 937.5: to even
    {0.15625, 1562},          // exactly 1562.5: to even
    {1.00005, 10001},
    {123456.78905, 1234567891},
    {0.1 + 0.2, 3000},
    {2.675, 26750},
    {1e-300, 0},
    {5e-324, 0},              // smallest subnormal
    {900000000000000.0, 9000000000000000000},
    {-900000000000000.0, -9000000000000000000},
    {922337203685477.0, 9223372036854770000},
};

TEST(Money, FromDoubleNearestTenThousandthTiesToEven)
{
    for (const auto& c : fromDoubleCases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(Money(c.value).count(), c.count);
        EXPECT_EQ(Money::fromDouble(c.value).count(), c.count);
    }
}

// Cross-check with the correctly rounded decimal conversion of the standard library (the
// exact binary value, ties to even) over many values of every magnitude.
TEST(Money, FromDoubleAgreesWithCorrectlyRoundedDecimalConversion)
{
    std::mt19937_64 random(20031005);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> magnitude(-8, 14);
    for (int i = 0; i < 50000; ++i) {
        double v = mantissa(random) * std::pow(10.0, magnitude(random));
        if (i % 3 == 0)   // values on or near a half ten-thousandth
            v = (std::floor(v * 10000.0) + 0.5) / 10000.0;
        char buffer[64];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 4).ptr;
        std::string digits(buffer, end);
        digits.erase(digits.find('.'), 1);
        const std::int64_t expected = std::stoll(digits);
        ASSERT_EQ(Money(v).count(), expected) << std::string(buffer, end) << " from " << v;
    }
}

TEST(Money, FromDoubleOutOfRangeThrows)
{
    for (double v : {922337203685477.6, -922337203685477.7, 1e15, -1e300,
                     std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                     std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(v);
        EXPECT_THROW(Money{v}, MoneyOverflow);
    }
}

TEST(Money, ToDoubleGivesTheNearestDouble)
{
    EXPECT_EQ(Money(1.2345).toDouble(), 1.2345);
    EXPECT_EQ(Money(-0.0001).toDouble(), -0.0001);
    EXPECT_EQ(Money::fromCount(3000).toDouble(), 0.3);
    EXPECT_EQ(Money().toDouble(), 0.0);
}

TEST(Money, ToStringShortestWithDecimalPoint)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0"},
        {10000, "1"},
        {12345000, "1234.5"},
        {100, "0.01"},
        {1, "0.0001"},
        {-1, "-0.0001"},
        {-12345678, "-1234.5678"},
        {MaxCount, "922337203685477.5807"},
        {MinCount, "-922337203685477.5808"},
    };
    for (const auto& [count, text] : cases)
        EXPECT_EQ(Money::fromCount(count).toString(), QString::fromLatin1(text));
}

TEST(Money, FromStringTable)
{
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {
        {"1234.5", 12345000},
        {"-0.0001", -1},
        {"+3", 30000},
        {".5", 5000},
        {"5.", 50000},
        {"  7 ", 70000},
        {"0.00005", 0},           // decimal text: an exact tie, to even
        {"0.00015", 2},
        {"0.00025", 2},
        {"0.000051", 1},
        {"0.000050000000001", 1},
        {"-0.00015", -2},
        {"922337203685477.5807", MaxCount},
        {"-922337203685477.5808", MinCount},
        {"922337203685477.58074", MaxCount},
        {"922337203685477.5808", std::nullopt},
        {"922337203685477.58075", std::nullopt},   // rounds up past the range
        {"99999999999999999999999", std::nullopt},
        {"1,5", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"1e5", std::nullopt},
        {"12a", std::nullopt},
        {"1 000", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const auto& [text, count] : cases) {
        SCOPED_TRACE(text);
        const auto m = Money::fromString(QString::fromLatin1(text));
        ASSERT_EQ(m.has_value(), count.has_value());
        if (m) {
            EXPECT_EQ(m->count(), *count);
        }
    }
    EXPECT_FALSE(Money::fromString(u"١٢").has_value());   // digits of another script
}

TEST(Money, TextRoundTrip)
{
    for (std::int64_t c : {std::int64_t(0), std::int64_t(1), std::int64_t(-99999), std::int64_t(123456789012345),
                           MaxCount, MinCount})
        EXPECT_EQ(Money::fromString(Money::fromCount(c).toString()), Money::fromCount(c));
}

TEST(Money, AdditionSubtractionNegationComparison)
{
    const Money a(10.5), b(0.25);
    EXPECT_EQ(a + b, Money(10.75));
    EXPECT_EQ(a - b, Money(10.25));
    EXPECT_EQ(b - a, Money(-10.25));
    EXPECT_EQ(-a, Money(-10.5));
    Money c = a;
    c += b;
    c -= Money(0.75);
    EXPECT_EQ(c, Money(10));
    EXPECT_LT(b, a);
    EXPECT_GT(a, b);
    EXPECT_LE(a, a);
    EXPECT_NE(a, b);
    EXPECT_LT(Money(-1), Money());
    EXPECT_EQ(Money(-3).abs(), Money(3));
    EXPECT_EQ(Money(-3).sign(), -1);
    EXPECT_EQ(Money().sign(), 0);
    EXPECT_TRUE(Money().isZero());
    EXPECT_EQ(Money::fromUnits(42), Money(42));
}

TEST(Money, OverflowThrowsInsteadOfWrapping)
{
    const Money one = Money::fromCount(1);
    EXPECT_THROW(Money::max() + one, MoneyOverflow);
    EXPECT_THROW(Money::min() - one, MoneyOverflow);
    EXPECT_THROW(-Money::min(), MoneyOverflow);
    EXPECT_THROW(Money::min().abs(), MoneyOverflow);
    EXPECT_THROW(Money::max() * 2, MoneyOverflow);
    EXPECT_THROW(Money::max() * std::int64_t(-2), MoneyOverflow);
    EXPECT_THROW(Money::max() * 1.5, MoneyOverflow);
    EXPECT_THROW(Money::fromUnits(1000000000000000), MoneyOverflow);
    EXPECT_EQ(Money::max() + Money::min(), -one);
    EXPECT_EQ(-Money::max(), Money::min() + one);
}

TEST(Money, MultiplicationByInteger)
{
    EXPECT_EQ(Money(1.05) * 3, Money(3.15));
    EXPECT_EQ(3 * Money(1.05), Money(3.15));
    EXPECT_EQ(Money(-0.0001) * std::int64_t(5), Money::fromCount(-5));
}

struct ScaleCase {
    std::int64_t count;
    double factor;
    std::int64_t product;   // count x factor, rounded
    std::int64_t quotient;  // count / factor, rounded
};

// The exact product or quotient is rounded once: halves to even.
const ScaleCase scaleCases[] = {
    {1, 0.5, 0, 2},
    {3, 0.5, 2, 6},          // 1.5 -> 2
    {5, 0.5, 2, 10},         // 2.5 -> 2
    {-3, 0.5, -2, -6},
    {15, 0.1, 2, 150},       // 0.1 is slightly above a tenth: 1.50000000000000008 -> 2
    {25, 0.1, 3, 250},       // 2.50000000000000014 -> 3
    {10000, 3.0, 30000, 3333},
    {20000, 3.0, 60000, 6667},
    {50000, -2.0, -100000, -25000},
    {10500, 3.0, 31500, 3500},
    {1, 1e-300, 0, -1},      // quotient out of range: marked -1, checked separately
};

TEST(Money, MultiplicationAndDivisionByDouble)
{
    for (const auto& c : scaleCases) {
        SCOPED_TRACE(testing::Message() << c.count << " x/÷ " << c.factor);
        const Money m = Money::fromCount(c.count);
        EXPECT_EQ((m * c.factor).count(), c.product);
        EXPECT_EQ((c.factor * m).count(), c.product);
        if (c.quotient == -1 && c.factor == 1e-300) {
            EXPECT_THROW(m / c.factor, MoneyOverflow);
        } else {
            EXPECT_EQ((m / c.factor).count(), c.quotient);
        }
    }
    EXPECT_EQ(Money(1) / 1e300, Money());
    EXPECT_THROW(Money(1) / 0.0, MoneyOverflow);
    EXPECT_THROW(Money(1) / -0.0, MoneyOverflow);
    EXPECT_THROW(Money(1) * std::numeric_limits<double>::quiet_NaN(), MoneyOverflow);
    EXPECT_THROW(Money::max() / 0.5, MoneyOverflow);
    EXPECT_EQ(Money::min() / 1.0, Money::min());
    EXPECT_EQ(Money::min() * 1.0, Money::min());
    EXPECT_EQ(Money() / 0.5, Money());
}

TEST(Money, MulDivRoundsOnce)
{
    EXPECT_EQ(Money(20).mulDiv(10, 100), Money(2));
    EXPECT_EQ(Money(0.005).mulDiv(1, 100), Money());          // exactly 0.00005: to even
    EXPECT_EQ(Money(0.015).mulDiv(1, 100), Money::fromCount(2));  // exactly 0.00015: to even
    EXPECT_EQ(Money(90).mulDiv(10, 90), Money(10));
    EXPECT_EQ(Money(100).mulDiv(1, 3), Money(33.3333));
    EXPECT_EQ(Money(-100).mulDiv(2, 3), Money(-66.6667));
    EXPECT_THROW(Money(1).mulDiv(1, 0), MoneyOverflow);
}

} // namespace
