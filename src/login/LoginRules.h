#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

// The sign-in rules on their own, without datasets or windows.

// The stored form of a user's password in ODDel.Geslo: the scrambled UTF-8 bytes as upper-case
// hexadecimal digits (EncryptHex with UserPasswordKey). The login compares with it and the
// password change writes it. An empty password is stored as an empty text.
QString StoredPasswordForm(const QString& password);

// ODDel.Geslo holds 30 characters, so a stored form may be at most that long (15 bytes of
// UTF-8: 15 plain letters, fewer with č, š, ž).
inline constexpr int MaxStoredPasswordLength = 30;
bool PasswordFitsStore(const QString& password);

// Messages.
inline const QString MsgVnesiUporabnika = QStringLiteral("Vnesi uporabnika !");
inline const QString MsgGesloNapacno = QStringLiteral("Geslo je napačno !");
inline const QString MsgKoncatiZDelom = QStringLiteral("Ali želiš končati z delom ?");
inline const QString MsgNapakaPotiDoPodatkov = QStringLiteral("Napaka v nastavitvi poti do podatkov !");
inline const QString MsgKontrolaNovegaGesla = QStringLiteral("Napaka pri kontroli novega gesla !");
inline const QString MsgStaroGesloNiPravilno = QStringLiteral("Staro geslo ni pravilno !");
inline const QString MsgNovoGesloPredolgo = QStringLiteral("Novo geslo je predolgo (največ 15 črk) !");

// The password check of one user: the code shown, the user's stored Geslo and the typed
// password. A user without a stored password (empty or blanks only) enters with any password.
enum class PasswordVerdict { Accepted, NoUser, WrongPassword };
PasswordVerdict CheckUserPassword(const QString& userCode, const QString& storedGeslo, const QString& typedPassword);
// The message of a refusal ("Vnesi uporabnika !", "Geslo je napačno !"); empty when accepted.
QString PasswordVerdictMessage(PasswordVerdict verdict);

// The company's minimum password length (Param.MINDOLZINAGESLA) applies when it is 1 to 14.
bool PasswordTooShort(int minimumLength, const QString& typedPassword);
// "Dolžina gesla je premajhna (minimalno <n> znakov) !"
QString PasswordLengthMessage(int minimumLength);

// The date check of the login (Param.AVTOKONTROLADAT = "T"): today against the date of the last
// login (Param.AVTODATUMVSTOPA), compared as days. Refuse: today is earlier; Store: today is
// later (or there was no last login), so today becomes the date of the last login; Unchanged:
// the same day.
enum class LoginDateVerdict { Refuse, Store, Unchanged };
LoginDateVerdict CheckLoginDate(const QDate& today, const QDateTime& lastLogin);
// The refusal text, dates in the short date format of the workstation.
QString LoginDateMessage(const QDate& lastLogin, const QDate& today);

// Entries of the authorization lists kept in memory after a login.
QString AuthorizationEntry(const QString& funkcija, const QString& dovoljeno, const QString& dniZaSpremembo);
QString FunctionTreeEntry(const QString& funkcija, const QString& funkcijaNad);
// The function tree is loaded unless the user has exactly one authorization row.
bool NeedsFunctionTree(int authorizationRows);

