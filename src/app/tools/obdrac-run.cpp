// obdrac-run: the generation of page "Kreiranje" for schedulers (cron, systemd timers), without
// windows. See app/HeadlessRun.h.
#include "app/HeadlessRun.h"

#include <QGuiApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    // The report files (--pdf ...) need fonts, so a GUI application, but never a display: without
    // a platform chosen it works off screen, as a scheduler runs it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("obdrac-run"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    HeadlessRun run(out, err);
    run.readStdin = [] {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return QString();
        return QString::fromUtf8(in.readAll());
    };
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const int rc = run.run(arguments);
    out.flush();
    err.flush();
    return rc;
}
