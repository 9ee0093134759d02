#include "DatePicker.h"

#include "controls/TypedDate.h"
#include "data/core/ProgramState.h"
#include "data/log/MessageBoxes.h"

#include <QAction>
#include <algorithm>
#include <QApplication>
#include <QCalendarWidget>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// A small calendar sheet for the button that opens the calendar.
QIcon calendarIcon(const QColor& color)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(color, 1));
    p.drawRect(2, 3, 11, 10);
    p.fillRect(2, 3, 12, 3, color);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 3; ++col)
            p.fillRect(4 + col * 3, 8 + row * 3, 2, 2, color);
    return QIcon(pm);
}
} // namespace

DatePicker::DatePicker(QWidget* parent) : QLineEdit(parent)
{
    setMaxLength(20);
    QAction* open = addAction(calendarIcon(palette().color(QPalette::Text)), QLineEdit::TrailingPosition);
    open->setObjectName(QStringLiteral("actCalendar"));
    open->setToolTip(QStringLiteral("Koledar (Alt+Dol)"));
    connect(open, &QAction::triggered, this, &DatePicker::showCalendar);

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(m_popup);
    layout->setContentsMargins(1, 1, 1, 1);
    m_calendar = new QCalendarWidget(m_popup);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setGridVisible(true);
    layout->addWidget(m_calendar);
    const auto chosen = [this](const QDate& d) {
        if (m_popup)
            m_popup->hide();
        setDateFromUser(d);
        setFocus(Qt::PopupFocusReason);
    };
    connect(m_calendar, &QCalendarWidget::clicked, this, chosen);
    connect(m_calendar, &QCalendarWidget::activated, this, chosen);
    applyDateSeparator();
}

DatePicker::~DatePicker() = default;

QString DatePicker::displayFormatFor(QChar separator)
{
    return QStringLiteral("dd") + separator + QStringLiteral("MM") + separator + QStringLiteral("yyyy");
}

QString DatePicker::textOf(const QDate& d) const
{
    return d.isValid() ? d.toString(displayFormatFor(DateSeparator)) : QString();
}

void DatePicker::applyDateSeparator()
{
    // typed text that is not a date yet stays as it is
    if (text().isEmpty() || isTextValid())
        setText(textOf(date()));
}

int DatePicker::expandYear(int twoDigits, int epoch) { return expandTwoDigitYear(twoDigits, epoch); }

QDate DatePicker::parseDate(const QString& text, int epoch, QChar separator)
{
    const TypedDate typed = parseTypedDate(text, QDate::currentDate(), separator, epoch);
    return typed.isDate() ? typed.date : QDate();
}

QDate DatePicker::date() const
{
    const TypedDate typed = parseTypedDate(text(), QDate::currentDate(), DateSeparator, m_epoch);
    if (typed.isDate() && typed.date >= m_minimum)
        return typed.date;
    if (typed.isEmpty() && m_allowEmpty)
        return QDate();
    return m_date;
}

void DatePicker::setDate(const QDate& d)
{
    m_refusedText.reset();
    const QDate old = m_date;
    m_date = d.isValid() ? d : QDate();
    setText(textOf(m_date));
    if (old != m_date)
        emit dateChanged(m_date);
}

void DatePicker::setDateFromUser(const QDate& d)
{
    setDate(d);
    setModified(true);
}

bool DatePicker::isTextValid() const
{
    const TypedDate typed = parseTypedDate(text(), QDate::currentDate(), DateSeparator, m_epoch);
    if (typed.isEmpty())
        return m_allowEmpty;
    return typed.isDate() && typed.date >= m_minimum;
}

bool DatePicker::confirmDate()
{
    const TypedDate typed = parseTypedDate(text(), QDate::currentDate(), DateSeparator, m_epoch);
    if (typed.isDate() && typed.date >= m_minimum) {
        setDate(typed.date);
        return true;
    }
    if (typed.isEmpty() && m_allowEmpty) {
        setDate(QDate());
        return true;
    }
    if (m_complaining)
        return false;
    const QString typedText = text();
    // Enter that also moves the focus on (Enter-for-next) refuses the same text twice at once:
    // it is said once
    if (m_refusedText && *m_refusedText == typedText && m_refusedAt.elapsed() < 500) {
        setFocus(Qt::OtherFocusReason);
        return false;
    }
    m_complaining = true;
    showError(typed.isEmpty() ? QStringLiteral("Datum je obvezen: vpiši ga, na primer 1") + DateSeparator
                                    + QStringLiteral("12") + DateSeparator + QStringLiteral("2026 ali 01122026.")
                              : invalidDateMessage(typedText, DateSeparator));
    m_complaining = false;
    m_refusedText = typedText;
    m_refusedAt.start();
    // the typed text stays for correction, and so does the cursor
    if (text() != typedText)
        setText(typedText);
    setFocus(Qt::OtherFocusReason);
    return false;
}

void DatePicker::revertText()
{
    m_refusedText.reset();
    setText(textOf(m_date));
}

QCalendarWidget* DatePicker::calendarWidget() const { return m_calendar; }

void DatePicker::showCalendar()
{
    if (!m_popup || !isEnabled() || isReadOnly())
        return;
    const QDate d = date();
    m_calendar->setSelectedDate(d.isValid() ? d : QDate::currentDate());
    m_popup->adjustSize();
    QPoint at = mapToGlobal(QPoint(0, height()));
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + m_popup->height() > area.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - m_popup->height());
        at.setX(std::min(at.x(), area.right() - m_popup->width()));
    }
    m_popup->move(at);
    m_popup->show();
    m_calendar->setFocus();
}

void DatePicker::setSelectedSection(QDateTimeEdit::Section section)
{
    const QString t = text();
    const int first = t.indexOf(DateSeparator);
    const int second = first < 0 ? -1 : t.indexOf(DateSeparator, first + 1);
    if (second < 0) {
        selectAll();
        return;
    }
    switch (section) {
    case QDateTimeEdit::DaySection: setSelection(0, first); break;
    case QDateTimeEdit::MonthSection: setSelection(first + 1, second - first - 1); break;
    case QDateTimeEdit::YearSection: setSelection(second + 1, int(t.size()) - second - 1); break;
    default: selectAll(); break;
    }
}

void DatePicker::stepSection(int delta)
{
    if (!isTextValid() || isReadOnly())
        return;
    QDate d = date();
    if (!d.isValid())
        d = QDate::currentDate();
    // the section under the cursor: day, month or year
    const QString t = text();
    const int pos = cursorPosition();
    const int first = t.indexOf(DateSeparator);
    const int second = first < 0 ? -1 : t.indexOf(DateSeparator, first + 1);
    QDateTimeEdit::Section section = QDateTimeEdit::DaySection;
    if (first >= 0 && pos > first)
        section = second >= 0 && pos > second ? QDateTimeEdit::YearSection : QDateTimeEdit::MonthSection;
    if (section == QDateTimeEdit::DaySection)
        d = d.addDays(delta);
    else if (section == QDateTimeEdit::MonthSection)
        d = d.addMonths(delta);
    else
        d = d.addYears(delta);
    if (d < m_minimum)
        return;
    setDateFromUser(d);
    setSelectedSection(section);
}

void DatePicker::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (event->modifiers() & Qt::AltModifier) {
            showCalendar();
            return;
        }
        stepSection(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    case Qt::Key_F4:
        showCalendar();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!confirmDate())
            return;
        break;
    case Qt::Key_Escape:
        if (text() != textOf(m_date)) {
            revertText();
            return;
        }
        break;
    default:
        break;
    }
    QLineEdit::keyPressEvent(event);
}

void DatePicker::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    // the calendar, a message box or another window taking the focus is no leaving of the field
    if (m_complaining || event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason)
        return;
    if (m_popup && m_popup->isVisible())
        return;
    confirmDate();
}
