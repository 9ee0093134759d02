#include "data/core/TextRoutines.h"
#include "data/core/ProgramState.h"

QString ReplicateStr(QChar c, int n)
{
    return n > 0 ? QString(n, c) : QString();
}

QString StrZeroInt(qint64 i, int width)
{
    return QString::number(i).rightJustified(width, QLatin1Char('0'));
}

QString YearS(int n, const QDate& date)
{
    if (n <= 0 || !date.isValid())
        return QString();
    const QString year = n <= 2 ? QString::number(date.year() % 100).rightJustified(2, QLatin1Char('0'))
                                : QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
    const QString text = year + DateSeparator + QString::number(date.month()).rightJustified(2, QLatin1Char('0'))
        + DateSeparator + QString::number(date.day()).rightJustified(2, QLatin1Char('0'));
    return text.left(n);
}

QString YearS(int n, const QDateTime& dateTime)
{
    return YearS(n, dateTime.date());
}

QString ChangeCharacter(const QString& text, QChar c, QChar r)
{
    QString changed = text;
    changed.replace(c, r);
    return changed;
}

int TrimStrToInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

QString shortDateText(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return QString::number(date.day()).rightJustified(2, QLatin1Char('0')) + DateSeparator
        + QString::number(date.month()).rightJustified(2, QLatin1Char('0')) + DateSeparator
        + QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
}
