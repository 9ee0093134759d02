#include "data/log/ErrorLog.h"

#include "data/core/EAbort.h"
#include "data/core/FailureReport.h"
#include "data/core/Exception.h"
#include "data/local/LocalTable.h"
#include "data/log/MessageBoxes.h"
#include "data/core/ProgramState.h"

#include <QDateTime>

#include <algorithm>
#include <cxxabi.h>
#include <ctime>
#include <limits>
#include <memory>
#include <typeinfo>
#include <vector>

namespace {
std::vector<ExceptionDescriber>& describers()
{
    static std::vector<ExceptionDescriber> list;
    return list;
}

ErrorLogUiHooks& uiHooks()
{
    static ErrorLogUiHooks hooks;
    return hooks;
}

QString demangledName(const std::type_info& type)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), std::free);
    QString out = status == 0 && name ? QString::fromLatin1(name.get()) : QString::fromLatin1(type.name());
    out.remove("(anonymous namespace)::");
    return out;
}

void defineErrorLog(LocalTable& table)
{
    table.clearDefinitions();
    table.addField("Cas", LocalFieldType::DateTime);
    table.addField("FormName", LocalFieldType::Text, 20);
    table.addField("ControlName", LocalFieldType::Text, 20);
    table.addField("SenderName", LocalFieldType::Text, 20);
    table.addField("ObjectName", LocalFieldType::Text, 100);
    table.addField("Operation", LocalFieldType::Text, 30);
    table.addField("ExceptObject", LocalFieldType::Text, 20);
    table.addField("BuildNo", LocalFieldType::SmallInt);
    table.addField("TickCount", LocalFieldType::Integer);
    table.addField("Error", LocalFieldType::Text, 255);
    table.addField("SenderProp", LocalFieldType::Memo);
}

// Milliseconds since the workstation started, wrapping like a 32-bit counter.
qint32 tickCount()
{
    timespec ts{};
    if (clock_gettime(CLOCK_BOOTTIME, &ts) != 0)
        clock_gettime(CLOCK_MONOTONIC, &ts);
    const quint64 ms = quint64(ts.tv_sec) * 1000u + quint64(ts.tv_nsec) / 1000000u;
    return static_cast<qint32>(static_cast<quint32>(ms));
}

qint16 buildNumber()
{
    bool ok = false;
    const int build = ProgramBuildNo.trimmed().toInt(&ok);
    if (!ok)
        return 0;
    return static_cast<qint16>(std::clamp<int>(build, 0, std::numeric_limits<qint16>::max()));
}

// One row; failures of the store are swallowed, failures while filling a field leave the rest
// of the fields empty but still write the row.
void writeEntry(const ExceptionDescription* error, const LogSender& sender, const QString& operation,
                bool withTickCount = true) noexcept
{
    try {
        LocalTable table(QString(), ErrorLogTable);
        OpenErrorLog(table);
        table.append();
        try {
            table.setValue("Cas", QDateTime::currentDateTime());
            try {
                QString form, control;
                if (uiHooks().activeNames)
                    uiHooks().activeNames(form, control);
                table.setValue("FormName", form);
                table.setValue("ControlName", control);
            } catch (...) {
            }
            table.setValue("SenderName", sender.className());
            try {
                table.setValue("ObjectName", sender.objectName());
            } catch (...) {
            }
            try {
                if (withTickCount)
                    table.setValue("TickCount", tickCount());
            } catch (...) {
            }
            table.setValue("Operation", operation);
            if (error) {
                table.setValue("ExceptObject", error->className);
                table.setValue("Error", error->message);
            }
            table.setValue("BuildNo", buildNumber());
            try {
                table.setValue("SenderProp", sender.senderProp());
            } catch (...) {
            }
        } catch (...) {
        }
        table.post();
        table.close();
    } catch (...) {
    }
}
// Routines below the error log (money rounding, line valuation) report their failures through
// the failure reporter; wherever the error log is part of the program, they land here.
const bool routineFailuresToErrorLog = [] {
    setDefaultRoutineFailureReporter([](const RoutineFailure& f) {
        LogException(f.exception, LogSender(), f.operation);
    });
    return true;
}();

} // namespace

void registerExceptionDescriber(ExceptionDescriber describer)
{
    if (describer)
        describers().push_back(std::move(describer));
}

ExceptionDescription describeException(const std::exception& e)
{
    const auto& list = describers();
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        ExceptionDescription d;
        try {
            if ((*it)(e, d))
                return d;
        } catch (...) {
        }
    }
    return ExceptionDescription{demangledName(typeid(e)), QString::fromUtf8(e.what())};
}

ExceptionDescription describeException(const std::exception_ptr& e)
{
    try {
        if (e)
            std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        return describeException(ex);
    } catch (...) {
    }
    return ExceptionDescription{QString(), "Neznana napaka"};
}

void setErrorLogUiHooks(ErrorLogUiHooks hooks) { uiHooks() = std::move(hooks); }
const ErrorLogUiHooks& errorLogUiHooks() { return uiHooks(); }

void OpenErrorLog(LocalTable& table)
{
    table.close();
    table.setDatabaseName(QString());
    if (table.tableName().isEmpty())
        table.setTableName(ErrorLogTable);
    defineErrorLog(table);
    try {
        table.open(LocalTable::OpenMode::Shared);
        return;
    } catch (const LocalStoreError& e) {
        // Another program appending at this moment is no reason to throw its log away.
        if (e.kind() == LocalStoreError::Kind::Locked)
            throw;
    }
    table.close();
    defineErrorLog(table);
    table.createTable();
    table.open(LocalTable::OpenMode::Shared);
}

void LogException(const std::exception* e, const LogSender& sender, const QString& operation) noexcept
{
    if (e && dynamic_cast<const EAbort*>(e))
        return;
    try {
        if (!e) {
            writeEntry(nullptr, sender, operation);
            return;
        }
        const ExceptionDescription d = describeException(*e);
        writeEntry(&d, sender, operation);
    } catch (...) {
    }
}

void LogCurrentException(const LogSender& sender, const QString& operation) noexcept
{
    const std::exception_ptr current = std::current_exception();
    try {
        if (current)
            std::rethrow_exception(current);
    } catch (const EAbort&) {
        return;
    } catch (const std::exception& e) {
        LogException(&e, sender, operation);
        return;
    } catch (...) {
        try {
            const ExceptionDescription d = describeException(current);
            writeEntry(&d, sender, operation);
        } catch (...) {
        }
    }
}

void LogLookupOpenFailure(const std::exception& e, const LogSender& sender, const QString& dataSetName) noexcept
{
    if (dynamic_cast<const EAbort*>(&e))
        return;
    try {
        const ExceptionDescription d = describeException(e);
        writeEntry(&d, sender, QStringLiteral("wwOpenTable-") + dataSetName, false);
    } catch (...) {
    }
}

void LogTrace(const LogSender& sender, const QString& operation) noexcept
{
    if (SqlTraceOn)
        LogException(nullptr, sender, operation);
}

void ShowAndLogError(const std::exception& e, const LogSender& sender, const QString& operation,
                     const QString& message) noexcept
{
    try {
        if (uiHooks().normalCursor)
            uiHooks().normalCursor();
    } catch (...) {
    }
    try {
        showError(message + "\r\n" + describeException(e).message);
    } catch (...) {
    }
    LogException(&e, sender, operation);
}

void RaiseSameMessage(const std::exception& e)
{
    if (dynamic_cast<const EAbort*>(&e))
        throw EAbort();
    throw Exception(QString::fromUtf8(e.what()));
}

void RaiseSameMessage(const std::exception_ptr& e)
{
    try {
        if (e)
            std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        RaiseSameMessage(ex);
    } catch (...) {
    }
    throw Exception(describeException(e).message);
}

void LogAndRaise(const std::exception& e, const LogSender& sender, const QString& operation)
{
    LogException(&e, sender, operation);
    RaiseSameMessage(e);
}

void LogAndRaiseCurrent(const LogSender& sender, const QString& operation)
{
    const std::exception_ptr current = std::current_exception();
    LogCurrentException(sender, operation);
    RaiseSameMessage(current);
}
