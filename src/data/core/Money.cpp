#include "data/core/Money.h"
#include <ostream>

QString Money::toString() const
{
    const bool negative = m_count < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t(-(m_count + 1)) + 1 : std::uint64_t(m_count);
    QString text = QString::number(magnitude / std::uint64_t(Scale));
    std::uint64_t fraction = magnitude % std::uint64_t(Scale);
    if (fraction != 0) {
        int digits = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        text += QLatin1Char('.') + QString::number(fraction).rightJustified(digits, QLatin1Char('0'));
    }
    if (negative)
        text.prepend(QLatin1Char('-'));
    return text;
}

std::optional<Money> Money::fromString(QStringView text)
{
    text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    // Magnitude in ten-thousandths, kept in 128 bits until the final range check.
    using U128 = unsigned __int128;
    U128 count = 0;
    const U128 limit = U128(1) << 64;
    int digits = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i, ++digits) {
        count = count * 10 + unsigned(text[i].unicode() - u'0');
        if (count >= limit)
            return std::nullopt;
    }
    count *= Scale;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        std::int64_t weight = Scale / 10;
        int firstDropped = -1;      // first digit after the fourth decimal
        bool restNonZero = false;   // any non-zero digit after that one
        for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i, ++digits) {
            const int d = text[i].unicode() - u'0';
            if (weight > 0) {
                count += unsigned(d) * unsigned(weight);
                weight /= 10;
            } else if (firstDropped < 0) {
                firstDropped = d;
            } else if (d != 0) {
                restNonZero = true;
            }
        }
        if (firstDropped > 5 || (firstDropped == 5 && (restNonZero || (count & 1) != 0)))
            ++count;
    }
    if (digits == 0 || i != text.size())
        return std::nullopt;
    const U128 max = negative ? (U128(1) << 63) : (U128(1) << 63) - 1;
    if (count > max)
        return std::nullopt;
    if (negative)
        return fromCount(count == (U128(1) << 63) ? std::numeric_limits<std::int64_t>::min()
                                                               : -std::int64_t(count));
    return fromCount(std::int64_t(count));
}

void PrintTo(Money m, std::ostream* os)
{
    *os << m.toString().toStdString();
}
