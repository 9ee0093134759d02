#include "data/odbc/THdbc.h"

#include "data/odbc/EODBC.h"
#include "data/odbc/OdbcText.h"
#include "data/odbc/THstmt.h"

#include <algorithm>

THdbc::THdbc(QObject* parent) : QObject(parent) {}

THdbc::~THdbc()
{
    if (Connected())
        emit aboutToDisconnect();
    doDisconnect();
    for (THstmt* s : m_statements)
        s->connectionGone();
    m_statements.clear();
}

bool THdbc::usesDriverConnect() const
{
    return !m_driver.isEmpty() || !m_attributes.isEmpty() || m_infoPrompt != 0;
}

QString THdbc::connectString() const
{
    QString s;
    if (!m_dataSource.isEmpty())
        s += QStringLiteral("DSN=") + m_dataSource + QLatin1Char(';');
    if (!m_userName.isEmpty())
        s += QStringLiteral("UID=") + m_userName + QLatin1Char(';');
    if (!m_password.isEmpty())
        s += QStringLiteral("PWD=") + m_password + QLatin1Char(';');
    if (!m_driver.isEmpty())
        s += QStringLiteral("DRIVER=") + m_driver + QLatin1Char(';');
    for (const QString& a : m_attributes)
        s += a + QLatin1Char(';');
    return s;
}

void THdbc::setConnected(bool on)
{
    if (on == Connected())
        return;
    if (on) {
        doConnect();
        emit connectedChanged(true);
    } else {
        emit aboutToDisconnect();
        doDisconnect();
        emit connectedChanged(false);
    }
}

void THdbc::doConnect()
{
    if (!m_env)
        m_env = OdbcEnvironment::instance();
    DbcHandle dbc(m_env->handle());
    SQLHDBC h = dbc.get();
    try {
        checkOdbc(SQLSetConnectAttrW(h, SQL_ATTR_ODBC_CURSORS, reinterpret_cast<SQLPOINTER>(SQLULEN(m_cursorLib)), 0),
                  SQL_HANDLE_DBC, h);
        if (usesDriverConnect()) {
            const QString cs = connectString();
            SQLWCHAR out[1024];
            SQLSMALLINT outLength = 0;
            checkOdbc(SQLDriverConnectW(h, nullptr, odbcWide(cs), SQL_NTS, out, SQLSMALLINT(sizeof(out) / sizeof(out[0])),
                                        &outLength, SQLUSMALLINT(m_infoPrompt)),
                      SQL_HANDLE_DBC, h);
        } else {
            checkOdbc(SQLConnectW(h, odbcWide(m_dataSource), SQL_NTS, odbcWide(m_userName), SQL_NTS,
                                  odbcWide(m_password), SQL_NTS),
                      SQL_HANDLE_DBC, h);
        }
    } catch (EODBC& e) {
        SqlDialect::normalizeConnectError(e);
        throw;
    }
    try {
        checkOdbc(SQLSetConnectAttrW(h, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0),
                  SQL_HANDLE_DBC, h);
        if (m_isolationLevel != 0)
            checkOdbc(SQLSetConnectAttrW(h, SQL_ATTR_TXN_ISOLATION,
                                         reinterpret_cast<SQLPOINTER>(SQLULEN(m_isolationLevel)), 0),
                      SQL_HANDLE_DBC, h);
        SQLWCHAR name[256] = {};
        SQLSMALLINT nameBytes = 0;
        checkOdbc(SQLGetInfoW(h, SQL_DBMS_NAME, name, SQLSMALLINT(sizeof(name)), &nameBytes), SQL_HANDLE_DBC, h);
        m_dbmsName = fromOdbcWide(name, -1);
    } catch (...) {
        SQLDisconnect(h);
        throw;
    }
    m_dialect = SqlDialect::fromDbmsName(m_dbmsName);
    m_dbc = std::move(dbc);
    m_isConnected = true;
}

void THdbc::doDisconnect() noexcept
{
    releaseStatements();
    if (m_dbc && m_isConnected)
        SQLDisconnect(m_dbc.get());
    m_dbc.reset();
    m_isConnected = false;
}

void THdbc::registerStatement(THstmt* s)
{
    if (std::find(m_statements.begin(), m_statements.end(), s) == m_statements.end())
        m_statements.push_back(s);
}

void THdbc::unregisterStatement(THstmt* s)
{
    m_statements.erase(std::remove(m_statements.begin(), m_statements.end(), s), m_statements.end());
}

void THdbc::releaseStatements() noexcept
{
    for (THstmt* s : m_statements)
        s->releaseHandle();
}

namespace {
QString stripQuotes(QString s)
{
    s = s.trimmed();
    if (s.size() >= 2 && ((s.startsWith(QLatin1Char('"')) && s.endsWith(QLatin1Char('"')))
                          || (s.startsWith(QLatin1Char('[')) && s.endsWith(QLatin1Char(']')))))
        s = s.mid(1, s.size() - 2);
    return s;
}

// Runs one catalog call for the table (as given, then in lower and upper case when the driver
// found nothing) and collects the text of column `column` of every row.
template <typename Call>
QStringList catalogColumns(SQLHDBC dbc, const QString& table, int column, bool quietly, Call call)
{
    QString schema;
    QString name = table.trimmed();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        schema = stripQuotes(name.left(dot));
        name = name.mid(dot + 1);
    }
    name = stripQuotes(name);
    QStringList tries{name};
    if (name.toLower() != name)
        tries << name.toLower();
    if (name.toUpper() != name)
        tries << name.toUpper();
    for (int i = 0; i < tries.size(); ++i) {
        StmtHandle stmt(dbc);
        SQLHSTMT h = stmt.get();
        QStringList out;
        try {
            checkOdbc(call(h, schema, tries[i]), SQL_HANDLE_STMT, h);
            while (checkOdbc(SQLFetch(h), SQL_HANDLE_STMT, h, OdbcAllow::NoData) != SQL_NO_DATA) {
                SQLWCHAR text[256] = {};
                SQLLEN indicator = 0;
                checkOdbc(SQLGetData(h, SQLUSMALLINT(column), SQL_C_WCHAR, text, sizeof(text), &indicator),
                          SQL_HANDLE_STMT, h);
                if (indicator != SQL_NULL_DATA)
                    out << fromOdbcWide(text, -1).toUpper();
            }
        } catch (const EODBC&) {
            // a driver that refuses one spelling of the name (psqlODBC: "The specified table does
            // not exist") may know another; only the name as given reports its failure
            if (i == 0 && !quietly)
                throw;
            continue;
        }
        if (!out.isEmpty())
            return out;
    }
    return {};
}
} // namespace

QStringList THdbc::primaryKeyColumns(const QString& table) const
{
    if (!Connected())
        throw EODBC::fromMessage(QStringLiteral("Povezava z bazo podatkov ni odprta !"));
    // Result: TABLE_CAT, TABLE_SCHEM, TABLE_NAME, COLUMN_NAME, KEY_SEQ, PK_NAME (in key order).
    return catalogColumns(m_dbc.get(), table, 4, false, [](SQLHSTMT h, const QString& schema, const QString& name) {
        return SQLPrimaryKeysW(h, nullptr, 0, schema.isEmpty() ? nullptr : odbcWide(schema),
                               schema.isEmpty() ? 0 : SQL_NTS, odbcWide(name), SQL_NTS);
    });
}

QStringList THdbc::bestRowIdColumns(const QString& table) const
{
    if (!Connected())
        throw EODBC::fromMessage(QStringLiteral("Povezava z bazo podatkov ni odprta !"));
    // Result: SCOPE, COLUMN_NAME, DATA_TYPE, ...
    return catalogColumns(m_dbc.get(), table, 2, true, [](SQLHSTMT h, const QString& schema, const QString& name) {
        return SQLSpecialColumnsW(h, SQL_BEST_ROWID, nullptr, 0, schema.isEmpty() ? nullptr : odbcWide(schema),
                                  schema.isEmpty() ? 0 : SQL_NTS, odbcWide(name), SQL_NTS, SQL_SCOPE_CURROW,
                                  SQL_NULLABLE);
    });
}
