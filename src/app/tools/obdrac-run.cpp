// obdrac-run: the generation of page "Kreiranje" for schedulers (cron, systemd timers), without
// windows. See app/HeadlessRun.h.
#include "app/HeadlessRun.h"

#include <QGuiApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

int main(int argc, char* argv[])
{
    // The report files (--pdf ...) need fonts, so a GUI application, but never a display: without
    // a platform chosen it works off screen, as a scheduler runs it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A scheduler gives no session folder: a private one of our own, so that the run's output
    // stays free of the toolkit's warning about it.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = "/tmp/obdrac-runtime-" + QByteArray::number(uint(::getuid()));
        ::mkdir(runtime.constData(), 0700);
        struct stat st {};
        if (::stat(runtime.constData(), &st) == 0 && st.st_uid == ::getuid() && (st.st_mode & 0777) == 0700)
            qputenv("XDG_RUNTIME_DIR", runtime);
    }
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
