#include "DBGridDelegate.h"

#include "DBGrid.h"
#include "DatePicker.h"
#include "LookupComboBox.h"

#include "controls/DataSetTableModel.h"

#include "data/core/FieldType.h"
#include "data/dataset/TField.h"

#include <QLineEdit>
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
        const QDate d = value.toDate();
        picker->setDate(d.isValid() ? d : QDate::currentDate());
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void DBGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QVariant old = index.data(Qt::EditRole);
    QVariant value;
    if (auto* lookup = qobject_cast<LookupComboBox*>(editor)) {
        lookup->validateText();
        value = lookup->lookupText();
    } else if (auto* picker = qobject_cast<DatePicker*>(editor)) {
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
    model->setData(index, value, Qt::EditRole);
}
