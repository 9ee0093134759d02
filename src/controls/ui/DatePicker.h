#pragma once
#include <QDateEdit>

// A date field with a calendar drop-down. Dates are shown as day, month and four-digit year
// separated by the process-wide date separator; a year typed with two digits is taken from the
// hundred years that start with the epoch year (1950: "49" is 2049, "50" is 1950).
class DatePicker : public QDateEdit {
    Q_OBJECT
public:
    explicit DatePicker(QWidget* parent = nullptr);

    int epoch() const { return m_epoch; }
    void setEpoch(int year) { m_epoch = year; }

    // Re-reads the process-wide date separator (after the configuration was read).
    void applyDateSeparator();
    // "dd.MM.yyyy" with the current separator.
    static QString displayFormatFor(QChar separator);
    // The year of two digits in the hundred years from the epoch.
    static int expandYear(int twoDigits, int epoch);
    // Day, month and year (two or four digits) separated by any of ". / -" or the separator.
    static QDate parseDate(const QString& text, int epoch, QChar separator);

protected:
    QDateTime dateTimeFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;

private:
    int m_epoch = 1950;
};
