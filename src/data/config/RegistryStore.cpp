#include "data/config/RegistryStore.h"

#include "data/core/EAbort.h"
#include "data/log/Guard.h"
#include "data/config/IniFile.h"
#include "data/local/LocalPaths.h"
#include "data/config/Scrambling.h"

#include <QFileInfo>

namespace {
using RegistryStore::normalisedKey;

// The section of a file that stands for the key; the file may spell it with the root in front.
std::optional<QString> sectionFor(const IniFile& file, const QString& key)
{
    for (const QString& section : file.sections())
        if (normalisedKey(section).compare(key, Qt::CaseInsensitive) == 0)
            return section;
    return std::nullopt;
}
} // namespace

namespace RegistryStore {

QStringList files()
{
    const QString own = qEnvironmentVariable("OBDRAC_REGISTRY");
    if (!own.isEmpty())
        return {own};
    return {"/etc/obdrac/registry.ini", LocalPaths::configFolder() + "/registry.ini"};
}

bool openKey(const QString& keyPath, bool create)
{
    const QString key = normalisedKey(keyPath);
    bool found = false;
    for (const QString& name : files()) {
        const QFileInfo info(name);
        if (!info.exists())
            continue;
        if (!info.isFile() || !info.isReadable())
            return false;
        try {
            found = found || sectionFor(IniFile(name), key).has_value();
        } catch (const IniFileError&) {
            return false;
        }
    }
    return found || create;
}

std::optional<QString> readValue(const QString& keyPath, const QString& valueName)
{
    const QString key = normalisedKey(keyPath);
    for (const QString& name : files()) {
        if (!QFileInfo(name).isFile())
            continue;
        try {
            const IniFile file(name);
            if (const auto section = sectionFor(file, key))
                if (auto value = file.value(*section, valueName))
                    return value;
        } catch (const IniFileError&) {
        }
    }
    return std::nullopt;
}

} // namespace RegistryStore

QString ReadRegString(const QString& keyPath, const QString& valueName, const QString& defaultValue)
{
    try {
        if (RegistryStore::openKey(keyPath, false))
            if (const auto value = RegistryStore::readValue(keyPath, valueName))
                return *value;
    } catch (...) {
    }
    return defaultValue;
}

bool GetUserNameAndPassword(QString& userName, QString& password)
{
    guard("GetUserNameAndPassword", nullptr, [&] {
        for (const QString& key : {QString("SOFTWARE"), QString("SOFTWARE\\Sintrex"), RegistrySqlKey})
            if (!RegistryStore::openKey(key, true))
                throw EAbort();
        userName = ReadRegString(RegistrySqlKey, "UserName", "sa");
        password = DecryptHex(ReadRegString(RegistrySqlKey, "Password", QString()), RegistryPasswordKey);
    });
    return true;
}

QString RegistryStore::normalisedKey(const QString& keyPath)
{
    QString key = keyPath.trimmed();
    key.replace(u'/', u'\\');
    for (const QString root : {"HKEY_LOCAL_MACHINE\\", "HKLM\\"})
        if (key.startsWith(root, Qt::CaseInsensitive))
            key = key.mid(root.size());
    while (key.startsWith(u'\\'))
        key = key.mid(1);
    while (key.endsWith(u'\\'))
        key.chop(1);
    return key;
}
