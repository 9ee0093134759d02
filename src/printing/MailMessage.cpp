#include "printing/MailMessage.h"

#include <QFileInfo>

QStringList SplitMailAddresses(const QString& text)
{
    QStringList addresses;
    QString rest = text;
    for (qsizetype semicolon = rest.indexOf(u';'); semicolon >= 0; semicolon = rest.indexOf(u';')) {
        addresses << rest.left(semicolon);
        rest = rest.mid(semicolon + 1);
    }
    if (!rest.isEmpty())
        addresses << rest;
    return addresses;
}

MailMessage BuildMailMessage(const QString& to, const QString& cc, const QString& subject,
                             const QString& noteText, const QString& attachmentPath)
{
    MailMessage message;
    message.subject = subject;
    message.noteText = noteText;
    for (const QString& address : SplitMailAddresses(to))
        message.recipients.push_back({MailRecipient::Kind::To, address});
    for (const QString& address : SplitMailAddresses(cc))
        message.recipients.push_back({MailRecipient::Kind::Cc, address});
    message.attachmentPath = attachmentPath;
    message.attachmentName = QFileInfo(attachmentPath).fileName();
    return message;
}

namespace {
// "<what> je predolg...: n znakov. ..."; what carries its own adjective ending.
QString tooLong(const QString& what, qsizetype length)
{
    return QStringLiteral("%1: %2 znakov. Dovoljenih je največ %3 znakov, sporočilo ni bilo poslano.")
        .arg(what)
        .arg(length)
        .arg(MaxMailTextLength);
}
} // namespace

std::optional<QString> MailMessageProblem(const MailMessage& message)
{
    const auto count = static_cast<qsizetype>(message.recipients.size());
    if (count > MaxMailRecipients)
        return QStringLiteral("Preveč naslovnikov: %1. Sporočilo ima lahko največ %2 naslovnikov "
                              "(To: in Cc: skupaj), sporočilo ni bilo poslano.")
            .arg(count)
            .arg(MaxMailRecipients);
    int toNumber = 0;
    int ccNumber = 0;
    for (const MailRecipient& r : message.recipients) {
        const bool isTo = r.kind == MailRecipient::Kind::To;
        const int number = isTo ? ++toNumber : ++ccNumber;
        if (r.address.trimmed().isEmpty())
            return QStringLiteral("V polju %1 je %2. naslov prazen (dva \";\" zapored ali \";\" na "
                                  "začetku). Popravite naslove.")
                .arg(isTo ? QStringLiteral("\"To:\"") : QStringLiteral("\"Cc:\""))
                .arg(number);
    }
    if (message.subject.size() > MaxMailTextLength)
        return tooLong(QStringLiteral("Zadeva je predolga"), message.subject.size());
    if (message.noteText.size() > MaxMailTextLength)
        return tooLong(QStringLiteral("Besedilo sporočila je predolgo"), message.noteText.size());
    if (message.attachmentPath.size() > MaxMailTextLength)
        return tooLong(QStringLiteral("Pot do priponke je predolga"), message.attachmentPath.size());
    if (message.attachmentName.size() > MaxMailTextLength)
        return tooLong(QStringLiteral("Ime priponke je predolgo"), message.attachmentName.size());
    return std::nullopt;
}
