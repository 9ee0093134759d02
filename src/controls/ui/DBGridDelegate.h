#pragma once
#include <QStyledItemDelegate>

class DBGrid;

// The in-cell editors of a DBGrid: registered editors (lookup drop-downs and others), date
// pickers for date fields, line edits (limited to the field's size) for the rest. An editor's
// value goes to the record only when it differs from what the cell holds; a lookup drop-down
// hands its value over as soon as a row is chosen in it.
class DBGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit DBGridDelegate(DBGrid* grid);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    // A cell whose value is not used at the moment (DataSetTableModel::MutedRole) is greyed.
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    DBGrid* m_grid;
};
