#include "data/dataset/DataSetWriter.h"

#include "data/core/EDatabaseError.h"
#include "data/odbc/THdbc.h"
#include "data/dataset/TwwOEDataSet.h"

const QString DataSetWriter::NoTableMessage = QStringLiteral("Unable to determine table name:  set TargetTable property.");
const QString DataSetWriter::NoKeyMessage = QStringLiteral("Unable to determine primary columns:  set PrimaryCols property.");

DataSetWriter::DataSetWriter(TwwOEDataSet& dataSet) : m_ds(dataSet), m_stmt(dataSet.hDbc())
{
    m_stmt.setName(dataSet.Name());
}

void DataSetWriter::reset()
{
    m_table.clear();
    m_keys.clear();
}

QString DataSetWriter::tableAfterFrom(const QString& sql)
{
    QString text = sql;
    for (QChar& c : text)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    text = text.toUpper();
    const int at = int(text.indexOf(QLatin1String(" FROM ")));
    if (at < 0)
        return QString();
    const QString rest = text.mid(at + 6).trimmed();
    const int blank = int(rest.indexOf(QLatin1Char(' ')));
    return blank < 0 ? rest : rest.left(blank);
}

namespace {
QString lastComponent(const QString& table)
{
    QString t = table.section(QLatin1Char('.'), -1).trimmed();
    if (t.size() >= 2 && (t.startsWith(QLatin1Char('"')) || t.startsWith(QLatin1Char('['))))
        t = t.mid(1, t.size() - 2);
    return t;
}
} // namespace

QString DataSetWriter::tableName()
{
    if (!m_table.isEmpty())
        return m_table;
    QString table = m_ds.Target().TargetTable.trimmed();
    if (table.isEmpty())
        for (TField* f : m_ds.Fields())
            if (f->column() == 1) {
                table = f->baseTable();
                break;
            }
    if (table.isEmpty())
        table = tableAfterFrom(m_ds.SQLText());
    if (table.isEmpty())
        throw EDatabaseError(NoTableMessage);
    m_table = table;
    return m_table;
}

TField* DataSetWriter::fieldForColumn(const QString& column) const
{
    for (TField* f : m_ds.Fields())
        if (f->isDataField() && f->column() > 0 && f->baseColumn().compare(column, Qt::CaseInsensitive) == 0)
            return f;
    for (TField* f : m_ds.Fields())
        if (f->isDataField() && f->column() > 0 && f->FieldName().compare(column, Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

QString DataSetWriter::columnName(const TField& f) const
{
    return f.baseColumn().isEmpty() ? f.FieldName() : f.baseColumn();
}

QStringList DataSetWriter::keyFields()
{
    if (!m_keys.isEmpty())
        return m_keys;
    auto asFields = [this](const QStringList& columns) {
        QStringList fields;
        for (const QString& c : columns) {
            TField* f = fieldForColumn(c.trimmed());
            if (!f)
                return QStringList();   // a key the query does not return cannot find the record
            fields << f->FieldName();
        }
        return fields;
    };
    QStringList keys = asFields(m_ds.Target().PrimaryCols);
    if (keys.isEmpty() && m_ds.Target().PrimaryCols.isEmpty()) {
        const QString table = tableName();
        THdbc* db = m_ds.hDbc();
        if (db && db->Connected()) {
            keys = asFields(db->bestRowIdColumns(table));
            if (keys.isEmpty())
                keys = asFields(db->primaryKeyColumns(table));
        }
        if (keys.isEmpty() && TwwOEDataSet::KeyFieldsResolver)
            keys = asFields(TwwOEDataSet::KeyFieldsResolver(table));
    }
    if (keys.isEmpty())
        throw EDatabaseError(NoKeyMessage);
    m_keys = keys;
    return m_keys;
}

std::vector<TField*> DataSetWriter::writableFields(const QString& table) const
{
    const QString tableOnly = lastComponent(table);
    bool driverKnowsTables = false;
    for (TField* f : m_ds.Fields())
        if (f->isDataField() && f->column() > 0 && !f->baseTable().isEmpty())
            driverKnowsTables = true;
    std::vector<TField*> out;
    for (TField* f : m_ds.Fields()) {
        if (!f->isDataField() || f->column() <= 0 || f->readOnly())
            continue;
        if (m_ds.Target().isIgnored(f->FieldName()) || m_ds.Target().isIgnored(columnName(*f)))
            continue;
        if (driverKnowsTables) {
            // columns of other tables of a join and computed columns are not written
            if (f->baseTable().isEmpty() || lastComponent(f->baseTable()).compare(tableOnly, Qt::CaseInsensitive) != 0)
                continue;
        }
        out.push_back(f);
    }
    return out;
}

QString DataSetWriter::whereByKeys(const std::vector<QVariant>& values, Bindings& bindings)
{
    QStringList parts;
    for (const QString& key : keyFields()) {
        TField& f = m_ds.FieldByName(key);
        const QVariant& v = values[size_t(f.index())];
        if (!v.isValid()) {
            parts << columnName(f) + QStringLiteral(" IS NULL");
        } else {
            const QString p = QStringLiteral("K%1").arg(bindings.size() + 1);
            parts << columnName(f) + QStringLiteral(" = :") + p;
            bindings.push_back({p, v, f.dataType()});
        }
    }
    return QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
}

qint64 DataSetWriter::run(const QString& sql, const Bindings& bindings, bool fetch)
{
    if (m_stmt.hDbc() != m_ds.hDbc())
        m_stmt.sethDbc(m_ds.hDbc());
    m_stmt.setSQL(sql);
    for (const Binding& b : bindings)
        m_stmt.BindParam(b.name, b.value, b.type);
    m_stmt.Execute();
    if (fetch)
        return m_stmt.FetchNext() ? 1 : 0;
    const qint64 affected = m_stmt.RowCount();
    m_stmt.Close();
    return affected;
}

void DataSetWriter::write(TUpdateKind kind, const std::vector<QVariant>& oldValues,
                          const std::vector<QVariant>& newValues)
{
    const QString table = tableName();
    Bindings bindings;
    QString sql;
    if (kind == ukModify) {
        const std::vector<TField*> fields = writableFields(table);
        if (fields.empty())
            return;
        QStringList sets;
        for (TField* f : fields) {
            const QString p = QStringLiteral("C%1").arg(bindings.size() + 1);
            sets << columnName(*f) + QStringLiteral(" = :") + p;
            bindings.push_back({p, newValues[size_t(f->index())], f->dataType()});
        }
        sql = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + sets.join(QStringLiteral(", "));
        sql += whereByKeys(oldValues, bindings);
    } else if (kind == ukInsert) {
        QStringList columns, markers;
        for (TField* f : writableFields(table)) {
            const QVariant& v = newValues[size_t(f->index())];
            if (!v.isValid())
                continue;   // NULL: the column's default applies
            const QString p = QStringLiteral("C%1").arg(bindings.size() + 1);
            columns << columnName(*f);
            markers << QStringLiteral(":") + p;
            bindings.push_back({p, v, f->dataType()});
        }
        sql = QStringLiteral("INSERT INTO ") + table
            + (columns.isEmpty() ? QStringLiteral(" DEFAULT VALUES")
                                 : QStringLiteral(" (") + columns.join(QStringLiteral(", ")) + QStringLiteral(") VALUES (")
                                       + markers.join(QStringLiteral(", ")) + QLatin1Char(')'));
    } else {
        sql = QStringLiteral("DELETE FROM ") + table + whereByKeys(oldValues, bindings);
    }
    const qint64 affected = run(sql, bindings, false);
    if (kind != ukInsert && affected == 0)
        throw EDatabaseError(QStringLiteral("Zapisa ni več v tabeli %1 !").arg(table));
}

bool DataSetWriter::reread(std::vector<QVariant>& values)
{
    const QString table = tableName();
    Bindings bindings;
    const QString sql = QStringLiteral("SELECT * FROM ") + table + whereByKeys(values, bindings);
    if (run(sql, bindings, true) == 0) {
        m_stmt.Close();
        return false;
    }
    for (int c = 1; c <= m_stmt.ColCount(); ++c) {
        TField* f = fieldForColumn(m_stmt.ColName(c));
        if (!f)
            continue;
        values[size_t(f->index())] = convertToFieldType(m_stmt.ColumnValue(c), f->dataType());
    }
    m_stmt.Close();
    return true;
}
