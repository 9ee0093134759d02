#pragma once
#include <QLocale>
#include <QString>

// Formats a number by a display mask of the form the forms use ("#,##0.00", "#,##0 dni.",
// "#,##0.00 %", "0.0000"): "0" a digit always shown, "#" a digit shown when significant, the
// first "." the decimal point, a "," among the digit placeholders asks for thousands grouping,
// text in quotes and any other character literal (a "%" does not multiply). Up to three sections
// separated by ";" give the positive, negative and zero forms. The decimal point and the
// grouping character are the locale's. An empty mask gives the shortest general form (up to 15
// significant digits).
QString formatFloat(const QString& mask, double value, const QLocale& locale = QLocale());
