#pragma once
#include "data/core/LogSender.h"
#include "printing/OfficeApplication.h"

#include <QString>

#include <functional>
#include <optional>

// The preview's hand-over of its report to other programs, without the window: the spreadsheet
// ("Izvoz v Excell ..."), the word processor ("Izvoz v Word ...") and the e-mail attachment.
// Every one first needs all pages (a report still being made shows "Prosim počakajte da se
// odprejo vse strani!"), then writes the report as a file in the program's data folder and
// hands that file on.

// The temporary files, in the program's data folder.
inline const QString SpreadsheetTempFile = QStringLiteral("tmpExcel.htm");
inline const QString WordProcessorTempFile = QStringLiteral("tmpWord.htm");
inline const QString MailTempFile = QStringLiteral("Vektor report.htm");

// <data folder>/<name>; the folder is made when missing.
QString PreviewTempPath(const QString& name);

// Writes the report to the path. False when it has already told the user why not (no HTML
// filter); raises on a failure to write.
using ReportFileWriter = std::function<bool(const QString& path)>;

// The export to the spreadsheet or the word processor, step by step: wait for all pages, delete
// the old temporary file, write the report to it (the writer given: HTML or a native format of
// the program), hand it to the program (OfficeApplication), which shows it. A program that
// cannot be had shows "Ne morem odpreti aplikacije" with the reason and is written to the error
// log under operation; a file that cannot be written is shown and logged likewise. True when
// the file went to the program.
bool ExportToOfficeProgram(OfficeProgram program, const QString& fileName, bool pagesPending,
                           const ReportFileWriter& write, const LogSender& sender,
                           const QString& operation);

// The attachment of the e-mail export: waits for all pages as above and writes the report to
// "Vektor report.htm"; its path, or nothing when the export stops.
std::optional<QString> WriteMailAttachment(bool pagesPending, const ReportFileWriter& write,
                                           const LogSender& sender, const QString& operation);
