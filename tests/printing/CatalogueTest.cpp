// The report catalogue on the real database: the defaults of a new definition, the system-report
// guard with its conversion rule, Report closed after a catalogue change, and the code classes.
#include "PrintingFixture.h"

#include "data/core/EAbort.h"
#include "data/core/EConvertError.h"
#include "data/dataset/TwwOEDataSet.h"
#include "printing/ReportCodes.h"
#include "printing/ReportStart.h"

#include <QDateTime>

namespace {

class CatalogueTest : public PrintingTest {
protected:
    static void SetUpTestSuite() { startSuite("printing_catalogue"); }
    static void TearDownTestSuite() { endSuite(); }
};

TEST(ReportCodes, HexadecimalValueAndClass)
{
    struct Case {
        QString code;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"000", 0},          {"27F", 0x27F},     {"9FF", 0x9FF},      {"A00", 0xA00},     {"a0f", 0xA0F},
        {"FFF", 0xFFF},      {"27K", std::nullopt}, {"", std::nullopt}, {" 12", std::nullopt}, {"-12", std::nullopt},
        {"0x1", std::nullopt}, {"1 2", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reportCodeValue(c.code), c.value) << c.code.toStdString();
        if (c.value)
            EXPECT_EQ(isSystemReportCode(c.code), *c.value < 0xA00) << c.code.toStdString();
        else
            EXPECT_THROW(isSystemReportCode(c.code), EConvertError) << c.code.toStdString();
    }
}

TEST_F(CatalogueTest, NewRecordGetsEveryDefaultAndIsWrittenWithItsAuditFields)
{
    TwwOEDataSet& tb = *module->tbReport;
    tb.Open();
    const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
    tb.Insert();
    const struct {
        const char* field;
        QVariant value;
    } defaults[] = {
        {"MAXKOSLEVEL", 0},
        {"DEFAULTPRINTER", "Privzet tiskalnik"},
        {"ZAMENJAJPREDZNAK", "F"},
        {"PRINTIFEMPTY", "F"},
        {"PRINTTOTEXT", "F"},
        {"PREVIEW", "T"},
        {"NOOFCOPY", 1},
        {"IZJAVA", "Na podlagi izjave kupca št. %s z dne %s "},
        {"IZJAVANAD", "prometni davek ni bil obračunan."},
        {"IZJAVAZNI", "je bil davek obračunan po znižani stopnji."},
        {"USERZAP", "01"},
    };
    for (const auto& d : defaults)
        EXPECT_EQ(tb.FieldByName(d.field).asString(), d.value.toString()) << d.field;
    EXPECT_GE(tb.FieldByName("DATUMZAP").asDateTime(), before);

    tb.FieldByName("REPORT").setValue("A07");
    tb.FieldByName("NAZIV").setValue("Moj izpis č");
    tb.FieldByName("FORMNAME").setValue("ObdracIzpis");
    tb.Post();
    EXPECT_EQ(sql("SELECT Naziv, Preview, NoOfCopy, PrintIfEmpty, Izjava, UserZap, UserSpre FROM Report WHERE Report = 'A07'"),
              "Moj izpis č|T|1|F|Na podlagi izjave kupca št. %s z dne %s |01|01");
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(CatalogueTest, NewRecordOfTheDefinitionDatasetGetsTheSameDefaults)
{
    ASSERT_TRUE(positionReport("27K"));
    TwwOEDataSet& r = *module->Report;
    r.Append();
    EXPECT_EQ(r.FieldByName("PREVIEW").asString(), "T");
    EXPECT_EQ(r.FieldByName("NOOFCOPY").asInteger(), 1);
    EXPECT_EQ(r.FieldByName("DEFAULTPRINTER").asString(), "Privzet tiskalnik");
    r.Cancel();
}

TEST_F(CatalogueTest, NewRecordFailureIsLoggedAndTheDefaultsBeforeItStay)
{
    // A dataset of the table without most of its columns: the first default it lacks fails.
    TwwOEDataSet ds;
    ds.setName("tbOzek");
    ds.sethDbc(&module->Database);
    ds.setSQL("SELECT Report, MaxKosLevel, DefaultPrinter FROM Report ORDER BY Report");
    ds.OnNewRecord = ReportNewRecord;
    ds.Open();
    ds.Insert();
    EXPECT_EQ(ds.FieldByName("MAXKOSLEVEL").asInteger(), 0);
    EXPECT_EQ(ds.FieldByName("DEFAULTPRINTER").asString(), "Privzet tiskalnik");
    ds.Cancel();
    EXPECT_EQ(errorLogOperations(), QStringList{"ReportNewRecord"});
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(CatalogueTest, DeletionGuardKeepsSystemReportsAndFollowsTheConversionRule)
{
    sql("INSERT INTO Report (Report, Naziv, FormName) VALUES ('001', 'Sistemski', 'Drugo'),"
        " ('9FF', 'Zadnji sistemski', 'Drugo'), ('A00', 'Uporabniški', 'Drugo'), ('X1Y', 'Neveljavna šifra', 'Drugo')");
    TwwOEDataSet& tb = *module->tbReport;
    tb.Open();
    struct Case {
        QString code;
        bool kept;
        QStringList messages;
        QStringList log;
    };
    const Case cases[] = {
        {"001", true, {"Ne moreš brisati sistemskega reporta !"}, {}},
        {"9FF", true, {"Ne moreš brisati sistemskega reporta !"}, {}},
        {"A00", false, {}, {}},
        // Not a hexadecimal number: the conversion failure is logged and does not stop the deletion.
        {"X1Y", false, {}, {"tbReportBeforeDelete"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code.toStdString());
        boxes.clear();
        const QStringList logBefore = errorLogOperations();
        ASSERT_TRUE(tb.Locate("REPORT", c.code));
        try {
            tb.Delete();
        } catch (const EAbort&) {
        }
        EXPECT_EQ(boxes.texts(), c.messages);
        EXPECT_EQ(errorLogOperations().mid(logBefore.size()), c.log);
        EXPECT_EQ(sql("SELECT COUNT(*) FROM Report WHERE Report = '" + c.code + "'"), c.kept ? "1" : "0");
        EXPECT_EQ(tb.Locate("REPORT", c.code), c.kept);
    }
}

TEST_F(CatalogueTest, CatalogueChangesCloseTheDefinitionSoThatItIsReadAgain)
{
    ASSERT_TRUE(positionReport("27K"));
    ASSERT_TRUE(module->Report->Active());
    TwwOEDataSet& tb = *module->tbReport;
    tb.Open();
    ASSERT_TRUE(tb.Locate("REPORT", "27K"));
    tb.Edit();
    tb.FieldByName("PREVIEW").setValue("F");
    tb.Post();
    EXPECT_FALSE(module->Report->Active());
    ASSERT_TRUE(positionReport("27K"));
    EXPECT_EQ(module->Report->FieldByName("PREVIEW").asString(), "F");
    EXPECT_EQ(module->Report->FieldByName("USERSPRE").asString(), "01");

    sql("INSERT INTO Report (Report, Naziv, FormName) VALUES ('A01', 'Za brisanje', 'Drugo')");
    tb.Close();
    tb.Open();
    ASSERT_TRUE(positionReport("A01"));
    ASSERT_TRUE(tb.Locate("REPORT", "A01"));
    tb.Delete();
    EXPECT_FALSE(module->Report->Active());
    EXPECT_FALSE(positionReport("A01"));
}

} // namespace
