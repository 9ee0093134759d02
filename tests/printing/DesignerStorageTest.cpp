// How the report designer keeps definitions in table Report: the name rules of Save as, the code
// of a new report, Save of a system report, and replaces that leave the old report when they fail.
#include "PrintingFixture.h"

#include "data/DataSif.h"
#include "data/dataset/TwwOEDataSet.h"
#include "printing/ReportDesignerStorage.h"

namespace {

class DesignerStorageTest : public PrintingTest {
protected:
    static void SetUpTestSuite() { startSuite("printing_designer_storage"); }
    static void TearDownTestSuite() { endSuite(); }

    // A variant row of the listing's form name.
    static void addVariant(const QString& code, const QString& name, const QByteArray& data = "{}")
    {
        sql(QStringLiteral("INSERT INTO Report (Report, Naziv, FormName, ParentFormName, ReportData, Preview, NoOfCopy) "
                           "VALUES ('%1', '%2', 'ObdracIzpis', 'ObdracIzpis', convert_to('%3', 'UTF8'), 'F', 3)")
                .arg(code, name, QString::fromUtf8(data)));
    }
    static QString row(const QString& code, const QString& columns)
    {
        return sql("SELECT " + columns + " FROM Report WHERE Report = '" + code + "'").trimmed();
    }
};

TEST(DesignerStorageRules, CodeOfANewReport)
{
    struct {
        QStringList codes;
        QString next;
    } cases[] = {
        {{}, "A00"},
        {{"27K", "100", "9FF"}, "A00"},                 // highest below A00: the floor
        {{"A0F", "27K", "100"}, "A10"},                 // A0F + 1
        {{"A09", "a0b", "27K"}, "A0C"},                 // lower case read as well
        {{"ZZZ", "27K"}, "A00"},                        // nothing hexadecimal at all
        {{"A00", "A01", "FFF"}, "A02"},                 // past FFF: the lowest free code from A00
    };
    for (const auto& c : cases)
        EXPECT_EQ(nextUserReportCode(c.codes), c.next) << c.codes.join(',').toStdString();
    QStringList full;
    for (int v = 0xA00; v <= 0xFFF; ++v)
        full << QString::number(v, 16).toUpper();
    EXPECT_THROW(nextUserReportCode(full), EReportSave);
}

TEST(DesignerStorageRules, NameRulesOfSaveAs)
{
    const std::vector<ReportListRow> rows{{"27K", "ObdracIzpis"}, {"A00", "Moja različica"}, {"100", "Sistemski"},
                                          {"A01", "Široka"}};
    using Kind = SaveAsTarget::Kind;
    const QString taken = "Ime je že zasedeno! Prosim izberite drugo ime.";
    struct {
        QString typed;
        Kind kind;
        QString code;
        QString message;
    } cases[] = {
        {"ObdracIzpis", Kind::Refused, "", taken},     // the first listed report
        {"Moja različica", Kind::Replace, "A00", ""},  // a later one: replace
        {"  Široka ", Kind::Replace, "A01", ""},       // blanks around the name do not count
        {"Sistemski", Kind::Refused, "", taken},       // a later system report is not replaced
        {"moja različica", Kind::New, "", ""},         // names compared as written
        {"Nova", Kind::New, "", ""},
        {"   ", Kind::Refused, "", "Vpišite ime izpisa !"},
    };
    for (const auto& c : cases) {
        const SaveAsTarget t = chooseSaveAsTarget(rows, c.typed);
        EXPECT_EQ(t.kind, c.kind) << c.typed.toStdString();
        EXPECT_EQ(t.code, c.code) << c.typed.toStdString();
        EXPECT_EQ(t.message, c.message) << c.typed.toStdString();
    }
    EXPECT_EQ(replaceQuestion("Moja"), QString("Ste preprićani, da želite zamenjati report: Moja?"));
}

TEST_F(DesignerStorageTest, SaveOfASystemCodeGoesToSaveAsAndNotHexadecimalIsRefused)
{
    EXPECT_TRUE(saveNeedsSaveAs("100"));
    EXPECT_TRUE(saveNeedsSaveAs("9FF"));
    EXPECT_FALSE(saveNeedsSaveAs("A00"));
    try {
        saveNeedsSaveAs("27K");
        FAIL() << "27K accepted";
    } catch (const EReportSave& e) {
        EXPECT_TRUE(e.message().contains("27K")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("Shrani kot")) << e.message().toStdString();
    }
}

TEST_F(DesignerStorageTest, SaveAsInsertsANewReportWithTheDefaults)
{
    sql("DELETE FROM Report WHERE Report >= 'A00' AND Report <> '27K'");
    addVariant("A0F", "Prejšnja");
    const DesignerReport current{"27K", "ObdracIzpis", "ObdracIzpis"};
    const std::vector<ReportListRow> rows = reportsOfForm("ObdracIzpis");
    ASSERT_GE(rows.size(), 2u);
    const SaveAsTarget target = chooseSaveAsTarget(rows, "Ležeča različica");
    ASSERT_EQ(target.kind, SaveAsTarget::Kind::New);
    const DesignerReport saved = saveReportAs(current, target, "Ležeča različica", "{\"x\": \"č\"}");
    EXPECT_EQ(saved.code, QString("A10"));
    EXPECT_EQ(saved.name, QString("Ležeča različica"));
    EXPECT_EQ(saved.formName, QString("ObdracIzpis"));
    EXPECT_EQ(row("A10", "Naziv, FormName, ParentFormName, convert_from(ReportData, 'UTF8'), Preview, NoOfCopy, "
                         "DefaultPrinter, PrintIfEmpty, UserZap"),
              QString("Ležeča različica|ObdracIzpis|ObdracIzpis|{\"x\": \"č\"}|T|1|Privzet tiskalnik|F|01"));
    // Report stands on the new row
    EXPECT_EQ(DataSif->Report->FieldByName("REPORT").asString(), QString("A10"));
    // a form name with an apostrophe is quoted, not cut into the SQL text
    EXPECT_TRUE(reportsOfForm("Obdrac' OR '1'='1").empty());
}

TEST_F(DesignerStorageTest, ReplaceRewritesTheRowInPlace)
{
    sql("DELETE FROM Report WHERE Report >= 'A00' AND Report <> '27K'");
    addVariant("A00", "Moja", "{\"staro\": 1}");
    const DesignerReport current{"27K", "ObdracIzpis", "ObdracIzpis"};
    const SaveAsTarget target = chooseSaveAsTarget(reportsOfForm("ObdracIzpis"), "Moja");
    ASSERT_EQ(target.kind, SaveAsTarget::Kind::Replace);
    const DesignerReport saved = saveReportAs(current, target, "Moja", "{\"novo\": 2}");
    EXPECT_EQ(saved.code, QString("A00"));
    // the replaced report is made as a new one would be: the old print options are gone
    EXPECT_EQ(row("A00", "Naziv, convert_from(ReportData, 'UTF8'), Preview, NoOfCopy"), QString("Moja|{\"novo\": 2}|T|1"));
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Report WHERE Report >= 'A00' AND Report <> '27K'").trimmed(), QString("1"));
}

TEST_F(DesignerStorageTest, AReplaceThatFailsLeavesTheOldReport)
{
    sql("DELETE FROM Report WHERE Report >= 'A00' AND Report <> '27K'");
    addVariant("A00", "Moja", "{\"staro\": 1}");
    const DesignerReport current{"27K", "ObdracIzpis", "ObdracIzpis"};
    const SaveAsTarget target = chooseSaveAsTarget(reportsOfForm("ObdracIzpis"), "Moja");
    ASSERT_EQ(target.kind, SaveAsTarget::Kind::Replace);
    // the write fails after the old report was found (the server refuses the new name): the old
    // report is still there, as it was
    sql("ALTER TABLE Report ADD CONSTRAINT report_refused CHECK (Naziv <> 'Zavrnjeno')");
    EXPECT_ANY_THROW(saveReportAs(current, target, "Zavrnjeno", "{\"novo\": 2}"));
    sql("ALTER TABLE Report DROP CONSTRAINT report_refused");
    EXPECT_EQ(row("A00", "Naziv, convert_from(ReportData, 'UTF8'), Preview, NoOfCopy"), QString("Moja|{\"staro\": 1}|F|3"));
    // the data module's Report is usable again
    EXPECT_NE(DataSif->Report->State(), dsEdit);
    const DesignerReport again = saveReportAs(current, target, "Moja", "{\"novo\": 3}");
    EXPECT_EQ(again.code, QString("A00"));
    EXPECT_EQ(row("A00", "convert_from(ReportData, 'UTF8')"), QString("{\"novo\": 3}"));
}

TEST_F(DesignerStorageTest, SaveWritesOnlyTheLayoutOfTheCurrentRow)
{
    sql("DELETE FROM Report WHERE Report >= 'A00' AND Report <> '27K'");
    addVariant("A03", "Moja", "{\"staro\": 1}");
    writeReportLayout("A03", "{\"novo\": 1}");
    EXPECT_EQ(row("A03", "Naziv, convert_from(ReportData, 'UTF8'), Preview, NoOfCopy"), QString("Moja|{\"novo\": 1}|F|3"));
    EXPECT_THROW(writeReportLayout("A0E", "{}"), EReportSave);
}

} // namespace
