#include "DataSetTableModel.h"

#include "FieldText.h"
#include "TwwDataSource.h"

#include "data/core/FieldType.h"
#include "data/dataset/TField.h"
#include "data/dataset/TwwOEDataSet.h"

namespace {
constexpr int FetchBlock = 100;
}

DataSetTableModel::DataSetTableModel(TwwDataSource* source, QObject* parent) : QAbstractTableModel(parent), m_source(source)
{
    if (source != nullptr)
        connect(source, &TwwDataSource::dataSetChanged, this, &DataSetTableModel::reload);
    reload();
}

TwwOEDataSet* DataSetTableModel::dataSet() const { return m_source ? m_source->DataSet() : nullptr; }

void DataSetTableModel::setColumns(const GridColumns& columns)
{
    m_columns = columns;
    reload();
}

void DataSetTableModel::attach()
{
    for (const auto& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_attached = dataSet();
    TwwOEDataSet* ds = m_attached;
    if (ds == nullptr)
        return;
    m_connections.push_back(connect(ds, &TwwOEDataSet::opened, this, &DataSetTableModel::reload));
    m_connections.push_back(connect(ds, &TwwOEDataSet::closed, this, &DataSetTableModel::reload));
    m_connections.push_back(connect(ds, &TwwOEDataSet::layoutChanged, this, &DataSetTableModel::reload));
    m_connections.push_back(connect(ds, &TwwOEDataSet::rowsInserted, this, &DataSetTableModel::onRowsInserted));
    m_connections.push_back(connect(ds, &TwwOEDataSet::rowRemoved, this, &DataSetTableModel::onRowRemoved));
    m_connections.push_back(connect(ds, &TwwOEDataSet::dataChanged, this, &DataSetTableModel::onDataChanged));
    m_connections.push_back(connect(ds, &TwwOEDataSet::currentChanged, this, &DataSetTableModel::onCurrentChanged));
    m_connections.push_back(connect(ds, &TwwOEDataSet::stateChanged, this, [this](int) {
        onCurrentChanged(dataSet() ? dataSet()->currentRow() : -1);
    }));
}

void DataSetTableModel::resolveColumns()
{
    m_resolved.clear();
    TwwOEDataSet* ds = dataSet();
    const bool open = ds != nullptr && ds->Active();
    if (m_columns.isEmpty()) {
        if (!open)
            return;
        for (TField* f : ds->Fields()) {
            if (!f->visible())
                continue;
            ResolvedColumn r;
            r.column.fieldName = f->FieldName();
            r.fieldIndex = f->index();
            r.controlType = FieldControlType::fromParts(ds->controlTypeOf(f->FieldName()));
            m_resolved.push_back(r);
        }
        return;
    }
    for (const GridColumn& c : m_columns) {
        ResolvedColumn r;
        r.column = c;
        if (open) {
            if (TField* f = ds->FindField(c.fieldName))
                r.fieldIndex = f->index();
        }
        if (ds != nullptr)
            r.controlType = FieldControlType::fromParts(ds->controlTypeOf(c.fieldName));
        m_resolved.push_back(r);
    }
}

void DataSetTableModel::reload()
{
    beginResetModel();
    if (m_attached != dataSet())
        attach();
    resolveColumns();
    TwwOEDataSet* ds = dataSet();
    m_rowCount = ds != nullptr && ds->Active() ? ds->rowCount() : 0;
    m_markedRow = ds != nullptr && ds->Active() ? ds->currentRow() : -1;
    endResetModel();
}

void DataSetTableModel::checkCount()
{
    TwwOEDataSet* ds = dataSet();
    const int actual = ds != nullptr && ds->Active() ? ds->rowCount() : 0;
    if (actual != m_rowCount)
        reload();
}

void DataSetTableModel::onRowsInserted(int first, int last)
{
    if (first < 0 || last < first || first > m_rowCount) {
        reload();
        return;
    }
    beginInsertRows(QModelIndex(), first, last);
    m_rowCount += last - first + 1;
    endInsertRows();
    checkCount();
}

void DataSetTableModel::onRowRemoved(int row)
{
    if (row < 0 || row >= m_rowCount) {
        reload();
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    --m_rowCount;
    endRemoveRows();
    checkCount();
}

void DataSetTableModel::onDataChanged(int row, int fieldIndex)
{
    if (row < 0 || row >= m_rowCount || m_resolved.empty())
        return;
    if (fieldIndex < 0) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        emit headerDataChanged(Qt::Vertical, row, row);
        return;
    }
    const int column = modelColumnOfFieldIndex(fieldIndex);
    if (column >= 0)
        emit dataChanged(index(row, column), index(row, column));
    else   // a field that is not shown may feed a calculated one that is
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DataSetTableModel::onCurrentChanged(int row)
{
    const int previous = m_markedRow;
    m_markedRow = row;
    if (previous >= 0 && previous < m_rowCount)
        emit headerDataChanged(Qt::Vertical, previous, previous);
    if (row >= 0 && row < m_rowCount)
        emit headerDataChanged(Qt::Vertical, row, row);
}

int DataSetTableModel::modelColumnOfFieldIndex(int fieldIndex) const
{
    for (std::size_t i = 0; i < m_resolved.size(); ++i)
        if (m_resolved[i].fieldIndex == fieldIndex)
            return int(i);
    return -1;
}

int DataSetTableModel::columnOfField(const QString& fieldName) const
{
    for (std::size_t i = 0; i < m_resolved.size(); ++i)
        if (m_resolved[i].column.fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

QString DataSetTableModel::fieldNameAt(int column) const
{
    if (column < 0 || column >= int(m_resolved.size()))
        return QString();
    return m_resolved[size_t(column)].column.fieldName;
}

TField* DataSetTableModel::fieldAt(int column) const
{
    TwwOEDataSet* ds = dataSet();
    if (ds == nullptr || column < 0 || column >= int(m_resolved.size()))
        return nullptr;
    const int fieldIndex = m_resolved[size_t(column)].fieldIndex;
    if (fieldIndex < 0 || fieldIndex >= int(ds->Fields().size()))
        return nullptr;
    return ds->Fields()[size_t(fieldIndex)];
}

const GridColumn& DataSetTableModel::columnAt(int column) const { return m_resolved.at(size_t(column)).column; }

FieldControlType DataSetTableModel::controlTypeAt(int column) const
{
    if (column < 0 || column >= int(m_resolved.size()))
        return {};
    return m_resolved[size_t(column)].controlType;
}

int DataSetTableModel::widthInCharacters(int column) const
{
    if (column < 0 || column >= int(m_resolved.size()))
        return 10;
    if (m_resolved[size_t(column)].column.width > 0)
        return m_resolved[size_t(column)].column.width;
    if (TField* f = fieldAt(column))
        return f->displayWidth();
    return 10;
}

int DataSetTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rowCount; }

int DataSetTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_resolved.size());
}

void DataSetTableModel::setMutedFields(const QStringList& fieldNames, const QString& hint)
{
    m_mutedFields = fieldNames;
    m_mutedHint = hint;
    if (m_muted && m_rowCount > 0)
        emit dataChanged(index(0, 0), index(m_rowCount - 1, columnCount() - 1));
}

void DataSetTableModel::setFieldsMuted(bool on)
{
    if (m_muted == on)
        return;
    m_muted = on;
    if (m_rowCount > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(m_rowCount - 1, columnCount() - 1));
}

QVariant DataSetTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rowCount)
        return QVariant();
    TField* field = fieldAt(index.column());
    TwwOEDataSet* ds = dataSet();
    if (field == nullptr || ds == nullptr)
        return QVariant();
    const bool muted = m_muted && m_mutedFields.contains(field->FieldName(), Qt::CaseInsensitive);
    if (role == MutedRole)
        return muted;
    if (role == Qt::ToolTipRole && muted)
        return m_mutedHint;
    const QVariant value = ds->valueAt(index.row(), field->index());
    const FieldControlType type = controlTypeAt(index.column());
    switch (role) {
    case Qt::DisplayRole:
        if (type.kind == FieldControlType::CheckBox)
            return QVariant();
        return fieldDisplayText(*field, value);
    case Qt::EditRole:
        if (type.kind == FieldControlType::CheckBox)
            return value.isValid() ? QVariant(value.toString()) : QVariant(QString());
        if (field->dataType() == TFieldType::ftDate || field->dataType() == TFieldType::ftDateTime) {
            const QDate d = value.typeId() == QMetaType::QDate ? value.toDate() : value.toDateTime().date();
            return d.isValid() ? QVariant(d) : QVariant(QMetaType(QMetaType::QDate));
        }
        return fieldEditText(*field, value);
    case Qt::CheckStateRole:
        if (type.kind != FieldControlType::CheckBox)
            return QVariant();
        return type.isChecked(value.toString()) ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole:
        if (isFloatType(field->dataType()) || isIntegerType(field->dataType()))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (type.kind == FieldControlType::CheckBox)
            return QVariant(Qt::AlignCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (field->dataType() == TFieldType::ftString && field->size() > 0 && fieldDisplayText(*field, value).size() > 40)
            return fieldDisplayText(*field, value);
        return QVariant();
    default:
        return QVariant();
    }
}

bool DataSetTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || m_readOnly || m_source == nullptr || !(flags(index) & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)))
        return false;
    TField* field = fieldAt(index.column());
    if (field == nullptr)
        return false;
    const FieldControlType type = controlTypeAt(index.column());
    QVariant newValue = value;
    if (role == Qt::CheckStateRole) {
        if (type.kind != FieldControlType::CheckBox)
            return false;
        const bool checked = value.toInt() == Qt::Checked;
        newValue = checked ? type.checkedValue : type.uncheckedValue;
    } else if (role != Qt::EditRole) {
        return false;
    }
    if (newValue.typeId() == QMetaType::QDate) {
        const QDate d = newValue.toDate();
        newValue = d.isValid() ? QVariant(QDateTime(d, QTime(0, 0))) : QVariant();
    }
    return m_source->setFieldValue(index.row(), *field, newValue);
}

Qt::ItemFlags DataSetTableModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (m_readOnly)
        return f;
    TField* field = fieldAt(index.column());
    if (field == nullptr || field->readOnly() || m_resolved[size_t(index.column())].column.readOnly
        || field->fieldKind() != TFieldKind::fkData)
        return f;
    if (controlTypeAt(index.column()).kind == FieldControlType::CheckBox)
        return f | Qt::ItemIsUserCheckable;
    return f | Qt::ItemIsEditable;
}

QVariant DataSetTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= int(m_resolved.size()))
            return QVariant();
        if (role == Qt::DisplayRole) {
            const GridColumn& c = m_resolved[size_t(section)].column;
            if (!c.title.isEmpty())
                return columnTitleText(c.title);
            if (TField* f = fieldAt(section))
                return columnTitleText(f->displayLabel());
            return c.fieldName;
        }
        if (role == Qt::UserRole)
            return m_resolved[size_t(section)].column.fieldName;
        return QVariant();
    }
    if (role != Qt::DisplayRole)
        return QVariant();
    TwwOEDataSet* ds = dataSet();
    if (ds == nullptr || !ds->Active() || section != ds->currentRow())
        return QString();
    switch (ds->State()) {
    case dsInsert:
        return QStringLiteral("*");
    case dsEdit:
        return QStringLiteral("✎");
    default:
        return QStringLiteral("►");
    }
}

bool DataSetTableModel::canFetchMore(const QModelIndex& parent) const
{
    TwwOEDataSet* ds = dataSet();
    return !parent.isValid() && ds != nullptr && ds->Active() && !ds->allFetched();
}

void DataSetTableModel::fetchMore(const QModelIndex& parent)
{
    TwwOEDataSet* ds = dataSet();
    if (parent.isValid() || ds == nullptr || !ds->Active())
        return;
    TwwDataSource::run([&] { ds->fetchMore(FetchBlock); });
}
