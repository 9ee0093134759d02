#pragma once
#include "data/odbc/EODBC.h"

#include <QString>
#include <functional>
#include <optional>

class THdbc;

// Connecting a connection that a form stores as connected, while the form is being created:
// a failure is shown as the database error dialog with the text
// "Cannot connect " + the connection's name + " to database." and creation goes on unconnected.
//
// The showing goes through a hook so that the layer needs no windows: the windowed program
// installs the error dialog (installOEErrorDialogHook() in data/ui/TOEErrorDialog.h); tests
// install their own; without a hook the text and the ODBC message go to an error box through
// data/MessageBoxes.h.
using ConnectFailureHook = std::function<void(const QString& text, const EODBC& error)>;
void setConnectFailureHook(ConnectFailureHook hook);   // an empty hook restores the default
void showConnectFailure(const QString& text, const EODBC& error);

QString cannotConnectText(const QString& connectionName);   // "Cannot connect X to database."

// Connects the connection; on failure shows the failure and returns false (never throws).
bool connectOnLoad(THdbc& connection);
// The same, giving back the failure that was shown (nothing on success).
std::optional<EODBC> connectOnLoadFailure(THdbc& connection);
