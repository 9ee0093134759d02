#include "pricing/TestPrometKljuc.h"

#include "data/log/Guard.h"
#include "data/SqlFilter.h"
#include "data/core/SqlLiterals.h"
#include "data/dataset/TwwOEDataSet.h"

namespace {
// The key of the current record; empty when the dataset is closed or has no record.
QString currentKey(TwwOEDataSet& ds)
{
    if (!ds.Active() || ds.IsEmpty())
        return {};
    const TField* f = ds.FindField(QStringLiteral("KLJUC"));
    return f ? f->asString() : QString();
}
} // namespace

bool TestPrometKljuc(TwwOEDataSet& DataSet, const QString& Kljuc)
{
    return guard(QStringLiteral("TestPrometKljuc"), &DataSet, false, [&] {
        if (Kljuc.isEmpty())
            return true;
        if (currentKey(DataSet) == Kljuc)
            return true;
        const QVariantList key{Kljuc};
        if (Kljuc.left(4) != currentKey(DataSet).left(4)) {
            sqlFilter(DataSet, QStringLiteral("POSLDOG = ") + sqlQuotedStr(Kljuc.mid(2, 2)), QString());
            sqlFindKey(DataSet, QStringLiteral("Kljuc"), key, QString(), false);
        }
        if (currentKey(DataSet) != Kljuc)
            sqlFindKey(DataSet, QStringLiteral("Kljuc"), key, QString(), false);
        return currentKey(DataSet) == Kljuc;
    });
}
