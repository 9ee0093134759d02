#include "DatePicker.h"

#include "data/core/ProgramState.h"

#include <QCalendarWidget>
#include <QRegularExpression>

DatePicker::DatePicker(QWidget* parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setMinimumDate(QDate(1753, 1, 1));
    applyDateSeparator();
    if (QCalendarWidget* calendar = calendarWidget()) {
        calendar->setFirstDayOfWeek(Qt::Monday);
        calendar->setGridVisible(true);
    }
}

QString DatePicker::displayFormatFor(QChar separator)
{
    return QStringLiteral("dd") + separator + QStringLiteral("MM") + separator + QStringLiteral("yyyy");
}

void DatePicker::applyDateSeparator()
{
    const QDate current = date();
    setDisplayFormat(displayFormatFor(DateSeparator));
    setDate(current);
}

int DatePicker::expandYear(int twoDigits, int epoch)
{
    const int century = epoch - epoch % 100;
    int year = century + twoDigits;
    if (year < epoch)
        year += 100;
    return year;
}

QDate DatePicker::parseDate(const QString& text, int epoch, QChar separator)
{
    const QString sep = QStringLiteral("[/\\-.") + QRegularExpression::escape(QString(separator)) + QStringLiteral("]");
    const QString pattern = QStringLiteral("^\\s*(\\d{1,2})\\s*") + sep + QStringLiteral("\\s*(\\d{1,2})\\s*") + sep
                            + QStringLiteral("\\s*(\\d{2}|\\d{4})\\s*$");
    const QRegularExpression re(pattern);
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return {};
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2)
        year = expandYear(year, epoch);
    return QDate(year, m.captured(2).toInt(), m.captured(1).toInt());
}

QDateTime DatePicker::dateTimeFromText(const QString& text) const
{
    const QDate parsed = parseDate(text, m_epoch, DateSeparator);
    if (parsed.isValid())
        return QDateTime(parsed, QTime(0, 0));
    return QDateEdit::dateTimeFromText(text);
}

QValidator::State DatePicker::validate(QString& input, int& pos) const
{
    const QValidator::State state = QDateEdit::validate(input, pos);
    if (state == QValidator::Acceptable)
        return state;
    // a year of two digits is complete too
    if (parseDate(input, m_epoch, DateSeparator).isValid())
        return QValidator::Acceptable;
    return state;
}
