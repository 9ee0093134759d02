#include "data/config/ProgramStart.h"

#include "data/core/Exception.h"
#include "data/log/Guard.h"
#include "data/local/LocalPaths.h"
#include "data/log/MessageBoxes.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {
int failed(int code)
{
    switch (code) {
    case 0: showError("The system is out of memory or resources."); break;
    case 2: showError("The specified file was not found."); break;
    case 3: showError("The specified path was not found."); break;
    case 11: showError("The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."); break;
    default: break;
    }
    return code;
}
} // namespace

int TWinExec(const QString& commandLine, int showMode)
{
    Q_UNUSED(showMode);
    return guard("TWinExec-" + commandLine, nullptr, -1, [&]() -> int {
        if (commandLine.count(u'"') % 2 != 0)
            throw Exception("Ukazna vrstica ima neparno število narekovajev: " + commandLine);
        QStringList words = QProcess::splitCommand(commandLine);
        if (words.isEmpty() || words.front().trimmed().isEmpty())
            throw Exception("Prazna ukazna vrstica");
        QString program = words.takeFirst();
        if (LocalPaths::isDrivePath(program))
            program = LocalPaths::localPath(program);

        QString resolved;
        if (program.contains(u'/')) {
            const QFileInfo info(program);
            if (!info.exists())
                return failed(QFileInfo(info.absolutePath()).isDir() ? 2 : 3);
            if (!info.isFile() || !info.isExecutable())
                return failed(11);
            resolved = info.absoluteFilePath();
        } else {
            resolved = QStandardPaths::findExecutable(program);
            if (resolved.isEmpty())
                return failed(2);
        }
        if (!QProcess::startDetached(resolved, words))
            return failed(11);
        return ProgramStarted;
    });
}
