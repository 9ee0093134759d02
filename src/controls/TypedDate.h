#pragma once
#include <QChar>
#include <QDate>
#include <QString>

// A date as an accountant types it into a date field:
//   "1.12.2026", "01.12.2026"   day, month, year (". / -" or the program's date separator)
//   "01122026", "011226"        the same without separators (eight or six digits)
//   "1.12.26"                   a year of two digits: 2000 to 2099 (from the epoch year)
//   "1.12." or "1.12", "0112"   the current year
// Blanks around the text are ignored. Nothing is ever guessed: text that is no real day
// (31.02.2026, 32122026, 1.13.2026, a year of three digits, letters) is refused with a message.
struct TypedDate {
    enum class Kind { Date, Empty, Invalid };
    Kind kind = Kind::Invalid;
    QDate date;        // Kind::Date
    QString message;   // Kind::Invalid: why, in Slovenian, for the user

    bool isDate() const { return kind == Kind::Date; }
    bool isEmpty() const { return kind == Kind::Empty; }
};

// Reads typed text. today gives the current year; a year of two digits falls in the hundred
// years from epoch (2000: "26" is 2026, "99" is 2099). Dates before 1753 (the database's first
// day) are refused as well.
TypedDate parseTypedDate(const QString& text, const QDate& today, QChar separator, int epoch = 2000);

// The year of two digits in the hundred years from the epoch (1950: "49" is 2049, "50" is 1950).
int expandTwoDigitYear(int twoDigits, int epoch);

// The message for text that is no date.
QString invalidDateMessage(const QString& text, QChar separator);
