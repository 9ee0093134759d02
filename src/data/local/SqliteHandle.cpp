#include "data/local/SqliteHandle.h"

#include <QDateTime>
#include <QFileInfo>

#include <utility>

#include <sqlite3.h>

namespace {
LocalStoreError::Kind kindOf(int code)
{
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return LocalStoreError::Kind::Locked;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
        return LocalStoreError::Kind::Damaged;
    case SQLITE_CANTOPEN:
        return LocalStoreError::Kind::Missing;
    default:
        return LocalStoreError::Kind::Other;
    }
}
} // namespace

SqliteConnection::SqliteConnection(const QString& path, Mode mode, int busyTimeoutMs) : m_path(path)
{
    if (mode == Mode::OpenExisting && !QFileInfo(path).isFile())
        throw LocalStoreError(LocalStoreError::Kind::Missing, QString("Lokalna tabela %1 ne obstaja").arg(path));
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (mode == Mode::Create)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString("out of memory");
        close();
        throw LocalStoreError(kindOf(rc), QString("Lokalne tabele %1 ni mogoče odpreti: %2").arg(path, message));
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, busyTimeoutMs);
}

SqliteConnection::~SqliteConnection() { close(); }

SqliteConnection::SqliteConnection(SqliteConnection&& other) noexcept
    : m_db(std::exchange(other.m_db, nullptr)), m_path(std::move(other.m_path))
{
}

SqliteConnection& SqliteConnection::operator=(SqliteConnection&& other) noexcept
{
    if (this != &other) {
        close();
        m_db = std::exchange(other.m_db, nullptr);
        m_path = std::move(other.m_path);
    }
    return *this;
}

void SqliteConnection::close() noexcept
{
    if (m_db) {
        // Every statement is owned by a SqliteStatement that ends before its connection;
        // close_v2 would defer the close if one were left.
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

void SqliteConnection::raise(int code, const QString& what) const
{
    const QString message = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString::fromUtf8(sqlite3_errstr(code));
    throw LocalStoreError(kindOf(code), QString("%1 (%2): %3").arg(what, m_path, message));
}

void SqliteConnection::exec(const QString& sql)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_free(error);
        throw LocalStoreError(kindOf(rc), QString("Napaka lokalne tabele (%1): %2").arg(m_path, message));
    }
}

SqliteStatement SqliteConnection::prepare(const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt);
        raise(rc, "Napaka lokalne tabele");
    }
    return SqliteStatement(this, stmt);
}

qint64 SqliteConnection::lastInsertRowId() const { return sqlite3_last_insert_rowid(m_db); }

SqliteStatement::~SqliteStatement()
{
    if (m_stmt)
        sqlite3_finalize(m_stmt);
}

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : m_connection(other.m_connection), m_stmt(std::exchange(other.m_stmt, nullptr))
{
}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept
{
    if (this != &other) {
        if (m_stmt)
            sqlite3_finalize(m_stmt);
        m_connection = other.m_connection;
        m_stmt = std::exchange(other.m_stmt, nullptr);
    }
    return *this;
}

void SqliteStatement::bind(int position, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, position);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_stmt, position, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(m_stmt, position, value.toDouble());
            break;
        case QMetaType::QDateTime: {
            const QByteArray t = value.toDateTime().toString("yyyy-MM-ddTHH:mm:ss.zzz").toUtf8();
            rc = sqlite3_bind_text(m_stmt, position, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray t = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_stmt, position, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK)
        m_connection->raise(rc, "Napaka lokalne tabele");
}

bool SqliteStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    m_connection->raise(rc, "Napaka lokalne tabele");
}

int SqliteStatement::columnCount() const { return sqlite3_column_count(m_stmt); }

QString SqliteStatement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

QVariant SqliteStatement::column(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant::fromValue<qint64>(sqlite3_column_int64(m_stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_stmt, column);
    default:
        return columnText(column);
    }
}

qint64 SqliteStatement::columnInt(int column) const { return sqlite3_column_int64(m_stmt, column); }

QString SqliteStatement::columnText(int column) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(m_stmt, column)) : QString();
}

QString sqliteQuoted(const QString& identifier)
{
    QString out = identifier;
    out.replace(u'"', "\"\"");
    return "\"" + out + "\"";
}
