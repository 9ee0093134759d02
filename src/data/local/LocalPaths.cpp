#include "data/local/LocalPaths.h"

#include <QDir>

namespace LocalPaths {
namespace {
QString homeFolder()
{
    const QString home = qEnvironmentVariable("HOME");
    return home.isEmpty() ? QDir::homePath() : home;
}

QString xdgFolder(const char* variable, const char* fallbackUnderHome)
{
    QString base = qEnvironmentVariable(variable);
    // The XDG rules ignore relative values.
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = homeFolder() + "/" + fallbackUnderHome;
    return QDir::cleanPath(base + "/obdrac");
}
} // namespace

QString dataFolder()
{
    const QString own = qEnvironmentVariable("OBDRAC_DATA_DIR");
    if (!own.isEmpty())
        return QDir::cleanPath(QDir(own).absolutePath());
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}

QString configFolder() { return xdgFolder("XDG_CONFIG_HOME", ".config"); }

bool isDrivePath(const QString& path)
{
    if (path.size() < 2 || path[1] != u':' || !path[0].isLetter() || path[0].unicode() > 127)
        return false;
    return path.size() == 2 || path[2] == u'\\' || path[2] == u'/';
}

QString localPath(const QString& path)
{
    QString p = path.trimmed();
    if (!isDrivePath(p)) {
        p.replace(u'\\', u'/');
        return p;
    }
    const QChar drive = p[0].toLower();
    QString rest = p.mid(2);
    rest.replace(u'\\', u'/');
    QString base = dataFolder();
    if (drive != u'c')
        base += QString("/") + drive;
    if (rest.isEmpty() || rest == "/")
        return base;
    const bool folder = rest.endsWith(u'/');
    QString out = QDir::cleanPath(base + "/" + rest);
    // "c:\..\x" must not leave the data folder.
    if (out != base && !out.startsWith(base + "/"))
        out = base;
    return folder && out != base ? out + "/" : out;
}

QString join(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(u'/'))
        return name.startsWith(u'/') ? folder + name.mid(1) : folder + name;
    return name.startsWith(u'/') ? folder + name : folder + "/" + name;
}

} // namespace LocalPaths
