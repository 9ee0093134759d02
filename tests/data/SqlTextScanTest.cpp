#include "data/odbc/SqlDialect.h"
#include "data/odbc/SqlParameterParser.h"
#include "data/odbc/SqlTextScan.h"

#include <gtest/gtest.h>

// A text called plain is sent as written: the parameter parser and the PostgreSQL rewrite would
// both leave it unchanged. Every text the parser or the rewrite changes is not plain.
TEST(SqlTextScan, PlainOnlyWhenNothingWouldChange)
{
    struct Case {
        const char* sql;
        bool plain;
    };
    const Case cases[] = {
        {"", true},
        {"INSERT INTO PrometPoz (Kljuc, Poz, Naziv) VALUES ('25G100012', 1, 'Čaj: zeleni'), ('25G100012', 2, "
         "'O''Brien ''like'' it'); UPDATE ObdracGlava SET DatZadFak = '2026/12/09 10:20:30' WHERE Kljuc = 'P1'; ",
         true},
        {"SELECT \"a:b\" FROM T WHERE x = 'it''s:' AND y = \"q\"\"uote:\"", true},
        {"SELECT 1 FROM T WHERE Naziv = 'unclosed :name like", true},
        {"SELECT Ident FROM MS WHERE Ident = :Ident", false},
        {"SELECT a FROM T WHERE b = ':x' AND c = :y", false},
        {"SELECT a FROM T WHERE b = 1:", false},
        {"SELECT a FROM T WHERE Naziv LIKE 'A%'", false},
        {"SELECT a FROM T WHERE Naziv like\t'A%'", false},
        {"SELECT Limit FROM Subjekt", false},
        {"SELECT Subjekt, LIMIT FROM Subjekt", false},
        {"SELECT Glavni FROM Subjekt", true},   // "l" alone starts no rewrite
        {"SELECT likely FROM T", false},         // may need the rewrite's own look
        {"UPDATE T SET D = '2003/05/17 10:20:30:250'", false},
        {"UPDATE T SET D = '2003/05/17 10:20:30:2'", false},
        {"UPDATE T SET D = '2003/05/17 10:20:30.250'", true},
        {"UPDATE T SET D = \"2003/05/17 10:20:30:250\"", true},
        {"UPDATE T SET N = '1234567890123456789:12'", false},   // the shape is the rewrite's to judge
    };
    const SqlDialect postgres(SqlDialect::Kind::PostgreSQL);
    for (const Case& c : cases) {
        const QString sql = QString::fromUtf8(c.sql);
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(sqlTextIsPlain(sql), c.plain);
        const SqlParameterParser::Result r = SqlParameterParser::parse(sql);
        const bool unchanged = r.ok && r.names.isEmpty() && r.text == sql && postgres.rewrite(sql) == sql;
        if (c.plain) {
            EXPECT_TRUE(unchanged);
        }
        if (!unchanged) {
            EXPECT_FALSE(c.plain);
        }
    }
}
