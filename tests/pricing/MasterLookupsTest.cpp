#include "PricingTestDatabase.h"
#include "data/core/FailureReport.h"
#include "pricing/MasterLookups.h"
#include "pricing/MasterRecordFields.h"

#include <QHash>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Counts the statements the lookups run while it lives.
struct QueryCounter {
    qint64 start = lookupQueryCount();
    qint64 ran() const { return lookupQueryCount() - start; }
};

const QString kHostile = "x'; DELETE FROM Promet; --";

} // namespace

class MasterLookups : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        tdb = new PricingTestDatabase("master_lookups");
        tdb->psql(
            "INSERT INTO MS (Ident, Naziv, VPCena, Klasif) VALUES ('A1', 'Artikel ena', 10.5, 'K1'),"
            " ('A2', 'Artikel dva', 20, 'K1'), ('B1', 'Čaj', 3, 'K2');"
            "INSERT INTO Subjekt (Naziv, Rabat, CenRazred, DniZaPlac) VALUES ('Kupec d.o.o.', 10, '2', 30),"
            " ('O''Neil d.o.o.', 7, '1', 15);"
            "INSERT INTO Subjekt (Naziv, DatumIzj, DatumLim, DobDatumIzj) VALUES"
            " ('Datumi', '2003-05-17 10:20:30', '2004-01-31', NULL);"
            "INSERT INTO PoslDog (PoslDog, Naziv, Tip, Prejemnik, PotNalKMNad, PotNalVredKM1) VALUES"
            " ('10', 'Izdani računi', 'I', 'Kupec d.o.o.', 5, 0.25), ('20', 'Naročila', 'P', '', 0, 0);"
            "INSERT INTO VrstaMS (VrstaMS, Naziv, Tip) VALUES ('BLA', 'Blago', 'B'), ('STO', 'Storitve', 'S');"
            "INSERT INTO TarSt (TS, Naziv, Davek) VALUES ('1', 'Splošna stopnja', 22), ('2', 'Znižana', 9.5);"
            "INSERT INTO MsFormula (Sifra, Naziv, Formula) VALUES ('F1', 'Deset odstotkov', '#VPCENA1#*1,1'),"
            " ('F2', 'Dva', '2');"
            "INSERT INTO Tecaj (Banka, Valuta, Datum, Tecaj) VALUES ('NLB', 'USD', '2020-01-01', 0.9),"
            " ('NLB', 'USD', '2021-01-01', 0.8), ('NLB', 'USD', '2022-01-01', 0.7), ('NLB', 'EUR', '2000-01-01', 1),"
            " ('NLB', 'GBP', '2020-01-01', 0), ('Banka d''Italia', 'USD', '2020-01-01', 1.25);"
            "INSERT INTO KontOs (Subjekt, Poz, KontOseba) VALUES ('Kupec d.o.o.', 10, 'Zadnji'),"
            " ('Kupec d.o.o.', 2, 'Prva Ana'), ('O''Neil d.o.o.', 1, 'Seán O''Neil');"
            "INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok,"
            " RokPlacila) VALUES ('O''Neil d.o.o.', 'A1', 'P', 'S', 'USD', 12.5, 3, 'F1', 5, 30);"
            "INSERT INTO Promet (Kljuc) VALUES ('031000001');");
    }
    static void TearDownTestSuite()
    {
        delete tdb;
        tdb = nullptr;
    }
    void SetUp() override { PricingTestDatabase::resetRecords(); }

    static PricingTestDatabase* tdb;
};
PricingTestDatabase* MasterLookups::tdb = nullptr;

// ---------------------------------------------------------------------------------------------
// Every column lands in the member of its name: a row with a distinct value in every selected
// column is read back through the lookup.

namespace {

struct ColumnType {
    QString type;
    int length = 0;
};

QHash<QString, ColumnType> columnTypes(const PricingTestDatabase& db, const QString& table)
{
    QHash<QString, ColumnType> types;
    const QString rows = db.psql("SELECT column_name || '|' || data_type || '|'"
                                 " || coalesce(character_maximum_length, 0) FROM information_schema.columns"
                                 " WHERE table_name = '" + table.toLower() + "'");
    for (const QString& row : rows.split('\n', Qt::SkipEmptyParts)) {
        const QStringList parts = row.split('|');
        types.insert(parts[0], {parts[1], parts[2].toInt()});
    }
    return types;
}

template <class Rec>
void checkEveryColumn(const PricingTestDatabase& db, const QString& table, const QString& keyColumn,
                      const QString& key, std::span<const RecordField<Rec>> fields, bool (*find)(const QString&),
                      const Rec& rec)
{
    SCOPED_TRACE(table.toStdString());
    const QHash<QString, ColumnType> types = columnTypes(db, table);
    QStringList columns{keyColumn};
    QStringList values{"'" + key + "'"};
    QStringList texts;
    int i = 0;
    for (const auto& f : fields) {
        ++i;
        const QString column = QString::fromLatin1(f.name).toLower();
        ASSERT_TRUE(types.contains(column)) << f.name;
        const ColumnType t = types.value(column);
        QString text;
        if (t.type == "character varying")
            text = t.length == 1 ? QString(QChar('A' + i % 26)) : ("č" + QString::number(i)).left(t.length);
        else if (t.type == "double precision" || t.type == "numeric")
            text = QString::number(i + 0.25);
        else if (t.type == "integer" || t.type == "smallint")
            text = QString::number(i * 3);
        else if (t.type.startsWith("timestamp"))
            text = QDate(2003, 1, 1).addDays(i).toString("yyyy-MM-dd") + " 10:20:30";
        else
            FAIL() << "type " << t.type.toStdString() << " of " << f.name;
        columns << "\"" + column + "\"";
        values << "'" + text + "'";
        texts << text;
    }
    db.psql("INSERT INTO " + table + " (" + columns.join(", ") + ") VALUES (" + values.join(", ") + ")");
    ASSERT_TRUE(find(key));
    EXPECT_EQ(rec.Key, key);
    i = 0;
    for (const auto& f : fields) {
        const QString expected = texts[i++];
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(rec.*member)>;
                if constexpr (std::is_same_v<T, QString>) {
                    EXPECT_EQ(rec.*member, expected) << f.name;
                } else if constexpr (std::is_same_v<T, double>) {
                    EXPECT_EQ(rec.*member, expected.toDouble()) << f.name;
                } else if constexpr (std::is_same_v<T, int>) {
                    EXPECT_EQ(rec.*member, expected.toInt()) << f.name;
                } else {
                    EXPECT_EQ(rec.*member, QDateTime::fromString(expected, "yyyy-MM-dd hh:mm:ss")) << f.name;
                }
            },
            f.member);
    }
}

} // namespace

TEST_F(MasterLookups, EveryColumnOfEachRecordIsRead)
{
    checkEveryColumn(*tdb, "MS", "Ident", "ZZ1", msRecFields(), FindMS, MSRec);
    checkEveryColumn(*tdb, "Subjekt", "Naziv", "Vsi stolpci", subjRecFields(), FindSubj, SubjRec);
    checkEveryColumn(*tdb, "PoslDog", "PoslDog", "ZZ", poslDogRecFields(), FindPoslDog, PoslDogRec);
    checkEveryColumn(*tdb, "VrstaMS", "VrstaMS", "ZZ", vrstaMSRecFields(), FindVrstaMS, VrstaMSRec);
    checkEveryColumn(*tdb, "TarSt", "TS", "ZZ", tarStRecFields(), FindTarSt, TarStRec);
    checkEveryColumn(*tdb, "MsFormula", "Sifra", "ZZ", msFormRecFields(), FindMsForm, MsFormRec);
}

TEST_F(MasterLookups, ReadsTheRowOfTheKey)
{
    ASSERT_TRUE(FindMS("A1"));
    EXPECT_EQ(MSRec.Naziv, QString("Artikel ena"));
    EXPECT_EQ(MSRec.VPCena, 10.5);
    EXPECT_EQ(MSRec.Klasif, QString("K1"));
    EXPECT_EQ(MSRec.MPCena, 0.0);   // NULL number
    ASSERT_TRUE(FindMS("B1"));
    EXPECT_EQ(MSRec.Naziv, QString("Čaj"));

    ASSERT_TRUE(FindSubj("Kupec d.o.o."));
    EXPECT_EQ(SubjRec.Rabat, 10.0);
    EXPECT_EQ(SubjRec.CenRazred, QString("2"));
    EXPECT_EQ(SubjRec.DniZaPlac, 30);

    ASSERT_TRUE(FindPoslDog("10"));
    EXPECT_EQ(PoslDogRec.Naziv, QString("Izdani računi"));
    EXPECT_EQ(PoslDogRec.Tip, QString("I"));
    EXPECT_EQ(PoslDogRec.Prejemnik, QString("Kupec d.o.o."));
    EXPECT_EQ(PoslDogRec.PotNalKMNad, 5);
    EXPECT_EQ(PoslDogRec.PotNalVredKM1, 0.25);

    ASSERT_TRUE(FindVrstaMS("STO"));
    EXPECT_EQ(VrstaMSRec.Tip, QString("S"));
    ASSERT_TRUE(FindTarSt("2"));
    EXPECT_EQ(TarStRec.Davek, 9.5);
    EXPECT_EQ(TarStRec.Naziv, QString("Znižana"));
    ASSERT_TRUE(FindMsForm("F1"));
    EXPECT_EQ(MsFormRec.Formula, QString("#VPCENA1#*1,1"));
}

// ---------------------------------------------------------------------------------------------
// The one-key caches.

struct CachedLookupCase {
    const char* name;
    bool (*find)(const QString&);
    QString key;
    QString otherKey;
    std::function<QString()> recordKey;
};

TEST_F(MasterLookups, TheSameKeyTwiceRunsOneQuery)
{
    const CachedLookupCase cases[] = {
        {"FindMS", FindMS, "A1", "A2", [] { return MSRec.Key; }},
        {"FindSubj", FindSubj, "Kupec d.o.o.", "O'Neil d.o.o.", [] { return SubjRec.Key; }},
        {"FindPoslDog", FindPoslDog, "10", "20", [] { return PoslDogRec.Key; }},
        {"FindVrstaMS", FindVrstaMS, "BLA", "STO", [] { return VrstaMSRec.Key; }},
        {"FindTarSt", FindTarSt, "1", "2", [] { return TarStRec.Key; }},
        {"FindMsForm", FindMsForm, "F1", "F2", [] { return MsFormRec.Key; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QueryCounter count;
        EXPECT_TRUE(c.find(c.key));
        EXPECT_TRUE(c.find(c.key));
        EXPECT_EQ(count.ran(), 1);
        EXPECT_EQ(c.recordKey(), c.key);
        EXPECT_TRUE(c.find(c.otherKey));
        EXPECT_TRUE(c.find(c.key));
        EXPECT_EQ(count.ran(), 3);
        // The key is compared exactly: another spelling asks the database.
        EXPECT_FALSE(c.find(c.key.toLower() == c.key ? c.key.toUpper() + "x" : c.key.toLower()));
        EXPECT_EQ(count.ran(), 4);
    }
}

TEST_F(MasterLookups, AChangedRowIsSeenOnlyAfterAnotherKey)
{
    ASSERT_TRUE(FindMS("A2"));
    tdb->psql("UPDATE MS SET Naziv = 'Spremenjen' WHERE Ident = 'A2'");
    ASSERT_TRUE(FindMS("A2"));
    EXPECT_EQ(MSRec.Naziv, QString("Artikel dva"));
    ASSERT_TRUE(FindMS("A1"));
    ASSERT_TRUE(FindMS("A2"));
    EXPECT_EQ(MSRec.Naziv, QString("Spremenjen"));
    tdb->psql("UPDATE MS SET Naziv = 'Artikel dva' WHERE Ident = 'A2'");
}

TEST_F(MasterLookups, AnAbsentKeyEmptiesTheRecordAndAsksAgain)
{
    ASSERT_TRUE(FindSubj("Kupec d.o.o."));
    QueryCounter count;
    EXPECT_FALSE(FindSubj("Nihče"));
    EXPECT_TRUE(SubjRec.Key.isEmpty());
    EXPECT_TRUE(SubjRec.CenRazred.isEmpty());
    EXPECT_EQ(SubjRec.Rabat, 0.0);
    EXPECT_EQ(SubjRec.DniZaPlac, 0);
    EXPECT_FALSE(FindSubj("Nihče"));
    EXPECT_EQ(count.ran(), 2);

    ASSERT_TRUE(FindMS("A1"));
    EXPECT_FALSE(FindMS("NI"));
    EXPECT_TRUE(MSRec.Naziv.isEmpty());
    EXPECT_EQ(MSRec.VPCena, 0.0);
}

TEST_F(MasterLookups, FindPoslDogKeepsAnAbsentCode)
{
    ASSERT_TRUE(FindPoslDog("10"));
    QueryCounter count;
    EXPECT_FALSE(FindPoslDog("99"));
    EXPECT_EQ(PoslDogRec.Key, QString("99"));
    EXPECT_TRUE(PoslDogRec.Naziv.isEmpty());
    EXPECT_EQ(PoslDogRec.PotNalKMNad, 0);
    EXPECT_TRUE(FindPoslDog("99"));   // from the cache, with the empty record
    EXPECT_TRUE(PoslDogRec.Tip.isEmpty());
    EXPECT_EQ(count.ran(), 1);
    EXPECT_TRUE(FindPoslDog("10"));
    EXPECT_EQ(PoslDogRec.Tip, QString("I"));
}

TEST_F(MasterLookups, AnEmptyKeyIsNeverTakenFromTheCache)
{
    QueryCounter count;
    EXPECT_FALSE(FindMS(""));
    EXPECT_FALSE(FindMS(""));
    EXPECT_FALSE(FindSubj(""));
    EXPECT_FALSE(FindPoslDog(""));
    EXPECT_FALSE(FindPoslDog(""));
    EXPECT_EQ(count.ran(), 5);
}

TEST_F(MasterLookups, ItemPatternTakesTheFirstCodeAndCachesThePattern)
{
    QueryCounter count;
    ASSERT_TRUE(FindMS("A%"));
    EXPECT_EQ(MSRec.Key, QString("A%"));
    EXPECT_EQ(MSRec.Naziv, QString("Artikel ena"));
    tdb->psql("INSERT INTO MS (Ident, Naziv) VALUES ('A0', 'Prvi')");
    ASSERT_TRUE(FindMS("A%"));   // the cached pattern: the table is not asked
    EXPECT_EQ(MSRec.Naziv, QString("Artikel ena"));
    EXPECT_EQ(count.ran(), 1);
    ASSERT_TRUE(FindMS("B%"));
    EXPECT_EQ(MSRec.Naziv, QString("Čaj"));
    ASSERT_TRUE(FindMS("A%"));
    EXPECT_EQ(MSRec.Naziv, QString("Prvi"));
    EXPECT_FALSE(FindMS("Q%"));
    tdb->psql("DELETE FROM MS WHERE Ident = 'A0'");
}

TEST_F(MasterLookups, NullDatesReadAsZero)
{
    ASSERT_TRUE(FindSubj("Datumi"));
    EXPECT_EQ(SubjRec.DatumIzj, QDateTime(QDate(2003, 5, 17), QTime(10, 20, 30)));
    EXPECT_EQ(SubjRec.DatumLim, QDateTime(QDate(2004, 1, 31), QTime(0, 0)));
    EXPECT_FALSE(SubjRec.DobDatumIzj.isValid());
    EXPECT_FALSE(SubjRec.DatumInvent.isValid());
    ASSERT_TRUE(FindSubj("Kupec d.o.o."));
    EXPECT_FALSE(SubjRec.DatumIzj.isValid());
    EXPECT_FALSE(SubjRec.DatumLim.isValid());
    EXPECT_EQ(SubjRec.DniZaPlac, 30);   // the other columns are read as usual
}

// ---------------------------------------------------------------------------------------------
// Contract price list, exchange rates, contact persons.

TEST_F(MasterLookups, FindSubjCenikLeavesItsRowOnTheStatement)
{
    ASSERT_TRUE(FindSubjCenik("O'Neil d.o.o.", "A1", "P"));
    ASSERT_TRUE(FindMS("B1"));   // another statement in between
    THstmt& q = DataSif->qFindSubjCenik;
    EXPECT_EQ(q.ColumnAsString(SubjCenikCol::Subjekt), QString("O'Neil d.o.o."));
    EXPECT_EQ(q.ColumnAsString(SubjCenikCol::Ident), QString("A1"));
    EXPECT_EQ(q.ColumnAsString(SubjCenikCol::PreIzd), QString("P"));
    EXPECT_EQ(q.ColumnAsString(SubjCenikCol::Tip), QString("S"));
    EXPECT_EQ(q.ColumnAsString(SubjCenikCol::Valuta), QString("USD"));
    EXPECT_EQ(q.ColumnAsFloat(SubjCenikCol::Cena), 12.5);
    EXPECT_EQ(q.ColumnAsFloat(SubjCenikCol::Rabat), 3.0);
    EXPECT_EQ(q.ColumnAsString(SubjCenikCol::Formula), QString("F1"));
    EXPECT_EQ(q.ColumnAsInteger(SubjCenikCol::DobavniRok), 5);
    EXPECT_EQ(q.ColumnAsInteger(SubjCenikCol::RokPlacila), 30);

    EXPECT_FALSE(FindSubjCenik("O'Neil d.o.o.", "A1", "N"));
    EXPECT_FALSE(FindSubjCenik("O'Neil d.o.o.", "A2", "P"));
    EXPECT_TRUE(FindSubjCenik("O'Neil d.o.o.", "A1", "P"));
}

struct RateCase {
    const char* name;
    QString bank;
    QString currency;
    QDate date;
    double rate;
    int queries;
};

TEST_F(MasterLookups, PoisciTecajTakesTheLatestRateOnOrBeforeTheDate)
{
    const RateCase cases[] = {
        {"between two rates", "NLB", "USD", QDate(2021, 6, 1), 0.8, 1},
        {"on the day of a rate", "NLB", "USD", QDate(2021, 1, 1), 0.8, 1},
        {"the day before", "NLB", "USD", QDate(2020, 12, 31), 0.9, 1},
        {"after the last", "NLB", "USD", QDate(2030, 1, 1), 0.7, 1},
        {"before the first", "NLB", "USD", QDate(2019, 12, 31), 1.0, 1},
        {"currency without rates", "NLB", "CHF", QDate(2021, 6, 1), 1.0, 1},
        {"a zero rate", "NLB", "GBP", QDate(2021, 6, 1), 0.0, 1},
        {"bank with an apostrophe", "Banka d'Italia", "USD", QDate(2021, 6, 1), 1.25, 1},
        {"empty bank", "", "USD", QDate(2021, 6, 1), 1.0, 0},
        {"empty currency", "NLB", "", QDate(2021, 6, 1), 1.0, 0},
    };
    CapturedRoutineFailures failures;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QueryCounter count;
        EXPECT_EQ(PoisciTecaj(c.bank, c.currency, c.date), c.rate);
        EXPECT_EQ(count.ran(), c.queries);
    }
    EXPECT_EQ(PoisciTecaj("NLB", "USD", QDateTime(QDate(2021, 6, 1), QTime(15, 0))), 0.8);
    EXPECT_TRUE(failures.failures().empty());
}

TEST_F(MasterLookups, PoisciTecajCenikConvertsThroughThePriceListBank)
{
    const QDate d(2021, 6, 1);
    {
        QueryCounter count;
        EXPECT_EQ(PoisciTecajCenik("USD", "USD", d), 1.0);
        EXPECT_EQ(PoisciTecajCenik("", "", d), 1.0);
        EXPECT_EQ(count.ran(), 0);
    }
    EXPECT_DOUBLE_EQ(PoisciTecajCenik("USD", "EUR", d), 0.8);    // BANKACENIK is NLB
    EXPECT_DOUBLE_EQ(PoisciTecajCenik("EUR", "USD", d), 1.25);
    EXPECT_DOUBLE_EQ(PoisciTecajCenik("USD", "EUR", QDate(2020, 6, 1)), 0.9);
    EXPECT_EQ(PoisciTecajCenik("USD", "GBP", d), 0.0);            // the target's rate is 0
    EXPECT_EQ(PoisciTecajCenik("GBP", "USD", d), 0.0);
    EXPECT_DOUBLE_EQ(PoisciTecajCenik("CHF", "USD", d), 1.25);    // no CHF rate counts as 1
    EXPECT_DOUBLE_EQ(PoisciTecajCenik("USD", "EUR", d, "Banka d'Italia"), 1.25);
    EXPECT_EQ(PoisciTecajCenik("USD", "EUR", d, ""), 1.0);
    EXPECT_DOUBLE_EQ(PoisciTecajCenik("USD", "EUR", QDateTime(d, QTime(8, 0))), 0.8);
}

TEST_F(MasterLookups, PoisciKontOsGivesTheFirstContactPerson)
{
    EXPECT_EQ(PoisciKontOs("Kupec d.o.o."), QString("Prva Ana"));
    EXPECT_EQ(PoisciKontOs("O'Neil d.o.o."), QString("Seán O'Neil"));
    QString kontOseba = "prej";
    PoisciKontOs("Datumi", kontOseba);
    EXPECT_TRUE(kontOseba.isEmpty());
    PoisciKontOs("Kupec d.o.o.", kontOseba);
    EXPECT_EQ(kontOseba, QString("Prva Ana"));
}

TEST_F(MasterLookups, TestSubjektLoadsThePartner)
{
    TestSubjekt("O'Neil d.o.o.");
    EXPECT_EQ(SubjRec.Key, QString("O'Neil d.o.o."));
    EXPECT_EQ(SubjRec.Rabat, 7.0);
    TestSubjekt("Nihče");
    EXPECT_TRUE(SubjRec.Key.isEmpty());
    EXPECT_EQ(SubjRec.Rabat, 0.0);
}

TEST_F(MasterLookups, HostileNamesAreOnlyValues)
{
    const QString promet = tdb->psql("SELECT count(*) FROM Promet");
    ASSERT_NE(promet, QString("0"));
    CapturedRoutineFailures failures;
    ASSERT_TRUE(FindSubj("O'Neil d.o.o."));
    EXPECT_EQ(SubjRec.Rabat, 7.0);
    EXPECT_FALSE(FindSubj(kHostile));
    EXPECT_FALSE(FindMS(kHostile));
    EXPECT_FALSE(FindMS(kHostile + "%"));
    EXPECT_FALSE(FindPoslDog(kHostile));
    EXPECT_FALSE(FindVrstaMS(kHostile));
    EXPECT_FALSE(FindTarSt(kHostile));
    EXPECT_FALSE(FindMsForm(kHostile));
    EXPECT_FALSE(FindSubjCenik(kHostile, kHostile, kHostile));
    EXPECT_EQ(PoisciTecaj(kHostile, kHostile, QDate(2021, 1, 1)), 1.0);
    EXPECT_EQ(PoisciKontOs(kHostile), QString());
    EXPECT_TRUE(failures.failures().empty()) << qPrintable(failures.operations().join(", "));
    EXPECT_EQ(tdb->psql("SELECT count(*) FROM Promet"), promet);
}

// ---------------------------------------------------------------------------------------------
// Failures: reported under the operation name of the lookup, the fall-back value returned, the
// record kept.

struct FailureCase {
    const char* table;
    std::function<void()> prime;       // a successful read before the table goes away
    std::function<void()> call;        // the failing call, checking its fall-back value
    QStringList operations;
    std::function<void()> kept;        // checks that the primed record is unchanged
};

TEST_F(MasterLookups, FailuresAreReportedUnderTheirOperationNames)
{
    const QDate d(2021, 6, 1);
    const FailureCase cases[] = {
        {"MS", [] { ASSERT_TRUE(FindMS("A1")); }, [] { EXPECT_FALSE(FindMS("A2")); }, {"FindVrstaMS"},
         [] { EXPECT_EQ(MSRec.Key, QString("A1")); EXPECT_EQ(MSRec.Naziv, QString("Artikel ena")); }},
        {"Subjekt", [] { ASSERT_TRUE(FindSubj("Kupec d.o.o.")); }, [] { EXPECT_FALSE(FindSubj("Datumi")); },
         {"FindSubj"}, [] { EXPECT_EQ(SubjRec.Key, QString("Kupec d.o.o.")); EXPECT_EQ(SubjRec.Rabat, 10.0); }},
        {"PoslDog", [] { ASSERT_TRUE(FindPoslDog("10")); }, [] { EXPECT_FALSE(FindPoslDog("20")); }, {"FindPosta"},
         [] { EXPECT_EQ(PoslDogRec.Key, QString("10")); EXPECT_EQ(PoslDogRec.Tip, QString("I")); }},
        {"VrstaMS", [] { ASSERT_TRUE(FindVrstaMS("BLA")); }, [] { EXPECT_FALSE(FindVrstaMS("STO")); },
         {"FindVrstaMS"}, [] { EXPECT_EQ(VrstaMSRec.Tip, QString("B")); }},
        {"TarSt", [] { ASSERT_TRUE(FindTarSt("1")); }, [] { EXPECT_FALSE(FindTarSt("2")); }, {"FindVrstaMS"},
         [] { EXPECT_EQ(TarStRec.Key, QString("1")); EXPECT_EQ(TarStRec.Davek, 22.0); }},
        {"MsFormula", [] { ASSERT_TRUE(FindMsForm("F1")); }, [] { EXPECT_FALSE(FindMsForm("F2")); },
         {"FindMsForm"}, [] { EXPECT_EQ(MsFormRec.Formula, QString("#VPCENA1#*1,1")); }},
        {"SubjektCenik", [] {}, [] { EXPECT_FALSE(FindSubjCenik("O'Neil d.o.o.", "A1", "P")); },
         {"FindSubjCenik"}, [] {}},
        {"Tecaj", [] {}, [d] { EXPECT_EQ(PoisciTecaj("NLB", "USD", d), 1.0); }, {"PoisciTecaj"}, [] {}},
        {"Tecaj", [] {}, [d] { EXPECT_EQ(PoisciTecajCenik("USD", "EUR", d), 1.0); },
         {"PoisciTecaj", "PoisciTecaj"}, [] {}},
        {"KontOs", [] {}, [] { QString k = "x"; PoisciKontOs("Kupec d.o.o.", k); EXPECT_EQ(k, QString()); },
         {"PoisciKontOs"}, [] {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        PricingTestDatabase::resetRecords();
        c.prime();
        tdb->psql(QString("ALTER TABLE %1 RENAME TO %1_skrita").arg(c.table));
        CapturedRoutineFailures failures;
        c.call();
        tdb->psql(QString("ALTER TABLE %1_skrita RENAME TO %1").arg(c.table));
        EXPECT_EQ(failures.operations(), c.operations);
        c.kept();
        // The statement is usable again.
        failures.clear();
        EXPECT_TRUE(FindMS("B1"));
        EXPECT_TRUE(FindSubjCenik("O'Neil d.o.o.", "A1", "P"));
        EXPECT_TRUE(failures.failures().empty());
    }
}

TEST_F(MasterLookups, WithoutTheDataModuleLookupsFailQuietly)
{
    TDataSif* module = DataSif;
    DataSif = nullptr;
    CapturedRoutineFailures failures;
    EXPECT_FALSE(FindMS("A1"));
    EXPECT_FALSE(FindSubjCenik("a", "b", "P"));
    EXPECT_EQ(PoisciTecaj("NLB", "USD", QDate(2021, 1, 1)), 1.0);
    EXPECT_EQ(PoisciKontOs("Kupec d.o.o."), QString());
    DataSif = module;
    EXPECT_EQ(failures.operations(), QStringList({"FindVrstaMS", "FindSubjCenik", "PoisciTecaj", "PoisciKontOs"}));
}
