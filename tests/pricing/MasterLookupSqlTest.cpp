#include "pricing/MasterLookupSql.h"
#include "pricing/MasterRecordFields.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

// The column list between "SELECT " and " FROM".
QStringList selectedColumns(const QString& sql)
{
    const qsizetype from = sql.indexOf(" FROM ");
    return sql.mid(7, from - 7).split(", ");
}

template <class Rec>
QStringList fieldNames(std::span<const RecordField<Rec>> fields)
{
    QStringList names;
    for (const auto& f : fields)
        names << QString::fromLatin1(f.name);
    return names;
}

} // namespace

TEST(MasterLookupSql, RecordsHaveTheirColumnCounts)
{
    EXPECT_EQ(msRecFields().size(), 74u);
    EXPECT_EQ(subjRecFields().size(), 61u);
    EXPECT_EQ(poslDogRecFields().size(), 119u);
    EXPECT_EQ(vrstaMSRecFields().size(), 2u);
    EXPECT_EQ(tarStRecFields().size(), 8u);
    EXPECT_EQ(msFormRecFields().size(), 2u);
}

TEST(MasterLookupSql, ItemByCodeAndByPattern)
{
    const QString byCode = sqlFindMS("A1");
    EXPECT_TRUE(byCode.startsWith("SELECT Aktivno, CarTarifa, Cena, CenaDob, Dajatve, Davek, DimGlobina, "));
    EXPECT_TRUE(byCode.endsWith(", VPCenaP, VRDavek, VrstaMS FROM MS WHERE Ident = 'A1'")) << qPrintable(byCode);
    EXPECT_EQ(selectedColumns(byCode), fieldNames(msRecFields()));

    const QString byPattern = sqlFindMS("A%");
    EXPECT_TRUE(byPattern.endsWith(" VrstaMS FROM MS WHERE Ident LIKE 'A%' ORDER BY Ident")) << qPrintable(byPattern);
    EXPECT_EQ(selectedColumns(byPattern), fieldNames(msRecFields()));
}

TEST(MasterLookupSql, PartnerWithLimitQuotedOnlyForPostgreSQL)
{
    const QString server = sqlFindSubj("Kupec");
    EXPECT_TRUE(server.startsWith("SELECT Banka, CenRazred, DatumInvent, DatumIzj, DatumLim, Delavec, "));
    EXPECT_TRUE(server.contains(", LetnaIzjava, Limit, MaticnaStev, "));
    EXPECT_TRUE(server.endsWith(", Ziro1, Ziro2 FROM Subjekt WHERE Naziv = 'Kupec'"));
    EXPECT_EQ(selectedColumns(server), fieldNames(subjRecFields()));

    const QString pg = sqlFindSubj("Kupec", SqlDialect::Kind::PostgreSQL);
    EXPECT_TRUE(pg.contains(", LetnaIzjava, \"limit\", MaticnaStev, "));
    EXPECT_EQ(QString(pg).replace("\"limit\"", "Limit"), server);
}

TEST(MasterLookupSql, BusinessEvent)
{
    const QString sql = sqlFindPoslDog("10");
    EXPECT_TRUE(sql.startsWith("SELECT Evidencno, FazaA, FazaC, "));
    EXPECT_TRUE(sql.endsWith(", Vrsta, VrstaDnev, VrstaTrga FROM PoslDog WHERE PoslDog = '10'"));
    EXPECT_EQ(selectedColumns(sql), fieldNames(poslDogRecFields()));
}

TEST(MasterLookupSql, ShortLookupsExactly)
{
    EXPECT_EQ(sqlFindVrstaMS("BLA"), QString("SELECT Naziv, Tip FROM VrstaMS WHERE VrstaMS = 'BLA'"));
    EXPECT_EQ(sqlFindTarSt("1"), QString("SELECT Naziv, TarifStev, Davek, DDVSeObracuna, KontoKR, KontoVRDavekDB, "
                                         "KontoVRDavekKR, DDVSeUposteva FROM TarSt WHERE TS = '1'"));
    EXPECT_EQ(sqlFindMsForm("F1"), QString("SELECT Naziv, Formula FROM MsFormula WHERE Sifra = 'F1'"));
    EXPECT_EQ(sqlFindSubjCenik("Kupec", "A1", "P"),
              QString("SELECT Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok, RokPlacila "
                      "FROM SubjektCenik WHERE Subjekt = 'Kupec' AND Ident = 'A1' AND PreIzd = 'P'"));
    EXPECT_EQ(sqlPoisciTecaj("NLB", "USD", QDate(2003, 5, 7)),
              QString("SELECT Tecaj FROM Tecaj WHERE Banka = 'NLB' AND Valuta = 'USD' AND Datum <= '2003/05/07' "
                      "ORDER BY Datum DESC"));
    EXPECT_EQ(sqlPoisciKontOs("Kupec"), QString("SELECT KontOseba FROM KontOs WHERE Subjekt = 'Kupec' ORDER BY Poz"));
}

TEST(MasterLookupSql, ApostrophesAreDoubledInEveryValue)
{
    const QString hostile = "x'; DELETE FROM Promet; --";
    EXPECT_TRUE(sqlFindSubj("O'Neil d.o.o.").endsWith("WHERE Naziv = 'O''Neil d.o.o.'"));
    EXPECT_TRUE(sqlFindMS(hostile).endsWith("WHERE Ident = 'x''; DELETE FROM Promet; --'"));
    EXPECT_TRUE(sqlFindMS("O'%").endsWith("WHERE Ident LIKE 'O''%' ORDER BY Ident"));
    EXPECT_TRUE(sqlFindPoslDog("'").endsWith("WHERE PoslDog = ''''"));
    EXPECT_TRUE(sqlFindVrstaMS("a'b").endsWith("= 'a''b'"));
    EXPECT_TRUE(sqlFindTarSt("a'b").endsWith("= 'a''b'"));
    EXPECT_TRUE(sqlFindMsForm("a'b").endsWith("= 'a''b'"));
    EXPECT_TRUE(sqlFindSubjCenik("O'Neil", "I'1", "'").endsWith(
        "WHERE Subjekt = 'O''Neil' AND Ident = 'I''1' AND PreIzd = ''''"));
    EXPECT_TRUE(sqlPoisciTecaj("d'Italia", "U'S", QDate(2003, 5, 7)).contains(
        "Banka = 'd''Italia' AND Valuta = 'U''S' AND"));
    EXPECT_TRUE(sqlPoisciKontOs("O'Neil").contains("Subjekt = 'O''Neil' ORDER"));
    // Outside the literals nothing of the value is left: an even number of quotes overall.
    for (const QString& sql : {sqlFindMS(hostile), sqlFindSubj(hostile), sqlPoisciKontOs(hostile)})
        EXPECT_EQ(sql.count('\'') % 2, 0) << qPrintable(sql);
}
