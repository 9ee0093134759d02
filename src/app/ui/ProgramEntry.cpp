#include "ProgramEntry.h"

#include "TStartForm.h"

#include "app/ProgramSettings.h"
#include "app/ShellServices.h"
#include "controls/ui/ControlErrors.h"
#include "data/core/ApplicationTitle.h"
#include "data/log/Guard.h"
#include "data/ui/ErrorLogWidgets.h"
#include "data/ui/QtMessageBoxes.h"
#include "data/ui/TOEErrorDialog.h"

#include <QGuiApplication>

std::unique_ptr<TMain> startProgram(ShellServices& shell, MainWindowCommands& commands, const QStringList& arguments,
                                    const TMainOptions& options)
{
    // 2.
    auto splash = std::make_unique<TStartForm>();
    splash->showNow();
    // 3.
    setApplicationTitle(DesignCaption);
    // 4.
    auto main = std::make_unique<TMain>(shell, commands, arguments, options);
    // 5.
    guard("DataSifCreate", nullptr, [&] { shell.createDataModule(); });
    // 6.
    splash->hide();
    splash.reset();
    return main;
}

void installWindowedHandlers()
{
    QtMessageBoxes::install();
    installErrorLogWidgetHooks();
    installControlErrorDialog();
    // a connection that cannot connect while the data module loads: the database error dialog
    installOEErrorDialogHook();
    // the title also names the program's dialogs (the database error dialog reads it there)
    setApplicationTitleHandler([](const QString& title) { QGuiApplication::setApplicationDisplayName(title); });
}
