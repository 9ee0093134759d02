#include "data/config/ProgramIni.h"

#include "data/log/Guard.h"

#include <memory>

namespace {
std::unique_ptr<IniFile>& current()
{
    static std::unique_ptr<IniFile> ini;
    return ini;
}
} // namespace

void setProgramIniFile(const QString& name)
{
    current() = std::make_unique<IniFile>(IniFile::resolveFileName(name.trimmed().isEmpty() ? QString("Vektor.INI") : name));
}

IniFile& programIniFile()
{
    if (!current())
        setProgramIniFile("Vektor.INI");
    return *current();
}

QString GetStringFromIniFile(const QString& section, const QString& key, const QString& defaultValue)
{
    if (section.isEmpty() || key.isEmpty())
        return {};
    return guard("GetStringFromIniFile", nullptr, defaultValue,
                 [&] { return programIniFile().readString(section, key, defaultValue); });
}

void WriteStringToIniFile(const QString& section, const QString& key, const QString& value)
{
    if (section.isEmpty() || key.isEmpty())
        return;
    guard("WriteStringToIniFile", nullptr, [&] { programIniFile().writeString(section, key, value); });
}
