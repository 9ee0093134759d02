// obdrac-config: the workstation's settings that an administrator makes once (database login,
// upgrade paths, company list). See data/ConfigCommand.h.
#include "app/ConfigCommand.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    ConfigCommandIo io;
    io.out = &out;
    io.err = &err;
    io.readStdin = [] {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly))
            return QString();
        return QString::fromUtf8(in.readAll());
    };
    QStringList arguments = app.arguments();
    arguments.removeFirst();
    return RunConfigCommand(arguments, io);
}
