#include "DeferredStartup.h"

#include "ProgramSettings.h"
#include "ShellServices.h"

#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/core/TextRoutines.h"

void DeferredStartup::paint(DeferredStartupView& view, const QObject* sender, const QDate& todayGiven)
{
    if (m_running)   // a paint while the login dialog or a message is up
        return;
    m_running = true;
    const QDate today = todayGiven.isValid() ? todayGiven : QDate::currentDate();
    view.setArrowCursor();
    guard("FormPaint", sender, [&] {
        const bool first = !m_firstPaintDone;
        // 1.
        if (first)
            view.restorePosition();
        // 2.
        bool signedIn = true;
        if (CurrentUserID.isEmpty()) {
            m_shell.runLogin();
            if (!m_shell.parameterOpen()) {
                signedIn = false;
                view.closeMainWindow();
            }
        }
        if (first && signedIn) {
            // 3.
            WriteStringToIniFile("Program", "ZagonPrograma", shortDateText(today));
            // 4.
            if (tekoceLetoDiffers(programSettings().tekoceLeto, today))
                showInformation(TekoceLetoMessage);
            // 5.
            const QString poslDog = view.selectedPoslDog();
            if (!poslDog.isEmpty())
                m_shell.openTemplates(poslDog);
        }
        // 6.
        m_firstPaintDone = true;
        if (m_shell.parameterOpen() && m_shell.parameterAutoCheckDates())
            m_shell.refreshParameter();
    });
    // 7.
    view.setArrowCursor();
    QuietClose = false;
    m_running = false;
}
