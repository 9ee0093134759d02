#include "ScopedEnv.h"
#include "TestDatabase.h"

#include "data/log/ErrorLog.h"
#include "data/local/LocalTable.h"
#include "data/log/MessageBoxes.h"
#include "data/config/ProgramStart.h"
#include "data/core/ProgramState.h"
#include "data/config/Upgrade.h"
#include "data/config/VersionInfo.h"

#include "BuildInfo.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>

namespace {
QByteArray programWith(const QByteArray& marker)
{
    return QByteArray("\x7f" "ELF fake program ") + QByteArray(1000, '\0') + marker + QByteArray(1, '\0')
        + QByteArray(500, 'z');
}

// A script that writes its arguments to a file next to it.
void writeRecorder(const QString& path, const QString& output)
{
    writeFile(path, ("#!/bin/sh\necho \"$@\" > '" + output + ".tmp' && mv '" + output + ".tmp' '" + output + "'\n").toUtf8());
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QByteArray waitForFile(const QString& path)
{
    QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(path) && !deadline.hasExpired())
        QThread::msleep(20);
    return readFile(path).trimmed();
}

int logRowCount()
{
    if (!LocalTable::fileExists(ErrorLogTable))
        return 0;
    LocalTable t(QString(), ErrorLogTable);
    t.open();
    return t.recordCount();
}
} // namespace

TEST(VersionInfo, OwnProgramCarriesItsMarker)
{
    EXPECT_EQ(programVersionMarker(), QString("OBDRAC-VERSION:" OBDRAC_VERSION_TEXT "+" OBDRAC_BUILD_TEXT));
    QString version, build;
    EXPECT_TRUE(GetFileVersionAndBuild(QCoreApplication::applicationFilePath(), version, build));
    EXPECT_EQ(version, QString(OBDRAC_VERSION_TEXT));
    EXPECT_EQ(build, QString(OBDRAC_BUILD_TEXT));

    const QString oldVersion = ProgramVersion, oldBuild = ProgramBuildNo;
    EXPECT_TRUE(loadProgramVersion());
    EXPECT_EQ(ProgramBuildNo, QString(OBDRAC_BUILD_TEXT));
    ProgramVersion = oldVersion;
    ProgramBuildNo = oldBuild;
}

TEST(VersionInfo, ScansFilesForAValidMarker)
{
    ScratchDir dir;
    struct {
        QByteArray content;
        bool found;
        const char* version;
        const char* build;
    } cases[] = {
        {programWith("OBDRAC-VERSION:2.1.3+456"), true, "2.1.3", "456"},
        {programWith("OBDRAC-VERSION:+1 OBDRAC-VERSION:x OBDRAC-VERSION:1.0.0+007"), true, "1.0.0", "7"},
        {programWith("OBDRAC-VERSION:1.0.0+"), false, "0", "0"},
        {programWith("OBDRAC-VERSION:1..0+5"), false, "0", "0"},
        {"OBDRAC-VERSION:3+9", true, "3", "9"},
        {"ni programa", false, "0", "0"},
        {QByteArray(), false, "0", "0"},
        // A marker across the boundary of the blocks read.
        {QByteArray((1 << 20) - 7, 'a') + "OBDRAC-VERSION:4.5.6+78" + QByteArray(10, 'b'), true, "4.5.6", "78"},
    };
    for (const auto& c : cases) {
        writeFile(dir.file("p"), c.content);
        QString version = "x", build = "y";
        EXPECT_EQ(GetFileVersionAndBuild(dir.file("p"), version, build), c.found) << c.content.left(60).constData();
        EXPECT_EQ(version, QString(c.version));
        EXPECT_EQ(build, QString(c.build));
    }
    QString version = "x", build = "y";
    EXPECT_FALSE(GetFileVersionAndBuild(dir.file("manjka"), version, build));
    EXPECT_EQ(version, QString("0"));
    EXPECT_EQ(build, QString("0"));
}

class ProgramStartTest : public ::testing::Test {
protected:
    ProgramStartTest() : m_data("OBDRAC_DATA_DIR", m_dir.file("data")), m_reg("OBDRAC_REGISTRY", m_dir.file("reg.ini")) {}
    ScratchDir m_dir;
    ScopedEnv m_data;
    ScopedEnv m_reg;
    ScriptedMessageBoxes m_boxes;
};

TEST_F(ProgramStartTest, StartsACommandLineDetached)
{
    QDir().mkpath(m_dir.file("with space"));
    writeRecorder(m_dir.file("with space/rec"), m_dir.file("out"));
    EXPECT_EQ(TWinExec("\"" + m_dir.file("with space/rec") + "\" /L \"two words\"", ShowModeNormal), ProgramStarted);
    EXPECT_EQ(waitForFile(m_dir.file("out")), QByteArray("/L two words"));
    EXPECT_TRUE(m_boxes.shown().empty());

    // A drive path maps into the data folder.
    QDir().mkpath(m_dir.file("data/Vektor"));
    writeRecorder(m_dir.file("data/Vektor/rec"), m_dir.file("out2"));
    EXPECT_EQ(TWinExec("c:\\Vektor\\rec x", ShowModeNormal), ProgramStarted);
    EXPECT_EQ(waitForFile(m_dir.file("out2")), QByteArray("x"));
    // A name is looked up in PATH.
    EXPECT_EQ(TWinExec("true", ShowModeNormal), ProgramStarted);
}

TEST_F(ProgramStartTest, FailuresShowTheirBoxOrAreLogged)
{
    writeFile(m_dir.file("text"), "not a program");
    struct {
        QString command;
        int result;
        const char* box;
    } cases[] = {
        {m_dir.file("manjka /L"), 2, "The specified file was not found."},
        {m_dir.file("ni/mape/prog"), 3, "The specified path was not found."},
        {"ni-takega-programa-nikjer", 2, "The specified file was not found."},
        {m_dir.file("text"), 11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
        {m_dir.path(), 11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
        {"", -1, nullptr},
        {"   ", -1, nullptr},
        {"\"nezaprt /L", -1, nullptr},
    };
    int logged = 0;
    for (const auto& c : cases) {
        m_boxes.clear();
        EXPECT_EQ(TWinExec(c.command, ShowModeNormal), c.result) << c.command.toStdString();
        if (c.box) {
            ASSERT_EQ(m_boxes.shown().size(), 1u);
            EXPECT_EQ(m_boxes.shown()[0].kind, MsgKind::Error);
            EXPECT_EQ(m_boxes.shown()[0].text, QString(c.box));
        } else {
            EXPECT_TRUE(m_boxes.shown().empty());
            ++logged;
        }
    }
    EXPECT_EQ(logRowCount(), logged);
    LocalTable log(QString(), ErrorLogTable);
    log.open();
    log.first();
    EXPECT_EQ(log.asString("Operation"), QString("TWinExec-"));
}

class TestBuildNoTest : public ProgramStartTest {
protected:
    void SetUp() override
    {
        QDir().mkpath(m_dir.file("program dir"));
        QDir().mkpath(m_dir.file("data/Temp"));
        writeFile(program(), programWith("OBDRAC-VERSION:1.0.0+5"));
        writeRecorder(m_dir.file("program dir/NovaVerzija"), m_dir.file("installer"));
        setTerminateAction([this] { ++m_terminated; });
    }
    void TearDown() override { setTerminateAction({}); }
    QString program() const { return m_dir.file("program dir/obdrac"); }

    int m_terminated = 0;
};

TEST_F(TestBuildNoTest, NewerBuildWaitingStartsTheInstallerAndEndsTheProgram)
{
    writeFile(m_dir.file("data/Temp/obdrac"), programWith("OBDRAC-VERSION:1.0.1+12"));
    EXPECT_FALSE(TestBuildNo(program(), true));
    ASSERT_EQ(m_boxes.shown().size(), 1u);
    EXPECT_EQ(m_boxes.shown()[0].kind, MsgKind::Information);
    EXPECT_EQ(m_boxes.shown()[0].text, QString("Potrebujete novo verzijo programa !"));
    EXPECT_EQ(m_terminated, 1);
    EXPECT_EQ(waitForFile(m_dir.file("installer")), QByteArray("/L"));   // default installer, program folder
}

TEST_F(TestBuildNoTest, InstallerAndFolderFromTheRegistryAndNoTerminate)
{
    QDir().mkpath(m_dir.file("novo"));
    writeFile(m_dir.file("novo/obdrac"), programWith("OBDRAC-VERSION:2.0.0+6"));
    writeRecorder(m_dir.file("novo/namesti"), m_dir.file("installer2"));
    writeFile(m_dir.file("reg.ini"), ("[SOFTWARE\\Sintrex\\Upgrade]\nPotDoTempa=" + m_dir.file("novo")
                                      + "\nNovaVerzijaPath=" + m_dir.file("novo/namesti") + "\n")
                                         .toUtf8());
    EXPECT_FALSE(TestBuildNo(program(), false));
    EXPECT_EQ(m_terminated, 0);
    EXPECT_EQ(waitForFile(m_dir.file("installer2")), QByteArray("/L"));
}

TEST_F(TestBuildNoTest, NothingHappensWithoutANewerBuild)
{
    // No file waiting: build 0 is not greater.
    EXPECT_TRUE(TestBuildNo(program(), true));
    // The same and an older build; a file without version data.
    for (const QByteArray& waiting : {programWith("OBDRAC-VERSION:1.0.0+5"), programWith("OBDRAC-VERSION:0.9.0+4"),
                                      QByteArray("brez oznake")}) {
        writeFile(m_dir.file("data/Temp/obdrac"), waiting);
        EXPECT_TRUE(TestBuildNo(program(), true));
    }
    // Our own program has no version data, the waiting one has: it is newer.
    writeFile(program(), "brez oznake");
    writeFile(m_dir.file("data/Temp/obdrac"), programWith("OBDRAC-VERSION:1.0.0+1"));
    EXPECT_FALSE(TestBuildNo(program(), true));
    EXPECT_EQ(m_terminated, 1);
    EXPECT_EQ(m_boxes.shown().size(), 1u);
    EXPECT_EQ(waitForFile(m_dir.file("installer")), QByteArray("/L"));
}
