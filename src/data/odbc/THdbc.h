#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "data/odbc/OdbcHandle.h"
#include "data/odbc/SqlDialect.h"

class THstmt;

// One ODBC connection with its connect attributes.
//
//   THdbc db;
//   db.setDriver("SQL Server");
//   db.setAttributes({"SERVER=host", "DATABASE=firma"});
//   db.setUserName("sa"); db.setPassword("...");
//   db.setConnected(true);            // throws EODBC on failure
//
// With Driver set, Attributes not empty or InfoPrompt not 0 the connection calls
// SQLDriverConnect with the text of connectString(); otherwise SQLConnect with DataSource,
// UserName and Password. Statements run in auto-commit mode. After connecting, the isolation
// level is set and the server's name (SQL_DBMS_NAME) chooses the SQL dialect that every statement
// on this connection goes through.
//
// Disconnecting (or destroying the connection) frees the handles of every statement on it first;
// those statements lose their open results and allocate a new handle on their next use.
class THdbc : public QObject {
    Q_OBJECT
public:
    explicit THdbc(QObject* parent = nullptr);
    ~THdbc() override;

    // Properties; changes take effect at the next connect.
    const QString& Name() const { return m_name; }   // the component's name (messages, log)
    void setName(const QString& name) { m_name = name; }
    const QString& Driver() const { return m_driver; }
    void setDriver(const QString& v) { m_driver = v; }
    const QString& DataSource() const { return m_dataSource; }
    void setDataSource(const QString& v) { m_dataSource = v; }
    const QString& UserName() const { return m_userName; }
    void setUserName(const QString& v) { m_userName = v; }
    const QString& Password() const { return m_password; }
    void setPassword(const QString& v) { m_password = v; }
    // Extra connect-string items, each "KEY=value".
    const QStringList& Attributes() const { return m_attributes; }
    QStringList& Attributes() { return m_attributes; }
    void setAttributes(const QStringList& v) { m_attributes = v; }
    // ODBC transaction isolation (SQL_TXN_*): 2 = read committed (default); 0 leaves the driver's.
    unsigned IsolationLevel() const { return m_isolationLevel; }
    void setIsolationLevel(unsigned v) { m_isolationLevel = v; }
    // ODBC cursor library choice (SQL_CUR_*): 2 = the driver's own cursors (default).
    unsigned CursorLib() const { return m_cursorLib; }
    void setCursorLib(unsigned v) { m_cursorLib = v; }
    // SQLDriverConnect prompt mode: 0 = never prompt (default).
    quint16 InfoPrompt() const { return m_infoPrompt; }
    void setInfoPrompt(quint16 v) { m_infoPrompt = v; }

    bool Connected() const { return bool(m_dbc) && m_isConnected; }
    // true: builds the connect string and connects (throws EODBC); false: disconnects.
    void setConnected(bool on);
    void Connect() { setConnected(true); }
    void Disconnect() { setConnected(false); }

    // True when the connect goes through SQLDriverConnect.
    bool usesDriverConnect() const;
    // "DSN=..;UID=..;PWD=..;DRIVER=..;" then every attribute followed by ";", items with empty
    // values left out, the driver name without braces.
    QString connectString() const;

    // Known after connecting.
    const QString& dbmsName() const { return m_dbmsName; }          // SQL_DBMS_NAME
    const SqlDialect& dialect() const { return m_dialect; }
    SQLHDBC handle() const { return m_dbc.get(); }                   // null when disconnected

    // Catalog questions (upper-case column names, in key order; empty when the driver knows none).
    // table may be "schema.table". Throw EODBC when the connection is closed or the call fails
    // (bestRowIdColumns answers "none" instead: it is only ever a first choice).
    QStringList primaryKeyColumns(const QString& table) const;
    QStringList bestRowIdColumns(const QString& table) const;

signals:
    void connectedChanged(bool connected);
    // Emitted before the connection handle goes away (datasets close on it).
    void aboutToDisconnect();

private:
    friend class THstmt;
    void registerStatement(THstmt* s);
    void unregisterStatement(THstmt* s);
    void releaseStatements() noexcept;
    void doConnect();
    void doDisconnect() noexcept;

    QString m_name;
    QString m_driver;
    QString m_dataSource;
    QString m_userName;
    QString m_password;
    QStringList m_attributes;
    unsigned m_isolationLevel = 2;
    unsigned m_cursorLib = 2;
    quint16 m_infoPrompt = 0;

    std::shared_ptr<OdbcEnvironment> m_env;
    DbcHandle m_dbc;
    bool m_isConnected = false;
    QString m_dbmsName;
    SqlDialect m_dialect;
    std::vector<THstmt*> m_statements;
};
