#pragma once
#include <functional>

class QMenu;
class QWidget;
class TMain;

// What the other subsystems add to the main window; filled by the program's entry. Empty hooks
// leave the page or the command without effect.
struct MainWindowHooks {
    // Builds the template grids and their navigators on page "Nastavi partnerje".
    std::function<void(TMain& main, QWidget* page)> setupNastaviPage;
    // "Kreiranje": the invoice run, then the order run.
    std::function<void(TMain& main)> kreiranje;
    // "Izpis": the printing run.
    std::function<void(TMain& main)> izpis;
    // Fills the hidden menu "Dodatno" and shows it when it has entries.
    std::function<void(TMain& main, QMenu* dodatno)> buildExtraMenu;
    // When the main window is shown (the program-wide report designer).
    std::function<void(TMain& main)> formShow;
};

MainWindowHooks& mainWindowHooks();
