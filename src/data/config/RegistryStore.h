#pragma once
#include <QString>
#include <QStringList>

#include <optional>

// The stand-in for the machine's registry: INI-style files whose sections are key paths under
// HKEY_LOCAL_MACHINE (the root name may be written in front or left out) and whose entries are
// the text values, for example
//
//   [SOFTWARE\Sintrex\SQL]
//   UserName=sa
//   Password=<EncryptHex of the password with RegistryPasswordKey>
//   [SOFTWARE\Sintrex\Upgrade]
//   PotDoTempa=c:\Temp
//   NovaVerzijaPath=/opt/obdrac/NovaVerzija
//
// Files, in the order asked: the one named by $OBDRAC_REGISTRY alone when that is set (tests,
// demonstrations); otherwise the machine-wide /etc/obdrac/registry.ini and then the user's
// ~/.config/obdrac/registry.ini ($XDG_CONFIG_HOME respected), so that a user's file supplies
// the values that the machine-wide one lacks. Key paths and value names are compared without
// regard to case. The program only reads these files; an administrator writes them.
namespace RegistryStore {

// A key path as the store keeps it: back-slashes, without the HKEY_LOCAL_MACHINE root and
// without leading or trailing back-slashes.
QString normalisedKey(const QString& keyPath);

QStringList files();

// A key can be opened when no file of the store is unreadable; with create, a key that is in no
// file counts as created (it has no values yet). Without create the key must be in a file.
bool openKey(const QString& keyPath, bool create);

// The value's text from the first file that has it.
std::optional<QString> readValue(const QString& keyPath, const QString& valueName);

} // namespace RegistryStore

inline const QString RegistrySqlKey = "SOFTWARE\\Sintrex\\SQL";
inline const QString RegistryUpgradeKey = "SOFTWARE\\Sintrex\\Upgrade";

// The value's text when the key exists and has the value, else the default. Never fails.
QString ReadRegString(const QString& keyPath, const QString& valueName, const QString& defaultValue);

// userName := UserName (default "sa"), password := DecryptHex(Password, RegistryPasswordKey).
// A key that cannot be opened ends the routine silently, leaving both as they were; other
// failures are logged as "GetUserNameAndPassword". The result is always true.
bool GetUserNameAndPassword(QString& userName, QString& password);
