#include "controls/ui/DatePicker.h"
#include "data/core/ProgramState.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct YearCase {
    int digits;
    int epoch;
    int year;
};

class ExpandYear : public ::testing::TestWithParam<YearCase> {};

TEST_P(ExpandYear, Table)
{
    EXPECT_EQ(DatePicker::expandYear(GetParam().digits, GetParam().epoch), GetParam().year);
}

INSTANTIATE_TEST_SUITE_P(Table, ExpandYear,
                         ::testing::Values(YearCase{50, 1950, 1950}, YearCase{49, 1950, 2049}, YearCase{0, 1950, 2000},
                                           YearCase{99, 1950, 1999}, YearCase{26, 1950, 2026}, YearCase{30, 1930, 1930},
                                           YearCase{29, 1930, 2029}));

TEST(DatePicker, ParsesDaysMonthsAndYearsOfTwoOrFourDigits)
{
    EXPECT_EQ(DatePicker::parseDate("14.03.2026", 1950, u'.'), QDate(2026, 3, 14));
    EXPECT_EQ(DatePicker::parseDate("1.3.26", 1950, u'.'), QDate(2026, 3, 1));
    EXPECT_EQ(DatePicker::parseDate("1/3/51", 1950, u'.'), QDate(1951, 3, 1));
    EXPECT_EQ(DatePicker::parseDate(" 31-12-1999 ", 1950, u'.'), QDate(1999, 12, 31));
    EXPECT_EQ(DatePicker::parseDate("5_6_2020", 1950, u'_'), QDate(2020, 6, 5));
    EXPECT_FALSE(DatePicker::parseDate("31.02.2026", 1950, u'.').isValid());
    EXPECT_FALSE(DatePicker::parseDate("danes", 1950, u'.').isValid());
    EXPECT_FALSE(DatePicker::parseDate("1.2.345", 1950, u'.').isValid());
}

TEST(DatePicker, ShowsTheProcessSeparatorAndHasACalendar)
{
    DatePicker picker;
    picker.setDate(QDate(2026, 3, 14));
    EXPECT_TRUE(picker.calendarPopup());
    EXPECT_EQ(picker.text(), QString("14.03.2026"));
    DateSeparator = u'/';
    picker.applyDateSeparator();
    EXPECT_EQ(picker.text(), QString("14/03/2026"));
    EXPECT_EQ(picker.date(), QDate(2026, 3, 14));
    DateSeparator = u'.';
    EXPECT_EQ(DatePicker::displayFormatFor(u'-'), QString("dd-MM-yyyy"));
}

TEST(DatePicker, TypedDatesAreTaken)
{
    DatePicker picker;
    picker.setDate(QDate(2026, 3, 14));
    picker.show();
    picker.setFocus();
    picker.selectAll();
    QTest::keyClicks(&picker, "01052027");
    QTest::keyClick(&picker, Qt::Key_Return);
    EXPECT_EQ(picker.date(), QDate(2027, 5, 1));
}
} // namespace
