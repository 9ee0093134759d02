#pragma once

class THdbc;

// One transaction on a connection that otherwise runs in auto-commit mode: the constructor
// switches auto-commit off (the driver begins a transaction with the next statement), commit()
// makes the work permanent, and the destructor rolls back whatever was not committed and
// switches auto-commit on again. Works alike on every ODBC driver, whether or not the server
// would run a multi-statement text atomically by itself.
//
//   BatchTransaction tx(DataSif->DatabaseHstmt);   // throws EODBC
//   stmt.ExecDirect(batch);                         // throws EODBC: rolled back
//   tx.commit();                                    // throws EODBC: rolled back
class BatchTransaction {
public:
    explicit BatchTransaction(THdbc& connection);
    ~BatchTransaction();
    BatchTransaction(const BatchTransaction&) = delete;
    BatchTransaction& operator=(const BatchTransaction&) = delete;

    void commit();
    bool committed() const { return m_committed; }

private:
    THdbc& m_connection;
    bool m_committed = false;
};
