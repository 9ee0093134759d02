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
// Appends one value of an INSERT in its SQL form (see sqlInsertValues).
void appendInsertValue(QString& out, const QVariant& v)
{
    if (!v.isValid() || v.isNull()) {
        out += QLatin1String("null");
        return;
    }
    if (v.metaType() == QMetaType::fromType<Money>()) {
        appendFloatSQL(out, *static_cast<const Money*>(v.constData()));
        return;
    }
    if (isIntegerValue(v)) {
        out += v.typeId() == QMetaType::ULongLong ? v.toString() : QString::number(v.toLongLong());
        return;
    }
    if (isRealValue(v)) {
        appendFloatSQL(out, v.typeId() == QMetaType::Double ? *static_cast<const double*>(v.constData()) : v.toDouble());
        return;
    }
    switch (v.typeId()) {
    case QMetaType::QString:
        appendQuotedStr(out, *static_cast<const QString*>(v.constData()));
        return;
    case QMetaType::QDate:
    case QMetaType::QDateTime: {
        if (isZeroDateValue(v)) {
            out += QLatin1String("null");
            return;
        }
        const QDateTime dt = v.typeId() == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0)) : v.toDateTime();
        out += QLatin1Char('\'');
        out += DateTimeToStrSQL(dt);
        out += QLatin1Char('\'');
        return;
    }
    default:
        out += QLatin1String("null");
        return;
    }
}

// A column name of the pairs (normally a QString).
void appendName(QString& out, const QVariant& name)
{
    if (name.typeId() == QMetaType::QString)
        out += *static_cast<const QString*>(name.constData());
    else
        out += name.toString();
}
} // namespace

namespace {
bool sameNames(const QVariantList& a, const QVariantList& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i + 1 < a.size(); i += 2)
        if (a[i] != b[i])
            return false;
    return true;
}

void appendValueRow(QString& out, const QVariantList& pairs)
{
    out += QLatin1Char('(');
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
        if (i > 0)
            out += QLatin1Char(',');
        appendInsertValue(out, pairs[i + 1]);
    }
    out += QLatin1Char(')');
}
} // namespace

void sqlInsertRows(const QString& Table, const std::vector<QVariantList>& Rows, QString& Buffer)
{
    const QVariantList* names = nullptr;
    int rowsInStatement = 0;
    for (const QVariantList& row : Rows) {
        if (row.size() % 2 != 0)
            continue;
        if (names && rowsInStatement < MaxRowsPerInsert && sameNames(*names, row)) {
            Buffer += QLatin1Char(',');
        } else {
            if (names)
                Buffer += QStringLiteral("; ");
            names = &row;
            rowsInStatement = 0;
            Buffer += QStringLiteral("INSERT INTO ");
            Buffer += Table;
            Buffer += QLatin1Char('(');
            for (qsizetype i = 0; i + 1 < row.size(); i += 2) {
                if (i > 0)
                    Buffer += QLatin1Char(',');
                appendName(Buffer, row[i]);
            }
            Buffer += QLatin1String(") VALUES ");
        }
        appendValueRow(Buffer, row);
        ++rowsInStatement;
    }
    if (names)
        Buffer += QStringLiteral("; ");
}

void sqlInsertValues(const QString& Table, const QVariantList& Pairs, QString& Buffer)
{
    // Written straight into the buffer (the run writes thousands of these).
    sqlInsertRows(Table, std::vector<QVariantList>{Pairs}, Buffer);
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
