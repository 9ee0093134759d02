#include "templates/TemplateRules.h"

#include "data/core/EConvertError.h"
#include "data/core/Rounding.h"

#include <cmath>
#include <limits>

std::optional<QString> TipFromText(const QString& text)
{
    const QString upper = text.toUpper();
    if (upper == QLatin1String("P") || upper == QLatin1String("T"))
        return upper;
    return std::nullopt;
}

QDateTime DatumZakFor(const QDateTime& datum, qint64 stevObrokov, qint64 periodika)
{
    if (!datum.isValid())
        return QDateTime();
    return datum.addDays(stevObrokov * periodika);
}

double DaysBetween(const QDateTime& datum, const QDateTime& datumZak)
{
    const qint64 days = datum.date().daysTo(datumZak.date());
    const qint64 msecs = qint64(datumZak.time().msecsSinceStartOfDay()) - datum.time().msecsSinceStartOfDay();
    return double(days) + double(msecs) / 86400000.0;
}

qint64 roundHalfToEven(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 9.0e15)
        throw EConvertError(QStringLiteral("'%1' je zunaj dovoljenega obsega").arg(value));
    const double lower = std::floor(value);
    const double fraction = value - lower;
    qint64 result = qint64(lower);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0)))
        ++result;
    return result;
}

qint64 StevObrokovFor(const QDateTime& datum, const QDateTime& datumZak, qint64 periodika)
{
    if (periodika == 0)
        return 0;
    return roundHalfToEven(DivT(DaysBetween(datum, datumZak), double(periodika)));
}

QDate NextDueDate(const QString& aktivno, const QDate& datum, const QDate& datZadFak, qint64 periodika,
                  const QDate& datumZak)
{
    if (aktivno != QLatin1String("T") || !datum.isValid())
        return QDate();
    if (!datZadFak.isValid())
        return datum;
    if (!datumZak.isValid() || datZadFak > datumZak)
        return QDate();
    const QDate next = datZadFak.addDays(periodika);
    return next < datum ? datum : next;
}
