#pragma once
#include "ProgramCommands.h"
#include "ProgramShell.h"

// The program's composition root: the one place where the subsystems are put together. It
// owns the shell's services (ProgramShell: data module, sign-in, template list) and the main
// window's commands (ProgramCommands), which the entry hands to the main window:
//
//   ProgramComposition program;
//   auto mainWindow = startProgram(program.shell(), program.commands(), arguments);
//
// It must outlive the main window; destroying it releases the data module.
class ProgramComposition {
public:
    ProgramComposition() : m_commands(m_shell) {}

    ProgramShell& shell() { return m_shell; }
    ProgramCommands& commands() { return m_commands; }

private:
    ProgramShell m_shell;
    ProgramCommands m_commands;
};
