#pragma once
#include <QString>
#include <QStringList>

// A named local database of the local table store: a folder on the workstation that holds the
// tables addressed by this database name. The folder comes from the alias and the optional
// parameter lines, both of which take effect at the next connect:
// - a parameter line "PATH=<folder>" (name in any case) or a line that is only a folder names
//   the folder; a drive path ("c:\Temp\Vektor") maps into the program's data folder
//   (LocalPaths::localPath);
// - without one, the folder is <data folder>/<alias>.
// The folder is created at connect. A table object that names this database finds it by name
// while it is connected.
class LocalDatabase {
public:
    LocalDatabase(const QString& databaseName, const QString& alias);
    ~LocalDatabase();
    LocalDatabase(const LocalDatabase&) = delete;
    LocalDatabase& operator=(const LocalDatabase&) = delete;

    const QString& databaseName() const { return m_databaseName; }
    const QString& alias() const { return m_alias; }
    void setAlias(const QString& alias) { m_alias = alias; }
    const QStringList& params() const { return m_params; }
    void setParams(const QStringList& params) { m_params = params; }

    // Raises LocalStoreError when the folder cannot be created, or when another connected
    // database object already has this database name.
    void connect();
    void disconnect() noexcept;
    bool isConnected() const { return m_connected; }
    const QString& folder() const { return m_folder; }   // of the current connection

    static QString folderFor(const QString& alias, const QStringList& params);
    // The connected database of that name (case ignored), or null.
    static const LocalDatabase* connected(const QString& databaseName);

private:
    QString m_databaseName;
    QString m_alias;
    QStringList m_params;
    QString m_folder;
    bool m_connected = false;
};
