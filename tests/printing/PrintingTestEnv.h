#pragma once
// A private workstation for the printing tests: data folder (error log), configuration file and
// registry file in a scratch folder; message boxes scripted.
#include "TestDatabase.h"

#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/local/LocalTable.h"
#include "data/log/ErrorLog.h"
#include "data/log/MessageBoxes.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include "ErrorLogRows.h"
#include "ScopedEnv.h"

#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QThread>

#include <optional>
#include <ostream>


using EnvValue = ScopedEnv;   // tests/support

inline void writeTextFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(data);
}

inline QByteArray readTextFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Waits up to ten seconds for a file that a started program writes.
inline QByteArray waitForFile(const QString& path)
{
    QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(path) && !deadline.hasExpired())
        QThread::msleep(20);
    return readTextFile(path).trimmed();
}

class PrintingTestEnv {
public:
    PrintingTestEnv()
        : m_data("OBDRAC_DATA_DIR", m_dir.file("data")),
          m_config("XDG_CONFIG_HOME", m_dir.file("config")),
          m_registry("OBDRAC_REGISTRY", m_dir.file("registry.ini"))
    {
        DevelopmentMode = false;
        setProgramIniFile(iniPath());
    }
    ~PrintingTestEnv() { DevelopmentMode = false; }

    QString iniPath() const { return m_dir.file("Vektor.INI"); }
    QString file(const QString& name) const { return m_dir.file(name); }
    // Writes the configuration file anew (the program reads it at every access).
    void writeIni(const QByteArray& text) const
    {
        writeTextFile(iniPath(), text);
        setProgramIniFile(iniPath());
    }

    // The operations of the error log, oldest first.
    static QStringList loggedOperations() { return errorLogOperations(); }

    ScriptedMessageBoxes boxes;

private:
    ScratchDir m_dir;
    EnvValue m_data;
    EnvValue m_config;
    EnvValue m_registry;
};
