// The password change: from the login's "&Geslo" to the next login with the new password, and
// the refusals that never reach the database.
#include "LoginTestSupport.h"

#include "login/LoginRules.h"
#include "login/PasswordChange.h"
#include "login/ui/TPrijava.h"
#include "login/ui/TVnosGesla.h"

#include "data/SqlFilter.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class PasswordChangeTest : public ::testing::Test {
protected:
    std::unique_ptr<LoginEnvironment> env;

    void SetUp() override
    {
        env = std::make_unique<LoginEnvironment>();
        env->demo().psql("UPDATE ODDel SET Geslo = '" + StoredPasswordForm("demo") + "', DatumSpre = '2001/02/03', "
                         "UserSpre = '00' WHERE UserID = '01';"
                         "UPDATE ODDel SET Geslo = '', DatumSpre = '2001/02/03', UserSpre = '00' WHERE UserID IN ('02', '03');"
                         "UPDATE Param SET MINDOLZINAGESLA = 4, AVTOKONTROLADAT = 'F'");
        env->connect();
        ASSERT_TRUE(env->module->tbParameter->Active()) << env->boxes.texts().join("|").toStdString();
        env->boxes.clear();
    }
    void TearDown() override { env.reset(); }

    QString geslo(const QString& user)
    {
        return env->demo().psql("SELECT Geslo || '|' || to_char(DatumSpre, 'YYYY') FROM ODDel WHERE UserID = '" + user + "'");
    }

    // The data module's user row positioned as the login does it.
    TwwOEDataSet& userRow(const QString& user)
    {
        TwwOEDataSet& z = *env->module->tbLookZaposlen;
        EXPECT_TRUE(sqlFindKey(z, "USERID", {user}, "UserID", false));
        return z;
    }

    static void fill(TVnosGesla& v, const QString& oldPassword, const QString& newPassword, const QString& check)
    {
        v.fOldPassword()->setText(oldPassword);
        v.fNewPassword()->setText(newPassword);
        v.fChkPassword()->setText(check);
    }

    static void potrdi(TPrijava& d, const QString& code, const QString& password)
    {
        const QAbstractItemModel* m = d.fUserID()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, 0).data().toString() == code)
                d.fUserID()->setCurrentIndex(r);
        d.fPassword()->setText(password);
        d.bPotrdi()->click();
    }
};

TEST_F(PasswordChangeTest, ChangedAtTheLoginAndAcceptedAtTheNext)
{
    WriteStringToIniFile("Program", "Uporabnik", "01");
    QString shownCode, shownName;
    bool oldVisible = false;
    {
        TPrijava d;
        d.show();
        onModal("VnosGesla", [&](QDialog* dialog) {
            auto* v = static_cast<TVnosGesla*>(dialog);
            EXPECT_EQ(v->windowTitle(), "Sprememba gesla");
            shownCode = v->lUserID()->text();
            shownName = v->lPriimekIme()->text();
            oldVisible = !v->fOldPassword()->isHidden();
            EXPECT_EQ(v->fOldPassword()->echoMode(), QLineEdit::Password);
            fill(*v, "demo", "Novo č1", "Novo č1");
            v->bPotrdi()->click();
        });
        d.bGeslo()->click();
        EXPECT_EQ(shownCode, "01");
        EXPECT_EQ(shownName, "Ana Kovač");
        EXPECT_TRUE(oldVisible);
        EXPECT_TRUE(env->boxes.texts().isEmpty()) << env->boxes.texts().join("|").toStdString();
        EXPECT_EQ(geslo("01").section('|', 0, 0), StoredPasswordForm("Novo č1"));
        EXPECT_TRUE(d.isVisible());
        ASSERT_NE(d.vnosGesla(), nullptr);

        // the same dialog: the old password is refused, the new one accepted
        potrdi(d, "01", "demo");
        EXPECT_EQ(env->boxes.texts(), QStringList{"Geslo je napačno !"});
        potrdi(d, "01", "Novo č1");
        EXPECT_TRUE(d.controller().loginSucceeded());
    }
    // a new login
    CurrentUserID.clear();
    TPrijava d;
    d.show();
    env->boxes.clear();
    potrdi(d, "01", "Novo č1");
    EXPECT_TRUE(d.controller().loginSucceeded());
    EXPECT_TRUE(env->boxes.texts().isEmpty());
    EXPECT_TRUE(env->loggedOperations().isEmpty()) << env->loggedOperations().join("|").toStdString();
}

TEST_F(PasswordChangeTest, ChangesTheUserSignedInLastNotTheOneShown)
{
    WriteStringToIniFile("Program", "Uporabnik", "02");
    TPrijava d;
    d.show();
    // another user chosen in the combo; "&Geslo" changes 02
    d.fUserID()->setCurrentIndex(0);
    QString shownCode;
    onModal("VnosGesla", [&](QDialog* dialog) {
        auto* v = static_cast<TVnosGesla*>(dialog);
        shownCode = v->lUserID()->text();
        fill(*v, "", "abcd", "abcd");   // 02 has no password: the old one is empty
        v->bPotrdi()->click();
    });
    d.bGeslo()->click();
    EXPECT_EQ(shownCode, "02");
    EXPECT_EQ(geslo("02").section('|', 0, 0), StoredPasswordForm("abcd"));
    EXPECT_EQ(geslo("01").section('|', 0, 0), StoredPasswordForm("demo"));
}

TEST_F(PasswordChangeTest, WithoutALastUserNothingOpens)
{
    WriteStringToIniFile("Program", "Uporabnik", "");
    TPrijava d;
    d.show();
    d.bGeslo()->click();   // would block if the password change opened
    EXPECT_EQ(d.vnosGesla(), nullptr);
    EXPECT_TRUE(env->boxes.texts().isEmpty());
}

// Refusals, as a table: the message, and the row neither written nor left in edit state.
TEST_F(PasswordChangeTest, RefusalsNeverReachTheDatabase)
{
    struct Case {
        const char* name;
        QString user;
        QString oldPassword, newPassword, check;
        QString message;
    };
    const Case cases[] = {
        {"confirmation differs", "01", "demo", "novo", "nova", "Napaka pri kontroli novega gesla !"},
        {"confirmation differs in case", "01", "demo", "novo", "Novo", "Napaka pri kontroli novega gesla !"},
        {"wrong old password", "01", "Demo", "novo", "novo", "Staro geslo ni pravilno !"},
        {"empty old password for a password", "01", "", "novo", "novo", "Staro geslo ni pravilno !"},
        {"old password for a user without one", "02", "x", "novo", "novo", "Staro geslo ni pravilno !"},
        {"both wrong: the confirmation first", "01", "x", "a", "b", "Napaka pri kontroli novega gesla !"},
        {"too long for the column", "01", "demo", QString(16, u'a'), QString(16, u'a'),
         "Novo geslo je predolgo (največ 15 črk) !"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString before = geslo(c.user);
        TwwOEDataSet& z = userRow(c.user);
        TVnosGesla v(z);
        v.setOldPasswordVisible(true);
        v.show();
        env->boxes.clear();
        fill(v, c.oldPassword, c.newPassword, c.check);
        v.bPotrdi()->click();
        ASSERT_EQ(env->boxes.shown().size(), 1u);
        EXPECT_EQ(env->boxes.shown()[0].kind, MsgKind::Plain);
        EXPECT_EQ(env->boxes.shown()[0].text, c.message);
        EXPECT_TRUE(v.isVisible());
        EXPECT_EQ(z.State(), dsBrowse);
        EXPECT_EQ(geslo(c.user), before);
        v.bKonec()->click();
        EXPECT_FALSE(v.isVisible());
    }
    EXPECT_EQ(geslo("01"), StoredPasswordForm("demo") + "|2001");
}

TEST_F(PasswordChangeTest, AcceptedChanges)
{
    struct Case {
        const char* name;
        QString user;
        bool oldVisible;
        QString oldPassword, newPassword;
    };
    const Case cases[] = {
        {"a user without a password types an empty old one", "02", true, "", "prvo"},
        {"then the new one is the old one", "02", true, "prvo", "drugo"},
        {"fifteen letters fit", "02", true, "drugo", QString(15, u'z')},
        {"an empty new password empties Geslo", "02", true, QString(15, u'z'), ""},
        {"without the old-password box no old password is asked", "01", false, "kar koli", "tretje"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TwwOEDataSet& z = userRow(c.user);
        TVnosGesla v(z);
        v.setOldPasswordVisible(c.oldVisible);
        v.show();
        EXPECT_EQ(v.fOldPassword()->isHidden(), !c.oldVisible);
        env->boxes.clear();
        fill(v, c.oldPassword, c.newPassword, c.newPassword);
        v.bPotrdi()->click();
        EXPECT_TRUE(env->boxes.texts().isEmpty()) << env->boxes.texts().join("|").toStdString();
        EXPECT_FALSE(v.isVisible());
        EXPECT_EQ(v.result(), QDialog::Accepted);
        EXPECT_EQ(geslo(c.user).section('|', 0, 0), StoredPasswordForm(c.newPassword));
        EXPECT_EQ(z.State(), dsBrowse);
    }
    // 02 has no password again: any password signs in (the length rule aside)
    TPrijava d;
    d.show();
    potrdi(d, "02", "karkoli");
    EXPECT_TRUE(d.controller().loginSucceeded());
}

TEST_F(PasswordChangeTest, AFailingPostIsShownAndKeepsTheDialogOpen)
{
    env->demo().psql("REVOKE UPDATE ON ODDel FROM obdrac");
    TwwOEDataSet& z = userRow("01");
    {
        TVnosGesla v(z);
        v.show();
        fill(v, "demo", "novo", "novo");
        v.bPotrdi()->click();
        ASSERT_EQ(env->boxes.shown().size(), 1u);
        EXPECT_EQ(env->boxes.shown()[0].kind, MsgKind::Error);
        EXPECT_TRUE(v.isVisible());
        EXPECT_EQ(z.State(), dsEdit);
        // "&Konec" leaves without the change
        v.bKonec()->click();
        EXPECT_FALSE(v.isVisible());
        EXPECT_EQ(z.State(), dsBrowse);
        EXPECT_EQ(z.FieldByName("GESLO").asString(), StoredPasswordForm("demo"));
    }
    env->demo().psql("GRANT UPDATE ON ODDel TO obdrac");
    EXPECT_EQ(geslo("01"), StoredPasswordForm("demo") + "|2001");
}

TEST(PasswordChangeRules, Messages)
{
    EXPECT_EQ(PasswordChangeMessage(PasswordChangeOutcome::ConfirmationDiffers), "Napaka pri kontroli novega gesla !");
    EXPECT_EQ(PasswordChangeMessage(PasswordChangeOutcome::WrongOldPassword), "Staro geslo ni pravilno !");
    EXPECT_EQ(PasswordChangeMessage(PasswordChangeOutcome::Changed), "");
}

} // namespace

namespace {

TEST_F(PasswordChangeTest, EnterMovesToTheNextBox)
{
    TwwOEDataSet& z = userRow("01");
    TVnosGesla v(z);
    v.show();
    QApplication::setActiveWindow(&v);
    v.fOldPassword()->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), v.fOldPassword());
    QTest::keyClick(v.fOldPassword(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), v.fNewPassword());
    EXPECT_TRUE(v.isVisible());   // not confirmed by Enter
    EXPECT_TRUE(env->boxes.texts().isEmpty());
}

} // namespace
