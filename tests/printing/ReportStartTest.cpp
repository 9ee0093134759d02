// StartQRDPrint: the variant chosen in ReportSort or the default, the emptiness rule, the output
// options, the messages and log entries, and the cursor put back in every case.
#include "PrintingFixture.h"

#include "data/dataset/TwwOEDataSet.h"
#include "printing/PrintOrigin.h"
#include "printing/ReportSort.h"
#include "printing/ReportStart.h"

namespace {

class ReportStartTest : public PrintingTest {
protected:
    static void SetUpTestSuite() { startSuite("printing_start"); }
    static void TearDownTestSuite() { endSuite(); }

    // Every test starts from 27K as shipped.
    void SetUp() override
    {
        PrintingTest::SetUp();
        static QString shipped;
        if (shipped.isEmpty())
            shipped = sql("SELECT encode(ReportData, 'base64') FROM Report WHERE Report = '27K'").remove('\n');
        sql("UPDATE Report SET Preview = 'T', NoOfCopy = 1, PrintIfEmpty = 'F', PrintToText = 'F', OrderBy = NULL,"
            " ReportData = decode('" + shipped + "', 'base64') WHERE Report = '27K'");
        module->Report->Close();
    }

};

enum class Data { Rows, Empty, Closed, None };

struct StartCase {
    const char* name = "";
    QString setupSql = {};       // after the catalogue is reset to 27K alone, as shipped
    QString reportSort = {};     // ReportSort/ObdracIzpis; empty: no entry
    QString defaultCode = "27K";
    Data data = Data::Rows;
    bool result = true;
    QStringList messages = {};
    int prints = 0;
    int previews = 0;
    QString positionedOn = "27K";
    QStringList log = {};
};

// A variant of 27K with the given code, form name and options.
QString variant(const QString& code, const QString& formName, const QString& preview = "T", int copies = 1)
{
    return QString("INSERT INTO Report (Report, Naziv, FormName, ParentFormName, Preview, NoOfCopy, PrintIfEmpty,"
                   " PrintToText, ReportData) SELECT '%1', 'Različica %1', '%2', '%2', '%3', %4, 'F', 'F', ReportData"
                   " FROM Report WHERE Report = '27K';")
        .arg(code, formName, preview)
        .arg(copies);
}

TEST_F(ReportStartTest, CasesOfTheStart)
{
    const QString original = sql("SELECT encode(ReportData, 'base64') FROM Report WHERE Report = '27K'").remove('\n');
    ASSERT_FALSE(original.isEmpty()) << "the database set-up installs 27K";
    const StartCase cases[] = {
        {.name = "no ReportSort entry: the default", .previews = 1},
        {.name = "a vanished code: the default, silently", .reportSort = "A05", .previews = 1},
        {.name = "a code of another form name: the default, silently",
         .setupSql = variant("A01", "Drugo"),
         .reportSort = "A01",
         .previews = 1},
        {.name = "a variant of the form name in other case is used",
         .setupSql = variant("A02", "OBDRACIZPIS", "F", 1),
         .reportSort = "A02",
         .prints = 1,
         .positionedOn = "A02"},
        {.name = "neither the chosen nor the default code",
         .reportSort = "A05",
         .defaultCode = "ZZZ",
         .result = false,
         .messages = {"Izpis ne obstaja v bazi !?!"},
         .positionedOn = ""},
        {.name = "another form name and no default: false without a message",
         .setupSql = variant("A01", "Drugo"),
         .reportSort = "A01",
         .defaultCode = "ZZZ",
         .result = false,
         .positionedOn = ""},
        {.name = "PREVIEW F with NOOFCOPY 0: nothing, and still true",
         .setupSql = "UPDATE Report SET Preview = 'F', NoOfCopy = 0 WHERE Report = '27K';"},
        {.name = "PREVIEW F with NOOFCOPY 3: three prints",
         .setupSql = "UPDATE Report SET Preview = 'F', NoOfCopy = 3 WHERE Report = '27K';",
         .prints = 3},
        {.name = "PREVIEW T with NOOFCOPY 3: three prints and no preview",
         .setupSql = "UPDATE Report SET Preview = 'T', NoOfCopy = 3 WHERE Report = '27K';",
         .prints = 3},
        {.name = "PREVIEW T with NOOFCOPY 0: the preview",
         .setupSql = "UPDATE Report SET Preview = 'T', NoOfCopy = 0 WHERE Report = '27K';",
         .previews = 1},
        {.name = "empty dataset without PRINTIFEMPTY",
         .data = Data::Empty,
         .result = false,
         .messages = {"Ni nobenega zapisa !"}},
        {.name = "empty dataset with PRINTIFEMPTY",
         .setupSql = "UPDATE Report SET PrintIfEmpty = 'T' WHERE Report = '27K';",
         .data = Data::Empty,
         .previews = 1},
        {.name = "a closed dataset is opened", .data = Data::Closed, .previews = 1},
        {.name = "no dataset: printable", .data = Data::None, .previews = 1},
        {.name = "PRINTTOTEXT: nothing is output, true",
         .setupSql = "UPDATE Report SET PrintToText = 'T', Preview = 'F', NoOfCopy = 2 WHERE Report = '27K';"},
        {.name = "a damaged definition is shown and logged",
         .setupSql = "UPDATE Report SET ReportData = convert_to('{\"format\": \"obdrac-report\",\n  \"version\": ', 'UTF8')"
                     " WHERE Report = '27K';",
         .result = false,
         .messages = {"*Izpisa 27K (ObdracIzpis) ni mogoče prebrati: vrstica "},
         .log = {"StartQRDPrint"}},
    };
    QObject origin;
    origin.setObjectName("bIzpis");
    for (const StartCase& c : cases) {
        SCOPED_TRACE(c.name);
        sql("DELETE FROM Report WHERE Report <> '27K';"
            "UPDATE Report SET Preview = 'T', NoOfCopy = 1, PrintIfEmpty = 'F', PrintToText = 'F', OrderBy = NULL,"
            " FormName = 'ObdracIzpis', ReportData = decode('" + original + "', 'base64') WHERE Report = '27K';"
            + c.setupSql);
        module->Report->Close();
        {
            IniFile& ini = programIniFile();
            ini.eraseSection(ReportSortSection);
            if (!c.reportSort.isEmpty())
                rememberReportCode("ObdracIzpis", c.reportSort);
        }
        makeListing(c.data == Data::Empty ? 0 : 3, c.data == Data::Closed);
        boxes.clear();
        printer.jobs.clear();
        previewer.runs.clear();
        cursor.states.clear();
        setPrintOrigin(nullptr);
        const QStringList logBefore = errorLogOperations();

        const ReportStartDataSet dataSet =
            c.data == Data::None ? ReportStartDataSet() : ReportStartDataSet(module->tbNapaka, "tbNapaka");
        const bool result = StartQRDPrint(designer, &origin, dataSet, "ObdracIzpis", c.defaultCode);

        EXPECT_EQ(result, c.result);
        if (!c.messages.isEmpty() && c.messages[0].startsWith('*')) {
            ASSERT_EQ(boxes.texts().size(), 1);
            EXPECT_TRUE(boxes.texts()[0].startsWith(c.messages[0].mid(1))) << boxes.texts()[0].toStdString();
            EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Error);
        } else {
            EXPECT_EQ(boxes.texts(), c.messages);
        }
        EXPECT_EQ(int(printer.jobs.size()), c.prints);
        EXPECT_EQ(int(previewer.runs.size()), c.previews);
        EXPECT_EQ(errorLogOperations().mid(logBefore.size()), c.log);
        EXPECT_EQ(cursor.states, (QStringList{"busy", "normal"}));
        EXPECT_EQ(PrintOrigin(), &origin);
        if (!c.positionedOn.isEmpty()) {
            EXPECT_EQ(module->Report->FieldByName("REPORT").asString(), c.positionedOn);
        }
        if (c.data == Data::Closed) {
            EXPECT_TRUE(module->tbNapaka.isOpen());
        }
        for (const RecordingPrinter::Job& job : printer.jobs)
            EXPECT_GE(job.pages, 1);
    }
}

TEST_F(ReportStartTest, MessagesOfTheStartHaveTheirKinds)
{
    makeListing(0);
    module->Report->Close();
    sql("UPDATE Report SET PrintIfEmpty = 'F' WHERE Report = '27K'");
    EXPECT_FALSE(StartQRDPrint(designer, nullptr, ReportStartDataSet(module->tbNapaka, "tbNapaka"), "ObdracIzpis", "27K"));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Information);
    boxes.clear();
    EXPECT_FALSE(StartQRDPrint(designer, nullptr, ReportStartDataSet(), "Nikjer", "ZZZ"));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Error);
    // Without an origin the placeholder stands in, which is no button.
    EXPECT_EQ(PrintOrigin(), printOriginPlaceholder());
}

TEST_F(ReportStartTest, OrderByOfTheDefinitionOrdersALiveDatasetWhichStartsOnItsFirstRecord)
{
    module->Report->Close();
    sql("UPDATE Report SET OrderBy = 'Naziv DESC', PrintToText = 'T' WHERE Report = '27K'");
    TwwOEDataSet partners;
    partners.setName("tbPartnerji");
    partners.sethDbc(&module->Database);
    partners.setSQL("SELECT Naziv FROM Subjekt ORDER BY Naziv");
    partners.Open();
    partners.Next();
    partners.Next();
    EXPECT_TRUE(StartQRDPrint(designer, nullptr, ReportStartDataSet(partners), "ObdracIzpis", "27K"));
    EXPECT_TRUE(partners.SQLText().contains("ORDER BY NAZIV DESC", Qt::CaseInsensitive)) << partners.SQLText().toStdString();
    EXPECT_EQ(partners.RecNo(), 1);
    EXPECT_EQ(partners.FieldByName("NAZIV").asString(), sql("SELECT Naziv FROM Subjekt ORDER BY Naziv DESC LIMIT 1"));
}

TEST_F(ReportStartTest, AFailingPrinterIsShownLoggedAndReportedAsFailure)
{
    makeListing(2);
    module->Report->Close();
    sql("UPDATE Report SET Preview = 'F', NoOfCopy = 2 WHERE Report = '27K'");
    printer.failWith = QString("Tiskalnik \"X\" ni dosegljiv.");
    EXPECT_FALSE(StartQRDPrint(designer, nullptr, ReportStartDataSet(module->tbNapaka, "tbNapaka"), "ObdracIzpis", "27K"));
    EXPECT_EQ(printer.jobs.size(), 1u);   // the second copy is not tried
    EXPECT_EQ(boxes.texts(), QStringList{"Tiskalnik \"X\" ni dosegljiv."});
    EXPECT_EQ(errorLogOperations(), QStringList{"StartQRDPrint"});
    EXPECT_EQ(cursor.states.last(), "normal");
}

TEST_F(ReportStartTest, TheOpenFailureOfTheDatasetIsShownAndLoggedTwice)
{
    module->Report->Close();
    TwwOEDataSet broken;
    broken.setName("tbPokvarjen");
    broken.sethDbc(&module->Database);
    broken.setSQL("SELECT * FROM TabelaKiJeNi");
    EXPECT_FALSE(StartQRDPrint(designer, nullptr, ReportStartDataSet(broken), "ObdracIzpis", "27K"));
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Napaka pri odpiranju datoteke: tbPokvarjen !")) << boxes.texts()[0].toStdString();
    EXPECT_EQ(errorLogOperations(), (QStringList{"OpenTable-tbPokvarjen", "StartQRDPrint"}));
    EXPECT_EQ(cursor.states, (QStringList{"busy", "normal"}));
}

} // namespace
