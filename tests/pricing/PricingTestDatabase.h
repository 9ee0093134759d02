#pragma once
// A company database for the lookup and pricing tests: a fresh copy of the template database
// with the company tables (loaded from db/schema.sql when the template does not have them),
// the master tables emptied, one parameter row, and the data module connected to it.
#include "TestDatabase.h"
#include "data/DataSif.h"
#include "data/core/ProgramState.h"
#include "pricing/MasterRecords.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <memory>
#include <stdexcept>

class PricingTestDatabase {
public:
    explicit PricingTestDatabase(const QString& suite) : m_db(suite)
    {
        if (m_db.psql("SELECT to_regclass('public.ms') IS NULL").startsWith('t'))
            loadSchema();
        m_db.psql("SET ROLE obdrac;"
                  "DELETE FROM Param; DELETE FROM MS; DELETE FROM Subjekt; DELETE FROM PoslDog;"
                  "DELETE FROM VrstaMS; DELETE FROM TarSt; DELETE FROM MsFormula; DELETE FROM SubjektCenik;"
                  "DELETE FROM Tecaj; DELETE FROM KontOs;"
                  // The same parameter row in every suite: the parameter values are read once
                  // per program.
                  "INSERT INTO Param (TSBREZDAVKA, NASAVALUTA, BANKACENIK, BANKASLOVENIJE, ROUNDT, NACIZRRABATA,"
                  " NACIZRRABSUM, FORMULAKOSOVNICA, FORMULACENRAZRED, FORMULANABACENA) VALUES ('0', 'EUR', 'NLB',"
                  " 'BS', 0.01, 'K', 'F', '', '[#CENRAZRED#=1:#VPCENA1#][#CENRAZRED#=2:#VPCENA2#]#MPCENA#',"
                  " '#NABACENA#');");
        m_module = std::make_unique<TDataSif>();
        DataSif = m_module.get();
        m_module->connectWithAttributes(m_db.connectString().split(';', Qt::SkipEmptyParts));
        RoundStep = 0.01;
    }
    ~PricingTestDatabase()
    {
        resetRecords();
        if (DataSif == m_module.get())
            DataSif = nullptr;
        m_module.reset();
        RoundStep = 1.0;
    }
    PricingTestDatabase(const PricingTestDatabase&) = delete;
    PricingTestDatabase& operator=(const PricingTestDatabase&) = delete;

    const TestDatabase& db() const { return m_db; }
    // SQL as the login role (tables stay owned by it).
    QString psql(const QString& sql) const { return m_db.psql("SET ROLE obdrac;" + sql); }
    TDataSif& module() { return *m_module; }

    // Every current record empty again, so that no test sees another's cache.
    static void resetRecords()
    {
        MSRec = {};
        SubjRec = {};
        PoslDogRec = {};
        VrstaMSRec = {};
        TarStRec = {};
        MsFormRec = {};
    }

private:
    void loadSchema()
    {
        const QString schema =
            QFileInfo(QStringLiteral(__FILE__)).dir().absoluteFilePath("../../db/schema.sql");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PGPASSWORD", "obdrac");
        p.setProcessEnvironment(env);
        p.start("psql", {"-X", "-q", "-v", "ON_ERROR_STOP=1", "-h", TestDatabase::socketDir(), "-p",
                         TestDatabase::port(), "-U", "obdrac", "-d", m_db.name(), "-f", schema});
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            throw std::runtime_error(
                ("schema load failed: " + QString::fromUtf8(p.readAllStandardError())).toStdString());
    }

    TestDatabase m_db;
    std::unique_ptr<TDataSif> m_module;
};
