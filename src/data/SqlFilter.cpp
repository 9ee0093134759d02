#include "data/SqlFilter.h"

#include "data/log/ErrorLog.h"
#include "data/log/Guard.h"
#include "data/core/FieldType.h"
#include "data/core/Rounding.h"
#include "data/core/SqlLiterals.h"
#include "data/TableRoutines.h"
#include "data/dataset/TwwOEDataSet.h"

#include <optional>

namespace {
const QLatin1String WhereWord("WHERE");
const QLatin1String OrderByWord("ORDER BY");

// The query lines, each (trimmed when asked and) upper-cased and preceded by one blank.
QString upperText(const QStringList& lines, bool trimLines)
{
    QString text;
    for (const QString& line : lines)
        text += QLatin1Char(' ') + (trimLines ? line.trimmed() : line).toUpper();
    return text;
}

bool isTextValue(const QVariant& v) { return v.typeId() == QMetaType::QString; }

// a <=> b for two values of a record and a search; nothing when they cannot be compared (NULL).
std::optional<int> compareValues(const QVariant& a, const QVariant& b)
{
    if (!a.isValid() || a.isNull() || !b.isValid() || b.isNull())
        return std::nullopt;
    const bool aNum = isIntegerValue(a) || isRealValue(a);
    const bool bNum = isIntegerValue(b) || isRealValue(b);
    if (aNum && bNum) {
        if (isIntegerValue(a) && isIntegerValue(b)) {
            const qint64 x = a.toLongLong(), y = b.toLongLong();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (aNum != bNum && (isTextValue(a) || isTextValue(b))) {
        bool ok = false;
        const double x = a.toDouble(&ok);
        bool ok2 = false;
        const double y = b.toDouble(&ok2);
        if (ok && ok2)
            return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (isTextValue(a) || isTextValue(b)) {
        const int c = a.toString().compare(b.toString(), Qt::CaseSensitive);
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    const QPartialOrdering o = QVariant::compare(a, b);
    if (o == QPartialOrdering::Less)
        return -1;
    if (o == QPartialOrdering::Greater)
        return 1;
    if (o == QPartialOrdering::Equivalent)
        return 0;
    return std::nullopt;
}

QString dateText(const QVariant& v)
{
    if (v.typeId() == QMetaType::QDate)
        return DateToStrSQL(v.toDate());
    if (v.typeId() == QMetaType::QDateTime)
        return DateToStrSQL(v.toDateTime());
    return v.toString();
}

QString comparison(bool To, bool From)
{
    return To ? QStringLiteral(" <= ") : (From ? QStringLiteral(" >= ") : QStringLiteral(" = "));
}
} // namespace

void sqlFilterNoOpen(TwwOEDataSet& DataSet, const QString& Where, const QString& Order)
{
    guard(QStringLiteral("sqlFilter"), &DataSet, [&] {
        DataSet.Close();
        QString text = upperText(DataSet.SQL(), false);
        QString oldOrder;
        const qsizetype w = text.indexOf(WhereWord);
        if (w >= 0) {
            text.truncate(w);
        } else {
            const qsizetype o = text.indexOf(OrderByWord);
            if (o >= 0) {
                oldOrder = text.mid(o + OrderByWord.size(), 1024).trimmed();
                text.truncate(o);
            }
        }
        text = text.trimmed();
        if (!Where.trimmed().isEmpty())
            text += QStringLiteral(" WHERE ") + Where;
        if (!Order.trimmed().isEmpty())
            text += QStringLiteral(" ORDER BY ") + Order;
        else if (!oldOrder.isEmpty())
            text += QStringLiteral(" ORDER BY ") + oldOrder;
        DataSet.setSQL(QStringList{text});
        LogTrace(&DataSet, QStringLiteral("sqlFilterNoOpen"));
    });
}

void sqlFilter(TwwOEDataSet& DataSet, const QString& Where, const QString& Order)
{
    sqlFilterNoOpen(DataSet, Where, Order);
    OpenTable(DataSet, false);
}

bool sqlSetOrderNoOpen(TwwOEDataSet& DataSet, const QString& Order)
{
    return guard(QStringLiteral("sqlSetOrder"), &DataSet, false, [&] {
        QString text = upperText(DataSet.SQL(), false).trimmed();
        const QString order = Order.trimmed().toUpper();
        const qsizetype o = text.indexOf(OrderByWord);
        if (o >= 0) {
            const QString oldOrder = text.mid(o + 9, 2048).trimmed();
            if (!order.isEmpty() && oldOrder.startsWith(order))
                return false;
            text = text.left(o).trimmed();
        }
        if (!order.isEmpty())
            text += QStringLiteral(" ORDER BY ") + order;
        DataSet.setSQL(QStringList{text});
        return true;
    });
}

void sqlSetOrder(TwwOEDataSet& DataSet, const QString& Order)
{
    DataSet.DisableControls();
    guard(QStringLiteral("sqlSetOrder"), &DataSet, [&] {
        const bool changed = sqlSetOrderNoOpen(DataSet, Order);
        if (changed || !DataSet.Active())
            OpenTable(DataSet, true);
        LogTrace(&DataSet, QStringLiteral("sqlSetOrder"));
    });
    DataSet.EnableControls();
}

bool sqlFind(TwwOEDataSet& DataSet, const QString& Fields, const QVariantList& Values)
{
    DataSet.DisableControls();
    const bool found = guard(QStringLiteral("sqlFind"), &DataSet, false,
                             [&] { return DataSet.Locate(Fields, Values, loCaseInsensitive | loPartialKey); });
    DataSet.EnableControls();
    return found;
}

bool sqlFindKey(TwwOEDataSet& DataSet, const QString& KeyFields, const QVariantList& Values, const QString& Order,
                bool From)
{
    return guard(QStringLiteral("sqlFindKey"), &DataSet, false, [&] {
        QStringList keys = KeyFields.split(QLatin1Char(';'));
        for (QString& k : keys)
            k = k.trimmed();
        if (!From && sqlFindKeyTest(DataSet, keys, Values, false)) {
            const TBookmark current = DataSet.GetBookmark();
            DataSet.First();
            if (!sqlFindKeyTest(DataSet, keys, Values, false))
                DataSet.GotoBookmark(current);
            return true;
        }

        DataSet.Close();
        QString text = upperText(DataSet.SQL(), true);
        qsizetype cut = text.indexOf(WhereWord);
        if (cut < 0)
            cut = text.indexOf(OrderByWord);
        if (cut >= 0)
            text.truncate(cut);
        text = text.trimmed();

        QString where;
        const int pairs = Max(int(keys.size()), int(Values.size()));   // the smaller count
        for (int i = 0; i < pairs; ++i) {
            const QVariant& v = Values[i];
            if (isIntegerValue(v))
                sqlFindKeySetWhereInt(where, keys[i], v.toLongLong(), false, From);
            else if (isRealValue(v))
                sqlFindKeySetWhereReal(where, keys[i], v.toDouble(), false, From);
            else if (isTextValue(v))
                sqlFindKeySetWhereString(where, keys[i], v.toString(), false, From);
        }
        if (!where.isEmpty())
            text += QStringLiteral(" WHERE ") + where.trimmed();
        if (!Order.trimmed().isEmpty())
            text += QStringLiteral(" ORDER BY ") + Order;
        DataSet.setSQL(QStringList{text});
        OpenTable(DataSet, false);
        LogTrace(&DataSet, QStringLiteral("sqlFindKey"));
        return sqlFindKeyTest(DataSet, keys, Values, From);
    });
}

bool sqlFindKeyTest(TwwOEDataSet& DataSet, const QStringList& KeyFields, const QVariantList& Values, bool From)
{
    if (!DataSet.Active() || DataSet.IsEmpty())
        return false;
    qsizetype likePos = -1;
    bool dateSeen = false;
    const int pairs = Max(int(KeyFields.size()), int(Values.size()));
    for (int i = 0; i < pairs; ++i) {
        const TField& field = DataSet.FieldByName(KeyFields[i].trimmed());
        const QVariant& value = Values[i];
        if (isTextValue(value) && value.toString().contains(QLatin1Char('%')))
            likePos = value.toString().indexOf(QLatin1Char('%'));
        if (isDateTimeType(field.dataType()))
            dateSeen = true;
        bool match;
        if (likePos >= 0) {
            const QString have = field.asString().left(likePos);
            const QString want = value.toString().left(likePos);
            match = From ? have.compare(want) <= 0 : have == want;
        } else if (dateSeen) {
            const QString have = DateToStrSQL(field.asDateTime());
            const QString want = dateText(value);
            match = From ? have.compare(want) <= 0 : have == want;
        } else {
            const std::optional<int> c = compareValues(field.value(), value);
            match = c && (From ? *c >= 0 : *c == 0);
        }
        if (!match)
            return false;
    }
    return true;
}

void sqlFindKeySetWhereInt(QString& Where, const QString& FieldName, qint64 Value, bool To, bool From)
{
    if (!Where.isEmpty())
        Where += QStringLiteral(" AND");
    Where += QStringLiteral(" (") + FieldName + comparison(To, From) + QString::number(Value) + QLatin1Char(')');
}

void sqlFindKeySetWhereReal(QString& Where, const QString& FieldName, double Value, bool To, bool From)
{
    if (!Where.isEmpty())
        Where += QStringLiteral(" AND");
    Where += QStringLiteral(" (") + FieldName + comparison(To, From) + FloatToStrSQL(Value) + QLatin1Char(')');
}

void sqlFindKeySetWhereString(QString& Where, const QString& FieldName, const QString& Value, bool To, bool From)
{
    if (!Where.isEmpty())
        Where += QStringLiteral(" AND");
    const QString op = Value.contains(QLatin1Char('%')) ? QStringLiteral(" LIKE ") : comparison(To, From);
    Where += QLatin1Char(' ') + FieldName + op + sqlQuotedStr(Value);
}

void MakeFilterStrSQL(QString& Where, const QString& FieldName, const QString& Value, bool ForceAnd)
{
    const QString v = sqlStrApostrof(Value);
    if (v.isEmpty())
        return;
    if (ForceAnd || !Where.isEmpty())
        Where += QStringLiteral(" AND ");
    if (v.contains(QLatin1Char('%')))
        Where += QLatin1Char('(') + FieldName + QStringLiteral(" LIKE '") + v + QStringLiteral("%')");
    else if (v.contains(QLatin1Char('_')))
        Where += QLatin1Char('(') + FieldName + QStringLiteral(" LIKE '") + v + QStringLiteral("')");
    else
        Where += QLatin1Char('(') + FieldName + QStringLiteral(" = '") + v + QStringLiteral("')");
}
