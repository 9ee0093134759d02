#pragma once
#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>

// Small text routines shared by the whole program.

// c repeated n times; n of 0 or less gives an empty text.
QString ReplicateStr(QChar c, int n);

// The decimal text of i, preceded by as many "0" as width exceeds its length (none when it is
// already that long). The sign counts as a character: StrZeroInt(-5, 4) is "00-5".
QString StrZeroInt(qint64 i, int width);

// The date written with the pattern of n letters "y" followed by "/mm/dd", cut to its first n
// characters. One or two "y" write the year with two digits, more write it with four; "/" is the
// process-wide date separator. So n = 2 gives "03" for 2003, n = 4 gives "2003", n = 1 gives
// "0", n = 3 gives "200", n = 5 gives "2003" and the separator; n <= 0 or an invalid date give
// an empty text.
QString YearS(int n, const QDate& date);
QString YearS(int n, const QDateTime& dateTime);

// Every c in text becomes r.
QString ChangeCharacter(const QString& text, QChar c, QChar r);

// The trimmed text as a decimal integer (optional sign); an empty text, a text that is not an
// integer or one out of the 32-bit range gives 0.
int TrimStrToInt(const QString& text);

// The short date text of the day for the user: day, month (two digits each) and four-digit
// year, separated by the process-wide date separator, e.g. "17.05.2003".
QString shortDateText(const QDate& date);
