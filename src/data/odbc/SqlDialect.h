#pragma once
#include <QString>

class EODBC;

// What differs between the database servers the program talks to. The suite's own server is
// Microsoft SQL Server, whose SQL the program writes; for PostgreSQL the statement text is
// adjusted where the two disagree. Chosen after connecting from the driver's SQL_DBMS_NAME.
class SqlDialect {
public:
    enum class Kind { SqlServer, PostgreSQL, Other };

    SqlDialect() = default;
    explicit SqlDialect(Kind kind) : m_kind(kind) {}
    // "PostgreSQL" gives PostgreSQL, "Microsoft SQL Server" gives SqlServer, anything else Other.
    static SqlDialect fromDbmsName(const QString& dbmsName);

    Kind kind() const noexcept { return m_kind; }
    QString name() const;

    // The text to send for a statement written in the program's SQL. PostgreSQL:
    // - every quoted literal of exactly the form 'yyyy/mm/dd hh:nn:ss:z' (milliseconds z of one
    //   to three digits after a colon, as the program's date-time literals carry them) becomes
    //   'yyyy/mm/dd hh:nn:ss.zzz';
    // - outside quotes (see rewriteUnquoted): LIKE between blanks becomes ILIKE, and the column
    //   Limit in a select list becomes "limit".
    // Nothing else changes. Other servers: unchanged.
    QString rewrite(const QString& sql) const;

    // The PostgreSQL rewrites of a piece of statement text that lies outside quotes:
    // - the word LIKE (any case) with white space on both sides becomes ILIKE, since the suite's
    //   server compares texts without regard to case;
    // - the bare identifier Limit (any case; a reserved word on PostgreSQL, where the schema
    //   names the column "limit"), when preceded by "," or SELECT and followed by "," or FROM
    //   (white space between them allowed), becomes "limit" in double quotes.
    static QString rewriteUnquoted(const QString& text);

    // PostgreSQL's driver reports a failed login with the generic SQLSTATE 08001; the program
    // expects the SQL Server class 28 (invalid authorization). Adjusts such records in place.
    // Called for connect failures, before any dialect is known.
    static void normalizeConnectError(EODBC& error);

    // The date-time literal rewrite on one literal's content (without quotes); exposed for tests.
    static QString rewriteDateTimeLiteral(const QString& content, bool* changed = nullptr);

    // An exclusive lock on a named resource of the current database, held by the session (the
    // connection) that takes it until it releases it or the connection ends (also when the
    // program dies). The lock statement does not wait; its first result column is 1 when the
    // lock was taken and 0 when another session holds it. Empty texts: the server has no such
    // locks. resource: letters, digits, "." and "_" only.
    // PostgreSQL: an advisory session lock keyed by a stable 64-bit hash of the name.
    // SQL Server: sp_getapplock / sp_releaseapplock with @LockOwner = 'Session'.
    QString sessionLockStatement(const QString& resource) const;
    QString sessionUnlockStatement(const QString& resource) const;
    // The advisory-lock key of a resource name (FNV-1a, 64 bits, as a signed number).
    static qint64 advisoryLockKey(const QString& resource);

private:
    Kind m_kind = Kind::Other;
};
