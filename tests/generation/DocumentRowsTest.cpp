// The document rows made straight from the records are the rows the generic INSERT writer makes
// of the same columns as QVariants, value for value, and take another key in place.
#include "data/SqlBatch.h"
#include "generation/DocumentRows.h"
#include "generation/NarocRec.h"
#include "pricing/PrometRec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// The texts, numbers and dates that are easy to write wrongly.
struct Values {
    QString key;
    QString text;
    double number;
    int whole;
    Money amount;
    QDateTime moment;
};

const Values valueSets[] = {
    {"261000001", "Kurilno olje", 0.82, 1, Money::fromCount(12345678), QDateTime(QDate(2026, 12, 9), QTime(0, 0))},
    {"26'1", "Kupec d'Or ''čšž ČŠŽ'", -1234.5e-7, -7, Money::fromCount(-1), QDateTime()},
    {"", QString(), 1e15, 0, Money(), QDateTime(QDate(1899, 12, 30), QTime(0, 0))},
    {"Ž", "", std::numeric_limits<double>::quiet_NaN(), 2147483647, Money::fromCount(10000),
     QDateTime(QDate(2004, 2, 29), QTime(23, 59, 58, 7))},
};

template <class Rec>
void expectSameRow(const SqlRow& row, const QVariantList& columns, const char* table, const Values& v)
{
    const SqlRow generic = sqlRowOf(columns);
    EXPECT_EQ(row.names, generic.names) << table;
    EXPECT_EQ(row.values, generic.values) << table << " " << v.text.toStdString();
    EXPECT_EQ(row.keyAt, generic.keyAt) << table;
    EXPECT_EQ(row.keyLength, generic.keyLength) << table;
    QString one;
    sqlInsertValues(table, columns, one);
    EXPECT_EQ(one, QString("INSERT INTO ") + table + "(" + row.names + ") VALUES " + row.values + "; ") << table;

    // Another key, twice (so that the second replaces a key of another length), is the row of the
    // columns with that key.
    for (const QString& key : {QString("26N'00042"), QString("9")}) {
        SqlRow keyed = row;
        keyed.setKey(v.key);
        keyed.setKey(key);
        QVariantList expected = columns;
        for (qsizetype i = 0; i + 1 < expected.size(); i += 2)
            if (expected[i].toString() == "Kljuc")
                expected[i + 1] = key;
        EXPECT_EQ(keyed.values, sqlRowOf(expected).values) << table << " " << key.toStdString();
    }
}

} // namespace

TEST(DocumentRows, TextRowsEqualTheGenericRowsOfTheirColumns)
{
    for (const Values& v : valueSets) {
        TPrometRec h;
        h.Kljuc = v.key;
        h.Prejemnik = v.text;
        h.Opomba = v.text;
        h.Datum = v.moment;
        h.DatumVal = v.moment;
        h.DniZaPlac = v.whole;
        h.Tecaj = v.number;
        h.Vrednost = v.amount;
        h.ZaPlacilo = v.amount;
        h.Rabat = v.number;
        expectSameRow<TPrometRec>(prometRow(h), prometColumns(h), "Promet", v);

        TPrometPozRec p;
        p.Kljuc = v.key;
        p.Poz = v.whole;
        p.Naziv = v.text;
        p.Cena = v.number;
        p.Kolicina = -v.number;
        p.Garancija = v.whole;
        expectSameRow<TPrometPozRec>(prometPozRow(p), prometPozColumns(p), "PrometPoz", v);

        TNarocRec n;   // the key in the middle of the row
        n.Kljuc = v.key;
        n.Narocnik = v.text;
        n.DatumVelj = v.moment;
        n.RokDobave = v.moment;
        n.Davek = v.amount;
        n.DniZaVelj = v.whole;
        expectSameRow<TNarocRec>(narocRow(n), narocColumns(n), "Naroc", v);

        TNarocPozRec np;
        np.Kljuc = v.key;
        np.Naziv = v.text;
        np.RokDobave = v.moment;
        np.Rabat = v.number;
        np.VPoz = v.whole;
        expectSameRow<TNarocPozRec>(narocPozRow(np), narocPozColumns(np), "NarocPoz", v);
    }
}

TEST(DocumentRows, RowsWithoutAKeyKeepTheirValues)
{
    SqlRow row = sqlRowOf({QString("Poz"), 1, QString("Naziv"), QString("Kljuc")});
    EXPECT_EQ(row.keyAt, -1);
    row.setKey(QString("261000001"));
    EXPECT_EQ(row.values, "(1,'Kljuc')");
    // An odd list makes no row; a key column of another type is replaced all the same.
    EXPECT_TRUE(sqlRowOf({QString("Kljuc")}).values.isEmpty());
    SqlRow numbered = sqlRowOf({QString("KLJUC"), 12.5, QString("Poz"), 2});
    numbered.setKey(QString("26"));
    EXPECT_EQ(numbered.values, "('26',2)");
}
