// The invoice run on a synthetic company, through the same code as the button "Kreiranje",
// against the floor a run cannot beat: the INSERT of the very same rows through the ODBC layer in
// 8 KB batches, each batch in a transaction as the run writes them.
//
//   bench_generation [--documents N] [--lines L] [--no-floor] [--keep] [--compare] [--no-cache]
//
// --no-cache measures the run without its master-data cache (LookupRunCache). The environment
// variable BENCH_ODBC_EXTRA adds connect-string items (for example "UseDeclareFetch=1;Fetch=200").
// --compare runs first without the run's master-data cache (LookupRunCache), keeps a digest of
// every document, runs again with it (the measured run) and compares the documents.
//
// Needs a private PostgreSQL with the template database obdrac_template (PGHOST, PGPORT) and the
// project's ODBC configuration (ODBCSYSINI); bench/run.sh sets everything up.
#include "BenchClock.h"
#include "BenchCompany.h"

#include "app/HeadlessMessageBoxes.h"
#include "data/DataSif.h"
#include "data/DataSifRoutines.h"
#include "data/odbc/OdbcCounters.h"
#include "data/core/ProgramState.h"
#include "data/SqlBatch.h"
#include "data/odbc/THstmt.h"
#include "generation/BatchTransaction.h"
#include "generation/GenerationCommand.h"
#include "pricing/MasterLookups.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlext.h>

#include <cstdio>
#include <vector>

namespace {

struct Options {
    int documents = 3000;
    int lines = 5;
    bool floor = true;
    bool keep = false;
    bool compare = false;
    bool cache = true;
};

Options parse(const QStringList& args)
{
    Options o;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString a = args[i];
        if (a == "--documents" && i + 1 < args.size())
            o.documents = args[++i].toInt();
        else if (a == "--lines" && i + 1 < args.size())
            o.lines = args[++i].toInt();
        else if (a == "--no-floor")
            o.floor = false;
        else if (a == "--keep")
            o.keep = true;
        else if (a == "--compare")
            o.compare = true;
        else if (a == "--no-cache")
            o.cache = false;
        else {
            std::fprintf(stderr, "usage: bench_generation [--documents N] [--lines L] [--no-floor] [--keep] [--compare] [--no-cache]\n");
            std::exit(2);
        }
    }
    return o;
}

// The rows of one table as INSERT column lists (NULL columns left out), in key order.
std::vector<std::pair<QString, QVariantList>> readRows(THstmt& q, const QString& sql)
{
    std::vector<std::pair<QString, QVariantList>> rows;
    q.Close();
    q.setSQL(sql);
    q.Execute();
    const int kljuc = q.ColIndex("KLJUC");
    while (q.FetchNext()) {
        QVariantList pairs;
        for (int c = 1; c <= q.ColCount(); ++c) {
            if (q.ColumnIsNull(c))
                continue;
            QVariant v = q.ColumnValue(c);
            if (q.ColSqlType(c) == SQL_DECIMAL || q.ColSqlType(c) == SQL_NUMERIC)
                v = v.toString().toDouble();
            pairs << q.ColName(c) << v;
        }
        rows.emplace_back(q.ColumnAsString(kljuc), std::move(pairs));
    }
    q.Close();
    return rows;
}

// Writes the texts in batches of more than 8192 characters (the last one shorter), each in a
// transaction on the write connection, as the run's writer does.
void writeBatches(const std::vector<QString>& documents)
{
    QString batch;
    const auto send = [&] {
        if (batch.isEmpty())
            return;
        BatchTransaction tx(DataSif->DatabaseHstmt);
        executeBatch(batch);
        tx.commit();
        batch.clear();
    };
    for (const QString& d : documents) {
        batch += d;
        if (batch.size() > SqlBatchThreshold)
            send();
    }
    send();
}

// A digest of every document (header and lines, without the audit time stamps), in key order.
QStringList documentDigests(const BenchCompany& company)
{
    return company
        .psql("SELECT H.Kljuc || ' ' || md5((to_jsonb(H) - 'datumzap' - 'datumspre')::text || coalesce((SELECT "
              "string_agg((to_jsonb(P) - 'datumzap' - 'datumspre')::text, '|' ORDER BY P.Poz) FROM PrometPoz P "
              "WHERE P.Kljuc = H.Kljuc), '')) FROM Promet H ORDER BY H.Kljuc")
        .split('\n', Qt::SkipEmptyParts);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const Options o = parse(app.arguments());
    QTextStream out(stdout);
    QTextStream err(stderr);
    QTemporaryDir local;
    qputenv("OBDRAC_DATA_DIR", local.path().toUtf8());
    HeadlessMessageBoxes boxes(err);

    BenchClock setup;
    BenchCompany company(QString("bench_gen_%1").arg(QCoreApplication::applicationPid()), o.documents, o.lines);
    out << "Podjetje: " << company.templates() << " periodik, pričakovanih " << company.expectedDocuments()
        << " računov po " << company.linesPerDocument() << " vrstic (priprava " << QString::number(setup.seconds(), 'f', 1)
        << " s)" << Qt::endl;

    TDataSif module;
    DataSif = &module;
    module.connectWithAttributes(company.connectAttributes());
    module.DataSifCreateOpen();
    CurrentUserID = "01";
    CurrentUserName = "Ana Kovač";
    CurrentUserDepartment = "Računovodstvo";
    VatMode = true;

    GenerationCriteria criteria;
    criteria.DatumKont = QDate::currentDate();
    criteria.Datum = QDate::currentDate();
    GenerationCallbacks callbacks;
    QStringList comparison;
    int logLines = 0;
    std::uint64_t batchStatements = 0;
    std::uint64_t batches = 0;
    callbacks.logLine = [&](const QString&) { ++logLines; };
    callbacks.beforeCommit = [&] {
        ++batches;
        batchStatements += std::uint64_t(DataSif->UpdateHstmt.SQL().count(QStringLiteral("; ")));
    };

    if (o.compare) {
        LookupRunCache::setEnabled(false);
        BenchClock plainClock;
        const GenerationResult plain = bKreiranjeClick(criteria, callbacks);
        const double plainSeconds = plainClock.seconds();
        const QStringList plainDigests = documentDigests(company);
        LookupRunCache::setEnabled(true);
        company.resetDocuments();
        out << "Brez predpomnilnika matičnih podatkov: " << plain.documentsWritten() << " dokumentov v "
            << QString::number(plainSeconds, 'f', 2) << " s" << Qt::endl;
        logLines = 0;
        batchStatements = 0;
        batches = 0;
        comparison = plainDigests;
    }

    LookupRunCache::setEnabled(o.cache);
    const OdbcCounters before = odbcCounters;
    const double rssBefore = peakRssMegabytes();
    const double cpuBefore = processCpuSeconds();
    BenchClock runClock;
    const GenerationResult result = bKreiranjeClick(criteria, callbacks);
    const double runSeconds = runClock.seconds();
    const double cpuSeconds = processCpuSeconds() - cpuBefore;
    const double rssPeak = peakRssMegabytes();
    const std::uint64_t executes = odbcCounters.executes - before.executes;
    const std::uint64_t commits = odbcCounters.commits - before.commits;

    const int documents = result.documentsWritten();
    const int lines = company.psql("SELECT count(*) FROM PrometPoz").toInt() + company.psql("SELECT count(*) FROM NarocPoz").toInt();
    // Statements: every execution of a statement text, with each statement of a batch counted.
    const std::uint64_t statements = executes - batches + batchStatements;
    const std::uint64_t roundTrips = executes + commits;
    out << "Kreiranje: " << documents << " dokumentov, " << lines << " vrstic, " << result.documentsNotWritten
        << " nezapisanih, izid " << result.exitCode() << ", v " << QString::number(runSeconds, 'f', 2)
        << " s (procesor programa " << QString::number(cpuSeconds, 'f', 2) << " s)" << Qt::endl;
    out << "  dokumentov na sekundo: " << QString::number(documents / runSeconds, 'f', 0)
        << ", vrstic na sekundo: " << QString::number(lines / runSeconds, 'f', 0) << Qt::endl;
    out << "  stavkov na vrstico: " << QString::number(double(statements) / lines, 'f', 2) << " (" << statements
        << "), povratnih poti na vrstico: " << QString::number(double(roundTrips) / lines, 'f', 2) << " (" << executes
        << " izvedb, " << commits << " potrditev, " << batches << " paketov)" << Qt::endl;
    out << "  največji RSS: " << QString::number(rssPeak, 'f', 1) << " MB (pred kreiranjem "
        << QString::number(rssBefore, 'f', 1) << " MB) pri " << documents << " dokumentih" << Qt::endl;

    if (o.compare) {
        const QStringList digests = documentDigests(company);
        int differing = 0;
        for (qsizetype i = 0; i < std::max(digests.size(), comparison.size()); ++i)
            if (digests.value(i) != comparison.value(i))
                ++differing;
        out << "  primerjava z dokumenti brez predpomnilnika: "
            << (differing == 0 ? QString("vseh %1 enakih").arg(digests.size())
                               : QString("RAZLIČNIH %1 od %2").arg(differing).arg(digests.size()))
            << Qt::endl;
    }

    if (o.floor && documents > 0) {
        // The floor: the same rows, SELECTed, deleted, and INSERTed again in 8 KB batches.
        const auto headers = readRows(module.qQuery0, "SELECT * FROM Promet ORDER BY Kljuc");
        const auto positions = readRows(module.qQuery0, "SELECT * FROM PrometPoz ORDER BY Kljuc, Poz");
        std::vector<QString> texts;
        texts.reserve(headers.size());
        size_t p = 0;
        for (const auto& [key, pairs] : headers) {
            QString text;
            while (p < positions.size() && positions[p].first < key)
                ++p;
            while (p < positions.size() && positions[p].first == key)
                sqlInsertValues("PrometPoz", positions[p++].second, text);
            sqlInsertValues("Promet", pairs, text);
            texts.push_back(std::move(text));
        }
        const QString checksum = "SELECT count(*) || '/' || coalesce(sum(ZaPlacilo), 0) || '/' || coalesce(sum(Davek), 0) FROM Promet";
        const QString lineChecksum =
            "SELECT count(*) || '/' || coalesce(sum(round((Kolicina * Cena)::numeric, 4)), 0) FROM PrometPoz";
        const QString written = company.psql(checksum) + " " + company.psql(lineChecksum);
        company.psql("TRUNCATE PrometPoz, Promet; VACUUM ANALYZE Promet; VACUUM ANALYZE PrometPoz;");
        const OdbcCounters floorBefore = odbcCounters;
        BenchClock floorClock;
        writeBatches(texts);
        const double floorSeconds = floorClock.seconds();
        const QString again = company.psql(checksum) + " " + company.psql(lineChecksum);
        out << "Spodnja meja (INSERT istih " << headers.size() + positions.size() << " vrstic v paketih po 8 KB): "
            << QString::number(floorSeconds, 'f', 2) << " s, " << odbcCounters.executes - floorBefore.executes
            << " paketov" << (written == again ? "" : " - VRSTICE SE RAZLIKUJEJO: " + written + " / " + again) << Qt::endl;
        out << "  razmerje kreiranje / spodnja meja: " << QString::number(runSeconds / floorSeconds, 'f', 2) << Qt::endl;
    }
    company.setKeep(o.keep);
    if (o.keep)
        out << "Baza ostane: " << company.name() << Qt::endl;
    DataSif = nullptr;
    return result.exitCode() == 0 ? 0 : 1;
}
