#pragma once
#include "data/odbc/THdbc.h"

#include <QString>
#include <memory>

// The company's document-generation lock: while one generation run holds it, no other run on
// the same company database (from this or any other workstation) can start. It is a lock of the
// database server held by a connection of its own, so the server releases it when the run ends,
// and also when the program dies or loses its connection.
class RunLock {
public:
    enum class Outcome {
        Acquired,      // this run holds the lock
        Busy,          // another run holds it
        NotSupported,  // the server offers no such lock; the run goes on without it
    };

    // The lock's resource name on the server.
    static const QString ResourceName;   // "Obdrac.KreiranjeDokumentov"

    // Tries to take the lock without waiting, on a new connection configured like `like`
    // (driver, data source, login and connect attributes). Throws EODBC when the connection or
    // the lock statement fails.
    static std::unique_ptr<RunLock> tryAcquire(const THdbc& like, Outcome& outcome);

    // Releases the lock and closes its connection (never throws).
    ~RunLock();
    RunLock(const RunLock&) = delete;
    RunLock& operator=(const RunLock&) = delete;

private:
    RunLock() = default;
    THdbc m_connection;
    bool m_held = false;
};
