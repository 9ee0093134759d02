#pragma once
#include <QString>
#include <QStringList>

class PreparedReport;

// The files the preview writes from its prepared report.

// The save dialog ("Shrani kot ..."): its title, and its filter list: first the program's own
// format of prepared reports (.QRP), then one entry per export filter of the engine, in the
// engine's order.
inline const QString SaveReportTitle = QStringLiteral("Save report");
inline const QString SaveReportDefaultSuffix = QStringLiteral("QRP");
QStringList SaveReportFilters();
// The extension that belongs to entry index of that list ("QRP", "htm", ...).
QString SaveReportExtension(int filterIndex);

// Saves the report as entry filterIndex of the list says: 0 in the own format, n through export
// filter n - 1. Raises EExportFailed with the reason.
void SaveReportAs(const PreparedReport& report, const QString& path, int filterIndex);

// Writes the report through the export filter of the extension ("xlsx", "odt"). Raises
// EExportFailed when there is no such filter or it fails.
void WriteReportAs(const PreparedReport& report, const QString& extension, const QString& path);

// The HTML conversion of the exports: the export filter described "Hypertext Markup Language"
// writes the report to the path. Without such a filter the error "Ne nejdem filtra za
// pretvorbo v HTML!" is shown; a failure to write is shown and written to the error log under
// "ConvertToHTMLFile". True when the file was written.
inline const QString HtmlFilterDescription = QStringLiteral("Hypertext Markup Language");
bool ConvertToHTMLFile(const PreparedReport& report, const QString& path);
