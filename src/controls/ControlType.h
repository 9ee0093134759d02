#pragma once
#include <QString>
#include <QStringList>

// A field's presentation hint from its dataset's ControlType list:
//   "AKTIVNO;CheckBox;T;F"  a check box, checked value "T", unchecked value "F";
//   "IDENT;CustomEdit;fIdent"  edited in the grid cell by the editor control named fIdent.
struct FieldControlType {
    enum Kind { Plain, CheckBox, CustomEdit };
    Kind kind = Plain;
    QString checkedValue;     // CheckBox
    QString uncheckedValue;   // CheckBox
    QString editorName;       // CustomEdit

    // parts: the entry split at ";" (field name first), as TwwOEDataSet::controlTypeOf gives it.
    static FieldControlType fromParts(const QStringList& parts);
    bool isChecked(const QString& value) const { return value == checkedValue; }
};
