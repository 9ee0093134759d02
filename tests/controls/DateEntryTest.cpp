// Dates as an accountant types them, into a date field and into a grid's date cell: every way of
// writing a day gives that day; text that is no day is refused with a message and stays as typed.
#include "ControlsTestSupport.h"

#include "controls/TypedDate.h"
#include "controls/ui/DBGrid.h"
#include "controls/ui/DatePicker.h"
#include "controls/TwwDataSource.h"
#include "controls/DataSetTableModel.h"
#include "data/log/MessageBoxes.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QDate Today = QDate::currentDate();

struct Entry {
    const char* typed;
    QDate date;   // invalid: refused
};

// The table both the field and the grid cell are driven through.
const Entry Entries[] = {
    {"1.12.2026", QDate(2026, 12, 1)},
    {"01.12.2026", QDate(2026, 12, 1)},
    {"01122026", QDate(2026, 12, 1)},
    {"1.12.26", QDate(2026, 12, 1)},
    {"011226", QDate(2026, 12, 1)},
    {"31.12.99", QDate(2099, 12, 31)},
    {"1/3/2027", QDate(2027, 3, 1)},
    {"1.12.", QDate(Today.year(), 12, 1)},
    {"29.02.2028", QDate(2028, 2, 29)},
    {"31.02.2026", QDate()},
    {"32122026", QDate()},
    {"1.13.2026", QDate()},
    {"29.02.2027", QDate()},
    {"1.12.202", QDate()},
    {"0112202", QDate()},
    {"danes", QDate()},
    {"1.1.1700", QDate()},
};

QString message(const char* typed)
{
    return invalidDateMessage(QString::fromLatin1(typed), u'.');
}

TEST(TypedDate, EveryWayOfWritingADay)
{
    for (const Entry& e : Entries) {
        const TypedDate t = parseTypedDate(QString::fromLatin1(e.typed), Today, u'.');
        if (e.date.isValid()) {
            EXPECT_TRUE(t.isDate()) << e.typed;
            EXPECT_EQ(t.date, e.date) << e.typed;
        } else {
            EXPECT_EQ(t.kind, TypedDate::Kind::Invalid) << e.typed;
            EXPECT_EQ(t.message, message(e.typed)) << e.typed;
        }
    }
    EXPECT_TRUE(parseTypedDate("  ", Today, u'.').isEmpty());
    EXPECT_EQ(parseTypedDate("1-12-2026", Today, u'/').date, QDate(2026, 12, 1));
}

// Typed into the field "Za obdobje od:" and left with Enter or Tab: the day typed, or the
// message with the text kept and the cursor still in the field.
TEST(DateEntry, TypedIntoTheField)
{
    QWidget form;
    auto* picker = new DatePicker(&form);
    auto* next = new QLineEdit(&form);
    next->move(0, 40);
    form.show();
    QApplication::setActiveWindow(&form);
    for (const Entry& e : Entries) {
        for (Qt::Key leave : {Qt::Key_Return, Qt::Key_Tab}) {
            ScriptedMessageBoxes boxes;
            picker->setDate(QDate(2026, 3, 14));
            picker->setFocus();
            QApplication::processEvents();
            picker->selectAll();
            QTest::keyClicks(picker, e.typed);
            QTest::keyClick(picker, leave);
            QApplication::processEvents();
            if (e.date.isValid()) {
                EXPECT_TRUE(boxes.texts().isEmpty()) << e.typed;
                EXPECT_EQ(picker->date(), e.date) << e.typed;
                EXPECT_EQ(picker->text(), e.date.toString("dd.MM.yyyy")) << e.typed;
            } else {
                EXPECT_EQ(boxes.texts(), QStringList{message(e.typed)}) << e.typed;
                EXPECT_EQ(picker->text(), QString::fromLatin1(e.typed)) << e.typed;
                EXPECT_EQ(picker->date(), QDate(2026, 3, 14)) << e.typed;   // never another day
                EXPECT_TRUE(picker->hasFocus()) << e.typed;
                // Escape gives the typing up
                QTest::keyClick(picker, Qt::Key_Escape);
                EXPECT_EQ(picker->text(), QString("14.03.2026"));
            }
        }
    }
    // a required field left empty
    ScriptedMessageBoxes boxes;
    picker->setFocus();
    picker->clear();
    QTest::keyClick(picker, Qt::Key_Return);
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts()[0].startsWith("Datum je obvezen")) << boxes.texts()[0].toStdString();
    EXPECT_EQ(picker->date(), QDate(2026, 3, 14));
}

TEST(DateEntry, ArrowKeysStepTheSectionUnderTheCursor)
{
    DatePicker picker;
    picker.show();
    QApplication::setActiveWindow(&picker);
    picker.setFocus();
    picker.setDate(QDate(2026, 12, 31));
    picker.setCursorPosition(1);
    QTest::keyClick(&picker, Qt::Key_Up);
    EXPECT_EQ(picker.date(), QDate(2027, 1, 1));
    picker.setCursorPosition(4);
    QTest::keyClick(&picker, Qt::Key_Down);
    EXPECT_EQ(picker.date(), QDate(2026, 12, 1));
    picker.setCursorPosition(8);
    QTest::keyClick(&picker, Qt::Key_Up);
    EXPECT_EQ(picker.date(), QDate(2027, 12, 1));
}

class DateCellTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ControlsDatabase::sample(db, tb);
        tb.setFetchAllOnOpen(true);
        tb.Open();
        grid.setColumns({GridColumn("NAZIV", 30, "Naziv"), GridColumn("DATUM", 10, "Datum"),
                         GridColumn("OPOMBA", 20, "Opomba")});
        grid.setDataSource(&source);
        grid.setEnterMovesToNextColumn(true);
        grid.resize(700, 300);
        grid.show();
        QApplication::setActiveWindow(&grid);
        QApplication::processEvents();
    }
    QModelIndex cell(int row, const char* field) { return grid.dataModel()->index(row, grid.columnOfField(field)); }
    // Types into the date cell of the first row as a user does: the first key opens the editor.
    DatePicker* typeDate(const char* typed, Qt::Key leave)
    {
        grid.setFocus();
        grid.setCurrentIndex(cell(0, "DATUM"));
        QTest::keyClicks(&grid, QString::fromLatin1(typed).left(1));
        QApplication::processEvents();
        auto* picker = qobject_cast<DatePicker*>(QApplication::focusWidget());
        if (picker == nullptr)
            return nullptr;
        QTest::keyClicks(picker, QString::fromLatin1(typed).mid(1));
        QTest::keyClick(picker, leave);
        QApplication::processEvents();
        return picker;
    }

    THdbc db;
    TwwOEDataSet tb;
    TwwDataSource source{&tb};
    DBGrid grid;
};

TEST_F(DateCellTest, TypedIntoAGridCell)
{
    for (const Entry& e : Entries) {
        for (Qt::Key leave : {Qt::Key_Return, Qt::Key_Tab}) {
            ScriptedMessageBoxes boxes;
            if (tb.State() != dsBrowse)
                tb.Cancel();
            const QDateTime before = tb.FieldByName("DATUM").asDateTime();
            QPointer<DatePicker> picker = typeDate(e.typed, leave);
            ASSERT_FALSE(picker.isNull()) << e.typed;
            if (e.date.isValid()) {
                EXPECT_TRUE(boxes.texts().isEmpty()) << e.typed;
                EXPECT_EQ(tb.FieldByName("DATUM").asDateTime(), QDateTime(e.date, QTime(0, 0))) << e.typed;
                EXPECT_EQ(grid.currentIndex(), cell(0, "OPOMBA")) << e.typed;   // moved on
                EXPECT_TRUE(picker.isNull() || !picker->isVisible()) << e.typed;
            } else {
                EXPECT_EQ(boxes.texts(), QStringList{message(e.typed)}) << e.typed;
                EXPECT_EQ(tb.FieldByName("DATUM").asDateTime(), before) << e.typed;   // never another day
                ASSERT_FALSE(picker.isNull()) << e.typed;
                EXPECT_EQ(picker->text(), QString::fromLatin1(e.typed)) << e.typed;
                EXPECT_EQ(grid.currentIndex(), cell(0, "DATUM")) << e.typed;
                EXPECT_EQ(QApplication::focusWidget(), picker.data()) << e.typed;
                // a click on another cell does not leave it either
                grid.setCurrentIndex(cell(1, "NAZIV"));
                QApplication::processEvents();
                EXPECT_EQ(grid.currentIndex(), cell(0, "DATUM")) << e.typed;
                EXPECT_EQ(tb.currentRow(), 0) << e.typed;
                ASSERT_FALSE(picker.isNull()) << e.typed;
                EXPECT_EQ(picker->text(), QString::fromLatin1(e.typed)) << e.typed;
                QTest::keyClick(picker, Qt::Key_Escape);   // given up: the cell as it was
                QApplication::processEvents();
                EXPECT_EQ(tb.FieldByName("DATUM").asDateTime(), before) << e.typed;
            }
        }
    }
}

// An empty date cell stays empty when its editor is opened and closed, and an optional date may
// be cleared.
TEST_F(DateCellTest, AnEmptyCellIsNotFilledIn)
{
    ScriptedMessageBoxes boxes;
    grid.setCurrentIndex(cell(2, "DATUM"));
    grid.edit(cell(2, "DATUM"));
    QApplication::processEvents();
    auto* picker = qobject_cast<DatePicker*>(QApplication::focusWidget());
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->text(), QString());
    QTest::keyClick(picker, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(tb.FieldByName("DATUM").isNull());
    EXPECT_EQ(tb.State(), dsBrowse);

    grid.setCurrentIndex(cell(0, "DATUM"));
    grid.edit(cell(0, "DATUM"));
    QApplication::processEvents();
    picker = qobject_cast<DatePicker*>(QApplication::focusWidget());
    ASSERT_NE(picker, nullptr);
    picker->clear();
    QTest::keyClick(picker, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(tb.FieldByName("DATUM").isNull());
    EXPECT_TRUE(boxes.texts().isEmpty());
}

} // namespace
