#pragma once
#include "reports/ReportDataSource.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVariant>

// Formatting of report values in the Slovenian way (1.234,56; 09.12.2026).
//
// Number masks are those of the program's forms ("#,##0.00", "0.###", "#,##0.00 EUR"; see
// formatFloat). Date masks use d, dd, m, mm, yy, yyyy for the date and h, hh, n, nn, s, ss for
// the time (n: minutes), with any other character taken literally and text in '...' or "..."
// copied; "" gives dd.mm.yyyy (and hh:nn when the value has a time of day).
const QLocale& reportLocale();
QString formatReportNumber(double value, const QString& mask);
QString formatReportDate(const QDateTime& value, const QString& mask);
// The display text of a value of the given kind through a display format (empty: the kind's
// default: numbers "#,##0.##", money "#,##0.00", dates dd.mm.yyyy, booleans "Da"/"Ne").
QString formatReportValue(const QVariant& value, ReportFieldKind kind, const QString& displayFormat);
// The kind a value has (numbers, dates, booleans, texts).
ReportFieldKind reportValueKind(const QVariant& value);
// A number from a value: numbers, booleans (1/0), texts in C or Slovenian form; false when the
// value is none of these. NULL is 0.
bool reportNumber(const QVariant& value, double* number);
// The text of a value as used in concatenations (numbers in the short Slovenian form).
QString reportText(const QVariant& value);
