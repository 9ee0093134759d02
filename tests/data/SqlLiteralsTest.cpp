#include "LocaleScope.h"
#include "data/core/SqlLiterals.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <random>
#include <limits>

namespace {

class SqlLiterals : public testing::TestWithParam<LocaleSetting> {
protected:
    void SetUp() override
    {
        const LocaleSetting& s = GetParam();
        m_scope = std::make_unique<LocaleScope>(s.cLocale, QLocale(s.language), QChar(s.dateSeparator));
        if (s.language == QLocale::Slovenian) {
            // Make sure the test really runs with a decimal comma.
            ASSERT_EQ(QLocale().decimalPoint(), QString(","));
            if (m_scope->cLocaleApplied())
                ASSERT_STREQ(std::localeconv()->decimal_point, ",");
            else
                std::fprintf(stderr, "C locale %s not available; only the Qt locale is switched\n", s.cLocale);
        }
    }
    void TearDown() override { m_scope.reset(); }

private:
    std::unique_ptr<LocaleScope> m_scope;
};

struct FloatCase {
    double value;
    const char* text;
};

const FloatCase floatCases[] = {
    {1234.5, "1234.5"},
    {-1234.5, "-1234.5"},
    {0.0, "0"},
    {-0.0, "0"},
    {100, "100"},
    {100000, "100000"},
    {0.5, "0.5"},
    {0.1, "0.1"},
    {0.1 + 0.2, "0.3"},
    {1.0 / 3.0, "0.333333333333333"},
    {2.0 / 3.0, "0.666666666666667"},
    {123.456, "123.456"},
    {2.675, "2.675"},
    {12345.678901234567, "12345.6789012346"},
    {0.0001, "0.0001"},
    {0.000123, "0.000123"},
    {0.00001, "1E-5"},
    {0.0000123, "1.23E-5"},
    {-0.00001, "-1E-5"},
    {1e-7, "1E-7"},
    {1.5e-7, "1.5E-7"},
    {1e-300, "1E-300"},
    {5e-324, "4.94065645841247E-324"},
    {100000000000000.0, "100000000000000"},
    {999999999999999.0, "999999999999999"},
    {999999999999999.9, "1E15"},
    {1e15, "1E15"},
    {1.5e20, "1.5E20"},
    {-1.5e20, "-1.5E20"},
    {123456789012345678.0, "1.23456789012346E17"},
    {1.7976931348623157e308, "1.79769313486232E308"},
    {std::numeric_limits<double>::quiet_NaN(), "NAN"},
    {std::numeric_limits<double>::infinity(), "INF"},
    {-std::numeric_limits<double>::infinity(), "-INF"},
};

TEST_P(SqlLiterals, FloatToStrSQLGeneralFormWithPoint)
{
    for (const auto& c : floatCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(FloatToStrSQL(c.value), QString::fromLatin1(c.text));
    }
}

TEST_P(SqlLiterals, FloatToStrSQLOfAmountsIsExact)
{
    EXPECT_EQ(FloatToStrSQL(Money(1234.5)), QString("1234.5"));
    EXPECT_EQ(FloatToStrSQL(Money()), QString("0"));
    EXPECT_EQ(FloatToStrSQL(Money(-0.0001)), QString("-0.0001"));
    EXPECT_EQ(FloatToStrSQL(*Money::fromString(u"123456789012.3456")), QString("123456789012.3456"));
    EXPECT_EQ(FloatToStrSQL(Money::max()), QString("922337203685477.5807"));
}

TEST_P(SqlLiterals, DateToStrSQLAlwaysWithSlash)
{
    EXPECT_EQ(DateToStrSQL(QDate(2003, 5, 17)), QString("2003/05/17"));
    EXPECT_EQ(DateToStrSQL(QDate(1999, 12, 1)), QString("1999/12/01"));
    EXPECT_EQ(DateToStrSQL(QDate(999, 1, 2)), QString("0999/01/02"));
    EXPECT_EQ(DateToStrSQL(QDateTime(QDate(2004, 2, 29), QTime(23, 59, 59, 999))), QString("2004/02/29"));
    EXPECT_EQ(DateToStrSQL(QDate()), QString());
    EXPECT_EQ(DateToStrSQL(QDateTime()), QString());
}

struct DateTimeCase {
    QTime time;
    const char* afterColon;
    const char* afterFullStop;
};

TEST_P(SqlLiterals, DateTimeToStrSQLMillisecondsOnlyWhenNotZero)
{
    const DateTimeCase cases[] = {
        {QTime(10, 20, 30), "2003/05/17 10:20:30", "2003/05/17 10:20:30"},
        {QTime(10, 20, 30, 250), "2003/05/17 10:20:30:250", "2003/05/17 10:20:30.250"},
        {QTime(12, 30, 5, 7), "2003/05/17 12:30:05:7", "2003/05/17 12:30:05.007"},
        {QTime(0, 0, 0), "2003/05/17 00:00:00", "2003/05/17 00:00:00"},
        {QTime(23, 59, 59, 999), "2003/05/17 23:59:59:999", "2003/05/17 23:59:59.999"},
        {QTime(8, 1, 2, 40), "2003/05/17 08:01:02:40", "2003/05/17 08:01:02.040"},
    };
    const SqlMillisecondForm saved = SqlMilliseconds;
    for (const auto& c : cases) {
        const QDateTime dt(QDate(2003, 5, 17), c.time);
        SqlMilliseconds = SqlMillisecondForm::AfterColon;
        EXPECT_EQ(DateTimeToStrSQL(dt), QString::fromLatin1(c.afterColon));
        SqlMilliseconds = SqlMillisecondForm::AfterFullStop;
        EXPECT_EQ(DateTimeToStrSQL(dt), QString::fromLatin1(c.afterFullStop));
    }
    SqlMilliseconds = saved;
    EXPECT_EQ(DateTimeToStrSQL(QDateTime()), QString());
}

TEST_P(SqlLiterals, ApostrophesDoubled)
{
    const std::pair<QString, QString> cases[] = {
        {"O'Neil", "O''Neil"},
        {"''", "''''"},
        {"", ""},
        {"Škofja Loka 'Žiga'", "Škofja Loka ''Žiga''"},
        {"brez", "brez"},
    };
    for (const auto& [text, doubled] : cases) {
        EXPECT_EQ(sqlStrApostrof(text), doubled);
        EXPECT_EQ(sqlQuotedStr(text), "'" + doubled + "'");
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, SqlLiterals, testing::ValuesIn(localeSettings),
                         [](const testing::TestParamInfo<LocaleSetting>& info) { return std::string(info.param.name); });

} // namespace

// Every number is its 15 significant digits correctly rounded, whichever way the text is made:
// the digits printf rounds to 15 read back as the same number as the text written.
TEST(SqlLiteralsFloat, FifteenDigitsOfAnyValue)
{
    std::mt19937_64 random(20261209);
    std::uniform_int_distribution<int> cents(-10000000, 10000000);
    std::uniform_int_distribution<int> scale(0, 6);
    for (int i = 0; i < 300000; ++i) {
        double value;
        switch (i % 3) {
        case 0: {   // any bit pattern that is a finite number
            const std::uint64_t bits = random();
            std::memcpy(&value, &bits, sizeof value);
            if (!std::isfinite(value))
                continue;
            break;
        }
        case 1:   // prices, quantities and rates with a few decimals
            value = cents(random) / std::pow(10.0, scale(random));
            break;
        default:   // what the computations with them give
            value = cents(random) / 100.0 * (cents(random) / 10000.0) * 1.22;
            break;
        }
        char expected[40];
        std::snprintf(expected, sizeof expected, "%.14e", value);
        const QByteArray text = FloatToStrSQL(value).toLatin1();
        ASSERT_EQ(std::strtod(text.constData(), nullptr), std::strtod(expected, nullptr))
            << text.constData() << " for " << expected;
    }
}
