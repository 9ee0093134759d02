#include "reports/ReportDataSource.h"

#include "data/core/FieldType.h"
#include "data/dataset/TField.h"
#include "data/dataset/TwwOEDataSet.h"
#include "data/local/LocalTable.h"

#include <QDate>
#include <QDateTime>

bool ReportDataSource::hasField(const QString& field) const
{
    return fieldNames().contains(field, Qt::CaseInsensitive);
}

ReportFieldKind reportFieldKindOf(const QVariant& sampleValue)
{
    switch (sampleValue.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
        return ReportFieldKind::Number;
    case QMetaType::QDate: case QMetaType::QDateTime:
        return ReportFieldKind::Date;
    case QMetaType::Bool:
        return ReportFieldKind::Boolean;
    default:
        return ReportFieldKind::Text;
    }
}

// ---- over a live dataset --------------------------------------------------------------------

DataSetReportSource::DataSetReportSource(TwwOEDataSet& dataSet, const QString& name)
    : m_dataSet(dataSet), m_name(name.isEmpty() ? dataSet.Name() : name)
{
}

QStringList DataSetReportSource::fieldNames() const
{
    QStringList out;
    for (const TField* f : m_dataSet.Fields())
        out << f->FieldName();
    return out;
}

ReportFieldKind DataSetReportSource::fieldKind(const QString& field) const
{
    const TField* f = m_dataSet.FindField(field);
    if (!f)
        return ReportFieldKind::Text;
    const TFieldType t = f->dataType();
    if (t == TFieldType::ftCurrency)
        return ReportFieldKind::Money;
    if (isIntegerType(t) || isFloatType(t))
        return ReportFieldKind::Number;
    if (isDateTimeType(t))
        return ReportFieldKind::Date;
    if (t == TFieldType::ftBoolean)
        return ReportFieldKind::Boolean;
    return ReportFieldKind::Text;
}

bool DataSetReportSource::isOpen() const { return m_dataSet.Active(); }
void DataSetReportSource::open() { m_dataSet.Open(); }
void DataSetReportSource::first() { m_dataSet.First(); }
bool DataSetReportSource::eof() const { return m_dataSet.Eof(); }
void DataSetReportSource::next() { m_dataSet.Next(); }

QVariant DataSetReportSource::value(const QString& field) const
{
    const TField* f = m_dataSet.FindField(field);
    return f ? f->value() : QVariant();
}

int DataSetReportSource::recordCount() const
{
    return m_dataSet.Active() ? m_dataSet.RecordCount() : -1;
}

// ---- over a local table -----------------------------------------------------------------------

LocalTableReportSource::LocalTableReportSource(LocalTable& table, const QString& name)
    : m_table(table), m_name(name)
{
}

QStringList LocalTableReportSource::fieldNames() const
{
    QStringList out;
    for (const LocalFieldDef& d : m_table.fieldDefs())
        out << d.name;
    return out;
}

ReportFieldKind LocalTableReportSource::fieldKind(const QString& field) const
{
    for (const LocalFieldDef& d : m_table.fieldDefs()) {
        if (d.name.compare(field, Qt::CaseInsensitive) != 0)
            continue;
        switch (d.type) {
        case LocalFieldType::Float: case LocalFieldType::SmallInt: case LocalFieldType::Integer:
        case LocalFieldType::AutoInc:
            return ReportFieldKind::Number;
        case LocalFieldType::DateTime:
            return ReportFieldKind::Date;
        default:
            return ReportFieldKind::Text;
        }
    }
    return ReportFieldKind::Text;
}

bool LocalTableReportSource::isOpen() const { return m_table.isOpen(); }
void LocalTableReportSource::open() { m_table.open(); }
void LocalTableReportSource::first() { m_table.first(); }
bool LocalTableReportSource::eof() const { return m_table.eof(); }
void LocalTableReportSource::next() { m_table.next(); }

QVariant LocalTableReportSource::value(const QString& field) const
{
    return m_table.hasField(field) ? m_table.value(field) : QVariant();
}

int LocalTableReportSource::recordCount() const
{
    return m_table.isOpen() ? m_table.recordCount() : -1;
}

// ---- in memory ----------------------------------------------------------------------------

MemoryReportSource::MemoryReportSource(const QString& name, std::vector<Field> fields)
    : m_name(name), m_fields(std::move(fields))
{
}

void MemoryReportSource::addRow(const QVariantList& values)
{
    QVariantList row = values;
    while (row.size() < qsizetype(m_fields.size()))
        row.append(QVariant());
    m_rows.push_back(std::move(row));
}

QStringList MemoryReportSource::fieldNames() const
{
    QStringList out;
    for (const auto& f : m_fields)
        out << f.name;
    return out;
}

int MemoryReportSource::indexOf(const QString& field) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(field, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

ReportFieldKind MemoryReportSource::fieldKind(const QString& field) const
{
    const int i = indexOf(field);
    return i < 0 ? ReportFieldKind::Text : m_fields[size_t(i)].kind;
}

QVariant MemoryReportSource::value(const QString& field) const
{
    const int i = indexOf(field);
    if (i < 0 || m_row >= m_rows.size())
        return {};
    return m_rows[m_row].value(i);
}

// ---- by name ------------------------------------------------------------------------------

void ReportDataSources::add(ReportDataSource& source)
{
    m_sources.push_back(std::shared_ptr<ReportDataSource>(&source, [](ReportDataSource*) {}));
}

void ReportDataSources::add(std::shared_ptr<ReportDataSource> source)
{
    if (source)
        m_sources.push_back(std::move(source));
}

ReportDataSource* ReportDataSources::find(const QString& name) const
{
    for (const auto& s : m_sources)
        if (s->name().compare(name, Qt::CaseInsensitive) == 0)
            return s.get();
    return nullptr;
}

QStringList ReportDataSources::names() const
{
    QStringList out;
    for (const auto& s : m_sources)
        out << s->name();
    return out;
}
