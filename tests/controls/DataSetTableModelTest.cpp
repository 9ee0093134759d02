#include "ControlsTestSupport.h"

#include "controls/ControlTexts.h"
#include "controls/DataSetTableModel.h"
#include "controls/TwwDataSource.h"
#include "data/log/MessageBoxes.h"
#include "data/core/ProgramState.h"

#include <gtest/gtest.h>

namespace {
class ModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ControlsDatabase::sample(db, tb);
        tb.ControlType() << "AKTIVNO;CheckBox;T;F";
        tb.Open();
        tb.FieldByName("KOLICINA").setDisplayFormat("#,##0.00");
        model.setColumns({GridColumn("AKTIVNO", 3, "Ak."), GridColumn("KLJUC", 10, "Številka", true),
                          GridColumn("NAZIV", 30, "Naziv~partnerja"), GridColumn("DATUM", 10, "Datum"),
                          GridColumn("KOLICINA", 9, "Količina")});
    }
    void fetchAll()
    {
        while (model.canFetchMore(QModelIndex()))
            model.fetchMore(QModelIndex());
    }
    QModelIndex cell(int row, const char* field) { return model.index(row, model.columnOfField(field)); }

    THdbc db;
    TwwOEDataSet tb;
    TwwDataSource source{&tb};
    DataSetTableModel model{&source};
    ScriptedMessageBoxes boxes;
};

TEST_F(ModelTest, ShowsTheCachedRowsWithTitlesFormatsAndCheckBoxes)
{
    fetchAll();
    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(model.columnCount(), 5);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QString("Naziv\npartnerja"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::UserRole).toString(), QString("KLJUC"));
    EXPECT_EQ(model.data(cell(1, "NAZIV")).toString(), QString("Drugi Čšž"));
    EXPECT_EQ(model.data(cell(0, "DATUM")).toString(), QString("15.01.2026"));
    EXPECT_EQ(model.data(cell(2, "DATUM")).toString(), QString());
    EXPECT_EQ(model.data(cell(1, "KOLICINA"), Qt::EditRole).toString(), QString("2"));
    EXPECT_EQ(model.data(cell(0, "AKTIVNO"), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    EXPECT_EQ(model.data(cell(1, "AKTIVNO"), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    EXPECT_FALSE(model.data(cell(0, "AKTIVNO")).isValid());   // no text beside the box
    EXPECT_EQ(model.data(cell(0, "DATUM"), Qt::EditRole).toDate(), QDate(2026, 1, 15));
    EXPECT_EQ(model.widthInCharacters(2), 30);

    // read-only column and check-box column flags
    EXPECT_FALSE(model.flags(cell(0, "KLJUC")) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(cell(0, "NAZIV")) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(cell(0, "AKTIVNO")) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(cell(0, "AKTIVNO")) & Qt::ItemIsEditable);

    // the current record is marked
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toString(), QString("►"));
    EXPECT_EQ(model.headerData(1, Qt::Vertical).toString(), QString());
}

TEST_F(ModelTest, DateSeparatorOfTheProcess)
{
    DateSeparator = u'/';
    EXPECT_EQ(model.data(cell(0, "DATUM")).toString(), QString("15/01/2026"));
    DateSeparator = u'.';
}

TEST_F(ModelTest, AllColumnsWhenNoneAreGiven)
{
    model.setColumns({});
    EXPECT_EQ(model.columnCount(), tb.FieldCount());
    EXPECT_EQ(model.fieldNameAt(0), QString("KLJUC"));
}

TEST_F(ModelTest, RowsArriveAsTheViewAsksForThem)
{
    EXPECT_LT(model.rowCount(), 3);
    EXPECT_TRUE(model.canFetchMore(QModelIndex()));
    fetchAll();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_FALSE(model.canFetchMore(QModelIndex()));
}

TEST_F(ModelTest, EditAndPostWritesToTheDatabase)
{
    fetchAll();
    ASSERT_TRUE(model.setData(cell(1, "NAZIV"), QString("Novo ime Šport")));
    EXPECT_EQ(tb.State(), dsEdit);
    EXPECT_EQ(tb.currentRow(), 1);
    EXPECT_TRUE(source.modified());
    EXPECT_EQ(model.data(cell(1, "NAZIV")).toString(), QString("Novo ime Šport"));
    EXPECT_EQ(model.headerData(1, Qt::Vertical).toString(), QString("✎"));
    ASSERT_TRUE(model.setData(cell(1, "KOLICINA"), QString("7.25")));
    ASSERT_TRUE(model.setData(cell(1, "DATUM"), QDate(2026, 3, 14)));
    ASSERT_TRUE(source.post());
    EXPECT_EQ(tb.State(), dsBrowse);
    EXPECT_FALSE(source.modified());
    EXPECT_EQ(ControlsDatabase::sql("SELECT Naziv, Kolicina, Datum FROM Vzorec WHERE Kljuc = '26PF00002'").trimmed(),
              QString("Novo ime Šport|7.25|2026-03-14 00:00:00"));
    // the model reads the same cache: no second copy of the rows
    EXPECT_EQ(model.data(cell(1, "NAZIV")).toString(), tb.FieldByName("NAZIV").asString());
}

TEST_F(ModelTest, EditingAnotherRowPostsTheFirst)
{
    fetchAll();
    ASSERT_TRUE(model.setData(cell(0, "NAZIV"), QString("Spremenjen")));
    ASSERT_TRUE(model.setData(cell(2, "NAZIV"), QString("Tudi ta")));
    EXPECT_EQ(ControlsDatabase::sql("SELECT Naziv FROM Vzorec WHERE Kljuc = '26PF00001'").trimmed(), QString("Spremenjen"));
    EXPECT_EQ(tb.currentRow(), 2);
    EXPECT_EQ(tb.State(), dsEdit);
}

TEST_F(ModelTest, CheckBoxColumnTogglesBetweenTAndF)
{
    fetchAll();
    ASSERT_TRUE(model.setData(cell(0, "AKTIVNO"), int(Qt::Unchecked), Qt::CheckStateRole));
    EXPECT_EQ(tb.FieldByName("AKTIVNO").asString(), QString("F"));
    ASSERT_TRUE(source.post());
    ASSERT_TRUE(model.setData(cell(1, "AKTIVNO"), int(Qt::Checked), Qt::CheckStateRole));
    ASSERT_TRUE(source.post());
    EXPECT_EQ(ControlsDatabase::sql("SELECT Kljuc, Aktivno FROM Vzorec ORDER BY Kljuc").trimmed(),
              QString("26PF00001|F\n26PF00002|T\n26PF00003|T"));
}

TEST_F(ModelTest, BadInputIsRefusedWithAMessageAndTheValueStays)
{
    fetchAll();
    EXPECT_FALSE(model.setData(cell(0, "KOLICINA"), QString("ni število")));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].kind, MsgKind::Error);
    EXPECT_DOUBLE_EQ(tb.FieldByName("KOLICINA").asFloat(), 1.5);
    EXPECT_FALSE(model.setData(cell(0, "KLJUC"), QString("X")));   // read-only column
}

TEST_F(ModelTest, FieldTextRulesRunForTypedText)
{
    fetchAll();
    tb.FieldByName("OPOMBA").OnSetText = [](TField& f, const QString& text) { f.setAsString(text.toUpper()); };
    ASSERT_TRUE(model.setData(cell(0, "NAZIV"), QString("x")));   // a column without a rule
    model.setColumns({GridColumn("OPOMBA")});
    ASSERT_TRUE(model.setData(model.index(0, 0), QString("male črke")));
    EXPECT_EQ(tb.FieldByName("OPOMBA").asString(), QString("MALE ČRKE"));
}

TEST_F(ModelTest, InsertDeleteAndCancelFollowTheDataSet)
{
    fetchAll();
    ASSERT_TRUE(source.moveTo(1));
    ASSERT_TRUE(source.insert());
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.headerData(1, Qt::Vertical).toString(), QString("*"));
    EXPECT_EQ(model.data(cell(2, "NAZIV")).toString(), QString("Drugi Čšž"));
    ASSERT_TRUE(source.cancel());
    EXPECT_TRUE(boxes.shown().empty());   // nothing was changed: no question
    EXPECT_EQ(model.rowCount(), 3);

    boxes.answer(MsgButton::Ok);
    ASSERT_TRUE(source.remove());
    EXPECT_EQ(boxes.shown().back().text, QString("Delete record?"));
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(ControlsDatabase::sql("SELECT count(*) FROM Vzorec").trimmed(), QString("2"));
}

TEST_F(ModelTest, ClosingAndReopeningReloads)
{
    fetchAll();
    tb.Close();
    EXPECT_EQ(model.rowCount(), 0);
    tb.Open();
    fetchAll();
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 5);
}

TEST(ControlTypeParse, Table)
{
    const FieldControlType check = FieldControlType::fromParts({"AKTIVNO", "CheckBox", "T", "F"});
    EXPECT_EQ(check.kind, FieldControlType::CheckBox);
    EXPECT_TRUE(check.isChecked("T"));
    EXPECT_FALSE(check.isChecked("t"));
    const FieldControlType custom = FieldControlType::fromParts({"IDENT", "CustomEdit", "fIdent"});
    EXPECT_EQ(custom.kind, FieldControlType::CustomEdit);
    EXPECT_EQ(custom.editorName, QString("fIdent"));
    EXPECT_EQ(FieldControlType::fromParts({}).kind, FieldControlType::Plain);
    EXPECT_EQ(FieldControlType::fromParts({"X", "Nekaj"}).kind, FieldControlType::Plain);
    EXPECT_EQ(columnTitleText("Peri-~odika"), QString("Peri-\nodika"));
    EXPECT_EQ(columnTitleLines({GridColumn("A", 1, "Ena"), GridColumn("B", 1, "Dve~vrsti")}), 2);
}
} // namespace
