#include "ReportInstallCommand.h"

#include "StartupConfiguration.h"

#include "data/DataSif.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/log/ErrorLog.h"
#include "printing/ShippedReports.h"

#include <QTextStream>

#include <memory>
#include <stdexcept>

namespace {
class NoWindow : public StartupView {};

std::runtime_error failure(const QString& text)
{
    return std::runtime_error(text.toStdString());
}
} // namespace

void installReportsCommand(const QString& iniFile, QTextStream& out)
{
    StartupOptions startup;
    startup.arguments = QStringList{QStringLiteral("obdrac-config")};
    if (!iniFile.isEmpty())
        startup.arguments << iniFile;
    startup.runVersionCheck = false;
    NoWindow view;
    if (!readStartupConfiguration(startup, view) || !programIniFile().exists())
        throw failure("Nastavitvena datoteka " + programIniFile().fileName() + " ne obstaja ali je ni mogoče prebrati.");

    auto module = std::make_unique<TDataSif>();
    TDataSif* previous = DataSif;
    DataSif = module.get();
    struct Restore {
        TDataSif* previous;
        ~Restore() { DataSif = previous; }
    } restore{previous};
    module->DataSifCreate();
    if (!module->Database.Connected() || !module->DatabaseHstmt.Connected())
        throw failure(QStringLiteral("Povezava s podatkovno bazo podjetja ni uspela; izpisi niso nameščeni."));

    const QString user = CurrentUserID;
    CurrentUserID = QStringLiteral("00");
    struct RestoreUser {
        QString user;
        ~RestoreUser() { CurrentUserID = user; }
    } restoreUser{user};

    std::vector<InstalledReport> done;
    try {
        done = installShippedReports(*module);
    } catch (...) {
        LogCurrentException(nullptr, QStringLiteral("InstallReports"));
        throw failure("Izpisov ni bilo mogoče namestiti: " + describeException(std::current_exception()).message);
    }
    const std::vector<ShippedReport> shipped = shippedReports();
    for (const InstalledReport& r : done) {
        QString name;
        for (const ShippedReport& s : shipped)
            if (s.code == r.code)
                name = s.name;
        const char* what = r.action == InstalledReport::Action::Added     ? "dodan"
                           : r.action == InstalledReport::Action::Updated ? "posodobljen"
                                                                           : "nespremenjen";
        out << r.code << ' ' << name << ": " << what << '\n';
    }
    out.flush();
}
