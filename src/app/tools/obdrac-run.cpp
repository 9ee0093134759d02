// obdrac-run: the generation of page "Kreiranje" for schedulers (cron, systemd timers), without
// windows. See app/HeadlessRun.h.
#include "app/HeadlessRun.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
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
