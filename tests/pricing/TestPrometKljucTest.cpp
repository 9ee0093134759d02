#include "ErrorLogRows.h"
#include "TestDatabase.h"

#include "data/DataSif.h"
#include "data/log/ErrorLog.h"
#include "data/local/LocalTable.h"
#include "data/log/MessageBoxes.h"
#include "data/core/ProgramState.h"
#include "data/SqlFilter.h"
#include "data/TableRoutines.h"
#include "data/dataset/TwwOEDataSet.h"
#include "pricing/TestPrometKljuc.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

#include <memory>

namespace {
// Operation and SQL of every row of the error log in the current data folder.
QStringList logLines()
{
    return errorLogLines([](LocalTable& t) {
        return t.asString("Operation") + " | " + t.asString("SenderProp").section("SQL -->", 1).trimmed();
    });
}

class PrometKljuc : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        db = new TestDatabase("builders_prometkljuc");
        db->psql("SET ROLE obdrac; TRUNCATE Obdrac;"
                 "INSERT INTO Obdrac (Kljuc, PoslDog, Subjekt) VALUES "
                 "('031000001', '10', 'A'), ('031000002', '10', 'B'), ('031000003', '10', 'C'),"
                 "('031100001', '11', 'D'), ('031100002', '11', 'E'), ('041000001', '10', 'F');");
    }
    static void TearDownTestSuite()
    {
        delete db;
        db = nullptr;
    }
    void SetUp() override
    {
        qputenv("OBDRAC_DATA_DIR", m_dir.file("data").toUtf8());
        SqlTraceOn = false;
        module = std::make_unique<TDataSif>();
        DataSif = module.get();
        module->connectWithAttributes(db->connectString().split(';', Qt::SkipEmptyParts));
        tb.setName("tbObdrac");
        tb.setDatabaseName("Database");
        tb.sethDbc(&module->Database);
        tb.setSQL(QStringList{"SELECT * FROM Obdrac ORDER BY Kljuc"});
        sqlFilter(tb, "POSLDOG = '10'", "Kljuc");
        ASSERT_TRUE(tb.Active());
        ASSERT_EQ(key(), QString("031000001"));
    }
    void TearDown() override
    {
        tb.Close();
        module.reset();
        DataSif = nullptr;
        SqlTraceOn = false;
        qunsetenv("OBDRAC_DATA_DIR");
    }
    QString key() const { return tb.FieldByName("KLJUC").asString(); }

    static TestDatabase* db;
    ScratchDir m_dir;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TDataSif> module;
    TwwOEDataSet tb;
};
TestDatabase* PrometKljuc::db = nullptr;
} // namespace

TEST_F(PrometKljuc, EmptyOrCurrentKeyNeedsNoQuery)
{
    QSignalSpy opened(&tb, &TwwOEDataSet::opened);
    EXPECT_TRUE(TestPrometKljuc(tb, ""));
    EXPECT_TRUE(TestPrometKljuc(tb, "031000001"));
    EXPECT_EQ(opened.count(), 0);
    EXPECT_EQ(key(), QString("031000001"));
}

TEST_F(PrometKljuc, KeyOfTheSameBusinessEventIsSearchedWithoutFiltering)
{
    SqlTraceOn = true;
    EXPECT_TRUE(TestPrometKljuc(tb, "031000003"));
    EXPECT_EQ(key(), QString("031000003"));
    const QStringList log = logLines();
    EXPECT_FALSE(log.join('\n').contains("sqlFilterNoOpen")) << log.join('\n').toStdString();
    EXPECT_TRUE(log.contains("sqlFindKey | SELECT * FROM OBDRAC WHERE Kljuc = '031000003'")) << log.join('\n').toStdString();
}

TEST_F(PrometKljuc, KeyOfAnotherBusinessEventFirstFiltersToIt)
{
    SqlTraceOn = true;
    EXPECT_TRUE(TestPrometKljuc(tb, "031100002"));
    EXPECT_EQ(key(), QString("031100002"));
    const QStringList log = logLines();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log[0], QString("sqlFilterNoOpen | SELECT * FROM OBDRAC WHERE POSLDOG = '11'"));
    EXPECT_TRUE(boxes.shown().empty());

    // another year of the first business event
    EXPECT_TRUE(TestPrometKljuc(tb, "041000001"));
    EXPECT_EQ(key(), QString("041000001"));
    EXPECT_TRUE(logLines().contains("sqlFilterNoOpen | SELECT * FROM OBDRAC WHERE POSLDOG = '10'"));
}

TEST_F(PrometKljuc, MissingKeyIsNotFound)
{
    EXPECT_FALSE(TestPrometKljuc(tb, "031000099"));
    EXPECT_FALSE(TestPrometKljuc(tb, "05'; DELETE FROM Obdrac; --"));
    EXPECT_EQ(db->psql("SELECT COUNT(*) FROM Obdrac"), QString("6"));
    EXPECT_TRUE(TestPrometKljuc(tb, "031000002"));   // and found again afterwards
    EXPECT_EQ(key(), QString("031000002"));
}

TEST_F(PrometKljuc, ClosedDataSetIsOpenedOnTheKey)
{
    tb.Close();
    EXPECT_TRUE(TestPrometKljuc(tb, "031100001"));
    EXPECT_TRUE(tb.Active());
    EXPECT_EQ(key(), QString("031100001"));
}

TEST_F(PrometKljuc, DataSetThatCannotOpenGivesFalse)
{
    tb.setSQL(QStringList{"SELECT * FROM NiObdrac"});
    EXPECT_FALSE(TestPrometKljuc(tb, "031100001"));
    EXPECT_FALSE(tb.Active());
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_FALSE(logLines().isEmpty());
}
