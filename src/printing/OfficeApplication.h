#pragma once
#include "printing/ExternalCommand.h"

#include <QString>

#include <optional>

// The spreadsheet and the word processor that the preview hands its report to. Which program
// opens a file:
//   1. the command line of the configuration key (section Program) UkazPreglednica for the
//      spreadsheet, UkazUrejevalnik for the word processor, with "%1" for the file
//      (for example UkazPreglednica=gnumeric "%1"); the file is added at the end when the line
//      has no "%1";
//   2. else LibreOffice when it is installed: soffice --calc / --writer, for an HTML file with
//      the HTML import filter of that program, so that it opens as a sheet or a text document;
//   3. else the desktop's opener, xdg-open, which picks the program for the file's type.
// The program is started on its own (no shell) and shows the file itself.

enum class OfficeProgram { Spreadsheet, WordProcessor };

inline const QString SpreadsheetCommandKey = QStringLiteral("UkazPreglednica");
inline const QString WordProcessorCommandKey = QStringLiteral("UkazUrejevalnik");

// The configuration key of a program.
QString OfficeCommandKey(OfficeProgram program);

// The command that opens the file in the program, the configured line given (see above).
// Nothing, with the reason, when no program can be had.
std::optional<ExternalCommand> OfficeCommandFor(OfficeProgram program, const QString& file,
                                                const QString& configuredLine, QString* reason);

// Opens the file in the program configured in the program's configuration file (or found as
// above). Raises EExternalProgram with the reason when there is no program or it cannot be
// started.
void OpenInOfficeProgram(OfficeProgram program, const QString& file);
