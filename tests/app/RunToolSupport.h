#pragma once
// A workstation for obdrac-run as a child process: a company database for the generation (the
// generation tests' company: fixed master data of 2004, no templates), its INI file in a scratch
// folder with section Database naming the test database, the registry file with the database
// login, and a data folder of its own.
#include "../generation/GenerationFixture.h"

#include "data/config/RegistryFileWriter.h"
#include "login/LoginRules.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>

struct ToolResult {
    int exitCode = -1;
    QString out;
    QString err;
    QStringList outLines() const { return out.split('\n', Qt::SkipEmptyParts); }
};

inline std::ostream& operator<<(std::ostream& os, const ToolResult& r)
{
    return os << "exit " << r.exitCode << "\n--- out:\n" << r.out.toStdString() << "--- err:\n" << r.err.toStdString();
}

class RunToolWorkstation {
public:
    explicit RunToolWorkstation(const QString& suite) : m_db(suite)
    {
        m_iniPath = m_dir.file("Vektor.INI");
        writeIni(QString("[Program]\nPodjetje=Test d.o.o.\nFillUpdateLogDir=%1\n\n[Database]\nServerName=%2\n"
                         "DataBaseName=%3\nPodjetje=Testno podjetje\n")
                     .arg(m_dir.file("log"), TestDatabase::socketDir(), m_db.db().name()));
        WriteSqlUserName(registryFile(), "obdrac");
        WriteSqlPassword(registryFile(), "obdrac");
        // The demo users, whatever state the template database is in: 01 with the password "demo",
        // 02 and 03 without one; a typed password of at least 4 characters.
        m_db.psql("UPDATE ODDel SET Geslo = '" + StoredPasswordForm("demo") + "' WHERE UserID = '01';"
                  "UPDATE ODDel SET Geslo = '' WHERE UserID IN ('02', '03');"
                  "UPDATE Param SET MINDOLZINAGESLA = 4, AVTOKONTROLADAT = 'F'");
        m_passwordFile = writePasswordFile("demo");
    }

    GenerationDatabase& db() { return m_db; }
    QString psql(const QString& sql) const { return m_db.psql(sql); }
    int count(const QString& table, const QString& where = "TRUE") const
    {
        return psql("SELECT count(*) FROM " + table + " WHERE " + where).toInt();
    }
    const QString& iniPath() const { return m_iniPath; }
    QString registryFile() const { return m_dir.file("registry.ini"); }
    QString dataDir() const { return m_dir.file("data"); }
    const QString& passwordFile() const { return m_passwordFile; }
    QString file(const QString& name) const { return m_dir.file(name); }

    void writeIni(const QString& text) const
    {
        QFile f(m_iniPath);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(text.toUtf8());
    }

    QString writePasswordFile(const QString& password, const QString& name = "run.pw") const
    {
        const QString path = m_dir.file(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(password.toUtf8() + "\n");
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return path;
    }

    QProcessEnvironment environment(const QMap<QString, QString>& extra = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("OBDRAC_PASSWORD");
        env.insert("OBDRAC_REGISTRY", registryFile());
        env.insert("OBDRAC_DATA_DIR", dataDir());
        env.insert("XDG_CONFIG_HOME", m_dir.file("config"));
        env.insert("PGPORT", TestDatabase::port());
        for (auto it = extra.begin(); it != extra.end(); ++it)
            env.insert(it.key(), it.value());
        return env;
    }

    // The usual arguments of a run on 31 March 2004 as user 01 with its password file.
    QStringList arguments(const QStringList& more = {}) const
    {
        return QStringList{"--ini", m_iniPath, "--user", "01", "--password-file", m_passwordFile,
                           "--period-from", "2004-03-31", "--date", "2004-03-31"}
            + more;
    }

    static QString toolPath() { return QStringLiteral(OBDRAC_RUN_PATH); }

    void start(QProcess& p, const QStringList& args, const QMap<QString, QString>& extra = {}) const
    {
        p.setProcessEnvironment(environment(extra));
        p.setProcessChannelMode(QProcess::SeparateChannels);
        p.start(toolPath(), args);
    }

    ToolResult run(const QStringList& args, const QMap<QString, QString>& extra = {}, const QByteArray& input = {}) const
    {
        QProcess p;
        start(p, args, extra);
        ToolResult r;
        if (!p.waitForStarted(30000))
            return r;
        if (!input.isEmpty())
            p.write(input);
        p.closeWriteChannel();
        p.waitForFinished(300000);
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

private:
    ScratchDir m_dir;
    GenerationDatabase m_db;
    QString m_iniPath;
    QString m_passwordFile;
};
