// Numbers and texts of the listing as obdrac-run prints them.
#include "app/ListingCommand.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

struct NumberCase {
    double value;
    const char* text;
};

class ListingNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ListingNumberTest, DecimalPointAndNoNeedlessZeros)
{
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::Slovenian, QLocale::Slovenia));   // decimal comma
    EXPECT_EQ(listingNumber(GetParam().value).toStdString(), GetParam().text);
    QLocale::setDefault(old);
}

INSTANTIATE_TEST_SUITE_P(Numbers, ListingNumberTest,
                         ::testing::Values(NumberCase{0, "0"}, NumberCase{-0.0, "0"}, NumberCase{10, "10"},
                                           NumberCase{12.5, "12.5"}, NumberCase{-3.25, "-3.25"},
                                           NumberCase{1.0 / 3.0, "0.333333"}, NumberCase{1234567.125, "1234567.125"},
                                           NumberCase{0.0000001, "0"}, NumberCase{99.9999, "99.9999"}));

TEST(ListingCsv, HeaderAndQuotedTexts)
{
    EXPECT_EQ(listingCsvHeader(), "ZapSt;Kljuc;Tip;PoslDog;Subjekt;Ident;Kolicina;Cena;Rabat");
    ListingRow row;
    row.zapSt = 7;
    row.kljuc = "25G100001";
    row.tip = "Naročilo";
    row.poslDog = "07";
    row.subjekt = "Čuk; \"Sova\"";
    row.ident = "A\nB";
    row.kolicina = 2;
    row.cena = 0.5;
    row.rabat = 12.5;
    EXPECT_EQ(listingCsvLine(row), "7;25G100001;Naročilo;07;\"Čuk; \"\"Sova\"\"\";\"A\nB\";2;0.5;12.5");
}

} // namespace
