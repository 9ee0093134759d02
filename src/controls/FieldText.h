#pragma once
#include <QString>
#include <QVariant>

class TField;

// Texts of a field's value in any cached row (the field itself only reads the current record):
// the same forms as TField::displayText and TField::editText.
QString fieldDisplayText(const TField& field, const QVariant& value);
QString fieldEditText(const TField& field, const QVariant& value);
// Dates are written by shortDateText (data/core/TextRoutines.h).
