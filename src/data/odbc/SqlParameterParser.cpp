#include "data/odbc/SqlParameterParser.h"

const QString SqlParameterParser::InvalidTokenMessage = QStringLiteral("Invalid parameter token in SQL statement.");

bool SqlParameterParser::isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@');
}

namespace {
// Whether a ":" stands outside quotes anywhere in the text (a batch of generated statements has
// none: its colons are all inside date-time literals).
bool hasColonOutsideQuotes(const QString& sql)
{
    const QChar* p = sql.constData();
    const QChar* const end = p + sql.size();
    while (p < end) {
        const char16_t c = p->unicode();
        if (c == u'\'' || c == u'"') {
            // a doubled quote closes and reopens the string: the same for this scan
            ++p;
            while (p < end && p->unicode() != c)
                ++p;
            if (p < end)
                ++p;
        } else {
            if (c == u':')
                return true;
            ++p;
        }
    }
    return false;
}
} // namespace

SqlParameterParser::Result SqlParameterParser::parse(const QString& sql)
{
    Result r;
    if (!hasColonOutsideQuotes(sql)) {
        r.text = sql;   // nothing to replace: the same text, shared
        return r;
    }
    r.text.reserve(sql.size());
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // quoted string: copied unchanged up to its closing quote; a doubled quote stays inside
            int j = i + 1;
            while (j < n) {
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            const int end = j < n ? j + 1 : n;   // an unclosed string runs to the end
            r.text += QStringView(sql).mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char(':')) {
            int j = i + 1;
            while (j < n && isNameChar(sql[j]))
                ++j;
            if (j == i + 1) {
                r.ok = false;
                r.error = InvalidTokenMessage;
                r.errorPosition = i;
                r.text.clear();
                r.names.clear();
                return r;
            }
            r.names << sql.mid(i + 1, j - i - 1);
            r.text += QLatin1Char('?');
            i = j;
        } else {
            r.text += c;
            ++i;
        }
    }
    return r;
}

QStringList SqlParameterParser::distinctNames(const QStringList& names)
{
    QStringList out;
    for (const QString& name : names)
        if (!out.contains(name, Qt::CaseInsensitive))
            out << name;
    return out;
}
