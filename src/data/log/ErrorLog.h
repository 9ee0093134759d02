#pragma once
#include "data/core/LogSender.h"

#include <QString>

#include <exception>
#include <functional>

class LocalTable;

// The error log: one local table (c:\VektorError, see LocalTable for where that lies) that gets
// one row per failure and, with SqlTraceOn, one trace row per data operation. Fields, in order:
// Cas, FormName, ControlName, SenderName, ObjectName, Operation, ExceptObject, BuildNo,
// TickCount, Error, SenderProp (ErrorLogFields in ErrorLog.cpp).

inline const QString ErrorLogTable = "c:\\VektorError";

// How an exception is named and described in the log. The default describer gives the class
// name of the exception (without namespaces of the program's own classes) and its what() text;
// another describer may be added for an exception type that carries more (diagnostic records of
// the database layer, for instance). Describers are asked newest first; the first one that
// returns true wins.
struct ExceptionDescription {
    QString className;
    QString message;
};
using ExceptionDescriber = std::function<bool(const std::exception&, ExceptionDescription&)>;
void registerExceptionDescriber(ExceptionDescriber describer);
ExceptionDescription describeException(const std::exception& e);
// The same for whatever is in flight inside a catch block (also for non-standard exceptions).
ExceptionDescription describeException(const std::exception_ptr& e);

// What the log cannot know without windows: the active form and the focused control, and how to
// put the mouse cursor back to normal. The windowed program installs these (data/ui); without
// them both names stay empty and the cursor is left alone.
struct ErrorLogUiHooks {
    std::function<void(QString& formName, QString& controlName)> activeNames;
    std::function<void()> normalCursor;
};
void setErrorLogUiHooks(ErrorLogUiHooks hooks);
const ErrorLogUiHooks& errorLogUiHooks();

// Opens the log table; when that fails because the table is missing, damaged or not a log (any
// reason but another program holding it), defines it anew, creates it empty and opens it.
void OpenErrorLog(LocalTable& table);

// Writes one row. e null: a trace row (ExceptObject and Error empty). An EAbort writes nothing.
// Never raises, never shows anything; an entry that cannot be written is lost.
void LogException(const std::exception* e, const LogSender& sender, const QString& operation) noexcept;
inline void LogException(const std::exception& e, const LogSender& sender, const QString& operation) noexcept
{
    LogException(&e, sender, operation);
}
// Inside a catch block: logs whatever was caught (nothing for an EAbort).
void LogCurrentException(const LogSender& sender, const QString& operation) noexcept;
// A look-up drop-down whose look-up dataset could not be opened: the entry "wwOpenTable-" +
// the dataset's name, as LogException writes it but without TickCount.
void LogLookupOpenFailure(const std::exception& e, const LogSender& sender, const QString& dataSetName) noexcept;
// A trace row when SqlTraceOn is set, nothing otherwise.
void LogTrace(const LogSender& sender, const QString& operation) noexcept;

// Normal cursor, error box "<message>\r\n<exception's message>", then the log entry.
void ShowAndLogError(const std::exception& e, const LogSender& sender, const QString& operation,
                     const QString& message) noexcept;

// Raises again: an EAbort as a silent EAbort, anything else as a plain Exception with the same
// message text.
[[noreturn]] void RaiseSameMessage(const std::exception& e);
[[noreturn]] void RaiseSameMessage(const std::exception_ptr& e);
// LogException, then RaiseSameMessage.
[[noreturn]] void LogAndRaise(const std::exception& e, const LogSender& sender, const QString& operation);
// Inside a catch block, for whatever was caught.
[[noreturn]] void LogAndRaiseCurrent(const LogSender& sender, const QString& operation);
