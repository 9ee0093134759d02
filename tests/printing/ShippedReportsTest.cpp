// The shipped definitions: what the database set-up installed is what the program carries, and
// installing them on an existing company adds or updates only the shipped codes.
#include "PrintingFixture.h"

#include "printing/ReportStart.h"
#include "printing/ShippedReports.h"

namespace {

class ShippedReportsTest : public PrintingTest {
protected:
    static void SetUpTestSuite() { startSuite("printing_shipped"); }
    static void TearDownTestSuite() { endSuite(); }

    static QString stored(const QString& code, const QString& column = "ReportData")
    {
        return sql("SELECT encode(" + column + ", 'base64') FROM Report WHERE Report = '" + code + "'").remove('\n');
    }
};

TEST_F(ShippedReportsTest, TheListingIsShippedAndReadable)
{
    const std::vector<ShippedReport> list = shippedReports();
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].code, "27K");
    EXPECT_EQ(list[0].name, "ObdracIzpis");
    EXPECT_EQ(list[0].formName, "ObdracIzpis");
    for (const ShippedReport& r : list) {
        SCOPED_TRACE(r.code.toStdString());
        const ReportParseResult parsed = ReportDefinition::parse(shippedReportData(r));
        ASSERT_TRUE(parsed.definition.has_value()) << parsed.error.text().toStdString();
        // The database set-up installed the same bytes.
        EXPECT_EQ(stored(r.code), QString::fromLatin1(shippedReportData(r).toBase64()));
        EXPECT_EQ(sql("SELECT Naziv, FormName, ParentFormName, Preview, NoOfCopy, PrintIfEmpty, DefaultPrinter FROM Report"
                      " WHERE Report = '" + r.code + "'"),
                  r.name + "|" + r.formName + "|" + r.formName + "|T|1|F|Privzet tiskalnik");
    }
}

TEST_F(ShippedReportsTest, InstallAddsUpdatesAndLeavesTheUsersVariantsAndOptions)
{
    const QByteArray shipped = shippedReportData(shippedReports()[0]);
    // A user's variant of the listing, and a company that set the listing to print directly.
    sql("INSERT INTO Report (Report, Naziv, FormName, ParentFormName, ReportData, Preview)"
        " VALUES ('A00', 'Moj izpis', 'ObdracIzpis', 'ObdracIzpis', convert_to('{\"moj\": 1}', 'UTF8'), 'T');"
        "UPDATE Report SET Preview = 'F', NoOfCopy = 2, DefaultPrinter = 'Računovodstvo',"
        " ReportData = convert_to('{\"stara\": 1}', 'UTF8'), Naziv = 'Star naziv' WHERE Report = '27K'");
    const QString userVariant = sql("SELECT Report, Naziv, encode(ReportData, 'base64'), DatumSpre FROM Report WHERE Report = 'A00'");

    std::vector<InstalledReport> done = installShippedReports(*module);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].code, "27K");
    EXPECT_EQ(done[0].action, InstalledReport::Action::Updated);
    EXPECT_EQ(stored("27K"), QString::fromLatin1(shipped.toBase64()));
    EXPECT_EQ(sql("SELECT Naziv, Preview, NoOfCopy, DefaultPrinter, UserSpre FROM Report WHERE Report = '27K'"),
              "ObdracIzpis|F|2|Računovodstvo|01");
    EXPECT_EQ(sql("SELECT Report, Naziv, encode(ReportData, 'base64'), DatumSpre FROM Report WHERE Report = 'A00'"), userVariant);
    EXPECT_FALSE(module->Report->Active());

    // Again: nothing to do.
    done = installShippedReports(*module);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].action, InstalledReport::Action::Unchanged);

    // A company without it gets it with the defaults of a new definition.
    sql("DELETE FROM Report WHERE Report = '27K'");
    done = installShippedReports(*module);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].action, InstalledReport::Action::Added);
    EXPECT_EQ(stored("27K"), QString::fromLatin1(shipped.toBase64()));
    EXPECT_EQ(sql("SELECT Naziv, FormName, ParentFormName, Preview, NoOfCopy, PrintIfEmpty, DefaultPrinter, UserZap,"
                  " Izjava FROM Report WHERE Report = '27K'"),
              "ObdracIzpis|ObdracIzpis|ObdracIzpis|T|1|F|Privzet tiskalnik|01|Na podlagi izjave kupca št. %s z dne %s ");
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_TRUE(errorLogOperations().isEmpty());
}

} // namespace
