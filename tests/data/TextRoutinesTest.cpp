#include "LocaleScope.h"
#include "data/core/TextRoutines.h"
#include <gtest/gtest.h>

namespace {

class TextRoutines : public testing::TestWithParam<LocaleSetting> {
protected:
    void SetUp() override
    {
        const LocaleSetting& s = GetParam();
        m_scope = std::make_unique<LocaleScope>(s.cLocale, QLocale(s.language), QChar(s.dateSeparator));
    }
    void TearDown() override { m_scope.reset(); }
    QString sep() const { return QString(QChar(GetParam().dateSeparator)); }

private:
    std::unique_ptr<LocaleScope> m_scope;
};

TEST_P(TextRoutines, ReplicateStr)
{
    EXPECT_EQ(ReplicateStr(u'*', 3), QString("***"));
    EXPECT_EQ(ReplicateStr(u'č', 2), QString("čč"));
    EXPECT_EQ(ReplicateStr(u'*', 0), QString());
    EXPECT_EQ(ReplicateStr(u'*', -2), QString());
}

TEST_P(TextRoutines, StrZeroInt)
{
    const std::tuple<qint64, int, const char*> cases[] = {
        {42, 5, "00042"},
        {12345, 5, "12345"},
        {100000, 5, "100000"},
        {0, 2, "00"},
        {7, 0, "7"},
        {1, -1, "1"},
        {-5, 4, "00-5"},   // the sign is one of the characters
        {100, 5, "00100"},
    };
    for (const auto& [i, width, text] : cases)
        EXPECT_EQ(StrZeroInt(i, width), QString::fromLatin1(text)) << i << " " << width;
}

TEST_P(TextRoutines, YearS)
{
    const QDate d(2003, 5, 17);
    EXPECT_EQ(YearS(2, d), QString("03"));
    EXPECT_EQ(YearS(4, d), QString("2003"));
    EXPECT_EQ(YearS(1, d), QString("0"));
    EXPECT_EQ(YearS(3, d), QString("200"));
    EXPECT_EQ(YearS(0, d), QString());
    EXPECT_EQ(YearS(-1, d), QString());
    EXPECT_EQ(YearS(5, d), "2003" + sep());
    EXPECT_EQ(YearS(7, d), "2003" + sep() + "05");
    EXPECT_EQ(YearS(20, d), "2003" + sep() + "05" + sep() + "17");
    EXPECT_EQ(YearS(2, QDate(2000, 1, 1)), QString("00"));
    EXPECT_EQ(YearS(2, QDate(2010, 12, 31)), QString("10"));
    EXPECT_EQ(YearS(2, QDateTime(QDate(2004, 1, 1), QTime(0, 0))), QString("04"));
    EXPECT_EQ(YearS(2, QDate()), QString());
}

TEST_P(TextRoutines, ChangeCharacter)
{
    EXPECT_EQ(ChangeCharacter("1,5", u',', u'.'), QString("1.5"));
    EXPECT_EQ(ChangeCharacter("a,b,c", u',', u'.'), QString("a.b.c"));
    EXPECT_EQ(ChangeCharacter("abc", u',', u'.'), QString("abc"));
    EXPECT_EQ(ChangeCharacter("čaša", u'č', u'c'), QString("caša"));
    EXPECT_EQ(ChangeCharacter("", u',', u'.'), QString());
}

TEST_P(TextRoutines, TrimStrToInt)
{
    const std::pair<const char*, int> cases[] = {
        {" 42 ", 42}, {"-7", -7}, {"+7", 7}, {"007", 7}, {"", 0}, {"   ", 0}, {"12a", 0}, {"1 2", 0},
        {"1.5", 0}, {"1,5", 0}, {"0x10", 0}, {"2147483647", 2147483647}, {"2147483648", 0},
        {"-2147483648", -2147483647 - 1}, {"\t15\n", 15},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(TrimStrToInt(QString::fromLatin1(text)), value) << text;
}

TEST_P(TextRoutines, ShortDateTextUsesTheDateSeparator)
{
    EXPECT_EQ(shortDateText(QDate(2003, 5, 17)), "17" + sep() + "05" + sep() + "2003");
    EXPECT_EQ(shortDateText(QDate(2024, 12, 1)), "01" + sep() + "12" + sep() + "2024");
    EXPECT_EQ(shortDateText(QDate()), QString());
}

INSTANTIATE_TEST_SUITE_P(Locales, TextRoutines, testing::ValuesIn(localeSettings),
                         [](const testing::TestParamInfo<LocaleSetting>& info) { return std::string(info.param.name); });

} // namespace
