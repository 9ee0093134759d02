// The program's entry: splash window, main window, data module, message loop.
#include "app/ui/ProgramComposition.h"
#include "app/ui/ProgramEntry.h"

#include <QApplication>

#include <cstdio>

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
    installWindowedHandlers();
    // The subsystems, put together once; they outlive the main window.
    ProgramComposition program;
    // 2. - 6.
    std::unique_ptr<TMain> mainWindow = startProgram(program.shell(), program.commands(), QApplication::arguments());
    // 7.
    mainWindow->show();
    const int rc = QApplication::exec();
    mainWindow.reset();
    return rc;
}
