#include "TestDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <atomic>
#include <stdexcept>

namespace {
QString env(const char* name, const char* fallback)
{
    const QByteArray v = qgetenv(name);
    return v.isEmpty() ? QString::fromUtf8(fallback) : QString::fromUtf8(v);
}

QString runPsql(const QString& database, const QString& sql)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start("psql", {"-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1", "-h", TestDatabase::socketDir(),
                     "-p", TestDatabase::port(), "-U", "postgres", "-d", database, "-c", sql});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error(("psql failed: " + sql + "\n" + QString::fromUtf8(p.readAllStandardError()))
                                     .toStdString());
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
std::atomic<int> g_counter{0};
} // namespace

QString TestDatabase::socketDir() { return env("OBDRAC_TEST_PGHOST", "/tmp/obdrac-dev/pg/socket"); }
QString TestDatabase::port() { return env("OBDRAC_TEST_PGPORT", "55434"); }
QString TestDatabase::workDir() { return env("OBDRAC_TEST_WORK", "/tmp"); }

TestDatabase::TestDatabase(const QString& suite, const QString& templateDb)
{
    QString clean;
    for (QChar c : suite.toLower())
        clean += (c.isLetterOrNumber() && c.unicode() < 128) ? c : QChar('_');
    m_name = QString("t_%1_%2_%3").arg(clean.left(30)).arg(QCoreApplication::applicationPid()).arg(g_counter++);
    runPsql("postgres", QString("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    runPsql("postgres", QString("CREATE DATABASE %1 TEMPLATE %2 OWNER obdrac").arg(m_name, templateDb));
}

TestDatabase::~TestDatabase()
{
    try {
        runPsql("postgres", QString("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    } catch (...) {
    }
}

QString TestDatabase::connectString(const QString& user, const QString& password) const
{
    return QString("DRIVER=SQL Server;SERVER=%1;PORT=%2;DATABASE=%3;UID=%4;PWD=%5;ByteaAsLongVarBinary=1;")
        .arg(socketDir(), port(), m_name, user, password);
}

QString TestDatabase::psql(const QString& sql) const { return runPsql(m_name, sql); }

ScratchDir::ScratchDir()
{
    m_path = QDir(TestDatabase::workDir()).filePath("scratch-" + QUuid::createUuid().toString(QUuid::WithoutBraces));
    QDir().mkpath(m_path);
}

ScratchDir::~ScratchDir() { QDir(m_path).removeRecursively(); }
