// The sign-in rules without database or window: the password check, the length and date rules
// and the entries of the authorization lists.
#include "login/LoginRules.h"

#include "data/core/ProgramState.h"
#include "data/config/Scrambling.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(StoredPasswordForm, IsTheHexadecimalScrambleWithTheUserKey)
{
    EXPECT_EQ(StoredPasswordForm(""), "");
    EXPECT_EQ(StoredPasswordForm("demo"), EncryptHex("demo", UserPasswordKey));
    EXPECT_EQ(StoredPasswordForm("demo").size(), 8);
    EXPECT_EQ(DecryptHex(StoredPasswordForm("Žaba č1"), UserPasswordKey), "Žaba č1");
    EXPECT_TRUE(QRegularExpression("^[0-9A-F]*$").match(StoredPasswordForm("geslo123")).hasMatch());
    // the user key is not the registry key
    EXPECT_NE(StoredPasswordForm("demo"), EncryptHex("demo", RegistryPasswordKey));
}

TEST(StoredPasswordForm, FitsTheColumnUpToFifteenBytes)
{
    EXPECT_TRUE(PasswordFitsStore(""));
    EXPECT_TRUE(PasswordFitsStore(QString(15, u'a')));
    EXPECT_FALSE(PasswordFitsStore(QString(16, u'a')));
    EXPECT_TRUE(PasswordFitsStore(QString(7, u'č') + "a"));   // 15 bytes
    EXPECT_FALSE(PasswordFitsStore(QString(8, u'č')));        // 16 bytes
}

struct PasswordCase {
    const char* name;
    QString userCode;
    QString storedFor;      // the password whose stored form is in Geslo; null: Geslo as given
    QString storedRaw;
    QString typed;
    PasswordVerdict verdict;
};

class CheckUserPasswordTest : public ::testing::TestWithParam<PasswordCase> {};

TEST_P(CheckUserPasswordTest, Verdict)
{
    const PasswordCase& c = GetParam();
    const QString stored = c.storedFor.isNull() ? c.storedRaw : StoredPasswordForm(c.storedFor);
    EXPECT_EQ(CheckUserPassword(c.userCode, stored, c.typed), c.verdict) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CheckUserPasswordTest,
    ::testing::Values(
        PasswordCase{"right password", "01", "demo", {}, "demo", PasswordVerdict::Accepted},
        PasswordCase{"wrong password", "01", "demo", {}, "Demo", PasswordVerdict::WrongPassword},
        PasswordCase{"empty typed for a password", "01", "demo", {}, "", PasswordVerdict::WrongPassword},
        PasswordCase{"longer typed", "01", "demo", {}, "demo1", PasswordVerdict::WrongPassword},
        PasswordCase{"empty Geslo, any password", "02", QString(), "", "kar koli", PasswordVerdict::Accepted},
        PasswordCase{"empty Geslo, empty password", "02", QString(), "", "", PasswordVerdict::Accepted},
        PasswordCase{"Geslo of blanks counts as empty", "02", QString(), "   ", "x", PasswordVerdict::Accepted},
        PasswordCase{"stored in lower case", "01", QString(), StoredPasswordForm("demo").toLower(), "demo",
                     PasswordVerdict::Accepted},
        PasswordCase{"stored with trailing blanks", "01", QString(), StoredPasswordForm("demo") + "  ", "demo",
                     PasswordVerdict::Accepted},
        PasswordCase{"the plain password in Geslo is no password", "01", QString(), "demo", "demo",
                     PasswordVerdict::WrongPassword},
        PasswordCase{"no user code", "", "demo", {}, "demo", PasswordVerdict::NoUser},
        PasswordCase{"blank user code", "  ", QString(), "", "", PasswordVerdict::NoUser},
        PasswordCase{"č š ž", "03", "čšž", {}, "čšž", PasswordVerdict::Accepted},
        PasswordCase{"č against c", "03", "čšž", {}, "csz", PasswordVerdict::WrongPassword}));

TEST(CheckUserPassword, Messages)
{
    EXPECT_EQ(PasswordVerdictMessage(PasswordVerdict::NoUser), "Vnesi uporabnika !");
    EXPECT_EQ(PasswordVerdictMessage(PasswordVerdict::WrongPassword), "Geslo je napačno !");
    EXPECT_EQ(PasswordVerdictMessage(PasswordVerdict::Accepted), "");
}

TEST(PasswordTooShort, AppliesFromOneToFourteen)
{
    struct Case {
        int minimum;
        int typedLength;
        bool tooShort;
    };
    const Case cases[] = {
        {0, 0, false},   {-1, 0, false},  {1, 0, true},    {1, 1, false},   {4, 3, true},
        {4, 4, false},   {4, 10, false},  {14, 13, true},  {14, 14, false}, {15, 0, false},
        {15, 14, false}, {20, 3, false},  {32767, 1, false}, {2, 1, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PasswordTooShort(c.minimum, QString(c.typedLength, u'x')), c.tooShort)
            << "minimum " << c.minimum << ", typed " << c.typedLength;
    // characters count, not bytes
    EXPECT_FALSE(PasswordTooShort(4, "čšžđ"));
    EXPECT_EQ(PasswordLengthMessage(4), "Dolžina gesla je premajhna (minimalno 4 znakov) !");
}

TEST(CheckLoginDate, ComparesDays)
{
    const QDate today(2026, 3, 15);
    struct Case {
        QDateTime last;
        LoginDateVerdict verdict;
    };
    const Case cases[] = {
        {QDateTime(today.addDays(-1), QTime(0, 0)), LoginDateVerdict::Store},
        {QDateTime(today.addDays(-1), QTime(23, 59, 59)), LoginDateVerdict::Store},
        {QDateTime(today.addYears(-3), QTime(0, 0)), LoginDateVerdict::Store},
        {QDateTime(today, QTime(0, 0)), LoginDateVerdict::Unchanged},
        {QDateTime(today, QTime(18, 30)), LoginDateVerdict::Unchanged},   // later the same day
        {QDateTime(today.addDays(1), QTime(0, 0)), LoginDateVerdict::Refuse},
        {QDateTime(today.addDays(400), QTime(12, 0)), LoginDateVerdict::Refuse},
        {QDateTime(), LoginDateVerdict::Store},                           // never logged in
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckLoginDate(today, c.last), c.verdict) << c.last.toString().toStdString();
}

TEST(CheckLoginDate, Message)
{
    const QChar saved = DateSeparator;
    DateSeparator = u'.';
    EXPECT_EQ(LoginDateMessage(QDate(2026, 3, 16), QDate(2026, 3, 15)),
              "Sistemski datum je manjši od datuma zadnje prijave v program !\r\n"
              "Datum zadnje prijave: 16.03.2026, Sistemski datum: 15.03.2026\r\n"
              "Preveri datume in se še enkrat prijavi !");
    DateSeparator = saved;
}

TEST(AuthorizationLists, Entries)
{
    EXPECT_EQ(AuthorizationEntry("PERIODIKA", "T", "30"), "PERIODIKA=T30");
    EXPECT_EQ(AuthorizationEntry("IZPISI", "F", "0"), "IZPISI=F0");
    EXPECT_EQ(AuthorizationEntry("X", "", ""), "X=");
    EXPECT_EQ(FunctionTreeEntry("PERIODIKA_KRE", "PERIODIKA"), "PERIODIKA_KRE=PERIODIKA");
    EXPECT_EQ(FunctionTreeEntry("VEKTOR", ""), "VEKTOR=");
    EXPECT_TRUE(NeedsFunctionTree(0));
    EXPECT_FALSE(NeedsFunctionTree(1));
    EXPECT_TRUE(NeedsFunctionTree(2));
    EXPECT_TRUE(NeedsFunctionTree(3));
}

// The demo company's user 01 signs in with "demo".
TEST(DemoData, UserOneHasTheStoredFormOfDemo)
{
    QFile file(QStringLiteral(OBDRAC_SOURCE_DIR) + "/db/demo.sql");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const QRegularExpression line("UPDATE ODDel SET Geslo = '([^']*)' WHERE UserID = '01';\\s*-- PASSWORD-DEMO");
    const QRegularExpressionMatch m = line.match(text);
    ASSERT_TRUE(m.hasMatch());
    EXPECT_EQ(m.captured(1), StoredPasswordForm("demo"));
    EXPECT_EQ(CheckUserPassword("01", m.captured(1), "demo"), PasswordVerdict::Accepted);
}

} // namespace
