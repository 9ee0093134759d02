#include "generation/DocumentWriter.h"

#include "data/DataSif.h"
#include "data/DataSifRoutines.h"
#include "data/odbc/EODBC.h"
#include "data/log/ErrorLog.h"
#include "data/core/Exception.h"
#include "data/SqlBatch.h"
#include "data/core/SqlLiterals.h"
#include "data/TableRoutines.h"
#include "data/odbc/THdbc.h"
#include "data/odbc/THstmt.h"
#include "generation/BatchTransaction.h"

DocumentWriter::DocumentWriter(THdbc& connection, Hooks hooks)
    : m_connection(connection), m_hooks(std::move(hooks))
{
}

void DocumentWriter::add(PendingGroup group)
{
    if (group.documents.empty())
        return;
    m_batch.add(group);
    m_groups.push_back(std::move(group));
}

bool DocumentWriter::execute(bool force)
{
    if (m_groups.empty() || (!force && m_batch.length() <= BatchLimit))
        return true;
    // Whatever happens below, the pending text afterwards is that of the groups still pending.
    struct Recollect {
        DocumentWriter& writer;
        ~Recollect()
        {
            writer.m_batch.clear();
            for (const PendingGroup& g : writer.m_groups)
                writer.m_batch.add(g);
        }
    } recollect{*this};
    Failure failure;
    const bool sent = send(m_batch.text(), failure);
    bool allWritten = sent;
    // Groups leave the pending list only once they are resolved, so that an error escaping in
    // the middle (reported by the caller through discard()) still finds the rest.
    const bool single = m_groups.size() == 1;
    while (!m_groups.empty()) {
        PendingGroup& group = m_groups.front();
        if (sent) {
            reportWritten(group);
        } else if (single) {
            resolveFailedGroup(group, failure);
        } else {
            Failure own;
            if (send(PendingBatch::textOf(group), own))
                reportWritten(group);
            else {
                allWritten = false;
                resolveFailedGroup(group, own);
            }
        }
        m_groups.erase(m_groups.begin());
    }
    return allWritten;
}

bool DocumentWriter::send(const QString& sql, Failure& failure)
{
    try {
        BatchTransaction transaction(m_connection);
        // Runs the text once on the write statement, which it leaves closed (also after a
        // failure, before the transaction is rolled back).
        executeBatch(sql);
        if (m_hooks.beforeCommit)
            m_hooks.beforeCommit();
        try {
            transaction.commit();
        } catch (const EODBC& e) {
            failure.atCommit = true;
            throw;
        }
        ++m_committed;
        return true;
    } catch (const EODBC& e) {
        ++m_failed;
        LogException(e, &requireDataSif().UpdateHstmt, QStringLiteral("sqlExecute"));
        failure.message = e.message();
        failure.integrityViolation = e.hasSqlState(QStringLiteral("23"));
        return false;
    }
}

void DocumentWriter::resolveFailedGroup(PendingGroup& group, Failure failure)
{
    // A commit whose outcome is unknown is never repeated: the documents may be in the database.
    if (!failure.atCommit && failure.integrityViolation && m_hooks.newKey) {
        bool renumbered = false;
        try {
            for (PendingDocument& d : group.documents)
                if (keyTaken(d)) {
                    d.setKey(m_hooks.newKey(d));
                    renumbered = true;
                }
        } catch (const std::exception& e) {
            reportNotWritten(group, QString::fromUtf8(e.what()));
            return;
        }
        if (renumbered) {
            Failure again;
            if (send(PendingBatch::textOf(group), again)) {
                reportWritten(group);
                return;
            }
            failure = again;
        }
    }
    reportNotWritten(group, failure.message);
}

bool DocumentWriter::keyTaken(const PendingDocument& document)
{
    const QString where = QStringLiteral("Kljuc = ") + sqlQuotedStr(document.key);
    return GetQueryRecordCount(document.headerTable, where) > 0 || GetQueryRecordCount(document.lineTable, where) > 0;
}

void DocumentWriter::reportWritten(const PendingGroup& group)
{
    if (m_hooks.written)
        for (const PendingDocument& d : group.documents)
            m_hooks.written(d);
}

void DocumentWriter::reportNotWritten(const PendingGroup& group, const QString& reason)
{
    if (m_hooks.notWritten)
        for (const PendingDocument& d : group.documents)
            m_hooks.notWritten(d, reason);
}

void DocumentWriter::discard(const QString& reason)
{
    while (!m_groups.empty()) {
        reportNotWritten(m_groups.front(), reason);
        m_groups.erase(m_groups.begin());
    }
    m_batch.clear();
}
