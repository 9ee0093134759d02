#pragma once
#include <QString>

#include <functional>

// The places where the shell hands over to the other subsystems. The program's entry fills them
// (main.cpp); an empty hook means the subsystem is not there and its step is left out.
struct ShellHooks {
    // Data module: created once after the main window (entry step 5), lives for the run.
    std::function<void()> createDataModule;
    std::function<bool()> dataModuleExists;
    // Disconnects the data module's ODBC connections and its local temporary database.
    std::function<void()> disconnectDataModule;
    // The parameter row ("SELECT * FROM Param") is open.
    std::function<bool()> parameterOpen;
    // The parameter row's AVTOKONTROLADAT is "T".
    std::function<bool()> parameterAutoCheckDates;
    std::function<void()> refreshParameter;

    // Sign-in: creates the login dialog, shows it modally and destroys it again.
    std::function<void()> runLogin;

    // Templates: open the template list on a business event (and its lines); post the template
    // and line records that are being edited or inserted.
    std::function<void(const QString& poslDog)> openTemplates;
    std::function<void()> postTemplates;
};

ShellHooks& shellHooks();
