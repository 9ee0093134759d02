#pragma once

// What the login dialog needs from the window it signs in for (the main window). The program's
// composition root passes the main window's; MainWindowLoginHost (login/ui/TPrijava.h) is the
// usual one; tests pass a fake.
class LoginHost {
public:
    virtual ~LoginHost() = default;
    // Company switch: closes and frees the main window's child windows one after the other. A
    // failure of one child is logged as "Prijava-" + its form name and the next one follows; a
    // child that refuses to close raises EAbort, which ends the switch silently.
    virtual void closeChildWindows() = 0;
    // "&Konec", or the closing question answered with OK: closes the main window (QuietClose is
    // already set), after the login dialog has closed.
    virtual void closeMainWindow() = 0;
};
