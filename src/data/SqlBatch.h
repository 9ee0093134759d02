#pragma once
#include <vector>
#include <QString>
#include <QVariant>

class THstmt;
struct SqlRow;

// Generated INSERT and DELETE statements collected in a text buffer owned by the caller (each
// statement ended by "; ") and sent to the database in batches on the given statement (the data
// module's write statement UpdateHstmt under the wrappers of DataSifRoutines.h).

// The length above which an unforced sqlExecute sends the buffer.
inline constexpr int SqlBatchThreshold = 8192;

// Appends "INSERT INTO " + Table + "(" + names joined by "," + ") VALUES (" + values joined by
// "," + "); ". Pairs alternate column name and value; an odd number of entries appends nothing.
// Values by kind: integers as decimal numbers; floating numbers by FloatToStrSQL; Money amounts
// exactly (FloatToStrSQL(Money)); texts "'...'" with apostrophes doubled; dates and date-times
// "'yyyy/mm/dd hh:nn:ss'", or null for an empty (invalid or zero) date; anything else (NULL
// among them) null.
void sqlInsertValues(const QString& Table, const QVariantList& Pairs, QString& Buffer);

// The same rows as sqlInsertValues for each of Rows, as few statements as they allow: rows that
// follow each other with the same column names share one "INSERT INTO t(names) VALUES (...),(...)"
// of at most MaxRowsPerInsert rows (the limit of SQL Server's row constructor), each statement
// ended by "; ". Rows with an odd number of entries append nothing.
void sqlInsertRows(const QString& Table, const std::vector<QVariantList>& Rows, QString& Buffer);
inline constexpr int MaxRowsPerInsert = 1000;

// The statements of sqlInsertRows collected row by row, for a caller that needs to know how long
// the text will be before it is written (a batch that is sent once it is long enough). Each row's
// values are turned into text once, when it is added.
class SqlInsertRows {
public:
    explicit SqlInsertRows(QString table) : m_table(std::move(table)) {}

    // Adds one row (pairs of column name and value, as sqlInsertValues takes them); a row with an
    // odd number of entries adds nothing.
    void add(const QVariantList& pairs);
    // Adds a row made already (SqlRow.h); a row without values adds nothing.
    void add(const SqlRow& row);
    bool isEmpty() const { return m_statements.empty(); }
    const QString& table() const { return m_table; }
    // The number of characters appendTo() appends.
    qsizetype length() const { return m_length; }
    // Appends the statements, each ended by "; ", exactly as sqlInsertRows writes the same rows.
    void appendTo(QString& out) const;

private:
    struct Statement {
        QString names;        // the column names of the statement's rows
        QString text;         // "INSERT INTO t(names) VALUES (...),(...)" without the "; "
        int rows = 0;
    };
    QString m_table;
    std::vector<Statement> m_statements;
    qsizetype m_length = 0;
};

// Appends "DELETE FROM " + Table + " WHERE " + Where + "; ", or "TRUNCATE TABLE " + Table + "; "
// when Where is empty. Returns true.
bool sqlDeleteFromTableSQL(const QString& Table, const QString& Where, QString& Buffer);

// Deletes at once (sqlDeleteFromTableSQL into an empty buffer, sqlExecute forced). Returns true
// when the statement was executed. A failure (also a failed execution, which sqlExecute has
// logged) is logged as "sqlDeleteFromTable" and ends in a silent abort (EAbort), so that a
// caller's before-delete handler abandons its own deletion.
bool sqlDeleteFromTable(THstmt& Statement, const QString& Table, const QString& Where);

// Unforced and with a buffer of at most SqlBatchThreshold characters: returns true at once and
// leaves the buffer to grow. Otherwise runs the buffer as one batch (executeBatch) and empties it;
// an empty buffer is not sent. The result is true when nothing failed; a failure is logged as
// "sqlExecute", gives false and leaves the buffer unchanged, so that the caller decides whether
// to send it again or drop it.
bool sqlExecute(THstmt& Statement, QString& Buffer, bool Force);

// Runs one batch text (statements separated by "; ") on Statement, closed before and after,
// exactly once. Returns normally when every statement of the text succeeded; otherwise throws
// the failure as the statement layer raised it (EODBC with its diagnostic records), after the
// log entry "HstmtExecute-" + statement name. With SqlTraceOn a successful batch writes the trace row
// "HstmtExecute". Nothing is retried.
void executeBatch(THstmt& Statement, const QString& Batch);
