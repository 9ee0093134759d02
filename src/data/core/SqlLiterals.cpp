#include "data/core/SqlLiterals.h"
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

QString twoDigits(int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); }

} // namespace

QString DateToStrSQL(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return QString::number(date.year()).rightJustified(4, QLatin1Char('0')) + QLatin1Char('/')
        + twoDigits(date.month()) + QLatin1Char('/') + twoDigits(date.day());
}

QString DateToStrSQL(const QDateTime& dateTime)
{
    return dateTime.isValid() ? DateToStrSQL(dateTime.date()) : QString();
}

QString DateTimeToStrSQL(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return QString();
    const QTime t = dateTime.time();
    QString text = DateToStrSQL(dateTime.date()) + QLatin1Char(' ') + twoDigits(t.hour())
        + QLatin1Char(':') + twoDigits(t.minute()) + QLatin1Char(':') + twoDigits(t.second());
    if (t.msec() != 0) {
        if (SqlMilliseconds == SqlMillisecondForm::AfterColon)
            text += QLatin1Char(':') + QString::number(t.msec());
        else
            text += QLatin1Char('.') + QString::number(t.msec()).rightJustified(3, QLatin1Char('0'));
    }
    return text;
}

QString FloatToStrSQL(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0.0)
        return QStringLiteral("0");

    // 15 significant digits, correctly rounded, locale-independent: "-d.dddddddddddddde+XX".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);
    const bool negative = text.front() == '-';
    const std::size_t first = negative ? 1 : 0;
    const std::size_t e = text.find('e');
    std::string digits = text.substr(first, 1) + text.substr(first + 2, e - first - 2);
    const int exponent = std::atoi(text.c_str() + e + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (negative)
        out += '-';
    if (exponent < -4 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1)
            out += '.' + digits.substr(1);
        out += 'E' + std::to_string(exponent);
    } else if (exponent >= 0) {
        const std::size_t intDigits = std::size_t(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits + std::string(intDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, intDigits) + '.' + digits.substr(intDigits);
        }
    } else {
        out += "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

QString FloatToStrSQL(Money amount)
{
    return amount.toString();
}

QString sqlStrApostrof(const QString& text)
{
    QString doubled = text;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return doubled;
}

QString sqlQuotedStr(const QString& text)
{
    return QLatin1Char('\'') + sqlStrApostrof(text) + QLatin1Char('\'');
}

int sqlClosingQuote(const QString& sql, int open)
{
    const int n = int(sql.size());
    const QChar quote = sql[open];
    int j = open + 1;
    while (j < n) {
        if (sql[j] == quote) {
            if (j + 1 < n && sql[j + 1] == quote) {
                j += 2;
                continue;
            }
            return j;
        }
        ++j;
    }
    return n;
}
