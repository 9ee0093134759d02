#include "pricing/MasterLookups.h"
#include "data/DataSif.h"
#include "data/core/MessageException.h"
#include "data/core/Rounding.h"
#include "pricing/MasterLookupSql.h"
#include "pricing/MasterRecordFields.h"
#include "pricing/PricingGuard.h"

#include <QHash>
#include <QSet>

#include <memory>
#include <typeinfo>
#include <optional>
#include <utility>

namespace {

qint64 g_queryCount = 0;

// An exchange rate kept by a run: bank, currency and day.
struct RateKey {
    QString banka;
    QString valuta;
    qint64 day = 0;
    bool operator==(const RateKey& other) const = default;
};
size_t qHash(const RateKey& key, size_t seed = 0) noexcept { return qHashMulti(seed, key.banka, key.valuta, key.day); }

// The contract rows of one subject (partner or partner type) on one side.
struct ContractKey {
    QString subjekt;
    QString preIzd;
    bool operator==(const ContractKey& other) const = default;
};
size_t qHash(const ContractKey& key, size_t seed = 0) noexcept { return qHashMulti(seed, key.subjekt, key.preIzd); }

// The master data kept by a LookupRunCache.
struct RunCache {
    QHash<QString, std::optional<TMSRec>> ms;
    QHash<QString, std::optional<TPoslDogRec>> poslDog;
    QHash<QString, std::optional<TVrstaMSRec>> vrstaMS;
    QHash<QString, std::optional<TTarStRec>> tarSt;
    QHash<QString, std::optional<TMsFormRec>> msForm;
    // The last few partners only (a document's partner and the business event's default
    // recipient, for instance): the partners change with the documents.
    QHash<QString, std::optional<TSubjRec>> subj;
    QHash<QString, TSubjRec> preloadedSubj;   // the partners of the block of templates at hand
    QHash<RateKey, double> rates;
    QHash<ContractKey, std::vector<SubjCenikRow>> contracts;   // subject and side -> its rows
    qsizetype contractRows = 0;                                 // rows kept in contracts
    // The rows of the partners of the window at hand (preloadContracts), apart from contracts,
    // so that the subjects read on their own (partner types) do not push them out, nor they those.
    QHash<ContractKey, std::vector<SubjCenikRow>> preloadedContracts;
    qsizetype preloadedContractRows = 0;
    // The subjects known to have no rows on a side (so asked for without a statement).
    QSet<ContractKey> withoutContracts;
    // The parameter row's texts as a run first read them.
    QHash<QString, QString> params;
    // side -> the subjects that have rows on it, compared loosely (see looseKey); no entry: not
    // read yet; an empty optional: too many to keep, every subject is asked for.
    QHash<QString, std::optional<QSet<QString>>> contractSubjects;
};
std::unique_ptr<RunCache> g_runCache;
int g_runCacheDepth = 0;
quint64 g_runSerial = 0;   // the number of the last run whose cache was made
bool g_runCacheEnabled = true;
int g_preloadWindow = LookupRunCache::MaxPreloadPartners;

template <class Rec>
QHash<QString, std::optional<Rec>>* runCacheOf()
{
    if (!g_runCache)
        return nullptr;
    if constexpr (std::is_same_v<Rec, TMSRec>)
        return &g_runCache->ms;
    else if constexpr (std::is_same_v<Rec, TPoslDogRec>)
        return &g_runCache->poslDog;
    else if constexpr (std::is_same_v<Rec, TVrstaMSRec>)
        return &g_runCache->vrstaMS;
    else if constexpr (std::is_same_v<Rec, TTarStRec>)
        return &g_runCache->tarSt;
    else if constexpr (std::is_same_v<Rec, TMsFormRec>)
        return &g_runCache->msForm;
    else if constexpr (std::is_same_v<Rec, TSubjRec>)
        return &g_runCache->subj;
    else
        return nullptr;
}

template <class Map, class Key, class Value>
void keep(Map& map, const Key& key, Value&& value, int limit = LookupRunCache::MaxEntries)
{
    if (map.size() >= limit)
        map.clear();
    map.insert(key, std::forward<Value>(value));
}

template <class Rec>
constexpr int runCacheLimit()
{
    return std::is_same_v<Rec, TSubjRec> ? LookupRunCache::MaxPartnerEntries : LookupRunCache::MaxEntries;
}

TDataSif& dataModule()
{
    if (!DataSif)
        throw MessageException(QStringLiteral("Podatkovni modul ni ustvarjen"));
    return *DataSif;
}

// Sets the text and runs it on the statement (closed first). shape: see THstmt::setColumnShape
// (for the lookups that repeat one select list with other keys).
void run(THstmt& q, const QString& sql, const QString& shape = QString())
{
    q.Close();
    q.setSQL(sql);
    q.setColumnShape(shape);
    ++g_queryCount;
    q.Execute();
}

// Copies the current row, column by column in select-list order, into a record.
template <class Rec>
void readRow(THstmt& q, std::span<const RecordField<Rec>> fields, Rec& rec)
{
    int column = 1;
    for (const auto& f : fields) {
        const int n = column++;
        std::visit(
            [&](auto member) {
                using T = std::remove_cvref_t<decltype(rec.*member)>;
                if constexpr (std::is_same_v<T, QString>)
                    rec.*member = q.ColumnAsString(n);
                else if constexpr (std::is_same_v<T, double>)
                    rec.*member = q.ColumnAsFloat(n);
                else if constexpr (std::is_same_v<T, int>)
                    rec.*member = q.ColumnAsInteger(n);
                else {
                    // NULL (the all-zero record) is the date value 0.
                    const DateTimeRecord d = q.ColumnAsDateTime(n);
                    rec.*member = d.isZero() ? QDateTime() : d.toDateTime();
                }
            },
            f.member);
    }
}

enum class AbsentKey { Forget, Keep };

// The cached lookup: the same key as last time answers true at once; otherwise the row is read
// into a fresh record that replaces the current one only when the read succeeded.
template <class Rec, class MakeSql>
bool cachedLookup(const char* operation, Rec& rec, const QString& key, MakeSql&& makeSql,
                  std::span<const RecordField<Rec>> fields, AbsentKey absent)
{
    if (!key.isEmpty() && key == rec.Key)
        return true;
    auto* runCache = runCacheOf<Rec>();
    if constexpr (std::is_same_v<Rec, TSubjRec>) {
        if (g_runCache) {
            const auto it = g_runCache->preloadedSubj.constFind(key);
            if (it != g_runCache->preloadedSubj.constEnd()) {
                rec = *it;
                rec.Key = key;
                return true;
            }
        }
    }
    if (runCache) {
        const auto it = runCache->constFind(key);
        if (it != runCache->constEnd()) {
            if (it->has_value()) {
                rec = **it;
                return true;
            }
            Rec absentRec;
            if (absent == AbsentKey::Keep)
                absentRec.Key = key;
            rec = std::move(absentRec);
            return false;
        }
    }
    return guardRoutine(QString::fromLatin1(operation), "qQueryFind", false, [&] {
        THstmt& q = dataModule().qQueryFind;
        try {
            static const QString shape = QString::fromLatin1(typeid(Rec).name());
            run(q, makeSql(), shape);
            Rec fresh;
            const bool found = q.FetchNext();
            if (found) {
                readRow(q, fields, fresh);
                fresh.Key = key;
            } else if (absent == AbsentKey::Keep) {
                fresh.Key = key;
            }
            q.Close();
            if (runCache)
                keep(*runCache, key, found ? std::optional<Rec>(fresh) : std::nullopt, runCacheLimit<Rec>());
            rec = std::move(fresh);
            return found;
        } catch (...) {
            q.Close();
            throw;
        }
    });
}

SqlDialect::Kind lookupDialect()
{
    const THdbc* c = DataSif ? DataSif->qQueryFind.hDbc() : nullptr;
    return c ? c->dialect().kind() : SqlDialect::Kind::SqlServer;
}

} // namespace

bool FindMS(const QString& ident)
{
    return cachedLookup(
        "FindVrstaMS", MSRec, ident, [&] { return sqlFindMS(ident); }, msRecFields(), AbsentKey::Forget);
}

bool FindSubj(const QString& naziv)
{
    return cachedLookup(
        "FindSubj", SubjRec, naziv, [&] { return sqlFindSubj(naziv, lookupDialect()); }, subjRecFields(),
        AbsentKey::Forget);
}

bool FindPoslDog(const QString& poslDog)
{
    return cachedLookup(
        "FindPosta", PoslDogRec, poslDog, [&] { return sqlFindPoslDog(poslDog); }, poslDogRecFields(),
        AbsentKey::Keep);
}

bool FindVrstaMS(const QString& vrstaMS)
{
    return cachedLookup(
        "FindVrstaMS", VrstaMSRec, vrstaMS, [&] { return sqlFindVrstaMS(vrstaMS); }, vrstaMSRecFields(),
        AbsentKey::Forget);
}

bool FindTarSt(const QString& ts)
{
    return cachedLookup(
        "FindVrstaMS", TarStRec, ts, [&] { return sqlFindTarSt(ts); }, tarStRecFields(), AbsentKey::Forget);
}

bool FindMsForm(const QString& sifra)
{
    return cachedLookup(
        "FindMsForm", MsFormRec, sifra, [&] { return sqlFindMsForm(sifra); }, msFormRecFields(),
        AbsentKey::Forget);
}

bool FindSubjCenik(const QString& subjekt, const QString& ident, const QString& preIzd)
{
    return guardRoutine(QStringLiteral("FindSubjCenik"), "qFindSubjCenik", false, [&] {
        THstmt& q = dataModule().qFindSubjCenik;
        run(q, sqlFindSubjCenik(subjekt, ident, preIzd));
        return q.FetchNext();   // the statement stays on the row
    });
}

int FindSubjCenikFirst(const std::vector<std::pair<QString, QString>>& pairs, const QString& preIzd)
{
    if (pairs.empty())
        return -1;
    return guardRoutine(QStringLiteral("FindSubjCenik"), "qFindSubjCenik", -1, [&] {
        THstmt& q = dataModule().qFindSubjCenik;
        run(q, sqlFindSubjCenikFirst(pairs, preIzd));
        if (!q.FetchNext())
            return -1;   // the statement is closed at its end
        return q.ColumnAsInteger(SubjCenikCol::RokPlacila + 1);
    });
}

namespace {

SubjCenikRow readSubjCenikRow(THstmt& q)
{
    SubjCenikRow r;
    r.Subjekt = q.ColumnAsString(SubjCenikCol::Subjekt);
    r.Ident = q.ColumnAsString(SubjCenikCol::Ident);
    r.PreIzd = q.ColumnAsString(SubjCenikCol::PreIzd);
    r.Tip = q.ColumnAsString(SubjCenikCol::Tip);
    r.Valuta = q.ColumnAsString(SubjCenikCol::Valuta);
    r.Cena = q.ColumnAsFloat(SubjCenikCol::Cena);
    r.Rabat = q.ColumnAsFloat(SubjCenikCol::Rabat);
    r.Formula = q.ColumnAsString(SubjCenikCol::Formula);
    r.DobavniRok = q.ColumnAsInteger(SubjCenikCol::DobavniRok);
    r.RokPlacila = q.ColumnAsInteger(SubjCenikCol::RokPlacila);
    return r;
}

QStringView withoutTrailingBlanks(QStringView s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return s.first(n);
}

// A name as a server that ignores case and trailing blanks compares it: two names that such a
// server may find equal have the same loose key.
QString looseKey(const QString& s) { return withoutTrailingBlanks(s).toString().toCaseFolded(); }

// Whether the subject may have rows on the side: false only when the list of subjects with
// rows (read once per side and run) does not name it, even loosely.
bool mayHaveContractRows(const QString& subjekt, const QString& preIzd)
{
    auto& known = g_runCache->contractSubjects;
    auto it = known.find(preIzd);
    if (it == known.end()) {
        std::optional<QSet<QString>> subjects;
        guardRoutine(QStringLiteral("FindSubjCenik"), "qFindSubjCenik", [&] {
            THstmt& q = dataModule().qFindSubjCenik;
            run(q, sqlSubjCenikSubjects(preIzd));
            QSet<QString> names;
            bool tooMany = false;
            while (q.FetchNext()) {
                if (names.size() >= LookupRunCache::MaxEntries)
                    tooMany = true;
                if (!tooMany)
                    names.insert(looseKey(q.ColumnAsString(1)));
            }
            if (!tooMany)
                subjects = std::move(names);
        });
        it = known.insert(preIzd, std::move(subjects));
    }
    return !it->has_value() || (*it)->contains(looseKey(subjekt));
}

// The rows of one subject and side, read once per run (nullptr after a failure, logged).
const std::vector<SubjCenikRow>* contractRowsOf(const QString& subjekt, const QString& preIzd)
{
    static const std::vector<SubjCenikRow> none;
    ContractKey key{subjekt, preIzd};
    const auto preloaded = g_runCache->preloadedContracts.constFind(key);
    if (preloaded != g_runCache->preloadedContracts.constEnd())
        return &*preloaded;
    auto& contracts = g_runCache->contracts;
    const auto it = contracts.constFind(key);
    if (it != contracts.constEnd())
        return &*it;
    if (g_runCache->withoutContracts.contains(key))
        return &none;
    if (!mayHaveContractRows(subjekt, preIzd)) {
        auto& without = g_runCache->withoutContracts;
        if (without.size() >= LookupRunCache::MaxEntries)
            without.clear();
        without.insert(std::move(key));
        return &none;
    }
    bool ok = false;
    std::vector<SubjCenikRow> rows;
    guardRoutine(QStringLiteral("FindSubjCenik"), "qFindSubjCenik", [&] {
        THstmt& q = dataModule().qFindSubjCenik;
        static const QString shape = QStringLiteral("SubjektCenik rows");
        run(q, sqlSubjCenikRows(subjekt, preIzd), shape);
        while (q.FetchNext())
            rows.push_back(readSubjCenikRow(q));
        ok = true;
    });
    if (!ok)
        return nullptr;
    g_runCache->contractRows += qsizetype(rows.size());
    if (contracts.size() >= MaxContractSubjects || g_runCache->contractRows > LookupRunCache::MaxEntries) {
        contracts.clear();
        g_runCache->contractRows = qsizetype(rows.size());
    }
    return &*contracts.insert(std::move(key), std::move(rows));
}

} // namespace

std::pair<int, SubjCenikRow> FindSubjCenikRow(const std::vector<std::pair<QString, QString>>& pairs,
                                              const QString& preIzd)
{
    const auto fromServer = [&]() -> std::pair<int, SubjCenikRow> {
        const int i = FindSubjCenikFirst(pairs, preIzd);
        if (i < 0)
            return {-1, {}};
        return {i, readSubjCenikRow(dataModule().qFindSubjCenik)};
    };
    if (!g_runCache)
        return fromServer();
    for (size_t i = 0; i < pairs.size(); ++i) {
        const std::vector<SubjCenikRow>* rows = contractRowsOf(pairs[i].first, preIzd);
        if (!rows)
            return fromServer();
        const QStringView wanted = withoutTrailingBlanks(pairs[i].second);
        for (const SubjCenikRow& r : *rows) {
            if (r.Ident == pairs[i].second)
                return {int(i), r};
            // Equal only to a server that ignores case or trailing blanks: the server decides.
            if (withoutTrailingBlanks(r.Ident).compare(wanted, Qt::CaseInsensitive) == 0)
                return fromServer();
        }
    }
    return {-1, {}};
}

double PoisciTecaj(const QString& banka, const QString& valuta, const QDate& datum)
{
    if (banka.isEmpty() || valuta.isEmpty())
        return 1.0;
    RateKey cacheKey;
    if (g_runCache) {
        cacheKey = RateKey{banka, valuta, datum.toJulianDay()};
        const auto it = g_runCache->rates.constFind(cacheKey);
        if (it != g_runCache->rates.constEnd())
            return *it;
    }
    return guardRoutine(QStringLiteral("PoisciTecaj"), "", 1.0, [&] {
        THstmt& q = dataModule().qQueryFind;
        try {
            double rate = 1.0;
            run(q, sqlPoisciTecaj(banka, valuta, datum));
            if (q.FetchNext())
                rate = q.ColumnAsFloat(1);
            q.Close();
            if (g_runCache)
                keep(g_runCache->rates, cacheKey, rate);
            return rate;
        } catch (...) {
            q.Close();
            throw;
        }
    });
}

double PoisciTecajCenik(const QString& a, const QString& b, const QDate& datum, const QString& banka)
{
    if (a == b)
        return 1.0;
    return guardRoutine(QStringLiteral("PoisciTecajCenik"), "", 1.0, [&] {
        const double rateA = PoisciTecaj(banka, a, datum);
        const double rateB = PoisciTecaj(banka, b, datum);
        return DivT(rateA, rateB);
    });
}

double PoisciTecajCenik(const QString& a, const QString& b, const QDate& datum)
{
    if (a == b)
        return 1.0;
    return guardRoutine(QStringLiteral("PoisciTecajCenik"), "", 1.0, [&] {
        return PoisciTecajCenik(a, b, datum, RunParamAsString(QStringLiteral("BANKACENIK")));
    });
}

void PoisciKontOs(const QString& subjekt, QString& kontOseba)
{
    kontOseba.clear();
    guardRoutine(QStringLiteral("PoisciKontOs"), "", [&] {
        THstmt& q = dataModule().qQueryFind;
        try {
            run(q, sqlPoisciKontOs(subjekt));
            if (q.FetchNext())
                kontOseba = q.ColumnAsString(1);
            q.Close();
        } catch (...) {
            q.Close();
            throw;
        }
    });
}

void TestSubjekt(const QString& naziv)
{
    guardRoutine(QStringLiteral("TestSubjekt"), "", [&] { FindSubj(naziv); });
}

qint64 lookupQueryCount() { return g_queryCount; }

QString RunParamAsString(const QString& field)
{
    if (!g_runCache)
        return ParamAsString(field);
    auto& params = g_runCache->params;
    const auto it = params.constFind(field);
    if (it != params.constEnd())
        return *it;
    return *params.insert(field, ParamAsString(field));
}

LookupRunCache::LookupRunCache()
{
    if (g_runCacheDepth++ == 0 && g_runCacheEnabled) {
        g_runCache = std::make_unique<RunCache>();
        ++g_runSerial;
    }
}

LookupRunCache::~LookupRunCache()
{
    if (--g_runCacheDepth == 0)
        g_runCache.reset();
}

bool LookupRunCache::active() { return g_runCache != nullptr; }
quint64 LookupRunCache::currentRun() { return g_runCache ? g_runSerial : 0; }

void LookupRunCache::preloadPartners(const QStringList& names)
{
    if (!g_runCache)
        return;
    g_runCache->preloadedSubj.clear();
    QStringList wanted;
    QSet<QString> seen;
    for (const QString& n : names)
        if (!n.isEmpty() && !seen.contains(n)) {
            if (wanted.size() >= g_preloadWindow)
                break;   // past the window: asked for by FindSubj (or in the next window)
            seen.insert(n);
            wanted << n;
        }
    if (wanted.isEmpty())
        return;
    guardRoutine(QStringLiteral("FindSubj"), "qQueryFind", [&] {
        THstmt& q = dataModule().qQueryFind;
        try {
            run(q, sqlFindSubjIn(wanted, lookupDialect()));
            const auto fields = subjRecFields();
            const int nameColumn = int(fields.size()) + 1;
            while (q.FetchNext()) {
                TSubjRec rec;
                readRow(q, fields, rec);
                g_runCache->preloadedSubj.insert(q.ColumnAsString(nameColumn), std::move(rec));
            }
            q.Close();
        } catch (...) {
            q.Close();
            g_runCache->preloadedSubj.clear();
            throw;
        }
    });
}
void LookupRunCache::preloadContracts(const QStringList& names, const QString& preIzd)
{
    if (!g_runCache)
        return;
    auto& preloaded = g_runCache->preloadedContracts;
    const auto keyOf = [&](const QString& subjekt) { return ContractKey{subjekt, preIzd}; };
    QStringList wanted;
    QSet<QString> seen;
    for (const QString& n : names)
        if (!n.isEmpty() && !seen.contains(n)) {
            seen.insert(n);
            if (!preloaded.contains(keyOf(n)) && !g_runCache->contracts.contains(keyOf(n))
                && mayHaveContractRows(n, preIzd))
                wanted << n;
        }
    // The partners of the window before on this side that this one does not name make room.
    for (auto it = preloaded.begin(); it != preloaded.end();) {
        if (it.key().preIzd == preIzd && !seen.contains(it.key().subjekt)) {
            g_runCache->preloadedContractRows -= qsizetype(it->size());
            it = preloaded.erase(it);
        } else {
            ++it;
        }
    }
    // At most MaxContractSubjects names to a statement.
    for (qsizetype from = 0; from < wanted.size(); from += MaxContractSubjects) {
        const QStringList part = wanted.mid(from, MaxContractSubjects);
        const QSet<QString> inPart(part.cbegin(), part.cend());
        QHash<QString, std::vector<SubjCenikRow>> rows;
        QSet<QString> unsure;   // loose keys of names the server matched otherwise than as written
        bool ok = false;
        guardRoutine(QStringLiteral("FindSubjCenik"), "qFindSubjCenik", [&] {
            THstmt& q = dataModule().qFindSubjCenik;
            static const QString shape = QStringLiteral("SubjektCenik rows");
            run(q, sqlSubjCenikRowsIn(part, preIzd), shape);
            while (q.FetchNext()) {
                SubjCenikRow r = readSubjCenikRow(q);
                if (inPart.contains(r.Subjekt))
                    rows[r.Subjekt].push_back(std::move(r));
                else
                    unsure.insert(looseKey(r.Subjekt));
            }
            q.Close();
            ok = true;
        });
        if (!ok)
            return;
        for (const QString& n : part) {
            if (unsure.contains(looseKey(n)))
                continue;
            std::vector<SubjCenikRow> own = rows.take(n);
            if (g_runCache->preloadedContractRows + qsizetype(own.size()) > MaxEntries)
                continue;   // more rows than the cache keeps: read on their own when needed
            g_runCache->preloadedContractRows += qsizetype(own.size());
            preloaded.insert(keyOf(n), std::move(own));
        }
    }
}

const TSubjRec* LookupRunCache::preloadedPartner(const QString& name)
{
    if (!g_runCache)
        return nullptr;
    const auto it = g_runCache->preloadedSubj.constFind(name);
    return it == g_runCache->preloadedSubj.constEnd() ? nullptr : &*it;
}

void LookupRunCache::preloadItems(const QStringList& idents)
{
    if (!g_runCache)
        return;
    auto& ms = g_runCache->ms;
    QStringList wanted;
    QSet<QString> seen;
    for (const QString& ident : idents)
        if (!ident.isEmpty() && !ident.contains(QLatin1Char('%')) && !ms.contains(ident) && !seen.contains(ident)) {
            seen.insert(ident);
            wanted << ident;
        }
    // Within the cache's cap: the codes past it are read by FindMS (which starts the cache anew).
    wanted.resize(qBound(qsizetype(0), qsizetype(MaxEntries) - ms.size(), wanted.size()));
    for (qsizetype from = 0; from < wanted.size(); from += MaxPreloadItems) {
        const QStringList window = wanted.mid(from, MaxPreloadItems);
        const bool ok = guardRoutine(QStringLiteral("FindVrstaMS"), "qQueryFind", false, [&] {
            THstmt& q = dataModule().qQueryFind;
            try {
                run(q, sqlFindMSIn(window));
                const auto fields = msRecFields();
                const int identColumn = int(fields.size()) + 1;
                QHash<QString, TMSRec> found;
                QSet<QString> twice;
                while (q.FetchNext()) {
                    TMSRec rec;
                    readRow(q, fields, rec);   // the columns in order, then the code matched
                    const QString ident = q.ColumnAsString(identColumn);
                    if (!seen.contains(ident))
                        continue;   // matched ignoring case or trailing blanks: FindMS asks
                    if (found.contains(ident)) {
                        twice.insert(ident);   // which row FindMS would take is the server's choice
                        continue;
                    }
                    rec.Key = ident;
                    found.insert(ident, std::move(rec));
                }
                q.Close();
                for (const QString& ident : window)
                    if (!twice.contains(ident))
                        if (auto it = found.find(ident); it != found.end())
                            ms.insert(ident, std::optional<TMSRec>(std::move(*it)));
                return true;
            } catch (...) {
                q.Close();
                throw;
            }
        });
        if (!ok)
            return;   // the rest are read one by one
    }
}

int LookupRunCache::preloadWindow() { return g_preloadWindow; }
void LookupRunCache::setPreloadWindow(int partners) { g_preloadWindow = qBound(1, partners, MaxPreloadPartners); }

QString LookupRunCache::contractListSide(const QString& side)
{
    return side.startsWith(QLatin1Char('I')) ? QStringLiteral("P") : QStringLiteral("N");
}

void LookupRunCache::setEnabled(bool enabled) { g_runCacheEnabled = enabled; }
bool LookupRunCache::enabled() { return g_runCacheEnabled; }
