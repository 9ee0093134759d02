#pragma once
#include <QString>

#include <functional>

// What "end the program" means when a newer version is waiting. The default asks the running
// application to quit as soon as its event loop runs; tests put their own action here.
void setTerminateAction(std::function<void()> action);
void terminateProgram();

// The start-up check for a newer build: reads the upgrade folder from the registry store
// (SOFTWARE\Sintrex\Upgrade, value PotDoTempa, default "c:\Temp", mapped like every drive path)
// and compares the build of the copy of the program file waiting there with the program's own.
// When the waiting one is newer: the information box "Potrebujete novo verzijo programa !",
// the installer (value NovaVerzijaPath, default <program folder>/NovaVerzija) is started with
// " /L" through TWinExec, and with terminate set the program is told to end; the result is
// false. Otherwise true; failures are logged as "TestBuildNo" and give true.
bool TestBuildNo(const QString& programFile, bool terminate);
