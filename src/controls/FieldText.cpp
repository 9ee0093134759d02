#include "FieldText.h"

#include "data/core/FieldType.h"
#include "data/core/FormatFloat.h"
#include "data/core/ProgramState.h"
#include "data/core/TextRoutines.h"
#include "data/dataset/TField.h"

#include <QDate>
#include <QDateTime>

QString fieldDisplayText(const TField& field, const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    const TFieldType type = field.dataType();
    if (isFloatType(type) || isIntegerType(type)) {
        if (field.displayFormat().isEmpty() && isIntegerType(type))
            return QString::number(v.toLongLong());
        return formatFloat(field.displayFormat(), v.toDouble());
    }
    switch (v.typeId()) {
    case QMetaType::QDate:
        return shortDateText(v.toDate());
    case QMetaType::QTime:
        return v.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (!dt.isValid())
            return QString();
        if (dt.time() == QTime(0, 0))
            return shortDateText(dt.date());
        return shortDateText(dt.date()) + QLatin1Char(' ') + dt.time().toString(QStringLiteral("hh:mm:ss"));
    }
    case QMetaType::QByteArray:
        return QStringLiteral("(BLOB)");
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("T") : QStringLiteral("F");
    default:
        return v.toString();
    }
}

QString fieldEditText(const TField& field, const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    const TFieldType type = field.dataType();
    if (isFloatType(type))
        return formatFloat(field.editFormat(), v.toDouble());
    if (isIntegerType(type))
        return QString::number(v.toLongLong());
    return fieldDisplayText(field, v);
}
