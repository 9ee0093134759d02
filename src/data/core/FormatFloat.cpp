#include "data/core/FormatFloat.h"

#include <QStringList>
#include <cmath>

namespace {
QStringList splitSections(const QString& mask)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : mask) {
        if (!quote.isNull()) {
            current += c;
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            current += c;
        } else if (c == QLatin1Char(';')) {
            sections << current;
            current.clear();
        } else {
            current += c;
        }
    }
    sections << current;
    return sections;
}

QString literalText(const QString& s)
{
    QString out;
    QChar quote;
    for (QChar c : s) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                out += c;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else {
            out += c;
        }
    }
    return out;
}

bool isPlaceholder(QChar c) { return c == QLatin1Char('0') || c == QLatin1Char('#'); }

// Formats |value| by one section (no sign).
QString formatSection(const QString& section, double value, const QLocale& locale)
{
    // the numeric pattern runs from the first to the last digit placeholder outside quotes
    int first = -1, last = -1;
    QChar quote;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
            continue;
        }
        if (isPlaceholder(c)) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return literalText(section);
    const QString prefix = literalText(section.left(first));
    const QString pattern = section.mid(first, last - first + 1);
    const QString suffix = literalText(section.mid(last + 1));

    const int point = int(pattern.indexOf(QLatin1Char('.')));
    const QString intPart = point >= 0 ? pattern.left(point) : pattern;
    const QString fracPart = point >= 0 ? pattern.mid(point + 1) : QString();
    const bool grouping = intPart.contains(QLatin1Char(','));
    const int minInt = int(intPart.count(QLatin1Char('0')));
    const int minFrac = int(fracPart.count(QLatin1Char('0')));
    const int maxFrac = minFrac + int(fracPart.count(QLatin1Char('#')));

    QString digits = QString::number(std::fabs(value), 'f', maxFrac);   // C form: "1234.50"
    QString intDigits = digits.section(QLatin1Char('.'), 0, 0);
    QString fracDigits = maxFrac > 0 ? digits.section(QLatin1Char('.'), 1, 1) : QString();
    while (fracDigits.size() > minFrac && fracDigits.endsWith(QLatin1Char('0')))
        fracDigits.chop(1);
    if (intDigits == QLatin1String("0") && minInt == 0)
        intDigits.clear();
    while (intDigits.size() < minInt)
        intDigits.prepend(QLatin1Char('0'));
    if (grouping && intDigits.size() > 3) {
        QString grouped;
        const QString sep = locale.groupSeparator();
        for (int i = 0; i < intDigits.size(); ++i) {
            if (i > 0 && (intDigits.size() - i) % 3 == 0)
                grouped += sep;
            grouped += intDigits[i];
        }
        intDigits = grouped;
    }
    QString number = intDigits;
    if (!fracDigits.isEmpty())
        number += locale.decimalPoint() + fracDigits;
    if (number.isEmpty())
        number = QStringLiteral("0");
    return prefix + number + suffix;
}

int fractionDigitsOf(const QString& section)
{
    const QString literal = section;
    const int point = int(literal.indexOf(QLatin1Char('.')));
    if (point < 0)
        return 0;
    int n = 0;
    for (int i = point + 1; i < literal.size() && isPlaceholder(literal[i]); ++i)
        ++n;
    return n;
}
} // namespace

QString formatFloat(const QString& mask, double value, const QLocale& locale)
{
    if (mask.isEmpty()) {
        QString s = QString::number(value, 'g', 15);
        s.replace(QLatin1Char('.'), locale.decimalPoint());
        return s;
    }
    const QStringList sections = splitSections(mask);
    const int digitsShown = fractionDigitsOf(sections.first());
    const double shown = std::round(value * std::pow(10.0, digitsShown)) / std::pow(10.0, digitsShown);
    if (shown == 0 && sections.size() >= 3 && !sections[2].isEmpty())
        return formatSection(sections[2], 0, locale);
    if (value < 0 && shown != 0) {
        if (sections.size() >= 2 && !sections[1].isEmpty())
            return formatSection(sections[1], value, locale);
        return QLatin1Char('-') + formatSection(sections[0], value, locale);
    }
    return formatSection(sections[0], value, locale);
}
