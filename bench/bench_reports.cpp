// The report engine on a listing of 10,000 rows (500 templates x 20 lines) read from a local
// table, as the printed listing reads its table:
//   bench_reports [--groups N] [--rows N] [--pdf FILE]
// Prints the time to read the rows alone (the floor), to the first page while generating in
// slices as the preview does, to all pages, to write the PDF, and the memory per page.
#include "BenchClock.h"
#include "ReportTestSupport.h"

#include "data/local/LocalTable.h"
#include "reports/ReportGenerator.h"
#include "reports/ReportPrinting.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void fillTable(LocalTable& table, int groups, int rows)
{
    table.clearDefinitions();
    table.addField(QStringLiteral("ZapSt"), LocalFieldType::AutoInc);
    table.addField(QStringLiteral("Kljuc"), LocalFieldType::Text, 9);
    table.addField(QStringLiteral("Tip"), LocalFieldType::Text, 10);
    table.addField(QStringLiteral("PoslDog"), LocalFieldType::Text, 2);
    table.addField(QStringLiteral("Subjekt"), LocalFieldType::Text, 30);
    table.addField(QStringLiteral("Ident"), LocalFieldType::Text, 16);
    table.addField(QStringLiteral("Kolicina"), LocalFieldType::Float);
    table.addField(QStringLiteral("Cena"), LocalFieldType::Float);
    table.addField(QStringLiteral("Rabat"), LocalFieldType::Float);
    table.addIndex(QStringLiteral("TNapaka"), QStringLiteral("ZapSt"), true);
    table.createTable();
    table.open();
    for (int g = 0; g < groups; ++g)
        for (int r = 0; r < rows; ++r) {
            table.append();
            table.setValue(QStringLiteral("Kljuc"), QStringLiteral("26PR%1").arg(g + 1, 5, 10, QLatin1Char('0')));
            table.setValue(QStringLiteral("Tip"), QStringLiteral("Račun"));
            table.setValue(QStringLiteral("PoslDog"), QStringLiteral("PR"));
            table.setValue(QStringLiteral("Subjekt"), g % 2 ? QStringLiteral("Čebelarstvo Žužek d.o.o.") : QStringLiteral("Šolski center Kranj"));
            table.setValue(QStringLiteral("Ident"), QStringLiteral("ART%1").arg(r + 1));
            table.setValue(QStringLiteral("Kolicina"), double(r + 1));
            table.setValue(QStringLiteral("Cena"), 1234.5 + g);
            table.setValue(QStringLiteral("Rabat"), r % 3 ? 0.0 : 10.0);
            table.post();
        }
}

}   // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption groupsOpt(QStringLiteral("groups"), QStringLiteral("Število predlog."), QStringLiteral("n"), QStringLiteral("500"));
    QCommandLineOption rowsOpt(QStringLiteral("rows"), QStringLiteral("Vrstic na predlogo."), QStringLiteral("n"), QStringLiteral("20"));
    QCommandLineOption pdfOpt(QStringLiteral("pdf"), QStringLiteral("Kam shraniti PDF."), QStringLiteral("file"));
    parser.addOptions({groupsOpt, rowsOpt, pdfOpt});
    parser.process(app);
    const int groups = parser.value(groupsOpt).toInt();
    const int rows = parser.value(rowsOpt).toInt();

    QTemporaryDir dir;
    LocalTable table(QString(), dir.filePath(QStringLiteral("TObdracNapaka")));
    BenchClock clock;
    fillTable(table, groups, rows);
    std::printf("Tabela: %d vrstic zapisanih v %.2f s\n", groups * rows, clock.seconds());

    // The floor: reading every field of every row once.
    clock.restart();
    qint64 touched = 0;
    for (bool more = table.first(); more; more = table.next())
        for (const char* f : {"Kljuc", "Subjekt", "Ident", "Kolicina", "Cena", "Rabat"})
            touched += table.value(QLatin1String(f)).isValid();
    const double floor = clock.seconds();
    std::printf("Branje vrstic (spodnja meja):       %6.3f s  (%lld vrednosti)\n", floor, touched);

    LocalTableReportSource source(table, QStringLiteral("tbNapaka"));
    ReportDataSources sources;
    sources.add(source);
    ReportContext context;
    context.companyName = QStringLiteral("Podjetje Čuk d.o.o.");
    context.setCriterion(QStringLiteral("Obdobje"), QStringLiteral("09.12.2026"));

    // As the preview runs it: slices on the event loop, the first page shown when it is ready.
    ReportGenerator generator(reporttest::listingDefinition(), sources, context);
    double firstPage = -1, allPages = -1;
    QEventLoop loop;
    QObject::connect(&generator, &ReportGenerator::pageReady, [&](int) {
        if (firstPage < 0)
            firstPage = clock.seconds();
    });
    QObject::connect(&generator, &ReportGenerator::finished, [&](bool) {
        allPages = clock.seconds();
        loop.quit();
    });
    QObject::connect(&generator, &ReportGenerator::failed, [&](const QString& m) {
        std::fprintf(stderr, "Napaka: %s\n", qPrintable(m));
        loop.quit();
    });
    clock.restart();
    generator.start();
    loop.exec();
    if (generator.hasFailed())
        return 1;
    const PreparedReport& report = generator.prepared();
    std::printf("Prva stran pripravljena:            %6.3f s  (cilj < 0,3 s)\n", firstPage);
    std::printf("Vse strani (%4d) pripravljene:     %6.3f s  (cilj < 2 s)\n", report.pageCount(), allPages);

    // Synchronously, as obdrac-run does.
    ReportGenerator sync(reporttest::listingDefinition(), sources, context);
    clock.restart();
    sync.runToEnd();
    std::printf("Vse strani brez rezin (runToEnd):   %6.3f s\n", clock.seconds());

    const QString pdf = parser.isSet(pdfOpt) ? parser.value(pdfOpt) : dir.filePath(QStringLiteral("izpis.pdf"));
    clock.restart();
    QString error;
    if (!writePdf(report, pdf, &error)) {
        std::fprintf(stderr, "PDF: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("PDF zapisan:                        %6.3f s  (cilj < 2 s, %lld KB)\n", clock.seconds(),
                QFileInfo(pdf).size() / 1024);

    const QString qrp = dir.filePath(QStringLiteral("izpis.QRP"));
    clock.restart();
    report.saveToFile(qrp, &error);
    const double saveTime = clock.seconds();
    std::printf("Pripravljen izpis v pomnilniku:     %6.1f KB na stran (%.1f MB skupaj, vrstice za izvoz vključene)\n",
                double(report.approximateBytes()) / 1024.0 / report.pageCount(), double(report.approximateBytes()) / 1048576.0);
    std::printf("Datoteka .QRP:                      %6.1f KB na stran (zapisana v %.3f s)\n",
                double(QFileInfo(qrp).size()) / 1024.0 / report.pageCount(), saveTime);
    std::printf("Največja poraba pomnilnika procesa: %6.1f MB\n", peakRssMegabytes());
    return 0;
}
