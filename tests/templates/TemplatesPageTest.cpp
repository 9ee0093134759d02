#include "TemplatesTestSupport.h"

#include "controls/DataSetTableModel.h"
#include "controls/TwwDataSource.h"
#include "controls/ui/DBGrid.h"
#include "controls/ui/DBNavigator.h"
#include "controls/ui/DatePicker.h"
#include "controls/ui/LookupComboBox.h"
#include "data/dataset/TField.h"
#include "templates/TemplateRules.h"
#include "templates/ui/TemplatesPage.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {
class TemplatesPageTest : public TemplatesTest {
protected:
    void SetUp() override
    {
        TemplatesTest::SetUp();
        page = std::make_unique<TemplatesPage>(*tables);
        page->resize(1250, 700);
        page->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        page.reset();
        TemplatesTest::TearDown();
    }
    void openOwn(const QString& code)
    {
        addBusinessEvent(code, "Periodika testa " + code);
        shownPoslDog = code;
        ASSERT_TRUE(page->openTemplates(code));
        QApplication::processEvents();
    }
    DBGrid& gObdrac() { return *page->gObdrac(); }
    DBGrid& gObdracPoz() { return *page->gObdracPoz(); }
    QModelIndex cell(DBGrid& grid, int row, const char* field) { return grid.dataModel()->index(row, grid.columnOfField(field)); }
    TField& f(const char* name) { return tables->tbObdrac.FieldByName(name); }
    TField& line(const char* name) { return tables->tbObdracPoz.FieldByName(name); }

    void click(DBGrid& grid, const QModelIndex& index)
    {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(index).center());
        QApplication::processEvents();
    }
    // Clicks a cell and types into it as a user does (the first key opens the cell's editor).
    void type(DBGrid& grid, int row, const char* field, const QString& text, bool enter = true)
    {
        const QModelIndex index = cell(grid, row, field);
        if (grid.currentIndex() != index)
            click(grid, index);
        ASSERT_EQ(grid.currentIndex(), index) << field;
        grid.setFocus();
        QTest::keyClicks(&grid, text.left(1));
        QApplication::processEvents();
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, nullptr);
        ASSERT_NE(editor, static_cast<QWidget*>(&grid)) << "no cell editor for " << field;
        // the rest as if typed (QTest types ASCII only)
        if (auto* combo = qobject_cast<QComboBox*>(editor); combo != nullptr && combo->lineEdit() != nullptr)
            editor = combo->lineEdit();
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->insert(text.mid(1));
        else
            QTest::keyClicks(editor, text.mid(1));
        if (enter)
            QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }
    // The cell's open editor (a registered drop-down) after a double click.
    template <class Editor>
    Editor* openEditor(DBGrid& grid, int row, const char* field)
    {
        const QModelIndex index = cell(grid, row, field);
        click(grid, index);
        grid.edit(index);
        QApplication::processEvents();
        return qobject_cast<Editor*>(grid.indexWidget(index));
    }

    std::unique_ptr<TemplatesPage> page;
};
} // namespace

TEST_F(TemplatesPageTest, GridsShowEveryColumnWithItsTitleWidthAndEditor)
{
    openOwn("U1");
    EXPECT_EQ(page->lPeriodika()->text(), QString("Periodika"));
    EXPECT_EQ(page->lPozicije()->text(), QString("Pozicije"));
    EXPECT_EQ(gObdrac().objectName(), QString("gObdrac"));
    EXPECT_EQ(gObdracPoz().objectName(), QString("gObdracPoz"));

    struct Column {
        const char* field;
        int width;
        const char* title;
        const char* editor;
    };
    const Column templateColumns[] = {{"AKTIVNO", 3, "Ak.", ""},
                                      {"KLJUC", 10, "Številka", ""},
                                      {"DATUM", 10, "Datum", ""},
                                      {"SUBJEKT", 30, "Partner\nTip partnerja", "fSubjekt"},
                                      {"TIP", 5, "(P)art.\n(T)ip", ""},
                                      {"PERIODIKA", 5, "Peri-\nodika", ""},
                                      {"STEVOBROKOV", 5, "Štev.\nperiod", ""},
                                      {"DATUMZAK", 10, "Datum\nzaključka", ""},
                                      {"NACIZRCENE", 5, "Išči\ncene", ""},
                                      {"VALUTA", 5, "Valuta", ""},
                                      {"POSLDOGFAK", 5, "Posl.\ndog.", "fPoslDogFak"},
                                      {"DATZADFAK", 10, "Datum\nzad.dokum", ""},
                                      {"NASLRACUN", 10, "Naslednji\nračun", ""}};
    const Column lineColumns[] = {{"POZ", 4, "Poz.", ""},         {"IDENT", 19, "Šifra", "fIdent"},
                                  {"NAZIV", 33, "Naziv", "fNaziv"}, {"KOLICINA", 9, "Količina", ""},
                                  {"CENA", 12, "Cena", ""},         {"RABAT", 6, "R %", ""},
                                  {"OPOMBA", 24, "Opomba", ""}};
    auto check = [](DBGrid& grid, const Column* columns, int count) {
        ASSERT_EQ(grid.dataModel()->columnCount(), count);
        const int ch = grid.fontMetrics().horizontalAdvance(QLatin1Char('0'));
        for (int c = 0; c < count; ++c) {
            EXPECT_EQ(grid.dataModel()->fieldNameAt(c), QString(columns[c].field));
            EXPECT_EQ(grid.dataModel()->headerData(c, Qt::Horizontal).toString(), QString::fromUtf8(columns[c].title));
            EXPECT_EQ(grid.columnWidth(c), columns[c].width * ch + 10) << columns[c].field;
            EXPECT_EQ(grid.editorNameOf(c), QString(columns[c].editor)) << columns[c].field;
        }
    };
    check(gObdrac(), templateColumns, 13);
    check(gObdracPoz(), lineColumns, 7);

    // check boxes, the read-only key; two title lines above, one below
    page->NavObdrac()->click(DBNavigator::Insert);
    const DataSetTableModel& model = *gObdrac().dataModel();
    EXPECT_EQ(model.data(cell(gObdrac(), 0, "AKTIVNO"), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    EXPECT_EQ(model.data(cell(gObdrac(), 0, "NACIZRCENE"), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    EXPECT_EQ(model.data(cell(gObdrac(), 0, "KLJUC")).toString(), QString("26U1?????"));
    EXPECT_FALSE(model.flags(cell(gObdrac(), 0, "KLJUC")) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(cell(gObdrac(), 0, "NASLRACUN")) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(cell(gObdrac(), 0, "DATUM")) & Qt::ItemIsEditable);
    EXPECT_GE(gObdrac().horizontalHeader()->minimumHeight(), 2 * gObdrac().horizontalHeader()->fontMetrics().height());
    EXPECT_TRUE(gObdrac().enterMovesToNextColumn());
    EXPECT_TRUE(gObdrac().allowInsert());
    EXPECT_TRUE(gObdrac().allowDelete());
    EXPECT_TRUE(gObdrac().titleButtons());
    EXPECT_TRUE(gObdracPoz().titleButtons());
    page->NavObdrac()->click(DBNavigator::Cancel);
}

TEST_F(TemplatesPageTest, ANewTemplateTypedInTheGridIsNumberedAndTheRulesRunOnWhatIsTyped)
{
    openOwn("U2");
    page->NavObdrac()->click(DBNavigator::Insert);
    ASSERT_EQ(tables->tbObdrac.State(), dsInsert);
    type(gObdrac(), 0, "PERIODIKA", "30");
    ASSERT_EQ(tables->tbObdrac.State(), dsInsert);
    EXPECT_EQ(f("PERIODIKA").asInteger(), 30);
    // Enter went on to the next column
    EXPECT_EQ(gObdrac().currentIndex(), cell(gObdrac(), 0, "STEVOBROKOV"));
    type(gObdrac(), 0, "STEVOBROKOV", "12");
    EXPECT_EQ(f("DATUMZAK").asDateTime(), QDateTime(QDate(2026, 3, 10).addDays(360), QTime(0, 0)));
    type(gObdrac(), 0, "TIP", "t");
    EXPECT_EQ(f("TIP").asString(), QString("T"));
    type(gObdrac(), 0, "TIP", "x");
    EXPECT_EQ(f("TIP").asString(), QString("T"));
    EXPECT_EQ(boxes.texts(), QStringList{"Tip je lahko samo (P)artner ali (T)ip partnerja !"});
    type(gObdrac(), 0, "PERIODIKA", "abc");
    EXPECT_EQ(f("PERIODIKA").asInteger(), 30);
    EXPECT_EQ(boxes.texts().size(), 2);
    type(gObdrac(), 0, "SUBJEKT", "Mizarstvo Hrast d.o.o.");
    EXPECT_EQ(f("SUBJEKT").asString(), QString("Mizarstvo Hrast d.o.o."));
    type(gObdrac(), 0, "POSLDOGFAK", "10");
    ASSERT_EQ(tables->tbObdrac.State(), dsInsert);
    EXPECT_EQ(gObdrac().dataModel()->data(cell(gObdrac(), 0, "KLJUC")).toString(), QString("26U2?????"));

    page->NavObdrac()->click(DBNavigator::Post);
    EXPECT_EQ(tables->tbObdrac.State(), dsBrowse);
    EXPECT_EQ(gObdrac().dataModel()->data(cell(gObdrac(), 0, "KLJUC")).toString(), QString("26U200001"));
    EXPECT_EQ(sql("SELECT Subjekt, Tip, Periodika, StevObrokov, DatumZak::date FROM Obdrac WHERE Kljuc = '26U200001'"),
              QString("Mizarstvo Hrast d.o.o.|T|30|12|2027-03-05"));
}

TEST_F(TemplatesPageTest, AClosingDateChosenInTheDatePickerSetsTheNumberOfPeriods)
{
    openOwn("U3");
    page->NavObdrac()->click(DBNavigator::Insert);
    type(gObdrac(), 0, "PERIODIKA", "30");
    auto* picker = openEditor<DatePicker>(gObdrac(), 0, "DATUMZAK");
    ASSERT_NE(picker, nullptr);
    picker->setDate(QDate(2026, 3, 10).addDays(75));
    gObdrac().submitOpenEditor();
    EXPECT_EQ(f("DATUMZAK").asDateTime(), QDateTime(QDate(2026, 5, 24), QTime(0, 0)));
    EXPECT_EQ(f("STEVOBROKOV").asInteger(), 2);   // 2.5 goes to the even neighbour
    page->NavObdrac()->click(DBNavigator::Cancel);
}

TEST_F(TemplatesPageTest, EnteringTheLineGridPostsANewTemplateAndLinesAreNumberedByFive)
{
    openOwn("U4");
    page->NavObdrac()->click(DBNavigator::Insert);
    gObdrac().setFocus();
    type(gObdrac(), 0, "SUBJEKT", "Bistro Čuk");
    type(gObdrac(), 0, "POSLDOGFAK", "10");
    ASSERT_EQ(tables->tbObdrac.State(), dsInsert);
    gObdracPoz().setFocus();
    QApplication::processEvents();
    EXPECT_EQ(tables->tbObdrac.State(), dsBrowse);
    EXPECT_EQ(f("KLJUC").asString(), QString("26U400001"));

    QTest::keyClick(gObdracPoz().viewport(), Qt::Key_Insert);
    ASSERT_EQ(tables->tbObdracPoz.State(), dsInsert);
    EXPECT_EQ(line("POZ").asInteger(), 5);
    EXPECT_EQ(line("KLJUC").asString(), QString("26U400001"));
    page->NavObdracPoz()->click(DBNavigator::Post);
    page->NavObdracPoz()->click(DBNavigator::Insert);
    EXPECT_EQ(line("POZ").asInteger(), 10);
    page->NavObdracPoz()->click(DBNavigator::Post);
    boxes.answer(MsgButton::Ok);   // "Delete record?"
    page->NavObdracPoz()->click(DBNavigator::Delete);
    EXPECT_EQ(boxes.texts().last(), QString("Delete record?"));
    page->NavObdracPoz()->click(DBNavigator::Insert);
    EXPECT_EQ(line("POZ").asInteger(), 10);
    page->NavObdracPoz()->click(DBNavigator::Post);
    EXPECT_EQ(sql("SELECT string_agg(Poz::text, ',' ORDER BY Poz) FROM ObdracPoz WHERE Kljuc = '26U400001'"), QString("5,10"));
}

TEST_F(TemplatesPageTest, ALineAddedFromTheNavigatorWaitsForTheTemplatesNumber)
{
    openOwn("U5");
    page->NavObdrac()->click(DBNavigator::Insert);
    type(gObdrac(), 0, "SUBJEKT", "Bistro Čuk");
    type(gObdrac(), 0, "POSLDOGFAK", "10");
    QToolButton* insert = page->NavObdracPoz()->button(DBNavigator::Insert);
    QTest::mouseClick(insert, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(f("KLJUC").asString(), QString("26U500001"));
    ASSERT_EQ(tables->tbObdracPoz.State(), dsInsert);
    EXPECT_EQ(line("KLJUC").asString(), QString("26U500001"));
    EXPECT_EQ(line("POZ").asInteger(), 5);
}

TEST_F(TemplatesPageTest, ANewTemplateInAFilledListIsTypedIntoWhereTheUserClicks)
{
    tables->fObdracPoslDogCloseUp("G2");
    QApplication::processEvents();
    QTest::mouseClick(page->NavObdrac()->button(DBNavigator::Insert), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(tables->tbObdrac.State(), dsInsert);
    EXPECT_EQ(gObdrac().currentIndex().row(), 0);
    click(gObdrac(), cell(gObdrac(), 0, "PERIODIKA"));
    EXPECT_EQ(tables->tbObdrac.State(), dsInsert);
    EXPECT_EQ(gObdrac().currentIndex(), cell(gObdrac(), 0, "PERIODIKA"));
    type(gObdrac(), 0, "PERIODIKA", "30");
    EXPECT_EQ(tables->tbObdrac.State(), dsInsert);
    EXPECT_EQ(f("PERIODIKA").asInteger(), 30);
    EXPECT_EQ(f("KLJUC").asString(), QString("26G2?????"));
    EXPECT_EQ(tables->tbObdrac.RecNo(), 1);
    tables->tbObdrac.Cancel();
    EXPECT_EQ(sql("SELECT Subjekt FROM Obdrac WHERE Kljuc = '25G200001'"), QString("Zavarovalnica Triglav d.d."));
}

TEST_F(TemplatesPageTest, ChoosingAnItemByNameFillsTheCodeAndByCodeTheName)
{
    tables->fObdracPoslDogCloseUp("G1");
    ASSERT_TRUE(tables->tbObdrac.Locate("KLJUC", QString("25G100009")));   // a template without lines
    QApplication::processEvents();
    gObdracPoz().setFocus();
    page->NavObdracPoz()->click(DBNavigator::Insert);
    ASSERT_EQ(tables->tbObdracPoz.State(), dsInsert);

    auto* fNaziv = openEditor<LookupComboBox>(gObdracPoz(), 0, "NAZIV");
    ASSERT_NE(fNaziv, nullptr);
    EXPECT_EQ(fNaziv->objectName(), QString("fNaziv"));
    fNaziv->showPopup();
    QAbstractItemView* view = fNaziv->view();
    ASSERT_GT(view->model()->rowCount(), 10);
    EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), QString("Naziv"));
    QModelIndex row;
    for (int r = 0; r < view->model()->rowCount(); ++r)
        if (view->model()->data(view->model()->index(r, 0)).toString() == "Sadni koš")
            row = view->model()->index(r, 0);
    ASSERT_TRUE(row.isValid());
    view->setCurrentIndex(row);
    QTest::keyClick(view, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(line("NAZIV").asString(), QString("Sadni koš"));
    EXPECT_EQ(line("IDENT").asString(), QString("ZIV-SAD"));

    auto* fIdent = openEditor<LookupComboBox>(gObdracPoz(), 0, "IDENT");
    ASSERT_NE(fIdent, nullptr);
    EXPECT_TRUE(fIdent->choiceFromListOnly());
    fIdent->showPopup();
    view = fIdent->view();
    EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), QString("Šifra"));
    row = QModelIndex();
    for (int r = 0; r < view->model()->rowCount(); ++r)
        if (view->model()->data(view->model()->index(r, 0)).toString() == "NAJ-PARK")
            row = view->model()->index(r, 0);
    ASSERT_TRUE(row.isValid());
    view->setCurrentIndex(row);
    QTest::keyClick(view, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(line("IDENT").asString(), QString("NAJ-PARK"));
    EXPECT_EQ(line("NAZIV").asString(), QString("Najem parkirnega mesta"));
    ASSERT_TRUE(page->postTemplates());
    EXPECT_EQ(sql("SELECT Poz, Ident, Naziv FROM ObdracPoz WHERE Kljuc = '25G100009'"), QString("5|NAJ-PARK|Najem parkirnega mesta"));

    // a code typed in part, the list opened from the keyboard: the row found is the one chosen
    page->NavObdracPoz()->click(DBNavigator::Insert);
    const QModelIndex identCell = cell(gObdracPoz(), tables->tbObdracPoz.currentRow(), "IDENT");
    gObdracPoz().setCurrentIndex(identCell);
    gObdracPoz().edit(identCell);
    QApplication::processEvents();
    fIdent = qobject_cast<LookupComboBox*>(gObdracPoz().indexWidget(identCell));
    ASSERT_NE(fIdent, nullptr);
    fIdent->setFocus();
    QTest::keyClicks(fIdent, "STO-V");
    EXPECT_EQ(fIdent->lookupText(), QString("STO-VAR"));   // found while typing
    QTest::keyClick(fIdent, Qt::Key_F4);
    QApplication::processEvents();
    ASSERT_TRUE(fIdent->view()->isVisible());
    QTest::keyClick(fIdent->view(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(line("IDENT").asString(), QString("STO-VAR"));
    EXPECT_EQ(line("NAZIV").asString(), QString("Varovanje objekta"));
    EXPECT_EQ(line("POZ").asInteger(), 10);
    page->NavObdracPoz()->click(DBNavigator::Cancel);
}

TEST_F(TemplatesPageTest, ClickingATitleSortsTheGrid)
{
    tables->fObdracPoslDogCloseUp("G1");
    QApplication::processEvents();
    const QAbstractItemModel& model = *gObdrac().dataModel();
    EXPECT_EQ(model.data(cell(gObdrac(), 0, "SUBJEKT")).toString(), QString("Mlekarna Čarman d.o.o."));
    QHeaderView* header = gObdrac().horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(gObdrac().columnOfField("SUBJEKT")) + 5, header->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(model.data(cell(gObdrac(), 0, "SUBJEKT")).toString(), QString("Acme Trading Ltd."));
    EXPECT_EQ(model.data(cell(gObdrac(), 11, "SUBJEKT")).toString(), QString("Žito d.d."));
    EXPECT_EQ(model.rowCount(), 12);
}

TEST_F(TemplatesPageTest, AValueStillBeingTypedIsPostedWhenThePageIsLeft)
{
    openOwn("U6");
    page->NavObdrac()->click(DBNavigator::Insert);
    type(gObdrac(), 0, "SUBJEKT", "Bistro Čuk");
    type(gObdrac(), 0, "POSLDOGFAK", "10");
    // typed into the cell, not yet taken into the record
    type(gObdrac(), 0, "VALUTA", "USD", false);
    ASSERT_NE(gObdrac().indexWidget(cell(gObdrac(), 0, "VALUTA")), nullptr);   // the cell's editor is open
    ASSERT_EQ(f("VALUTA").asString(), QString("EUR"));
    EXPECT_TRUE(page->postTemplates());
    EXPECT_EQ(tables->tbObdrac.State(), dsBrowse);
    EXPECT_EQ(gObdrac().indexWidget(cell(gObdrac(), 0, "VALUTA")), nullptr);
    EXPECT_EQ(sql("SELECT Subjekt, Valuta FROM Obdrac WHERE Kljuc = '26U600001'"), QString("Bistro Čuk|USD"));

    // a post that is refused is shown and reported
    page->NavObdrac()->click(DBNavigator::Edit);
    f("DATUM").setAsDateTime(QDateTime(QDate(2031, 1, 1), QTime(0, 0)));
    boxes.clear();
    EXPECT_FALSE(page->postTemplates());
    EXPECT_EQ(boxes.texts(), QStringList{"Letnica datuma mora biti enaka letnici dokumenta!"});
    EXPECT_EQ(tables->tbObdrac.State(), dsEdit);
    page->NavObdrac()->click(DBNavigator::Cancel);
}

TEST_F(TemplatesPageTest, ACodeTypedInPartStaysWhileItsDropDownOpens)
{
    LookupComboBox fIdent;
    fIdent.bindLookup(&tables->tbLookMS, "IDENT");
    fIdent.setChoiceFromListOnly(true);
    fIdent.setLookupText("PIS-PAP");
    fIdent.setEditText("STO-V");
    // the drop-down takes the focus: the text typed so far is what it searches for
    QFocusEvent toPopup(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&fIdent, &toPopup);
    EXPECT_EQ(fIdent.lookupText(), QString("STO-V"));
    // leaving the box for good puts the last listed value back
    QFocusEvent away(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&fIdent, &away);
    EXPECT_EQ(fIdent.lookupText(), QString("PIS-PAP"));
}

// ✓ on a blank new template, and "+" on the lines under it, save nothing: the missing partner is
// named and the template stays new; "+" twice and moving away drop an untouched new template.
TEST_F(TemplatesPageTest, ABlankTemplateIsNeverSaved)
{
    openOwn("U7");
    page->NavObdrac()->click(DBNavigator::Insert);
    page->NavObdrac()->click(DBNavigator::Post);
    EXPECT_EQ(boxes.texts(), QStringList{NoPartnerMessage});
    EXPECT_EQ(tables->tbObdrac.State(), dsInsert);
    QTest::mouseClick(page->NavObdracPoz()->button(DBNavigator::Insert), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(boxes.texts().last(), NoPartnerMessage);
    EXPECT_EQ(tables->tbObdrac.State(), dsInsert);
    EXPECT_NE(tables->tbObdracPoz.State(), dsInsert);
    type(gObdrac(), 0, "SUBJEKT", "Bistro Čuk");
    page->NavObdrac()->click(DBNavigator::Post);
    EXPECT_EQ(boxes.texts().last(), NoDocumentEventMessage);
    EXPECT_EQ(tables->tbObdrac.State(), dsInsert);
    page->NavObdrac()->click(DBNavigator::Cancel);
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Obdrac WHERE PoslDog = 'U7'"), QString("0"));

    // after a delete, "+" and "+" again: nothing is posted by itself
    sql("INSERT INTO Obdrac (Kljuc, PoslDog, Datum, Subjekt, Tip, PoslDogFak) VALUES ('26U700001', 'U7', '2026/01/01', 'Žito d.d.', 'P', '10');");
    tables->fObdracPoslDogCloseUp("U7");
    boxes.answer(MsgButton::Ok);
    page->NavObdrac()->click(DBNavigator::Delete);
    boxes.clear();
    page->NavObdrac()->click(DBNavigator::Insert);
    QTest::keyClick(gObdrac().viewport(), Qt::Key_Insert);
    QApplication::processEvents();
    EXPECT_EQ(tables->tbObdrac.State(), dsInsert);
    EXPECT_TRUE(boxes.texts().isEmpty());
    EXPECT_EQ(sql("SELECT COUNT(*) FROM Obdrac WHERE PoslDog = 'U7'"), QString("0"));
    page->NavObdrac()->click(DBNavigator::Cancel);
}

// An item code typed into a line that names no item is refused with a message and stays in the
// cell to be corrected; the corrected code is taken.
TEST_F(TemplatesPageTest, AnUnknownItemCodeIsSaidAndKept)
{
    tables->fObdracPoslDogCloseUp("G1");
    ASSERT_TRUE(tables->tbObdrac.Locate("KLJUC", QString("25G100009")));
    QApplication::processEvents();
    page->NavObdracPoz()->click(DBNavigator::Insert);
    ASSERT_EQ(tables->tbObdracPoz.State(), dsInsert);
    type(gObdracPoz(), 0, "IDENT", "NI-TAKEGA");
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(boxes.texts()[0], QString("Artikel s šifro \"NI-TAKEGA\" ne obstaja !\nIzberi artikel s seznama (puščica ali F4)."));
    EXPECT_TRUE(line("IDENT").asString().isEmpty());
    auto* fIdent = qobject_cast<LookupComboBox*>(gObdracPoz().indexWidget(cell(gObdracPoz(), 0, "IDENT")));
    ASSERT_NE(fIdent, nullptr);
    EXPECT_EQ(fIdent->lookupText(), QString("NI-TAKEGA"));
    EXPECT_EQ(gObdracPoz().currentIndex(), cell(gObdracPoz(), 0, "IDENT"));
    // corrected in the same cell: taken, and Enter moves on as from the other columns
    fIdent->lineEdit()->selectAll();
    fIdent->lineEdit()->insert("STO-VAR");
    QTest::keyClick(fIdent->lineEdit(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(line("IDENT").asString(), QString("STO-VAR"));
    EXPECT_EQ(line("NAZIV").asString(), QString("Varovanje objekta"));   // the name follows the code
    EXPECT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(gObdracPoz().currentIndex(), cell(gObdracPoz(), 0, "NAZIV"));
    page->NavObdracPoz()->click(DBNavigator::Cancel);
}

// A number that is refused keeps the cursor in its cell with the text to correct; "+" on the
// lines puts the cursor into the new line's item code.
TEST_F(TemplatesPageTest, TheCursorStaysWhereTheUserMustTypeNext)
{
    tables->fObdracPoslDogCloseUp("G1");
    ASSERT_TRUE(tables->tbObdrac.Locate("KLJUC", QString("25G100009")));
    QApplication::processEvents();
    gObdrac().setFocus();
    QTest::mouseClick(page->NavObdracPoz()->button(DBNavigator::Insert), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(tables->tbObdracPoz.State(), dsInsert);
    EXPECT_TRUE(gObdracPoz().hasFocus());
    EXPECT_EQ(gObdracPoz().currentIndex(), cell(gObdracPoz(), 0, "IDENT"));
    QTest::keyClicks(&gObdracPoz(), "S");
    QApplication::processEvents();
    auto* fIdent = qobject_cast<LookupComboBox*>(gObdracPoz().indexWidget(cell(gObdracPoz(), 0, "IDENT")));
    ASSERT_NE(fIdent, nullptr);
    EXPECT_EQ(fIdent->objectName(), QString("fIdent"));
    EXPECT_TRUE(fIdent->lookupText().startsWith("S")) << fIdent->lookupText().toStdString();
    EXPECT_EQ(f("TIP").asString(), QString("P"));   // nothing went into the template
    QTest::keyClick(fIdent, Qt::Key_Escape);
    QApplication::processEvents();

    type(gObdracPoz(), 0, "KOLICINA", "2x");
    EXPECT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(gObdracPoz().currentIndex(), cell(gObdracPoz(), 0, "KOLICINA"));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QString("2x"));
    editor->selectAll();
    editor->insert("2");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(line("KOLICINA").asFloat(), 2.0);
    EXPECT_EQ(line("CENA").asFloat(), 0.0);
    EXPECT_EQ(gObdracPoz().currentIndex(), cell(gObdracPoz(), 0, "CENA"));
    page->NavObdracPoz()->click(DBNavigator::Cancel);
}

// With "Išči cene" the lines' own price and discount are not used: shown greyed with a hint.
TEST_F(TemplatesPageTest, PricesTheRunWillNotUseLookDifferent)
{
    tables->fObdracPoslDogCloseUp("G1");
    ASSERT_TRUE(tables->tbObdrac.Locate("KLJUC", QString("25G100002")));   // own prices ("F")
    QApplication::processEvents();
    const DataSetTableModel& lines = *gObdracPoz().dataModel();
    ASSERT_GT(lines.rowCount(), 0);
    EXPECT_FALSE(lines.data(cell(gObdracPoz(), 0, "CENA"), DataSetTableModel::MutedRole).toBool());
    EXPECT_TRUE(lines.data(cell(gObdracPoz(), 0, "CENA"), Qt::ToolTipRole).toString().isEmpty());
    ASSERT_TRUE(tables->tbObdrac.Locate("KLJUC", QString("25G100001")));   // looked up ("T")
    QApplication::processEvents();
    for (const char* field : {"CENA", "RABAT"}) {
        EXPECT_TRUE(lines.data(cell(gObdracPoz(), 0, field), DataSetTableModel::MutedRole).toBool()) << field;
        EXPECT_TRUE(lines.data(cell(gObdracPoz(), 0, field), Qt::ToolTipRole).toString().contains("Išči cene")) << field;
    }
    EXPECT_FALSE(lines.data(cell(gObdracPoz(), 0, "KOLICINA"), DataSetTableModel::MutedRole).toBool());
    // unticked in the grid: they count again
    gObdrac().setFocus();
    ASSERT_TRUE(gObdrac().dataModel()->setData(cell(gObdrac(), tables->tbObdrac.currentRow(), "NACIZRCENE"), int(Qt::Unchecked),
                                               Qt::CheckStateRole));
    QApplication::processEvents();
    EXPECT_FALSE(lines.data(cell(gObdracPoz(), 0, "CENA"), DataSetTableModel::MutedRole).toBool());
    page->NavObdrac()->click(DBNavigator::Cancel);
}
