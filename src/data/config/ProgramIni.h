#pragma once
#include "data/config/IniFile.h"

#include <QString>

// The program's configuration file, open from start-up to the end of the run. The program sets
// it once at start-up from its first command-line argument, else "Vektor.INI"; the name is
// resolved with IniFile::resolveFileName (a bare name: current folder, then
// $XDG_CONFIG_HOME/obdrac). Until it is set, the default name is used.
void setProgramIniFile(const QString& name);
IniFile& programIniFile();

// The key's text, or the default when it is missing; empty text without reading when the section
// or key name is empty. Failures are logged as "GetStringFromIniFile" and give the default.
QString GetStringFromIniFile(const QString& section, const QString& key, const QString& defaultValue);
// Writes the key; nothing when the section or key name is empty. Failures are logged as
// "WriteStringToIniFile".
void WriteStringToIniFile(const QString& section, const QString& key, const QString& value);
