// The database components as senders in the error log, and the log's description of EODBC.
#include "data/EODBC.h"
#include "data/ErrorLog.h"
#include "data/LogSender.h"
#include "data/OdbcErrorLog.h"
#include "data/THdbc.h"
#include "data/THstmt.h"
#include "data/TwwOEDataSet.h"

QString THstmt::logClassName() const { return QStringLiteral("THstmt"); }
QString THstmt::logObjectName() const { return m_name; }
QString THstmt::logSenderProp() const
{
    return senderPropForStatement(m_hdbc ? m_hdbc->Name() : QString(), m_sql);
}

QString TwwOEDataSet::logClassName() const { return QStringLiteral("TwwOEDataSet"); }
QString TwwOEDataSet::logObjectName() const { return m_name; }
QString TwwOEDataSet::logSenderProp() const
{
    const THdbc* c = hDbc();
    return senderPropForDataset(m_databaseName, QString(), c ? c->Name() : QString(), m_sql);
}

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
