#include "HeadlessSignIn.h"

#include "data/DataSif.h"
#include "data/log/ErrorLog.h"
#include "data/core/ProgramState.h"
#include "data/core/SqlLiterals.h"
#include "data/odbc/THstmt.h"
#include "login/Authorizations.h"
#include "login/LoginDateCheck.h"
#include "login/LoginRules.h"

namespace {
const QString Operation = QStringLiteral("TestPassword");

void clearCurrentUser()
{
    CurrentUserID.clear();
    CurrentUserName.clear();
    CurrentUserDepartment.clear();
}
} // namespace

bool HeadlessSignIn::refuse(const QString& message)
{
    m_refusal = message;
    clearCurrentUser();
    return false;
}

bool HeadlessSignIn::signIn(const QString& userCode, const QString& password)
{
    m_refusal.clear();
    const QString code = userCode.trimmed();
    if (code.isEmpty())
        return refuse(MsgVnesiUporabnika);
    TDataSif* module = DataSif;
    if (!module || !module->Database.Connected() || !module->tbParameter->Active())
        return refuse(MsgNapakaPotiDoPodatkov);
    try {
        // The user, as the login dialog lists them.
        THstmt& q = module->qQuery0;
        q.Close();
        q.setSQL(QStringLiteral("SELECT UserID, Delavec, Geslo, Oddelek FROM ODDel WHERE USERID > '00' AND UserID = ")
                 + sqlQuotedStr(code));
        q.Execute();
        const bool found = q.FetchNext();
        QString geslo, delavec, oddelek, userId;
        if (found) {
            userId = q.ColumnAsString(1).trimmed();
            delavec = q.ColumnAsString(2);
            geslo = q.ColumnAsString(3);
            oddelek = q.ColumnAsString(4);
        }
        q.Close();
        if (!found)
            return refuse(QStringLiteral("Uporabnika ") + code + QStringLiteral(" ni med uporabniki programa !"));
        const PasswordVerdict verdict = CheckUserPassword(userId, geslo, password);
        if (verdict != PasswordVerdict::Accepted)
            return refuse(PasswordVerdictMessage(verdict));
        CurrentUserID = userId;
        CurrentUserName = delavec;
        CurrentUserDepartment = oddelek;
        if (ParamAsString(QStringLiteral("AVTOKONTROLADAT")) == QLatin1String("T") && !checkLoginDate())
            return false;
    } catch (const std::exception& e) {
        LogException(e, nullptr, Operation);
        return refuse(MsgNapakaPotiDoPodatkov + QLatin1Char('\n') + describeException(e).message);
    }
    try {
        module->DataSifCreateOpen();
    } catch (const std::exception& e) {
        LogException(e, nullptr, QStringLiteral("FormClose"));
        return refuse(describeException(e).message);
    }
    const int minimum = ParamAsInteger(QStringLiteral("MINDOLZINAGESLA"));
    if (PasswordTooShort(minimum, password))
        return refuse(PasswordLengthMessage(minimum));
    PrenosAvtorNaTemp();
    return true;
}

bool HeadlessSignIn::checkLoginDate()
{
    if (const std::optional<QString> refusal = RunLoginDateCheck(today(), nullptr))
        return refuse(*refusal);
    return true;
}
