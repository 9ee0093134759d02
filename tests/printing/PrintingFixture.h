#pragma once
// A company database for the printing tests: a fresh copy of the demo company (with the shipped
// report 27K that the database set-up installs), a private data folder and configuration file,
// scripted message boxes, and the data module connected with the report catalogue's events.
// Fakes of the report start's outputs record what reaches them.
#include "TestDatabase.h"

#include "data/DataSif.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/local/LocalTable.h"
#include "data/log/ErrorLog.h"
#include "data/log/MessageBoxes.h"
#include "data/TableIndexList.h"
#include "printing/ReportCatalogue.h"
#include "printing/ReportOutput.h"
#include "printing/TReportDesignerDialog.h"
#include "reports/PreparedReport.h"
#include "reports/ReportGenerator.h"

#include "ErrorLogRows.h"
#include "ScopedEnv.h"

#include <QFile>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <vector>

inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '[';
    for (qsizetype i = 0; i < l.size(); ++i)
        *os << (i ? ", " : "") << '"' << l[i].toStdString() << '"';
    *os << ']';
}

using EnvScope = ScopedEnv;   // tests/support

// A program run's output.
struct ProcessResult {
    int exitCode = -1;
    QString out;
    QString err;
};
inline std::ostream& operator<<(std::ostream& os, const ProcessResult& r)
{
    return os << "exit " << r.exitCode << "\n--- out:\n" << r.out.toStdString() << "--- err:\n" << r.err.toStdString();
}
inline ProcessResult runProgram(const QString& program, const QStringList& arguments, int timeoutMs = 120000)
{
    QProcess p;
    p.start(program, arguments);
    ProcessResult r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.err = QStringLiteral("timeout");
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Records the prints: printer name, document name and the report's page count of each.
class RecordingPrinter : public ReportPrinter {
public:
    struct Job {
        QString printerName;
        QString documentName;
        int pages = 0;
    };
    void printReport(const PreparedReport& report, const QString& printerName, const QString& documentName) override
    {
        jobs.push_back({printerName, documentName, report.pageCount()});
        if (failWith)
            throw EReportOutput(*failWith);
    }
    std::vector<Job> jobs;
    std::optional<QString> failWith;
};

// Keeps the runs handed to the preview; runs them to their end when asked.
class RecordingPreviewer : public ReportPreviewer {
public:
    void showPreview(std::unique_ptr<ReportGenerator> generator) override { runs.push_back(std::move(generator)); }
    std::vector<std::unique_ptr<ReportGenerator>> runs;
};

// The cursor's states in order ("busy", "normal").
class RecordingCursor : public ReportCursor {
public:
    void setBusy(bool busy) override { states << (busy ? QStringLiteral("busy") : QStringLiteral("normal")); }
    QStringList states;
};

class PrintingTest : public ::testing::Test {
protected:
    static void startSuite(const QString& name) { s_db = new TestDatabase(name); }
    static void endSuite()
    {
        delete s_db;
        s_db = nullptr;
    }

    PrintingTest()
        : m_dataDir("OBDRAC_DATA_DIR", m_scratch.file("data")),
          designer(&printer, &previewer, &cursor)
    {
    }

    void SetUp() override
    {
        SqlTraceOn = false;
        DevelopmentMode = false;
        CurrentUserID = "01";
        CurrentUserName = "Ana Kovač";
        RoundStep = 0.01;
        TableIndexList.clear();
        QFile ini(m_scratch.file("Vektor.INI"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.close();
        setProgramIniFile(m_scratch.file("Vektor.INI"));
        module = std::make_unique<TDataSif>();
        DataSif = module.get();
        module->connectWithAttributes(s_db->connectString().split(';', Qt::SkipEmptyParts));
        if (!module->DatabaseTemp.isConnected())
            module->DatabaseTemp.connect();
        installReportCatalogue(*module);
    }
    void TearDown() override
    {
        previewer.runs.clear();
        module.reset();
        DataSif = nullptr;
        TableIndexList.clear();
        CurrentUserID.clear();
        CurrentUserName.clear();
    }

    // The listing table with n rows (closed afterwards when asked).
    void makeListing(int rows, bool closed = false)
    {
        LocalTable& t = module->tbNapaka;
        t.close();
        defineTObdracNapaka(t);
        t.createTable();
        t.open();
        for (int i = 0; i < rows; ++i) {
            t.append();
            t.setValue("Kljuc", "25G10000" + QString::number(i + 1));
            t.setValue("Tip", "Račun");
            t.setValue("PoslDog", "10");
            t.setValue("Subjekt", "Čistilni servis Čisto d.o.o.");
            t.setValue("Ident", "STOR-01");
            t.setValue("Kolicina", 2.0);
            t.setValue("Cena", 1234.5);
            t.setValue("Rabat", 10.0);
            t.post();
        }
        if (closed)
            t.close();
    }

    // SQL on the suite's database as the login role (rows by line, columns by '|').
    static QString sql(const QString& statements) { return s_db->psql("SET ROLE obdrac;" + statements); }

    static TestDatabase* s_db;
    ScratchDir m_scratch;
    EnvScope m_dataDir;
    ScriptedMessageBoxes boxes;
    RecordingPrinter printer;
    RecordingPreviewer previewer;
    RecordingCursor cursor;
    TReportDesignerDialog designer;
    std::unique_ptr<TDataSif> module;
};
inline TestDatabase* PrintingTest::s_db = nullptr;
