#include "reports/ReportContext.h"

QString ReportContext::criterion(const QString& key) const
{
    for (auto it = criteria.cbegin(); it != criteria.cend(); ++it)
        if (it.key().compare(key, Qt::CaseInsensitive) == 0)
            return it.value();
    return {};
}
