#include "data/odbc/SqlTextScan.h"

namespace {
char16_t lowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; }

bool startsWithWord(const char16_t* p, const char16_t* end, const char* word)
{
    for (; *word; ++word, ++p)
        if (p >= end || lowerAscii(*p) != char16_t(*word))
            return false;
    return true;
}
} // namespace

bool sqlTextIsPlain(QStringView sql) noexcept
{
    const char16_t* const begin = sql.utf16();
    const char16_t* const end = begin + sql.size();
    const char16_t* p = begin;
    while (p < end) {
        const char16_t c = *p;
        if (c == u'\'' || c == u'"') {
            // the closing quote: the next one that is not doubled (literals are short: a plain
            // loop beats a library search here)
            const char16_t* close = p + 1;
            for (;;) {
                while (close < end && *close != c)
                    ++close;
                if (close == end)
                    return true;   // unclosed: the rest is inside the string
                if (close + 1 < end && close[1] == c) {
                    close += 2;
                    continue;
                }
                break;
            }
            const qsizetype length = close - p - 1;
            if (c == u'\'' && length >= 21 && length <= 23 && p[1 + 19] == u':')
                return false;
            p = close + 1;
            continue;
        }
        if (c == u':')
            return false;
        if ((c | 0x20) == u'l' && (startsWithWord(p, end, "like") || startsWithWord(p, end, "limit")))
            return false;
        ++p;
    }
    return true;
}
