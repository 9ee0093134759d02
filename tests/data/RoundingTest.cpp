#include "ScopedValue.h"
#include "data/core/FailureReport.h"
#include "data/core/ProgramState.h"
#include "data/core/Rounding.h"
#include <gtest/gtest.h>
#include <cmath>
#include <limits>

namespace {

// The program's rounding step for one test.
struct RoundStepGuard : ScopedValue<double> {
    explicit RoundStepGuard(double step) : ScopedValue(RoundStep, step) {}
};

struct RoundCase {
    double step;
    const char* amount;
    const char* rounded;
};

// A remainder of 0.44444445 of a step or more rounds up; the sign is kept.
const RoundCase roundTCases[] = {
    {1, "2.45", "3"},
    {1, "2.44", "2"},
    {1, "-2.45", "-3"},
    {1, "-2.44", "-2"},
    {1, "0", "0"},
    {1, "2.4444", "2"},
    {1, "2.4445", "3"},
    {1, "0.4444", "0"},
    {1, "0.4445", "1"},
    {1, "0.0001", "0"},
    {1, "2.5", "3"},
    {1, "3.5", "4"},
    {1, "7", "7"},
    {1, "900000000000000.4445", "900000000000001"},
    {1, "900000000000000.4444", "900000000000000"},
    {0.05, "1.023", "1.05"},
    {0.05, "-1.023", "-1.05"},
    {0.05, "1.0222", "1"},
    {0.05, "1.0223", "1.05"},
    {0.05, "1.05", "1.05"},
    {0.05, "1.075", "1.1"},
    {0.01, "1.2344", "1.23"},
    {0.01, "1.2345", "1.24"},
    {0.01, "-1.2345", "-1.24"},
    {0.01, "3.6", "3.6"},
    {0.01, "0.0044", "0"},
    {0.01, "0.0045", "0.01"},
    {0.01, "-0.0045", "-0.01"},
    {0.5, "1.2222", "1"},
    {0.5, "1.2223", "1.5"},
    {10, "14.4444", "10"},
    {10, "14.4445", "20"},
    {0.0001, "1.2345", "1.2345"},
    {0, "2.45", "3"},          // a step of 0 counts as 1
    {0, "2.44", "2"},
    {0, "-1.2345", "-1"},
    {-0.05, "1.023", "1.05"},  // a negative step counts as its magnitude
    {1.0 / 3.0, "0.5", "0.6667"},   // not a whole number of ten-thousandths: floating rounding
    {0.00003, "1", "1"},
};

Money money(const char* text)
{
    const auto m = Money::fromString(QString::fromLatin1(text));
    if (!m)
        throw std::invalid_argument(text);
    return *m;
}

TEST(Rounding, RoundTTable)
{
    CapturedRoutineFailures failures;
    for (const auto& c : roundTCases) {
        SCOPED_TRACE(testing::Message() << c.amount << " step " << c.step);
        RoundStepGuard step(c.step);
        EXPECT_EQ(RoundT(money(c.amount)), money(c.rounded));
        EXPECT_EQ(roundToStep(money(c.amount), c.step), money(c.rounded));
        if (c.step != 0) {
            EXPECT_EQ(RoundFin(money(c.amount), c.step), money(c.rounded));
            if (std::fabs(money(c.amount).toDouble()) < 1e12) {   // beyond, doubles lose the decimals
                EXPECT_EQ(RoundFin(money(c.amount).toDouble(), c.step), money(c.rounded))
                    << "floating " << money(c.amount).toDouble();
            }
        }
    }
    EXPECT_TRUE(failures.failures().empty());
}

TEST(Rounding, RoundTFailuresGiveZero)
{
    CapturedRoutineFailures failures;
    {
        RoundStepGuard step(1);
        EXPECT_EQ(RoundT(Money::max()), Money());
        EXPECT_EQ(RoundT(Money::min()), Money());
        EXPECT_THROW(roundToStep(Money::max(), 1), MoneyOverflow);
    }
    {
        RoundStepGuard step(std::numeric_limits<double>::quiet_NaN());
        EXPECT_EQ(RoundT(Money(5)), Money());
    }
    EXPECT_EQ(failures.operations(), QStringList({"RoundT", "RoundT", "RoundT"}));
    EXPECT_EQ(failures.failures().front().exceptionClass, QString("MoneyOverflow"));
}

TEST(Rounding, RoundFinOnFloatingValues)
{
    CapturedRoutineFailures failures;
    const std::tuple<double, double, const char*> cases[] = {
        {2.45, 1, "3"},
        {2.44, 1, "2"},
        {-2.45, 1, "-3"},
        {1.023, 0.05, "1.05"},
        {1.2345, 0.01, "1.24"},
        {2.44444449, 1, "3"},       // the value's own decimals count
        {2.4444444, 1, "2"},
        {1.23456, 0, "1.2346"},     // step 0: the value itself as an amount
        {0, 0.05, "0"},
        {-7.77777, 0, "-7.7778"},
    };
    for (const auto& [value, step, rounded] : cases) {
        SCOPED_TRACE(testing::Message() << value << " step " << step);
        EXPECT_EQ(RoundFin(value, step), money(rounded));
    }
    EXPECT_TRUE(failures.failures().empty());
}

TEST(Rounding, RoundFinFailuresGiveTheValue)
{
    CapturedRoutineFailures failures;
    // Rounding up passes the range: the value stays as it was.
    EXPECT_EQ(RoundFin(922337203685477.5, 1), Money(922337203685477.5));
    EXPECT_EQ(RoundFin(Money::max(), 1), Money::max());
    // A value that is no amount at all gives 0.
    EXPECT_EQ(RoundFin(1e300, 1), Money());
    EXPECT_EQ(RoundFin(std::numeric_limits<double>::quiet_NaN(), 1), Money());
    EXPECT_EQ(RoundFin(Money(5), std::numeric_limits<double>::quiet_NaN()), Money(5));
    EXPECT_EQ(failures.operations(), QStringList({"RoundFin", "RoundFin", "RoundFin", "RoundFin", "RoundFin"}));
}

TEST(Rounding, DivT)
{
    CapturedRoutineFailures failures;
    EXPECT_EQ(DivT(5, 0), 0.0);
    EXPECT_EQ(DivT(-5, 0), 0.0);
    EXPECT_EQ(DivT(0, 0), 0.0);
    EXPECT_EQ(DivT(10, 4), 2.5);
    EXPECT_EQ(DivT(-1, 8), -0.125);
    EXPECT_EQ(DivT(1, std::numeric_limits<double>::infinity()), 0.0);
    EXPECT_TRUE(failures.failures().empty());
    EXPECT_EQ(DivT(1e308, 1e-308), 0.0);
    EXPECT_EQ(DivT(std::numeric_limits<double>::quiet_NaN(), 2), 0.0);
    EXPECT_EQ(failures.operations(), QStringList({"DivT", "DivT"}));
}

TEST(Rounding, MaxGivesTheSmaller)
{
    EXPECT_EQ(Max(3, 7), 3);
    EXPECT_EQ(Max(7, 3), 3);
    EXPECT_EQ(Max(5, 5), 5);
    EXPECT_EQ(Max(-1.5, 2.0), -1.5);
    EXPECT_EQ(Max(Money(2), Money(1)), Money(1));
    EXPECT_EQ(Max(QString("b"), QString("a")), QString("a"));
    static_assert(Max(3, 7) == 3);
}

} // namespace
