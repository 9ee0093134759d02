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

    // The text to send for a statement written in the program's SQL. PostgreSQL: every quoted
    // literal of exactly the form 'yyyy/mm/dd hh:nn:ss:z' (milliseconds z of one to three digits
    // after a colon, as the program's date-time literals carry them) becomes
    // 'yyyy/mm/dd hh:nn:ss.zzz'; nothing else changes. Other servers: unchanged.
    QString rewrite(const QString& sql) const;

    // PostgreSQL's driver reports a failed login with the generic SQLSTATE 08001; the program
    // expects the SQL Server class 28 (invalid authorization). Adjusts such records in place.
    // Called for connect failures, before any dialect is known.
    static void normalizeConnectError(EODBC& error);

    // The date-time literal rewrite on one literal's content (without quotes); exposed for tests.
    static QString rewriteDateTimeLiteral(const QString& content, bool* changed = nullptr);

private:
    Kind m_kind = Kind::Other;
};
