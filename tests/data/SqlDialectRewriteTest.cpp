#include "DataModuleFixture.h"

#include "data/odbc/SqlDialect.h"
#include "data/odbc/THstmt.h"

// The PostgreSQL rewrites outside quotes: LIKE compares without regard to case, and the column
// Limit of Subjekt (a reserved word there) is quoted.

namespace {
struct RewriteCase {
    const char* sql;
    const char* postgres;
};

class UnquotedRewrites : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(UnquotedRewrites, OnlyOnPostgres)
{
    const RewriteCase& c = GetParam();
    EXPECT_EQ(SqlDialect(SqlDialect::Kind::PostgreSQL).rewrite(QString::fromUtf8(c.sql)), QString::fromUtf8(c.postgres));
    EXPECT_EQ(SqlDialect(SqlDialect::Kind::SqlServer).rewrite(QString::fromUtf8(c.sql)), QString::fromUtf8(c.sql));
    EXPECT_EQ(SqlDialect(SqlDialect::Kind::Other).rewrite(QString::fromUtf8(c.sql)), QString::fromUtf8(c.sql));
}

INSTANTIATE_TEST_SUITE_P(
    Like, UnquotedRewrites,
    ::testing::Values(
        RewriteCase{"SELECT * FROM MS WHERE Ident LIKE 'a%' ORDER BY Ident", "SELECT * FROM MS WHERE Ident ILIKE 'a%' ORDER BY Ident"},
        RewriteCase{"WHERE A like 'x' AND B Like 'y'", "WHERE A ILIKE 'x' AND B ILIKE 'y'"},
        RewriteCase{"WHERE A NOT LIKE 'x'", "WHERE A NOT ILIKE 'x'"},
        RewriteCase{"WHERE (F LIKE 'AB%%')", "WHERE (F ILIKE 'AB%%')"},
        RewriteCase{"WHERE A\tLIKE\n'x'", "WHERE A\tILIKE\n'x'"},
        // inside quotes, in other words, or without blanks around it: unchanged
        RewriteCase{"WHERE Naziv = ' LIKE ' AND Opis = 'it''s LIKE this'", "WHERE Naziv = ' LIKE ' AND Opis = 'it''s LIKE this'"},
        RewriteCase{"SELECT \"a LIKE b\" FROM T", "SELECT \"a LIKE b\" FROM T"},
        RewriteCase{"SELECT LIKED, UNLIKE FROM T WHERE X ILIKE 'a'", "SELECT LIKED, UNLIKE FROM T WHERE X ILIKE 'a'"},
        RewriteCase{"WHERE A LIKE'x'", "WHERE A LIKE'x'"},
        RewriteCase{"WHERE D LIKE '2003/05/17 10:20:30:250'", "WHERE D ILIKE '2003/05/17 10:20:30.250'"}));

INSTANTIATE_TEST_SUITE_P(
    Limit, UnquotedRewrites,
    ::testing::Values(
        RewriteCase{"SELECT Banka, Limit, Naziv FROM Subjekt", "SELECT Banka, \"limit\", Naziv FROM Subjekt"},
        RewriteCase{"SELECT Limit FROM Subjekt", "SELECT \"limit\" FROM Subjekt"},
        RewriteCase{"SELECT KM,LIMIT,MaticnaStev FROM Subjekt", "SELECT KM,\"limit\",MaticnaStev FROM Subjekt"},
        RewriteCase{"SELECT A, limit\nFROM Subjekt", "SELECT A, \"limit\"\nFROM Subjekt"},
        RewriteCase{"select Limit, Limit from Subjekt", "select \"limit\", \"limit\" from Subjekt"},
        // not a bare column of a select list: unchanged
        RewriteCase{"SELECT * FROM Subjekt LIMIT 5", "SELECT * FROM Subjekt LIMIT 5"},
        RewriteCase{"SELECT A FROM Subjekt WHERE Limit > 0", "SELECT A FROM Subjekt WHERE Limit > 0"},
        RewriteCase{"SELECT S.Limit FROM Subjekt S", "SELECT S.Limit FROM Subjekt S"},
        RewriteCase{"SELECT Limits, DobLimit FROM Subjekt", "SELECT Limits, DobLimit FROM Subjekt"},
        RewriteCase{"SELECT A, \"limit\" FROM Subjekt", "SELECT A, \"limit\" FROM Subjekt"},
        RewriteCase{"SELECT 'x, Limit, y' FROM Subjekt", "SELECT 'x, Limit, y' FROM Subjekt"},
        RewriteCase{"SELECT Limit AS L FROM Subjekt", "SELECT Limit AS L FROM Subjekt"}));

class DialectOnTheServer : public DataModuleTest {
protected:
    static void SetUpTestSuite() { startSuite("builders_dialect"); }
    static void TearDownTestSuite() { endSuite(); }
};
} // namespace

TEST_F(DialectOnTheServer, LikeIgnoresCaseAndTheLimitColumnReads)
{
    sql("DELETE FROM Subjekt; INSERT INTO Subjekt (Naziv, \"limit\", DobLimit) VALUES ('Čebelar Žan', 1500.5, 3);");
    THstmt& q = module->qQueryFind;
    q.setSQL("SELECT Naziv, Limit, DobLimit FROM Subjekt WHERE Naziv LIKE 'čEBELAR%'");
    q.Execute();
    ASSERT_TRUE(q.FetchNext());
    EXPECT_EQ(q.ColumnAsString(1), QString("Čebelar Žan"));
    EXPECT_DOUBLE_EQ(q.ColumnAsFloat(2), 1500.5);
    EXPECT_DOUBLE_EQ(q.ColumnAsFloat(3), 3);
    q.Close();
}
