#pragma once
#include "data/local/LocalTableDefs.h"
#include "data/local/SqliteHandle.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

// One table of the workstation's local table store.
//
// Every table is one SQLite file:
// - with a database name: <folder of the connected LocalDatabase>/<table name>;
// - without one: the table name is a path (a drive path such as "c:\VektorError" maps into the
//   program's data folder, see LocalPaths).
// A name without a suffix gets ".db" ("c:\VektorError" is <data folder>/VektorError.db); a name
// with one is used as it is ("Podjetje.DB"). Inside, the table carries the file's base name.
// Field types are kept in the column declarations, so an existing file describes itself; the
// indexes are SQLite indexes named "pk_<name>" (the primary one, unique) and "ix_<name>".
// Writes are not forced to disk (synchronous off): the tables are temporary tables, the company
// list and the error log, and a table damaged by a power loss is detected at the next open.
//
// Use: define fields and indexes and createTable() (an existing table is replaced), or open() an
// existing one; append(), setValue(), post() to store rows; first()/next()/eof() and value() to
// read them in the order of the current index, findKey() to position on a key; setFilter() and
// setFiltered() to see only matching rows. Every failure raises LocalStoreError.
class LocalTable {
public:
    enum class OpenMode { Shared, Exclusive };

    explicit LocalTable(const QString& databaseName = {}, const QString& tableName = {});
    ~LocalTable();
    LocalTable(const LocalTable&) = delete;
    LocalTable& operator=(const LocalTable&) = delete;

    // Names; changing them closes the table.
    void setDatabaseName(const QString& name);
    void setTableName(const QString& name);
    const QString& databaseName() const { return m_databaseName; }
    const QString& tableName() const { return m_tableName; }
    QString filePath() const;           // raises when the database is not connected
    bool fileExists() const;
    // True when the table file of a path-addressed table exists (same naming rules as above).
    static bool fileExists(const QString& tablePath);
    static QString pathOf(const QString& tablePath);

    // Structure. Index fields are given as "Cena;Stevilka" (names in any case).
    void clearDefinitions();
    void addField(const QString& name, LocalFieldType type, int size = 0);
    void addIndex(const QString& name, const QString& fields, bool primary = false);
    const QList<LocalFieldDef>& fieldDefs() const { return m_fields; }
    const QList<LocalIndexDef>& indexDefs() const { return m_indexes; }
    // Creates the table empty with exactly the defined fields and indexes, replacing whatever the
    // file held (a damaged or foreign file included). Closes the table first.
    void createTable();

    // Opens an existing table. The fields defined beforehand (if any) must all be in the file;
    // afterwards the definitions are those of the file. Exclusive: no other table object, in
    // this or another program, can open or change the table until it is closed; a table held
    // exclusively elsewhere cannot be opened.
    void open(OpenMode mode = OpenMode::Shared);
    void close() noexcept;
    bool isOpen() const { return m_connection.isOpen(); }

    // Order: an index by name, or fields ("CENA;STEVILKA"); empty both: the primary index if
    // there is one, else the order of appending. Order and filter take effect at the next read
    // (an unknown index or a bad filter raises there), staying on the current row.
    void setIndexName(const QString& name);
    void setIndexFieldNames(const QString& fields);
    const QString& indexName() const { return m_indexName; }
    QStringList orderFields() const;

    // A condition over the table's fields in SQL syntax, for example "Cena > 0 AND Opis = 'Cena'";
    // applies while filtered is set.
    void setFilter(const QString& condition);
    void setFiltered(bool filtered);
    const QString& filter() const { return m_filter; }
    bool filtered() const { return m_filtered; }

    // Reading, in the current order. A fresh open positions on the first row.
    bool first();          // false when there is no row
    bool next();           // false when it moved past the last row
    bool eof();
    bool isEmpty();
    int recordCount();
    void refresh();        // reads the rows again, staying on the same row when it is still there
    // Positions on the first row whose leading order fields equal the values; stays put and
    // returns false when there is none. Needs an order (index).
    bool findKey(const QVariantList& values);

    QVariant value(const QString& field) const;   // null when absent or at the end
    QString asString(const QString& field) const;
    double asFloat(const QString& field) const;
    qint64 asInteger(const QString& field) const;
    QDateTime asDateTime(const QString& field) const;
    bool isNull(const QString& field) const;
    bool hasField(const QString& field) const;

    // Writing. After post the new row is the current one; the auto-increment field holds the
    // number the store gave it.
    void append();
    void setValue(const QString& field, const QVariant& value);
    void post();
    void cancel();
    bool isAppending() const { return m_appending; }

private:
    struct Row {
        qint64 rowId = 0;
        QVariantList values;
    };

    int fieldIndex(const QString& field) const;   // raises when absent
    int findField(const QString& field) const;    // -1 when absent
    QVariant convertForField(const LocalFieldDef& def, const QVariant& value) const;
    QVariant readValue(int index) const;
    void requireOpen() const;
    void readStructure();
    void createOnce(const QString& path);
    void invalidate();   // read the rows again at the next access, staying on the current row
    void ensureLoaded();
    void load(std::optional<qint64> positionOn);
    QString sqlTable() const { return sqliteQuoted(m_sqlTableName); }

    QString m_databaseName;
    QString m_tableName;
    QList<LocalFieldDef> m_fields;
    QList<LocalIndexDef> m_indexes;
    SqliteConnection m_connection;
    QString m_sqlTableName;
    QString m_indexName;
    QStringList m_indexFieldNames;
    QString m_filter;
    bool m_filtered = false;

    bool m_loaded = false;
    std::optional<qint64> m_positionOn;   // row to stand on at the next load
    std::vector<Row> m_rows;
    qsizetype m_current = 0;

    bool m_appending = false;
    QVariantList m_buffer;
};
