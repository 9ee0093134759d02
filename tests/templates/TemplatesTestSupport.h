#pragma once
// The template tests: one fresh company database (a copy of the demo company) for the whole test
// program, and per test a private data folder, scripted message boxes, the signed-in user and the
// data module connected to that database, with the template tables on its connection.
#include "TestDatabase.h"

#include "data/DataSif.h"
#include "data/log/MessageBoxes.h"
#include "data/core/ProgramState.h"
#include "data/TableIndexList.h"
#include "pricing/MasterRecords.h"
#include "templates/TemplateTables.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// Sets an environment variable for the lifetime of the object, then restores it.
class TemplatesEnv {
public:
    TemplatesEnv(const char* name, const QString& value) : m_name(name)
    {
        if (qEnvironmentVariableIsSet(name))
            m_old = qgetenv(name);
        qputenv(name, value.toUtf8());
    }
    ~TemplatesEnv()
    {
        if (m_old)
            qputenv(m_name, *m_old);
        else
            qunsetenv(m_name);
    }
    TemplatesEnv(const TemplatesEnv&) = delete;
    TemplatesEnv& operator=(const TemplatesEnv&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_old;
};

// The demo company's database, made once per test program and dropped at its end.
struct TemplatesDatabase : public ::testing::Environment {
    std::unique_ptr<TestDatabase> db;
    void SetUp() override { db = std::make_unique<TestDatabase>("templates"); }
    void TearDown() override { db.reset(); }
    static TemplatesDatabase& get();
};

class TemplatesTest : public ::testing::Test {
protected:
    TemplatesTest() : m_data("OBDRAC_DATA_DIR", m_dir.file("data")) {}

    void SetUp() override
    {
        CurrentUserID = "07";
        SqlTraceOn = false;
        RoundStep = 1.0;
        TableIndexList.clear();
        MSRec = {};
        module = std::make_unique<TDataSif>();
        DataSif = module.get();
        module->connectWithAttributes(db().connectString().split(';', Qt::SkipEmptyParts));
        tables = std::make_unique<TemplateTables>();
        tables->setConnection(&module->Database);
        tables->today = [this] { return today; };
        tables->shownPoslDog = [this] { return shownPoslDog; };
    }
    void TearDown() override
    {
        tables.reset();
        module.reset();
        DataSif = nullptr;
        TableIndexList.clear();
        CurrentUserID.clear();
        MSRec = {};
    }

    static TestDatabase& db() { return *TemplatesDatabase::get().db; }
    // SQL as the login role; psql's unaligned output, trimmed.
    static QString sql(const QString& statements) { return db().psql("SET ROLE obdrac;" + statements).trimmed(); }
    // A business event of kind "G" of our own with templates that no other test touches.
    static void addBusinessEvent(const QString& code, const QString& naziv)
    {
        sql(QString("INSERT INTO PoslDog (PoslDog, Naziv, Vrsta, Tip, UserZap, UserSpre) VALUES ('%1', '%2', 'G', '', '00', '00')"
                    " ON CONFLICT DO NOTHING;")
                .arg(code, naziv));
    }

    ScratchDir m_dir;
    TemplatesEnv m_data;
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TDataSif> module;
    std::unique_ptr<TemplateTables> tables;
    QDate today{2026, 3, 10};
    QString shownPoslDog;
};
