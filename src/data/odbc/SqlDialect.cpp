#include "data/odbc/SqlDialect.h"

#include "data/core/SqlLiterals.h"
#include "data/odbc/EODBC.h"

#include <QRegularExpression>

SqlDialect SqlDialect::fromDbmsName(const QString& dbmsName)
{
    const QString n = dbmsName.trimmed();
    if (n.compare(QLatin1String("PostgreSQL"), Qt::CaseInsensitive) == 0)
        return SqlDialect(Kind::PostgreSQL);
    if (n.contains(QLatin1String("SQL Server"), Qt::CaseInsensitive))
        return SqlDialect(Kind::SqlServer);
    return SqlDialect(Kind::Other);
}

QString SqlDialect::name() const
{
    switch (m_kind) {
    case Kind::SqlServer: return QStringLiteral("Microsoft SQL Server");
    case Kind::PostgreSQL: return QStringLiteral("PostgreSQL");
    case Kind::Other: break;
    }
    return QStringLiteral("Other");
}

namespace {
bool digits(const QString& s, int from, int count)
{
    for (int i = from; i < from + count; ++i)
        if (i >= s.size() || s[i] < QLatin1Char('0') || s[i] > QLatin1Char('9'))
            return false;
    return true;
}
bool at(const QString& s, int i, char c) { return i < s.size() && s[i] == QLatin1Char(c); }
} // namespace

QString SqlDialect::rewriteDateTimeLiteral(const QString& content, bool* changed)
{
    if (changed)
        *changed = false;
    // yyyy/mm/dd hh:nn:ss:z  with z of 1 to 3 digits; positions 0..18 fixed, ":" at 19
    const int len = int(content.size());
    if (len < 21 || len > 23)
        return content;
    if (!(digits(content, 0, 4) && at(content, 4, '/') && digits(content, 5, 2) && at(content, 7, '/')
          && digits(content, 8, 2) && at(content, 10, ' ') && digits(content, 11, 2) && at(content, 13, ':')
          && digits(content, 14, 2) && at(content, 16, ':') && digits(content, 17, 2) && at(content, 19, ':')
          && digits(content, 20, len - 20)))
        return content;
    const QString ms = content.mid(20).rightJustified(3, QLatin1Char('0'));
    if (changed)
        *changed = true;
    return content.left(19) + QLatin1Char('.') + ms;
}

QString SqlDialect::rewriteUnquoted(const QString& text)
{
    static const QRegularExpression like(QStringLiteral("(?<=\\s)LIKE(?=\\s)"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression limit(QStringLiteral("(,|\\bSELECT\\b)(\\s*)Limit\\b(?=\\s*(?:,|FROM\\b))"),
                                          QRegularExpression::CaseInsensitiveOption);
    QString out = text;
    if (out.contains(QLatin1String("like"), Qt::CaseInsensitive))
        out.replace(like, QStringLiteral("ILIKE"));
    if (out.contains(QLatin1String("limit"), Qt::CaseInsensitive))
        out.replace(limit, QStringLiteral("\\1\\2\"limit\""));
    return out;
}

QString SqlDialect::rewrite(const QString& sql) const
{
    if (m_kind != Kind::PostgreSQL)
        return sql;
    QString out;
    out.reserve(sql.size() + 16);
    const int n = int(sql.size());
    int runStart = 0;
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c != QLatin1Char('\'') && c != QLatin1Char('"')) {
            ++i;
            continue;
        }
        out += rewriteUnquoted(sql.mid(runStart, i - runStart));
        const int j = sqlClosingQuote(sql, i);
        if (j >= n) {   // unclosed: copy the rest unchanged
            out += QStringView(sql).mid(i);
            return out;
        }
        const QString content = sql.mid(i + 1, j - i - 1);
        out += c;
        out += c == QLatin1Char('\'') ? rewriteDateTimeLiteral(content) : content;
        out += c;
        i = j + 1;
        runStart = i;
    }
    out += rewriteUnquoted(sql.mid(runStart));
    return out;
}

void SqlDialect::normalizeConnectError(EODBC& error)
{
    for (int i = 0; i < error.recordCount(); ++i) {
        const OdbcDiagnostic& r = error.records()[size_t(i)];
        if (r.sqlState.startsWith(QLatin1String("08"))
            && (r.message.contains(QLatin1String("password authentication failed"), Qt::CaseInsensitive)
                || r.message.contains(QLatin1String("authentication failed for user"), Qt::CaseInsensitive)
                || r.message.contains(QLatin1String("no password supplied"), Qt::CaseInsensitive)))
            error.setSqlState(i, QStringLiteral("28000"));
    }
}

qint64 SqlDialect::advisoryLockKey(const QString& resource)
{
    quint64 hash = 14695981039346656037ULL;
    for (const char c : resource.toUtf8()) {
        hash ^= quint8(c);
        hash *= 1099511628211ULL;
    }
    return qint64(hash);
}

QString SqlDialect::sessionLockStatement(const QString& resource) const
{
    switch (m_kind) {
    case Kind::PostgreSQL:
        return QStringLiteral("SELECT CASE WHEN pg_try_advisory_lock(%1) THEN 1 ELSE 0 END AS Zaklenjeno")
            .arg(advisoryLockKey(resource));
    case Kind::SqlServer:
        return QStringLiteral("SET NOCOUNT ON; DECLARE @Rezultat int; "
                              "EXEC @Rezultat = sp_getapplock @Resource = '%1', @LockMode = 'Exclusive', "
                              "@LockOwner = 'Session', @LockTimeout = 0; "
                              "SELECT CASE WHEN @Rezultat >= 0 THEN 1 ELSE 0 END AS Zaklenjeno")
            .arg(resource);
    case Kind::Other: break;
    }
    return {};
}

QString SqlDialect::sessionUnlockStatement(const QString& resource) const
{
    switch (m_kind) {
    case Kind::PostgreSQL:
        return QStringLiteral("SELECT pg_advisory_unlock(%1)").arg(advisoryLockKey(resource));
    case Kind::SqlServer:
        return QStringLiteral("EXEC sp_releaseapplock @Resource = '%1', @LockOwner = 'Session'").arg(resource);
    case Kind::Other: break;
    }
    return {};
}
