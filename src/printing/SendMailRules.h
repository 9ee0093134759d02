#pragma once
#include "printing/MailMessage.h"

#include <QString>

#include <functional>

// The rules of the e-mail form "Vektor - elektronska pošta", without its widgets.

// The subject the form starts with: "Vektor report - " + the report's title.
QString MailSubjectFor(const QString& reportTitle);

// Widths on resize: the three fields get the form's width minus 183, the toolbar's middle part
// the width minus 177, each at least 200.
int MailFieldWidth(int formWidth);
int MailToolbarMiddleWidth(int formWidth);

struct MailFormFields {
    QString to;
    QString cc;
    QString subject;
    QString text;
    QString attachmentPath;
};

// "Pošlji": an empty text becomes the subject (in the fields, so that the form shows it); an
// empty "To:" gives "Vpišite naslovnika"; a message that cannot go as it is gives the reason;
// otherwise the message goes to handOver. A hand-over that fails is shown with its reason and
// written to the error log under operation. True when the message went and the form closes;
// false when the form stays open with everything the user typed.
using MailHandOverFunction = std::function<void(const MailMessage&)>;
bool SendMailFormMessage(MailFormFields& fields, const MailHandOverFunction& handOver,
                         const QString& operation = QStringLiteral("bPosljiClick"));
