#pragma once
#include <QString>

class QTextStream;

// obdrac-config --install-reports: the report definitions that ship with the program installed
// into the company database that the configuration file names (section Database, with the
// registry store's database login), as the program would connect to it. Adds the shipped codes
// that are missing and brings the others up to date; the user's own variants (codes from A00)
// and the company's print options stay. One line per report goes to out ("27K ObdracIzpis:
// dodan" / "posodobljen" / "nespremenjen"). Changes are stamped with the user "00" (Sistem).
// Failures are raised as std::runtime_error with a Slovenian message.
void installReportsCommand(const QString& iniFile, QTextStream& out);
