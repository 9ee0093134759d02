#include "generation/BatchTransaction.h"

#include "data/odbc/EODBC.h"
#include "data/odbc/OdbcCounters.h"
#include "data/odbc/THdbc.h"

#include <sqlext.h>

namespace {

void setAutoCommit(SQLHDBC dbc, bool on)
{
    const auto value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    checkOdbc(SQLSetConnectAttr(dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(value)),
                                SQL_IS_UINTEGER),
              SQL_HANDLE_DBC, dbc);
}

SQLHDBC connectedHandle(const THdbc& connection)
{
    SQLHDBC dbc = connection.handle();
    if (dbc == SQL_NULL_HDBC || !connection.Connected())
        throw EODBC::fromMessage(QStringLiteral("Povezava ") + connection.Name() + QStringLiteral(" ni odprta !"));
    return dbc;
}

} // namespace

BatchTransaction::BatchTransaction(THdbc& connection) : m_connection(connection)
{
    setAutoCommit(connectedHandle(connection), false);
}

void BatchTransaction::commit()
{
    SQLHDBC dbc = connectedHandle(m_connection);
    ++odbcCounters.commits;
    checkOdbc(SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_COMMIT), SQL_HANDLE_DBC, dbc);
    m_committed = true;
}

BatchTransaction::~BatchTransaction()
{
    SQLHDBC dbc = m_connection.handle();
    if (dbc == SQL_NULL_HDBC)
        return;
    try {
        if (!m_committed)
            SQLEndTran(SQL_HANDLE_DBC, dbc, SQL_ROLLBACK);
        setAutoCommit(dbc, true);
    } catch (...) {
        // A connection that cannot even roll back is broken; its next use reports that.
    }
}
