#include "DBGridDelegate.h"

#include "DBGrid.h"
#include "DatePicker.h"
#include "LookupComboBox.h"

#include "controls/DataSetTableModel.h"

#include "data/core/FieldType.h"
#include "data/dataset/TField.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QMetaProperty>

DBGridDelegate::DBGridDelegate(DBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QWidget* DBGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QString editorName = m_grid->editorNameOf(index.column());
    if (!editorName.isEmpty()) {
        if (DBGrid::EditorFactory factory = m_grid->editorFactory(editorName)) {
            QWidget* editor = factory(parent);
            if (editor != nullptr) {
                editor->setParent(parent);
                if (auto* lookup = qobject_cast<LookupComboBox*>(editor)) {
                    // the chosen value reaches the record before the owner's closeUp handlers run
                    auto* self = const_cast<DBGridDelegate*>(this);
                    connect(lookup, &LookupComboBox::choiceMade, self, [self, lookup] { emit self->commitData(lookup); });
                }
                return editor;
            }
        }
    }
    TField* field = m_grid->dataModel()->fieldAt(index.column());
    if (field != nullptr && (field->dataType() == TFieldType::ftDate || field->dataType() == TFieldType::ftDateTime)) {
        auto* picker = new DatePicker(parent);
        picker->setFrame(false);
        // an optional date may be cleared; a required one may not
        picker->setAllowEmpty(!field->required());
        return picker;
    }
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor); line != nullptr && field != nullptr
        && field->dataType() == TFieldType::ftString && field->size() > 0)
        line->setMaxLength(field->size());
    return editor;
}

void DBGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QVariant value = index.data(Qt::EditRole);
    if (auto* lookup = qobject_cast<LookupComboBox*>(editor)) {
        lookup->setLookupText(value.toString());
        return;
    }
    if (auto* picker = qobject_cast<DatePicker*>(editor)) {
        // an empty cell stays empty (no date is put in for the user)
        picker->setDate(value.toDate());
        picker->selectAll();
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void DBGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QVariant old = index.data(Qt::EditRole);
    QVariant value;
    if (auto* lookup = qobject_cast<LookupComboBox*>(editor)) {
        // a code that is not in the list is not stored: the box says so and keeps it to correct
        if (lookup->choiceFromListOnly() && !lookup->isTextListed()) {
            m_grid->noteRefusedValue(editor);
            return;
        }
        lookup->validateText();
        value = lookup->lookupText();
    } else if (auto* picker = qobject_cast<DatePicker*>(editor)) {
        // text that is no date is never stored as another date: the picker keeps it and says so
        if (!picker->isTextValid())
            return;
        value = picker->date();
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        value = line->text();
    } else {
        const QByteArray property = editor->metaObject()->userProperty().name();
        value = editor->property(property.isEmpty() ? "text" : property.constData());
    }
    const bool same = value.typeId() == QMetaType::QDate ? old.toDate() == value.toDate() : old.toString() == value.toString();
    if (same)
        return;
    // a value the record refuses (its message has been shown) keeps the cursor in the cell
    if (!model->setData(index, value, Qt::EditRole))
        m_grid->noteRefusedValue(editor);
}

bool DBGridDelegate::eventFilter(QObject* object, QEvent* event)
{
    // A date cell is left (Enter, Tab, a click elsewhere) only with a date in it: other text is
    // refused with a message and stays in the cell until it is corrected or Escape gives it up.
    if (auto* picker = qobject_cast<DatePicker*>(object)) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
                if (!picker->confirmDate())
                    return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            const QWidget* focus = QApplication::focusWidget();
            const bool inside = focus != nullptr && (focus == picker || picker->isAncestorOf(focus));
            if (!inside && !picker->isTextValid()) {
                // a message box or another window: the cell stays open as it is
                if (!picker->isActiveWindow() || static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
                    return true;
                picker->confirmDate();
                return true;
            }
        }
    }
    // A drop-down that offers a choice from its list only: the same for a value not in the list.
    if (auto* lookup = qobject_cast<LookupComboBox*>(object); lookup != nullptr && lookup->choiceFromListOnly()) {
        const bool popupOpen = lookup->view() != nullptr && lookup->view()->isVisible();
        if (event->type() == QEvent::KeyPress && !popupOpen) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab)
                && !lookup->confirmText())
                return true;
        } else if (event->type() == QEvent::FocusOut && !popupOpen) {
            const QWidget* focus = QApplication::focusWidget();
            const bool inside = focus != nullptr && (focus == lookup || lookup->isAncestorOf(focus));
            if (!inside && !lookup->isTextListed()) {
                if (!lookup->isActiveWindow() || static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
                    return true;
                lookup->confirmText();
                return true;
            }
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

void DBGridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.data(DataSetTableModel::MutedRole).toBool()) {
        const QColor grey = option->palette.color(QPalette::Disabled, QPalette::Text);
        option->palette.setColor(QPalette::Text, grey);
        option->palette.setColor(QPalette::HighlightedText, grey);
        option->font.setItalic(true);
    }
}
