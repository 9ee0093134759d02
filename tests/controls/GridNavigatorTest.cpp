#include "ControlsTestSupport.h"

#include "controls/DataSetTableModel.h"
#include "controls/TwwDataSource.h"
#include "controls/ui/DBGrid.h"
#include "controls/ui/DBNavigator.h"
#include "controls/ui/DatePicker.h"
#include "controls/ui/LookupComboBox.h"
#include "data/log/MessageBoxes.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ControlsDatabase::sample(db, tb);
        tb.ControlType() << "AKTIVNO;CheckBox;T;F";
        tb.setFetchAllOnOpen(true);
        tb.Open();
        grid.setColumns({GridColumn("AKTIVNO", 3, "Ak."), GridColumn("KLJUC", 10, "Številka", true),
                         GridColumn("NAZIV", 30, "Naziv~partnerja"), GridColumn("DATUM", 10, "Datum")});
        grid.setDataSource(&source);
        navigator.setDataSource(&source);
        grid.resize(700, 300);
        grid.show();
        QApplication::processEvents();
    }
    QModelIndex cell(int row, const char* field) { return grid.dataModel()->index(row, grid.columnOfField(field)); }
    QString dbValue(const QString& q) { return ControlsDatabase::sql(q).trimmed(); }

    THdbc db;
    TwwOEDataSet tb;
    TwwDataSource source{&tb};
    DBGrid grid;
    DBNavigator navigator;
    ScriptedMessageBoxes boxes;
};

TEST_F(GridTest, ColumnsWidthsInCharactersAndTwoLineTitles)
{
    ASSERT_EQ(grid.dataModel()->columnCount(), 4);
    const int ch = grid.fontMetrics().horizontalAdvance(QLatin1Char('0'));
    EXPECT_EQ(grid.columnWidth(2), 30 * ch + 10);
    EXPECT_EQ(grid.columnWidth(0), 3 * ch + 10);
    EXPECT_GE(grid.horizontalHeader()->minimumHeight(), 2 * grid.horizontalHeader()->fontMetrics().height());
    EXPECT_EQ(grid.dataModel()->rowCount(), 3);
}

TEST_F(GridTest, TitleClickAsksForSorting)
{
    QSignalSpy spy(&grid, &DBGrid::titleButtonClick);
    emit grid.horizontalHeader()->sectionClicked(2);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toString(), QString("NAZIV"));
    grid.setTitleButtons(false);
    emit grid.horizontalHeader()->sectionClicked(2);
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(GridTest, GridFollowsTheDataSetAndMovesIt)
{
    tb.Last();
    EXPECT_EQ(grid.currentIndex().row(), 2);
    grid.setCurrentIndex(cell(1, "NAZIV"));
    EXPECT_EQ(tb.currentRow(), 1);
    EXPECT_EQ(tb.FieldByName("KLJUC").asString(), QString("26PF00002"));
}

TEST_F(GridTest, LeavingAnEditedRowPostsIt)
{
    grid.setCurrentIndex(cell(0, "NAZIV"));
    grid.edit(cell(0, "NAZIV"));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->maxLength(), 30);
    editor->setText("Iz mreže");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();   // the editor hands its value over once the key is done
    EXPECT_EQ(tb.State(), dsEdit);
    grid.setCurrentIndex(cell(2, "NAZIV"));
    EXPECT_EQ(tb.State(), dsBrowse);
    EXPECT_EQ(dbValue("SELECT Naziv FROM Vzorec WHERE Kljuc = '26PF00001'"), QString("Iz mreže"));
}

TEST_F(GridTest, OpeningAndClosingAnEditorChangesNothing)
{
    grid.setCurrentIndex(cell(1, "NAZIV"));
    grid.edit(cell(1, "NAZIV"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(tb.State(), dsBrowse);
}

TEST_F(GridTest, SpaceTogglesTheCheckBox)
{
    grid.setFocus();
    grid.setCurrentIndex(cell(1, "AKTIVNO"));
    QTest::keyClick(grid.viewport(), Qt::Key_Space);
    EXPECT_EQ(tb.FieldByName("AKTIVNO").asString(), QString("T"));
    ASSERT_TRUE(source.post());
    EXPECT_EQ(dbValue("SELECT Aktivno FROM Vzorec WHERE Kljuc = '26PF00002'"), QString("T"));
}

TEST_F(GridTest, DateColumnsAreEditedWithTheDatePicker)
{
    grid.setCurrentIndex(cell(0, "DATUM"));
    grid.edit(cell(0, "DATUM"));
    auto* picker = grid.findChild<DatePicker*>();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->date(), QDate(2026, 1, 15));
    picker->setDate(QDate(2026, 5, 31));
    emit grid.itemDelegate()->commitData(picker);
    EXPECT_EQ(tb.FieldByName("DATUM").asDateTime(), QDateTime(QDate(2026, 5, 31), QTime(0, 0)));
}

TEST_F(GridTest, EnterMovesToTheNextColumnAndRow)
{
    grid.setEnterMovesToNextColumn(true);
    grid.setFocus();
    grid.setCurrentIndex(cell(0, "NAZIV"));
    QTest::keyClick(grid.viewport(), Qt::Key_Return);
    EXPECT_EQ(grid.currentIndex(), cell(0, "DATUM"));
    QTest::keyClick(grid.viewport(), Qt::Key_Return);
    EXPECT_EQ(grid.currentIndex(), cell(1, "AKTIVNO"));
    EXPECT_EQ(tb.currentRow(), 1);
}

TEST_F(GridTest, EscapeAsksBeforeTheChangesAreGivenUp)
{
    grid.setFocus();
    ASSERT_TRUE(grid.dataModel()->setData(cell(0, "NAZIV"), QString("Spremenjeno")));
    boxes.answer(MsgButton::Cancel);
    QTest::keyClick(grid.viewport(), Qt::Key_Escape);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, QString("Ali opuščaš spremembe !"));
    EXPECT_EQ(tb.State(), dsEdit);
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("Spremenjeno"));
    boxes.answer(MsgButton::Ok);
    QTest::keyClick(grid.viewport(), Qt::Key_Escape);
    EXPECT_EQ(tb.State(), dsBrowse);
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("Prvi"));
    EXPECT_EQ(dbValue("SELECT Naziv FROM Vzorec WHERE Kljuc = '26PF00001'"), QString("Prvi"));
}

TEST_F(GridTest, FailedPostKeepsTheGridOnTheRecord)
{
    tb.BeforePost = [](TwwOEDataSet& ds) {
        if (ds.FieldByName("NAZIV").asString().isEmpty())
            throw std::runtime_error("Naziv je obvezen !");
    };
    grid.setCurrentIndex(cell(0, "NAZIV"));
    ASSERT_TRUE(grid.dataModel()->setData(cell(0, "NAZIV"), QString("")));
    grid.setCurrentIndex(cell(2, "NAZIV"));
    QApplication::processEvents();
    ASSERT_FALSE(boxes.shown().empty());
    EXPECT_EQ(boxes.shown().back().text, QString("Naziv je obvezen !"));
    EXPECT_EQ(tb.State(), dsEdit);
    EXPECT_EQ(tb.currentRow(), 0);
    EXPECT_EQ(grid.currentIndex().row(), 0);
}

TEST_F(GridTest, InsertAndDeleteKeys)
{
    grid.setFocus();
    grid.setCurrentIndex(cell(1, "NAZIV"));
    QTest::keyClick(grid.viewport(), Qt::Key_Insert);
    EXPECT_EQ(tb.State(), dsInsert);
    EXPECT_EQ(grid.dataModel()->rowCount(), 4);
    QTest::keyClick(grid.viewport(), Qt::Key_Escape);   // nothing typed: no question
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(grid.dataModel()->rowCount(), 3);

    boxes.answer(MsgButton::Cancel);
    QTest::keyClick(grid.viewport(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dbValue("SELECT count(*) FROM Vzorec"), QString("3"));
    boxes.answer(MsgButton::Ok);
    QTest::keyClick(grid.viewport(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dbValue("SELECT count(*) FROM Vzorec"), QString("2"));
    EXPECT_EQ(boxes.texts(), (QStringList{"Delete record?", "Delete record?"}));

    grid.setAllowDelete(false);
    QTest::keyClick(grid.viewport(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(boxes.shown().size(), 2u);
}

TEST_F(GridTest, GridEnterOnlyFromOutside)
{
    QLineEdit other;
    other.show();
    QApplication::setActiveWindow(&other);
    other.setFocus();
    QApplication::processEvents();
    QSignalSpy spy(&grid, &DBGrid::gridEnter);
    QApplication::setActiveWindow(&grid);
    grid.setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(spy.count(), 1);
    // a cell editor coming and going is no entering
    grid.setCurrentIndex(cell(0, "NAZIV"));
    grid.edit(cell(0, "NAZIV"));
    QApplication::processEvents();
    ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(spy.count(), 1);
}

TEST_F(GridTest, NavigatorMovesInsertsPostsAndDeletes)
{
    EXPECT_FALSE(navigator.button(DBNavigator::First)->isEnabled());
    EXPECT_TRUE(navigator.button(DBNavigator::Next)->isEnabled());
    EXPECT_FALSE(navigator.button(DBNavigator::Post)->isEnabled());
    navigator.click(DBNavigator::Last);
    EXPECT_EQ(tb.currentRow(), 2);
    EXPECT_FALSE(navigator.button(DBNavigator::Next)->isEnabled());
    EXPECT_TRUE(navigator.button(DBNavigator::Prior)->isEnabled());
    navigator.click(DBNavigator::Prior);
    EXPECT_EQ(tb.currentRow(), 1);
    navigator.click(DBNavigator::First);
    EXPECT_EQ(tb.currentRow(), 0);

    navigator.click(DBNavigator::Insert);
    EXPECT_EQ(tb.State(), dsInsert);
    EXPECT_TRUE(navigator.button(DBNavigator::Post)->isEnabled());
    EXPECT_FALSE(navigator.button(DBNavigator::Insert)->isEnabled());
    ASSERT_TRUE(grid.dataModel()->setData(cell(0, "NAZIV"), QString("Nov")));
    tb.FieldByName("KLJUC").setAsString("26PF00009");
    navigator.click(DBNavigator::Post);
    EXPECT_EQ(tb.State(), dsBrowse);
    EXPECT_EQ(dbValue("SELECT Naziv FROM Vzorec WHERE Kljuc = '26PF00009'"), QString("Nov"));

    boxes.answer(MsgButton::Ok);
    navigator.click(DBNavigator::Delete);
    EXPECT_EQ(boxes.shown().back().text, QString("Delete record?"));
    EXPECT_EQ(dbValue("SELECT count(*) FROM Vzorec WHERE Kljuc = '26PF00009'"), QString("0"));
}

TEST_F(GridTest, NavigatorCancelAsksOnlyWhenTheUserChangedTheRecord)
{
    navigator.click(DBNavigator::Edit);
    EXPECT_EQ(tb.State(), dsEdit);
    navigator.click(DBNavigator::Cancel);
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(tb.State(), dsBrowse);

    ASSERT_TRUE(grid.dataModel()->setData(cell(0, "NAZIV"), QString("Drugače")));
    boxes.answer(MsgButton::Cancel);
    navigator.click(DBNavigator::Cancel);
    EXPECT_EQ(boxes.texts(), QStringList{"Ali opuščaš spremembe !"});
    EXPECT_EQ(tb.State(), dsEdit);
    boxes.answer(MsgButton::Ok);
    navigator.click(DBNavigator::Cancel);
    EXPECT_EQ(tb.State(), dsBrowse);
    EXPECT_EQ(tb.FieldByName("NAZIV").asString(), QString("Prvi"));
}

TEST_F(GridTest, NavigatorRefreshRereadsTheRecord)
{
    ControlsDatabase::sql("UPDATE Vzorec SET Naziv = 'Od drugod' WHERE Kljuc = '26PF00001'");
    navigator.click(DBNavigator::Refresh);
    EXPECT_EQ(grid.dataModel()->data(cell(0, "NAZIV")).toString(), QString("Od drugod"));
}

TEST_F(GridTest, NavigatorWithoutOpenDataSetIsDisabled)
{
    tb.Close();
    for (int b = 0; b < DBNavigator::ButtonCount; ++b)
        EXPECT_FALSE(navigator.button(DBNavigator::Button(b))->isEnabled()) << b;
    EXPECT_EQ(grid.dataModel()->rowCount(), 0);
}
} // namespace
