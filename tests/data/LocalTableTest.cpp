#include "ScopedEnv.h"
#include "TestDatabase.h"

#include "data/local/LocalDatabase.h"
#include "data/local/LocalPaths.h"
#include "data/local/LocalTable.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

#include <clocale>

#include <gtest/gtest.h>

class LocalTableTest : public ::testing::Test {
protected:
    LocalTableTest() : m_data("OBDRAC_DATA_DIR", m_dir.file("data")) {}

    void SetUp() override { m_temp.connect(); }

    // The temporary price table as the data module builds it.
    static void defineCena(LocalTable& t)
    {
        t.clearDefinitions();
        t.addField("Cena", LocalFieldType::Float);
        t.addField("Stevilka", LocalFieldType::SmallInt);
        t.addField("Opis", LocalFieldType::Text, 20);
        t.addIndex("TCena", "Cena;Stevilka", true);
        t.addIndex("Stevilka", "Stevilka");
    }

    // The listing table of the printing run.
    static void defineNapaka(LocalTable& t)
    {
        t.clearDefinitions();
        t.addField("ZapSt", LocalFieldType::AutoInc);
        t.addField("Kljuc", LocalFieldType::Text, 9);
        t.addField("Tip", LocalFieldType::Text, 10);
        t.addField("PoslDog", LocalFieldType::Text, 2);
        t.addField("Subjekt", LocalFieldType::Text, 30);
        t.addField("Ident", LocalFieldType::Text, 16);
        t.addField("Kolicina", LocalFieldType::Float);
        t.addField("Cena", LocalFieldType::Float);
        t.addField("Rabat", LocalFieldType::Float);
        t.addIndex("TNapaka", "ZapSt", true);
    }

    static void addCena(LocalTable& t, double cena, int stevilka, const QString& opis)
    {
        t.append();
        t.setValue("Cena", cena);
        t.setValue("Stevilka", stevilka);
        t.setValue("Opis", opis);
        t.post();
    }

    static QList<int> stevilke(LocalTable& t)
    {
        QList<int> out;
        for (bool ok = t.first(); ok; ok = t.next())
            out << int(t.asInteger("Stevilka"));
        return out;
    }

    ScratchDir m_dir;
    ScopedEnv m_data;
    LocalDatabase m_temp{"VektorDataTemp", "VektorTemp"};
};

TEST_F(LocalTableTest, PathsOfAliasAndOfTablesAddressedByPath)
{
    const QString data = m_dir.file("data");
    EXPECT_EQ(m_temp.folder(), data + "/VektorTemp");
    EXPECT_EQ(LocalTable("VektorDataTemp", "TObdracCena").filePath(), data + "/VektorTemp/TObdracCena.db");
    EXPECT_EQ(LocalTable(QString(), "c:\\VektorError").filePath(), data + "/VektorError.db");
    EXPECT_EQ(LocalTable(QString(), QString("c:\\") + "Podjetje.DB").filePath(), data + "/Podjetje.DB");
    EXPECT_EQ(LocalTable::pathOf("/srv/firma/Podjetje.DB"), QString("/srv/firma/Podjetje.DB"));

    EXPECT_EQ(LocalPaths::localPath("c:\\Vektor\\Log"), data + "/Vektor/Log");
    EXPECT_EQ(LocalPaths::localPath("C:/Temp"), data + "/Temp");
    EXPECT_EQ(LocalPaths::localPath("c:\\"), data);
    EXPECT_EQ(LocalPaths::localPath("c:\\..\\..\\etc"), data);
    EXPECT_EQ(LocalPaths::localPath("d:\\Arhiv\\"), data + "/d/Arhiv/");
    EXPECT_EQ(LocalPaths::localPath("/var/tmp/x"), QString("/var/tmp/x"));

    // Parameter line of the alias: PATH= or a bare folder.
    EXPECT_EQ(LocalDatabase::folderFor("VektorTemp", {"PATH=c:\\Temp\\Vektor"}), data + "/Temp/Vektor");
    EXPECT_EQ(LocalDatabase::folderFor("X", {m_dir.file("own")}), m_dir.file("own"));
    EXPECT_EQ(LocalDatabase::folderFor("MojAlias", {}), data + "/MojAlias");

    // Tables of a database that is not connected cannot be used.
    LocalTable t("Drugo", "T");
    EXPECT_THROW(t.filePath(), LocalStoreError);
}

TEST_F(LocalTableTest, CreateReplacesAnExistingTable)
{
    LocalTable t("VektorDataTemp", "TObdracCena");
    EXPECT_FALSE(t.fileExists());
    defineCena(t);
    t.createTable();
    EXPECT_TRUE(t.fileExists());
    t.open(LocalTable::OpenMode::Exclusive);
    for (int i = 1; i <= 6; ++i)
        addCena(t, 0, i, "Cena");
    EXPECT_EQ(t.recordCount(), 6);
    t.close();

    // Created again with another structure: empty, and only the new fields.
    t.clearDefinitions();
    t.addField("Drugo", LocalFieldType::Integer);
    t.createTable();
    t.open();
    EXPECT_EQ(t.recordCount(), 0);
    ASSERT_EQ(t.fieldDefs().size(), 1);
    EXPECT_EQ(t.fieldDefs()[0].name, QString("Drugo"));
    EXPECT_FALSE(t.hasField("Cena"));
}

TEST_F(LocalTableTest, StructureIsReadBackFromTheFile)
{
    LocalTable t("VektorDataTemp", "TObdracNapaka");
    defineNapaka(t);
    t.addField("Datum", LocalFieldType::DateTime);
    t.addField("Opomba", LocalFieldType::Memo);
    t.addField("Stevec", LocalFieldType::Integer);
    t.addIndex("Subjekt", "Subjekt;Ident");
    t.createTable();

    LocalTable again("VektorDataTemp", "TObdracNapaka");
    again.open();
    const auto& f = again.fieldDefs();
    ASSERT_EQ(f.size(), 12);
    EXPECT_EQ(f[0].type, LocalFieldType::AutoInc);
    EXPECT_EQ(f[1].type, LocalFieldType::Text);
    EXPECT_EQ(f[1].size, 9);
    EXPECT_EQ(f[6].type, LocalFieldType::Float);
    EXPECT_EQ(f[9].type, LocalFieldType::DateTime);
    EXPECT_EQ(f[10].type, LocalFieldType::Memo);
    EXPECT_EQ(f[11].type, LocalFieldType::Integer);
    ASSERT_EQ(again.indexDefs().size(), 2);
    EXPECT_EQ(again.indexDefs()[0].name, QString("TNapaka"));
    EXPECT_TRUE(again.indexDefs()[0].primary);
    EXPECT_EQ(again.indexDefs()[1].fields, QStringList({"Subjekt", "Ident"}));
}

TEST_F(LocalTableTest, BadDefinitionsAreRefusedBeforeTheFileChanges)
{
    LocalTable t("VektorDataTemp", "T");
    EXPECT_THROW(t.createTable(), LocalStoreError);   // no fields
    t.addField("A", LocalFieldType::Text, 0);
    EXPECT_THROW(t.createTable(), LocalStoreError);   // text without size
    t.clearDefinitions();
    t.addField("A", LocalFieldType::Integer);
    t.addField("a", LocalFieldType::Integer);
    EXPECT_THROW(t.createTable(), LocalStoreError);   // twice
    t.clearDefinitions();
    t.addField("A", LocalFieldType::AutoInc);
    t.addField("B", LocalFieldType::AutoInc);
    EXPECT_THROW(t.createTable(), LocalStoreError);
    t.clearDefinitions();
    t.addField("A", LocalFieldType::Integer);
    t.addIndex("X", "B");
    EXPECT_THROW(t.createTable(), LocalStoreError);   // index on a missing field
    EXPECT_FALSE(t.fileExists());
}

TEST_F(LocalTableTest, AutoIncrementTextCutAndValueTypes)
{
    LocalTable t("VektorDataTemp", "TObdracNapaka");
    defineNapaka(t);
    t.createTable();
    t.open(LocalTable::OpenMode::Exclusive);
    for (int i = 0; i < 3; ++i) {
        t.append();
        t.setValue("Kljuc", "0410000012345");   // 13 characters into 9
        t.setValue("Tip", i == 0 ? "Račun" : "Naročilo");
        t.setValue("Subjekt", QString("Čebelarstvo Žužek in Šuštar, d.o.o., Ljubljana"));
        t.setValue("Kolicina", 1.5 + i);
        t.setValue("Cena", 10);
        t.post();
        EXPECT_EQ(t.asInteger("ZapSt"), i + 1);   // numbered by the store
    }
    EXPECT_THROW(t.setValue("Kljuc", "x"), LocalStoreError);   // not appending
    t.append();
    EXPECT_THROW(t.setValue("ZapSt", 7), LocalStoreError);
    EXPECT_THROW(t.setValue("Cena", "abc"), LocalStoreError);
    EXPECT_THROW(t.setValue("Nic", 1), LocalStoreError);
    t.cancel();

    ASSERT_TRUE(t.first());
    EXPECT_EQ(t.asString("Kljuc"), QString("041000001"));
    EXPECT_EQ(t.asString("Tip"), QString("Račun"));
    EXPECT_EQ(t.asString("Subjekt"), QString("Čebelarstvo Žužek in Šuštar, d"));
    EXPECT_DOUBLE_EQ(t.asFloat("Kolicina"), 1.5);
    EXPECT_TRUE(t.isNull("Rabat"));
    EXPECT_TRUE(t.next());
    EXPECT_EQ(t.asString("Tip"), QString("Naročilo"));
    EXPECT_TRUE(t.next());
    EXPECT_FALSE(t.next());
    EXPECT_TRUE(t.eof());
    EXPECT_TRUE(t.value("Kljuc").isNull());

    // Re-created: the numbering starts again from 1.
    t.close();
    t.createTable();
    t.open();
    t.append();
    t.post();
    EXPECT_EQ(t.asInteger("ZapSt"), 1);
}

TEST_F(LocalTableTest, IntegerRangesAndDates)
{
    LocalTable t("VektorDataTemp", "Vrste");
    t.addField("Kratko", LocalFieldType::SmallInt);
    t.addField("Dolgo", LocalFieldType::Integer);
    t.addField("Cas", LocalFieldType::DateTime);
    t.createTable();
    t.open();
    t.append();
    EXPECT_THROW(t.setValue("Kratko", 32768), LocalStoreError);
    EXPECT_THROW(t.setValue("Dolgo", qint64(1) << 31), LocalStoreError);
    EXPECT_THROW(t.setValue("Kratko", 1.5), LocalStoreError);
    EXPECT_THROW(t.setValue("Cas", "ni datum"), LocalStoreError);
    const QDateTime when(QDate(2003, 5, 17), QTime(10, 20, 30, 250));
    t.setValue("Kratko", -32768);
    t.setValue("Dolgo", "2147483647");
    t.setValue("Cas", when);
    t.post();
    ASSERT_TRUE(t.first());
    EXPECT_EQ(t.asInteger("Kratko"), -32768);
    EXPECT_EQ(t.asInteger("Dolgo"), 2147483647);
    EXPECT_EQ(t.asDateTime("Cas"), when);
}

TEST_F(LocalTableTest, OrderByIndexFindKeyAndFilter)
{
    LocalTable t("VektorDataTemp", "TObdracCena");
    defineCena(t);
    t.createTable();
    t.open(LocalTable::OpenMode::Exclusive);
    addCena(t, 3.5, 1, "c");
    addCena(t, 1.25, 6, "a");
    addCena(t, 3.5, 0, "b");
    addCena(t, 0, 4, "Cena");
    EXPECT_THROW(addCena(t, 3.5, 1, "dvojnik"), LocalStoreError);   // primary index is unique
    t.cancel();

    // Primary index by default: Cena, then Stevilka.
    EXPECT_EQ(stevilke(t), QList<int>({4, 6, 0, 1}));
    t.setIndexName("Stevilka");
    EXPECT_EQ(stevilke(t), QList<int>({0, 1, 4, 6}));
    t.setIndexFieldNames("OPIS");
    EXPECT_EQ(stevilke(t), QList<int>({4, 6, 0, 1}));   // "Cena" < "a" < "b" < "c"
    t.setIndexName("Ni");
    EXPECT_THROW(t.first(), LocalStoreError);

    // Key search on the current index, by all or by leading fields.
    t.setIndexName("TCena");
    EXPECT_TRUE(t.findKey({3.5, 1}));
    EXPECT_EQ(t.asString("Opis"), QString("c"));
    EXPECT_TRUE(t.findKey({3.5}));
    EXPECT_EQ(t.asInteger("Stevilka"), 0);
    EXPECT_FALSE(t.findKey({2.0}));
    EXPECT_EQ(t.asInteger("Stevilka"), 0);   // stays where it was
    EXPECT_TRUE(t.findKey({"1.25", "6"}));   // values converted by field type
    EXPECT_EQ(t.asString("Opis"), QString("a"));
    EXPECT_THROW(t.findKey({1, 2, 3}), LocalStoreError);

    // Filter: only matching rows, in the same order; switched off again.
    t.setFilter("Cena > 1 AND Opis <> 'c'");
    EXPECT_EQ(stevilke(t), QList<int>({4, 6, 0, 1}));   // not filtered yet
    t.setFiltered(true);
    EXPECT_EQ(stevilke(t), QList<int>({6, 0}));
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_FALSE(t.findKey({0.0, 4}));                  // filtered out
    t.setFilter("Ni polja = 1");
    EXPECT_THROW(t.first(), LocalStoreError);
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 4);

    // Without an index there is no key search; rows come in the order appended.
    LocalTable plain("VektorDataTemp", "Brez");
    plain.addField("Stevilka", LocalFieldType::Integer);
    plain.createTable();
    plain.open();
    for (int n : {5, 3, 9}) {
        plain.append();
        plain.setValue("Stevilka", n);
        plain.post();
    }
    EXPECT_EQ(stevilke(plain), QList<int>({5, 3, 9}));
    EXPECT_THROW(plain.findKey({3}), LocalStoreError);
}

TEST_F(LocalTableTest, PostedRowBecomesCurrentAndRefreshSeesOtherWriters)
{
    LocalTable t("VektorDataTemp", "TObdracCena");
    defineCena(t);
    t.createTable();
    t.open();
    addCena(t, 5, 1, "pet");
    addCena(t, 1, 2, "ena");
    EXPECT_EQ(t.asString("Opis"), QString("ena"));
    ASSERT_TRUE(t.first());
    EXPECT_EQ(t.asString("Opis"), QString("ena"));

    LocalTable other("VektorDataTemp", "TObdracCena");
    other.open();
    addCena(other, 3, 3, "tri");
    EXPECT_EQ(t.recordCount(), 2);   // rows already read
    t.refresh();
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.asString("Opis"), QString("ena"));   // still on the same row
}

TEST_F(LocalTableTest, ExclusiveOpenKeepsOthersOut)
{
    LocalTable t("VektorDataTemp", "TObdracCena");
    defineCena(t);
    t.createTable();
    t.open(LocalTable::OpenMode::Exclusive);
    addCena(t, 1, 1, "x");

    LocalTable other("VektorDataTemp", "TObdracCena");
    try {
        other.open();
        FAIL() << "a table held exclusively was opened";
    } catch (const LocalStoreError& e) {
        EXPECT_EQ(e.kind(), LocalStoreError::Kind::Locked);
    }
    EXPECT_THROW(other.open(LocalTable::OpenMode::Exclusive), LocalStoreError);
    LocalTable recreate("VektorDataTemp", "TObdracCena");
    defineCena(recreate);
    EXPECT_THROW(recreate.createTable(), LocalStoreError);
    EXPECT_EQ(t.recordCount(), 1);   // nothing was replaced

    t.close();
    other.open();
    EXPECT_EQ(other.recordCount(), 1);
}

TEST_F(LocalTableTest, OpenFailsForMissingDamagedAndForeignFiles)
{
    LocalTable t(QString(), "c:\\Manjka");
    try {
        t.open();
        FAIL();
    } catch (const LocalStoreError& e) {
        EXPECT_EQ(e.kind(), LocalStoreError::Kind::Missing);
    }
    EXPECT_FALSE(t.isOpen());

    writeFile(LocalTable::pathOf("c:\\Smeti"), QByteArray(4096, 'x'));
    LocalTable damaged(QString(), "c:\\Smeti");
    try {
        damaged.open();
        FAIL();
    } catch (const LocalStoreError& e) {
        EXPECT_EQ(e.kind(), LocalStoreError::Kind::Damaged);
    }
    // Creating replaces the damaged file.
    damaged.addField("A", LocalFieldType::Integer);
    damaged.createTable();
    damaged.open();
    EXPECT_EQ(damaged.recordCount(), 0);
    damaged.close();

    // A table without the fields that the caller defined does not open.
    LocalTable foreign(QString(), "c:\\Smeti");
    foreign.addField("B", LocalFieldType::Integer);
    try {
        foreign.open();
        FAIL();
    } catch (const LocalStoreError& e) {
        EXPECT_EQ(e.kind(), LocalStoreError::Kind::Damaged);
    }
    EXPECT_FALSE(foreign.isOpen());
}

TEST_F(LocalTableTest, CompanyListByPathWithFileExistsTest)
{
    const QString path = QString("c:\\") + "Podjetje.DB";
    EXPECT_FALSE(LocalTable::fileExists(path));
    LocalTable t(QString(), path);
    t.addField("PODJETJE", LocalFieldType::Text, 30);
    t.addField("ServerName", LocalFieldType::Text, 30);
    t.addField("DataBaseName", LocalFieldType::Text, 30);
    t.addIndex("PODJETJE", "PODJETJE", true);
    t.createTable();
    EXPECT_TRUE(LocalTable::fileExists(path));
    EXPECT_TRUE(QFileInfo(m_dir.file("data/Podjetje.DB")).isFile());
    t.open();
    for (const char* name : {"Žito d.d.", "Adria", "Čokolada"}) {
        t.append();
        t.setValue("PODJETJE", QString::fromUtf8(name));
        t.setValue("DataBaseName", "db");
        t.post();
    }
    t.close();

    LocalTable reader(QString(), path);
    reader.open();
    EXPECT_TRUE(reader.findKey({QString("Čokolada")}));
    EXPECT_EQ(reader.asString("podjetje"), QString("Čokolada"));
    EXPECT_FALSE(reader.findKey({QString("čokolada")}));   // exact
}

TEST_F(LocalTableTest, NumbersDoNotDependOnTheLocale)
{
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::Slovenian, QLocale::Slovenia));
    std::setlocale(LC_ALL, "sl_SI.UTF-8");
    LocalTable t("VektorDataTemp", "TObdracCena");
    defineCena(t);
    t.createTable();
    t.open();
    addCena(t, 1234.5, 1, "a");
    t.append();
    t.setValue("Cena", "0.25");
    t.setValue("Stevilka", "2");
    t.post();
    t.setFilter("Cena > 0.5");
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 1);
    ASSERT_TRUE(t.first());
    EXPECT_DOUBLE_EQ(t.asFloat("Cena"), 1234.5);
    EXPECT_EQ(t.asString("Cena"), QString("1234.5"));
    std::setlocale(LC_ALL, "C.UTF-8");
    QLocale::setDefault(old);
}
