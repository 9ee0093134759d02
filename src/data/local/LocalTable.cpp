#include "data/local/LocalTable.h"

#include "data/local/LocalDatabase.h"
#include "data/local/LocalPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <limits>

namespace {
constexpr int BusyTimeoutMs = 2000;
const QString PrimaryPrefix = "pk_";
const QString SecondaryPrefix = "ix_";

LocalStoreError storeError(const QString& message)
{
    return LocalStoreError(LocalStoreError::Kind::Other, message);
}

QString declaredType(const LocalFieldDef& f)
{
    switch (f.type) {
    case LocalFieldType::Text: return QString("VARCHAR(%1)").arg(f.size);
    case LocalFieldType::Float: return "DOUBLE";
    case LocalFieldType::SmallInt: return "SMALLINT";
    case LocalFieldType::Integer: return "INTEGER";
    case LocalFieldType::AutoInc: return "INTEGER PRIMARY KEY AUTOINCREMENT";
    case LocalFieldType::DateTime: return "DATETIME";
    case LocalFieldType::Memo: return "TEXT";
    }
    return "TEXT";
}

// The field type back from a column declaration of this store (anything else reads as memo).
LocalFieldDef fieldFromColumn(const QString& name, const QString& type, bool primaryKey)
{
    LocalFieldDef f;
    f.name = name;
    const QString t = type.trimmed().toUpper();
    if (t.startsWith("VARCHAR(")) {
        f.type = LocalFieldType::Text;
        f.size = t.mid(8, t.indexOf(u')') - 8).toInt();
        if (f.size <= 0)
            f.type = LocalFieldType::Memo;
    } else if (t == "DOUBLE" || t == "FLOAT" || t == "REAL") {
        f.type = LocalFieldType::Float;
    } else if (t == "SMALLINT") {
        f.type = LocalFieldType::SmallInt;
    } else if (t == "INTEGER") {
        f.type = primaryKey ? LocalFieldType::AutoInc : LocalFieldType::Integer;
    } else if (t == "DATETIME") {
        f.type = LocalFieldType::DateTime;
    } else {
        f.type = LocalFieldType::Memo;
    }
    return f;
}

QString withSuffix(const QString& path)
{
    return QFileInfo(path).suffix().isEmpty() ? path + ".db" : path;
}

QDateTime parseDateTime(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    const QString text = v.toString();
    QDateTime dt = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!dt.isValid())
        dt = QDateTime::fromString(text, Qt::ISODate);
    return dt;
}

// Equality of a stored value with a key value, by the field's type.
bool sameValue(LocalFieldType type, const QVariant& stored, const QVariant& key)
{
    if (stored.isNull() || key.isNull())
        return stored.isNull() && key.isNull();
    switch (type) {
    case LocalFieldType::Float:
        return stored.toDouble() == key.toDouble();
    case LocalFieldType::SmallInt:
    case LocalFieldType::Integer:
    case LocalFieldType::AutoInc:
        return stored.toLongLong() == key.toLongLong();
    case LocalFieldType::DateTime:
        return parseDateTime(stored) == parseDateTime(key);
    default:
        return stored.toString() == key.toString();
    }
}

void removeTableFiles(const QString& path)
{
    for (const char* extra : {"", "-journal", "-wal", "-shm"})
        QFile::remove(path + extra);
}
} // namespace

LocalTable::LocalTable(const QString& databaseName, const QString& tableName)
    : m_databaseName(databaseName), m_tableName(tableName)
{
}

LocalTable::~LocalTable() { close(); }

void LocalTable::setDatabaseName(const QString& name)
{
    close();
    m_databaseName = name;
}

void LocalTable::setTableName(const QString& name)
{
    close();
    m_tableName = name;
}

QString LocalTable::pathOf(const QString& tablePath)
{
    return withSuffix(LocalPaths::localPath(tablePath));
}

QString LocalTable::filePath() const
{
    if (m_tableName.trimmed().isEmpty())
        throw storeError("Lokalna tabela nima imena");
    if (m_databaseName.isEmpty())
        return pathOf(m_tableName);
    const LocalDatabase* db = LocalDatabase::connected(m_databaseName);
    if (!db)
        throw storeError(QString("Lokalna baza %1 ni povezana").arg(m_databaseName));
    return withSuffix(LocalPaths::join(db->folder(), m_tableName.trimmed()));
}

bool LocalTable::fileExists() const { return QFileInfo(filePath()).isFile(); }

bool LocalTable::fileExists(const QString& tablePath) { return QFileInfo(pathOf(tablePath)).isFile(); }

void LocalTable::clearDefinitions()
{
    m_fields.clear();
    m_indexes.clear();
}

void LocalTable::addField(const QString& name, LocalFieldType type, int size)
{
    m_fields.append(LocalFieldDef{name.trimmed(), type, type == LocalFieldType::Text ? size : 0});
}

void LocalTable::addIndex(const QString& name, const QString& fields, bool primary)
{
    LocalIndexDef def;
    def.name = name.trimmed();
    for (const QString& f : fields.split(u';', Qt::SkipEmptyParts))
        if (!f.trimmed().isEmpty())
            def.fields << f.trimmed();
    def.primary = primary;
    m_indexes.append(def);
}

int LocalTable::findField(const QString& field) const
{
    const QString name = field.trimmed();
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int LocalTable::fieldIndex(const QString& field) const
{
    const int i = findField(field);
    if (i < 0)
        throw storeError(QString("Polje %1 ne obstaja v lokalni tabeli %2").arg(field, m_tableName));
    return i;
}

bool LocalTable::hasField(const QString& field) const { return findField(field) >= 0; }

void LocalTable::createTable()
{
    close();
    // Check the definitions before anything on disk changes.
    if (m_fields.isEmpty())
        throw storeError(QString("Lokalna tabela %1 nima polj").arg(m_tableName));
    int autoIncs = 0;
    for (int i = 0; i < m_fields.size(); ++i) {
        const LocalFieldDef& f = m_fields[i];
        if (f.name.isEmpty() || f.name.startsWith("sqlite_", Qt::CaseInsensitive))
            throw storeError(QString("Neveljavno ime polja v lokalni tabeli %1").arg(m_tableName));
        if (findField(f.name) != i)
            throw storeError(QString("Polje %1 je v lokalni tabeli %2 dvakrat").arg(f.name, m_tableName));
        if (f.type == LocalFieldType::Text && f.size <= 0)
            throw storeError(QString("Polje %1 nima dolžine").arg(f.name));
        autoIncs += f.type == LocalFieldType::AutoInc ? 1 : 0;
    }
    if (autoIncs > 1)
        throw storeError(QString("Lokalna tabela %1 ima več kot eno samoštevilčno polje").arg(m_tableName));
    int primaries = 0;
    for (const LocalIndexDef& ix : m_indexes) {
        primaries += ix.primary ? 1 : 0;
        if (ix.name.isEmpty() || ix.fields.isEmpty())
            throw storeError(QString("Indeks brez imena ali polj v lokalni tabeli %1").arg(m_tableName));
        for (const QString& f : ix.fields)
            fieldIndex(f);
    }
    if (primaries > 1)
        throw storeError(QString("Lokalna tabela %1 ima več primarnih indeksov").arg(m_tableName));

    const QString path = filePath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw storeError(QString("Ne morem ustvariti mape %1").arg(QFileInfo(path).absolutePath()));
    try {
        createOnce(path);
    } catch (const LocalStoreError& e) {
        if (e.kind() != LocalStoreError::Kind::Damaged)
            throw;
        // Not a table file of this store: replace it.
        removeTableFiles(path);
        createOnce(path);
    }
}

void LocalTable::createOnce(const QString& path)
{
    SqliteConnection db(path, SqliteConnection::Mode::Create, BusyTimeoutMs);
    db.exec("PRAGMA synchronous=OFF");
    db.exec("BEGIN EXCLUSIVE");
    try {
        QStringList tables;
        bool sequence = false;
        {
            SqliteStatement st = db.prepare("SELECT name FROM sqlite_master WHERE type IN ('table','view')");
            while (st.step()) {
                const QString name = st.columnText(0);
                if (name.compare("sqlite_sequence", Qt::CaseInsensitive) == 0)
                    sequence = true;
                else if (!name.startsWith("sqlite_", Qt::CaseInsensitive))
                    tables << name;
            }
        }
        for (const QString& t : tables)
            db.exec("DROP TABLE IF EXISTS " + sqliteQuoted(t));
        if (sequence)
            db.exec("DELETE FROM sqlite_sequence");

        const QString table = QFileInfo(path).completeBaseName();
        QStringList columns;
        for (const LocalFieldDef& f : m_fields)
            columns << sqliteQuoted(f.name) + " " + declaredType(f);
        db.exec("CREATE TABLE " + sqliteQuoted(table) + " (" + columns.join(", ") + ")");
        for (const LocalIndexDef& ix : m_indexes) {
            QStringList cols;
            for (const QString& f : ix.fields)
                cols << sqliteQuoted(m_fields[fieldIndex(f)].name);
            db.exec(QString("CREATE %1INDEX %2 ON %3 (%4)")
                        .arg(ix.primary ? "UNIQUE " : "",
                             sqliteQuoted((ix.primary ? PrimaryPrefix : SecondaryPrefix) + ix.name),
                             sqliteQuoted(table), cols.join(", ")));
        }
        db.exec("COMMIT");
    } catch (...) {
        try {
            db.exec("ROLLBACK");
        } catch (...) {
        }
        throw;
    }
}

void LocalTable::open(OpenMode mode)
{
    close();
    const QString path = filePath();
    SqliteConnection db(path, SqliteConnection::Mode::OpenExisting, BusyTimeoutMs);
    if (mode == OpenMode::Exclusive) {
        // The exclusive lock taken here is kept until the connection closes.
        db.exec("PRAGMA locking_mode=EXCLUSIVE");
        db.exec("BEGIN EXCLUSIVE");
        db.exec("COMMIT");
    }
    db.exec("PRAGMA synchronous=OFF");
    const QList<LocalFieldDef> wanted = m_fields;
    m_connection = std::move(db);
    try {
        readStructure();
        for (const LocalFieldDef& w : wanted)
            if (findField(w.name) < 0)
                throw LocalStoreError(LocalStoreError::Kind::Damaged,
                                      QString("Lokalna tabela %1 nima polja %2").arg(path, w.name));
    } catch (...) {
        m_connection.close();
        m_fields = wanted;
        throw;
    }
    m_loaded = false;
    m_positionOn.reset();
    m_rows.clear();
    m_current = 0;
}

void LocalTable::readStructure()
{
    const QString base = QFileInfo(m_connection.path()).completeBaseName();
    QStringList tables;
    {
        SqliteStatement st = m_connection.prepare(
            "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'");
        while (st.step())
            tables << st.columnText(0);
    }
    m_sqlTableName.clear();
    for (const QString& t : tables)
        if (t.compare(base, Qt::CaseInsensitive) == 0)
            m_sqlTableName = t;
    if (m_sqlTableName.isEmpty() && tables.size() == 1)
        m_sqlTableName = tables.front();
    if (m_sqlTableName.isEmpty())
        throw LocalStoreError(LocalStoreError::Kind::Damaged,
                              QString("Datoteka %1 ni lokalna tabela").arg(m_connection.path()));

    m_fields.clear();
    {
        SqliteStatement st = m_connection.prepare("PRAGMA table_info(" + sqlTable() + ")");
        while (st.step())
            m_fields.append(fieldFromColumn(st.columnText(1), st.columnText(2), st.columnInt(5) != 0));
    }
    m_indexes.clear();
    std::vector<std::pair<QString, bool>> names;
    {
        SqliteStatement st = m_connection.prepare("PRAGMA index_list(" + sqlTable() + ")");
        while (st.step())
            names.emplace_back(st.columnText(1), st.columnInt(2) != 0);
    }
    for (const auto& [sqlName, unique] : names) {
        LocalIndexDef ix;
        if (sqlName.startsWith(PrimaryPrefix) && unique) {
            ix.name = sqlName.mid(PrimaryPrefix.size());
            ix.primary = true;
        } else if (sqlName.startsWith(SecondaryPrefix)) {
            ix.name = sqlName.mid(SecondaryPrefix.size());
        } else {
            continue;
        }
        SqliteStatement st = m_connection.prepare("PRAGMA index_info(" + sqliteQuoted(sqlName) + ")");
        while (st.step())
            ix.fields << st.columnText(2);
        m_indexes.append(ix);
    }
    // Primary index first, as the order a table has by default.
    std::stable_sort(m_indexes.begin(), m_indexes.end(),
                     [](const LocalIndexDef& a, const LocalIndexDef& b) { return a.primary && !b.primary; });
}

void LocalTable::close() noexcept
{
    m_connection.close();
    m_loaded = false;
    m_positionOn.reset();
    m_rows.clear();
    m_current = 0;
    m_appending = false;
    m_buffer.clear();
}

void LocalTable::requireOpen() const
{
    if (!isOpen())
        throw storeError(QString("Lokalna tabela %1 ni odprta").arg(m_tableName));
}

void LocalTable::setIndexName(const QString& name)
{
    m_indexName = name.trimmed();
    m_indexFieldNames.clear();
    invalidate();
}

void LocalTable::setIndexFieldNames(const QString& fields)
{
    m_indexName.clear();
    m_indexFieldNames.clear();
    for (const QString& f : fields.split(u';', Qt::SkipEmptyParts))
        if (!f.trimmed().isEmpty())
            m_indexFieldNames << f.trimmed();
    invalidate();
}

QStringList LocalTable::orderFields() const
{
    if (!m_indexFieldNames.isEmpty())
        return m_indexFieldNames;
    if (!m_indexName.isEmpty()) {
        for (const LocalIndexDef& ix : m_indexes)
            if (ix.name.compare(m_indexName, Qt::CaseInsensitive) == 0)
                return ix.fields;
        throw storeError(QString("Indeks %1 ne obstaja v lokalni tabeli %2").arg(m_indexName, m_tableName));
    }
    for (const LocalIndexDef& ix : m_indexes)
        if (ix.primary)
            return ix.fields;
    return {};
}

void LocalTable::setFilter(const QString& condition)
{
    m_filter = condition;
    invalidate();
}

void LocalTable::setFiltered(bool filtered)
{
    m_filtered = filtered;
    invalidate();
}

void LocalTable::load(std::optional<qint64> positionOn)
{
    requireOpen();
    QStringList columns{"rowid"};
    for (const LocalFieldDef& f : m_fields)
        columns << sqliteQuoted(f.name);
    QString sql = "SELECT " + columns.join(", ") + " FROM " + sqlTable();
    if (m_filtered && !m_filter.trimmed().isEmpty())
        sql += " WHERE (" + m_filter + ")";
    QStringList order;
    for (const QString& f : orderFields())
        order << sqliteQuoted(m_fields[fieldIndex(f)].name);
    order << "rowid";
    sql += " ORDER BY " + order.join(", ");

    std::vector<Row> rows;
    SqliteStatement st = m_connection.prepare(sql);
    while (st.step()) {
        Row row;
        row.rowId = st.columnInt(0);
        for (int i = 0; i < m_fields.size(); ++i)
            row.values << st.column(i + 1);
        rows.push_back(std::move(row));
    }
    m_rows = std::move(rows);
    m_current = 0;
    if (positionOn) {
        for (qsizetype i = 0; i < qsizetype(m_rows.size()); ++i)
            if (m_rows[i].rowId == *positionOn)
                m_current = i;
    }
    m_loaded = true;
    m_positionOn.reset();
}

void LocalTable::invalidate()
{
    if (m_loaded && m_current < qsizetype(m_rows.size()))
        m_positionOn = m_rows[m_current].rowId;
    m_loaded = false;
    m_rows.clear();
}

void LocalTable::ensureLoaded()
{
    if (!m_loaded)
        load(m_positionOn);
}

void LocalTable::refresh()
{
    std::optional<qint64> on;
    if (m_loaded && m_current < qsizetype(m_rows.size()))
        on = m_rows[m_current].rowId;
    load(on);
}

bool LocalTable::first()
{
    if (m_loaded)
        m_current = 0;
    else
        load(std::nullopt);
    return !m_rows.empty();
}

bool LocalTable::next()
{
    ensureLoaded();
    if (m_current < qsizetype(m_rows.size()))
        ++m_current;
    return m_current < qsizetype(m_rows.size());
}

bool LocalTable::eof()
{
    ensureLoaded();
    return m_current >= qsizetype(m_rows.size());
}

bool LocalTable::isEmpty()
{
    ensureLoaded();
    return m_rows.empty();
}

int LocalTable::recordCount()
{
    ensureLoaded();
    return int(m_rows.size());
}

bool LocalTable::findKey(const QVariantList& values)
{
    ensureLoaded();
    const QStringList fields = orderFields();
    if (fields.isEmpty())
        throw storeError(QString("Lokalna tabela %1 nima izbranega indeksa za iskanje").arg(m_tableName));
    if (values.isEmpty() || values.size() > fields.size())
        throw storeError(QString("Napačno število vrednosti ključa za lokalno tabelo %1").arg(m_tableName));
    std::vector<int> columns;
    for (qsizetype k = 0; k < values.size(); ++k)
        columns.push_back(fieldIndex(fields[k]));
    for (qsizetype i = 0; i < qsizetype(m_rows.size()); ++i) {
        bool match = true;
        for (qsizetype k = 0; k < values.size() && match; ++k) {
            const int c = columns[k];
            match = sameValue(m_fields[c].type, m_rows[i].values[c], convertForField(m_fields[c], values[k]));
        }
        if (match) {
            m_current = i;
            return true;
        }
    }
    return false;
}

QVariant LocalTable::readValue(int index) const
{
    QVariant raw;
    if (m_appending)
        raw = m_buffer[index];
    else if (m_loaded && m_current < qsizetype(m_rows.size()))
        raw = m_rows[m_current].values[index];
    if (raw.isNull())
        return {};
    switch (m_fields[index].type) {
    case LocalFieldType::Float: return raw.toDouble();
    case LocalFieldType::SmallInt:
    case LocalFieldType::Integer:
    case LocalFieldType::AutoInc: return raw.toLongLong();
    case LocalFieldType::DateTime: return parseDateTime(raw);
    default: return raw.toString();
    }
}

QVariant LocalTable::value(const QString& field) const
{
    requireOpen();
    const int index = fieldIndex(field);
    if (!m_appending && !m_loaded)
        const_cast<LocalTable*>(this)->ensureLoaded();
    return readValue(index);
}

QString LocalTable::asString(const QString& field) const
{
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().toString("yyyy-MM-dd HH:mm:ss");
    return v.toString();
}

double LocalTable::asFloat(const QString& field) const { return value(field).toDouble(); }
qint64 LocalTable::asInteger(const QString& field) const { return value(field).toLongLong(); }
QDateTime LocalTable::asDateTime(const QString& field) const { return value(field).toDateTime(); }
bool LocalTable::isNull(const QString& field) const { return value(field).isNull(); }

QVariant LocalTable::convertForField(const LocalFieldDef& def, const QVariant& value) const
{
    if (!value.isValid() || value.isNull())
        return {};
    auto invalid = [&] {
        return storeError(QString("Neveljavna vrednost \"%1\" za polje %2").arg(value.toString(), def.name));
    };
    switch (def.type) {
    case LocalFieldType::Text: {
        QString text = value.typeId() == QMetaType::QDateTime ? value.toDateTime().toString("yyyy-MM-dd HH:mm:ss")
                                                              : value.toString();
        if (text.size() > def.size) {
            qsizetype cut = def.size;
            // Never leave half of a surrogate pair.
            if (cut > 0 && text[cut - 1].isHighSurrogate())
                --cut;
            text.truncate(cut);
        }
        return text;
    }
    case LocalFieldType::Memo:
        return value.toString();
    case LocalFieldType::Float: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok || !std::isfinite(d))
            throw invalid();
        return d;
    }
    case LocalFieldType::SmallInt:
    case LocalFieldType::Integer:
    case LocalFieldType::AutoInc: {
        bool ok = false;
        qlonglong n = 0;
        const bool floating = value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
        if (!floating)
            n = value.toString().trimmed().toLongLong(&ok);
        if (!ok) {
            const double d = floating ? value.toDouble(&ok) : value.toString().trimmed().toDouble(&ok);
            if (!ok || d != std::trunc(d) || std::fabs(d) > 9e15)
                throw invalid();
            n = qlonglong(d);
        }
        const qlonglong low = def.type == LocalFieldType::SmallInt ? std::numeric_limits<qint16>::min()
                                                                    : std::numeric_limits<qint32>::min();
        const qlonglong high = def.type == LocalFieldType::SmallInt ? std::numeric_limits<qint16>::max()
                                                                     : std::numeric_limits<qint32>::max();
        if (n < low || n > high)
            throw storeError(QString("Vrednost %1 je zunaj obsega polja %2").arg(n).arg(def.name));
        return n;
    }
    case LocalFieldType::DateTime: {
        QDateTime dt;
        if (value.typeId() == QMetaType::QDate)
            dt = value.toDate().startOfDay();
        else
            dt = parseDateTime(value);
        if (!dt.isValid())
            throw invalid();
        return dt;
    }
    }
    return value;
}

void LocalTable::append()
{
    requireOpen();
    m_appending = true;
    m_buffer.clear();
    for (int i = 0; i < m_fields.size(); ++i)
        m_buffer << QVariant();
}

void LocalTable::setValue(const QString& field, const QVariant& value)
{
    requireOpen();
    if (!m_appending)
        throw storeError(QString("Lokalna tabela %1 ni v načinu dodajanja").arg(m_tableName));
    const int index = fieldIndex(field);
    if (m_fields[index].type == LocalFieldType::AutoInc)
        throw storeError(QString("Polje %1 številči lokalna tabela sama").arg(m_fields[index].name));
    m_buffer[index] = convertForField(m_fields[index], value);
}

void LocalTable::post()
{
    requireOpen();
    if (!m_appending)
        return;
    QStringList columns, marks;
    QVariantList values;
    int autoInc = -1;
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].type == LocalFieldType::AutoInc) {
            autoInc = i;
            continue;
        }
        columns << sqliteQuoted(m_fields[i].name);
        marks << "?";
        values << m_buffer[i];
    }
    QString sql = "INSERT INTO " + sqlTable();
    sql += columns.isEmpty() ? QString(" DEFAULT VALUES") : " (" + columns.join(", ") + ") VALUES (" + marks.join(", ") + ")";
    SqliteStatement st = m_connection.prepare(sql);
    for (qsizetype i = 0; i < values.size(); ++i)
        st.bind(int(i + 1), values[i]);
    st.step();
    const qint64 rowId = m_connection.lastInsertRowId();
    if (autoInc >= 0)
        m_buffer[autoInc] = rowId;
    m_appending = false;
    m_buffer.clear();
    // The new row becomes the current one when the rows are read next.
    m_loaded = false;
    m_rows.clear();
    m_positionOn = rowId;
}

void LocalTable::cancel()
{
    m_appending = false;
    m_buffer.clear();
}
