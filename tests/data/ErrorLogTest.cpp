#include "ScopedEnv.h"
#include "TestDatabase.h"

#include "data/core/EAbort.h"
#include "data/log/ErrorLog.h"
#include "data/core/Exception.h"
#include "data/log/Guard.h"
#include "data/local/LocalTable.h"
#include "data/log/MessageBoxes.h"
#include "data/core/ProgramState.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QObject>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
// A statement as the database layer describes itself to the log.
class FakeStatement : public LogDescribable {
public:
    QString connection;
    QString sql;
    QString logClassName() const override { return "THstmt"; }
    QString logObjectName() const override { return "qQueryFind"; }
    QString logSenderProp() const override { return senderPropForStatement(connection, sql); }
};

// A dataset that is also a QObject.
class FakeDataSet : public QObject, public LogDescribable {
public:
    QString logClassName() const override { return "TwwOEDataSet"; }
    QString logObjectName() const override { return "tbParameter"; }
    QString logSenderProp() const override
    {
        return senderPropForDataset("Database", "", "Database", {"SELECT *", "FROM Param"});
    }
};

class ThrowingDescribable : public LogDescribable {
public:
    QString logClassName() const override { return "TBroken"; }
    QString logObjectName() const override { throw std::runtime_error("no name"); }
    QString logSenderProp() const override { throw std::runtime_error("no details"); }
};

struct DatabaseFailure : std::runtime_error {
    DatabaseFailure() : std::runtime_error("connection lost") {}
};

// A failure whose details only a registered describer knows.
struct TaggedFailure : std::runtime_error {
    TaggedFailure() : std::runtime_error("connection lost") {}
    QString state = "08S01";
};

struct LogRow {
    QDateTime cas;
    QString formName, controlName, senderName, objectName, operation, exceptObject, error, senderProp;
    qint64 buildNo = 0, tickCount = 0;
};

std::vector<LogRow> logRows()
{
    std::vector<LogRow> rows;
    if (!LocalTable::fileExists(ErrorLogTable))
        return rows;
    LocalTable t(QString(), ErrorLogTable);
    t.open();
    for (bool ok = t.first(); ok; ok = t.next()) {
        LogRow r;
        r.cas = t.asDateTime("Cas");
        r.formName = t.asString("FormName");
        r.controlName = t.asString("ControlName");
        r.senderName = t.asString("SenderName");
        r.objectName = t.asString("ObjectName");
        r.operation = t.asString("Operation");
        r.exceptObject = t.asString("ExceptObject");
        r.buildNo = t.asInteger("BuildNo");
        r.tickCount = t.asInteger("TickCount");
        r.error = t.asString("Error");
        r.senderProp = t.asString("SenderProp");
        rows.push_back(r);
    }
    return rows;
}
} // namespace

class ErrorLogTest : public ::testing::Test {
protected:
    ErrorLogTest() : m_data("OBDRAC_DATA_DIR", m_dir.file("data")) {}
    void SetUp() override
    {
        m_oldBuild = ProgramBuildNo;
        ProgramBuildNo = "123";
        SqlTraceOn = false;
    }
    void TearDown() override
    {
        ProgramBuildNo = m_oldBuild;
        SqlTraceOn = false;
        setErrorLogUiHooks({});
    }
    QString logFile() const { return m_dir.file("data/VektorError.db"); }

    ScratchDir m_dir;
    ScopedEnv m_data;
    QString m_oldBuild;
};

TEST_F(ErrorLogTest, RowHasEveryField)
{
    setErrorLogUiHooks({[](QString& form, QString& control) {
                            form = "TMain";
                            control = "fkDatum";
                        },
                        {}});
    FakeStatement st;
    st.connection = "Database";
    st.sql = "SELECT MAX(Kljuc) AS MaxValue FROM Promet";
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    LogException(DatabaseFailure(), &st, "GetMaxValueInTable-Kljuc-Promet-Kljuc LIKE '0410%'");

    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 1u);
    const LogRow& r = rows[0];
    EXPECT_GE(r.cas, before);
    EXPECT_LE(r.cas, QDateTime::currentDateTime().addSecs(1));
    EXPECT_EQ(r.formName, QString("TMain"));
    EXPECT_EQ(r.controlName, QString("fkDatum"));
    EXPECT_EQ(r.senderName, QString("THstmt"));
    EXPECT_EQ(r.objectName, QString("qQueryFind"));
    EXPECT_EQ(r.operation, QString("GetMaxValueInTable-Kljuc-Prome"));   // cut to 30
    EXPECT_EQ(r.exceptObject, QString("DatabaseFailure"));
    EXPECT_EQ(r.buildNo, 123);
    EXPECT_NE(r.tickCount, 0);
    EXPECT_EQ(r.error, QString("connection lost"));
    EXPECT_EQ(r.senderProp, QString("hDbc --> Database\r\nSQL --> SELECT MAX(Kljuc) AS MaxValue FROM Promet\r\n"));
}

TEST_F(ErrorLogTest, SenderKinds)
{
    FakeDataSet dataset;
    QObject plain;
    plain.setObjectName("bKreiranje");
    FakeStatement noConnection;
    noConnection.sql = "SELECT 1";
    const std::runtime_error e("x");

    LogException(e, &dataset, "OpenTable-tbParameter");
    LogException(e, static_cast<QObject*>(&dataset), "AsQObject");
    LogException(e, &plain, "bKreiranjeClick");
    LogException(e, &noConnection, "HstmtExecute-qQueryFind");
    LogException(e, nullptr, "FormCreate");
    LogException(e, "tbObdrac", "ByName");

    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].senderName, QString("TwwOEDataSet"));
    EXPECT_EQ(rows[0].objectName, QString("tbParameter"));
    EXPECT_EQ(rows[0].senderProp,
              QString("DatabaseName --> Database\r\nTableName --> \r\nhDbc --> Database\r\nSQL --> SELECT * FROM Param\r\n"));
    EXPECT_EQ(rows[1].senderName, QString("TwwOEDataSet"));   // found through the QObject too
    EXPECT_EQ(rows[2].senderName, QString("QObject"));
    EXPECT_EQ(rows[2].objectName, QString("bKreiranje"));
    EXPECT_EQ(rows[2].senderProp, QString());                 // not a data component
    EXPECT_EQ(rows[3].senderProp, QString("hDbc --> \r\nSQL --> SELECT 1\r\n"));
    EXPECT_EQ(rows[4].senderName, QString("TApplication"));
    EXPECT_EQ(rows[4].objectName, QCoreApplication::applicationName());
    EXPECT_EQ(rows[5].senderName, QString());
    EXPECT_EQ(rows[5].objectName, QString("tbObdrac"));
    EXPECT_EQ(rows[5].exceptObject, QString("std::runtime_error"));
}

TEST_F(ErrorLogTest, FailingSenderStillGivesARow)
{
    ThrowingDescribable broken;
    LogException(std::runtime_error("x"), &broken, "Op");
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].senderName, QString("TBroken"));
    EXPECT_EQ(rows[0].objectName, QString());
    EXPECT_EQ(rows[0].operation, QString("Op"));
    EXPECT_EQ(rows[0].error, QString("x"));
    EXPECT_EQ(rows[0].senderProp, QString());
}

TEST_F(ErrorLogTest, LongTextsAreCutToTheirFields)
{
    const QString longName(150, u'n');
    LogException(std::runtime_error(std::string(400, 'e')), QString(longName), QString(40, u'o'));
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].objectName.size(), 100);
    EXPECT_EQ(rows[0].operation.size(), 30);
    EXPECT_EQ(rows[0].error.size(), 255);
}

TEST_F(ErrorLogTest, AbortsAreNeverLogged)
{
    LogException(EAbort(), nullptr, "Op");
    try {
        throw EAbort();
    } catch (...) {
        LogCurrentException(nullptr, "Op");
    }
    EXPECT_TRUE(logRows().empty());
}

TEST_F(ErrorLogTest, TraceRowsOnlyWithTraceOn)
{
    FakeStatement st;
    st.connection = "Database";
    st.sql = "UPDATE Obdrac SET DatZadFak = '2004/01/31' WHERE Kljuc = '041000001'";
    LogTrace(&st, "HstmtExecute");
    EXPECT_TRUE(logRows().empty());
    SqlTraceOn = true;
    LogTrace(&st, "sqlUpdateSQL-Trace-tbObdrac");
    LogException(nullptr, nullptr, "OpenTable");
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].operation, QString("sqlUpdateSQL-Trace-tbObdrac"));
    EXPECT_EQ(rows[0].exceptObject, QString());
    EXPECT_EQ(rows[0].error, QString());
    EXPECT_TRUE(rows[0].senderProp.contains("UPDATE Obdrac"));
    EXPECT_EQ(rows[1].senderName, QString("TApplication"));
}

TEST_F(ErrorLogTest, LogIsRecreatedAfterDeletingOrDamagingIt)
{
    LogException(std::runtime_error("ena"), nullptr, "A");
    ASSERT_TRUE(QFile::exists(logFile()));
    ASSERT_TRUE(QFile::remove(logFile()));
    LogException(std::runtime_error("dve"), nullptr, "B");
    auto rows = logRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].error, QString("dve"));

    writeFile(logFile(), "to ni tabela, samo smeti v datoteki ......................................................");
    LogException(std::runtime_error("tri"), nullptr, "C");
    rows = logRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].error, QString("tri"));

    // A table of another structure in its place is replaced as well.
    {
        LocalTable other(QString(), ErrorLogTable);
        other.addField("Nekaj", LocalFieldType::Integer);
        other.createTable();
    }
    LogException(std::runtime_error("štiri"), nullptr, "D");
    rows = logRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].error, QString("štiri"));
}

TEST_F(ErrorLogTest, LogHeldByAnotherProgramIsNotWipedAndCallerGoesOn)
{
    LogException(std::runtime_error("prva"), nullptr, "A");
    {
        LocalTable holder(QString(), ErrorLogTable);
        holder.open(LocalTable::OpenMode::Exclusive);
        LogException(std::runtime_error("izgubljena"), nullptr, "B");   // lost, no failure
    }
    LogException(std::runtime_error("tretja"), nullptr, "C");
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].error, QString("prva"));
    EXPECT_EQ(rows[1].error, QString("tretja"));
}

TEST_F(ErrorLogTest, UnwritableLogIsSwallowed)
{
    LogException(std::runtime_error("prej"), nullptr, "A");
    {
        // The data folder is a file: nothing can be created, the caller notices nothing, and
        // neither the file in the way nor the log of the real data folder is touched.
        ScopedEnv data("OBDRAC_DATA_DIR", m_dir.file("file"));
        writeFile(m_dir.file("file"), "x");
        EXPECT_NO_THROW(LogException(std::runtime_error("izgubljena"), nullptr, "B"));
        QFile file(m_dir.file("file"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("x"));
    }
    // Once the folder is usable again, logging goes on where it was.
    LogException(std::runtime_error("potem"), nullptr, "D");
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].error, QString("prej"));
    EXPECT_EQ(rows[1].error, QString("potem"));
}

TEST_F(ErrorLogTest, ExceptionDescribersAddDetails)
{
    registerExceptionDescriber([](const std::exception& e, ExceptionDescription& d) {
        const auto* f = dynamic_cast<const TaggedFailure*>(&e);
        if (!f)
            return false;
        d.className = "EODBC";
        d.message = f->state + ": " + QString::fromUtf8(e.what());
        return true;
    });
    LogException(TaggedFailure(), nullptr, "A");
    LogException(std::logic_error("l"), nullptr, "B");
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].exceptObject, QString("EODBC"));
    EXPECT_EQ(rows[0].error, QString("08S01: connection lost"));
    EXPECT_EQ(rows[1].exceptObject, QString("std::logic_error"));
}

TEST_F(ErrorLogTest, GuardLogsAndReturnsTheFallback)
{
    QObject sender;
    sender.setObjectName("tbObdrac");
    int ran = 0;
    guard("TableRefresh", &sender, [&] { ++ran; });
    EXPECT_EQ(guard("GetQueryRecordCount", &sender, 0, [&] { return 7; }), 7);
    EXPECT_EQ(guard("GetQueryRecordCount", &sender, 0, [&]() -> int { throw std::runtime_error("napaka"); }), 0);
    guard("TableRefresh", &sender, [&] { throw 42; });   // not even a std::exception
    EXPECT_EQ(guard("Abort", &sender, QString("fallback"), [&]() -> QString { throw EAbort(); }), QString("fallback"));
    EXPECT_EQ(ran, 1);

    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].operation, QString("GetQueryRecordCount"));
    EXPECT_EQ(rows[0].objectName, QString("tbObdrac"));
    EXPECT_EQ(rows[0].error, QString("napaka"));
    EXPECT_EQ(rows[1].operation, QString("TableRefresh"));
    EXPECT_EQ(rows[1].error, QString("Neznana napaka"));
}

TEST_F(ErrorLogTest, GuardVariantsForAbortAndRaise)
{
    EXPECT_THROW(guardPassAbort("BeforePost", nullptr, [] { throw EAbort(); }), EAbort);
    guardPassAbort("BeforePost", nullptr, [] { throw std::runtime_error("x"); });   // logged, swallowed

    EXPECT_EQ(guardAndRaise("NovaStevGlavC-Promet", nullptr, [] { return QString("041000001"); }), QString("041000001"));
    try {
        guardAndRaise("NovaStevGlavC-Promet", nullptr, []() -> QString { throw DatabaseFailure(); });
        FAIL();
    } catch (const DatabaseFailure&) {
        FAIL() << "raised again as the original type";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QString("connection lost"));
    }
    EXPECT_THROW(guardAndRaise("TestStevGlavKljuc", nullptr, [] { throw EAbort(); }), EAbort);

    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 2u);   // the aborts are not logged
    EXPECT_EQ(rows[0].operation, QString("BeforePost"));
    EXPECT_EQ(rows[1].operation, QString("NovaStevGlavC-Promet"));
}

TEST_F(ErrorLogTest, RaiseSameMessageAndLogAndRaise)
{
    EXPECT_THROW(RaiseSameMessage(EAbort()), EAbort);
    try {
        RaiseSameMessage(std::invalid_argument("Napačen ključ"));
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QString("Napačen ključ"));
    }
    try {
        LogAndRaise(std::runtime_error("ponovno"), "qQueryFind", "GetMaxValueInTable");
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QString("ponovno"));
    }
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].objectName, QString("qQueryFind"));
}

TEST_F(ErrorLogTest, ShowAndLogErrorShowsThenLogs)
{
    ScriptedMessageBoxes boxes;
    bool cursorReset = false;
    setErrorLogUiHooks({{}, [&] { cursorReset = true; }});
    ShowAndLogError(std::runtime_error("Povezava ni uspela"), nullptr, "DataSifCreate-Connect",
                    "Napaka v nastavitvi poti do podatkov (Database) !");
    EXPECT_TRUE(cursorReset);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Error);
    EXPECT_EQ(boxes.shown()[0].text, QString("Napaka v nastavitvi poti do podatkov (Database) !\r\nPovezava ni uspela"));
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].operation, QString("DataSifCreate-Connect"));
}
