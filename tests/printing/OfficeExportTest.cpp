// The hand-over of a report to the spreadsheet and the word processor: which program opens the
// file, and the steps of the export (through a stand-in program that records what it got).
#include "PreviewTestSupport.h"

#include "data/config/IniFile.h"
#include "data/log/MessageBoxes.h"
#include "printing/EExportFailed.h"
#include "printing/OfficeApplication.h"
#include "printing/PreviewExport.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

// A folder of stand-in programs that becomes the whole search path.
class SearchPath {
public:
    explicit SearchPath(const QStringList& programs) : m_path("PATH", m_dir.path())
    {
        for (const QString& p : programs) {
            QFile f(m_dir.file(p));
            f.open(QIODevice::WriteOnly);
            f.write("#!/bin/sh\nexit 0\n");
            f.close();
            f.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
    }

private:
    ScratchDir m_dir;
    ScopedEnv m_path;
};

struct CommandCase {
    const char* what;
    OfficeProgram program;
    QString configured;
    QStringList onPath;
    QString file;
    QString expectedProgram;     // empty: no program
    QStringList expectedArguments;
};

TEST(OfficeExport, ChoosesTheConfiguredProgramThenLibreOfficeThenTheDesktopOpener)
{
    const auto S = OfficeProgram::Spreadsheet;
    const auto W = OfficeProgram::WordProcessor;
    const CommandCase cases[] = {
        {"configured with %1 inside a word", S, "gnumeric --file=%1 -x", {}, "/d/tmpExcel.htm",
         "gnumeric", {"--file=/d/tmpExcel.htm", "-x"}},
        {"configured without %1", W, "abiword", {}, "/d/tmp Word.htm", "abiword", {"/d/tmp Word.htm"}},
        {"configured with a quoted program", W, "\"/opt/my office/bin/w\" \"%1\"", {}, "/d/a b.htm",
         "/opt/my office/bin/w", {"/d/a b.htm"}},
        {"LibreOffice, HTML in the sheet", S, "", {"soffice", "xdg-open"}, "/d/tmpExcel.htm",
         "soffice", {"--calc", "--infilter=HTML (StarCalc)", "/d/tmpExcel.htm"}},
        {"LibreOffice, HTML in the writer", W, "", {"soffice"}, "/d/tmpWord.htm",
         "soffice", {"--writer", "--infilter=HTML (StarWriter)", "/d/tmpWord.htm"}},
        {"LibreOffice, a native file", S, "", {"soffice"}, "/d/tmpExcel.xlsx", "soffice", {"--calc", "/d/tmpExcel.xlsx"}},
        {"the desktop's opener", S, "", {"xdg-open"}, "/d/tmpExcel.htm", "xdg-open", {"/d/tmpExcel.htm"}},
        {"nothing at all", W, "  ", {}, "/d/tmpWord.htm", "", {}},
    };
    for (const auto& c : cases) {
        SearchPath path(c.onPath);
        QString reason;
        const auto command = OfficeCommandFor(c.program, c.file, c.configured, &reason);
        if (c.expectedProgram.isEmpty()) {
            EXPECT_FALSE(command) << c.what;
            EXPECT_TRUE(reason.contains("UkazUrejevalnik")) << c.what << ": " << reason.toStdString();
            continue;
        }
        ASSERT_TRUE(command) << c.what;
        EXPECT_EQ(command->program, c.expectedProgram) << c.what;
        EXPECT_EQ(command->arguments, c.expectedArguments) << c.what;
    }
}

class OfficeExportSteps : public ::testing::Test {
protected:
    OfficeExportSteps() : program(ws.dir(), "fake-office")
    {
        IniFile(ws.iniPath()).writeString("Program", SpreadsheetCommandKey, "\"" + program.path() + "\" --open %1");
    }
    ScratchWorkstation ws;
    FakeProgram program;
    ScriptedMessageBoxes boxes;
};

TEST_F(OfficeExportSteps, DeletesTheOldFileWritesTheNewOneAndThenHandsItOver)
{
    const QString path = ws.dataPath("tmpExcel.htm");
    QDir().mkpath(ws.dataPath(""));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("OLD REPORT, MUCH LONGER THAN THE NEW ONE");
    }
    bool existedWhenWriting = true;
    auto writer = [&](const QString& p) {
        existedWhenWriting = QFileInfo::exists(p);
        EXPECT_FALSE(program.called());   // the program comes after the file
        QFile f(p);
        f.open(QIODevice::WriteOnly);
        f.write("<html>Računi čšž</html>");
        return true;
    };
    EXPECT_TRUE(ExportToOfficeProgram(OfficeProgram::Spreadsheet, SpreadsheetTempFile, false, writer,
                                      "FormPrvw", "SpeedButton13Click"));
    EXPECT_FALSE(existedWhenWriting);
    const auto args = program.arguments();
    ASSERT_TRUE(args);
    EXPECT_EQ(*args, (QStringList{"--open", path}));
    EXPECT_EQ(program.fileSeen(), QByteArray("<html>Računi čšž</html>"));   // complete when called
    EXPECT_TRUE(boxes.texts().isEmpty());
}

TEST_F(OfficeExportSteps, StopsBeforeWritingWhilePagesAreBeingMade)
{
    int writes = 0;
    EXPECT_FALSE(ExportToOfficeProgram(OfficeProgram::Spreadsheet, SpreadsheetTempFile, true,
                                       [&](const QString&) { ++writes; return true; }, "FormPrvw",
                                       "SpeedButton13Click"));
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(boxes.texts(), QStringList{"Prosim počakajte da se odprejo vse strani!"});
    EXPECT_FALSE(program.arguments(300));
}

TEST_F(OfficeExportSteps, AProgramThatIsNotThereGivesTheMessageWithTheReason)
{
    IniFile(ws.iniPath()).writeString("Program", WordProcessorCommandKey, ws.dir().file("no-such-office") + " %1");
    auto writer = [](const QString& p) {
        QFile f(p);
        return f.open(QIODevice::WriteOnly) && f.write("x") == 1;
    };
    EXPECT_FALSE(ExportToOfficeProgram(OfficeProgram::WordProcessor, WordProcessorTempFile, false, writer,
                                       "FormPrvw", "SpeedButton14Click"));
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Ne morem odpreti aplikacije\r\n")) << boxes.texts()[0].toStdString();
    EXPECT_TRUE(boxes.texts()[0].contains("no-such-office"));
    EXPECT_TRUE(QFileInfo::exists(ws.dataPath("tmpWord.htm")));   // written, kept for the user
}

TEST_F(OfficeExportSteps, AFileThatCannotBeWrittenIsNotHandedOver)
{
    // No HTML filter: the writer has told the user already.
    EXPECT_FALSE(ExportToOfficeProgram(OfficeProgram::Spreadsheet, SpreadsheetTempFile, false,
                                       [](const QString&) { return false; }, "FormPrvw", "SpeedButton13Click"));
    EXPECT_TRUE(boxes.texts().isEmpty());
    // The writer fails.
    EXPECT_FALSE(ExportToOfficeProgram(
        OfficeProgram::Spreadsheet, SpreadsheetTempFile, false,
        [](const QString&) -> bool { throw EExportFailed("Disk je poln."); }, "FormPrvw", "SpeedButton13Click"));
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].endsWith("\r\nDisk je poln.")) << boxes.texts()[0].toStdString();
    EXPECT_FALSE(program.arguments(300));
}

TEST_F(OfficeExportSteps, TheMailAttachmentGoesToTheDataFolder)
{
    const auto path = WriteMailAttachment(false, [](const QString& p) {
        QFile f(p);
        return f.open(QIODevice::WriteOnly) && f.write("<html/>") == 7;
    }, "FormPrvw", "SpeedButton15Click");
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, ws.dataPath("Vektor report.htm"));
    EXPECT_FALSE(WriteMailAttachment(true, [](const QString&) { return true; }, "FormPrvw", "SpeedButton15Click"));
    EXPECT_EQ(boxes.texts(), QStringList{"Prosim počakajte da se odprejo vse strani!"});
}

} // namespace
