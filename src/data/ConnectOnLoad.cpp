#include "data/ConnectOnLoad.h"

#include "data/odbc/EODBC.h"
#include "data/log/MessageBoxes.h"
#include "data/odbc/THdbc.h"

namespace {
ConnectFailureHook& hook()
{
    static ConnectFailureHook h;
    return h;
}
} // namespace

void setConnectFailureHook(ConnectFailureHook h) { hook() = std::move(h); }

void showConnectFailure(const QString& text, const EODBC& error)
{
    if (hook())
        hook()(text, error);
    else
        showError(text + QLatin1Char('\n') + error.message());
}

QString cannotConnectText(const QString& connectionName)
{
    return QStringLiteral("Cannot connect ") + connectionName + QStringLiteral(" to database.");
}

std::optional<EODBC> connectOnLoadFailure(THdbc& connection)
{
    std::optional<EODBC> failure;
    try {
        connection.setConnected(true);
        return std::nullopt;
    } catch (const EODBC& e) {
        failure = e;
    } catch (const std::exception& e) {
        failure = EODBC::fromMessage(QString::fromUtf8(e.what()));
    } catch (...) {
        failure = EODBC({});
    }
    showConnectFailure(cannotConnectText(connection.Name()), *failure);
    return failure;
}

bool connectOnLoad(THdbc& connection) { return !connectOnLoadFailure(connection).has_value(); }
