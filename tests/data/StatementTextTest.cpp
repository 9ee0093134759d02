// The quick paths that long generated statement texts take (literals written straight into the
// text, a batch passed on without copies when nothing in it needs the dialect's or the parameter
// parser's attention) give exactly what the character-by-character ways give. The references
// below are those ways, kept here as they were.
#include "data/core/SqlLiterals.h"
#include "data/odbc/SqlDialect.h"
#include "data/odbc/SqlParameterParser.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

#include <bit>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

// FloatToStrSQL through std::string pieces.
QString referenceFloat(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0.0)
        return QStringLiteral("0");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);
    const bool negative = text.front() == '-';
    const std::size_t first = negative ? 1 : 0;
    const std::size_t e = text.find('e');
    std::string digits = text.substr(first, 1) + text.substr(first + 2, e - first - 2);
    const int exponent = std::atoi(text.c_str() + e + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out;
    if (negative)
        out += '-';
    if (exponent < -4 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1)
            out += '.' + digits.substr(1);
        out += 'E' + std::to_string(exponent);
    } else if (exponent >= 0) {
        const std::size_t intDigits = std::size_t(exponent) + 1;
        if (digits.size() <= intDigits)
            out += digits + std::string(intDigits - digits.size(), '0');
        else
            out += digits.substr(0, intDigits) + '.' + digits.substr(intDigits);
    } else {
        out += "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    }
    return QString::fromLatin1(out.data(), qsizetype(out.size()));
}

// The dialect's rewrite, literal by literal and run by run, with every piece copied.
QString referenceRewrite(const QString& sql)
{
    QString out;
    const int n = int(sql.size());
    int runStart = 0;
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c != QLatin1Char('\'') && c != QLatin1Char('"')) {
            ++i;
            continue;
        }
        out += SqlDialect::rewriteUnquoted(sql.mid(runStart, i - runStart));
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
        if (j >= n) {
            out += QStringView(sql).mid(i);
            return out;
        }
        const QString content = sql.mid(i + 1, j - i - 1);
        out += c;
        out += c == QLatin1Char('\'') ? SqlDialect::rewriteDateTimeLiteral(content) : content;
        out += c;
        i = j + 1;
        runStart = i;
    }
    out += SqlDialect::rewriteUnquoted(sql.mid(runStart));
    return out;
}

// Texts made of the pieces that decide: quotes, colons, the words LIKE and LIMIT, date-times.
QString randomStatementText(QRandomGenerator& random)
{
    static const char* const pieces[] = {
        "'", "\"", "''", " ", "LIKE", " like ", "Limit", "LIMIT ", ", Limit FROM", "SELECT Limit,", ":", ":p1", "a",
        "'2003/05/17 10:20:30:250'", "'2003/05/17 10:20:30'", "2003/05/17 10:20:30:2", "INSERT INTO T(A,B) VALUES (",
        "); ", "li", "ke", "č", "\t", "1.5",
    };
    QString text;
    const int count = int(random.bounded(1, 40));
    for (int i = 0; i < count; ++i)
        text += QString::fromUtf8(pieces[random.bounded(int(std::size(pieces)))]);
    return text;
}

TEST(StatementText, FloatLiteralsAsBefore)
{
    QRandomGenerator random(20261209);
    std::vector<double> values{0.0,     -0.0,   1.0,    -1.0,   0.1,     0.0001,  0.00001, 1e14,   1e15,
                               -1e15,   1e15 - 1, 999999999999999.0, 123456789012345.6, 1.5e-7, 2.5,  -2.5,
                               1e300,   -1e-300, 4.9406564584124654e-324, std::numeric_limits<double>::max(),
                               12.3456, 0.30000000000000004, 1234.5, 100.0, 1e-4, 9.99995e-5};
    for (int i = 0; i < 200000; ++i) {
        switch (i % 4) {
        case 0:   // any bit pattern
            values.push_back(std::bit_cast<double>(random.generate64()));
            break;
        case 1:   // amounts of four decimals
            values.push_back(double(qint64(random.generate64() % 2000000000000) - 1000000000000) / 10000.0);
            break;
        case 2:   // whole numbers around the limit of fifteen digits
            values.push_back(std::ldexp(double(random.generate64() >> 11), -int(random.bounded(0, 20))));
            break;
        default:   // products as prices and rates give them
            values.push_back(random.generateDouble() * std::pow(10.0, random.bounded(-8, 18)));
            break;
        }
    }
    for (const double v : values) {
        const QString expected = referenceFloat(v);
        ASSERT_EQ(FloatToStrSQL(v), expected) << v;
        QString appended = QStringLiteral("x");
        appendFloatSQL(appended, v);
        ASSERT_EQ(appended, QStringLiteral("x") + expected) << v;
    }
    EXPECT_EQ(FloatToStrSQL(std::numeric_limits<double>::quiet_NaN()), QStringLiteral("NAN"));
    EXPECT_EQ(FloatToStrSQL(-std::numeric_limits<double>::infinity()), QStringLiteral("-INF"));
}

TEST(StatementText, QuotedTextsAsBefore)
{
    for (const char* text : {"", "'", "''", "a'b", "'a", "a'", "O'Brien & Sinovi d.o.o.", "čšž'ČŠŽ'", "no quotes"}) {
        const QString s = QString::fromUtf8(text);
        QString appended = QStringLiteral("(");
        appendQuotedStr(appended, s);
        EXPECT_EQ(appended, QStringLiteral("(") + sqlQuotedStr(s)) << text;
        EXPECT_EQ(sqlQuotedStr(s), QLatin1Char('\'') + QString(s).replace("'", "''") + QLatin1Char('\'')) << text;
    }
}

TEST(StatementText, DialectRewriteAsBefore)
{
    const SqlDialect postgres(SqlDialect::Kind::PostgreSQL);
    QRandomGenerator random(42);
    for (int i = 0; i < 100000; ++i) {
        const QString sql = randomStatementText(random);
        ASSERT_EQ(postgres.rewrite(sql), referenceRewrite(sql)) << sql.toStdString();
    }
}

TEST(StatementText, LongBatchPassesUnchangedUnlessSomethingNeedsRewriting)
{
    const SqlDialect postgres(SqlDialect::Kind::PostgreSQL);
    QString batch;
    for (int i = 0; i < 300; ++i)
        batch += QStringLiteral("INSERT INTO PrometPoz(Kljuc,Naziv,Datum,Cena) VALUES ('261000001','Storitev ''%1'' - "
                                "likvidnost','2026/12/09 00:00:00',12.5); ")
                     .arg(i);
    const QString sent = postgres.rewrite(batch);
    EXPECT_EQ(sent, batch);
    EXPECT_TRUE(sent.isSharedWith(batch));   // no copy of a long text

    // One literal with milliseconds after a colon, or one LIKE, at the very end is still found.
    const QString withTime = batch + QStringLiteral("UPDATE T SET D = '2026/12/09 10:20:30:5'; ");
    EXPECT_EQ(postgres.rewrite(withTime), batch + QStringLiteral("UPDATE T SET D = '2026/12/09 10:20:30.005'; "));
    const QString withLike = batch + QStringLiteral("DELETE FROM T WHERE A LIKE 'x%'; ");
    EXPECT_EQ(postgres.rewrite(withLike), batch + QStringLiteral("DELETE FROM T WHERE A ILIKE 'x%'; "));
}

// The parameter parser, character by character.
SqlParameterParser::Result referenceParse(const QString& sql)
{
    SqlParameterParser::Result r;
    const int n = int(sql.size());
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
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
            const int end = j < n ? j + 1 : n;
            r.text += QStringView(sql).mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char(':')) {
            int j = i + 1;
            while (j < n && SqlParameterParser::isNameChar(sql[j]))
                ++j;
            if (j == i + 1) {
                r.ok = false;
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

TEST(StatementText, ParametersAsBefore)
{
    QRandomGenerator random(7);
    for (int i = 0; i < 100000; ++i) {
        const QString sql = randomStatementText(random);
        const SqlParameterParser::Result expected = referenceParse(sql);
        const SqlParameterParser::Result r = SqlParameterParser::parse(sql);
        ASSERT_EQ(r.ok, expected.ok) << sql.toStdString();
        ASSERT_EQ(r.text, expected.text) << sql.toStdString();
        ASSERT_EQ(r.names, expected.names) << sql.toStdString();
    }
}

} // namespace
