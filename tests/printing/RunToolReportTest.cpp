// The listing written to files without a window (obdrac-run --dry-run --pdf ...) on the demo
// company, and the shipped reports installed on an existing company by obdrac-config.
#include "PrintingFixture.h"

#include "data/config/RegistryFileWriter.h"

#include <QDate>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace {

class RunToolReportTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_db = new TestDatabase("printing_tool"); }
    static void TearDownTestSuite()
    {
        delete s_db;
        s_db = nullptr;
    }

    void SetUp() override
    {
        QFile ini(iniPath());
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QString("[Program]\nFillUpdateLogDir=%1\n\n[Database]\nServerName=%2\nDataBaseName=%3\n")
                      .arg(m_dir.file("log"), TestDatabase::socketDir(), s_db->name())
                      .toUtf8());
        ini.close();
        WriteSqlUserName(m_dir.file("registry.ini"), "obdrac");
        WriteSqlPassword(m_dir.file("registry.ini"), "obdrac");
    }

    QString iniPath() const { return m_dir.file("Vektor.INI"); }

    ProcessResult tool(const QString& program, const QStringList& arguments) const
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("OBDRAC_REGISTRY", m_dir.file("registry.ini"));
        env.insert("OBDRAC_DATA_DIR", m_dir.file("data"));
        env.insert("XDG_CONFIG_HOME", m_dir.file("config"));
        env.insert("PGPORT", TestDatabase::port());
        // User 02 of the demo has no password stored: any of at least four characters.
        env.insert("OBDRAC_PASSWORD", "abcd");
        p.setProcessEnvironment(env);
        p.start(program, arguments);
        ProcessResult r;
        if (!p.waitForFinished(300000)) {
            p.kill();
            p.waitForFinished();
            return r;
        }
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    ProcessResult listing(const QStringList& files) const
    {
        return tool(QStringLiteral(OBDRAC_RUN_PATH),
                    QStringList{"--ini", iniPath(), "--user", "02", "--period-from",
                                QDate::currentDate().toString("yyyy-MM-dd"), "--dry-run"}
                        + files);
    }

    static TestDatabase* s_db;
    ScratchDir m_dir;
};
TestDatabase* RunToolReportTest::s_db = nullptr;

QString fileText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TEST_F(RunToolReportTest, DryRunWritesTheListingAsPdfHtmlSpreadsheetAndCsv)
{
    const QString pdf = m_dir.file("izpis.pdf"), htm = m_dir.file("izpis.htm"), xlsx = m_dir.file("izpis.xlsx"),
                  csv = m_dir.file("izpis.csv");
    const ProcessResult r = listing({"--pdf", pdf, "--html", htm, "--xlsx", xlsx, "--csv-report", csv});
    // (the demo company keeps due templates that make no document: their "NI KREIRAN" lines give 1)
    ASSERT_EQ(r.exitCode, 1) << r;
    EXPECT_TRUE(r.out.contains("Izpis zapisan v " + pdf + " (strani: ")) << r;

    const ProcessResult text = runProgram("pdftotext", {"-layout", pdf, "-"});
    ASSERT_EQ(text.exitCode, 0) << text;
    EXPECT_TRUE(text.out.contains("Stran 1 od ")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("Čistilni servis Čisto d.o.o.")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("Demo d.o.o.")) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("Izpis periodike")) << text.out.toStdString();
    // Numbers in the Slovenian way: a decimal comma.
    EXPECT_TRUE(text.out.contains(QRegularExpression("\\d,\\d\\d\\b"))) << text.out.toStdString();

    EXPECT_TRUE(fileText(htm).contains("Čistilni servis Čisto d.o.o."));
    QFile sheet(xlsx);
    ASSERT_TRUE(sheet.open(QIODevice::ReadOnly));
    EXPECT_EQ(sheet.read(2), QByteArray("PK"));
    const QStringList csvLines = fileText(csv).split('\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(fileText(csv).contains("Čistilni servis Čisto d.o.o."));

    // The CSV of the text output lists the same lines as the report's CSV has detail lines.
    const ProcessResult rows = listing({"--csv"});
    ASSERT_EQ(rows.exitCode, 1) << rows;   // NI KREIRAN templates of the demo company, as above
    const int listed = int(rows.out.split('\n', Qt::SkipEmptyParts).size()) - 1;
    ASSERT_GT(listed, 5);
    // A header line and one line per listed line.
    EXPECT_EQ(int(csvLines.size()), listed + 1) << fileText(csv).toStdString();
}

TEST_F(RunToolReportTest, WithoutTheReportNothingIsWrittenUntilTheAdministratorInstallsIt)
{
    s_db->psql("SET ROLE obdrac; DELETE FROM Report WHERE Report = '27K'");
    const QString pdf = m_dir.file("izpis.pdf");
    ProcessResult r = listing({"--pdf", pdf});
    EXPECT_EQ(r.exitCode, 2) << r;
    EXPECT_TRUE(r.err.contains("Izpis ne obstaja v bazi !?!")) << r;
    EXPECT_FALSE(QFile::exists(pdf));

    r = tool(QStringLiteral(OBDRAC_CONFIG_PATH), {"--ini", iniPath(), "--install-reports"});
    ASSERT_EQ(r.exitCode, 0) << r;
    EXPECT_TRUE(r.out.contains("27K ObdracIzpis: dodan")) << r;
    EXPECT_EQ(s_db->psql("SELECT UserZap, FormName FROM Report WHERE Report = '27K'"), "00|ObdracIzpis");

    r = tool(QStringLiteral(OBDRAC_CONFIG_PATH), {"--ini", iniPath(), "--install-reports"});
    ASSERT_EQ(r.exitCode, 0) << r;
    EXPECT_TRUE(r.out.contains("27K ObdracIzpis: nespremenjen")) << r;

    r = listing({"--pdf", pdf});
    EXPECT_EQ(r.exitCode, 1) << r;
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST_F(RunToolReportTest, ReportFilesNeedTheDryRun)
{
    const ProcessResult r = tool(QStringLiteral(OBDRAC_RUN_PATH),
                                 {"--ini", iniPath(), "--user", "02", "--period-from", "2026-12-01", "--date",
                                  "2026-12-01", "--pdf", m_dir.file("x.pdf")});
    EXPECT_EQ(r.exitCode, 2) << r;
    EXPECT_TRUE(r.err.contains("Izbira --pdf velja le skupaj z --dry-run.")) << r;
}

} // namespace
