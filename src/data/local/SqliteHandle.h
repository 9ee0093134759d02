#pragma once
#include "data/local/LocalStoreError.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// Owners of the SQLite handles of the local table store. Move-only; the destructors never throw.
// Every failing call raises LocalStoreError with the engine's message.

class SqliteStatement;

class SqliteConnection {
public:
    enum class Mode { OpenExisting, Create };

    SqliteConnection() = default;
    // Opens the file for reading and writing; OpenExisting fails (Missing) when there is none.
    SqliteConnection(const QString& path, Mode mode, int busyTimeoutMs);
    ~SqliteConnection();
    SqliteConnection(SqliteConnection&& other) noexcept;
    SqliteConnection& operator=(SqliteConnection&& other) noexcept;
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    bool isOpen() const { return m_db != nullptr; }
    void close() noexcept;
    void exec(const QString& sql);   // one or more statements without results
    SqliteStatement prepare(const QString& sql);
    qint64 lastInsertRowId() const;
    const QString& path() const { return m_path; }

    // Raises LocalStoreError for a result code of the engine (kind from the code).
    [[noreturn]] void raise(int code, const QString& what) const;

private:
    sqlite3* m_db = nullptr;
    QString m_path;
};

class SqliteStatement {
public:
    SqliteStatement() = default;
    SqliteStatement(const SqliteConnection* connection, sqlite3_stmt* stmt) : m_connection(connection), m_stmt(stmt) {}
    ~SqliteStatement();
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Binds a value at a 1-based position: null, integer, floating, text; a date-time is bound as
    // ISO text with milliseconds.
    void bind(int position, const QVariant& value);
    bool step();                       // true while a row is there
    int columnCount() const;
    QString columnName(int column) const;   // 0-based
    QVariant column(int column) const;      // 0-based: null, qint64, double or QString
    qint64 columnInt(int column) const;
    QString columnText(int column) const;

private:
    const SqliteConnection* m_connection = nullptr;
    sqlite3_stmt* m_stmt = nullptr;
};

// An identifier in double quotes with inner quotes doubled.
QString sqliteQuoted(const QString& identifier);
