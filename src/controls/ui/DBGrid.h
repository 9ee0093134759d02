#pragma once
#include "controls/GridColumn.h"

#include <QHash>
#include <QPointer>
#include <QTableView>

#include <functional>

class DataSetTableModel;
class TwwDataSource;

// A grid over a live dataset (through its data source): the columns with their widths in
// characters (the width of "0") and titles of one or more lines ("~" separates them); check-box columns from the
// dataset's ControlType ("F;CheckBox;T;F"); read-only columns; in-cell editors made by
// registered factories (for a column's editorName or ControlType "F;CustomEdit;name"), a date
// picker for date fields and a line edit for the rest. Moving to another row posts the record
// being edited (a failure keeps the grid on it); Escape gives the changes up (asking first,
// see TwwDataSource::cancel); Insert adds a record and Ctrl+Delete deletes one when allowed.
// A click on a column title emits titleButtonClick with the column's field (the owner
// re-sorts); with Enter-to-next, Enter moves to the next column (after the last, to the first
// column of the next row).
class DBGrid : public QTableView {
    Q_OBJECT
public:
    using EditorFactory = std::function<QWidget*(QWidget* parent)>;

    explicit DBGrid(QWidget* parent = nullptr);

    void setDataSource(TwwDataSource* source);
    TwwDataSource* dataSource() const;
    DataSetTableModel* dataModel() const { return m_model; }

    void setColumns(const GridColumns& columns);
    const GridColumns& columns() const;
    int columnOfField(const QString& fieldName) const;
    // Sets the widths of the columns from their widths in characters and the title's height.
    void applyColumnLayout();

    void registerEditor(const QString& name, EditorFactory factory);
    // The editor name that a column uses (its own, else the field's ControlType), or empty.
    QString editorNameOf(int column) const;
    EditorFactory editorFactory(const QString& name) const { return m_editors.value(name); }

    bool enterMovesToNextColumn() const { return m_enterToNext; }
    void setEnterMovesToNextColumn(bool on) { m_enterToNext = on; }
    bool titleButtons() const { return m_titleButtons; }
    void setTitleButtons(bool on);
    bool allowInsert() const { return m_allowInsert; }
    void setAllowInsert(bool on) { m_allowInsert = on; }
    bool allowDelete() const { return m_allowDelete; }
    void setAllowDelete(bool on) { m_allowDelete = on; }

    // Moves to the next column (to the next row after the last column).
    void moveToNextColumn();
    // Takes what is being typed into a cell into the record and closes the cell's editor (before
    // the record is posted from outside the grid). False when no editor was open.
    bool submitOpenEditor();
    // The record refused what was typed into the cell's editor (its message has been shown):
    // Enter or Tab keep the cursor in that cell, with the text to correct.
    void noteRefusedValue(QWidget* editor) { m_refusedEditor = editor; }
    // Puts the cursor into a column of the current row and gives the grid the focus.
    void focusColumn(const QString& fieldName);

signals:
    void titleButtonClick(const QString& fieldName);
    // The grid received the focus (its OnEnter).
    void gridEnter();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void followDataSet();
    void headerClicked(int section);

    DataSetTableModel* m_model = nullptr;
    QHash<QString, EditorFactory> m_editors;
    bool m_enterToNext = false;
    bool m_titleButtons = true;
    bool m_allowInsert = true;
    bool m_allowDelete = true;
    bool m_following = false;
    bool m_focusInside = false;
    QPointer<QWidget> m_refusedEditor;
};
