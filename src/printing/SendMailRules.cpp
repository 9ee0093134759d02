#include "printing/SendMailRules.h"

#include "data/log/ErrorLog.h"
#include "data/log/MessageBoxes.h"
#include "printing/EExternalProgram.h"

#include <algorithm>

QString MailSubjectFor(const QString& reportTitle) { return QStringLiteral("Vektor report - ") + reportTitle; }

int MailFieldWidth(int formWidth) { return std::max(formWidth - 183, 200); }
int MailToolbarMiddleWidth(int formWidth) { return std::max(formWidth - 177, 200); }

bool SendMailFormMessage(MailFormFields& fields, const MailHandOverFunction& handOver, const QString& operation)
{
    if (fields.text.isEmpty())
        fields.text = fields.subject;
    if (fields.to.isEmpty()) {
        showError(QStringLiteral("Vpišite naslovnika"));
        return false;
    }
    const MailMessage message = BuildMailMessage(fields.to, fields.cc, fields.subject, fields.text,
                                                 fields.attachmentPath);
    if (auto problem = MailMessageProblem(message)) {
        showError(*problem);
        return false;
    }
    try {
        handOver(message);
    } catch (const EMailRefused& e) {
        showError(e.message());
        return false;
    } catch (const std::exception& e) {
        ShowAndLogError(e, QStringLiteral("TFormSendMail"), operation,
                        QStringLiteral("Sporočila ni mogoče predati poštnemu programu."));
        return false;
    }
    return true;
}
