#include "printing/MailHandOver.h"

#include "data/config/ProgramIni.h"
#include "printing/EExternalProgram.h"

ExternalCommand MailCommandFor(const MailMessage& message, const QString& configuredLine)
{
    ExternalCommand command{QStringLiteral("xdg-email"), {}};
    if (auto configured = CommandFromLine(configuredLine, QString()))
        command = *configured;
    QStringList& args = command.arguments;
    args << QStringLiteral("--utf8");
    for (const MailRecipient& r : message.recipients)
        if (r.kind == MailRecipient::Kind::To)
            args << QStringLiteral("--to") << r.address;
    for (const MailRecipient& r : message.recipients)
        if (r.kind == MailRecipient::Kind::Cc)
            args << QStringLiteral("--cc") << r.address;
    if (!message.subject.isEmpty())
        args << QStringLiteral("--subject") << message.subject;
    if (!message.noteText.isEmpty())
        args << QStringLiteral("--body") << message.noteText;
    if (!message.attachmentPath.isEmpty())
        args << QStringLiteral("--attach") << message.attachmentPath;
    return command;
}

void HandOverMail(const MailMessage& message)
{
    if (auto problem = MailMessageProblem(message))
        throw EMailRefused(*problem);
    const QString line = GetStringFromIniFile(QStringLiteral("Program"), MailCommandKey, QString());
    QString reason;
    if (!StartExternalCommand(MailCommandFor(message, line), &reason))
        throw EExternalProgram(reason);
}
