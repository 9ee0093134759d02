// The invoice run on a synthetic company, through the same code as the button "Kreiranje",
// against the floor a run cannot beat: the INSERT of the very same rows through the ODBC layer in
// 8 KB batches, each batch in a transaction as the run writes them; and against a second floor,
// the server's limit: the same rows in one transaction, 1,000 rows to an INSERT. Both print the
// program's processor time of their writing beside their own time.
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
#include <optional>
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

// The columns that the run leaves to their defaults (the audit time stamps).
bool isDefaultedColumn(const QString& upperName)
{
    return upperName == QLatin1String("DATUMZAP") || upperName == QLatin1String("DATUMSPRE");
}

// The rows of a statement as INSERT column lists (every column but the audit time stamps, NULL
// as an empty value), with their keys.
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
            if (isDefaultedColumn(q.ColName(c)))
                continue;
            QVariant v;
            if (!q.ColumnIsNull(c)) {
                v = q.ColumnValue(c);
                if (q.ColSqlType(c) == SQL_DECIMAL || q.ColSqlType(c) == SQL_NUMERIC)
                    v = v.toString().toDouble();
            }
            pairs << q.ColName(c) << v;
        }
        rows.emplace_back(q.ColumnAsString(kljuc), std::move(pairs));
    }
    q.Close();
    return rows;
}

// The documents of the run, a slice at a time in key order, from copies of the document tables
// (the floors empty the tables themselves): each document as its lines and its header.
class FloorDocuments {
public:
    static constexpr int Slice = 2000;

    struct Document {
        std::vector<QVariantList> lines;
        QVariantList header;
    };

    // The next slice; empty at the end.
    std::vector<Document> next()
    {
        const QString after = m_last.isEmpty() ? QString() : " WHERE Kljuc > '" + m_last + "'";
        const QString upTo = QString(" ORDER BY Kljuc OFFSET 0 ROWS FETCH NEXT %1 ROWS ONLY").arg(Slice);
        auto headers = readRows(DataSif->qQuery0, "SELECT * FROM bench_floor_promet" + after + upTo);
        std::vector<Document> documents;
        if (headers.empty())
            return documents;
        const QString last = headers.back().first;
        QString lineRange = " WHERE Kljuc <= '" + last + "'";
        if (!m_last.isEmpty())
            lineRange += " AND Kljuc > '" + m_last + "'";
        auto positions =
            readRows(DataSif->qQuery0, "SELECT * FROM bench_floor_prometpoz" + lineRange + " ORDER BY Kljuc, Poz");
        size_t p = 0;
        for (auto& [key, pairs] : headers) {
            Document d;
            while (p < positions.size() && positions[p].first < key)
                ++p;
            while (p < positions.size() && positions[p].first == key)
                d.lines.push_back(std::move(positions[p++].second));
            d.header = std::move(pairs);
            documents.push_back(std::move(d));
        }
        m_last = last;
        return documents;
    }

private:
    QString m_last;
};

// Time and processor time of the parts of a floor that write.
struct FloorClock {
    double seconds = 0;
    double cpu = 0;
    template <class Body>
    void measure(Body&& body)
    {
        const double cpuBefore = processCpuSeconds();
        BenchClock clock;
        body();
        seconds += clock.seconds();
        cpu += processCpuSeconds() - cpuBefore;
    }
};

// The first floor: each document's statements as the run writes them (its lines, then its
// header; one statement a row), sent in batches of more than 8192 characters, each batch in a
// transaction on the write connection, as the run's writer does.
FloorClock writeBatchedFloor()
{
    FloorClock clock;
    FloorDocuments source;
    QString batch;
    const auto send = [&] {
        if (batch.isEmpty())
            return;
        BatchTransaction tx(DataSif->DatabaseHstmt);
        executeBatch(batch);
        tx.commit();
        batch.clear();
    };
    for (auto documents = source.next(); !documents.empty(); documents = source.next()) {
        std::vector<QString> texts;
        texts.reserve(documents.size());
        for (const auto& d : documents) {
            QString text;
            for (const QVariantList& line : d.lines)
                sqlInsertValues("PrometPoz", line, text);
            sqlInsertValues("Promet", d.header, text);
            texts.push_back(std::move(text));
        }
        clock.measure([&] {
            for (const QString& text : texts) {
                batch += text;
                if (batch.size() > SqlBatchThreshold)
                    send();
            }
        });
    }
    clock.measure(send);
    return clock;
}

// One INSERT of many rows ("INSERT INTO t(columns) VALUES (...),(...); "), the rows sharing the
// column list of the first.
void appendMultiRowInsert(const QString& table, const std::vector<const QVariantList*>& rows, QString& out)
{
    static const QString valuesWord = QStringLiteral(") VALUES (");
    QString first;
    sqlInsertValues(table, *rows.front(), first);
    out += QStringView(first).chopped(2);   // without "; "
    for (size_t r = 1; r < rows.size(); ++r) {
        QString one;
        sqlInsertValues(table, *rows[r], one);
        out += QLatin1String(",(");
        out += QStringView(one).sliced(one.indexOf(valuesWord) + valuesWord.size()).chopped(2);
    }
    out += QLatin1String("; ");
}

// The second floor, the server's own limit: the same rows in one transaction, 1,000 rows to an
// INSERT (the most SQL Server takes in one VALUES list), one INSERT to an execution.
FloorClock writeMultiRowFloor()
{
    constexpr size_t RowsPerInsert = 1000;
    FloorClock clock;
    FloorDocuments source;
    std::optional<BatchTransaction> tx;
    clock.measure([&] { tx.emplace(DataSif->DatabaseHstmt); });
    for (auto documents = source.next(); !documents.empty(); documents = source.next()) {
        std::vector<QString> texts;
        std::vector<const QVariantList*> lines, headers;
        for (const auto& d : documents) {
            for (const QVariantList& line : d.lines)
                lines.push_back(&line);
            headers.push_back(&d.header);
        }
        for (const auto* rows : {&lines, &headers}) {
            const QString table = rows == &lines ? QStringLiteral("PrometPoz") : QStringLiteral("Promet");
            for (size_t from = 0; from < rows->size(); from += RowsPerInsert) {
                const auto to = std::min(rows->size(), from + RowsPerInsert);
                const std::vector<const QVariantList*> part(rows->begin() + qsizetype(from), rows->begin() + qsizetype(to));
                QString text;
                appendMultiRowInsert(table, part, text);
                texts.push_back(std::move(text));
            }
        }
        clock.measure([&] {
            for (const QString& text : texts)
                executeBatch(text);
        });
    }
    clock.measure([&] { tx->commit(); });
    return clock;
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
        // "; " ends every statement of a batch (counted by hand: the counting is inside the
        // measured run, and QString::count of a text is slow)
        const QString& sql = DataSif->UpdateHstmt.SQL();
        const char16_t* u = QStringView(sql).utf16();
        for (qsizetype i = 0; i + 1 < sql.size(); ++i)
            batchStatements += u[i] == u';' && u[i + 1] == u' ';
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
    company.settle();
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
        << " s (procesor programa " << QString::number(cpuSeconds, 'f', 2) << " s, "
        << QString::number(lines > 0 ? cpuSeconds * 1e6 / lines : 0.0, 'f', 1) << " µs na vrstico)" << Qt::endl;
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
        // The floors: the same rows, copied aside, deleted, and INSERTed again.
        const QString checksum =
            "SELECT count(*) || '/' || coalesce(sum(ZaPlacilo), 0) || '/' || coalesce(sum(Davek), 0) FROM Promet";
        const QString lineChecksum =
            "SELECT count(*) || '/' || coalesce(sum(round((Kolicina * Cena)::numeric, 4)), 0) FROM PrometPoz";
        const QString written = company.psql(checksum) + " " + company.psql(lineChecksum);
        const int rows =
            company.psql("SELECT count(*) FROM Promet").toInt() + company.psql("SELECT count(*) FROM PrometPoz").toInt();
        company.psql("CREATE TABLE bench_floor_promet AS SELECT * FROM Promet; "
                     "CREATE TABLE bench_floor_prometpoz AS SELECT * FROM PrometPoz; "
                     "ALTER TABLE bench_floor_promet ADD PRIMARY KEY (Kljuc); "
                     "ALTER TABLE bench_floor_prometpoz ADD PRIMARY KEY (Kljuc, Poz); "
                     "GRANT SELECT ON bench_floor_promet, bench_floor_prometpoz TO obdrac; "
                     "VACUUM ANALYZE bench_floor_promet; VACUUM ANALYZE bench_floor_prometpoz;");
        const auto floor = [&](const QString& title, FloorClock (*write)()) {
            company.psql("TRUNCATE PrometPoz, Promet; VACUUM ANALYZE Promet; VACUUM ANALYZE PrometPoz;");
            company.settle();
            const OdbcCounters floorBefore = odbcCounters;
            const FloorClock clock = write();
            const QString again = company.psql(checksum) + " " + company.psql(lineChecksum);
            out << title << " (" << rows << " vrstic): " << QString::number(clock.seconds, 'f', 2)
                << " s (procesor programa " << QString::number(clock.cpu, 'f', 2) << " s, "
                << QString::number(clock.cpu * 1e6 / lines, 'f', 1) << " µs na vrstico), "
                << odbcCounters.executes - floorBefore.executes << " izvedb, "
                << odbcCounters.commits - floorBefore.commits << " potrditev"
                << (written == again ? "" : " - VRSTICE SE RAZLIKUJEJO: " + written + " / " + again) << Qt::endl;
            out << "  razmerje kreiranje / spodnja meja: " << QString::number(runSeconds / clock.seconds, 'f', 2)
                << Qt::endl;
        };
        floor("Spodnja meja (INSERT istih vrstic v paketih po 8 KB, paket v transakciji)", writeBatchedFloor);
        floor("Druga spodnja meja (iste vrstice v eni transakciji, INSERT po 1.000 vrstic)", writeMultiRowFloor);
        company.psql("DROP TABLE bench_floor_promet; DROP TABLE bench_floor_prometpoz;");
    }
    company.setKeep(o.keep);
    if (o.keep)
        out << "Baza ostane: " << company.name() << Qt::endl;
    DataSif = nullptr;
    return result.exitCode() == 0 ? 0 : 1;
}
