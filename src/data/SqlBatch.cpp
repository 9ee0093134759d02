#include "data/SqlBatch.h"

#include "data/core/EAbort.h"
#include "data/log/ErrorLog.h"
#include "data/core/Exception.h"
#include "data/core/FieldType.h"
#include "data/log/Guard.h"
#include "data/core/Money.h"
#include "data/core/SqlLiterals.h"
#include "data/SqlUpdate.h"
#include "data/odbc/StatementCloser.h"

#include <QDateTime>

namespace {
QString insertValueText(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return QStringLiteral("null");
    if (v.metaType() == QMetaType::fromType<Money>())
        return FloatToStrSQL(v.value<Money>());
    if (isIntegerValue(v))
        return v.typeId() == QMetaType::ULongLong ? v.toString() : QString::number(v.toLongLong());
    if (isRealValue(v))
        return FloatToStrSQL(v.toDouble());
    switch (v.typeId()) {
    case QMetaType::QString:
        return sqlQuotedStr(v.toString());
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        if (isZeroDateValue(v))
            return QStringLiteral("null");
        const QDateTime dt = v.typeId() == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0)) : v.toDateTime();
        return QLatin1Char('\'') + DateTimeToStrSQL(dt) + QLatin1Char('\'');
    }
    default:
        return QStringLiteral("null");
    }
}

} // namespace

void sqlInsertValues(const QString& Table, const QVariantList& Pairs, QString& Buffer)
{
    if (Pairs.size() % 2 != 0)
        return;
    // Written straight into the buffer (the run writes thousands of these).
    Buffer += QStringLiteral("INSERT INTO ");
    Buffer += Table;
    Buffer += QLatin1Char('(');
    for (qsizetype i = 0; i + 1 < Pairs.size(); i += 2) {
        if (i > 0)
            Buffer += QLatin1Char(',');
        Buffer += Pairs[i].toString();
    }
    Buffer += QStringLiteral(") VALUES (");
    for (qsizetype i = 0; i + 1 < Pairs.size(); i += 2) {
        if (i > 0)
            Buffer += QLatin1Char(',');
        Buffer += insertValueText(Pairs[i + 1]);
    }
    Buffer += QStringLiteral("); ");
}

bool sqlDeleteFromTableSQL(const QString& Table, const QString& Where, QString& Buffer)
{
    if (!Where.isEmpty())
        Buffer += QStringLiteral("DELETE FROM ") + Table + QStringLiteral(" WHERE ") + Where + QStringLiteral("; ");
    else
        Buffer += QStringLiteral("TRUNCATE TABLE ") + Table + QStringLiteral("; ");
    return true;
}

bool sqlDeleteFromTable(THstmt& Statement, const QString& Table, const QString& Where)
{
    bool failed = false;
    bool result = false;
    try {
        QString buffer;
        sqlDeleteFromTableSQL(Table, Where, buffer);
        result = sqlExecute(Statement, buffer, true);
        if (!result)
            throw Exception(QStringLiteral("Brisanje iz tabele %1 ni uspelo !").arg(Table));
    } catch (const EAbort&) {
        throw;
    } catch (...) {
        LogCurrentException(&Statement, QStringLiteral("sqlDeleteFromTable"));
        failed = true;
    }
    if (failed)
        Abort();
    return result;
}

void executeBatch(THstmt& Statement, const QString& Batch)
{
    THstmt& s = Statement;
    s.Close();
    StatementCloser closer{s};
    s.setSQL(Batch);
    try {
        s.Execute();
    } catch (const std::exception& e) {
        LogException(&e, &s, QStringLiteral("HstmtExecute-") + s.Name());
        throw;
    }
    LogTrace(&s, QStringLiteral("HstmtExecute"));
}

bool sqlExecute(THstmt& Statement, QString& Buffer, bool Force)
{
    if (!Force && Buffer.size() <= SqlBatchThreshold)
        return true;
    if (Buffer.trimmed().isEmpty()) {
        Buffer.clear();
        return true;
    }
    return guard(QStringLiteral("sqlExecute"), &Statement, false, [&] {
        executeBatch(Statement, Buffer);
        Buffer.clear();
        return true;
    });
}
