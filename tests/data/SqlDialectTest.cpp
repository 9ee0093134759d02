#include "data/odbc/EODBC.h"
#include "data/odbc/SqlDialect.h"

#include <gtest/gtest.h>

namespace {
struct DialectCase {
    const char* sql;
    const char* postgres;   // expected text for PostgreSQL
};

class SqlDialectCases : public ::testing::TestWithParam<DialectCase> {};

TEST_P(SqlDialectCases, RewritesOnlyThePostgresDateTimeLiterals)
{
    const DialectCase& c = GetParam();
    EXPECT_EQ(SqlDialect(SqlDialect::Kind::PostgreSQL).rewrite(QString::fromUtf8(c.sql)), QString::fromUtf8(c.postgres));
    EXPECT_EQ(SqlDialect(SqlDialect::Kind::SqlServer).rewrite(QString::fromUtf8(c.sql)), QString::fromUtf8(c.sql));
}

INSTANTIATE_TEST_SUITE_P(
    Table, SqlDialectCases,
    ::testing::Values(
        DialectCase{"WHERE D = '2003/05/17 10:20:30:250'", "WHERE D = '2003/05/17 10:20:30.250'"},
        DialectCase{"WHERE D = '2003/05/17 12:30:05:7'", "WHERE D = '2003/05/17 12:30:05.007'"},
        DialectCase{"WHERE D = '2003/05/17 12:30:05:70'", "WHERE D = '2003/05/17 12:30:05.070'"},
        DialectCase{"VALUES('2003/05/17 10:20:30:1', '2004/01/02 03:04:05:999')",
                    "VALUES('2003/05/17 10:20:30.001', '2004/01/02 03:04:05.999')"},
        // other shapes stay as they are
        DialectCase{"WHERE D = '2003/05/17 10:20:30'", "WHERE D = '2003/05/17 10:20:30'"},
        DialectCase{"WHERE D = '2003/05/17'", "WHERE D = '2003/05/17'"},
        DialectCase{"WHERE D = '2003/05/17 10:20:30:2500'", "WHERE D = '2003/05/17 10:20:30:2500'"},
        DialectCase{"WHERE D = '2003-05-17 10:20:30:250'", "WHERE D = '2003-05-17 10:20:30:250'"},
        DialectCase{"WHERE D = '2003/5/17 10:20:30:250'", "WHERE D = '2003/5/17 10:20:30:250'"},
        DialectCase{"WHERE T = ' 2003/05/17 10:20:30:250'", "WHERE T = ' 2003/05/17 10:20:30:250'"},
        DialectCase{"WHERE T = 'x2003/05/17 10:20:30:250'", "WHERE T = 'x2003/05/17 10:20:30:250'"},
        DialectCase{"WHERE T = 'O''Neil 2003/05/17 10:20:30:250'", "WHERE T = 'O''Neil 2003/05/17 10:20:30:250'"},
        DialectCase{"SELECT 2003/05/17 10:20:30:250", "SELECT 2003/05/17 10:20:30:250"},
        DialectCase{"SELECT \"2003/05/17 10:20:30:250\"", "SELECT \"2003/05/17 10:20:30:250\""},
        DialectCase{"SELECT 'Čas 10:20:30:250'", "SELECT 'Čas 10:20:30:250'"},
        DialectCase{"SELECT '2003/05/17 10:20:30:250", "SELECT '2003/05/17 10:20:30:250"}));
} // namespace

TEST(SqlDialect, ChosenFromTheDbmsName)
{
    EXPECT_EQ(SqlDialect::fromDbmsName("PostgreSQL").kind(), SqlDialect::Kind::PostgreSQL);
    EXPECT_EQ(SqlDialect::fromDbmsName("Microsoft SQL Server").kind(), SqlDialect::Kind::SqlServer);
    EXPECT_EQ(SqlDialect::fromDbmsName("SQLite").kind(), SqlDialect::Kind::Other);
    EXPECT_EQ(SqlDialect(SqlDialect::Kind::Other).rewrite("'2003/05/17 10:20:30:250'"), QString("'2003/05/17 10:20:30:250'"));
}

TEST(SqlDialect, LoginFailureOfPostgresDriverReportedAsAuthorizationClass)
{
    EODBC e({{"08001", 101, "connection to server failed: FATAL:  password authentication failed for user \"x\""},
             {"08001", 101, "could not connect to server: Connection refused"}});
    SqlDialect::normalizeConnectError(e);
    EXPECT_EQ(e.records()[0].sqlState, QString("28000"));
    EXPECT_EQ(e.records()[1].sqlState, QString("08001"));
    EXPECT_EQ(e.sqlStateClass(), QString("28"));
}
