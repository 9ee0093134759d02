#include "generation/PendingDocument.h"

void PendingDocument::setKey(const QString& newKey)
{
    key = newKey;
    for (SqlRow& line : lines)
        line.setKey(newKey);
    header.setKey(newKey);
}

QString PendingDocument::logLine() const
{
    return key + QStringLiteral(" / ") + templateKey + QStringLiteral(" / ") + partner;
}
