#pragma once
#include <QString>

// A fresh company database for one test suite, copied from a template database that the test
// command loaded from db/*.sql. Dropped again when the object goes away.
//
//   static TestDatabase* db;   // in SetUpTestSuite: db = new TestDatabase("pricing");
//   db->connectString()        // DRIVER=SQL Server;SERVER=...;DATABASE=...;UID=obdrac;PWD=obdrac;...
class TestDatabase {
public:
    explicit TestDatabase(const QString& suite, const QString& templateDb = "obdrac_template");
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    const QString& name() const { return m_name; }
    // Connect string for the login role, with the server given as in production
    // (SERVER= the socket folder, DATABASE=); the port comes from PGPORT.
    QString connectString(const QString& user = "obdrac", const QString& password = "obdrac") const;

    // Runs SQL as the superuser through psql; returns the unaligned output (rows by line,
    // columns by '|'). Throws std::runtime_error when psql fails.
    QString psql(const QString& sql) const;

    static QString socketDir();   // OBDRAC_TEST_PGHOST
    static QString port();        // OBDRAC_TEST_PGPORT
    static QString workDir();     // OBDRAC_TEST_WORK: a scratch folder of this test run

private:
    QString m_name;
};

// A scratch folder removed at the end of the test.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const QString& path() const { return m_path; }
    QString file(const QString& name) const { return m_path + "/" + name; }
private:
    QString m_path;
};
