#pragma once
#include "data/core/MessageException.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The message that the e-mail form hands to the desktop's mail program: recipients (those of
// "To:" first, then those of "Cc:"), subject, text and one attached file.

struct MailRecipient {
    enum class Kind { To, Cc };
    Kind kind = Kind::To;
    QString address;   // as typed, blanks included
    friend bool operator==(const MailRecipient&, const MailRecipient&) = default;
};

struct MailMessage {
    QString subject;
    QString noteText;
    std::vector<MailRecipient> recipients;
    QString attachmentPath;   // full path of the attached file
    QString attachmentName;   // its file-name part
};

// What the mail programs accept at most; a longer message is refused, never cut.
inline constexpr int MaxMailRecipients = 256;
inline constexpr int MaxMailTextLength = 255;   // subject, text, attachment path, file name

// Splits an address field at ";": each piece before a ";" is an address, and so is the rest after
// the last ";" unless it is empty. Pieces are taken as they are (blanks included); an empty piece
// between two ";" is an address too. An empty text gives no address.
//   "a;b"  -> "a", "b"      "a;"  -> "a"      "a;;b" -> "a", "", "b"      ";a" -> "", "a"
QStringList SplitMailAddresses(const QString& text);

// The message of the form's fields: the addresses of "To:", then those of "Cc:", the subject,
// the text and the attachment (its name taken from the path).
MailMessage BuildMailMessage(const QString& to, const QString& cc, const QString& subject,
                             const QString& noteText, const QString& attachmentPath);

// Why the message cannot be handed over as it is (a Slovenian text for the user), or nothing
// when it can: more than 256 recipients, an empty (or blank) address, a subject, text,
// attachment path or file name longer than 255 characters.
std::optional<QString> MailMessageProblem(const MailMessage& message);

// A message that the mail program would not take as it is (see MailMessageProblem).
class EMailRefused : public MessageException {
public:
    using MessageException::MessageException;
};
