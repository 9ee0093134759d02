#pragma once
#include <QString>

// Where the workstation's own files live on this platform.
//
// The program's data folder holds the local tables (error log, temporary tables, company list)
// and everything the configuration names with a drive path:
//   $OBDRAC_DATA_DIR when set (tests and demonstrations), else $XDG_DATA_HOME/obdrac, else
//   ~/.local/share/obdrac.
// Drive paths written the old way map into it: "c:\X\Y" becomes <data folder>/X/Y and "c:\"
// the data folder itself; another drive letter d gets its own sub-folder <data folder>/d/...
// A path that is not a drive path is only given forward slashes and is otherwise unchanged.
//
// The configuration folder: $XDG_CONFIG_HOME/obdrac, else ~/.config/obdrac.
namespace LocalPaths {

QString dataFolder();
QString configFolder();

// True for "c:\...", "C:/..." and a bare "c:".
bool isDrivePath(const QString& path);

// The local place of a path from the configuration or from the program (see above).
QString localPath(const QString& path);

// Joins a folder and a name with exactly one "/" between them.
QString join(const QString& folder, const QString& name);

} // namespace LocalPaths
