#pragma once
#include "TestDatabase.h"

#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// Sets an environment variable for the lifetime of the object, then restores it.
class EnvOverride {
public:
    EnvOverride(const char* name, const QString& value) : m_name(name)
    {
        if (qEnvironmentVariableIsSet(name))
            m_old = qgetenv(name);
        qputenv(name, value.toUtf8());
    }
    ~EnvOverride()
    {
        if (m_old)
            qputenv(m_name, *m_old);
        else
            qunsetenv(m_name);
    }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    const char* m_name;
    std::optional<QByteArray> m_old;
};

// A private workstation for one test: data folder, configuration folder and registry file in a
// scratch folder, and the program-wide values back at their start values.
class ShellTestEnv {
public:
    ShellTestEnv()
        : m_data("OBDRAC_DATA_DIR", m_dir.file("data")),
          m_config("XDG_CONFIG_HOME", m_dir.file("config")),
          m_registry("OBDRAC_REGISTRY", m_dir.file("registry.ini"))
    {
        resetProgramState();
        setProgramIniFile(iniPath());
    }
    ~ShellTestEnv() { resetProgramState(); }

    QString iniPath() const { return m_dir.file("Vektor.INI"); }
    QString file(const QString& name) const { return m_dir.file(name); }
    QString dataFolder() const { return m_dir.file("data"); }

    void writeIni(const QByteArray& text) const { writeFile(iniPath(), text); }
    QByteArray readIni() const { return readFile(iniPath()); }

    static void writeFile(const QString& path, const QByteArray& data)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(data);
    }
    static QByteArray readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void resetProgramState()
    {
        CurrentUserID.clear();
        SqlUserName.clear();
        SqlPassword.clear();
        SqlTraceOn = false;
        QuietClose = true;
        DevelopmentMode = false;
        VatMode = true;
        ShraniForm = true;
        EnterForNext = true;
        DateSeparator = QChar(u'.');
        PriceExplanation.clear();
    }

private:
    ScratchDir m_dir;
    EnvOverride m_data;
    EnvOverride m_config;
    EnvOverride m_registry;
};
