#pragma once
#include "data/config/CompanyList.h"
#include "data/local/LocalTable.h"
#include "data/dataset/TwwOEDataSet.h"
#include "login/LoginHost.h"

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// What the login dialog's window does for the login's rules.
class LoginView {
public:
    virtual ~LoginView() = default;
    // The user combo: the code it shows ("" for none); show a code; the list changed.
    virtual QString shownUserCode() const = 0;
    virtual void showUserCode(const QString& code) = 0;
    virtual void reloadUsers() = 0;
    // The password box.
    virtual QString typedPassword() const = 0;
    virtual void clearPassword() = 0;
    virtual void focusPassword() = 0;
    virtual void focusUserCombo() = 0;
    // The company combo, its label and the "Podjetja" button.
    virtual void showCompanyControls(bool visible) = 0;
    virtual void reloadCompanies() = 0;
    virtual void showCompany(const QString& company) = 0;
    virtual void setWaitCursor(bool on) = 0;
    // Closes the dialog (through its closing rules, canCloseDialog and dialogClosed).
    virtual void closeDialog() = 0;
    // Shows the password change for the data module's tbLookZaposlen row, modally.
    virtual void runPasswordChange() = 0;
};

// The login of the dialog "Prijava v program": its users, the company list, the signed-in flag
// and the handlers of its buttons and events. Handlers guard themselves and log failures under
// their own names; the user sees only the messages of the login.
//
// The users are the dialog's own dataset "SELECT UserID, Delavec, Geslo, Oddelek FROM ODDel
// WHERE USERID > '00' ORDER BY USERID" on the data module's Database; the companies are the
// local table Podjetje.DB (CompanyList.h). The data module (DataSif) must exist.
class LoginController : public QObject {
    Q_OBJECT
public:
    // host: the window signed in for (its child windows close before a company switch).
    LoginController(LoginView& view, LoginHost& host, QObject* parent = nullptr);
    ~LoginController() override;

    // When the dialog is shown: users opened, company list looked for, last user offered.
    void FormActivate();
    // "&Potrdi": the password check, the parameter row re-opened, the length rule, the
    // authorizations; closes the dialog on success.
    void bPotrdiClick();
    // The check of the user shown and the password typed (messages as error boxes when show is
    // set); true when the user may enter. Sets the current user and INI Program/Uporabnik.
    bool TestPassword(bool show);
    // Company switch to the company chosen in the company combo.
    void fPodjetjeCloseUp(const QString& company);
    // "&Konec": asks, then closes the dialog and the main window.
    void bKonecClick();
    // "&Geslo": the password change of CurrentUserID.
    void NastavitevgeslaClick();

    // Closing the dialog in any way: false keeps it open (the question answered with Cancel).
    bool canCloseDialog();
    // After it closed: company table and users closed, signed-in flag cleared.
    void dialogClosed();

    // State for the window and the caller.
    bool signedIn() const { return m_signedIn; }
    // A user passed every check and the dialog closed for that reason.
    bool loginSucceeded() const { return m_loginSucceeded; }
    // The user chose to end the program: the main window is to be closed after the dialog.
    bool closeMainWindowRequested() const { return m_closeMain; }

    TwwOEDataSet& users() { return m_users; }
    LocalTable& companyTable() { return m_companies; }
    // The rows for the combos (users: code and name in code order; companies in name order).
    QList<std::pair<QString, QString>> userRows() const;
    QList<CompanyEntry> companyRows();

    // Today's date for the date check (tests move it; default: the system date).
    std::function<QDate()> today = [] { return QDate::currentDate(); };

private:
    bool openUsers(bool showMessages);
    void checkLoginDate(bool& result);

    LoginView& m_view;
    LoginHost& m_host;
    TwwOEDataSet m_users;
    LocalTable m_companies;
    bool m_signedIn = false;
    bool m_loginSucceeded = false;
    bool m_quitConfirmed = false;
    bool m_closeMain = false;
};
