#include "data/SqlUpdate.h"

#include "data/log/ErrorLog.h"
#include "data/core/Exception.h"
#include "data/log/MessageBoxes.h"
#include "data/core/SqlLiterals.h"
#include "data/TableIndexList.h"
#include "data/TableRoutines.h"
#include "data/dataset/TField.h"
#include "data/dataset/TwwOEDataSet.h"

#include <QDateTime>

#include <cstdlib>

namespace {
const QString UnknownFieldType = QStringLiteral("Neznan tip polja!");

const QDate ZeroDate(1899, 12, 30);

QDateTime asDateTimeValue(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QDate: return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QTime: return QDateTime(ZeroDate, v.toTime());
    default: return v.toDateTime();
    }
}

QString quoted(const QVariant& v) { return sqlQuotedStr(v.isValid() ? v.toString() : QString()); }

QString integerText(const QVariant& v) { return QString::number(v.isValid() ? v.toLongLong() : 0); }

QString floatText(const QVariant& v) { return FloatToStrSQL(v.isValid() ? v.toDouble() : 0.0); }

bool writable(const TField* f, const QStringList& ignored)
{
    return f->isDataField() && f->column() > 0 && !f->readOnly() && !ignored.contains(f->FieldName(), Qt::CaseInsensitive);
}
} // namespace

bool isZeroDateValue(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return true;
    const QDateTime dt = asDateTimeValue(value);
    if (!dt.isValid())
        return true;
    // Only a moment within a day of the zero date can be it (whatever the time zones); the
    // comparison itself builds a local date-time, which is slow.
    if (std::abs(dt.date().toJulianDay() - ZeroDate.toJulianDay()) > 1)
        return false;
    return dt == QDateTime(ZeroDate, QTime(0, 0));
}

QString sqlFieldValue(const TField& Field, std::vector<const TField*>* LargeFields)
{
    const TFieldType t = Field.dataType();
    const QVariant v = Field.value();
    if (isTextType(t))
        return quoted(v);
    if (isIntegerType(t))
        return integerText(v);
    if (isFloatType(t))
        return floatText(v);
    if (isDateTimeType(t))
        return isZeroDateValue(v) ? QStringLiteral("NULL")
                                  : QLatin1Char('\'') + DateTimeToStrSQL(asDateTimeValue(v)) + QLatin1Char('\'');
    if (isLargeType(t)) {
        if (LargeFields)
            LargeFields->push_back(&Field);
        return QLatin1Char(':') + Field.FieldName();
    }
    showError(UnknownFieldType);
    return {};
}

QString sqlKeyCondition(const TField& Field, const QVariant& Value)
{
    const TFieldType t = Field.dataType();
    if (!Value.isValid() || Value.isNull())
        return QStringLiteral(" IS NULL");
    if (isTextType(t) || isLargeType(t))
        return QStringLiteral(" = ") + quoted(Value);
    if (isDateTimeType(t))
        return isZeroDateValue(Value) ? QStringLiteral("IS NULL")
                                      : QStringLiteral(" = '") + DateTimeToStrSQL(asDateTimeValue(Value)) + QLatin1Char('\'');
    if (isIntegerType(t))
        return QStringLiteral(" = ") + integerText(Value);
    if (isFloatType(t))
        return QStringLiteral(" = ") + floatText(Value);
    showError(UnknownFieldType);
    return {};
}

QString sqlKeyCondition(const TField& Field) { return sqlKeyCondition(Field, Field.NewValue()); }

bool sqlUpdateSQL(THstmt& Statement, TwwOEDataSet& DataSet, TUpdateKind UpdateKind, bool& ApplyUpdate)
{
    QString table;
    QStringList keyNames;
    QStringList ignored;
    bool keysFromIndex = false;
    const UpdateTarget& target = DataSet.Target();
    if (!target.TargetTable.trimmed().isEmpty() && !target.PrimaryCols.isEmpty()) {
        table = target.TargetTable.trimmed();
        keyNames = target.PrimaryCols;
        ignored = target.IgnoreCols;
    } else {
        table = sqlGetTableFromSQLMemo(DataSet.SQL());
        if (table.isEmpty()) {
            ApplyUpdate = true;
            LogException(Exception(QStringLiteral("Table FROM ni vpisana ") + DataSet.Name()), &DataSet,
                         QStringLiteral("sqlUpdateSQL"));
            return false;
        }
        keyNames = tableKeyFields(table);
        keysFromIndex = true;
    }
    if (UpdateKind != ukModify && UpdateKind != ukInsert && UpdateKind != ukDelete) {
        ApplyUpdate = true;
        return false;
    }
    ApplyUpdate = false;

    THstmt* statement = &Statement;
    try {
        THstmt& s = Statement;
        s.Close();

        std::vector<const TField*> keys;
        if (keyNames.isEmpty() && keysFromIndex) {
            for (const TField* f : DataSet.Fields())
                if (f->isDataField() && f->column() > 0 && !isLargeType(f->dataType()))
                    keys.push_back(f);
        } else {
            for (const QString& name : keyNames)
                keys.push_back(&DataSet.FieldByName(name));
        }
        auto wherePart = [&] {
            QStringList items;
            for (const TField* k : keys)
                items << k->FieldName() + QLatin1Char(' ')
                        + sqlKeyCondition(*k, UpdateKind == ukModify ? k->oldValue() : k->NewValue());
            return QStringLiteral(" WHERE ") + items.join(QStringLiteral(" AND "));
        };

        std::vector<const TField*> large;
        QString sql;
        if (UpdateKind == ukModify) {
            QStringList items;
            for (const TField* f : DataSet.Fields())
                if (writable(f, ignored) && f->isModified())
                    items << f->FieldName() + QStringLiteral(" = ") + sqlFieldValue(*f, &large);
            if (items.isEmpty())
                return false;
            sql = QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") + items.join(QStringLiteral(", ")) + wherePart();
        } else if (UpdateKind == ukInsert) {
            QStringList names, values;
            for (const TField* f : DataSet.Fields())
                if (writable(f, ignored)) {
                    names << f->FieldName();
                    values << sqlFieldValue(*f, &large);
                }
            if (names.isEmpty())
                return false;
            sql = QStringLiteral("INSERT INTO ") + table + QLatin1Char('(') + names.join(QStringLiteral(", "))
                + QStringLiteral(") VALUES(") + values.join(QStringLiteral(", ")) + QLatin1Char(')');
        } else {
            sql = QStringLiteral("DELETE FROM ") + table + wherePart();
        }

        s.setSQL(sql);
        LogTrace(&s, QStringLiteral("sqlUpdateSQL-Trace-") + DataSet.Name());
        s.Prepare();
        for (const TField* f : large) {
            const QVariant v = f->value();
            if (f->dataType() == TFieldType::ftBlob && v.isValid())
                s.BindBlobParam(f->FieldName(), f->asBytes());
            else
                s.BindParam(f->FieldName(), v.isValid() ? v : QVariant(), f->dataType());
        }
        HstmtExecute(s, false);
        const qint64 rows = s.RowCount();
        s.Close();
        if (UpdateKind != ukInsert && rows == 0)
            throw Exception(QStringLiteral("Zapisa ni več v tabeli %1 ali pa ga je medtem spremenil drug uporabnik !").arg(table));
        return true;
    } catch (const std::exception& e) {
        try {
            statement->Close();
        } catch (...) {
        }
        LogException(&e, statement, QStringLiteral("sqlUpdateSQL"));
        LogException(&e, &DataSet, QStringLiteral("sqlUpdateSQL"));
        RaiseSameMessage(e);
    } catch (...) {
        const Exception e(QStringLiteral("Neznana napaka"));
        LogException(&e, statement, QStringLiteral("sqlUpdateSQL"));
        LogException(&e, &DataSet, QStringLiteral("sqlUpdateSQL"));
        RaiseSameMessage(e);
    }
}
