// The login dialog against the real database: signing in, the password, length and date rules,
// the authorization lists, "&Konec" and the closing question, the company switch.
#include "LoginTestSupport.h"

#include "login/Authorizations.h"
#include "login/LoginController.h"
#include "login/LoginHost.h"
#include "login/LoginRules.h"
#include "login/ui/TPrijava.h"

#include "data/core/SqlLiterals.h"
#include "data/core/TextRoutines.h"
#include "data/ui/FormCord.h"

#include <QAbstractItemModel>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace {

const QString DemoPassword = StoredPasswordForm("demo");

// A host that counts what the login asks of it.
class CountingLoginHost : public LoginHost {
public:
    int childClosings = 0;
    int mainClosings = 0;
    void closeChildWindows() override { ++childClosings; }
    void closeMainWindow() override { ++mainClosings; }
};

class LoginDialogTest : public ::testing::Test {
protected:
    std::unique_ptr<LoginEnvironment> env;

    void SetUp() override { start(true); }

    void start(bool withCompanyList)
    {
        env.reset();
        env = std::make_unique<LoginEnvironment>(withCompanyList);
        env->demo().psql("UPDATE ODDel SET Geslo = '" + DemoPassword + "' WHERE UserID = '01';"
                         "UPDATE ODDel SET Geslo = '' WHERE UserID IN ('02', '03');"
                         "UPDATE Param SET MINDOLZINAGESLA = 4, AVTOKONTROLADAT = 'F', AVTODATUMVSTOPA = CURRENT_DATE - 1");
        env->small().psql("UPDATE ODDel SET Geslo = ''");
        setMainMdiArea(nullptr);
        UserAuthorizations.clear();
        FunctionTree.clear();
        env->connect();
        ASSERT_TRUE(env->module->tbParameter->Active());
        env->boxes.clear();
    }

    void TearDown() override
    {
        setMainMdiArea(nullptr);
        env.reset();
    }

    // host: null for the usual one, the main window's child area (mainMdiArea()).
    std::unique_ptr<TPrijava> openDialog(LoginHost* host = nullptr)
    {
        auto dialog = std::make_unique<TPrijava>(nullptr, host);
        dialog->show();
        return dialog;
    }

    static QStringList userCodes(TPrijava& d)
    {
        QStringList codes;
        const QAbstractItemModel* m = d.fUserID()->model();
        for (int r = 0; r < m->rowCount(); ++r)
            codes << m->index(r, 0).data().toString() + " " + m->index(r, 1).data().toString();
        return codes;
    }

    static QString shownUser(TPrijava& d)
    {
        const int row = d.fUserID()->currentIndex();
        return row < 0 ? QString() : d.fUserID()->model()->index(row, 0).data().toString();
    }

    static void chooseUser(TPrijava& d, const QString& code)
    {
        const QAbstractItemModel* m = d.fUserID()->model();
        int found = -1;
        for (int r = 0; r < m->rowCount(); ++r)
            if (m->index(r, 0).data().toString() == code)
                found = r;
        d.fUserID()->setCurrentIndex(found);
    }

    static void potrdi(TPrijava& d, const QString& code, const QString& password)
    {
        chooseUser(d, code);
        d.fPassword()->setText(password);
        d.bPotrdi()->click();
    }

    static void chooseCompany(TPrijava& d, const QString& company)
    {
        const int index = d.fPodjetje()->findText(company);
        ASSERT_GE(index, 0) << company.toStdString();
        d.fPodjetje()->setCurrentIndex(index);
        emit d.fPodjetje()->activated(index);
    }

    QString demoValue(const QString& sql) { return env->demo().psql(sql); }
};

// ---------------------------------------------------------------------------------------------

TEST_F(LoginDialogTest, SignsInAndSetsTheUser)
{
    WriteStringToIniFile("Program", "Uporabnik", "01");
    auto d = openDialog();
    EXPECT_EQ(d->windowTitle(), "Prijava v program");
    EXPECT_EQ(userCodes(*d), (QStringList{"01 Ana Kovač", "02 Janez Štrukelj", "03 Mojca Žagar"}));   // never 00
    EXPECT_EQ(shownUser(*d), "01");   // the last user
    EXPECT_EQ(CurrentUserID, "01");
    EXPECT_TRUE(d->fPassword()->text().isEmpty());
    EXPECT_EQ(d->fPassword()->echoMode(), QLineEdit::Password);

    d->fPassword()->setText("demo");
    d->bPotrdi()->click();

    EXPECT_TRUE(env->boxes.texts().isEmpty()) << env->boxes.texts().join("|").toStdString();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_TRUE(d->controller().loginSucceeded());
    EXPECT_FALSE(d->controller().closeMainWindowRequested());
    EXPECT_FALSE(d->controller().signedIn());   // cleared when the dialog closed
    EXPECT_EQ(CurrentUserID, "01");
    EXPECT_EQ(CurrentUserName, "Ana Kovač");
    EXPECT_EQ(CurrentUserDepartment, "Računovodstvo");
    EXPECT_EQ(GetStringFromIniFile("Program", "Uporabnik", ""), "01");
    // the parameter row re-opened, the rounding step taken from it
    EXPECT_TRUE(env->module->tbParameter->Active());
    EXPECT_DOUBLE_EQ(RoundStep, 0.01);
    // three authorization rows: the whole function tree as well
    QStringList auth = UserAuthorizations;
    auth.sort();
    EXPECT_EQ(auth, (QStringList{"IZPISI=T0", "PARAMETRI=T0", "PERIODIKA=T0"}));
    EXPECT_EQ(FunctionTree.size(), 7);
    EXPECT_TRUE(FunctionTree.contains("PERIODIKA_KRE=PERIODIKA"));
    EXPECT_TRUE(FunctionTree.contains("VEKTOR="));
    // the users and the company table are closed with the dialog
    EXPECT_FALSE(d->controller().users().Active());
    EXPECT_FALSE(d->controller().companyTable().isOpen());
    EXPECT_TRUE(env->loggedOperations().isEmpty()) << env->loggedOperations().join("|").toStdString();
}

TEST_F(LoginDialogTest, LastUserUnknownOrMissingOffersNobody)
{
    for (const QString& last : {QString(), QString("00"), QString("99"), QString("1")}) {
        WriteStringToIniFile("Program", "Uporabnik", last);
        auto d = openDialog();
        EXPECT_EQ(shownUser(*d), "") << last.toStdString();
        d->bPotrdi()->click();
        EXPECT_EQ(env->boxes.texts(), QStringList{"Vnesi uporabnika !"});
        EXPECT_TRUE(d->isVisible());
        env->boxes.clear();
        d->controller().bKonecClick();
        env->boxes.clear();
    }
    // the code is looked for as the beginning of a code, as every search of a list does
    WriteStringToIniFile("Program", "Uporabnik", "0");
    auto d = openDialog();
    EXPECT_EQ(shownUser(*d), "01");
}

// The outcomes of "&Potrdi", as a table.
TEST_F(LoginDialogTest, PasswordAndLengthRules)
{
    struct Case {
        const char* name;
        QString user;
        QString typed;
        int minimum;
        QString message;   // empty: signed in
    };
    const QString wrong = "Geslo je napačno !";
    auto tooShort = [](int n) { return PasswordLengthMessage(n); };
    const Case cases[] = {
        {"right password", "01", "demo", 4, ""},
        {"wrong password", "01", "Demo", 4, wrong},
        {"empty password for a password", "01", "", 0, wrong},
        {"no user", "", "demo", 4, "Vnesi uporabnika !"},
        {"empty Geslo, any password", "02", "kar koli", 4, ""},
        {"empty Geslo, empty password, no length rule", "02", "", 0, ""},
        {"empty Geslo, but too short", "02", "abc", 4, tooShort(4)},
        {"exactly the minimum", "02", "abcd", 4, ""},
        {"minimum 1, empty", "03", "", 1, tooShort(1)},
        {"minimum 1, one letter", "03", "x", 1, ""},
        {"minimum 14, 13 letters", "02", QString(13, u'a'), 14, tooShort(14)},
        {"minimum 14, 14 letters", "02", QString(14, u'a'), 14, ""},
        {"minimum 15 switches the rule off", "02", "a", 15, ""},
        {"minimum 20 switches the rule off", "02", "", 20, ""},
        {"right password, too short for the company", "01", "demo", 5, tooShort(5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        demoValue(QString("UPDATE Param SET MINDOLZINAGESLA = %1").arg(c.minimum));
        CurrentUserID.clear();
        auto d = openDialog();
        env->boxes.clear();
        potrdi(*d, c.user, c.typed);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(env->boxes.texts().isEmpty()) << env->boxes.texts().join("|").toStdString();
            EXPECT_TRUE(d->controller().loginSucceeded());
            EXPECT_FALSE(d->isVisible());
            EXPECT_EQ(CurrentUserID, c.user);
        } else {
            ASSERT_EQ(env->boxes.shown().size(), 1u);
            EXPECT_EQ(env->boxes.shown()[0].kind, MsgKind::Error);
            EXPECT_EQ(env->boxes.shown()[0].text, c.message);
            EXPECT_FALSE(d->controller().loginSucceeded());
            EXPECT_FALSE(d->controller().signedIn());
            EXPECT_TRUE(d->isVisible());
            if (c.message == wrong) {
                EXPECT_TRUE(d->fPassword()->text().isEmpty());   // cleared for the next try
            }
            if (c.message.startsWith("Dolžina")) {
                EXPECT_EQ(CurrentUserID, c.user);   // the user passed the password check
            }
            d->controller().bKonecClick();
        }
    }
    EXPECT_TRUE(env->loggedOperations().isEmpty()) << env->loggedOperations().join("|").toStdString();
}

TEST_F(LoginDialogTest, FunctionTreeOnlyWithoutExactlyOneAuthorization)
{
    struct Case {
        QString user;
        QStringList authorizations;
        qsizetype treeSize;
    };
    const Case cases[] = {
        {"02", {"PERIODIKA=T30"}, 0},   // exactly one row
        {"03", {}, 7},                  // none
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user.toStdString());
        auto d = openDialog();
        potrdi(*d, c.user, "geslo");
        ASSERT_TRUE(d->controller().loginSucceeded());
        EXPECT_EQ(UserAuthorizations, c.authorizations);
        EXPECT_EQ(FunctionTree.size(), c.treeSize);
    }
    // two rows
    demoValue("DELETE FROM Avtor WHERE UserID = '01' AND Funkcija = 'IZPISI'");
    auto d = openDialog();
    potrdi(*d, "01", "demo");
    EXPECT_EQ(UserAuthorizations.size(), 2);
    EXPECT_EQ(FunctionTree.size(), 7);
    demoValue("INSERT INTO Avtor (UserID, Funkcija, Dovoljeno, DniZaSpremembo) VALUES ('01', 'IZPISI', 'T', 0)");
}

TEST_F(LoginDialogTest, AuthorizationsOfAUserCodeWithAnApostrophe)
{
    QStringList auth{"x"}, tree;
    ASSERT_NO_THROW(LoadAuthorizations(env->module->qQuery0, "0'", auth, tree));
    EXPECT_TRUE(auth.isEmpty());
    EXPECT_EQ(tree.size(), 7);
    EXPECT_FALSE(env->module->qQuery0.HasResult());
}

TEST_F(LoginDialogTest, DateCheckOfTheLastLogin)
{
    const QDate today = QDate::currentDate();
    struct Case {
        const char* name;
        QDate last;        // invalid: NULL
        bool signedIn;
        QDate stored;      // AVTODATUMVSTOPA afterwards
        bool stamped;      // DatumSpre/UserSpre changed
    };
    const Case cases[] = {
        {"yesterday", today.addDays(-1), true, today, true},
        {"a year ago", today.addYears(-1), true, today, true},
        {"never", QDate(), true, today, true},
        {"today", today, true, today, false},
        {"tomorrow", today.addDays(1), false, today.addDays(1), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        demoValue("UPDATE Param SET AVTOKONTROLADAT = 'T', DatumSpre = '2001/02/03', UserSpre = '00', AVTODATUMVSTOPA = "
                  + (c.last.isValid() ? sqlQuotedStr(DateToStrSQL(c.last)) : QString("NULL")));
        // the parameter row as it is in the database now
        env->module->tbParameter->Close();
        env->module->tbParameter->Open();
        CurrentUserID.clear();
        auto d = openDialog();
        env->boxes.clear();
        potrdi(*d, "02", "geslo");
        EXPECT_EQ(d->controller().loginSucceeded(), c.signedIn);
        EXPECT_EQ(CurrentUserID, "02");   // set even when the date refuses the login
        EXPECT_EQ(demoValue("SELECT to_char(AVTODATUMVSTOPA, 'YYYY-MM-DD') FROM Param"), c.stored.toString(Qt::ISODate));
        const QString stamp = demoValue("SELECT to_char(DatumSpre, 'YYYY-MM-DD') || '|' || UserSpre FROM Param");
        if (c.stamped)
            EXPECT_EQ(stamp, today.toString(Qt::ISODate) + "|02");
        else
            EXPECT_EQ(stamp, "2001-02-03|00");
        if (c.signedIn) {
            EXPECT_TRUE(env->boxes.texts().isEmpty()) << env->boxes.texts().join("|").toStdString();
        } else {
            EXPECT_EQ(env->boxes.texts(), QStringList{LoginDateMessage(c.last, today)});
            EXPECT_TRUE(d->isVisible());
            d->controller().bKonecClick();
        }
    }
    EXPECT_TRUE(env->loggedOperations().isEmpty()) << env->loggedOperations().join("|").toStdString();
}

TEST_F(LoginDialogTest, DateCheckWithAMovedClock)
{
    demoValue("UPDATE Param SET AVTOKONTROLADAT = 'T', AVTODATUMVSTOPA = '2030/05/06'");
    env->module->tbParameter->Close();
    env->module->tbParameter->Open();
    auto d = openDialog();
    d->controller().today = [] { return QDate(2030, 5, 5); };
    potrdi(*d, "02", "geslo");
    EXPECT_FALSE(d->controller().loginSucceeded());
    const QString sep = DateSeparator;
    EXPECT_EQ(env->boxes.texts(),
              QStringList{"Sistemski datum je manjši od datuma zadnje prijave v program !\r\n"
                          "Datum zadnje prijave: 06" + sep + "05" + sep + "2030, Sistemski datum: 05" + sep + "05" + sep
                          + "2030\r\nPreveri datume in se še enkrat prijavi !"});
    // the clock put right
    env->boxes.clear();
    d->controller().today = [] { return QDate(2030, 5, 7); };
    potrdi(*d, "02", "geslo");
    EXPECT_TRUE(d->controller().loginSucceeded());
    EXPECT_EQ(demoValue("SELECT to_char(AVTODATUMVSTOPA, 'YYYY-MM-DD HH24:MI:SS') FROM Param"), "2030-05-07 00:00:00");
}

// ---------------------------------------------------------------------------------------------
// Ending the program from the login

TEST_F(LoginDialogTest, KonecAsksOnceAndClosesTheMainWindow)
{
    QuietClose = false;
    auto d = openDialog();
    env->boxes.answer(MsgButton::Cancel);
    d->bKonec()->click();
    EXPECT_EQ(env->boxes.texts(), QStringList{"Ali želiš končati z delom ?"});
    EXPECT_EQ(env->boxes.shown()[0].kind, MsgKind::Confirmation);
    EXPECT_TRUE(d->isVisible());
    EXPECT_FALSE(QuietClose);
    EXPECT_FALSE(d->controller().closeMainWindowRequested());

    env->boxes.clear();
    env->boxes.answer(MsgButton::Ok);
    d->bKonec()->click();
    EXPECT_EQ(env->boxes.texts(), QStringList{"Ali želiš končati z delom ?"});   // asked once only
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(QuietClose);
    EXPECT_TRUE(d->controller().closeMainWindowRequested());
    EXPECT_FALSE(d->controller().loginSucceeded());
    EXPECT_TRUE(env->loggedOperations().isEmpty());
}

TEST_F(LoginDialogTest, ClosingTheDialogAsks)
{
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way == 0 ? "close button" : "escape");
        QuietClose = false;
        auto d = openDialog();
        env->boxes.clear();
        env->boxes.answer(MsgButton::Cancel);
        way == 0 ? void(d->close()) : d->reject();
        EXPECT_EQ(env->boxes.texts(), QStringList{"Ali želiš končati z delom ?"});
        EXPECT_TRUE(d->isVisible());
        EXPECT_FALSE(QuietClose);

        env->boxes.clear();
        env->boxes.answer(MsgButton::Ok);
        way == 0 ? void(d->close()) : d->reject();
        EXPECT_EQ(env->boxes.texts(), QStringList{"Ali želiš končati z delom ?"});
        EXPECT_FALSE(d->isVisible());
        EXPECT_TRUE(QuietClose);
        EXPECT_TRUE(d->controller().closeMainWindowRequested());
    }
}

TEST_F(LoginDialogTest, RunLoginDialogModally)
{
    CountingLoginHost host;
    WriteStringToIniFile("Program", "Uporabnik", "01");

    // a wrong password, then the right one
    onModal("Prijava", [&](QDialog* dialog) {
        auto* d = static_cast<TPrijava*>(dialog);
        d->fPassword()->setText("narobe");
        d->bPotrdi()->click();
        d->fPassword()->setText("demo");
        d->bPotrdi()->click();
    });
    EXPECT_TRUE(RunLoginDialog(nullptr, &host));
    EXPECT_EQ(env->boxes.texts(), QStringList{"Geslo je napačno !"});
    EXPECT_EQ(host.mainClosings, 0);
    EXPECT_EQ(CurrentUserID, "01");

    // "&Konec"
    env->boxes.clear();
    CurrentUserID.clear();
    onModal("Prijava", [&](QDialog* dialog) { static_cast<TPrijava*>(dialog)->bKonec()->click(); });
    EXPECT_FALSE(RunLoginDialog(nullptr, &host));
    EXPECT_EQ(host.mainClosings, 1);

    // without a host of its own the parent's window is closed
    QWidget main;
    main.setObjectName("Main");
    main.show();
    onModal("Prijava", [&](QDialog* dialog) { dialog->close(); });
    EXPECT_FALSE(RunLoginDialog(&main));
    EXPECT_FALSE(main.isVisible());
}

// ---------------------------------------------------------------------------------------------
// Companies

TEST_F(LoginDialogTest, CompanyControlsOnlyWithTheCompanyList)
{
    {
        auto d = openDialog();
        EXPECT_FALSE(d->fPodjetje()->isHidden());
        EXPECT_FALSE(d->lPodjetje()->isHidden());
        EXPECT_FALSE(d->bPodjetja()->isHidden());
        EXPECT_EQ(d->fPodjetje()->count(), 2);
        EXPECT_EQ(d->fPodjetje()->itemText(0), DemoCompany);
        EXPECT_EQ(d->fPodjetje()->itemText(1), SmallCompany);
        EXPECT_EQ(d->fPodjetje()->currentText(), DemoCompany);
        d->controller().bKonecClick();
    }
    start(false);
    auto d = openDialog();
    EXPECT_TRUE(d->fPodjetje()->isHidden());
    EXPECT_TRUE(d->lPodjetje()->isHidden());
    EXPECT_TRUE(d->bPodjetja()->isHidden());
    // the INI file's database is used as it is
    potrdi(*d, "01", "demo");
    EXPECT_TRUE(d->controller().loginSucceeded());
}

TEST_F(LoginDialogTest, SwitchesCompanyAndBack)
{
    CountingLoginHost host;
    const int& childClosings = host.childClosings;
    WriteStringToIniFile("Program", "Uporabnik", "01");
    {
        auto d = openDialog(&host);
        // the company in use changes nothing
        chooseCompany(*d, DemoCompany);
        EXPECT_EQ(childClosings, 0);
        EXPECT_EQ(userCodes(*d).size(), 3);

        chooseCompany(*d, SmallCompany);
        EXPECT_TRUE(env->boxes.texts().isEmpty()) << env->boxes.texts().join("|").toStdString();
        EXPECT_EQ(childClosings, 1);
        EXPECT_EQ(DatabaseCompany, SmallCompany);
        EXPECT_EQ(GetStringFromIniFile("Database", "Podjetje", ""), SmallCompany);
        EXPECT_EQ(GetStringFromIniFile("Database", "DataBaseName", ""), env->small().name());
        EXPECT_EQ(GetStringFromIniFile("Database", "ServerName", ""), TestDatabase::socketDir());
        EXPECT_TRUE(env->module->ApplicationTitle().endsWith("(" + SmallCompany + ")"));
        EXPECT_EQ(ParamAsString("NASEPODJETJE"), SmallCompany);
        EXPECT_EQ(userCodes(*d), QStringList{"01 Ana Kovač"});
        EXPECT_EQ(shownUser(*d), "01");   // the user shown stays
        EXPECT_EQ(d->fPodjetje()->currentText(), SmallCompany);
        // user 01 has no password in the second company
        d->fPassword()->setText("kar koli");
        d->bPotrdi()->click();
        EXPECT_TRUE(d->controller().loginSucceeded());
        EXPECT_EQ(CurrentUserDepartment, "Uprava");
        EXPECT_DOUBLE_EQ(RoundStep, 0.05);
        EXPECT_EQ(UserAuthorizations, QStringList{"PERIODIKA=T0"});
    }
    {
        // the next start offers the second company; back to the first
        auto d = openDialog(&host);
        EXPECT_EQ(d->fPodjetje()->currentText(), SmallCompany);
        chooseCompany(*d, DemoCompany);
        EXPECT_EQ(childClosings, 2);
        EXPECT_EQ(DatabaseCompany, DemoCompany);
        EXPECT_EQ(ParamAsString("NASEPODJETJE"), DemoCompany);
        EXPECT_EQ(userCodes(*d).size(), 3);
        potrdi(*d, "01", "kar koli");
        EXPECT_EQ(env->boxes.texts(), QStringList{"Geslo je napačno !"});
        potrdi(*d, "01", "demo");
        EXPECT_TRUE(d->controller().loginSucceeded());
        EXPECT_EQ(CurrentUserDepartment, "Računovodstvo");
    }
    EXPECT_TRUE(env->loggedOperations().isEmpty()) << env->loggedOperations().join("|").toStdString();
}

TEST_F(LoginDialogTest, SwitchClosesTheChildWindowsOrStopsWhenOneRefuses)
{
    struct Stubborn : QWidget {
        bool refuse = true;
        void closeEvent(QCloseEvent* e) override { refuse ? e->ignore() : e->accept(); }
    };
    QWidget main;
    auto* area = new QMdiArea(&main);
    setMainMdiArea(area);
    auto* first = new QWidget;
    first->setObjectName("Prvo");
    auto* stubborn = new Stubborn;
    stubborn->setObjectName("Trmasto");
    area->addSubWindow(first)->show();
    area->addSubWindow(stubborn)->show();
    QPointer<QWidget> firstAlive = first;

    auto d = openDialog();
    chooseCompany(*d, SmallCompany);
    // the first child closed, the second refused: nothing else happened, silently
    EXPECT_TRUE(env->boxes.texts().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(firstAlive.isNull());
    EXPECT_EQ(area->subWindowList().size(), 1);
    EXPECT_EQ(DatabaseCompany, DemoCompany);
    EXPECT_EQ(GetStringFromIniFile("Database", "Podjetje", ""), DemoCompany);
    EXPECT_EQ(d->fPodjetje()->currentText(), DemoCompany);
    EXPECT_EQ(userCodes(*d).size(), 3);
    EXPECT_TRUE(env->loggedOperations().isEmpty());

    stubborn->refuse = false;
    chooseCompany(*d, SmallCompany);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(area->subWindowList().isEmpty());
    EXPECT_EQ(DatabaseCompany, SmallCompany);
    EXPECT_EQ(userCodes(*d), QStringList{"01 Ana Kovač"});
    setMainMdiArea(nullptr);
}

TEST_F(LoginDialogTest, UnreachableDatabaseThenASwitchToAGoodOne)
{
    WriteStringToIniFile("Database", "DataBaseName", "ni_take_baze");
    WriteStringToIniFile("Database", "Podjetje", "Izgubljeno");
    env->boxes.clear();
    env->module.reset();
    env->connect();   // shows the connect failure and the parameter row failure
    EXPECT_FALSE(env->module->tbParameter->Active());
    env->boxes.clear();

    auto d = openDialog();
    // the users cannot be opened: the open's message, then the login's
    ASSERT_EQ(env->boxes.texts().size(), 2u) << env->boxes.texts().join("|").toStdString();
    EXPECT_TRUE(env->boxes.texts()[0].startsWith("Napaka pri odpiranju datoteke: tbLookZaposlen !"));
    EXPECT_TRUE(env->boxes.texts()[1].startsWith("Napaka v nastavitvi poti do podatkov !"));
    EXPECT_TRUE(userCodes(*d).isEmpty());
    EXPECT_TRUE(env->loggedOperations().contains("FormActivate"));
    // no users: "&Potrdi" does nothing
    env->boxes.clear();
    d->bPotrdi()->click();
    EXPECT_TRUE(env->boxes.texts().isEmpty());
    EXPECT_TRUE(d->isVisible());

    chooseCompany(*d, DemoCompany);
    EXPECT_EQ(userCodes(*d).size(), 3);
    EXPECT_TRUE(env->module->tbParameter->Active());
    potrdi(*d, "01", "demo");
    EXPECT_TRUE(d->controller().loginSucceeded());
}

} // namespace

namespace {

TEST_F(LoginDialogTest, EnterInThePasswordBoxConfirms)
{
    WriteStringToIniFile("Program", "Uporabnik", "02");
    auto d = openDialog();
    QApplication::setActiveWindow(d.get());
    d->fPassword()->setFocus();
    d->fPassword()->setText("geslo");
    QTest::keyClick(d->fPassword(), Qt::Key_Return);
    EXPECT_TRUE(d->controller().loginSucceeded());
    EXPECT_EQ(CurrentUserID, "02");
}

TEST_F(LoginDialogTest, RemembersItsPlace)
{
    {
        auto d = openDialog();
        d->move(37, 41);
        d->controller().bKonecClick();
    }
    const IniFile& ini = programIniFile();
    EXPECT_EQ(ini.readInteger("FormCord", "PrijavaLeft", -1), 37);
    EXPECT_EQ(ini.readInteger("FormCord", "PrijavaTop", -1), 41);
    EXPECT_EQ(ini.readInteger("FormCord", "PrijavaWindowState", -1), 0);
    auto d = openDialog();
    EXPECT_EQ(d->x(), 37);
    EXPECT_EQ(d->y(), 41);
}

} // namespace
