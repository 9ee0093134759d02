#include "data/core/FieldType.h"

#include "data/core/EConvertError.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>
#include <cmath>
#include <limits>
#include <sqlext.h>
#include <sqlucode.h>

bool isTextType(TFieldType t) { return t == TFieldType::ftString; }
bool isIntegerType(TFieldType t)
{
    return t == TFieldType::ftSmallint || t == TFieldType::ftInteger || t == TFieldType::ftWord
        || t == TFieldType::ftLargeint;
}
bool isFloatType(TFieldType t) { return t == TFieldType::ftFloat || t == TFieldType::ftCurrency; }
bool isDateTimeType(TFieldType t)
{
    return t == TFieldType::ftDate || t == TFieldType::ftTime || t == TFieldType::ftDateTime;
}
bool isLargeType(TFieldType t) { return t == TFieldType::ftMemo || t == TFieldType::ftBlob; }

QString fieldTypeName(TFieldType t)
{
    switch (t) {
    case TFieldType::ftUnknown: return QStringLiteral("ftUnknown");
    case TFieldType::ftString: return QStringLiteral("ftString");
    case TFieldType::ftSmallint: return QStringLiteral("ftSmallint");
    case TFieldType::ftInteger: return QStringLiteral("ftInteger");
    case TFieldType::ftWord: return QStringLiteral("ftWord");
    case TFieldType::ftLargeint: return QStringLiteral("ftLargeint");
    case TFieldType::ftFloat: return QStringLiteral("ftFloat");
    case TFieldType::ftCurrency: return QStringLiteral("ftCurrency");
    case TFieldType::ftDate: return QStringLiteral("ftDate");
    case TFieldType::ftTime: return QStringLiteral("ftTime");
    case TFieldType::ftDateTime: return QStringLiteral("ftDateTime");
    case TFieldType::ftMemo: return QStringLiteral("ftMemo");
    case TFieldType::ftBlob: return QStringLiteral("ftBlob");
    case TFieldType::ftBoolean: return QStringLiteral("ftBoolean");
    }
    return QStringLiteral("ftUnknown");
}

TFieldType fieldTypeFromSql(int sqlType, qulonglong columnSize, int decimalDigits)
{
    switch (sqlType) {
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_GUID:
        return TFieldType::ftString;
    case SQL_LONGVARCHAR:
    case SQL_WLONGVARCHAR:
        return TFieldType::ftMemo;
    case SQL_TINYINT:
    case SQL_SMALLINT:
        return TFieldType::ftSmallint;
    case SQL_INTEGER:
        return TFieldType::ftInteger;
    case SQL_BIGINT:
        return TFieldType::ftLargeint;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return TFieldType::ftFloat;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        if (decimalDigits == 4 && columnSize >= 10 && columnSize <= 19)
            return TFieldType::ftCurrency;
        if (decimalDigits == 0 && columnSize > 0 && columnSize <= 9)
            return TFieldType::ftInteger;
        if (decimalDigits == 0 && columnSize > 0 && columnSize <= 18)
            return TFieldType::ftLargeint;
        return TFieldType::ftFloat;
    case SQL_TYPE_DATE:
    case SQL_DATE:
        return TFieldType::ftDate;
    case SQL_TYPE_TIME:
    case SQL_TIME:
        return TFieldType::ftTime;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
        return TFieldType::ftDateTime;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        return TFieldType::ftBlob;
    case SQL_BIT:
        return TFieldType::ftBoolean;
    default:
        return TFieldType::ftUnknown;
    }
}

TFieldType fieldTypeFromVariant(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QString:
    case QMetaType::QChar:
        return TFieldType::ftString;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
        return TFieldType::ftInteger;
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return TFieldType::ftLargeint;
    case QMetaType::Float:
    case QMetaType::Double:
        return TFieldType::ftFloat;
    case QMetaType::QDate:
        return TFieldType::ftDate;
    case QMetaType::QTime:
        return TFieldType::ftTime;
    case QMetaType::QDateTime:
        return TFieldType::ftDateTime;
    case QMetaType::QByteArray:
        return TFieldType::ftBlob;
    case QMetaType::Bool:
        return TFieldType::ftBoolean;
    default:
        return TFieldType::ftUnknown;
    }
}

namespace {
[[noreturn]] void notA(const QString& text, const char* what)
{
    throw EConvertError(QStringLiteral("'%1' ni %2").arg(text, QString::fromUtf8(what)));
}

// Text typed by a user or read from an INI file: decimal point or the locale's decimal comma.
double textToDouble(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    double d = t.toDouble(&ok);
    if (!ok)
        d = QLocale().toDouble(t, &ok);
    if (!ok) {
        QString c = t;
        c.replace(QLatin1Char(','), QLatin1Char('.'));
        d = c.toDouble(&ok);
    }
    if (!ok)
        notA(text, "veljavna številka");
    return d;
}

qlonglong textToInteger(const QString& text)
{
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok);
    if (!ok)
        notA(text, "veljavno celo število");
    return v;
}

QDateTime textToDateTime(const QString& text)
{
    const QString t = text.trimmed();
    static const char* const formats[] = {
        "yyyy-MM-dd hh:mm:ss.zzz", "yyyy-MM-dd hh:mm:ss", "yyyy-MM-ddThh:mm:ss.zzz", "yyyy-MM-ddThh:mm:ss",
        "yyyy-MM-dd", "yyyy/MM/dd hh:mm:ss", "yyyy/MM/dd", "d.M.yyyy hh:mm:ss", "d.M.yyyy hh:mm",
        "d.M.yyyy", "d.M.yy", "d/M/yyyy", "d-M-yyyy"};
    for (const char* f : formats) {
        const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(f));
        if (dt.isValid())
            return dt;
    }
    notA(text, "veljaven datum");
}

qlonglong checkedRange(qlonglong v, qlonglong lo, qlonglong hi, const QVariant& original)
{
    if (v < lo || v > hi)
        throw EConvertError(QStringLiteral("'%1' je zunaj dovoljenega obsega").arg(original.toString()));
    return v;
}

qlonglong toInteger(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return textToInteger(value.toString());
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
            throw EConvertError(QStringLiteral("'%1' je zunaj dovoljenega obsega").arg(d));
        return qlonglong(std::llround(d));
    }
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    default: {
        bool ok = false;
        const qlonglong v = value.toLongLong(&ok);
        if (!ok)
            notA(value.toString(), "veljavno celo število");
        return v;
    }
    }
}
} // namespace

QVariant convertToFieldType(const QVariant& value, TFieldType t)
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    switch (t) {
    case TFieldType::ftUnknown:
        return value;
    case TFieldType::ftString:
    case TFieldType::ftMemo:
        if (value.typeId() == QMetaType::Double)
            return QString::number(value.toDouble(), 'g', 15);
        if (value.typeId() == QMetaType::QDateTime)
            return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        if (value.typeId() == QMetaType::QByteArray)
            return QString::fromUtf8(value.toByteArray());
        return value.toString();
    case TFieldType::ftSmallint:
        return int(checkedRange(toInteger(value), -32768, 32767, value));
    case TFieldType::ftWord:
        return int(checkedRange(toInteger(value), 0, 65535, value));
    case TFieldType::ftInteger:
        return int(checkedRange(toInteger(value), std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), value));
    case TFieldType::ftLargeint:
        return toInteger(value);
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        if (value.typeId() == QMetaType::QString)
            return textToDouble(value.toString());
        {
            bool ok = false;
            const double d = value.toDouble(&ok);
            if (!ok)
                notA(value.toString(), "veljavna številka");
            return d;
        }
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime: {
        QDateTime dt;
        if (value.typeId() == QMetaType::QDateTime)
            dt = value.toDateTime();
        else if (value.typeId() == QMetaType::QDate)
            dt = QDateTime(value.toDate(), QTime(0, 0));
        else if (value.typeId() == QMetaType::QTime)
            dt = QDateTime(QDate(1899, 12, 30), value.toTime());
        else if (value.typeId() == QMetaType::QString) {
            if (value.toString().trimmed().isEmpty())
                return QVariant();
            if (t == TFieldType::ftTime) {
                const QTime tm = QTime::fromString(value.toString().trimmed(), QStringLiteral("h:m:s"));
                const QTime tm2 = tm.isValid() ? tm : QTime::fromString(value.toString().trimmed(), QStringLiteral("h:m"));
                if (!tm2.isValid())
                    notA(value.toString(), "veljaven čas");
                return tm2;
            }
            dt = textToDateTime(value.toString());
        } else
            notA(value.toString(), "veljaven datum");
        if (t == TFieldType::ftDate)
            return dt.date();
        if (t == TFieldType::ftTime)
            return dt.time();
        return dt;
    }
    case TFieldType::ftBlob:
        if (value.typeId() == QMetaType::QString)
            return value.toString().toUtf8();
        return value.toByteArray();
    case TFieldType::ftBoolean:
        if (value.typeId() == QMetaType::QString) {
            const QString s = value.toString().trimmed().toUpper();
            if (s == QLatin1String("T") || s == QLatin1String("TRUE") || s == QLatin1String("1"))
                return true;
            if (s == QLatin1String("F") || s == QLatin1String("FALSE") || s == QLatin1String("0") || s.isEmpty())
                return false;
            notA(value.toString(), "veljavna logična vrednost");
        }
        return value.toBool();
    }
    return value;
}

bool isIntegerValue(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool isRealValue(const QVariant& v) { return v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float; }
