#include "data/odbc/OdbcHandle.h"

#include "data/odbc/EODBC.h"

template <SQLSMALLINT HandleType>
OdbcHandle<HandleType>::OdbcHandle(SQLHANDLE parent)
{
    SQLHANDLE h = SQL_NULL_HANDLE;
    const SQLRETURN rc = SQLAllocHandle(HandleType, parent, &h);
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
        if (HandleType == SQL_HANDLE_ENV || parent == SQL_NULL_HANDLE)
            throw EODBC({{QString(), 0, rc == SQL_INVALID_HANDLE ? EODBC::InvalidHandle : EODBC::UnableToRetrieve}});
        checkOdbc(rc, HandleType == SQL_HANDLE_DBC ? SQL_HANDLE_ENV : SQL_HANDLE_DBC, parent);
    }
    m_handle = h;
}

template <SQLSMALLINT HandleType>
void OdbcHandle<HandleType>::reset() noexcept
{
    if (m_handle == SQL_NULL_HANDLE)
        return;
    if constexpr (HandleType == SQL_HANDLE_STMT)
        SQLFreeStmt(m_handle, SQL_CLOSE);
    SQLFreeHandle(HandleType, m_handle);
    m_handle = SQL_NULL_HANDLE;
}

template class OdbcHandle<SQL_HANDLE_ENV>;
template class OdbcHandle<SQL_HANDLE_DBC>;
template class OdbcHandle<SQL_HANDLE_STMT>;

OdbcEnvironment::OdbcEnvironment() : m_env(SQL_NULL_HANDLE)
{
    checkOdbc(SQLSetEnvAttr(m_env.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
              SQL_HANDLE_ENV, m_env.get());
}

std::shared_ptr<OdbcEnvironment> OdbcEnvironment::instance()
{
    static std::weak_ptr<OdbcEnvironment> current;
    auto env = current.lock();
    if (!env) {
        env = std::shared_ptr<OdbcEnvironment>(new OdbcEnvironment());
        current = env;
    }
    return env;
}
