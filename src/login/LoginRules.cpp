#include "LoginRules.h"

#include "data/config/Scrambling.h"
#include "data/core/TextRoutines.h"

QString StoredPasswordForm(const QString& password)
{
    return EncryptHex(password, UserPasswordKey);
}

bool PasswordFitsStore(const QString& password)
{
    return StoredPasswordForm(password).size() <= MaxStoredPasswordLength;
}

PasswordVerdict CheckUserPassword(const QString& userCode, const QString& storedGeslo, const QString& typedPassword)
{
    if (userCode.trimmed().isEmpty())
        return PasswordVerdict::NoUser;
    const QString stored = storedGeslo.trimmed();
    if (!stored.isEmpty() && StoredPasswordForm(typedPassword).compare(stored, Qt::CaseInsensitive) != 0)
        return PasswordVerdict::WrongPassword;
    return PasswordVerdict::Accepted;
}

QString PasswordVerdictMessage(PasswordVerdict verdict)
{
    switch (verdict) {
    case PasswordVerdict::NoUser: return MsgVnesiUporabnika;
    case PasswordVerdict::WrongPassword: return MsgGesloNapacno;
    case PasswordVerdict::Accepted: break;
    }
    return {};
}

bool PasswordTooShort(int minimumLength, const QString& typedPassword)
{
    return minimumLength >= 1 && minimumLength <= 14 && typedPassword.size() < minimumLength;
}

QString PasswordLengthMessage(int minimumLength)
{
    return QString("Dolžina gesla je premajhna (minimalno %1 znakov) !").arg(minimumLength);
}

LoginDateVerdict CheckLoginDate(const QDate& today, const QDateTime& lastLogin)
{
    const QDate last = lastLogin.isValid() ? lastLogin.date() : QDate();
    if (!last.isValid() || today > last)
        return LoginDateVerdict::Store;
    if (today < last)
        return LoginDateVerdict::Refuse;
    return LoginDateVerdict::Unchanged;
}

QString LoginDateMessage(const QDate& lastLogin, const QDate& today)
{
    return "Sistemski datum je manjši od datuma zadnje prijave v program !\r\n"
           "Datum zadnje prijave: " + shortDateText(lastLogin) + ", Sistemski datum: " + shortDateText(today)
        + "\r\nPreveri datume in se še enkrat prijavi !";
}

QString AuthorizationEntry(const QString& funkcija, const QString& dovoljeno, const QString& dniZaSpremembo)
{
    return funkcija + "=" + dovoljeno + dniZaSpremembo;
}

QString FunctionTreeEntry(const QString& funkcija, const QString& funkcijaNad)
{
    return funkcija + "=" + funkcijaNad;
}

bool NeedsFunctionTree(int authorizationRows)
{
    return authorizationRows != 1;
}
