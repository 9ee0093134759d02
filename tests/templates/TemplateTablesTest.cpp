#include "TemplatesTestSupport.h"

#include "data/core/EAbort.h"
#include "data/core/EConvertError.h"
#include "data/dataset/TField.h"
#include "templates/TemplateRules.h"

#include <QTime>

namespace {
TemplatesDatabase* g_database = static_cast<TemplatesDatabase*>(::testing::AddGlobalTestEnvironment(new TemplatesDatabase));

QDateTime day(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); }

class TemplateTablesTest : public TemplatesTest {
protected:
    // A business event of this test's own, listed.
    void openOwn(const QString& code)
    {
        addBusinessEvent(code, "Periodika testa " + code);
        shownPoslDog = code;
        tables->fObdracPoslDogCloseUp(code);
        ASSERT_TRUE(tables->tbObdrac.Active());
        ASSERT_TRUE(tables->tbObdracPoz.Active());
    }
    TField& f(const char* name) { return tables->tbObdrac.FieldByName(name); }
    TField& line(const char* name) { return tables->tbObdracPoz.FieldByName(name); }
    // Posts the template being edited, with a partner and a business event of the documents
    // when the test has not given them (a template without them is refused).
    void post()
    {
        if (f("SUBJEKT").asString().isEmpty())
            f("SUBJEKT").setAsString("Žito d.d.");
        if (f("POSLDOGFAK").asString().isEmpty())
            f("POSLDOGFAK").setAsString("10");
        tables->tbObdrac.Post();
    }
    // A posted template of the listed business event.
    QString postedTemplate()
    {
        tables->tbObdrac.Append();
        f("SUBJEKT").setAsString("Žito d.d.");
        post();
        return f("KLJUC").asString();
    }
};
} // namespace

TemplatesDatabase& TemplatesDatabase::get() { return *g_database; }

// ---------------------------------------------------------------------------------------------
// the arithmetic

TEST(TemplateRules, PeriodsBetweenTwoDatesRoundHalvesToTheEvenNeighbour)
{
    struct Case {
        int days;
        qint64 periodika;
        qint64 expected;
    } cases[] = {{45, 30, 2}, {75, 30, 2}, {105, 30, 4}, {44, 30, 1}, {46, 30, 2}, {15, 30, 0}, {360, 30, 12},
                 {45, 0, 0},  {0, 30, 0},  {-45, 30, -2}, {-75, 30, -2}};
    const QDateTime datum = day(2026, 1, 1);
    for (const Case& c : cases)
        EXPECT_EQ(StevObrokovFor(datum, datum.addDays(c.days), c.periodika), c.expected)
            << c.days << " days, periodika " << c.periodika;
    // days are counted on the calendar: the change to summer time (29 March 2026) is no shorter day
    EXPECT_EQ(StevObrokovFor(day(2026, 3, 15), day(2026, 4, 29), 30), 2);
    EXPECT_DOUBLE_EQ(DaysBetween(day(2026, 3, 15), day(2026, 4, 29)), 45.0);
    EXPECT_EQ(DatumZakFor(day(2026, 1, 1), 12, 30), day(2026, 12, 27));
    EXPECT_FALSE(DatumZakFor(QDateTime(), 12, 30).isValid());
}

TEST(TemplateRules, TipIsPOrTInUpperCase)
{
    EXPECT_EQ(TipFromText("t"), QString("T"));
    EXPECT_EQ(TipFromText("P"), QString("P"));
    EXPECT_FALSE(TipFromText("X"));
    EXPECT_FALSE(TipFromText(""));
    EXPECT_FALSE(TipFromText("PT"));
}

// ---------------------------------------------------------------------------------------------
// new templates and their numbers

TEST_F(TemplateTablesTest, ANewTemplateShowsItsPlaceholderAndGetsTheNextFreeNumberOnPost)
{
    openOwn("T1");
    sql("INSERT INTO Obdrac (Kljuc, PoslDog, Datum, Subjekt, Tip) VALUES ('26T100041', 'T1', '2026/02/01', 'Bistro Čuk', 'P');");
    tables->fObdracPoslDogCloseUp("T1");
    tables->tbObdrac.Append();
    EXPECT_EQ(f("KLJUC").asString(), QString("26T1?????"));
    EXPECT_EQ(f("POSLDOG").asString(), QString("T1"));
    EXPECT_EQ(f("DATUM").asDateTime(), day(2026, 3, 10));
    EXPECT_EQ(f("TIP").asString(), QString("P"));
    EXPECT_EQ(f("PERIODIKA").asInteger(), 0);
    EXPECT_EQ(f("STEVOBROKOV").asInteger(), 0);
    EXPECT_EQ(f("NACIZRCENE").asString(), QString("T"));
    EXPECT_EQ(f("AKTIVNO").asString(), QString("T"));
    EXPECT_EQ(f("VALUTA").asString(), QString("EUR"));
    EXPECT_EQ(f("USERZAP").asString(), QString("07"));
    EXPECT_TRUE(f("DATUMZAP").asDateTime().isValid());
    EXPECT_TRUE(f("DATUMZAK").isNull());

    f("SUBJEKT").setAsString("O'Neil d.o.o.");
    post();
    EXPECT_EQ(tables->tbObdrac.State(), dsBrowse);
    EXPECT_EQ(f("KLJUC").asString(), QString("26T100042"));
    EXPECT_EQ(sql("SELECT Kljuc, PoslDog, Subjekt, Tip, Aktivno, Valuta, UserZap, UserSpre FROM Obdrac WHERE Kljuc = '26T100042'"),
              QString("26T100042|T1|O'Neil d.o.o.|P|T|EUR|07|07"));

    // a date of another year numbers in that year
    tables->tbObdrac.Append();
    f("DATUM").setAsDateTime(day(2027, 1, 4));
    post();
    EXPECT_EQ(f("KLJUC").asString(), QString("27T100001"));
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Obdrac WHERE PoslDog = 'T1'"), QString("3"));
}

TEST_F(TemplateTablesTest, WithoutACodeInTheSelectorANewTemplateTakesTheListedBusinessEvent)
{
    openOwn("T9");
    shownPoslDog.clear();
    tables->tbObdrac.Append();
    EXPECT_EQ(f("POSLDOG").asString(), QString("T9"));
    EXPECT_EQ(f("KLJUC").asString(), QString("26T9?????"));
    tables->tbObdrac.Cancel();
}

TEST_F(TemplateTablesTest, ADateMovedIntoAnotherYearIsRefusedAndTheRecordStaysInEdit)
{
    openOwn("T2");
    const QString key = postedTemplate();
    ASSERT_EQ(key, QString("26T200001"));
    boxes.clear();
    tables->tbObdrac.Edit();
    f("DATUM").setAsDateTime(day(2027, 1, 5));
    EXPECT_THROW(tables->tbObdrac.Post(), EAbort);
    EXPECT_EQ(boxes.texts(), QStringList{"Letnica datuma mora biti enaka letnici dokumenta!"});
    EXPECT_EQ(tables->tbObdrac.State(), dsEdit);
    EXPECT_EQ(f("DATUM").asDateTime(), day(2027, 1, 5));
    EXPECT_EQ(sql("SELECT Datum::date FROM Obdrac WHERE Kljuc = '26T200001'"), QString("2026-03-10"));
    // back in the same year it goes through
    f("DATUM").setAsDateTime(day(2026, 12, 31));
    post();
    EXPECT_EQ(sql("SELECT Datum::date FROM Obdrac WHERE Kljuc = '26T200001'"), QString("2026-12-31"));
}

// ---------------------------------------------------------------------------------------------
// field rules (what the user types)

TEST_F(TemplateTablesTest, PeriodsAndClosingDateFollowEachOtherAsTyped)
{
    openOwn("T3");
    tables->tbObdrac.Append();
    f("DATUM").setAsDateTime(day(2026, 1, 1));
    f("PERIODIKA").setText("30");
    EXPECT_EQ(f("DATUMZAK").asDateTime(), day(2026, 1, 1));
    f("STEVOBROKOV").setText("12");
    EXPECT_EQ(f("DATUMZAK").asDateTime(), day(2026, 12, 27));   // 360 days later

    struct Case {
        const char* typed;
        int expected;
    } cases[] = {{"15.02.2026", 2},   // 45 days: 1.5
                 {"2026-03-17", 2},   // 75 days: 2.5
                 {"16.04.2026", 4},   // 105 days: 3.5
                 {"14.02.2026", 1}};
    for (const Case& c : cases) {
        f("DATUMZAK").setText(c.typed);
        EXPECT_EQ(f("STEVOBROKOV").asInteger(), c.expected) << c.typed;
        EXPECT_EQ(f("DATUMZAK").asDateTime(), QDateTime(QDate::fromString(c.typed, c.typed[2] == '.' ? "dd.MM.yyyy" : "yyyy-MM-dd"), QTime(0, 0)));
    }
    f("PERIODIKA").setText("0");
    EXPECT_EQ(f("DATUMZAK").asDateTime(), day(2026, 1, 1));   // 4 x 0 days
    f("DATUMZAK").setText("15.02.2026");
    EXPECT_EQ(f("STEVOBROKOV").asInteger(), 0);

    // values the program sets do not run the rules
    f("PERIODIKA").setAsInteger(30);
    f("STEVOBROKOV").setAsInteger(5);
    EXPECT_EQ(f("DATUMZAK").asDateTime(), day(2026, 2, 15));
    post();
    EXPECT_EQ(sql("SELECT Periodika, StevObrokov, DatumZak::date FROM Obdrac WHERE PoslDog = 'T3'"), QString("30|5|2026-02-15"));
}

TEST_F(TemplateTablesTest, TextThatIsNoNumberOrDateIsRefusedAndTheFieldsKeepTheirValues)
{
    openOwn("T4");
    tables->tbObdrac.Append();
    f("DATUM").setAsDateTime(day(2026, 1, 1));
    f("PERIODIKA").setText("30");
    f("STEVOBROKOV").setText("2");
    for (const char* bad : {"tri", "3.5", "70000"}) {
        EXPECT_THROW(f("PERIODIKA").setText(bad), EConvertError) << bad;
        EXPECT_THROW(f("STEVOBROKOV").setText(bad), EConvertError) << bad;
    }
    EXPECT_THROW(f("DATUMZAK").setText("31.02.2026"), EConvertError);
    EXPECT_THROW(f("DATUMZAK").setText("jutri"), EConvertError);
    EXPECT_EQ(f("PERIODIKA").asInteger(), 30);
    EXPECT_EQ(f("STEVOBROKOV").asInteger(), 2);
    EXPECT_EQ(f("DATUMZAK").asDateTime(), day(2026, 3, 2));
    // a closing date whose period count does not fit the column changes neither
    f("PERIODIKA").setText("1");
    EXPECT_THROW(f("DATUMZAK").setText("01.01.2200"), EConvertError);
    EXPECT_EQ(f("DATUMZAK").asDateTime(), day(2026, 1, 3));
    EXPECT_EQ(f("STEVOBROKOV").asInteger(), 2);
    tables->tbObdrac.Cancel();
}

TEST_F(TemplateTablesTest, TipIsStoredInUpperCaseAndAnythingElseIsRefused)
{
    openOwn("T5");
    tables->tbObdrac.Append();
    f("TIP").setText("t");
    EXPECT_EQ(f("TIP").asString(), QString("T"));
    EXPECT_TRUE(boxes.texts().isEmpty());
    f("TIP").setText("X");
    EXPECT_EQ(f("TIP").asString(), QString("T"));
    f("TIP").setText("");
    EXPECT_EQ(f("TIP").asString(), QString("T"));
    EXPECT_EQ(boxes.texts(), (QStringList{"Tip je lahko samo (P)artner ali (T)ip partnerja !",
                                          "Tip je lahko samo (P)artner ali (T)ip partnerja !"}));
    EXPECT_EQ(boxes.shown().front().kind, MsgKind::Error);
    f("TIP").setText("p");
    post();
    EXPECT_EQ(sql("SELECT Tip FROM Obdrac WHERE PoslDog = 'T5'"), QString("P"));
}

// A template without a partner or without the documents' business event could only make a
// wrong document: it is refused with a message and stays in insert state; once both are given it
// is saved.
TEST_F(TemplateTablesTest, ATemplateWithoutPartnerOrDocumentEventIsNotSaved)
{
    openOwn("TE");
    tables->tbObdrac.Append();
    EXPECT_THROW(tables->tbObdrac.Post(), EAbort);
    EXPECT_EQ(boxes.texts(), QStringList{NoPartnerMessage});
    EXPECT_EQ(tables->tbObdrac.State(), dsInsert);
    f("SUBJEKT").setAsString("Bistro Čuk");
    EXPECT_THROW(tables->tbObdrac.Post(), EAbort);
    EXPECT_EQ(boxes.texts().last(), NoDocumentEventMessage);
    EXPECT_EQ(tables->tbObdrac.State(), dsInsert);
    EXPECT_EQ(f("KLJUC").asString(), QString("26TE?????"));   // no number taken
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Obdrac WHERE PoslDog = 'TE'"), QString("0"));
    f("POSLDOGFAK").setAsString("10");
    tables->tbObdrac.Post();
    EXPECT_EQ(f("KLJUC").asString(), QString("26TE00001"));
    // a partner cleared in an edit is refused as well
    tables->tbObdrac.Edit();
    f("SUBJEKT").setAsString("  ");
    EXPECT_THROW(tables->tbObdrac.Post(), EAbort);
    EXPECT_EQ(sql("SELECT Subjekt FROM Obdrac WHERE Kljuc = '26TE00001'"), QString("Bistro Čuk"));
    tables->tbObdrac.Cancel();
}

// A new DATUM moves the closing date as the periods do: DATUMZAK = DATUM + STEVOBROKOV x PERIODIKA.
TEST_F(TemplateTablesTest, ANewDateMovesTheClosingDate)
{
    openOwn("TF");
    tables->tbObdrac.Append();
    f("DATUM").setText("2026-01-01 00:00:00");
    f("PERIODIKA").setText("30");
    f("STEVOBROKOV").setText("12");
    EXPECT_EQ(f("DATUMZAK").asDateTime(), day(2026, 12, 27));
    f("DATUM").setText("2026-02-01 00:00:00");
    EXPECT_EQ(f("DATUM").asDateTime(), day(2026, 2, 1));
    EXPECT_EQ(f("DATUMZAK").asDateTime(), day(2027, 1, 27));
    EXPECT_EQ(f("STEVOBROKOV").asInteger(), 12);
    EXPECT_THROW(f("DATUM").setText("31.02.2026"), EConvertError);
    EXPECT_EQ(f("DATUM").asDateTime(), day(2026, 2, 1));
    EXPECT_EQ(f("DATUMZAK").asDateTime(), day(2027, 1, 27));
    post();
    EXPECT_EQ(sql("SELECT Datum::date, DatumZak::date FROM Obdrac WHERE PoslDog = 'TF'"), QString("2026-02-01|2027-01-27"));
}

// "Naslednji račun": the due date the runs would pick, for a template never invoiced, one
// invoiced, an inactive one and a closed one; it is worked out, never written.
TEST_F(TemplateTablesTest, TheNextDueDateOfEachTemplate)
{
    struct Case {
        const char* aktivno;
        QDate datum;
        QDate datZadFak;
        int periodika;
        QDate datumZak;
        QDate next;
    } cases[] = {
        {"T", QDate(2026, 1, 5), QDate(), 30, QDate(2026, 12, 31), QDate(2026, 1, 5)},          // never invoiced
        {"T", QDate(2026, 1, 5), QDate(2026, 2, 1), 30, QDate(2026, 12, 31), QDate(2026, 3, 3)},  // invoiced
        {"F", QDate(2026, 1, 5), QDate(2026, 2, 1), 30, QDate(2026, 12, 31), QDate()},          // inactive
        {"T", QDate(2026, 1, 5), QDate(2027, 1, 2), 30, QDate(2026, 12, 31), QDate()},          // closed
        {"T", QDate(2026, 1, 5), QDate(2026, 2, 1), 30, QDate(), QDate()},                      // invoiced once only
        {"T", QDate(2026, 6, 1), QDate(2026, 2, 1), 30, QDate(2026, 12, 31), QDate(2026, 6, 1)},  // not before DATUM
        {"T", QDate(2026, 1, 5), QDate(2026, 2, 1), 0, QDate(2026, 12, 31), QDate(2026, 2, 1)},   // period 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextDueDate(c.aktivno, c.datum, c.datZadFak, c.periodika, c.datumZak), c.next)
            << c.aktivno << " " << c.datZadFak.toString().toStdString();

    openOwn("TG");
    sql("INSERT INTO Obdrac (Kljuc, PoslDog, Datum, Subjekt, Tip, Periodika, DatZadFak, PoslDogFak, Aktivno, DatumZak)"
        " VALUES ('26TG00001', 'TG', '2026/01/05', 'Bistro Čuk', 'P', 30, NULL, '10', 'T', '2026/12/31'),"
        " ('26TG00002', 'TG', '2026/01/05', 'Bistro Čuk', 'P', 30, '2026/02/01', '10', 'T', '2026/12/31'),"
        " ('26TG00003', 'TG', '2026/01/05', 'Bistro Čuk', 'P', 30, '2026/02/01', '10', 'F', '2026/12/31'),"
        " ('26TG00004', 'TG', '2026/01/05', 'Bistro Čuk', 'P', 30, '2027/01/02', '10', 'T', '2026/12/31');");
    tables->fObdracPoslDogCloseUp("TG");
    QStringList next;
    for (tables->tbObdrac.First(); !tables->tbObdrac.Eof(); tables->tbObdrac.Next())
        next << f("NASLRACUN").asDateTime().date().toString("yyyy-MM-dd");
    EXPECT_EQ(next, (QStringList{"2026-01-05", "2026-03-03", "", ""}));
    // it follows what is typed, and is no column of the table
    tables->tbObdrac.First();
    tables->tbObdrac.Edit();
    f("DATUM").setText("2026-01-20 00:00:00");
    EXPECT_EQ(f("NASLRACUN").asDateTime().date(), QDate(2026, 1, 20));
    post();
    EXPECT_EQ(sql("SELECT Datum::date FROM Obdrac WHERE Kljuc = '26TG00001'"), QString("2026-01-20"));
}

// ---------------------------------------------------------------------------------------------
// lines

TEST_F(TemplateTablesTest, LinesAreNumberedInStepsOfFiveAndAFreedLastNumberIsUsedAgain)
{
    openOwn("T6");
    const QString key = postedTemplate();
    TwwOEDataSet& poz = tables->tbObdracPoz;
    ASSERT_TRUE(poz.Active());
    poz.Append();
    EXPECT_EQ(line("KLJUC").asString(), key);
    EXPECT_EQ(line("POZ").asInteger(), 5);
    EXPECT_EQ(line("KOLICINA").asFloat(), 1.0);
    EXPECT_EQ(line("CENA").asFloat(), 0.0);
    EXPECT_EQ(line("RABAT").asFloat(), 0.0);
    EXPECT_EQ(line("USERZAP").asString(), QString("07"));
    line("IDENT").setAsString("PIS-PAP");
    poz.Post();
    poz.Append();
    EXPECT_EQ(line("POZ").asInteger(), 10);
    poz.Post();
    EXPECT_EQ(sql("SELECT string_agg(Poz::text, ',' ORDER BY Poz) FROM ObdracPoz WHERE Kljuc = '" + key + "'"), QString("5,10"));
    ASSERT_TRUE(poz.Locate("POZ", 10));
    poz.Delete();
    poz.Append();
    EXPECT_EQ(line("POZ").asInteger(), 10);
    poz.Post();
    EXPECT_EQ(sql("SELECT string_agg(Poz::text || ':' || UserSpre, ',' ORDER BY Poz) FROM ObdracPoz WHERE Kljuc = '" + key + "'"),
              QString("5:07,10:07"));
}

TEST_F(TemplateTablesTest, LinesBelongToANumberedTemplateOnly)
{
    openOwn("T7");
    tables->tbObdrac.Append();
    EXPECT_THROW(tables->tbObdracPoz.Append(), EAbort);
    EXPECT_EQ(tables->tbObdracPoz.State(), dsBrowse);
    // entering the line grid posts the template first (a complete one: a blank one is refused)
    f("SUBJEKT").setAsString("Žito d.d.");
    f("POSLDOGFAK").setAsString("10");
    tables->gObdracPozEnter();
    EXPECT_EQ(tables->tbObdrac.State(), dsBrowse);
    EXPECT_EQ(f("KLJUC").asString(), QString("26T700001"));
    tables->tbObdracPoz.Append();
    EXPECT_EQ(line("KLJUC").asString(), QString("26T700001"));
    tables->tbObdracPoz.Post();
    EXPECT_EQ(sql("SELECT Kljuc, Poz FROM ObdracPoz WHERE Kljuc LIKE '26T7%'"), QString("26T700001|5"));
}

TEST_F(TemplateTablesTest, DeletingATemplateRemovesAllItsLinesInTheDatabase)
{
    openOwn("T8");
    const QString key = postedTemplate();
    const QString other = postedTemplate();
    // lines that were never shown, one with an apostrophe
    sql("INSERT INTO ObdracPoz (Kljuc, Poz, Ident, Naziv) VALUES ('" + key + "', 5, 'A', 'a'), ('" + key + "', 10, 'B', 'O''Neil'),"
        " ('" + key + "', 15, 'C', 'c'), ('" + other + "', 5, 'D', 'd');");
    ASSERT_TRUE(tables->tbObdrac.Locate("KLJUC", key));
    tables->tbObdrac.Delete();
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Obdrac WHERE Kljuc = '" + key + "'"), QString("0"));
    EXPECT_EQ(sql("SELECT COUNT(*) FROM ObdracPoz WHERE Kljuc = '" + key + "'"), QString("0"));
    EXPECT_EQ(sql("SELECT COUNT(*) FROM ObdracPoz WHERE Kljuc = '" + other + "'"), QString("1"));
    EXPECT_EQ(f("KLJUC").asString(), other);
    EXPECT_EQ(tables->tbObdracPoz.RecordCount(), 1);
}

TEST_F(TemplateTablesTest, WhenTheLinesCannotBeDeletedTheTemplateStays)
{
    openOwn("TA");
    const QString key = postedTemplate();
    sql("INSERT INTO ObdracPoz (Kljuc, Poz, Ident) VALUES ('" + key + "', 5, 'A');"
        "CREATE OR REPLACE FUNCTION test_keep_lines() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION 'zaklenjeno'; END $$"
        " LANGUAGE plpgsql;"
        "CREATE TRIGGER keep_lines BEFORE DELETE ON ObdracPoz FOR EACH ROW WHEN (OLD.Kljuc LIKE '26TA%')"
        " EXECUTE FUNCTION test_keep_lines();");
    EXPECT_THROW(tables->tbObdrac.Delete(), EAbort);
    sql("DROP TRIGGER keep_lines ON ObdracPoz;");
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Obdrac WHERE Kljuc = '" + key + "'"), QString("1"));
    EXPECT_EQ(sql("SELECT COUNT(*) FROM ObdracPoz WHERE Kljuc = '" + key + "'"), QString("1"));
    EXPECT_EQ(f("KLJUC").asString(), key);
}

// ---------------------------------------------------------------------------------------------
// listing, sorting, posting from outside

TEST_F(TemplateTablesTest, TheListShowsTheChosenBusinessEventInKeyOrderWithTheLinesOfTheCurrentTemplate)
{
    tables->fObdracPoslDogCloseUp("G2");
    EXPECT_EQ(tables->tbObdrac.RecordCount(), 8);
    EXPECT_EQ(f("KLJUC").asString(), QString("25G200001"));
    EXPECT_EQ(tables->tbObdracPoz.RecordCount(), 3);
    EXPECT_EQ(line("POZ").asInteger(), 5);
    tables->tbObdrac.Next();
    EXPECT_EQ(line("KLJUC").asString(), QString("25G200002"));
    // a code with an apostrophe lists nothing and breaks nothing
    tables->fObdracPoslDogCloseUp("G'");
    EXPECT_TRUE(tables->tbObdrac.Active());
    EXPECT_TRUE(tables->tbObdrac.IsEmpty());
    EXPECT_EQ(tables->openedPoslDog(), QString("G'"));
}

TEST_F(TemplateTablesTest, SortingByATitleReordersAndKeepsTheCurrentTemplate)
{
    tables->fObdracPoslDogCloseUp("G1");
    ASSERT_TRUE(tables->tbObdrac.Locate("KLJUC", QString("25G100003")));
    tables->gObdracTitleButtonClick("SUBJEKT");
    EXPECT_EQ(f("KLJUC").asString(), QString("25G100003"));
    QStringList names;
    for (tables->tbObdrac.First(); !tables->tbObdrac.Eof(); tables->tbObdrac.Next())
        names << f("SUBJEKT").asString();
    QStringList sorted = names;
    EXPECT_EQ(names.first(), QString("Acme Trading Ltd."));
    EXPECT_NE(names, sql("SELECT string_agg(Subjekt, '|' ORDER BY Kljuc) FROM Obdrac WHERE PoslDog = 'G1'").split('|'));
    EXPECT_EQ(names.size(), 12);
    // back by key; the lines by name
    tables->gObdracTitleButtonClick("KLJUC");
    tables->tbObdrac.First();
    EXPECT_EQ(f("KLJUC").asString(), QString("25G100001"));
    tables->gObdracPozTitleButtonClick("NAZIV");
    QStringList lines;
    for (tables->tbObdracPoz.First(); !tables->tbObdracPoz.Eof(); tables->tbObdracPoz.Next())
        lines << line("NAZIV").asString();
    EXPECT_EQ(lines, (QStringList{"Kava v zrnju 1 kg", "Papir A4 80 g (500 listov)", "Vzdrževanje programske opreme"}));
    tables->tbObdrac.Next();
    EXPECT_EQ(tables->tbObdracPoz.RecordCount(), 2);   // still the lines of the current template
}

TEST_F(TemplateTablesTest, NothingTypedIsLostBySortingReloadingOrPostingFromOutside)
{
    openOwn("TB");
    const QString key = postedTemplate();
    tables->tbObdrac.Edit();
    f("SUBJEKT").setAsString("Bistro Čuk");
    tables->gObdracTitleButtonClick("SUBJEKT");
    EXPECT_EQ(sql("SELECT Subjekt FROM Obdrac WHERE Kljuc = '" + key + "'"), QString("Bistro Čuk"));

    tables->tbObdrac.Edit();
    f("SUBJEKT").setAsString("Hotel Union d.d.");
    tables->fObdracPoslDogCloseUp("TB");
    EXPECT_EQ(sql("SELECT Subjekt FROM Obdrac WHERE Kljuc = '" + key + "'"), QString("Hotel Union d.d."));

    tables->tbObdracPoz.Append();
    line("OPOMBA").setAsString("vrstica");
    tables->tbObdrac.Edit();   // the line is posted before the template is edited
    f("PERIODIKA").setText("14");
    tables->postTemplates();
    EXPECT_EQ(tables->tbObdrac.State(), dsBrowse);
    EXPECT_EQ(sql("SELECT Periodika FROM Obdrac WHERE Kljuc = '" + key + "'"), QString("14"));
    EXPECT_EQ(sql("SELECT Opomba FROM ObdracPoz WHERE Kljuc = '" + key + "'"), QString("vrstica"));

    // a post that is refused is raised to the caller and the record stays in edit
    tables->tbObdrac.Edit();
    f("DATUM").setAsDateTime(day(2030, 1, 1));
    EXPECT_THROW(tables->postTemplates(), EAbort);
    EXPECT_EQ(tables->tbObdrac.State(), dsEdit);
    EXPECT_THROW(tables->gObdracTitleButtonClick("DATUM"), EAbort);
    EXPECT_EQ(tables->tbObdrac.State(), dsEdit);
    tables->tbObdrac.Cancel();
}

TEST_F(TemplateTablesTest, ChoosingAnItemFillsTheOtherHalfOfTheLine)
{
    openOwn("TC");
    postedTemplate();
    tables->tbObdracPoz.Append();
    // by code: the name follows
    tables->tbLookMS.Open();
    ASSERT_TRUE(tables->tbLookMS.Locate("IDENT", QString("STO-CIS")));
    line("IDENT").setAsString("STO-CIS");
    tables->fIdentCloseUp(true);
    EXPECT_EQ(line("NAZIV").asString(), QString("Čiščenje poslovnih prostorov"));
    tables->fIdentCloseUp(false);   // closed without a choice: nothing
    // by name: the code follows when the item exists
    tables->tbLookMSN.Open();
    ASSERT_TRUE(tables->tbLookMSN.Locate("IDENT", QString("ZIV-KAVA")));
    line("NAZIV").setAsString("Kava v zrnju 1 kg");
    tables->fNazivCloseUp(true);
    EXPECT_EQ(line("IDENT").asString(), QString("ZIV-KAVA"));
    tables->tbObdracPoz.Post();
    EXPECT_EQ(sql("SELECT Ident, Naziv FROM ObdracPoz WHERE Kljuc LIKE '26TC%'"), QString("ZIV-KAVA|Kava v zrnju 1 kg"));
}

TEST_F(TemplateTablesTest, ReopeningAfterARunShowsTheNewDatesOnTheSameTemplate)
{
    openOwn("TD");
    const QString first = postedTemplate();
    const QString second = postedTemplate();
    ASSERT_TRUE(tables->tbObdrac.Locate("KLJUC", second));
    tables->tbObdrac.Edit();
    f("SUBJEKT").setAsString("Hotel Union d.d.");
    // a run moved the last-document date meanwhile
    sql("UPDATE Obdrac SET DatZadFak = '2026/03/01' WHERE Kljuc = '" + second + "';");
    tables->reopenTemplates();
    EXPECT_EQ(tables->tbObdrac.State(), dsBrowse);
    EXPECT_EQ(f("KLJUC").asString(), second);
    EXPECT_EQ(f("DATZADFAK").asDateTime(), day(2026, 3, 1));
    EXPECT_EQ(f("SUBJEKT").asString(), QString("Hotel Union d.d."));
    EXPECT_EQ(tables->tbObdrac.RecordCount(), 2);
    EXPECT_NE(first, second);
}
