// The program's entry: splash window, main window, data module, message loop.
#include "app/ProgramSettings.h"
#include "app/ShellHooks.h"
#include "app/ui/TMain.h"
#include "app/ui/TStartForm.h"
#include "data/ApplicationTitle.h"
#include "data/ui/QtMessageBoxes.h"
#include "data/ui/ErrorLogWidgets.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {
bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

void explainMissingDisplay()
{
    std::fputs("obdrac: grafični zaslon ni na voljo (spremenljivki DISPLAY in WAYLAND_DISPLAY nista nastavljeni).\n"
               "Program zaženite na namizju ali pod navideznim zaslonom, na primer:\n"
               "    xvfb-run -a obdrac [Vektor.INI]\n",
               stderr);
}

// The subsystems that plug into the shell register their hooks here (shellHooks(),
// mainWindowHooks()) before the main window is made.
void installSubsystemHooks() {}

// Step 5: the shared data module, made once after the main window.
void createDataModule()
{
    if (shellHooks().createDataModule)
        shellHooks().createDataModule();
}
} // namespace

int main(int argc, char** argv)
{
    if (!displayAvailable()) {
        explainMissingDisplay();
        return 2;
    }
    // 1.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("obdrac"));
    QtMessageBoxes::install();
    installErrorLogWidgetHooks();
    installSubsystemHooks();
    // 2.
    auto splash = std::make_unique<TStartForm>();
    splash->showNow();
    // 3.
    setApplicationTitle(DesignCaption);
    // 4.
    TMain mainWindow(QApplication::arguments());
    // 5.
    createDataModule();
    // 6.
    splash->hide();
    splash.reset();
    // 7.
    mainWindow.show();
    return QApplication::exec();
}
