#include "data/odbc/SqlParameterParser.h"

#include "data/core/SqlLiterals.h"

const QString SqlParameterParser::InvalidTokenMessage = QStringLiteral("Invalid parameter token in SQL statement.");

bool SqlParameterParser::isNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('@');
}

SqlParameterParser::Result SqlParameterParser::parse(const QString& sql)
{
    Result r;
    r.text.reserve(sql.size());
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // quoted string: copied unchanged up to its closing quote; a doubled quote stays inside
            const int j = sqlClosingQuote(sql, i);
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
