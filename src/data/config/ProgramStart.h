#pragma once
#include <QString>

// Show modes of a started program (kept for the callers; windows of started programs open as
// their window manager decides).
inline constexpr int ShowModeHide = 0;
inline constexpr int ShowModeNormal = 5;

// Result of a successful start (any result above 31 means success).
inline constexpr int ProgramStarted = 33;

// Starts a command line as a separate program that lives on by itself. The first word (quoted
// when it holds blanks) is the program: a path (a drive path maps into the data folder) or a
// name looked up in PATH; the other words are its arguments. Results: ProgramStarted; or, after
// an error box with the matching text, 2 (no such file), 3 (no such folder), 11 (not a program
// that can run), 0 (the system could not start it). An empty or unreadable command line is
// logged as "TWinExec-" + command line and gives -1.
int TWinExec(const QString& commandLine, int showMode);
