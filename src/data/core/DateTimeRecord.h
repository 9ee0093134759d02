#pragma once
#include <QDateTime>
#include <QtGlobal>

// A date-time as ODBC delivers it. A NULL column reads as the all-zero record, which does not
// convert to a date-time.
struct DateTimeRecord {
    qint16 year = 0;
    quint16 month = 0;
    quint16 day = 0;
    quint16 hour = 0;
    quint16 minute = 0;
    quint16 second = 0;
    quint32 fraction = 0;   // billionths of a second

    bool isZero() const noexcept
    {
        return year == 0 && month == 0 && day == 0 && hour == 0 && minute == 0 && second == 0 && fraction == 0;
    }
    // Date plus time, milliseconds = fraction / 1,000,000 (local time). Throws EConvertError
    // for the all-zero record and for any record that is not a valid date and time.
    QDateTime toDateTime() const;
    // The record of a date-time (an invalid one gives the all-zero record).
    static DateTimeRecord fromDateTime(const QDateTime& dt);

    friend bool operator==(const DateTimeRecord&, const DateTimeRecord&) = default;
};
