#include "reports/ReportFormat.h"

#include "data/core/FormatFloat.h"

#include <cmath>

const QLocale& reportLocale()
{
    static const QLocale locale(QLocale::Slovenian, QLocale::Slovenia);
    return locale;
}

QString formatReportNumber(double value, const QString& mask)
{
    if (!std::isfinite(value))
        return QString();
    return formatFloat(mask, value, reportLocale());
}

QString formatReportDate(const QDateTime& value, const QString& mask)
{
    if (!value.isValid())
        return QString();
    QString m = mask;
    if (m.isEmpty())
        m = value.time() == QTime(0, 0) ? QStringLiteral("dd.mm.yyyy") : QStringLiteral("dd.mm.yyyy hh:nn");
    const QDate d = value.date();
    const QTime t = value.time();
    QString out;
    int i = 0;
    auto run = [&](QChar c) {
        int n = 0;
        while (i + n < m.size() && m[i + n].toLower() == c)
            ++n;
        return n;
    };
    auto pad = [](int v, int width) { return QString::number(v).rightJustified(width, QLatin1Char('0')); };
    while (i < m.size()) {
        const QChar c = m[i].toLower();
        if (m[i] == QLatin1Char('\'') || m[i] == QLatin1Char('"')) {
            const QChar q = m[i];
            int j = i + 1;
            while (j < m.size() && m[j] != q)
                out += m[j++];
            i = j + 1;
            continue;
        }
        int n = 0;
        if (c == QLatin1Char('d')) {
            n = run(c);
            out += n >= 2 ? pad(d.day(), 2) : QString::number(d.day());
        } else if (c == QLatin1Char('m')) {
            n = run(c);
            out += n >= 2 ? pad(d.month(), 2) : QString::number(d.month());
        } else if (c == QLatin1Char('y')) {
            n = run(c);
            out += n >= 3 ? pad(d.year(), 4) : pad(d.year() % 100, 2);
        } else if (c == QLatin1Char('h')) {
            n = run(c);
            out += n >= 2 ? pad(t.hour(), 2) : QString::number(t.hour());
        } else if (c == QLatin1Char('n')) {
            n = run(c);
            out += n >= 2 ? pad(t.minute(), 2) : QString::number(t.minute());
        } else if (c == QLatin1Char('s')) {
            n = run(c);
            out += n >= 2 ? pad(t.second(), 2) : QString::number(t.second());
        } else {
            out += m[i];
            n = 1;
        }
        i += n;
    }
    return out;
}

ReportFieldKind reportValueKind(const QVariant& value)
{
    return reportFieldKindOf(value);
}

bool reportNumber(const QVariant& value, double* number)
{
    if (!value.isValid() || value.isNull()) {
        *number = 0;
        return true;
    }
    switch (value.typeId()) {
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Int: case QMetaType::UInt:
    case QMetaType::LongLong: case QMetaType::ULongLong: case QMetaType::Short: case QMetaType::UShort:
        *number = value.toDouble();
        return true;
    case QMetaType::Bool:
        *number = value.toBool() ? 1 : 0;
        return true;
    case QMetaType::QString: {
        const QString t = value.toString().trimmed();
        bool ok = false;
        double v = t.toDouble(&ok);
        if (!ok)
            v = reportLocale().toDouble(t, &ok);
        if (ok && std::isfinite(v)) {
            *number = v;
            return true;
        }
        return false;
    }
    default:
        return false;
    }
}

QString reportText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QString();
    switch (value.typeId()) {
    case QMetaType::Double: case QMetaType::Float:
        return formatReportNumber(value.toDouble(), QStringLiteral("0.##########"));
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort:
        return QString::number(value.toLongLong());
    case QMetaType::QDate:
        return formatReportDate(QDateTime(value.toDate(), QTime(0, 0)), QString());
    case QMetaType::QDateTime:
        return formatReportDate(value.toDateTime(), QString());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Da") : QStringLiteral("Ne");
    default:
        return value.toString();
    }
}

QString formatReportValue(const QVariant& value, ReportFieldKind kind, const QString& displayFormat)
{
    if (!value.isValid() || value.isNull())
        return QString();
    const ReportFieldKind actual = reportValueKind(value);
    if (actual == ReportFieldKind::Number) {
        QString mask = displayFormat;
        if (mask.isEmpty())
            mask = kind == ReportFieldKind::Money ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0.##");
        return formatReportNumber(value.toDouble(), mask);
    }
    if (actual == ReportFieldKind::Date) {
        const QDateTime dt = value.typeId() == QMetaType::QDate ? QDateTime(value.toDate(), QTime(0, 0))
                                                                 : value.toDateTime();
        return formatReportDate(dt, displayFormat);
    }
    if (actual == ReportFieldKind::Text && (kind == ReportFieldKind::Number || kind == ReportFieldKind::Money)
        && !displayFormat.isEmpty()) {
        double n = 0;
        if (reportNumber(value, &n))
            return formatReportNumber(n, displayFormat);
    }
    return reportText(value);
}
