#pragma once
// Text passing between QString and the wide (UTF-16) ODBC calls; the layer uses the W functions
// only, so text reaches the driver in Unicode whatever the process locale.
#include <QString>
#include <sql.h>
#include <sqlucode.h>

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "ODBC wide characters must be UTF-16");

// Pointer to the NUL-terminated UTF-16 text of s; valid while s lives unchanged.
inline SQLWCHAR* odbcWide(const QString& s)
{
    return reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(reinterpret_cast<const char16_t*>(s.utf16())));
}

inline QString fromOdbcWide(const SQLWCHAR* text, qsizetype length)
{
    if (length < 0) {
        length = 0;
        while (text[length])
            ++length;
    }
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), length);
}
