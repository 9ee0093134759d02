// Start-up time of the program: from the start of the process to the main window shown and its
// first paint done, on the demo company (offscreen; the data module connected and the parameter
// row open; the login left out by a preset user).
//
//   bench_startup [--runs N]
//
// The benchmark starts itself N times as a child process and measures from just before each start
// to the moment the child reports its window painted (both on the system's monotonic clock).
// Needs PGHOST, PGPORT (private instance with obdrac_template) and ODBCSYSINI; bench/run.sh sets
// them.
#include "BenchClock.h"
#include "BenchCompany.h"

#include "app/ShellServices.h"
#include "app/ui/GenerationCommands.h"
#include "app/ui/MainWindowCommands.h"
#include "app/ui/ProgramEntry.h"
#include "app/ui/TMain.h"
#include "printing/ui/ProgramReportDesigner.h"
#include "data/DataSif.h"
#include "data/core/ProgramState.h"
#include "data/config/RegistryFileWriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

qint64 monotonicNanoseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// The shell of the measured start: the program's data module, no template page.
class BenchShell : public ShellServices {
public:
    std::unique_ptr<TDataSif> module;

    void createDataModule() override
    {
        module = std::make_unique<TDataSif>();
        module->DataSifCreate();
    }
    void disconnectDataModule() override
    {
        if (module) {
            module->Database.Disconnect();
            module->DatabaseLook.Disconnect();
            module->DatabaseHstmt.Disconnect();
        }
    }
    bool parameterOpen() const override { return module && module->tbParameter->Active(); }
    bool parameterAutoCheckDates() const override { return false; }
    void refreshParameter() override {}
    void runLogin() override {}   // a user is signed in already
    void openTemplates(const QString&) override {}
    void postTemplates() override {}
};

// The commands of the measured start: the generation's buttons, nothing else.
class BenchCommands : public MainWindowCommands {
public:
    explicit BenchCommands(ShellServices& shell) : m_generation(reopenThroughShell(shell), m_reports.designer()) {}
    void setupNastaviPage(TMain&, QWidget*) override {}
    void buildExtraMenu(TMain&, QMenu*) override {}
    void formShow(TMain&) override {}
    void kreiranje(TMain& main) override { m_generation.kreiranje(main); }
    void izpis(TMain& main) override { m_generation.izpis(main); }

private:
    ProgramReportDesigner m_reports;
    GenerationCommands m_generation;
};

// The child: the program's start as main() does it, with the data module of the program.
int child(int argc, char** argv)
{
    QApplication app(argc, argv);
    const qint64 appMade = monotonicNanoseconds();
    QApplication::setApplicationName(QStringLiteral("obdrac"));
    installWindowedHandlers();
    BenchShell shell;
    BenchCommands commands(shell);
    const std::unique_ptr<TDataSif>& module = shell.module;
    // The login is left out: a user is signed in already.
    CurrentUserID = QStringLiteral("01");
    TMainOptions options;
    options.runVersionCheck = false;
    std::unique_ptr<TMain> main = startProgram(shell, commands, QApplication::arguments(), options);
    const qint64 moduleReady = monotonicNanoseconds();
    main->show();
    QElapsedTimer wait;
    wait.start();
    while (!main->firstPaintDone() && wait.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    const qint64 painted = monotonicNanoseconds();
    const bool ok = main->firstPaintDone() && module && module->tbParameter->Active();
    std::printf("%lld %lld %lld %d\n", static_cast<long long>(appMade), static_cast<long long>(moduleReady),
                static_cast<long long>(painted), ok ? 1 : 0);
    std::fflush(stdout);
    QuietClose = true;
    main->close();
    main.reset();
    return ok ? 0 : 1;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("OBDRAC_BENCH_STARTUP_CHILD"))
        return child(argc, argv);

    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    int runs = 7;
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == "--runs")
        runs = std::max(1, args[2].toInt());

    // The demo company in a database of its own, its INI file and registry file.
    QTemporaryDir dir;
    BenchCompany::psqlOn("postgres", QString("DROP DATABASE IF EXISTS bench_start_%1 WITH (FORCE);"
                                             "CREATE DATABASE bench_start_%1 TEMPLATE obdrac_template OWNER obdrac;")
                                         .arg(QCoreApplication::applicationPid()));
    const QString database = QString("bench_start_%1").arg(QCoreApplication::applicationPid());
    const QString ini = dir.filePath("Vektor.INI");
    {
        QFile f(ini);
        f.open(QIODevice::WriteOnly);
        f.write(QString("[Program]\nPodjetje=Demo d.o.o.\nObdracPoslDog=G1\nFillUpdateLogDir=%1\n\n[Database]\n"
                        "ServerName=%2\nDataBaseName=%3\nPodjetje=Demo d.o.o.\n")
                    .arg(dir.filePath("log"), BenchCompany::socketDir(), database)
                    .toUtf8());
    }
    const QString registry = dir.filePath("registry.ini");
    WriteSqlUserName(registry, "obdrac");
    WriteSqlPassword(registry, "obdrac");

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("OBDRAC_BENCH_STARTUP_CHILD", "1");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("OBDRAC_REGISTRY", registry);
    env.insert("OBDRAC_DATA_DIR", dir.filePath("data"));
    env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    std::vector<double> total, toApp, toModule, toPaint;
    for (int i = 0; i < runs; ++i) {
        QProcess p;
        p.setProcessEnvironment(env);
        const qint64 started = monotonicNanoseconds();
        p.start(QCoreApplication::applicationFilePath(), {ini});
        if (!p.waitForFinished(120000)) {
            out << "Zagon " << i + 1 << " se ni končal." << Qt::endl;
            return 1;
        }
        const QStringList f = QString::fromUtf8(p.readAllStandardOutput()).trimmed().split(' ');
        if (f.size() != 4 || f[3] != "1") {
            out << "Zagon " << i + 1 << " ni uspel: " << QString::fromUtf8(p.readAllStandardError()) << Qt::endl;
            return 1;
        }
        const double appMade = (f[0].toLongLong() - started) / 1e6;
        const double moduleReady = (f[1].toLongLong() - started) / 1e6;
        const double painted = (f[2].toLongLong() - started) / 1e6;
        toApp.push_back(appMade);
        toModule.push_back(moduleReady - appMade);
        toPaint.push_back(painted - moduleReady);
        total.push_back(painted);
    }
    BenchCompany::psqlOn("postgres", QString("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(database));
    std::sort(total.begin(), total.end());
    out << "Zagon programa do prikazanega glavnega okna (demo podjetje, " << runs << " zagonov): mediana "
        << QString::number(median(total), 'f', 0) << " ms (najhitreje " << QString::number(total.front(), 'f', 0)
        << " ms, najpočasneje " << QString::number(total.back(), 'f', 0) << " ms)" << Qt::endl;
    out << "  od tega: do aplikacijskega objekta " << QString::number(median(toApp), 'f', 0)
        << " ms, okno in podatkovni modul (povezave, vrstica parametrov) " << QString::number(median(toModule), 'f', 0)
        << " ms, prikaz in prvi izris " << QString::number(median(toPaint), 'f', 0) << " ms" << Qt::endl;
    return 0;
}
