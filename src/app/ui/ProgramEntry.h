#pragma once
#include "TMain.h"

#include <QStringList>

#include <memory>

// The program's start after the application object exists, in the order the rest relies on:
// splash window shown and painted; application title "Sintrex Periodično fakturiranje"; the main
// window (which reads the configuration); the shared data module (shell.createDataModule());
// the splash window hidden and destroyed. The caller shows the main window and runs the message
// loop until it closes; shell and commands must outlive the window.
std::unique_ptr<TMain> startProgram(ShellServices& shell, MainWindowCommands& commands, const QStringList& arguments,
                                    const TMainOptions& options = {});

// The windowed program's program-wide handlers: message boxes, error log names, application
// title, failures of the data-aware controls, the database error dialog of a failed connect at
// the data module's load.
void installWindowedHandlers();
