#pragma once
#include "ControlType.h"
#include "GridColumn.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QStringList>

#include <vector>

class TField;
#include "controls/TwwDataSource.h"
#include "data/dataset/TwwOEDataSet.h"

// A table model over a live dataset: one row per display row of the dataset (the cached records,
// a record being inserted at its place), one column per grid column. The rows stay in the
// dataset's cache and are read from there; edits go into the dataset's edit buffer through the
// data source (so its field rules, events and write hook do the rest), and the model follows
// the dataset's signals. Rows not yet fetched are fetched as a view asks for more.
//
// Roles: DisplayRole the display text, EditRole the edit text (a date field gives a QDate),
// CheckStateRole for check-box columns (ControlType "F;CheckBox;T;F"), TextAlignmentRole right
// for numbers. Header: the column titles with "~" as line breaks; the vertical header marks the
// current record ("►"), a record being edited ("✎") or inserted ("*").
class DataSetTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataSetTableModel(TwwDataSource* source, QObject* parent = nullptr);

    TwwDataSource* dataSource() const { return m_source; }
    TwwOEDataSet* dataSet() const;

    // The columns; empty: every visible field of the dataset with its own label and width.
    void setColumns(const GridColumns& columns);
    const GridColumns& columns() const { return m_columns; }
    // The columns actually shown (resolved against the open dataset's fields).
    int columnOfField(const QString& fieldName) const;
    QString fieldNameAt(int column) const;
    TField* fieldAt(int column) const;
    const GridColumn& columnAt(int column) const;
    FieldControlType controlTypeAt(int column) const;
    // Width of a column in characters.
    int widthInCharacters(int column) const;

    // Role of a cell whose value is not used at the moment (shown greyed, with the hint as its
    // tooltip): true for the muted fields while muting is on.
    static constexpr int MutedRole = Qt::UserRole + 1;
    // Fields whose values are not used while muting is on, and the hint that says why.
    void setMutedFields(const QStringList& fieldNames, const QString& hint);
    void setFieldsMuted(bool on);
    bool fieldsMuted() const { return m_muted; }

    // A model that never edits (lookup drop-downs).
    void setReadOnly(bool on) { m_readOnly = on; }
    bool isReadOnly() const { return m_readOnly; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // Re-reads everything (after the columns or the dataset changed).
    void reload();

private:
    struct ResolvedColumn {
        GridColumn column;
        int fieldIndex = -1;
        FieldControlType controlType;
    };

    void attach();
    void resolveColumns();
    void onRowsInserted(int first, int last);
    void onRowRemoved(int row);
    void onDataChanged(int row, int fieldIndex);
    void onCurrentChanged(int row);
    void checkCount();
    int modelColumnOfFieldIndex(int fieldIndex) const;

    QPointer<TwwDataSource> m_source;
    QPointer<TwwOEDataSet> m_attached;
    std::vector<QMetaObject::Connection> m_connections;
    GridColumns m_columns;
    std::vector<ResolvedColumn> m_resolved;
    int m_rowCount = 0;
    int m_markedRow = -1;
    bool m_readOnly = false;
    QStringList m_mutedFields;
    QString m_mutedHint;
    bool m_muted = false;
};
