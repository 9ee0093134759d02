#include "data/config/RegistryFileWriter.h"

#include "data/config/IniFile.h"
#include "data/local/LocalPaths.h"
#include "data/config/RegistryStore.h"
#include "data/config/Scrambling.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using RegistryStore::normalisedKey;

namespace RegistryStore {

QString machineFile() { return QStringLiteral("/etc/obdrac/registry.ini"); }
QString userFile() { return LocalPaths::configFolder() + "/registry.ini"; }

QString defaultWriteFile()
{
    const QString own = qEnvironmentVariable("OBDRAC_REGISTRY");
    return own.isEmpty() ? userFile() : own;
}

void writeValue(const QString& file, const QString& keyPath, const QString& valueName, const QString& value)
{
    const QString key = normalisedKey(keyPath);
    if (!QFileInfo::exists(file)) {
        // Made empty first with its final permissions, so that a password is never readable by
        // others, not even for a moment.
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFileDevice::Permissions p = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        if (QFileInfo(file).absoluteFilePath().startsWith("/etc/"))
            p |= QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QFile created(file);
        if (!created.open(QIODevice::WriteOnly | QIODevice::NewOnly, p))
            throw IniFileError(QString("Datoteke %1 ni mogoče ustvariti: %2").arg(file, created.errorString()));
        created.close();
    }
    IniFile ini(file);
    QString section = key;
    for (const QString& s : ini.sections())
        if (normalisedKey(s).compare(key, Qt::CaseInsensitive) == 0) {
            section = s;
            break;
        }
    ini.writeString(section, valueName, value);
}

} // namespace RegistryStore

void WriteSqlUserName(const QString& file, const QString& userName)
{
    RegistryStore::writeValue(file, RegistrySqlKey, "UserName", userName);
}

void WriteSqlPassword(const QString& file, const QString& password)
{
    RegistryStore::writeValue(file, RegistrySqlKey, "Password", EncryptHex(password, RegistryPasswordKey));
}

void WriteUpgradeTempPath(const QString& file, const QString& potDoTempa)
{
    RegistryStore::writeValue(file, RegistryUpgradeKey, "PotDoTempa", potDoTempa);
}

void WriteUpgradeProgramPath(const QString& file, const QString& novaVerzijaPath)
{
    RegistryStore::writeValue(file, RegistryUpgradeKey, "NovaVerzijaPath", novaVerzijaPath);
}
