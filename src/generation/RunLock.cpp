#include "generation/RunLock.h"

#include "data/odbc/THstmt.h"

const QString RunLock::ResourceName = QStringLiteral("Obdrac.KreiranjeDokumentov");

std::unique_ptr<RunLock> RunLock::tryAcquire(const THdbc& like, Outcome& outcome)
{
    std::unique_ptr<RunLock> lock(new RunLock);
    THdbc& c = lock->m_connection;
    c.setName(QStringLiteral("DatabaseLock"));
    c.setDriver(like.Driver());
    c.setDataSource(like.DataSource());
    c.setUserName(like.UserName());
    c.setPassword(like.Password());
    c.setAttributes(like.Attributes());
    c.setIsolationLevel(like.IsolationLevel());
    c.Connect();
    const QString sql = c.dialect().sessionLockStatement(ResourceName);
    if (sql.isEmpty()) {
        outcome = Outcome::NotSupported;
        return lock;
    }
    THstmt q(&c);
    q.setName(QStringLiteral("qRunLock"));
    q.setSQL(sql);
    q.Execute();
    const bool taken = q.FetchNext() && q.ColumnAsInteger(1) == 1;
    q.Close();
    lock->m_held = taken;
    outcome = taken ? Outcome::Acquired : Outcome::Busy;
    return lock;
}

RunLock::~RunLock()
{
    try {
        if (m_held && m_connection.Connected()) {
            THstmt q(&m_connection);
            q.setSQL(m_connection.dialect().sessionUnlockStatement(ResourceName));
            q.Execute();
            q.Close();
        }
    } catch (...) {
        // Closing the connection below releases the lock as well.
    }
    try {
        m_connection.Disconnect();
    } catch (...) {
    }
}
