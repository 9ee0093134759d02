#include "data/core/SqlLiterals.h"
#include <charconv>
#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

QString twoDigits(int v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); }

// Writes v (0 <= v < 10^width) as exactly width digits.
char* putDigits(char* o, int v, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        o[i] = char('0' + v % 10);
        v /= 10;
    }
    return o + width;
}

// "yyyy/mm/dd" into o for a year of four digits; nullptr for any other year.
char* putDate(char* o, const QDate& date)
{
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    if (year < 0 || year > 9999)
        return nullptr;
    o = putDigits(o, year, 4);
    *o++ = '/';
    o = putDigits(o, month, 2);
    *o++ = '/';
    return putDigits(o, day, 2);
}

} // namespace

QString DateToStrSQL(const QDate& date)
{
    if (!date.isValid())
        return QString();
    char text[10];
    if (const char* end = putDate(text, date))
        return QString::fromLatin1(text, end - text);
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
    char text[20];
    QString result;
    if (char* o = putDate(text, dateTime.date())) {
        *o++ = ' ';
        o = putDigits(o, t.hour(), 2);
        *o++ = ':';
        o = putDigits(o, t.minute(), 2);
        *o++ = ':';
        o = putDigits(o, t.second(), 2);
        result = QString::fromLatin1(text, o - text);
    } else {
        result = DateToStrSQL(dateTime.date()) + QLatin1Char(' ') + twoDigits(t.hour()) + QLatin1Char(':')
            + twoDigits(t.minute()) + QLatin1Char(':') + twoDigits(t.second());
    }
    if (t.msec() != 0) {
        if (SqlMilliseconds == SqlMillisecondForm::AfterColon)
            result += QLatin1Char(':') + QString::number(t.msec());
        else
            result += QLatin1Char('.') + QString::number(t.msec()).rightJustified(3, QLatin1Char('0'));
    }
    return result;
}

int floatToSqlChars(double value, char* out)
{
    char* o = out;
    const auto put = [&o](const char* text) {
        while (*text)
            *o++ = *text++;
    };
    if (std::isnan(value)) {
        put("NAN");
        return int(o - out);
    }
    if (std::isinf(value)) {
        put(value < 0 ? "-INF" : "INF");
        return int(o - out);
    }
    if (value == 0.0) {
        *o++ = '0';
        return 1;
    }
    // A whole number below 1E15 has all its digits among the 15 significant ones.
    if (std::fabs(value) < 1e15 && std::trunc(value) == value)
        return int(std::to_chars(out, out + 32, static_cast<long long>(value)).ptr - out);

    // 15 significant digits, correctly rounded, locale-independent: "-d.dddddddddddddde+XX".
    char text[40];
    const char* const end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 14).ptr;
    const bool negative = text[0] == '-';
    const char* p = text + (negative ? 1 : 0);
    char digits[20];
    int count = 0;
    digits[count++] = *p;
    p += 2;   // the digit and the point
    while (p < end && *p != 'e')
        digits[count++] = *p++;
    int exponent = 0;
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, exponent);
    while (count > 1 && digits[count - 1] == '0')
        --count;

    if (negative)
        *o++ = '-';
    if (exponent < -4 || exponent >= 15) {
        *o++ = digits[0];
        if (count > 1) {
            *o++ = '.';
            for (int i = 1; i < count; ++i)
                *o++ = digits[i];
        }
        *o++ = 'E';
        o = std::to_chars(o, o + 8, exponent).ptr;
    } else if (exponent >= 0) {
        const int intDigits = exponent + 1;
        for (int i = 0; i < std::max(count, intDigits); ++i) {
            if (i == intDigits)
                *o++ = '.';
            *o++ = i < count ? digits[i] : '0';
        }
    } else {
        *o++ = '0';
        *o++ = '.';
        for (int i = 0; i < -exponent - 1; ++i)
            *o++ = '0';
        for (int i = 0; i < count; ++i)
            *o++ = digits[i];
    }
    return int(o - out);
}


QString FloatToStrSQL(double value)
{
    char buffer[48];
    return QString::fromLatin1(buffer, floatToSqlChars(value, buffer));
}

void appendFloatSQL(QString& out, double value)
{
    char buffer[48];
    out += QLatin1StringView(buffer, floatToSqlChars(value, buffer));
}

void appendFloatSQL(QString& out, Money amount)
{
    out += amount.toString();
}

void appendQuotedStr(QString& out, QStringView text)
{
    out += QLatin1Char('\'');
    for (;;) {
        const qsizetype quote = text.indexOf(QLatin1Char('\''));
        if (quote < 0)
            break;
        out += text.first(quote + 1);
        out += QLatin1Char('\'');
        text = text.sliced(quote + 1);
    }
    out += text;
    out += QLatin1Char('\'');
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
