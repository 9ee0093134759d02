#pragma once
#include "pricing/MasterRecords.h"

#include <QDate>
#include <QDateTime>
#include <QString>

#include <utility>
#include <vector>

// Master-data lookups: the one place where the suite's master tables are read. Each lookup runs
// one SELECT on a shared statement of the data module (DataSif) and copies the first row into a
// program-wide current record (MasterRecords.h).
//
// Cached lookups (FindMS, FindSubj, FindPoslDog, FindVrstaMS, FindTarSt, FindMsForm) keep the
// key of their last successful read in the record's Key: a call with the same key (exact,
// case-sensitive) returns true at once without a query. A key that is not found empties the
// record and its Key, so that the next call asks again; FindPoslDog instead keeps the absent
// code as its Key, so that a second call with the same code returns true with the empty record.
// An empty key is never taken from the cache.
//
// Nothing is reported when a key is not found: false is the answer. A database failure is
// reported to the error log under the lookup's operation name; the Find lookups then return false
// and leave their record and Key as they were, the exchange-rate functions give 1.0 and
// PoisciKontOs an empty contact person.
//
// Not re-entrant: every lookup but FindSubjCenik uses the statement qQueryFind, and all share one
// set of records. GUI thread only.

// Item by code, or by a LIKE pattern (a key holding "%"): the first matching item in code order;
// the pattern itself is then the cached key. Fills MSRec. Error-log operation "FindVrstaMS".
bool FindMS(const QString& ident);
// Partner by name. Fills SubjRec. Error-log operation "FindSubj".
bool FindSubj(const QString& naziv);
// Business event by code. Fills PoslDogRec. Error-log operation "FindPosta".
bool FindPoslDog(const QString& poslDog);
// Item kind by code. Fills VrstaMSRec. Error-log operation "FindVrstaMS".
bool FindVrstaMS(const QString& vrstaMS);
// Tax rate by code TS. Fills TarStRec. Error-log operation "FindVrstaMS".
bool FindTarSt(const QString& ts);
// Price formula by code Sifra. Fills MsFormRec. Error-log operation "FindMsForm".
bool FindMsForm(const QString& sifra);

// Contract price-list row for (partner or partner type, item code or classification, side "P"
// sale / "N" purchase). Not cached and not copied: on true the statement DataSif->qFindSubjCenik
// stands on the row until the next FindSubjCenik; read it by the column numbers below.
// Error-log operation "FindSubjCenik".
bool FindSubjCenik(const QString& subjekt, const QString& ident, const QString& preIzd);

// The first of several (subject, item code or classification) pairs that has a contract
// price-list row on side preIzd, in the order given: one statement for all the tries that the
// price determination makes one after another (partner and item, partner and classification,
// partner type and item, partner type and classification). Returns the index of the pair found,
// or -1; the statement DataSif->qFindSubjCenik then stands on that row (columns as below).
// Error-log operation "FindSubjCenik" (a failure gives -1).
int FindSubjCenikFirst(const std::vector<std::pair<QString, QString>>& pairs, const QString& preIzd);

// A contract price-list row.
struct SubjCenikRow {
    QString Subjekt;
    QString Ident;
    QString PreIzd;
    QString Tip;
    QString Valuta;
    double Cena = 0.0;
    double Rabat = 0.0;
    QString Formula;
    int DobavniRok = 0;
    int RokPlacila = 0;
};

// The same answer as FindSubjCenikFirst, as the pair's index and a copy of its row (index -1
// when no pair has one). Within a LookupRunCache the rows of each subject (partner or partner
// type) and side are read once and the pairs are matched in memory; a row whose Ident equals a
// wanted code only when case or trailing blanks are ignored (as some servers compare) is left to
// the server, by FindSubjCenikFirst. The subjects that have rows at all are read once per side,
// so that a partner without contract rows costs no statement (and, remembered, no search when
// asked again). The rows of at most MaxContractSubjects subjects (and LookupRunCache::MaxEntries
// rows) are kept, besides those of the partners preloaded last (LookupRunCache::preloadContracts,
// as many again at most), and at most LookupRunCache::MaxEntries subjects without rows are
// remembered.
// Error-log operation "FindSubjCenik".
std::pair<int, SubjCenikRow> FindSubjCenikRow(const std::vector<std::pair<QString, QString>>& pairs,
                                              const QString& preIzd);
inline constexpr int MaxContractSubjects = 1000;

// Column numbers of the row that FindSubjCenik leaves on qFindSubjCenik.
namespace SubjCenikCol {
inline constexpr int Subjekt = 1;
inline constexpr int Ident = 2;
inline constexpr int PreIzd = 3;   // "P" sale, "N" purchase
inline constexpr int Tip = 4;
inline constexpr int Valuta = 5;
inline constexpr int Cena = 6;
inline constexpr int Rabat = 7;
inline constexpr int Formula = 8;  // a formula code (MsFormula.Sifra)
inline constexpr int DobavniRok = 9;
inline constexpr int RokPlacila = 10;
}

// The rate of currency valuta at bank banka: the latest one dated on or before the date. 1.0 when
// the bank or the currency is empty (no query), when no such rate exists, and after a failure.
// Error-log operation "PoisciTecaj".
double PoisciTecaj(const QString& banka, const QString& valuta, const QDate& datum);
inline double PoisciTecaj(const QString& banka, const QString& valuta, const QDateTime& datum)
{
    return PoisciTecaj(banka, valuta, datum.date());
}

// The factor that turns an amount in currency a into an amount in currency b on the date: 1.0
// when a equals b (no query); otherwise rate(a) / rate(b) at the price-list bank (parameter
// BANKACENIK), 0 when the rate of b is 0. 1.0 after a failure. Error-log operation
// "PoisciTecajCenik".
double PoisciTecajCenik(const QString& a, const QString& b, const QDate& datum);
inline double PoisciTecajCenik(const QString& a, const QString& b, const QDateTime& datum)
{
    return PoisciTecajCenik(a, b, datum.date());
}
// The same at the given bank instead of the parameter BANKACENIK.
double PoisciTecajCenik(const QString& a, const QString& b, const QDate& datum, const QString& banka);

// The partner's contact person with the lowest position, or empty. Error-log operation
// "PoisciKontOs".
void PoisciKontOs(const QString& subjekt, QString& kontOseba);
inline QString PoisciKontOs(const QString& subjekt)
{
    QString kontOseba;
    PoisciKontOs(subjekt, kontOseba);
    return kontOseba;
}

// Loads the partner into SubjRec through FindSubj; the result is not looked at (a partner that
// does not exist leaves SubjRec empty). Error-log operation "TestSubjekt".
void TestSubjekt(const QString& naziv);

// The master data of one command run (the document runs, the listing): while an object of this
// class lives, the cached lookups (FindMS, FindPoslDog, FindVrstaMS, FindTarSt, FindMsForm) and
// the exchange rates (PoisciTecaj) keep every key they have read, found or not, instead of only
// the last one, so that a run reads each item, tax rate, formula, business event and rate once.
// A run reads the master data as it was when it first needed each row; the answers are the
// same as without the cache as long as nobody changes that master data during the run. Partners
// change with the documents, and the memory of a run must not grow with the number of its
// documents: only the last MaxPartnerEntries partners are kept, contract price lists per subject
// as FindSubjCenikRow says, contact persons not at all. Each table keeps at most MaxEntries keys
// (past that its cache starts anew). Scopes may nest; the outermost one owns the cache. GUI
// thread only.
class LookupRunCache {
public:
    LookupRunCache();
    ~LookupRunCache();
    LookupRunCache(const LookupRunCache&) = delete;
    LookupRunCache& operator=(const LookupRunCache&) = delete;

    static constexpr int MaxEntries = 20000;
    static constexpr int MaxPartnerEntries = 16;

    // Reads the partners of the names (the first preloadWindow() distinct ones: a window of the
    // partners whose documents are built next) in one statement, so that FindSubj finds each of
    // them without a statement of its own; they replace the partners preloaded before. Only
    // names found exactly as written are taken from there; FindSubj asks the server for every
    // other name (and for the names past the window). Nothing outside a run. Failures are logged
    // as "FindSubj" (FindSubj then asks as usual).
    static void preloadPartners(const QStringList& names);
    // Reads the contract price-list rows of the side for the subjects of the names (partners and
    // partner types: of the distinct names, those that have rows on it and whose rows are not
    // kept yet, as many as MaxEntries rows take) in one statement per MaxContractSubjects names,
    // so that the prices of their documents need no statement per subject; they replace the rows
    // preloaded before on the side (of the subjects that the names leave out). A subject whose
    // rows the server matched only ignoring case or trailing blanks is left to be asked on its
    // own. Nothing outside a run; failures are logged as "FindSubjCenik".
    static void preloadContracts(const QStringList& names, const QString& preIzd);
    // The partner of the name as preloadPartners read it (nullptr when it is not among them).
    static const TSubjRec* preloadedPartner(const QString& name);
    // Reads the items of the codes that the run has not read yet (patterns holding "%" and empty
    // codes aside) in one statement per MaxPreloadItems codes, so that FindMS finds them without
    // a statement of their own. Only rows whose Ident the server matched exactly as written are
    // kept; a code not found, or found only ignoring case or trailing blanks, is left to FindMS.
    // At most MaxEntries items are kept (codes past that are left to FindMS). Nothing outside a
    // run; failures are logged as "FindVrstaMS" (FindMS then asks as usual).
    static void preloadItems(const QStringList& idents);
    // The side of the contract price list ("P" sale, "N" purchase) at which a document of the
    // side ("I..." issued, otherwise received) is priced.
    static QString contractListSide(const QString& side);
    // The most names in one preload statement (the IN list).
    static constexpr int MaxPreloadPartners = 1000;
    static constexpr int MaxPreloadItems = 1000;
    // The partners preloaded at a time: MaxPreloadPartners; tests lower it (1 at least) to see
    // a run move from one window to the next without a thousand partners.
    static int preloadWindow();
    static void setPreloadWindow(int partners);
    static bool active();
    // A number of the run whose cache is active (a new one for every outermost scope), 0 when
    // none is: for values that a run may keep without a cache of their own.
    static quint64 currentRun();
    // For measurements and tests: with false the scopes keep nothing (the lookups keep only their
    // last key, as outside a run).
    static void setEnabled(bool enabled);
    static bool enabled();
};

// ParamAsString of the parameter row; within a LookupRunCache each field is read once (a run
// does not change the parameters, and the documents of a run are all made with the same ones).
QString RunParamAsString(const QString& field);

// For tests: how many statements the lookups of this unit have executed since the program
// started (cache hits and the calls that need no query do not count).
qint64 lookupQueryCount();
