#pragma once
#include <QString>

// Section ReportSort of the configuration file: per form name (the key) the code of the variant
// the user last chose for that printout (the value). The preview writes it when the user picks
// another variant; the report start reads it.
inline const QString ReportSortSection = QStringLiteral("ReportSort");

// The chosen code for the form name, or defaultCode when none is remembered.
QString chosenReportCode(const QString& formName, const QString& defaultCode);
// Remembers code as the choice for the form name.
void rememberReportCode(const QString& formName, const QString& code);
