#pragma once
#include <functional>

// What the login needs from the main window; the program's entry (or a test) fills them. The
// login dialog falls back to its own defaults for empty hooks (login/ui/TPrijava.h).
struct LoginHooks {
    // Company switch: closes and frees the main window's child windows one after the other. A
    // failure of one child is logged as "Prijava-" + its form name and the next one follows; a
    // child that refuses to close raises EAbort, which ends the switch silently.
    std::function<void()> closeChildWindows;
    // "&Konec", or the closing question answered with OK: closes the main window (QuietClose is
    // already set), after the login dialog has closed.
    std::function<void()> closeMainWindow;
};

LoginHooks& loginHooks();
