#pragma once
#include <QByteArray>
#include <QString>
#include <exception>
#include <vector>

#include <sql.h>

// One diagnostic record of a failed ODBC call.
struct OdbcDiagnostic {
    QString sqlState;       // five characters; empty for the layer's own records
    qint32 nativeError = 0; // driver- or server-specific code
    QString message;        // at most 256 characters kept from the driver's text
};

// The exception raised by any failing ODBC call (and by a statement whose parameter markers
// cannot be parsed). It carries every diagnostic record in the order ODBC returned them and a
// current index that starts at the first record; what() and message() give the current record's
// message, so a freshly raised EODBC reads as the first diagnostic.
class EODBC : public std::exception {
public:
    // Texts of the records the layer adds itself.
    static const QString UnableToRetrieve;   // "Unable to Retrieve ODBC Error"
    static const QString InvalidHandle;      // "Invalid ODBC Handle"
    static const QString NoDataFound;        // "No Data Found"
    static QString returnCodeText(int rc);   // "ODBC Return Code " + rc

    explicit EODBC(std::vector<OdbcDiagnostic> records);
    // A single record with empty SQLSTATE and native error 0.
    static EODBC fromMessage(const QString& message);

    const char* what() const noexcept override { return m_what.constData(); }

    const std::vector<OdbcDiagnostic>& records() const noexcept { return m_records; }
    int recordCount() const noexcept { return int(m_records.size()); }
    int currentIndex() const noexcept { return m_current; }
    void setCurrentIndex(int index);       // clamped to the valid range
    bool hasPrior() const noexcept { return m_current > 0; }
    bool hasNext() const noexcept { return m_current + 1 < recordCount(); }
    void prior() { setCurrentIndex(m_current - 1); }
    void next() { setCurrentIndex(m_current + 1); }

    // Fields of the current record.
    const OdbcDiagnostic& current() const noexcept { return m_records[size_t(m_current)]; }
    const QString& message() const noexcept { return current().message; }
    const QString& sqlState() const noexcept { return current().sqlState; }
    qint32 nativeError() const noexcept { return current().nativeError; }
    // The two-character class of the first record's SQLSTATE ("28", "23", "42" ...).
    QString sqlStateClass() const;
    // True when any record has this SQLSTATE, or this class when two characters are given.
    bool hasSqlState(const QString& stateOrClass) const;
    // Every record as "SQLSTATE (native): message", one per line (for logs).
    QString fullText() const;

    // The statement text whose execution failed, when known (for logs; empty otherwise).
    const QString& statementText() const noexcept { return m_statement; }
    void setStatementText(const QString& sql) { m_statement = sql; }

    // Replaces a record's SQLSTATE (used to report driver-specific codes in one form).
    void setSqlState(int index, const QString& state);

private:
    void updateWhat();

    std::vector<OdbcDiagnostic> m_records;
    int m_current = 0;
    QByteArray m_what;
    QString m_statement;
};

// Which return codes other than success count as success for one call.
enum class OdbcAllow : unsigned {
    Success = 0,
    NoData = 1,    // SQL_NO_DATA is an expected outcome (end of rows, nothing updated)
    NeedData = 2,  // SQL_NEED_DATA starts the data-at-execution exchange
    NoDataOrNeedData = 3,
};

// The one gate every ODBC call goes through: returns rc when it is SQL_SUCCESS,
// SQL_SUCCESS_WITH_INFO or allowed; otherwise reads the diagnostics of the handle and throws
// EODBC. Each record is read exactly once, in order, until SQL_NO_DATA.
SQLRETURN checkOdbc(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle,
                    OdbcAllow allow = OdbcAllow::Success);

// Reads the diagnostic records of a handle after a call returned rc (used by checkOdbc; public
// for tests and for reporting warnings).
std::vector<OdbcDiagnostic> readOdbcDiagnostics(SQLRETURN rc, SQLSMALLINT handleType, SQLHANDLE handle);
