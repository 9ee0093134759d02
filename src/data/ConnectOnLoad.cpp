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

bool connectOnLoad(THdbc& connection)
{
    try {
        connection.setConnected(true);
        return true;
    } catch (const EODBC& e) {
        showConnectFailure(cannotConnectText(connection.Name()), e);
    } catch (const std::exception& e) {
        showConnectFailure(cannotConnectText(connection.Name()), EODBC::fromMessage(QString::fromUtf8(e.what())));
    } catch (...) {
        showConnectFailure(cannotConnectText(connection.Name()), EODBC({}));
    }
    return false;
}
