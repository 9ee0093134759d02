// The error log's description of EODBC.
#include "data/log/OdbcErrorLog.h"
#include "data/log/ErrorLog.h"
#include "data/odbc/EODBC.h"

QString odbcErrorLogText(const EODBC& error)
{
    QStringList codes;
    for (const OdbcDiagnostic& r : error.records())
        if (!r.sqlState.isEmpty() || r.nativeError != 0)
            codes << QStringLiteral("SQLSTATE %1, native %2").arg(r.sqlState).arg(r.nativeError);
    if (codes.isEmpty())
        return error.message();
    return error.message() + QStringLiteral(" [") + codes.join(QStringLiteral("; ")) + QLatin1Char(']');
}

void registerOdbcErrorDescriber()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    registerExceptionDescriber([](const std::exception& e, ExceptionDescription& d) {
        const auto* odbc = dynamic_cast<const EODBC*>(&e);
        if (!odbc)
            return false;
        d.className = QStringLiteral("EODBC");
        d.message = odbcErrorLogText(*odbc);
        return true;
    });
}

namespace {
// Registered at start-up as well: this file is always part of a program that has statements.
const bool g_registered = [] {
    registerOdbcErrorDescriber();
    return true;
}();
} // namespace
