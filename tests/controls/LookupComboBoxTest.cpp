#include "ControlsTestSupport.h"

#include "controls/DataSetTableModel.h"
#include "controls/TwwDataSource.h"
#include "controls/ui/DBGrid.h"
#include "controls/ui/LookupComboBox.h"
#include "data/local/LocalTable.h"
#include "data/log/ErrorLog.h"
#include "data/log/MessageBoxes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Types text that may hold letters outside ASCII.
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QInputMethodEvent event;
        event.setCommitString(QString(c));
        QApplication::sendEvent(widget, &event);
    }
}

class LookupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ControlsDatabase::reset();
        connectTo(db, ControlsDatabase::get());
        partners.setName("tbLookPartner");
        partners.sethDbc(&db);
        partners.setSQL("SELECT Naziv, Naslov, Posta FROM Partner ORDER BY Naziv");
        combo.bindLookup(&partners, "NAZIV", {GridColumn("NAZIV", 30, "Naziv"), GridColumn("NASLOV", 20, "Naslov")});
        combo.show();
        QApplication::setActiveWindow(&combo);
        combo.setFocus();
        QApplication::processEvents();
    }
    void chooseRow(int row)
    {
        combo.showPopup();
        QAbstractItemView* view = combo.view();
        view->setCurrentIndex(view->model()->index(row, 0));
        QTest::keyClick(view, Qt::Key_Return);
        QApplication::processEvents();
    }

    THdbc db;
    TwwOEDataSet partners;
    LookupComboBox combo;
    ScriptedMessageBoxes boxes;
};

TEST_F(LookupTest, OpensTheLookupOnlyWhenNeeded)
{
    EXPECT_FALSE(partners.Active());
    combo.setLookupText("Zadnji");
    EXPECT_FALSE(partners.Active());
    EXPECT_EQ(combo.lookupText(), QString("Zadnji"));
    combo.showPopup();
    EXPECT_TRUE(partners.Active());
    EXPECT_EQ(combo.lookupText(), QString("Zadnji"));   // the list arriving does not change the value
    auto* grid = combo.dropDownGrid();
    EXPECT_EQ(grid->model()->columnCount(), 2);
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), QString("Naslov"));
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->currentIndex().row(), 2);   // the row of the value (the list is in code order)
    combo.hidePopup();
}

TEST_F(LookupTest, IncrementalSearchAsTheUserTypes)
{
    QTest::keyClicks(combo.lineEdit(), "ab");
    EXPECT_TRUE(partners.Active());
    EXPECT_EQ(partners.FieldByName("NAZIV").asString(), QString("ABC d.o.o."));
    EXPECT_EQ(combo.lineEdit()->text(), QString("abC d.o.o."));
    EXPECT_EQ(combo.lineEdit()->selectedText(), QString("C d.o.o."));
    QTest::keyClicks(combo.lineEdit(), "e");
    EXPECT_EQ(partners.FieldByName("NAZIV").asString(), QString("Abeceda s.p."));
    EXPECT_EQ(combo.lineEdit()->text(), QString("abeceda s.p."));
    typeText(combo.lineEdit(), "č");   // replaces the offered rest; nothing matches
    EXPECT_EQ(combo.lineEdit()->text(), QString("abeč"));
    EXPECT_EQ(partners.FieldByName("NAZIV").asString(), QString("Abeceda s.p."));
    EXPECT_TRUE(combo.searchFor("čeb"));
    EXPECT_EQ(partners.FieldByName("NAZIV").asString(), QString("Čebelarstvo Žan"));
    EXPECT_FALSE(combo.searchFor("xyz"));
}

TEST_F(LookupTest, ChoosingARowSetsTheValueAndTheCurrentRecord)
{
    QSignalSpy made(&combo, &LookupComboBox::choiceMade);
    QSignalSpy closed(&combo, &LookupComboBox::closeUp);
    chooseRow(3);
    EXPECT_EQ(combo.lookupText(), QString("Čebelarstvo Žan"));
    EXPECT_EQ(partners.FieldByName("NASLOV").asString(), QString("Vas 3"));
    EXPECT_EQ(made.count(), 1);
    ASSERT_EQ(closed.count(), 1);
    EXPECT_TRUE(closed.at(0).at(0).toBool());
}

TEST_F(LookupTest, ClosingWithoutAChoice)
{
    combo.setLookupText("ABC d.o.o.");
    QSignalSpy closed(&combo, &LookupComboBox::closeUp);
    combo.showPopup();
    QTest::keyClick(combo.view(), Qt::Key_Escape);
    QApplication::processEvents();
    ASSERT_EQ(closed.count(), 1);
    EXPECT_FALSE(closed.at(0).at(0).toBool());
    EXPECT_EQ(combo.lookupText(), QString("ABC d.o.o."));
}

TEST_F(LookupTest, ChoiceFromTheListOnly)
{
    combo.setChoiceFromListOnly(true);
    combo.setLookupText("Zadnji");
    combo.setEditText("Ni ga");
    EXPECT_FALSE(combo.validateText());
    EXPECT_EQ(combo.lookupText(), QString("Zadnji"));
    combo.setEditText("abc d.o.o.");
    EXPECT_TRUE(combo.validateText());
    EXPECT_EQ(combo.lookupText(), QString("ABC d.o.o."));   // in the list's spelling
    combo.setEditText("");
    EXPECT_TRUE(combo.validateText());   // it may be cleared
    combo.setChoiceFromListOnly(false);
    combo.setEditText("Prost vnos");
    EXPECT_TRUE(combo.validateText());
    EXPECT_EQ(combo.lookupText(), QString("Prost vnos"));
}

TEST_F(LookupTest, UnboundItIsAPlainBox)
{
    LookupComboBox plain;
    plain.setLookupText("PF");
    EXPECT_EQ(plain.lookupText(), QString("PF"));
    EXPECT_EQ(plain.lookupDataSet(), nullptr);
    EXPECT_FALSE(plain.searchFor("P"));
    EXPECT_TRUE(plain.validateText());
}

TEST_F(LookupTest, BrokenLookupShowsTheFailure)
{
    ScratchDir dir;
    const QByteArray oldData = qgetenv("OBDRAC_DATA_DIR");
    qputenv("OBDRAC_DATA_DIR", dir.file("data").toUtf8());
    struct Restore {
        QByteArray value;
        ~Restore() { value.isNull() ? qunsetenv("OBDRAC_DATA_DIR") : qputenv("OBDRAC_DATA_DIR", value); }
    } restore{oldData};
    partners.setSQL("SELECT Naziv FROM NiTakeTabele");
    combo.setObjectName("fPartner");
    combo.showPopup();
    EXPECT_FALSE(partners.Active());
    ASSERT_FALSE(boxes.shown().empty());
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Error);

    // and the error log has it, under the dataset's name and without a tick count
    ASSERT_TRUE(LocalTable::fileExists(ErrorLogTable));
    LocalTable log(QString(), ErrorLogTable);
    log.open();
    ASSERT_TRUE(log.first());
    EXPECT_EQ(log.asString("Operation"), QString("wwOpenTable-tbLookPartner"));
    EXPECT_EQ(log.asString("ObjectName"), QString("fPartner"));
    EXPECT_EQ(log.asString("ExceptObject"), QString("EODBC"));
    EXPECT_FALSE(log.asString("Error").isEmpty());
    EXPECT_TRUE(log.isNull("TickCount"));
    EXPECT_FALSE(log.next());
}

// A grid column edited with a lookup drop-down: the chosen value is in the record before the
// owner's closeUp handler runs.
TEST_F(LookupTest, InCellLookupEditorHandsTheChoiceOverFirst)
{
    TwwOEDataSet tb;
    tb.setName("tbVzorec");
    tb.sethDbc(&db);
    tb.setSQL("SELECT * FROM Vzorec ORDER BY Kljuc");
    tb.ControlType() << "NAZIV;CustomEdit;fPartner";
    tb.setFetchAllOnOpen(true);
    tb.Open();
    TwwDataSource source(&tb);
    DBGrid grid;
    grid.setColumns({GridColumn("KLJUC", 10), GridColumn("NAZIV", 30), GridColumn("OPOMBA", 20)});
    grid.setDataSource(&source);
    QString seenInRecord;
    grid.registerEditor("fPartner", [&](QWidget* parent) {
        auto* editor = new LookupComboBox(parent);
        editor->bindLookup(&partners, "NAZIV", {GridColumn("NAZIV", 30, "Naziv")});
        QObject::connect(editor, &LookupComboBox::closeUp, editor, [&](bool selected) {
            if (!selected)
                return;
            seenInRecord = tb.FieldByName("NAZIV").asString();
            tb.FieldByName("OPOMBA").setAsString(partners.FieldByName("NASLOV").asString());
        });
        return editor;
    });
    grid.show();
    const QModelIndex index = grid.dataModel()->index(1, 1);
    grid.setCurrentIndex(index);
    grid.edit(index);
    auto* editor = grid.findChild<LookupComboBox*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->lookupText(), QString("Drugi Čšž"));
    editor->showPopup();
    editor->view()->setCurrentIndex(editor->view()->model()->index(0, 0));
    QTest::keyClick(editor->view(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(seenInRecord, QString("ABC d.o.o."));
    EXPECT_EQ(tb.FieldByName("OPOMBA").asString(), QString("Glavna 1"));
    ASSERT_TRUE(source.post());
    EXPECT_EQ(ControlsDatabase::sql("SELECT Naziv, Opomba FROM Vzorec WHERE Kljuc = '26PF00002'").trimmed(),
              QString("ABC d.o.o.|Glavna 1"));
}
} // namespace
