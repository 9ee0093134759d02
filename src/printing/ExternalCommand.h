#pragma once
#include <QString>
#include <QStringList>

#include <optional>

// A program started on its own, without a shell: every argument reaches it as one argument,
// whatever it contains (blanks, ";", quotes, "$").
struct ExternalCommand {
    QString program;
    QStringList arguments;
};

// The command of a configured command line: words separated by blanks, double quotes group a
// word that holds blanks. Every "%1" in a word becomes the file; when no word holds "%1", the
// file is added as the last argument (none when the file is empty). Nothing for an empty line.
std::optional<ExternalCommand> CommandFromLine(const QString& commandLine, const QString& file);

// Where the program would be started from: the program itself when it names a folder, else the
// executable of that name on the search path; empty when there is none (or it cannot be run).
QString FindExternalProgram(const QString& program);

// Starts the command and does not wait for it. False, with the reason in Slovenian, when the
// program is not there or cannot be started.
bool StartExternalCommand(const ExternalCommand& command, QString* error);
