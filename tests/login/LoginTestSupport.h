#pragma once
// Shared set-up of the login tests: two company databases, a data folder with the company list,
// the program's INI file and a data module connected through it.
#include "ErrorLogRows.h"
#include "ModalDialogs.h"
#include "ScopedEnv.h"
#include "TestDatabase.h"

#include "data/config/CompanyList.h"
#include "data/DataSif.h"
#include "data/log/ErrorLog.h"
#include "data/local/LocalTable.h"
#include "data/log/MessageBoxes.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"

#include <QApplication>
#include <QDialog>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

inline const QString DemoCompany = QStringLiteral("Demo d.o.o.");
inline const QString SmallCompany = QStringLiteral("Mala firma s.p.");

// The two company databases live for the whole test program (one copy of each template); made
// and dropped by a test environment, inside the test run.
struct LoginDatabases : public ::testing::Environment {
    std::unique_ptr<TestDatabase> demo;
    std::unique_ptr<TestDatabase> small;
    void SetUp() override
    {
        demo = std::make_unique<TestDatabase>("login", "obdrac_template");
        small = std::make_unique<TestDatabase>("login2", "obdrac_template2");
    }
    void TearDown() override
    {
        demo.reset();
        small.reset();
    }
    static LoginDatabases& get();
};

class LoginEnvironment {
public:
    ScratchDir dir;
    ScopedEnv data{"OBDRAC_DATA_DIR", dir.file("data")};
    ScopedEnv config{"XDG_CONFIG_HOME", dir.file("config")};
    ScopedEnv port{"PGPORT", TestDatabase::port()};
    ScriptedMessageBoxes boxes;
    std::unique_ptr<TDataSif> module;

    TestDatabase& demo() { return *LoginDatabases::get().demo; }
    TestDatabase& small() { return *LoginDatabases::get().small; }

    // INI file pointing at the demo company; the company list with both (unless without).
    explicit LoginEnvironment(bool withCompanyList = true)
    {
        setProgramIniFile(dir.file("Vektor.INI"));
        WriteStringToIniFile("Database", "ServerName", TestDatabase::socketDir());
        WriteStringToIniFile("Database", "DataBaseName", demo().name());
        WriteStringToIniFile("Database", "Podjetje", DemoCompany);
        if (withCompanyList) {
            StoreCompany("c:\\Podjetje.DB", {DemoCompany, TestDatabase::socketDir(), demo().name()});
            StoreCompany("c:\\Podjetje.DB", {SmallCompany, TestDatabase::socketDir(), small().name()});
        }
        SqlUserName = "obdrac";
        SqlPassword = "obdrac";
        CurrentUserID.clear();
        CurrentUserName.clear();
        CurrentUserDepartment.clear();
        DatabaseCompany.clear();
        QuietClose = true;
        boxes.setDefaultAnswer(MsgButton::Ok);
    }

    void connect()
    {
        module = std::make_unique<TDataSif>();
        module->DataSifCreate();
    }

    ~LoginEnvironment()
    {
        module.reset();
        setProgramIniFile("Vektor.INI");
    }

    // Operations written to the error log since the start of the test.
    QStringList loggedOperations()
    {
        return errorLogOperations();
    }
};

