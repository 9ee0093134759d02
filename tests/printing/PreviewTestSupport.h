#pragma once
#include "TestDatabase.h"
#include "data/config/ProgramIni.h"
#include "ScopedEnv.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QThread>

#include <optional>
#include <ostream>

// A scratch workstation: the data folder and the configuration file "Vektor.INI" in a scratch
// folder, for the lifetime of the object.
class ScratchWorkstation {
public:
    ScratchWorkstation() : m_data("OBDRAC_DATA_DIR", m_dir.file("data"))
    {
        setProgramIniFile(iniPath());
    }
    ~ScratchWorkstation() { setProgramIniFile(QStringLiteral("Vektor.INI")); }
    QString iniPath() const { return m_dir.file("Vektor.INI"); }
    QString dataPath(const QString& name) const { return m_dir.file("data/" + name); }
    const ScratchDir& dir() const { return m_dir; }

private:
    ScratchDir m_dir;
    ScopedEnv m_data;
};

// A stand-in for an outside program: a shell script that writes its arguments, each ended by
// a NUL byte, to <record>, and copies every argument that names a file to <record>.file as
// that file was when the program was called. The record appears whole (renamed into place).
class FakeProgram {
public:
    FakeProgram(const ScratchDir& dir, const QString& name)
        : m_path(dir.file(name)), m_record(dir.file(name + ".record"))
    {
        QFile f(m_path);
        f.open(QIODevice::WriteOnly);
        f.write("#!/bin/sh\n"
                "rec='" + m_record.toUtf8() + "'\n"
                "for a in \"$@\"; do printf '%s\\0' \"$a\"; [ -f \"$a\" ] && cp \"$a\" \"$rec.file\"; done > \"$rec.tmp\"\n"
                "mv \"$rec.tmp\" \"$rec\"\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QString& path() const { return m_path; }

    // The arguments of the call, waiting for it up to timeoutMs; nothing when it was not called.
    std::optional<QStringList> arguments(int timeoutMs = 10000) const
    {
        QDeadlineTimer deadline(timeoutMs);
        while (!QFileInfo::exists(m_record)) {
            if (deadline.hasExpired())
                return std::nullopt;
            QCoreApplication::processEvents();
            QThread::msleep(20);
        }
        QFile f(m_record);
        f.open(QIODevice::ReadOnly);
        QStringList args;
        for (const QByteArray& piece : f.readAll().split('\0'))
            args << QString::fromUtf8(piece);
        args.removeLast();   // after the last NUL
        return args;
    }
    bool called() const { return QFileInfo::exists(m_record); }
    // The file the program was given, as it was when it was called.
    QByteArray fileSeen() const
    {
        QFile f(m_record + ".file");
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QString m_path;
    QString m_record;
};
