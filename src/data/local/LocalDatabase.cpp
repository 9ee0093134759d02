#include "data/local/LocalDatabase.h"

#include "data/local/LocalPaths.h"
#include "data/local/LocalStoreError.h"

#include <QDir>

#include <algorithm>
#include <vector>

namespace {
std::vector<LocalDatabase*>& connectedDatabases()
{
    static std::vector<LocalDatabase*> list;
    return list;
}
} // namespace

LocalDatabase::LocalDatabase(const QString& databaseName, const QString& alias)
    : m_databaseName(databaseName), m_alias(alias)
{
}

LocalDatabase::~LocalDatabase() { disconnect(); }

QString LocalDatabase::folderFor(const QString& alias, const QStringList& params)
{
    for (const QString& raw : params) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            return QDir::cleanPath(QDir(LocalPaths::localPath(line)).absolutePath());
        if (line.left(eq).trimmed().compare("PATH", Qt::CaseInsensitive) == 0)
            return QDir::cleanPath(QDir(LocalPaths::localPath(line.mid(eq + 1).trimmed())).absolutePath());
    }
    return LocalPaths::join(LocalPaths::dataFolder(), alias.trimmed().isEmpty() ? QString("VektorTemp") : alias.trimmed());
}

void LocalDatabase::connect()
{
    if (m_connected)
        return;
    const LocalDatabase* other = connected(m_databaseName);
    if (other && other != this)
        throw LocalStoreError(LocalStoreError::Kind::Other,
                              QString("Lokalna baza %1 je že povezana").arg(m_databaseName));
    const QString folder = folderFor(m_alias, m_params);
    if (!QDir().mkpath(folder))
        throw LocalStoreError(LocalStoreError::Kind::Other,
                              QString("Ne morem ustvariti mape lokalne baze %1: %2").arg(m_databaseName, folder));
    m_folder = folder;
    m_connected = true;
    connectedDatabases().push_back(this);
}

void LocalDatabase::disconnect() noexcept
{
    if (!m_connected)
        return;
    auto& list = connectedDatabases();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    m_connected = false;
}

const LocalDatabase* LocalDatabase::connected(const QString& databaseName)
{
    for (const LocalDatabase* db : connectedDatabases())
        if (db->m_databaseName.compare(databaseName, Qt::CaseInsensitive) == 0)
            return db;
    return nullptr;
}
