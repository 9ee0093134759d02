#pragma once
#include <QString>

// Writing the registry store's files (see RegistryStore.h): what an administrator does once per
// machine or user, through obdrac-config. The program itself only reads them.
namespace RegistryStore {

QString machineFile();   // /etc/obdrac/registry.ini
QString userFile();      // <configuration folder>/registry.ini
// Where obdrac-config writes unless told otherwise: $OBDRAC_REGISTRY when set, else the
// user's file.
QString defaultWriteFile();

// Writes one value into the file, in the section of the key path (a section that spells the
// same key differently, with the root in front for instance, is used as it is). Every other
// line of the file stays as it was. A new file is made readable by its owner only, one under
// /etc/ by everybody (the program of every user reads it). Raises IniFileError.
void writeValue(const QString& file, const QString& keyPath, const QString& valueName, const QString& value);

} // namespace RegistryStore

// The database login: SOFTWARE\Sintrex\SQL UserName and Password (the password scrambled with
// RegistryPasswordKey, as hexadecimal text), read back by GetUserNameAndPassword.
void WriteSqlUserName(const QString& file, const QString& userName);
void WriteSqlPassword(const QString& file, const QString& password);

// The upgrade paths: SOFTWARE\Sintrex\Upgrade PotDoTempa and NovaVerzijaPath.
void WriteUpgradeTempPath(const QString& file, const QString& potDoTempa);
void WriteUpgradeProgramPath(const QString& file, const QString& novaVerzijaPath);
