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
    // Texts first: most values of a generated row are.
    if (v.typeId() == QMetaType::QString) {
        appendQuotedStr(out, *static_cast<const QString*>(v.constData()));
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
// Whether two rows list the same column names. The rows of one builder normally share their name
// texts, so the same text is recognised without comparing it.
bool sameNames(const QVariantList& a, const QVariantList& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i + 1 < a.size(); i += 2) {
        const QVariant& x = a[i];
        const QVariant& y = b[i];
        if (x.typeId() == QMetaType::QString && y.typeId() == QMetaType::QString) {
            const QString& s = *static_cast<const QString*>(x.constData());
            const QString& t = *static_cast<const QString*>(y.constData());
            if (s.constData() == t.constData() && s.size() == t.size())
                continue;
            if (s != t)
                return false;
        } else if (x != y) {
            return false;
        }
    }
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

void SqlInsertRows::add(const QVariantList& pairs)
{
    if (pairs.size() % 2 != 0)
        return;
    Statement* current = m_statements.empty() ? nullptr : &m_statements.back();
    if (current && current->rows < MaxRowsPerInsert && sameNames(current->names, pairs)) {
        m_length -= current->text.size();
        current->text += QLatin1Char(',');
    } else {
        m_statements.push_back(Statement{pairs, QString(), 0});
        current = &m_statements.back();
        QString& text = current->text;
        text += QLatin1String("INSERT INTO ");
        text += m_table;
        text += QLatin1Char('(');
        for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
            if (i > 0)
                text += QLatin1Char(',');
            appendName(text, pairs[i]);
        }
        text += QLatin1String(") VALUES ");
        m_length += 2;   // the "; " after the statement
    }
    appendValueRow(current->text, pairs);
    ++current->rows;
    m_length += current->text.size();
}

void SqlInsertRows::appendTo(QString& out) const
{
    for (const Statement& s : m_statements) {
        out += s.text;
        out += QLatin1String("; ");
    }
}

void sqlInsertRows(const QString& Table, const std::vector<QVariantList>& Rows, QString& Buffer)
{
    SqlInsertRows rows(Table);
    for (const QVariantList& row : Rows)
        rows.add(row);
    rows.appendTo(Buffer);
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
