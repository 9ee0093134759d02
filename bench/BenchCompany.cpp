#include "BenchCompany.h"

#include <QProcess>
#include <QProcessEnvironment>

#include <cmath>
#include <stdexcept>

namespace {
QString environment(const char* name, const char* fallback)
{
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? QString::fromUtf8(fallback) : v;
}
} // namespace

QString BenchCompany::socketDir() { return environment("PGHOST", "/tmp/obdrac-dev/pg/socket"); }
QString BenchCompany::port() { return environment("PGPORT", "55434"); }

QString BenchCompany::psqlOn(const QString& database, const QString& sql)
{
    QProcess p;
    p.start(QStringLiteral("psql"), {"-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1", "-h", socketDir(), "-p", port(),
                                     "-U", "postgres", "-d", database});
    if (!p.waitForStarted(30000))
        throw std::runtime_error("psql does not start");
    p.write(sql.toUtf8());
    p.closeWriteChannel();
    if (!p.waitForFinished(3600000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error(("psql failed: " + QString::fromUtf8(p.readAllStandardError())).toStdString());
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString BenchCompany::psql(const QString& sql) const { return psqlOn(m_name, sql); }

BenchCompany::BenchCompany(const QString& name, int documents, int lines) : m_name(name), m_lines(lines)
{
    m_typeTemplates = std::max(1, int(std::lround(documents * 0.2 / 6.0)));
    m_singles = std::max(1, documents - 6 * m_typeTemplates);
    psqlOn("postgres", QString("DROP DATABASE IF EXISTS %1 WITH (FORCE); CREATE DATABASE %1 TEMPLATE obdrac_template OWNER obdrac;")
                           .arg(m_name));
    build();
}

BenchCompany::~BenchCompany()
{
    if (m_keep)
        return;
    try {
        psqlOn("postgres", QString("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    } catch (...) {
    }
}

QStringList BenchCompany::connectAttributes() const
{
    QStringList a{"DRIVER=SQL Server", "SERVER=" + socketDir(), "PORT=" + port(), "DATABASE=" + m_name, "UID=obdrac",
                  "PWD=obdrac", "ByteaAsLongVarBinary=1"};
    const QString extra = qEnvironmentVariable("BENCH_ODBC_EXTRA");
    if (!extra.isEmpty())
        a << extra.split(';', Qt::SkipEmptyParts);
    return a;
}

void BenchCompany::settle() const
{
    // Written pages of the set-up are flushed now, not by a checkpoint in the middle of what is
    // measured next.
    psqlOn("postgres", "CHECKPOINT");
}

void BenchCompany::resetDocuments() const
{
    psql("DELETE FROM PrometPoz; DELETE FROM Promet; DELETE FROM NarocPoz; DELETE FROM Naroc;"
         "UPDATE Obdrac SET DatZadFak = NULL; VACUUM ANALYZE Promet; VACUUM ANALYZE PrometPoz; VACUUM ANALYZE Obdrac;");
}

// The demo company's master data stays (business events, tax rates, formulas, exchange rates,
// its items and contract prices); on top of it:
//  - partners "Kupec 000001 d.o.o." ...: one per single-partner template; the first six per
//    partner type also belong to a type BT0000 ...; every tenth one buys in US dollars without
//    tax, the price classes go round 1 to 3, discounts 0 to 3 %;
//  - items: every active demo item five times more (Ident + "-1" ... "-5"), so that prices,
//    formulas, excise, currencies and tax rates of the demo come in all shapes;
//  - contract prices: every fourth partner a contract price for the item of its first line,
//    every eighth a formula row ("POG", contract price + 2 %) for its second line, every type a
//    10 % discount on the classification of maintenance services;
//  - templates: one per partner (business events 10, 11, 12 in the ratio 14:3:3, every tenth
//    with the template's own prices), one per partner type (event 10); all due, never invoiced,
//    with `lines` lines each. A document key numbers at most 99,999 documents of an event in a
//    year, so past 60,000 documents the templates go round events 10, 11, 12 and copies of
//    event 10 named B0, B1, ... (one more for every further 60,000).
void BenchCompany::build()
{
    const QString sql = QString::fromUtf8(R"SQL(
SET client_min_messages = warning;
DELETE FROM ObdracPoz; DELETE FROM Obdrac; DELETE FROM PrometPoz; DELETE FROM Promet;
DELETE FROM NarocPoz; DELETE FROM Naroc;

INSERT INTO TipPartnerja (TipPartnerja, Naziv, UserZap, UserSpre)
SELECT 'BT' || lpad(t::text, 4, '0'), 'Tip ' || t, '00', '00' FROM generate_series(0, {T} - 1) t;

INSERT INTO Subjekt (Naziv, Naslov, Posta, Drzava, Kupec, Dobavitelj, TipPartnerjaO, TipPartnerjaI, CenRazred,
                     Rabat, NacIzrCene, NacProdaje, Valuta, DniZaPlac, NacinPlac, Dostava, Izjava, Referent,
                     Oddelek, VodZaloge, UserZap, UserSpre)
SELECT 'Kupec ' || lpad(n::text, 6, '0') || ' d.o.o.', 'Ulica ' || n, '1000 Ljubljana', 'Slovenija', 'T', 'F',
       CASE WHEN n <= 6 * {T} THEN 'BT' || lpad(((n - 1) % {T})::text, 4, '0') ELSE 'VEL' END, '',
       (1 + n % 3)::text, (n % 4)::numeric, '',
       CASE WHEN n % 10 = 0 THEN 'I' ELSE 'K' END, CASE WHEN n % 10 = 0 THEN 'USD' ELSE 'EUR' END,
       15 + n % 30, 'TRR', 'FCO', '', CASE WHEN n % 2 = 0 THEN '01' ELSE '02' END, '', '', '00', '00'
FROM generate_series(1, greatest({S}, 6 * {T})) n;

CREATE TEMP TABLE pd_more AS
SELECT p.*, k AS bench_k FROM PoslDog p, generate_series(1, {E}) k WHERE p.PoslDog = '10';
UPDATE pd_more SET PoslDog = 'B' || (bench_k - 1);
ALTER TABLE pd_more DROP COLUMN bench_k;
INSERT INTO PoslDog SELECT * FROM pd_more;

CREATE TEMP TABLE ms_more AS
SELECT m.*, k AS bench_k FROM MS m, generate_series(1, 5) k WHERE m.Aktivno = 'T';
UPDATE ms_more SET Ident = Ident || '-' || bench_k, Naziv = left(Naziv, 36) || ' ' || bench_k,
                   VPCena = round((VPCena * (1 + bench_k / 20.0))::numeric, 2);
ALTER TABLE ms_more DROP COLUMN bench_k;
INSERT INTO MS SELECT * FROM ms_more;

CREATE TEMP TABLE items AS
SELECT row_number() OVER (ORDER BY Ident) - 1 AS idx, Ident, Naziv, VPCena FROM MS WHERE Aktivno = 'T';
CREATE TEMP TABLE item_count AS SELECT count(*)::int AS n FROM items;

CREATE TEMP TABLE tmpl AS
SELECT n, 'B' || lpad(n::text, 8, '0') AS kljuc, 'Kupec ' || lpad(n::text, 6, '0') || ' d.o.o.' AS subjekt,
       'P' AS tip,
       {SINGLE_EVENT} AS posldogfak,
       CASE WHEN n % 10 = 3 THEN 'F' ELSE 'T' END AS nacizrcene
FROM generate_series(1, {S}) n
UNION ALL
SELECT {S} + 1 + t, 'T' || lpad(t::text, 8, '0'), 'BT' || lpad(t::text, 4, '0'), 'T', {TYPE_EVENT}, 'T'
FROM generate_series(0, {T} - 1) t;

INSERT INTO Obdrac (Kljuc, PoslDog, Datum, Subjekt, Tip, Periodika, NacIzrCene, DatZadFak, PoslDogFak, Valuta,
                    StevObrokov, Aktivno, DatumZak, UserZap, UserSpre)
SELECT kljuc, 'G1', '2025/01/01', subjekt, tip, 30, nacizrcene, NULL, posldogfak, 'EUR', 0, 'T', NULL, '01', '01'
FROM tmpl;

INSERT INTO ObdracPoz (Kljuc, Poz, Ident, Naziv, Kolicina, Cena, Rabat, Opomba, UserZap, UserSpre)
SELECT t.kljuc, j * 5, i.Ident, i.Naziv, 1 + (t.n + j) % 12, coalesce(i.VPCena, 10), (t.n + j) % 3,
       'Periodika ' || t.n || ', vrstica ' || j, '01', '01'
FROM tmpl t CROSS JOIN generate_series(1, {L}) j
JOIN items i ON i.idx = (t.n * 7 + j * 13) % (SELECT n FROM item_count);

INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok, RokPlacila,
                          UserZap, UserSpre)
SELECT t.subjekt, i.Ident, 'P', 'S', 'EUR', round((coalesce(i.VPCena, 10) * 0.9)::numeric, 2), 2, '', 0, 30, '00', '00'
FROM tmpl t JOIN items i ON i.idx = (t.n * 7 + 13) % (SELECT n FROM item_count)
WHERE t.tip = 'P' AND t.n % 4 = 0
ON CONFLICT DO NOTHING;
INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok, RokPlacila,
                          UserZap, UserSpre)
SELECT t.subjekt, i.Ident, 'P', 'S', 'EUR', round((coalesce(i.VPCena, 10) * 0.95)::numeric, 2), 0, 'POG', 0, 30,
       '00', '00'
FROM tmpl t JOIN items i ON i.idx = (t.n * 7 + 26) % (SELECT n FROM item_count)
WHERE t.tip = 'P' AND t.n % 8 = 0
ON CONFLICT DO NOTHING;
INSERT INTO SubjektCenik (Subjekt, Ident, PreIzd, Tip, Valuta, Cena, Rabat, Formula, DobavniRok, RokPlacila,
                          UserZap, UserSpre)
SELECT 'BT' || lpad(t::text, 4, '0'), 'STOR', 'P', 'T', 'EUR', 0, 10, '', 0, 30, '00', '00'
FROM generate_series(0, {T} - 1) t;

-- Exchange rates of today for the documents and the price lists.
INSERT INTO Tecaj (Banka, Valuta, Datum, Tecaj, UserZap, UserSpre)
SELECT b, v, CURRENT_DATE, r, '00', '00'
FROM (VALUES ('BSI', 'USD', 0.91), ('NLB', 'USD', 0.905), ('BSI', 'GBP', 1.16), ('NLB', 'GBP', 1.155)) x(b, v, r)
ON CONFLICT DO NOTHING;

VACUUM ANALYZE;
)SQL")
                            .replace("{S}", QString::number(m_singles))
                            .replace("{T}", QString::number(m_typeTemplates))
                            .replace("{L}", QString::number(m_lines))
                            .replace("{E}", QString::number(expectedDocuments() / 60000))
                            .replace("{SINGLE_EVENT}", eventExpression(false))
                            .replace("{TYPE_EVENT}", eventExpression(true));
    psql(sql);
}

// The business event of a single-partner template n and of a partner-type template t (SQL).
QString BenchCompany::eventExpression(bool typeTemplate) const
{
    const int extra = expectedDocuments() / 60000;
    if (extra == 0)
        return typeTemplate ? QStringLiteral("'10'")
                            : QStringLiteral("CASE WHEN n % 20 < 14 THEN '10' WHEN n % 20 < 17 THEN '11' ELSE '12' END");
    QStringList codes{"'10'", "'11'", "'12'"};
    for (int i = 0; i < extra; ++i)
        codes << QStringLiteral("'B%1'").arg(i);
    return QStringLiteral("(ARRAY[%1])[1 + %2 % %3]").arg(codes.join(','), typeTemplate ? "t" : "n").arg(codes.size());
}
