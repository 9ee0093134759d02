#pragma once
#include <QDate>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>

#include <optional>

class QCalendarWidget;
class QFrame;

// A date field as an accountant uses it: the date is typed as text in any of the usual ways
// (see TypedDate.h: "1.12.2026", "01122026", "1.12.26", "1.12."), chosen in the calendar that
// the button at the right (or Alt+Down, F4) opens, or stepped with the arrow keys (Up and Down
// change the day, month or year under the cursor). Dates are shown as day, month and four-digit
// year separated by the process-wide date separator.
//
// What the user typed is never replaced by another date: when the field is left or Enter is
// pressed, text that is no date is refused with a message and stays in the field, as typed,
// until it is corrected or Escape gives the typing up (the last date comes back).
class DatePicker : public QLineEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);
    ~DatePicker() override;

    // The date (the typed text when it is a date, else the last date taken); invalid when the
    // field is empty.
    QDate date() const;
    void setDate(const QDate& date);

    // An empty field is a valid value (no date): for optional dates. Off by default.
    bool allowEmpty() const { return m_allowEmpty; }
    void setAllowEmpty(bool on) { m_allowEmpty = on; }

    int epoch() const { return m_epoch; }
    void setEpoch(int year) { m_epoch = year; }
    QDate minimumDate() const { return m_minimum; }
    void setMinimumDate(const QDate& d) { m_minimum = d; }

    // Whether the text is a date (or empty where that is allowed).
    bool isTextValid() const;
    // Takes the typed text: a date is shown in the field's own form and becomes the date; text
    // that is no date is refused with a message, stays as typed, and the field keeps the focus.
    // Returns whether the text was taken.
    bool confirmDate();
    // Gives the typing up: the last date comes back.
    void revertText();

    bool calendarPopup() const { return true; }
    QCalendarWidget* calendarWidget() const;
    void showCalendar();
    // Selects the day, month or year of the text (as a date-time edit does).
    void setSelectedSection(QDateTimeEdit::Section section);

    // Re-reads the process-wide date separator (after the configuration was read).
    void applyDateSeparator();
    // "dd.MM.yyyy" with the separator.
    static QString displayFormatFor(QChar separator);
    // The year of two digits in the hundred years from the epoch.
    static int expandYear(int twoDigits, int epoch);
    // Day, month and year (two or four digits) separated by any of ". / -" or the separator.
    static QDate parseDate(const QString& text, int epoch, QChar separator);

signals:
    void dateChanged(const QDate& date);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString textOf(const QDate& d) const;
    void setDateFromUser(const QDate& d);
    void stepSection(int delta);

    QDate m_date;
    QDate m_minimum = QDate(1753, 1, 1);
    int m_epoch = 2000;
    bool m_allowEmpty = false;
    bool m_complaining = false;
    std::optional<QString> m_refusedText;   // the text refused last, and when
    QElapsedTimer m_refusedAt;
    QPointer<QFrame> m_popup;
    QCalendarWidget* m_calendar = nullptr;
};
