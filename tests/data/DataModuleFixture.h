#pragma once
// A fixture for the tests of the data module, the table routines and the SQL builders: a fresh
// company database per test suite, and per test a private data folder (error log, local tables),
// scripted message boxes, the run-time values reset, and the data module connected to the
// suite's database.
#include "ErrorLogRows.h"
#include "ScopedEnv.h"
#include "TestDatabase.h"

#include "data/DataSif.h"
#include "data/log/ErrorLog.h"
#include "data/local/LocalTable.h"
#include "data/log/MessageBoxes.h"
#include "data/core/ProgramState.h"
#include "data/TableIndexList.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

struct LogEntry {
    QString senderName, objectName, operation, exceptObject, error, senderProp;
};

// Every row of the error log in the current data folder, oldest first.
inline std::vector<LogEntry> errorLogEntries()
{
    std::vector<LogEntry> rows;
    forEachErrorLogRow([&](LocalTable& t) {
        rows.push_back({t.asString("SenderName"), t.asString("ObjectName"), t.asString("Operation"),
                        t.asString("ExceptObject"), t.asString("Error"), t.asString("SenderProp")});
    });
    return rows;
}

class DataModuleTest : public ::testing::Test {
protected:
    // Called by the SetUpTestSuite / TearDownTestSuite of each suite.
    static void startSuite(const QString& name) { s_db = new TestDatabase(name); }
    static void endSuite()
    {
        delete s_db;
        s_db = nullptr;
    }

    DataModuleTest() : m_data("OBDRAC_DATA_DIR", m_dir.file("data")) {}

    void SetUp() override
    {
        SqlTraceOn = false;
        DevelopmentMode = false;
        CurrentUserID = "01";
        RoundStep = 1.0;
        TableIndexList.clear();
        if (connectModule()) {
            module = std::make_unique<TDataSif>();
            DataSif = module.get();
            module->connectWithAttributes(s_db->connectString().split(';', Qt::SkipEmptyParts));
        }
    }
    void TearDown() override
    {
        module.reset();
        DataSif = nullptr;
        TableIndexList.clear();
        SqlTraceOn = false;
        DevelopmentMode = false;
        CurrentUserID.clear();
        RoundStep = 1.0;
    }
    // Whether SetUp creates and connects the data module (tests of the connect itself say no).
    virtual bool connectModule() const { return true; }

    // SQL on the suite's database as the login role; the output as psql prints it (rows by
    // line, columns by '|').
    static QString sql(const QString& statements) { return s_db->psql("SET ROLE obdrac;" + statements); }

    static TestDatabase* s_db;
    ScratchDir m_dir;
    ScopedEnv m_data;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TDataSif> module;
};
inline TestDatabase* DataModuleTest::s_db = nullptr;
