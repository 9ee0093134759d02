#pragma once
#include <QDate>
#include <QString>

class QObject;
class ShellServices;

// What the deferred start-up asks of the main window.
class DeferredStartupView {
public:
    virtual ~DeferredStartupView() = default;
    virtual void setArrowCursor() {}
    virtual void restorePosition() {}        // window position and state from FormCord
    virtual void closeMainWindow() {}
    virtual QString selectedPoslDog() const { return {}; }   // text of fObdracPoslDog
};

// The start-up work that waits for the main window's first paint. Run on every paint:
//  - arrow cursor;
//  1. first paint only: window position;
//  2. no user signed in: the login; when the parameter row is not open
//     afterwards the main window closes and 3 to 5 are left out;
//  3.-5. first paint only: Program/ZagonPrograma := today's short date; the business-year
//     message when TekoceLeto is set and differs; the template list on the chosen event;
//  6. first paint done; the parameter row is refreshed when it is open and AVTOKONTROLADAT is
//     "T";
//  7. always: arrow cursor, QuietClose off.
// Failures of 1 to 6 are logged as "FormPaint".
class DeferredStartup {
public:
    explicit DeferredStartup(ShellServices& shell) : m_shell(shell) {}

    void paint(DeferredStartupView& view, const QObject* sender = nullptr, const QDate& today = {});
    bool firstPaintDone() const { return m_firstPaintDone; }
    bool running() const { return m_running; }

private:
    ShellServices& m_shell;
    bool m_firstPaintDone = false;
    bool m_running = false;
};
