#pragma once
#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>

class QTextStream;
class TDataSif;
struct GenerationCriteria;

// The command obdrac-run: the generation of page "Kreiranje" for schedulers, without windows.
//
//   obdrac-run [--ini FILE] --user CODE [--password-file FILE] --period-from YYYY-MM-DD
//              --date YYYY-MM-DD [--partner TEXT] [--event TEXT] [--dry-run] [--csv]
//              [--pdf FILE] [--html FILE] [--xlsx FILE] [--csv-report FILE]   (with --dry-run)
//   obdrac-run --help | --version
//
// It reads the configuration file as the program does (section Database decides the company
// database, the registry store gives the database login), connects the data module, signs in
// with the login's rules, and runs exactly the command of the button "Kreiranje" with the
// question answered OK; every other message goes to the error stream. The run log (one line per
// document, also for a document that could not be written) and a summary go to the output.
// With --dry-run nothing is written to the company database: the listing of "Izpis" is made
// and printed instead (with --csv as CSV); --pdf, --html, --xlsx and --csv-report write it also
// as the stored report "ObdracIzpis" prints it (printing/ReportFile.h), as the program's "Izpis"
// would print it.
//
// The password comes from --password-file (its first line; "-" reads standard input), else
// from the environment variable OBDRAC_PASSWORD, else it is empty. It is never taken from the
// command line.

// Exit codes.
namespace RunExit {
inline constexpr int Done = 0;           // every due document written (or none due); listing made
inline constexpr int NotAllWritten = 1;  // some documents could not be written
inline constexpr int NotStarted = 2;     // usage, configuration, database, sign-in, another run
inline constexpr int BrokenOff = 3;      // an error ended the run early (written documents stay)
}

struct HeadlessRunOptions {
    QString iniFile;        // empty: "Vektor.INI", looked for as the program does
    QString user;
    QString passwordFile;   // empty: $OBDRAC_PASSWORD; "-": standard input
    QDate periodFrom;       // "Za obdobje od:"
    QDate date;             // "Datum dokumentov:" (not needed for --dry-run)
    QString partner;        // "Partner:" name or pattern
    QString event;          // "Poslovni dogodek:" code or pattern
    bool dryRun = false;
    bool csv = false;
    // Report files of the listing: export filter extension ("pdf", "htm", "xlsx", "csv") and path.
    QList<QPair<QString, QString>> reportFiles;
    bool help = false;
    bool version = false;   // --version: the version and build are printed
};

// Wrong arguments (exit code 2).
class HeadlessUsageError : public std::runtime_error {
public:
    explicit HeadlessUsageError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// The arguments without the program name. Throws HeadlessUsageError.
HeadlessRunOptions parseHeadlessRunArguments(const QStringList& arguments);
QString headlessRunUsage();

inline const QString PasswordEnvironmentVariable = QStringLiteral("OBDRAC_PASSWORD");

class HeadlessRun {
public:
    HeadlessRun(QTextStream& out, QTextStream& err);
    ~HeadlessRun();
    HeadlessRun(const HeadlessRun&) = delete;
    HeadlessRun& operator=(const HeadlessRun&) = delete;

    // Parses the arguments (without the program name) and runs; returns the exit code.
    int run(const QStringList& arguments);
    int run(const HeadlessRunOptions& options);

    // Reads standard input to its end (for "--password-file -").
    std::function<QString()> readStdin;

private:
    bool start(const HeadlessRunOptions& options);
    bool readPassword(const HeadlessRunOptions& options, QString& password);
    int generate(const HeadlessRunOptions& options);
    int list(const HeadlessRunOptions& options);
    int writeReportFiles(const HeadlessRunOptions& options, const GenerationCriteria& criteria);
    void printError(const QString& text);

    QTextStream& m_out;
    QTextStream& m_err;
    std::unique_ptr<TDataSif> m_module;
};
