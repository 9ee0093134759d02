#include "DBGrid.h"

#include "DBGridDelegate.h"
#include "DatePicker.h"

#include "controls/DataSetTableModel.h"
#include "controls/TwwDataSource.h"

#include "data/dataset/TwwOEDataSet.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>

DBGrid::DBGrid(QWidget* parent) : QTableView(parent)
{
    m_model = new DataSetTableModel(nullptr, this);
    setModel(m_model);
    setItemDelegate(new DBGridDelegate(this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                    | QAbstractItemView::SelectedClicked);
    setWordWrap(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("►")) + 10);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DBGrid::headerClicked);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnLayout();
        followDataSet();
    });
}

void DBGrid::setDataSource(TwwDataSource* source)
{
    auto* old = m_model;
    m_model = new DataSetTableModel(source, this);
    m_model->setColumns(old->columns());
    setModel(m_model);
    delete old;
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumnLayout();
        followDataSet();
    });
    if (source != nullptr) {
        connect(source, &TwwDataSource::dataSetChanged, this, [this, source] {
            if (TwwOEDataSet* ds = source->DataSet())
                connect(ds, &TwwOEDataSet::currentChanged, this, &DBGrid::followDataSet, Qt::UniqueConnection);
        });
        if (TwwOEDataSet* ds = source->DataSet())
            connect(ds, &TwwOEDataSet::currentChanged, this, &DBGrid::followDataSet, Qt::UniqueConnection);
    }
    applyColumnLayout();
    followDataSet();
}

TwwDataSource* DBGrid::dataSource() const { return m_model->dataSource(); }

void DBGrid::setColumns(const GridColumns& columns)
{
    m_model->setColumns(columns);
    applyColumnLayout();
}

const GridColumns& DBGrid::columns() const { return m_model->columns(); }

int DBGrid::columnOfField(const QString& fieldName) const { return m_model->columnOfField(fieldName); }

void DBGrid::applyColumnLayout()
{
    const QFontMetrics fm(font());
    for (int c = 0; c < m_model->columnCount(); ++c)
        setColumnWidth(c, m_model->widthInCharacters(c) * fm.horizontalAdvance(QLatin1Char('0')) + 10);
    const QFontMetrics header(horizontalHeader()->font());
    int lines = 1;
    for (int c = 0; c < m_model->columnCount(); ++c)
        lines = std::max(lines, int(m_model->headerData(c, Qt::Horizontal).toString().count(QLatin1Char('\n'))) + 1);
    horizontalHeader()->setMinimumHeight(lines * header.height() + 8);
}

void DBGrid::setTitleButtons(bool on)
{
    m_titleButtons = on;
    horizontalHeader()->setSectionsClickable(on);
}

void DBGrid::registerEditor(const QString& name, EditorFactory factory) { m_editors.insert(name, std::move(factory)); }

QString DBGrid::editorNameOf(int column) const
{
    if (column < 0 || column >= m_model->columnCount())
        return QString();
    const QString own = m_model->columnAt(column).editorName;
    if (!own.isEmpty())
        return own;
    const FieldControlType type = m_model->controlTypeAt(column);
    return type.kind == FieldControlType::CustomEdit ? type.editorName : QString();
}

void DBGrid::headerClicked(int section)
{
    if (!m_titleButtons)
        return;
    const QString field = m_model->fieldNameAt(section);
    if (!field.isEmpty())
        emit titleButtonClick(field);
}

void DBGrid::followDataSet()
{
    TwwOEDataSet* ds = m_model->dataSet();
    if (ds == nullptr || !ds->Active() || m_following)
        return;
    const int row = ds->currentRow();
    if (row < 0 || row >= m_model->rowCount())
        return;
    if (currentIndex().row() == row)
        return;
    m_following = true;
    const int column = std::max(currentIndex().column(), 0);
    if (column < m_model->columnCount())
        selectionModel()->setCurrentIndex(m_model->index(row, column), QItemSelectionModel::ClearAndSelect);
    m_following = false;
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // A date cell holding text that is no date is not left (a click on another cell): the
    // cursor goes back to it, the text stays, and the picker says what is wrong.
    if (previous.isValid() && !m_following && state() == QAbstractItemView::EditingState) {
        if (QPointer<DatePicker> picker = qobject_cast<DatePicker*>(indexWidget(previous));
            picker && !picker->isTextValid()) {
            const QPersistentModelIndex back(previous);
            QTimer::singleShot(0, this, [this, back, picker] {
                if (back.isValid()) {
                    m_following = true;
                    selectionModel()->setCurrentIndex(back, QItemSelectionModel::ClearAndSelect);
                    m_following = false;
                }
                if (picker)
                    picker->confirmDate();
            });
            return;
        }
    }
    QTableView::currentChanged(current, previous);
    if (m_following || !current.isValid() || dataSource() == nullptr)
        return;
    TwwOEDataSet* ds = m_model->dataSet();
    if (ds == nullptr || !ds->Active() || current.row() == ds->currentRow())
        return;
    if (!dataSource()->moveTo(current.row()))
        QTimer::singleShot(0, this, [this] {
            // the record could not be left: back to it
            TwwOEDataSet* ds = m_model->dataSet();
            if (ds == nullptr || !ds->Active())
                return;
            m_following = true;
            const int column = std::max(currentIndex().column(), 0);
            if (ds->currentRow() >= 0 && ds->currentRow() < m_model->rowCount() && column < m_model->columnCount())
                selectionModel()->setCurrentIndex(m_model->index(ds->currentRow(), column), QItemSelectionModel::ClearAndSelect);
            m_following = false;
        });
}

void DBGrid::moveToNextColumn()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    int row = current.row();
    int column = current.column() + 1;
    while (column < m_model->columnCount() && isColumnHidden(column))
        ++column;
    if (column >= m_model->columnCount()) {
        if (row + 1 >= m_model->rowCount())
            return;
        ++row;
        column = 0;
        while (column < m_model->columnCount() && isColumnHidden(column))
            ++column;
    }
    setCurrentIndex(m_model->index(row, column));
}

bool DBGrid::submitOpenEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return false;
    QWidget* editor = indexWidget(currentIndex());
    if (editor == nullptr)
        return false;
    commitData(editor);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    return true;
}

void DBGrid::focusColumn(const QString& fieldName)
{
    const int column = columnOfField(fieldName);
    TwwOEDataSet* ds = m_model->dataSet();
    if (column < 0 || ds == nullptr || !ds->Active() || ds->currentRow() < 0 || ds->currentRow() >= m_model->rowCount())
        return;
    setFocus(Qt::OtherFocusReason);
    m_following = true;
    selectionModel()->setCurrentIndex(m_model->index(ds->currentRow(), column), QItemSelectionModel::ClearAndSelect);
    m_following = false;
    scrollTo(currentIndex());
}

void DBGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // a refused value: the cursor stays in the cell, with the typed text to correct (a click
    // elsewhere still closes the cell)
    const bool refused = editor != nullptr && editor == m_refusedEditor;
    m_refusedEditor = nullptr;
    if (refused && hint != QAbstractItemDelegate::NoHint && hint != QAbstractItemDelegate::RevertModelCache) {
        editor->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_enterToNext && hint == QAbstractItemDelegate::SubmitModelCache) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        moveToNextColumn();
        return;
    }
    QTableView::closeEditor(editor, hint);
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    TwwDataSource* source = dataSource();
    const bool editingCell = state() == QAbstractItemView::EditingState;
    if (!editingCell && source != nullptr) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_enterToNext && event->modifiers() == Qt::NoModifier) {
                moveToNextColumn();
                return;
            }
            break;
        case Qt::Key_Escape:
            if (source->editing()) {
                source->cancel(true);
                return;
            }
            break;
        case Qt::Key_Insert:
            if (m_allowInsert && event->modifiers() == Qt::NoModifier) {
                source->insert();
                return;
            }
            break;
        case Qt::Key_Delete:
            if (m_allowDelete && event->modifiers() == Qt::ControlModifier) {
                source->remove(true);
                return;
            }
            break;
        default:
            break;
        }
    }
    QTableView::keyPressEvent(event);
}

void DBGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    // entered from outside (not back from one of its own cell editors)
    if (!m_focusInside)
        emit gridEnter();
    m_focusInside = false;
}

void DBGrid::focusOutEvent(QFocusEvent* event)
{
    QWidget* next = QApplication::focusWidget();
    m_focusInside = next != nullptr && isAncestorOf(next);
    QTableView::focusOutEvent(event);
}
