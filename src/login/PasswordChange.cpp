#include "PasswordChange.h"

#include "LoginRules.h"

#include "data/dataset/TwwOEDataSet.h"

PasswordChangeOutcome ChangePassword(TwwOEDataSet& users, bool checkOld, const QString& oldPassword,
                                     const QString& newPassword, const QString& confirmation)
{
    if (newPassword != confirmation)
        return PasswordChangeOutcome::ConfirmationDiffers;
    TField& geslo = users.FieldByName(QStringLiteral("GESLO"));
    if (checkOld && StoredPasswordForm(oldPassword).compare(geslo.asString().trimmed(), Qt::CaseInsensitive) != 0)
        return PasswordChangeOutcome::WrongOldPassword;
    if (!PasswordFitsStore(newPassword))
        return PasswordChangeOutcome::TooLong;
    if (users.State() != dsEdit && users.State() != dsInsert)
        users.Edit();
    geslo.setAsString(StoredPasswordForm(newPassword));
    users.Post();
    return PasswordChangeOutcome::Changed;
}

QString PasswordChangeMessage(PasswordChangeOutcome outcome)
{
    switch (outcome) {
    case PasswordChangeOutcome::ConfirmationDiffers: return MsgKontrolaNovegaGesla;
    case PasswordChangeOutcome::WrongOldPassword: return MsgStaroGesloNiPravilno;
    case PasswordChangeOutcome::TooLong: return MsgNovoGesloPredolgo;
    case PasswordChangeOutcome::Changed: break;
    }
    return {};
}
