#include "data/odbc/SqlParameterParser.h"

#include <gtest/gtest.h>

namespace {
struct ParseCase {
    const char* sql;
    bool ok;
    const char* text;
    QStringList names;
};

class SqlParameterParserCases : public ::testing::TestWithParam<ParseCase> {};

TEST_P(SqlParameterParserCases, Parses)
{
    const ParseCase& c = GetParam();
    const auto r = SqlParameterParser::parse(QString::fromUtf8(c.sql));
    EXPECT_EQ(r.ok, c.ok) << c.sql;
    if (c.ok) {
        EXPECT_EQ(r.text, QString::fromUtf8(c.text)) << c.sql;
        EXPECT_EQ(r.names, c.names) << c.sql;
    } else {
        EXPECT_EQ(r.error, QString("Invalid parameter token in SQL statement."));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SqlParameterParserCases,
    ::testing::Values(
        ParseCase{"SELECT * FROM ObdracPoz WHERE Kljuc = :Kljuc ORDER BY Poz", true,
                  "SELECT * FROM ObdracPoz WHERE Kljuc = ? ORDER BY Poz", {"Kljuc"}},
        ParseCase{"SELECT 1", true, "SELECT 1", {}},
        ParseCase{"UPDATE T SET Ura = '10:20:30' WHERE K = :K", true, "UPDATE T SET Ura = '10:20:30' WHERE K = ?", {"K"}},
        ParseCase{"SELECT '2003/05/17 10:20:30:250'", true, "SELECT '2003/05/17 10:20:30:250'", {}},
        ParseCase{"SELECT 'O''Neil :x' WHERE a = :a", true, "SELECT 'O''Neil :x' WHERE a = ?", {"a"}},
        ParseCase{"SELECT \"Col:x\" FROM T", true, "SELECT \"Col:x\" FROM T", {}},
        ParseCase{"INSERT INTO T VALUES (:a,:b_1,:@c,:Č1)", true, "INSERT INTO T VALUES (?,?,?,?)", {"a", "b_1", "@c", "Č1"}},
        ParseCase{"WHERE a = :x OR b = :X", true, "WHERE a = ? OR b = ?", {"x", "X"}},
        ParseCase{"SELECT ':' || :p", true, "SELECT ':' || ?", {"p"}},
        ParseCase{"SELECT 'unclosed :x", true, "SELECT 'unclosed :x", {}},
        ParseCase{"SELECT '''' , :p", true, "SELECT '''' , ?", {"p"}},
        ParseCase{"WHERE a = :", false, "", {}},
        ParseCase{"WHERE a = : b", false, "", {}},
        ParseCase{"SELECT a::int", false, "", {}},
        ParseCase{"WHERE a = :-1", false, "", {}}));
} // namespace

TEST(SqlParameterParser, DistinctNamesIgnoreCase)
{
    EXPECT_EQ(SqlParameterParser::distinctNames({"Kljuc", "POZ", "kljuc"}), QStringList({"Kljuc", "POZ"}));
}
