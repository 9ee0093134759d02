#include "generation/PendingDocument.h"

#include "generation/DocumentRows.h"

void PendingDocument::setKey(const QString& newKey)
{
    key = newKey;
    for (QVariantList& line : lines)
        setKeyColumn(line, newKey);
    setKeyColumn(header, newKey);
}

QString PendingDocument::logLine() const
{
    return key + QStringLiteral(" / ") + templateKey + QStringLiteral(" / ") + partner;
}
