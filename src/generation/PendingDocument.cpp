#include "generation/PendingDocument.h"

#include "data/SqlBatch.h"
#include "generation/DocumentRows.h"

void PendingDocument::setKey(const QString& newKey)
{
    key = newKey;
    for (QVariantList& line : lines)
        setKeyColumn(line, newKey);
    setKeyColumn(header, newKey);
}

QString PendingDocument::sql() const
{
    QString text;
    sqlInsertRows(lineTable, lines, text);
    text += templateUpdate;
    sqlInsertValues(headerTable, header, text);
    return text;
}

QString PendingDocument::logLine() const
{
    return key + QStringLiteral(" / ") + templateKey + QStringLiteral(" / ") + partner;
}

QString PendingGroup::sql() const
{
    QString text;
    for (const PendingDocument& d : documents)
        text += d.sql();
    return text;
}
