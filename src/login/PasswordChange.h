#pragma once
#include <QString>

class TwwOEDataSet;

// The password change of one user: the current row of the user dataset (the data module's
// tbLookZaposlen, positioned by the login), whose GESLO gets the stored form of the new password
// (StoredPasswordForm, the same form the login compares with).
enum class PasswordChangeOutcome {
    Changed,              // GESLO written and posted
    ConfirmationDiffers,  // "Napaka pri kontroli novega gesla !"
    WrongOldPassword,     // "Staro geslo ni pravilno !"
    TooLong,              // the stored form would not fit GESLO
};

// Checks in this order: the confirmation, the old password (only with checkOld: its stored form
// must equal GESLO, so a user without a password types an empty one), the length; then edits
// the row (unless it is already being edited or inserted), sets GESLO and posts. Nothing reaches
// the database unless every check passed. A failing post raises and leaves the row in edit
// state.
PasswordChangeOutcome ChangePassword(TwwOEDataSet& users, bool checkOld, const QString& oldPassword,
                                     const QString& newPassword, const QString& confirmation);

// The message of a refusal; empty for Changed.
QString PasswordChangeMessage(PasswordChangeOutcome outcome);
