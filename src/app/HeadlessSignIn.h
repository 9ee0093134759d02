#pragma once
#include <QDate>
#include <QString>

#include <functional>

// The sign-in of a program without windows, with the rules of the login dialog: the user must
// be one of the users offered at login (code greater than "00"); a user with a stored password
// must give that password, a user without one may give any; with the company's date check on
// (AVTOKONTROLADAT "T") a system date earlier than the last login refuses and a later one is
// stored; the parameter row is re-opened (DataSifCreateOpen); the company's minimum password
// length (MINDOLZINAGESLA 1 to 14) applies to the password given; the user's authorizations
// are loaded. Needs the connected data module (DataSif).
//
// Unlike the dialog it does not remember the user in the configuration file (Program/Uporabnik):
// a scheduled run leaves the workstation's last user as it was.
class HeadlessSignIn {
public:
    // True when the user is signed in (CurrentUserID and its companions set). Otherwise
    // refusal() tells why, with the login's own messages where it has one.
    bool signIn(const QString& userCode, const QString& password);

    const QString& refusal() const { return m_refusal; }

    // Today's date for the date check (tests move it; default: the system date).
    std::function<QDate()> today = [] { return QDate::currentDate(); };

private:
    bool refuse(const QString& message);
    bool checkLoginDate();

    QString m_refusal;
};
