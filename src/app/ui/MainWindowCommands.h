#pragma once

class QMenu;
class QWidget;
class TMain;

// The commands of the main window that other subsystems carry out: its buttons, its menu
// "Dodatno", the moments of its life that they join. TMain calls exactly these; the program's
// composition root (ProgramComposition.h) implements them, each by one call into the subsystem
// that does the work, and tests pass a fake. All are pure virtual, so a command without an
// implementation does not compile; one whose subsystem is not there yet says so in its
// implementation (see ProgramCommands), it is never silently empty.
class MainWindowCommands {
public:
    virtual ~MainWindowCommands() = default;

    // At creation: builds the template grids and their navigators on page "Nastavi partnerje".
    virtual void setupNastaviPage(TMain& main, QWidget* page) = 0;
    // At creation, last step of the configuration read: fills the hidden menu "Dodatno" and
    // shows it when it has entries.
    virtual void buildExtraMenu(TMain& main, QMenu* dodatno) = 0;
    // When the main window is shown the first time (the program-wide report designer).
    virtual void formShow(TMain& main) = 0;
    // Button "Kreiranje": the invoice run, then the order run.
    virtual void kreiranje(TMain& main) = 0;
    // Button "Izpis": the printing run.
    virtual void izpis(TMain& main) = 0;
};
