#pragma once
#include <QString>
#include <QStringList>

#include <functional>

class QTextStream;

// The administration command obdrac-config: writes the database login and the upgrade paths into
// a file of the registry store and keeps the workstation's company list (Podjetje.DB).
//
//   obdrac-config [--registry FILE | --system] --sql-user U --sql-password-file F
//   obdrac-config --sql-password-file -            (password from standard input)
//   obdrac-config --sql-password-env               (password from $OBDRAC_SQL_PASSWORD)
//   obdrac-config --temp-path DIR --upgrade-path FILE
//   obdrac-config [--company-list PATH | --ini FILE] --company NAME --server S --database D
//   obdrac-config [--company-list PATH | --ini FILE] --remove-company NAME
//   obdrac-config --show
//   obdrac-config [--ini FILE] --install-reports    (shipped report definitions into the company
//                                                    database of the INI file)
//
// A password is never taken from the command line. Each option may be combined with the others;
// all values are checked before anything is written.
struct ConfigCommandIo {
    QTextStream* out = nullptr;
    QTextStream* err = nullptr;
    // Reads standard input to its end (for "--sql-password-file -").
    std::function<QString()> readStdin;
};

// Runs the command on its arguments (without the program name); returns the exit code: 0 done,
// 1 a failure while writing or reading, 2 wrong arguments.
int RunConfigCommand(const QStringList& arguments, const ConfigCommandIo& io);

// The help text.
QString ConfigCommandUsage();
