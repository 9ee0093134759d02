#pragma once
#include <memory>

#include <sql.h>
#include <sqlext.h>

// Owner of one ODBC handle of a fixed kind. Move-only; the destructor frees the handle and never
// throws (a statement handle's open result is closed first). A connection handle must be
// disconnected by its user (THdbc) before it is freed.
template <SQLSMALLINT HandleType>
class OdbcHandle {
public:
    OdbcHandle() noexcept = default;
    // Allocates a handle under parent; throws EODBC on failure (the parent's diagnostics).
    explicit OdbcHandle(SQLHANDLE parent);
    ~OdbcHandle() { reset(); }

    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;
    OdbcHandle(OdbcHandle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = SQL_NULL_HANDLE; }
    OdbcHandle& operator=(OdbcHandle&& other) noexcept
    {
        if (this != &other) {
            reset();
            m_handle = other.m_handle;
            other.m_handle = SQL_NULL_HANDLE;
        }
        return *this;
    }

    SQLHANDLE get() const noexcept { return m_handle; }
    explicit operator bool() const noexcept { return m_handle != SQL_NULL_HANDLE; }
    void reset() noexcept;

private:
    SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

using EnvHandle = OdbcHandle<SQL_HANDLE_ENV>;
using DbcHandle = OdbcHandle<SQL_HANDLE_DBC>;
using StmtHandle = OdbcHandle<SQL_HANDLE_STMT>;

extern template class OdbcHandle<SQL_HANDLE_ENV>;
extern template class OdbcHandle<SQL_HANDLE_DBC>;
extern template class OdbcHandle<SQL_HANDLE_STMT>;

// The process-wide ODBC 3 environment. Every connection holds a shared reference, so the
// environment lives until the last connection is gone.
class OdbcEnvironment {
public:
    static std::shared_ptr<OdbcEnvironment> instance();
    SQLHENV handle() const noexcept { return m_env.get(); }

    OdbcEnvironment(const OdbcEnvironment&) = delete;
    OdbcEnvironment& operator=(const OdbcEnvironment&) = delete;

private:
    OdbcEnvironment();
    EnvHandle m_env;
};
