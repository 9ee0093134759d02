#pragma once
#include "printing/ExternalCommand.h"
#include "printing/MailMessage.h"

#include <QString>

// Hands a message to the desktop's mail program, which opens it ready to be sent: through
// xdg-email, or through the command line of the configuration key (section Program)
// UkazEPosta, which gets the same arguments as xdg-email:
//   --utf8 [--to ADDRESS]... [--cc ADDRESS]... [--subject TEXT] [--body TEXT] --attach FILE
// Recipients of "To:" come first, in the order typed, then those of "Cc:"; an empty subject or
// text is left out (xdg-email refuses an empty one). Every value is one argument of its own.

inline const QString MailCommandKey = QStringLiteral("UkazEPosta");

// The command for the message, the configured line given (empty: xdg-email).
ExternalCommand MailCommandFor(const MailMessage& message, const QString& configuredLine);

// Checks the message (MailMessageProblem: EMailRefused with its text, nothing started) and
// starts the mail program of the configuration (EExternalProgram when it cannot be started).
void HandOverMail(const MailMessage& message);
