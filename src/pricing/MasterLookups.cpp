#include "pricing/MasterLookups.h"
#include "data/DataSif.h"
#include "data/MessageException.h"
#include "data/Rounding.h"
#include "pricing/MasterLookupSql.h"
#include "pricing/MasterRecordFields.h"
#include "pricing/PricingGuard.h"

#include <utility>

namespace {

qint64 g_queryCount = 0;

TDataSif& dataModule()
{
    if (!DataSif)
        throw MessageException(QStringLiteral("Podatkovni modul ni ustvarjen"));
    return *DataSif;
}

// Sets the text and runs it on the statement (closed first).
void run(THstmt& q, const QString& sql)
{
    q.Close();
    q.setSQL(sql);
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
    return guardRoutine(QString::fromLatin1(operation), "qQueryFind", false, [&] {
        THstmt& q = dataModule().qQueryFind;
        try {
            run(q, makeSql());
            Rec fresh;
            const bool found = q.FetchNext();
            if (found) {
                readRow(q, fields, fresh);
                fresh.Key = key;
            } else if (absent == AbsentKey::Keep) {
                fresh.Key = key;
            }
            q.Close();
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

double PoisciTecaj(const QString& banka, const QString& valuta, const QDate& datum)
{
    if (banka.isEmpty() || valuta.isEmpty())
        return 1.0;
    return guardRoutine(QStringLiteral("PoisciTecaj"), "", 1.0, [&] {
        THstmt& q = dataModule().qQueryFind;
        try {
            double rate = 1.0;
            run(q, sqlPoisciTecaj(banka, valuta, datum));
            if (q.FetchNext())
                rate = q.ColumnAsFloat(1);
            q.Close();
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
        return PoisciTecajCenik(a, b, datum, ParamAsString(QStringLiteral("BANKACENIK")));
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
