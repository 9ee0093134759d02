// The adapters over the data module's live datasets (on the real database) and over local
// tables: a report binds them by name and reads typed values.
#include "TestConnection.h"
#include "ReportTestSupport.h"

#include "data/dataset/TwwOEDataSet.h"
#include "data/local/LocalTable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reporttest;

namespace {

ReportDefinition twoColumnList(const QString& dataSet)
{
    ReportDefinition d;
    d.mainDataSet = dataSet;
    d.bands.push_back(band(ReportBandKind::Detail, QStringLiteral("Vrstica"), 5, {
        field(QStringLiteral("Naziv"), QStringLiteral("NAZIV"), 0, 60),
        field(QStringLiteral("Znesek"), QStringLiteral("ZNESEK"), 60, 30, ReportHAlign::Right),
        field(QStringLiteral("Datum"), QStringLiteral("DATUM"), 100, 30)}));
    ReportBand summary = band(ReportBandKind::Summary, QStringLiteral("Skupaj"), 5, {
        expression(QStringLiteral("Vsota"), QStringLiteral("SUM(Znesek)"), 60, 30, ReportHAlign::Right, QStringLiteral("#,##0.00"))});
    d.bands.push_back(summary);
    return d;
}

}   // namespace

TEST(ReportDataSource, LiveDatasetOfTheCompanyDatabase)
{
    TestDatabase tdb(QStringLiteral("reports_source"));
    tdb.psql(QStringLiteral("SET ROLE obdrac;"
                            "CREATE TABLE Zneski (Kljuc varchar(9) PRIMARY KEY, Naziv varchar(30), Znesek numeric(18,4), Datum timestamp);"
                            "INSERT INTO Zneski VALUES ('1', 'Čebelar Žan', 1234.5, '2026-12-09'), ('2', 'Šola', -0.25, NULL),"
                            " ('3', NULL, NULL, '2026-01-31 10:00:00');"));
    THdbc db;
    connectTo(db, tdb);
    TwwOEDataSet tb;
    tb.setName(QStringLiteral("tbZneski"));
    tb.sethDbc(&db);
    tb.setSQL(QStringList{QStringLiteral("SELECT * FROM Zneski ORDER BY Kljuc")});

    DataSetReportSource source(tb);
    EXPECT_EQ(source.name(), QStringLiteral("tbZneski"));
    EXPECT_FALSE(source.isOpen());
    ReportDataSources sources;
    sources.add(source);
    ASSERT_EQ(sources.find(QStringLiteral("TBZNESKI")), &source);   // names without regard to case
    ReportGenerator g(twoColumnList(QStringLiteral("tbzneski")), sources, ReportContext());
    ASSERT_TRUE(g.runToEnd()) << g.errorMessage().toStdString();   // the closed dataset is opened
    EXPECT_TRUE(tb.Active());
    const ReportFieldKind amount = source.fieldKind(QStringLiteral("ZNESEK"));
    EXPECT_TRUE(amount == ReportFieldKind::Money || amount == ReportFieldKind::Number);
    EXPECT_EQ(source.fieldKind(QStringLiteral("datum")), ReportFieldKind::Date);
    EXPECT_EQ(source.fieldKind(QStringLiteral("NAZIV")), ReportFieldKind::Text);
    QStringList rows;
    for (const auto& b : g.prepared().bands())
        if (b.kind == ReportBandKind::Detail)
            rows << b.cells[0].text + QLatin1Char('|') + b.cells[1].text + QLatin1Char('|') + b.cells[2].text;
    EXPECT_EQ(rows, (QStringList{QStringLiteral("Čebelar Žan|1.234,50|09.12.2026"), QStringLiteral("Šola|-0,25|"),
                                 QStringLiteral("||31.01.2026 10:00")}));
    EXPECT_EQ(g.prepared().bands().back().cells[0].text, QStringLiteral("1.234,25"));
}

TEST(ReportDataSource, LocalTableAndAMissingSource)
{
    QTemporaryDir dir;
    LocalTable table(QString(), dir.filePath(QStringLiteral("TZneski")));
    table.addField(QStringLiteral("NAZIV"), LocalFieldType::Text, 30);
    table.addField(QStringLiteral("ZNESEK"), LocalFieldType::Float);
    table.addField(QStringLiteral("DATUM"), LocalFieldType::DateTime);
    table.createTable();
    table.open();
    for (int i = 1; i <= 3; ++i) {
        table.append();
        table.setValue(QStringLiteral("NAZIV"), QStringLiteral("Žito %1").arg(i));
        table.setValue(QStringLiteral("ZNESEK"), i * 1000.5);
        table.setValue(QStringLiteral("DATUM"), QDateTime(QDate(2026, 12, i), QTime(0, 0)));
        table.post();
    }
    LocalTableReportSource source(table, QStringLiteral("tbNapaka"));
    EXPECT_EQ(source.fieldKind(QStringLiteral("znesek")), ReportFieldKind::Number);
    EXPECT_EQ(source.fieldKind(QStringLiteral("DATUM")), ReportFieldKind::Date);
    EXPECT_EQ(source.recordCount(), 3);
    ReportDataSources sources;
    sources.add(source);
    ReportGenerator g(twoColumnList(QStringLiteral("tbNapaka")), sources, ReportContext());
    ASSERT_TRUE(g.runToEnd()) << g.errorMessage().toStdString();
    EXPECT_EQ(g.prepared().bands().back().cells[0].text, QStringLiteral("6.003,00"));
    EXPECT_EQ(g.prepared().bands()[1].cells[2].text, QStringLiteral("02.12.2026"));

    ReportGenerator missing(twoColumnList(QStringLiteral("tbDrugo")), sources, ReportContext());
    EXPECT_FALSE(missing.runToEnd());
    EXPECT_EQ(missing.errorMessage(), QStringLiteral("Izpis bere podatke \"tbDrugo\", ki jih ni."));
}
