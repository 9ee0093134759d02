// Printing for real: the listing with PREVIEW "F" and NOOFCOPY 2 on the test queue of CUPS (a
// cups-pdf queue that scripts/test.sh sets up) leaves two completed jobs and two PDF files with
// the report's page count. And the choice of the printer.
#include "PrintingFixture.h"

#include "printing/PrintingRun.h"
#include "printing/QtReportPrinter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>

namespace {

TEST(PrinterChoice, NamedInstalledPrinterElseTheDefault)
{
    const QStringList installed{"ObdracPDF", "Računovodstvo"};
    struct Case {
        QString requested;
        QStringList installed;
        QString defaultPrinter;
        QString chosen;
    };
    const Case cases[] = {
        {"Računovodstvo", installed, "ObdracPDF", "Računovodstvo"},
        {"računovodstvo ", installed, "ObdracPDF", "Računovodstvo"},
        {"Privzet tiskalnik", installed, "ObdracPDF", "ObdracPDF"},
        {"", installed, "ObdracPDF", "ObdracPDF"},
        {"Nekje drugje", installed, "", ""},
        {"Privzet tiskalnik", {}, "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(QtReportPrinter::choosePrinter(c.requested, c.installed, c.defaultPrinter), c.chosen)
            << c.requested.toStdString();
}

// Forwards to the real printer and remembers the page counts sent.
class CountingPrinter : public ReportPrinter {
public:
    void printReport(const PreparedReport& report, const QString& printerName, const QString& documentName) override
    {
        pages.push_back(report.pageCount());
        real.printReport(report, printerName, documentName);
    }
    QtReportPrinter real;
    std::vector<int> pages;
};

// Completed jobs of the queue: job number -> nothing.
QList<int> completedJobs(const QString& queue)
{
    const ProcessResult r = runProgram("lpstat", {"-W", "completed", "-o", queue});
    QList<int> ids;
    const QRegularExpression re("^" + QRegularExpression::escape(queue) + "-(\\d+)\\s", QRegularExpression::MultilineOption);
    for (auto it = re.globalMatch(r.out); it.hasNext();)
        ids << it.next().captured(1).toInt();
    return ids;
}

int pdfPages(const QString& path)
{
    const ProcessResult r = runProgram("pdfinfo", {path});
    const QRegularExpressionMatch m = QRegularExpression("^Pages:\\s+(\\d+)", QRegularExpression::MultilineOption).match(r.out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

class CupsPrintTest : public PrintingTest {
protected:
    static void SetUpTestSuite() { startSuite("printing_cups"); }
    static void TearDownTestSuite() { endSuite(); }
};

TEST_F(CupsPrintTest, TwoCopiesWithoutPreviewAreTwoPrintedJobs)
{
    const QString queue = qEnvironmentVariable("OBDRAC_TEST_PRINTER");
    const QString outDir = qEnvironmentVariable("OBDRAC_TEST_PRINTER_OUT");
    ASSERT_FALSE(queue.isEmpty() || outDir.isEmpty())
        << "No test print queue: scripts/test.sh sets it up with scripts/cups.sh (as root).";
    CountingPrinter counting;
    designer.setPrinter(&counting);
    sql("UPDATE Report SET Preview = 'F', NoOfCopy = 2, DefaultPrinter = '" + queue + "' WHERE Report = '27K'");
    QList<int> before = completedJobs(queue);
    const int lastBefore = before.isEmpty() ? 0 : *std::max_element(before.begin(), before.end());

    GenerationCriteria criteria;
    criteria.DatumKont = QDate::currentDate();
    QObject bIzpis;
    ASSERT_TRUE(bIzpisClick(designer, &bIzpis, criteria)) << boxes.texts().join(" / ").toStdString();
    ASSERT_EQ(counting.pages.size(), 2u);
    EXPECT_TRUE(previewer.runs.empty());

    // Both jobs complete and leave their files.
    QList<int> fresh;
    QStringList files;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 90000) {
        fresh.clear();
        for (int id : completedJobs(queue))
            if (id > lastBefore)
                fresh << id;
        files.clear();
        for (int id : fresh) {
            const QStringList found = QDir(outDir).entryList({QString("job_%1-*.pdf").arg(id)}, QDir::Files);
            if (!found.isEmpty())
                files << QDir(outDir).filePath(found[0]);
        }
        if (fresh.size() >= 2 && files.size() >= 2)
            break;
        QThread::msleep(250);
    }
    ASSERT_EQ(fresh.size(), 2) << "completed jobs after " << lastBefore;
    ASSERT_EQ(files.size(), 2);
    for (const QString& f : files) {
        SCOPED_TRACE(f.toStdString());
        EXPECT_EQ(pdfPages(f), counting.pages[0]);
        QFile::remove(f);
    }
}

} // namespace
