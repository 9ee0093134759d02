#include "DataTestSupport.h"
#include "data/odbc/EODBC.h"
#include "data/odbc/OdbcHandle.h"

#include <gtest/gtest.h>
#include <sqlext.h>

TEST(EODBC, CurrentRecordStepsThroughTheRecords)
{
    EODBC e({{"42P01", 7, "first"}, {"01000", 0, "second"}, {"HY000", -1, "third"}});
    EXPECT_STREQ(e.what(), "first");
    EXPECT_EQ(e.currentIndex(), 0);
    EXPECT_FALSE(e.hasPrior());
    EXPECT_TRUE(e.hasNext());
    e.next();
    EXPECT_STREQ(e.what(), "second");
    EXPECT_EQ(e.sqlState(), QString("01000"));
    e.next();
    EXPECT_FALSE(e.hasNext());
    EXPECT_EQ(e.nativeError(), -1);
    e.next();   // stays on the last
    EXPECT_EQ(e.currentIndex(), 2);
    e.setCurrentIndex(-5);
    EXPECT_EQ(e.message(), QString("first"));
    EXPECT_EQ(e.sqlStateClass(), QString("42"));
    EXPECT_TRUE(e.hasSqlState("HY000"));
    EXPECT_TRUE(e.hasSqlState("01"));
    EXPECT_FALSE(e.hasSqlState("23"));
}

TEST(EODBC, MessagesOfTheLayerItself)
{
    EXPECT_EQ(EODBC({}).message(), QString("Unable to Retrieve ODBC Error"));

    auto messageOf = [](auto call) -> QString {
        try {
            call();
        } catch (const EODBC& e) {
            EXPECT_EQ(e.recordCount(), 1);
            EXPECT_EQ(e.sqlState(), QString());
            EXPECT_EQ(e.nativeError(), 0);
            return e.message();
        }
        return "no exception";
    };
    EXPECT_EQ(messageOf([] { checkOdbc(SQL_INVALID_HANDLE, SQL_HANDLE_STMT, nullptr); }), QString("Invalid ODBC Handle"));
    EXPECT_EQ(messageOf([] { checkOdbc(SQL_NO_DATA, SQL_HANDLE_STMT, nullptr); }), QString("No Data Found"));
    EXPECT_EQ(checkOdbc(SQL_NO_DATA, SQL_HANDLE_STMT, nullptr, OdbcAllow::NoData), SQL_NO_DATA);
    EXPECT_EQ(checkOdbc(SQL_NEED_DATA, SQL_HANDLE_STMT, nullptr, OdbcAllow::NeedData), SQL_NEED_DATA);
    EXPECT_EQ(checkOdbc(SQL_SUCCESS_WITH_INFO, SQL_HANDLE_STMT, nullptr), SQL_SUCCESS_WITH_INFO);

    // A real handle without diagnostics: an unexpected return code is named, an error is not.
    auto env = OdbcEnvironment::instance();
    EXPECT_EQ(messageOf([&] { checkOdbc(SQL_STILL_EXECUTING, SQL_HANDLE_ENV, env->handle()); }),
              QString("ODBC Return Code 2"));
    EXPECT_EQ(messageOf([&] { checkOdbc(SQL_NEED_DATA, SQL_HANDLE_ENV, env->handle()); }),
              QString("ODBC Return Code 99"));
    EXPECT_EQ(messageOf([&] { checkOdbc(SQL_ERROR, SQL_HANDLE_ENV, env->handle()); }),
              QString("Unable to Retrieve ODBC Error"));
}

TEST(EODBC, DriverDiagnosticsAreReadOnceEachAndInOrder)
{
    // The FreeTDS driver reports a failed connect with two records; every record arrives once,
    // in order, and the reading ends cleanly (no "Unable to Retrieve" record added).
    THdbc db;
    db.setDriver("FreeTDS");
    db.setUserName("sa");
    db.setPassword("x");
    db.setAttributes({"SERVER=127.0.0.1", "PORT=1", "DATABASE=none", "TDS_Version=7.3"});
    try {
        db.setConnected(true);
        FAIL() << "connected to a closed port";
    } catch (const EODBC& e) {
        ASSERT_GE(e.recordCount(), 2) << e.fullText().toStdString();
        EXPECT_EQ(e.currentIndex(), 0);
        EXPECT_EQ(e.sqlStateClass(), QString("08"));
        for (const auto& r : e.records()) {
            EXPECT_EQ(r.sqlState.size(), 5);
            EXPECT_NE(r.message, EODBC::UnableToRetrieve);
        }
        EXPECT_NE(e.records()[0].message, e.records()[1].message);
    }
    EXPECT_FALSE(db.Connected());
}

TEST(EODBC, DataSourceNotFoundIsTheDriverManagersRecord)
{
    THdbc db;
    db.setDataSource("NOSUCHDSN");
    try {
        db.setConnected(true);
        FAIL();
    } catch (const EODBC& e) {
        EXPECT_EQ(e.sqlState(), QString("IM002"));
        EXPECT_EQ(e.recordCount(), 1);
    }
}
