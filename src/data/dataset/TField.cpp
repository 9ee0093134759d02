#include "data/dataset/TField.h"

#include "data/core/FormatFloat.h"
#include "data/core/ProgramState.h"
#include "data/core/TextRoutines.h"
#include "data/dataset/TwwOEDataSet.h"

TField::TField(TwwOEDataSet* dataSet, const QString& name, TFieldType type, int size, TFieldKind kind)
    : m_dataSet(dataSet), m_name(name), m_type(type), m_size(size), m_kind(kind)
{
}

int TField::displayWidth() const
{
    if (m_displayWidth > 0)
        return m_displayWidth;
    switch (m_type) {
    case TFieldType::ftString: return m_size > 0 ? m_size : 20;
    case TFieldType::ftSmallint:
    case TFieldType::ftWord: return 6;
    case TFieldType::ftInteger: return 11;
    case TFieldType::ftLargeint: return 15;
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency: return 10;
    case TFieldType::ftDate: return 10;
    case TFieldType::ftTime: return 8;
    case TFieldType::ftDateTime: return 18;
    case TFieldType::ftBoolean: return 5;
    default: return 10;
    }
}

QVariant TField::value() const { return m_dataSet->fieldValue(*this); }
void TField::setValue(const QVariant& v) { m_dataSet->setFieldValue(*this, v); }
QVariant TField::oldValue() const { return m_dataSet->fieldOldValue(*this); }
bool TField::isModified() const { return !(value() == oldValue()); }

QString TField::asString() const
{
    const QVariant v = value();
    if (!v.isValid())
        return QString();
    switch (v.typeId()) {
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.toString(QStringLiteral("yyyy-MM-dd"))
                                        : dt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    case QMetaType::QDate: return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime: return v.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("T") : QStringLiteral("F");
    case QMetaType::QByteArray: return QString::fromUtf8(v.toByteArray());
    default: return v.toString();
    }
}

void TField::setAsString(const QString& v)
{
    // An empty text of a non-text field is NULL; a text field keeps the empty text.
    if (v.trimmed().isEmpty() && !isTextType(m_type) && m_type != TFieldType::ftMemo)
        setValue(QVariant());
    else
        setValue(v);
}

int TField::asInteger() const
{
    const QVariant v = value();
    return v.isValid() ? convertToFieldType(v, TFieldType::ftInteger).toInt() : 0;
}

qint64 TField::asLargeInt() const
{
    const QVariant v = value();
    return v.isValid() ? convertToFieldType(v, TFieldType::ftLargeint).toLongLong() : 0;
}

double TField::asFloat() const
{
    const QVariant v = value();
    return v.isValid() ? convertToFieldType(v, TFieldType::ftFloat).toDouble() : 0.0;
}

QDateTime TField::asDateTime() const
{
    const QVariant v = value();
    return v.isValid() ? convertToFieldType(v, TFieldType::ftDateTime).toDateTime() : QDateTime();
}

bool TField::asBoolean() const
{
    const QVariant v = value();
    return v.isValid() && convertToFieldType(v, TFieldType::ftBoolean).toBool();
}

QByteArray TField::asBytes() const
{
    const QVariant v = value();
    if (!v.isValid())
        return QByteArray();
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : asString().toUtf8();
}

QString TField::displayText() const
{
    const QVariant v = value();
    if (!v.isValid())
        return QString();
    if (isFloatType(m_type) || isIntegerType(m_type)) {
        if (m_displayFormat.isEmpty() && isIntegerType(m_type))
            return QString::number(v.toLongLong());
        return formatFloat(m_displayFormat, v.toDouble());
    }
    switch (v.typeId()) {
    case QMetaType::QDate: return shortDateText(v.toDate());
    case QMetaType::QTime: return v.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        if (dt.time() == QTime(0, 0))
            return shortDateText(dt.date());
        return shortDateText(dt.date()) + QLatin1Char(' ') + dt.time().toString(QStringLiteral("hh:mm:ss"));
    }
    case QMetaType::QByteArray: return QStringLiteral("(BLOB)");
    default: return asString();
    }
}

QString TField::editText() const
{
    const QVariant v = value();
    if (!v.isValid())
        return QString();
    if (isFloatType(m_type)) {
        if (!m_editFormat.isEmpty())
            return formatFloat(m_editFormat, v.toDouble());
        return formatFloat(QString(), v.toDouble());
    }
    if (isIntegerType(m_type))
        return QString::number(v.toLongLong());
    return displayText();
}

void TField::setText(const QString& text)
{
    if (OnSetText)
        OnSetText(*this, text);
    else
        setAsString(text);
}
