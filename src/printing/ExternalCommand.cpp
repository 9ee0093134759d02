#include "printing/ExternalCommand.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

std::optional<ExternalCommand> CommandFromLine(const QString& commandLine, const QString& file)
{
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return std::nullopt;
    ExternalCommand command;
    command.program = words.takeFirst();
    bool placed = false;
    for (QString& word : words) {
        if (word.contains(QLatin1String("%1"))) {
            word.replace(QLatin1String("%1"), file);
            placed = true;
        }
    }
    if (!placed && !file.isEmpty())
        words << file;
    command.arguments = words;
    return command;
}

QString FindExternalProgram(const QString& program)
{
    if (program.isEmpty())
        return {};
    if (program.contains(u'/')) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

bool StartExternalCommand(const ExternalCommand& command, QString* error)
{
    const QString path = FindExternalProgram(command.program);
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("Programa \"%1\" ni mogoče najti ali pa ga ni mogoče zagnati.")
                         .arg(command.program);
        return false;
    }
    QProcess process;
    process.setProgram(path);
    process.setArguments(command.arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        if (error)
            *error = QStringLiteral("Programa \"%1\" ni mogoče zagnati: %2")
                         .arg(command.program, process.errorString());
        return false;
    }
    return true;
}
