#pragma once
#include <QString>
#include <QVariant>

// Data types of dataset fields and parameters.
enum class TFieldType {
    ftUnknown,
    ftString,     // text with a size
    ftSmallint,   // 16-bit integer
    ftInteger,    // 32-bit integer
    ftWord,       // 16-bit unsigned
    ftLargeint,   // 64-bit integer
    ftFloat,      // floating
    ftCurrency,   // money column (decimal with 4 places), held as floating
    ftDate,
    ftTime,
    ftDateTime,
    ftMemo,       // long text
    ftBlob,       // binary large object
    ftBoolean,
};

// Groups of field types (by which the SQL builders format values).
bool isTextType(TFieldType t);        // ftString
bool isIntegerType(TFieldType t);     // ftSmallint, ftInteger, ftWord, ftLargeint
bool isFloatType(TFieldType t);       // ftFloat, ftCurrency
bool isDateTimeType(TFieldType t);    // ftDate, ftTime, ftDateTime
bool isLargeType(TFieldType t);       // ftMemo, ftBlob

// Kinds of a value handed to the SQL builders: any signed or unsigned integer type (chars
// included), and double or float.
bool isIntegerValue(const QVariant& v);
bool isRealValue(const QVariant& v);

QString fieldTypeName(TFieldType t);  // "ftString" ...

// The field type for a result column of ODBC SQL type sqlType with its column size and decimal
// digits, as SQLDescribeCol reports them.
TFieldType fieldTypeFromSql(int sqlType, qulonglong columnSize, int decimalDigits);
// The field type that best holds a variant (ftUnknown for an invalid one).
TFieldType fieldTypeFromVariant(const QVariant& v);

// Converts a value to the representation a field of type t holds:
//   text, memo: QString; integers: int (ftLargeint: qlonglong); floating, currency: double;
//   ftDate: QDate; ftTime: QTime; ftDateTime: QDateTime; ftBlob: QByteArray; ftBoolean: bool.
// An invalid (null) variant stays invalid. Text that does not convert throws EConvertError.
QVariant convertToFieldType(const QVariant& value, TFieldType t);
