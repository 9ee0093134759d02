#include "data/odbc/UpdateTarget.h"

namespace {
QStringList splitFields(const QString& text)
{
    QStringList out;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString t = part.trimmed();
        if (!t.isEmpty())
            out << t;
    }
    return out;
}
QString joinFields(const QStringList& fields)
{
    QString s;
    for (const QString& f : fields)
        s += f + QLatin1Char(';');
    return s;
}
} // namespace

UpdateTarget UpdateTarget::fromStrings(const QStringList& texts)
{
    UpdateTarget t;
    t.TargetTable = texts.value(1).trimmed();
    t.PrimaryCols = splitFields(texts.value(2));
    t.OtherCols = splitFields(texts.value(3));
    t.IgnoreCols = splitFields(texts.value(4));
    return t;
}

QStringList UpdateTarget::toStrings(const QString& formatTag) const
{
    return {formatTag, TargetTable, joinFields(PrimaryCols), joinFields(OtherCols), joinFields(IgnoreCols)};
}
