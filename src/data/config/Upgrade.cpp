#include "data/config/Upgrade.h"

#include "data/core/EAbort.h"
#include "data/log/Guard.h"
#include "data/local/LocalPaths.h"
#include "data/log/MessageBoxes.h"
#include "data/config/ProgramStart.h"
#include "data/config/RegistryStore.h"
#include "data/config/VersionInfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMetaObject>

namespace {
std::function<void()>& terminateAction()
{
    static std::function<void()> action;
    return action;
}

QString quotedIfNeeded(const QString& path)
{
    if (path.startsWith(u'"') || !path.contains(u' '))
        return path;
    return "\"" + path + "\"";
}
} // namespace

void setTerminateAction(std::function<void()> action) { terminateAction() = std::move(action); }

void terminateProgram()
{
    if (terminateAction()) {
        terminateAction()();
        return;
    }
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &QCoreApplication::quit, Qt::QueuedConnection);
}

bool TestBuildNo(const QString& programFile, bool terminate)
{
    return guard("TestBuildNo", nullptr, true, [&] {
        const QFileInfo program(programFile);
        const QString name = program.fileName();
        const QString folder = program.absolutePath();
        for (const QString& key : {QString("SOFTWARE"), QString("SOFTWARE\\Sintrex"), RegistryUpgradeKey})
            if (!RegistryStore::openKey(key, true))
                throw EAbort();
        const QString waitingFolder = LocalPaths::localPath(ReadRegString(RegistryUpgradeKey, "PotDoTempa", "c:\\Temp"));
        const QString newCopy = LocalPaths::join(waitingFolder, name);

        QString newVersion, newBuild, ownVersion, ownBuild;
        GetFileVersionAndBuild(newCopy, newVersion, newBuild);
        GetFileVersionAndBuild(programFile, ownVersion, ownBuild);
        if (ownBuild.toLongLong() >= newBuild.toLongLong())
            return true;

        showInformation("Potrebujete novo verzijo programa !");
        QString installer = ReadRegString(RegistryUpgradeKey, "NovaVerzijaPath", LocalPaths::join(folder, "NovaVerzija"));
        if (LocalPaths::isDrivePath(installer))
            installer = LocalPaths::localPath(installer);
        TWinExec(quotedIfNeeded(installer) + " /L", ShowModeNormal);
        if (terminate)
            terminateProgram();
        return false;
    });
}
