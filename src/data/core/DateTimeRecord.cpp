#include "data/core/DateTimeRecord.h"

#include "data/core/EConvertError.h"

QDateTime DateTimeRecord::toDateTime() const
{
    const QDate d(year, month, day);
    const QTime t(hour, minute, second, int(fraction / 1000000u));
    if (isZero() || !d.isValid() || !t.isValid())
        throw EConvertError(QStringLiteral("'%1-%2-%3 %4:%5:%6' ni veljaven datum in čas")
                                .arg(year, 4, 10, QLatin1Char('0'))
                                .arg(month, 2, 10, QLatin1Char('0'))
                                .arg(day, 2, 10, QLatin1Char('0'))
                                .arg(hour, 2, 10, QLatin1Char('0'))
                                .arg(minute, 2, 10, QLatin1Char('0'))
                                .arg(second, 2, 10, QLatin1Char('0')));
    return QDateTime(d, t);
}

DateTimeRecord DateTimeRecord::fromDateTime(const QDateTime& dt)
{
    DateTimeRecord r;
    if (!dt.isValid())
        return r;
    const QDate d = dt.date();
    const QTime t = dt.time();
    r.year = qint16(d.year());
    r.month = quint16(d.month());
    r.day = quint16(d.day());
    r.hour = quint16(t.hour());
    r.minute = quint16(t.minute());
    r.second = quint16(t.second());
    r.fraction = quint32(t.msec()) * 1000000u;
    return r;
}
