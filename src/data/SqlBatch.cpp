#include "data/SqlBatch.h"

#include "data/core/EAbort.h"
#include "data/log/ErrorLog.h"
#include "data/core/Exception.h"
#include "data/core/FieldType.h"
#include "data/log/Guard.h"
#include "data/core/Money.h"
#include "data/core/SqlLiterals.h"
#include "data/SqlRow.h"
#include "data/SqlUpdate.h"
#include "data/odbc/StatementCloser.h"

#include <QDateTime>

#include <charconv>

void SqlInsertRows::add(const QVariantList& pairs)
{
    if (pairs.size() % 2 != 0)
        return;
    add(sqlRowOf(pairs));
}

void SqlInsertRows::add(const SqlRow& row)
{
    if (row.values.isEmpty())
        return;
    Statement* current = m_statements.empty() ? nullptr : &m_statements.back();
    // The rows of one kind share their names' text, so the same text is mostly recognised
    // without comparing it.
    const bool sameNames = current
        && (current->names.constData() == row.names.constData() || current->names == row.names);
    if (current && current->rows < MaxRowsPerInsert && sameNames) {
        m_length -= current->text.size();
        current->text += QLatin1Char(',');
    } else {
        m_statements.push_back(Statement{row.names, QString(), 0});
        current = &m_statements.back();
        QString& text = current->text;
        text.reserve(m_table.size() + row.names.size() + 24 + row.values.size());
        text += QLatin1String("INSERT INTO ");
        text += m_table;
        text += QLatin1Char('(');
        text += row.names;
        text += QLatin1String(") VALUES ");
        m_length += 2;   // the "; " after the statement
    }
    current->text += row.values;
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
