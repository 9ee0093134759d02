#include "data/core/FieldType.h"
#include "data/core/EConvertError.h"
#include "data/core/FormatFloat.h"

#include <QDateTime>

#include <gtest/gtest.h>

namespace {
struct FormatCase {
    const char* mask;
    double value;
    const char* c;    // C locale: "," groups, "." decimal
    const char* sl;   // Slovenian locale: "." groups, "," decimal
};

class FormatFloatCases : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFloatCases, FormatsByMaskAndLocale)
{
    const FormatCase& c = GetParam();
    EXPECT_EQ(formatFloat(c.mask, c.value, QLocale::c()), QString::fromUtf8(c.c)) << c.mask << " " << c.value;
    EXPECT_EQ(formatFloat(c.mask, c.value, QLocale(QLocale::Slovenian, QLocale::Slovenia)), QString::fromUtf8(c.sl))
        << c.mask << " " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormatFloatCases,
    ::testing::Values(FormatCase{"#,##0.00", 1234.5, "1,234.50", "1.234,50"},
                      FormatCase{"#,##0.00", 0, "0.00", "0,00"},
                      FormatCase{"#,##0.00", -1234567.891, "-1,234,567.89", "-1.234.567,89"},
                      FormatCase{"#,##0.00", 0.005, "0.01", "0,01"},
                      FormatCase{"#,##0.0000", 0.05, "0.0500", "0,0500"},
                      FormatCase{"#,##0 dni.", 30, "30 dni.", "30 dni."},
                      FormatCase{"#,##0 dni.", 1500, "1,500 dni.", "1.500 dni."},
                      FormatCase{"#,##0.00 %", 22, "22.00 %", "22,00 %"},
                      FormatCase{"#,##0 %", 8.5, "9 %", "9 %"},
                      FormatCase{"0.###", 2.5, "2.5", "2,5"},
                      FormatCase{"#.##", 0.25, ".25", ",25"},
                      FormatCase{"0", -0.4, "0", "0"},
                      FormatCase{"#,##0.00;(#,##0.00);\"nič\"", -5, "(5.00)", "(5,00)"},
                      FormatCase{"#,##0.00;(#,##0.00);\"nič\"", 0, "nič", "nič"},
                      FormatCase{"", 1234.5, "1234.5", "1234,5"},
                      FormatCase{"", 0.00001, "1e-05", "1e-05"}));
} // namespace

TEST(FieldType, ConvertsTextTheWayUsersTypeIt)
{
    EXPECT_EQ(convertToFieldType("12", TFieldType::ftSmallint).toInt(), 12);
    EXPECT_THROW(convertToFieldType("12a", TFieldType::ftInteger), EConvertError);
    EXPECT_THROW(convertToFieldType(40000, TFieldType::ftSmallint), EConvertError);
    EXPECT_DOUBLE_EQ(convertToFieldType("2,5", TFieldType::ftFloat).toDouble(), 2.5);
    EXPECT_DOUBLE_EQ(convertToFieldType("2.5", TFieldType::ftFloat).toDouble(), 2.5);
    EXPECT_EQ(convertToFieldType("17.5.2003", TFieldType::ftDate).toDate(), QDate(2003, 5, 17));
    EXPECT_EQ(convertToFieldType("2003/05/17 10:20:30", TFieldType::ftDateTime).toDateTime(),
              QDateTime(QDate(2003, 5, 17), QTime(10, 20, 30)));
    EXPECT_FALSE(convertToFieldType(QVariant(), TFieldType::ftString).isValid());
    EXPECT_TRUE(convertToFieldType(QString(""), TFieldType::ftString).isValid());
    EXPECT_EQ(fieldTypeFromSql(3, 19, 4), TFieldType::ftCurrency);
    EXPECT_EQ(fieldTypeFromSql(2, 5, 0), TFieldType::ftInteger);
}
