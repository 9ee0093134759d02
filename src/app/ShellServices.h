#pragma once
#include <QString>

// What the shell (the main window and its deferred start-up) needs from the other subsystems:
// the shared data module, the sign-in and the template list. The program's composition root
// (app/ui/ProgramComposition.h) implements it over the real subsystems; tests pass a fake.
// Every service is pure virtual: a subsystem that is not wired is a compile error, not silence.
class ShellServices {
public:
    virtual ~ShellServices() = default;

    // Data module: created once after the main window (entry step 5), lives for the run.
    virtual void createDataModule() = 0;
    // Disconnects the data module's ODBC connections and its local temporary database; nothing
    // when there is no data module.
    virtual void disconnectDataModule() = 0;
    // The parameter row ("SELECT * FROM Param") is open.
    virtual bool parameterOpen() const = 0;
    // The parameter row's AVTOKONTROLADAT is "T".
    virtual bool parameterAutoCheckDates() const = 0;
    virtual void refreshParameter() = 0;

    // Sign-in: creates the login dialog, shows it modally and destroys it again.
    virtual void runLogin() = 0;

    // Templates: open the template list on a business event (and its lines).
    virtual void openTemplates(const QString& poslDog) = 0;
    // Posts the template and line records that are being edited or inserted; a record that
    // cannot be posted (its failure shown already) raises EAbort.
    virtual void postTemplates() = 0;
};
