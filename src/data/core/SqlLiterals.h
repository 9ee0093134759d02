#pragma once
#include "data/core/Money.h"
#include <QDate>
#include <QDateTime>
#include <QString>

// Literal formats for SQL text. None of them depends on the C or Qt locale or on the
// process-wide date separator: dates always with "/", numbers always with a decimal point.

// How DateTimeToStrSQL writes milliseconds that are not 0. The suite's server reads
// "hh:nn:ss:7" as 7 ms; servers that do not accept a colon there (PostgreSQL) need
// "hh:nn:ss.007". The connection sets this once it knows the server.
enum class SqlMillisecondForm {
    AfterColon,     // ":" and the milliseconds without leading zeros ("10:20:30:7")
    AfterFullStop,  // "." and the milliseconds as three digits ("10:20:30.007")
};
inline SqlMillisecondForm SqlMilliseconds = SqlMillisecondForm::AfterColon;

// "yyyy/mm/dd". An invalid (empty) date gives an empty text.
QString DateToStrSQL(const QDate& date);
QString DateToStrSQL(const QDateTime& dateTime);

// "yyyy/mm/dd hh:nn:ss" (24-hour clock), plus the milliseconds when they are not 0 (see
// SqlMillisecondForm; by default 12:30:05 and 7 ms give "12:30:05:7"). An invalid (empty)
// date-time gives an empty text.
QString DateTimeToStrSQL(const QDateTime& dateTime);

// The shortest general decimal form with at most 15 significant digits: fixed notation for
// 1E-4 <= |value| < 1E15 ("1234.5", "0.0001", "100000000000000"), exponent form outside it
// ("1E-5", "1.5E-7", "1E15", "-1.5E20"); a decimal point, no thousands separators; 0 gives
// "0". Not-a-number and infinities give "NAN", "INF" and "-INF" (which no server accepts as a
// number, so such a value makes its statement fail instead of being stored as something else).
QString FloatToStrSQL(double value);
// An amount: its exact decimal text ("1234.5", "-0.0001"), never in exponent form.
QString FloatToStrSQL(Money amount);

// The text with every "'" doubled (no apostrophes added around it).
QString sqlStrApostrof(const QString& text);
// A complete text literal: "'" + the text with every "'" doubled + "'".
QString sqlQuotedStr(const QString& text);

// The same literals appended to a text, for writers of long statement texts (no temporaries).
void appendFloatSQL(QString& out, double value);   // FloatToStrSQL(value)
// FloatToStrSQL(value) as Latin-1 characters into out (room for at least 32); returns their number.
int floatToSqlChars(double value, char* out);
void appendFloatSQL(QString& out, Money amount);   // FloatToStrSQL(amount)
void appendQuotedStr(QString& out, QStringView text);   // sqlQuotedStr(text)

// Where the quoted text that opens at sql[open] (a "'" or a '"') ends: the position of its
// closing quote, a doubled quote staying inside ('it''s'); sql.size() when it is never closed.
// The one scanner of quoted texts for everything that rewrites statements around them.
int sqlClosingQuote(const QString& sql, int open);
