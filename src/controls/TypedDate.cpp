#include "controls/TypedDate.h"

#include <QRegularExpression>
#include <QStringList>

namespace {
const QDate FirstDay(1753, 1, 1);
}

int expandTwoDigitYear(int twoDigits, int epoch)
{
    const int century = epoch - epoch % 100;
    int year = century + twoDigits;
    if (year < epoch)
        year += 100;
    return year;
}

QString invalidDateMessage(const QString& text, QChar separator)
{
    const QString s(separator);
    return QStringLiteral("\"") + text.trimmed() + QStringLiteral("\" ni veljaven datum !\nVpiši dan, mesec in leto, na primer 1")
        + s + QStringLiteral("12") + s + QStringLiteral("2026, 01122026, 1") + s + QStringLiteral("12") + s
        + QStringLiteral("26 ali 1") + s + QStringLiteral("12") + s + QStringLiteral(" (tekoče leto).");
}

TypedDate parseTypedDate(const QString& text, const QDate& today, QChar separator, int epoch)
{
    TypedDate result;
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        result.kind = TypedDate::Kind::Empty;
        return result;
    }
    const auto refuse = [&] {
        result.kind = TypedDate::Kind::Invalid;
        result.message = invalidDateMessage(t, separator);
        return result;
    };

    QString day;
    QString month;
    QString year;
    static const QRegularExpression digitsOnly(QStringLiteral("^\\d+$"));
    if (digitsOnly.match(t).hasMatch()) {
        // ddMM, ddMMyy, ddMMyyyy
        if (t.size() != 4 && t.size() != 6 && t.size() != 8)
            return refuse();
        day = t.mid(0, 2);
        month = t.mid(2, 2);
        year = t.mid(4);
    } else {
        const QString separators = QStringLiteral("[/\\-.") + QRegularExpression::escape(QString(separator))
            + QStringLiteral("]");
        const QRegularExpression pattern(QStringLiteral("^(\\d{1,2})\\s*") + separators + QStringLiteral("\\s*(\\d{1,2})\\s*(?:")
                                         + separators + QStringLiteral("\\s*(\\d{2}|\\d{4})?)?$"));
        const QRegularExpressionMatch m = pattern.match(t);
        if (!m.hasMatch())
            return refuse();
        day = m.captured(1);
        month = m.captured(2);
        year = m.captured(3);
    }
    int y = today.year();
    if (year.size() == 2)
        y = expandTwoDigitYear(year.toInt(), epoch);
    else if (year.size() == 4)
        y = year.toInt();
    const QDate d(y, month.toInt(), day.toInt());
    if (!d.isValid() || d < FirstDay)
        return refuse();
    result.kind = TypedDate::Kind::Date;
    result.date = d;
    return result;
}
