#include "ControlType.h"

FieldControlType FieldControlType::fromParts(const QStringList& parts)
{
    FieldControlType t;
    if (parts.size() < 2)
        return t;
    const QString kind = parts.at(1).trimmed();
    if (kind.compare(QLatin1String("CheckBox"), Qt::CaseInsensitive) == 0) {
        t.kind = CheckBox;
        t.checkedValue = parts.size() > 2 ? parts.at(2) : QStringLiteral("T");
        t.uncheckedValue = parts.size() > 3 ? parts.at(3) : QStringLiteral("F");
    } else if (kind.compare(QLatin1String("CustomEdit"), Qt::CaseInsensitive) == 0 && parts.size() > 2) {
        t.kind = CustomEdit;
        t.editorName = parts.at(2).trimmed();
    }
    return t;
}
