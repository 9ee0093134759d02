#include "generation/PendingBatch.h"

#include "data/core/SqlLiterals.h"

SqlInsertRows& PendingBatch::rowsOf(std::vector<SqlInsertRows>& tables, const QString& table)
{
    for (SqlInsertRows& rows : tables)
        if (rows.table() == table)
            return rows;
    tables.emplace_back(table);
    return tables.back();
}

void PendingBatch::add(const PendingGroup& group)
{
    for (const PendingDocument& d : group.documents)
        add(d);
}

void PendingBatch::add(const PendingDocument& document)
{
    SqlInsertRows& lines = rowsOf(m_lines, document.lineTable);
    for (const SqlRow& line : document.lines)
        lines.add(line);
    if (!document.templateDate.isEmpty()) {
        m_updates += QLatin1String("UPDATE Obdrac SET DatZadFak = '");
        m_updates += document.templateDate;
        m_updates += QLatin1String("' WHERE Kljuc = ");
        appendQuotedStr(m_updates, document.templateKey);
        m_updates += QLatin1String("; ");
    }
    rowsOf(m_headers, document.headerTable).add(document.header);
    recount();
}

void PendingBatch::recount()
{
    m_length = 0;
    for (const SqlInsertRows& rows : m_lines)
        m_length += rows.length();
    m_length += m_updates.size();
    for (const SqlInsertRows& rows : m_headers)
        m_length += rows.length();
}

QString PendingBatch::text() const
{
    QString out;
    out.reserve(m_length);
    for (const SqlInsertRows& rows : m_lines)
        rows.appendTo(out);
    out += m_updates;
    for (const SqlInsertRows& rows : m_headers)
        rows.appendTo(out);
    return out;
}

void PendingBatch::clear()
{
    m_lines.clear();
    m_updates.clear();
    m_headers.clear();
    m_length = 0;
}

QString PendingBatch::textOf(const PendingGroup& group)
{
    PendingBatch batch;
    batch.add(group);
    return batch.text();
}
