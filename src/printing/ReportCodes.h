#pragma once
#include <QString>

#include <optional>

// Codes of report definitions. A code is three characters read as a hexadecimal number ("$" +
// code): values below 2560 (A00) are the shipped definitions (system reports), values from A00
// upward the user's own variants, which only the designer makes. The code "27K" of the listing
// is not a hexadecimal number at all.

inline constexpr int FirstUserReportCode = 0xA00;

// The code's value, or nothing when it is not a hexadecimal number (empty, blanks inside,
// letters beyond F, a sign).
std::optional<int> reportCodeValue(const QString& code);

// Whether the code is a system report's. Raises EConvertError ("'$27K' ni veljavno
// šestnajstiško število") when the code is not a hexadecimal number.
bool isSystemReportCode(const QString& code);
