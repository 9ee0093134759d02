#include "LoginController.h"
#include "LoginDateCheck.h"

#include "Authorizations.h"
#include "LoginRules.h"

#include "data/DataSif.h"
#include "data/core/EAbort.h"
#include "data/log/ErrorLog.h"
#include "data/core/Exception.h"
#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/SqlFilter.h"
#include "data/TableRoutines.h"

namespace {
const QString UsersSql =
    QStringLiteral("SELECT UserID, Delavec, Geslo, Oddelek FROM ODDel WHERE USERID > '00' ORDER BY USERID");

// The wait cursor while it lives.
class WaitCursor {
public:
    explicit WaitCursor(LoginView& view) : m_view(view) { m_view.setWaitCursor(true); }
    ~WaitCursor() { m_view.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    LoginView& m_view;
};
} // namespace

LoginController::LoginController(LoginView& view, LoginHost& host, QObject* parent)
    : QObject(parent), m_view(view), m_host(host)
{
    setObjectName(QStringLiteral("Prijava"));
    TDataSif& module = requireDataSif();
    m_users.setName(QStringLiteral("tbLookZaposlen"));
    m_users.setDatabaseName(module.Database.Name());
    m_users.sethDbc(&module.Database);
    m_users.setSQL(UsersSql);
    m_users.setFetchAllOnOpen(true);
    m_users.addField(QStringLiteral("USERID"), TFieldType::ftString, 2).setDisplayLabel(QStringLiteral("Šifra"));
    m_users.FieldByName(QStringLiteral("USERID")).setDisplayWidth(4);
    m_users.addField(QStringLiteral("DELAVEC"), TFieldType::ftString, 30).setDisplayLabel(QStringLiteral("Uporabnik"));
    m_users.FieldByName(QStringLiteral("DELAVEC")).setDisplayWidth(25);
    m_users.addField(QStringLiteral("GESLO"), TFieldType::ftString, 30).setVisible(false);
    m_users.addField(QStringLiteral("ODDELEK"), TFieldType::ftString, 30).setVisible(false);
    m_companies.setTableName(CompanyListFileName);
}

LoginController::~LoginController()
{
    m_companies.close();
}

bool LoginController::openUsers(bool showMessages)
{
    return OpenTable(m_users, showMessages);
}

QList<std::pair<QString, QString>> LoginController::userRows() const
{
    QList<std::pair<QString, QString>> rows;
    if (!m_users.Active())
        return rows;
    const TField* code = m_users.FindField(QStringLiteral("USERID"));
    const TField* name = m_users.FindField(QStringLiteral("DELAVEC"));
    if (!code || !name)
        return rows;
    for (int r = 0; r < m_users.rowCount(); ++r)
        rows.append({m_users.valueAt(r, code->index()).toString().trimmed(), m_users.valueAt(r, name->index()).toString()});
    return rows;
}

QList<CompanyEntry> LoginController::companyRows()
{
    QList<CompanyEntry> rows;
    if (!m_companies.isOpen())
        return rows;
    const QString current = m_companies.asString(QStringLiteral("PODJETJE"));
    for (bool more = m_companies.first(); more; more = m_companies.next())
        rows.append({m_companies.asString(QStringLiteral("PODJETJE")), m_companies.asString(QStringLiteral("ServerName")),
                     m_companies.asString(QStringLiteral("DataBaseName"))});
    if (!current.isEmpty())
        m_companies.findKey({current});
    return rows;
}

void LoginController::FormActivate()
{
    guard(QStringLiteral("FormActivate"), parent(), [&] {
        // 1.
        m_signedIn = false;
        m_companies.close();
        try {
            openUsers(true);
        } catch (const std::exception& e) {
            ShowAndLogError(e, parent(), QStringLiteral("FormActivate"), MsgNapakaPotiDoPodatkov);
        }
        m_view.reloadUsers();
        // 2.
        const QString path = ProgramCompanyListPath();
        bool companies = false;
        if (CompanyListExists(path)) {
            m_companies.setDatabaseName(QString());
            m_companies.setTableName(path);
            m_companies.open();
            m_companies.setIndexFieldNames(QStringLiteral("PODJETJE"));
            m_companies.findKey({DatabaseCompany});
            m_view.reloadCompanies();
            m_view.showCompany(DatabaseCompany);
            companies = true;
        }
        m_view.showCompanyControls(companies);
        // 3.
        m_view.clearPassword();
        UserAuthorizations.clear();
        // 4.
        CurrentUserID = GetStringFromIniFile(QStringLiteral("Program"), QStringLiteral("Uporabnik"), QString());
        if (m_users.Active() && !CurrentUserID.isEmpty()
            && sqlFind(m_users, QStringLiteral("USERID"), {CurrentUserID})) {
            m_view.showUserCode(m_users.FieldByName(QStringLiteral("USERID")).asString().trimmed());
            m_view.focusPassword();
        }
    });
}

void LoginController::bPotrdiClick()
{
    guard(QStringLiteral("bPotrdiClick"), parent(), [&] {
        m_signedIn = false;
        if (!TestPassword(true))
            return;
        WaitCursor cursor(m_view);
        guard(QStringLiteral("FormClose"), parent(), [&] {
            m_signedIn = true;
            requireDataSif().DataSifCreateOpen();
            const int minimum = ParamAsInteger(QStringLiteral("MINDOLZINAGESLA"));
            if (PasswordTooShort(minimum, m_view.typedPassword())) {
                showError(PasswordLengthMessage(minimum));
                m_signedIn = false;
                return;
            }
            PrenosAvtorNaTemp();
            m_loginSucceeded = true;
            m_view.closeDialog();
        });
    });
}

bool LoginController::TestPassword(bool show)
{
    bool result = false;
    guard(QStringLiteral("TestPassword"), parent(), [&] {
        // 1.
        if (!m_users.Active() || m_signedIn)
            return;
        // 2. The user shown; a code that is not in the list counts as none.
        const QString code = m_view.shownUserCode().trimmed();
        bool found = !code.isEmpty() && sqlFind(m_users, QStringLiteral("USERID"), {code})
                     && m_users.FieldByName(QStringLiteral("USERID")).asString().trimmed().compare(code, Qt::CaseInsensitive) == 0;
        // 3.
        const PasswordVerdict verdict =
            found ? CheckUserPassword(code, m_users.FieldByName(QStringLiteral("GESLO")).asString(), m_view.typedPassword())
                  : PasswordVerdict::NoUser;
        // 4.
        if (verdict != PasswordVerdict::Accepted) {
            if (show) {
                showError(PasswordVerdictMessage(verdict));
                m_view.clearPassword();
                m_view.focusPassword();
            }
            return;
        }
        // 5.
        result = true;
        CurrentUserID = m_users.FieldByName(QStringLiteral("USERID")).asString().trimmed();
        CurrentUserName = m_users.FieldByName(QStringLiteral("DELAVEC")).asString();
        CurrentUserDepartment = m_users.FieldByName(QStringLiteral("ODDELEK")).asString();
        WriteStringToIniFile(QStringLiteral("Program"), QStringLiteral("Uporabnik"), CurrentUserID);
        // 6.
        if (ParamAsString(QStringLiteral("AVTOKONTROLADAT")) == QStringLiteral("T"))
            checkLoginDate(result);
    });
    return result;
}

void LoginController::checkLoginDate(bool& result)
{
    if (const std::optional<QString> refusal = RunLoginDateCheck(today(), parent())) {
        result = false;
        showError(*refusal);
    }
}

void LoginController::fPodjetjeCloseUp(const QString& company)
{
    if (company.isEmpty() || company == DatabaseCompany)
        return;
    WaitCursor cursor(m_view);
    guard(QStringLiteral("fPodjetjeCloseUp"), parent(), [&] {
        TDataSif& module = requireDataSif();
        // 1.
        const QString remembered = m_view.shownUserCode();
        if (!m_companies.isOpen() || !m_companies.findKey({company}))
            throw Exception("Podjetja " + company + " ni v seznamu podjetij !");
        const CompanyEntry chosen{m_companies.asString(QStringLiteral("PODJETJE")),
                                  m_companies.asString(QStringLiteral("ServerName")),
                                  m_companies.asString(QStringLiteral("DataBaseName"))};
        // 2. A child that refuses ends the switch (silently) before anything changed.
        m_host.closeChildWindows();
        // 3.
        m_users.Close();
        m_view.reloadUsers();
        guard(QStringLiteral("Prijava-DataBase-Disconect"), parent(), [&] {
            module.Database.Disconnect();
            module.DatabaseLook.Disconnect();
            module.DatabaseHstmt.Disconnect();
        });
        // 4.
        WriteStringToIniFile(QStringLiteral("Database"), QStringLiteral("Podjetje"), chosen.podjetje);
        WriteStringToIniFile(QStringLiteral("Database"), QStringLiteral("DataBaseName"), chosen.dataBaseName);
        WriteStringToIniFile(QStringLiteral("Database"), QStringLiteral("ServerName"), chosen.serverName);
        // 5.
        module.DataSifConnect(parent());
        // 6.
        openUsers(true);
        m_view.reloadUsers();
        if (!remembered.isEmpty() && sqlFind(m_users, QStringLiteral("USERID"), {remembered})) {
            m_view.showUserCode(m_users.FieldByName(QStringLiteral("USERID")).asString().trimmed());
            m_view.focusPassword();
        } else {
            m_view.showUserCode(QString());
            m_view.focusUserCombo();
        }
    });
    m_view.showCompany(DatabaseCompany);
}

void LoginController::bKonecClick()
{
    guard(QStringLiteral("bKonecClick"), parent(), [&] {
        if (askConfirmation(MsgKoncatiZDelom, {MsgButton::Ok, MsgButton::Cancel}) != MsgButton::Ok)
            Abort();
        m_signedIn = false;
        QuietClose = true;
        m_quitConfirmed = true;
        m_closeMain = true;
        m_view.closeDialog();
    });
}

bool LoginController::canCloseDialog()
{
    if (m_signedIn || m_quitConfirmed)
        return true;
    bool close = false;
    guard(QStringLiteral("FormClose"), parent(), [&] {
        if (askConfirmation(MsgKoncatiZDelom, {MsgButton::Ok, MsgButton::Cancel}) != MsgButton::Ok)
            return;
        QuietClose = true;
        m_quitConfirmed = true;
        m_closeMain = true;
        close = true;
    });
    return close;
}

void LoginController::dialogClosed()
{
    guard(QStringLiteral("FormClose"), parent(), [&] {
        m_companies.close();
        m_users.Close();
    });
    m_view.setWaitCursor(false);
    m_signedIn = false;
}

void LoginController::NastavitevgeslaClick()
{
    guard(QStringLiteral("Nastavitevgesla1Click"), parent(), [&] {
        TwwOEDataSet& zaposlen = *requireDataSif().tbLookZaposlen;
        if (CurrentUserID.isEmpty()
            || !sqlFindKey(zaposlen, QStringLiteral("USERID"), {CurrentUserID}, QStringLiteral("UserID"), false))
            return;
        m_view.runPasswordChange();
        m_view.focusPassword();
        const QString shown = m_view.shownUserCode();
        ReOpenTable(m_users, true);
        m_view.reloadUsers();
        m_view.showUserCode(shown);
    });
}
