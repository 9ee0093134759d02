#include "generation/DocumentRun.h"

#include "data/DataSif.h"
#include "data/DataSifRoutines.h"
#include "data/log/ErrorLog.h"
#include "data/core/Exception.h"
#include "data/Numbering.h"
#include "data/core/SqlLiterals.h"
#include "data/TableRoutines.h"
#include "data/core/TextRoutines.h"
#include "generation/DocumentDefaults.h"
#include "generation/DocumentRows.h"
#include "generation/NarocRec.h"
#include "generation/OrderDefaults.h"
#include "pricing/LineValuation.h"
#include "pricing/MasterLookups.h"
#include "pricing/MasterRecords.h"
#include "pricing/PriceDetermination.h"
#include "pricing/PrometRec.h"

#include <QMap>
#include <QSet>
#include <QtMath>

namespace {

const QString KeyField = QStringLiteral("Kljuc");

void closeQuietly(THstmt& statement) noexcept
{
    try {
        statement.Close();
    } catch (...) {
    }
}

// Runs a statement of the run; a failure is logged under the statement's name and raised again,
// which ends the command.
void executeOrRaise(THstmt& statement)
{
    try {
        statement.Execute();
    } catch (const std::exception& e) {
        LogException(e, &statement, QStringLiteral("HstmtExecute-") + statement.Name());
        throw;
    }
}

// The header's totals from its lines: the tax with the excise, and the amount to pay.
template <class Header>
void setHeaderTotals(Header& h, const DocumentTotals& totals)
{
    h.Vrednost = totals.value;
    h.Popust = totals.discount;
    h.Davek = totals.tax + totals.excise;
    h.ZaPlacilo = totals.gross;
}
// The line loop shared by invoices and orders: build(templateLine, position) for every line of
// the template whose item exists (FindMS leaves it in MSRec), positions numbered from 1 in the
// template's order; lines of unknown items are left out. True when a line was built.
template <class Lines, class Build>
bool forEachItemLine(const Lines& lines, Build&& build)
{
    bool built = false;
    int position = 1;
    for (const auto& templateLine : lines) {
        if (!FindMS(templateLine.ident))
            continue;
        built = true;
        build(templateLine, position++);
    }
    return built;
}
} // namespace

DocumentRun::DocumentRun(const GenerationCriteria& criteria, const GenerationCallbacks& callbacks,
                         GenerationResult& result)
    : m_criteria(criteria), m_callbacks(callbacks), m_result(result),
      m_writer(DataSif->DatabaseHstmt,
               DocumentWriter::Hooks{
                   [this](const PendingDocument& d) { written(d); },
                   [this](const PendingDocument& d, const QString& reason) { notWritten(d, reason); },
                   [this](const PendingDocument& d) { return renumber(d); },
                   callbacks.beforeCommit,
               })
{
}

DocumentRun::~DocumentRun()
{
    // Nothing of a run outlives it: a run that did not end normally has been abandoned already.
    try {
        if (m_writer.hasPending() || !m_group.documents.empty())
            abandon(QStringLiteral("kreiranje ni bilo dokončano"));
    } catch (...) {
    }
}

void DocumentRun::KreirajIzdRac()
{
    runTemplates(TemplateKind::Invoice);
}

void DocumentRun::KreirajNaroc()
{
    runTemplates(TemplateKind::Order);
}

void DocumentRun::runTemplates(TemplateKind kind)
{
    const QString condition = dueCondition(kind, m_criteria.DatumKont, m_criteria.Subjekt, m_criteria.PoslDog);
    const int total = GetQueryRecordCount(dueTemplatesTables(), dueTemplatesCountWhere(condition));
    THstmt& q0 = DataSif->qQuery0;
    THstmt& q1 = DataSif->qQuery1;
    q0.Close();
    setProgress(0);
    int count = 0;
    // The selection, a block of templates at a time (in key order, as one selection would be); the
    // block is read whole before its documents are built.
    QString last;
    for (bool first = true, more = true; more; first = false) {
        q0.Close();
        q0.setSQL(dueTemplatesBlockSelect(kind, condition, first ? nullptr : &last, DueTemplatesBlock));
        executeOrRaise(q0);
        std::vector<TemplateRow> block;
        while (q0.FetchNext()) {
            block.push_back(TemplateRow{
                q0.ColumnAsString(DueCol::Kljuc),
                q0.ColumnAsString(DueCol::Subjekt),
                q0.ColumnAsString(DueCol::NacIzrCene),
                q0.ColumnAsString(DueCol::Tip),
                q0.ColumnAsString(DueCol::PoslDogFak),
                q0.ColumnAsString(DueCol::Valuta),
                kind == TemplateKind::Order ? q0.ColumnAsString(DueCol::PoslDogTip) : QString(),
                {},
            });
        }
        q0.Close();
        more = block.size() == size_t(DueTemplatesBlock);
        if (!block.empty())
            last = block.back().kljuc;
        // The partners of a partner type, read for the block's templates of that kind before
        // anything is built. The block's partners, in the order their documents are built, are
        // preloaded a window at a time just before their documents (see enterPartner).
        m_blockPartners.clear();
        for (TemplateRow& t : block) {
            const QString contractSide = LookupRunCache::contractListSide(priceSide(kind, t));
            if (t.tip != QLatin1String("T")) {
                m_blockPartners.push_back(BlockPartner{t.subjekt, contractSide});
                continue;
            }
            q1.Close();
            q1.setSQL(partnersOfTypeSelect(t.subjekt));
            executeOrRaise(q1);
            while (q1.FetchNext()) {
                t.partnersOfType << q1.ColumnAsString(1);
                m_blockPartners.push_back(BlockPartner{t.partnersOfType.back(), contractSide});
            }
            q1.Close();
        }
        m_nextPartner = 0;
        m_windowEnd = 0;
        readBlockLines(block);
        // The items of the block's lines, those the run has not read yet.
        QStringList idents;
        for (const TemplateRow& t : block)
            for (const TemplateLine& l : m_blockLines.value(t.kljuc))
                idents << l.ident;
        LookupRunCache::preloadItems(idents);
        for (TemplateRow& t : block) {
            ++count;
            m_template = std::move(t);
            m_group = PendingGroup();
            const qsizetype partnersOfType = m_template.partnersOfType.size();
            if (m_template.tip != QLatin1String("T")) {
                buildDocument(kind, m_template.subjekt);
            } else {
                for (const QString& partner : std::as_const(m_template.partnersOfType))
                    buildDocument(kind, partner);
            }
            // A due template that makes nothing is said so: it stays due and comes back at every run.
            if (m_group.documents.empty())
                notMade(m_template.tip == QLatin1String("T") && partnersOfType == 0
                            ? QStringLiteral("noben partner nima tipa partnerja ") + m_template.subjekt
                            : QStringLiteral("nobena postavka nima obstoječega artikla"));
            m_writer.add(std::move(m_group));
            m_group = PendingGroup();
            m_writer.execute(false);
            setProgress(total > 0 ? qRound(double(count) / double(total) * 100.0) : 0);
        }
    }
    m_writer.execute(true);
    setProgress(100);
}

QString DocumentRun::priceSide(TemplateKind kind, const TemplateRow& t)
{
    if (kind == TemplateKind::Invoice)
        return QStringLiteral("I");
    return t.poslDogTip == QLatin1String("P") ? QStringLiteral("I") : QStringLiteral("P");
}

void DocumentRun::enterPartner(const QString& partner)
{
    if (m_nextPartner >= m_windowEnd)
        preloadPartnerWindow(m_nextPartner);
    // The documents are built in the order of m_blockPartners (were it otherwise, the look-ups
    // of a partner not preloaded would simply ask the server).
    Q_ASSERT(m_nextPartner >= m_blockPartners.size() || m_blockPartners[m_nextPartner].name == partner);
    ++m_nextPartner;
}

void DocumentRun::preloadPartnerWindow(size_t start)
{
    const int window = LookupRunCache::preloadWindow();
    QStringList names;
    QSet<QString> distinct;
    QMap<QString, QStringList> bySide;   // contract side -> the window's partners priced there
    size_t end = start;
    for (; end < m_blockPartners.size(); ++end) {
        const BlockPartner& p = m_blockPartners[end];
        if (!distinct.contains(p.name)) {
            if (distinct.size() >= window)
                break;
            distinct.insert(p.name);
            names << p.name;
        }
        bySide[p.contractSide] << p.name;
    }
    m_windowEnd = std::max(end, start + 1);
    LookupRunCache::preloadPartners(names);
    // Their contract prices and those of their partner types, on the side at which their
    // documents are priced (the partners of one type are seldom next to each other, so a type's
    // rows are read again with every window that needs them rather than kept among the subjects
    // read on their own, which a large company's types would push out again and again).
    for (auto it = bySide.cbegin(); it != bySide.cend(); ++it) {
        QStringList subjects = it.value();
        QSet<QString> types;
        for (const QString& partner : it.value())
            if (const TSubjRec* rec = LookupRunCache::preloadedPartner(partner)) {
                const QString type = contractPartnerType(*rec, it.key());
                if (!type.isEmpty() && !types.contains(type)) {
                    types.insert(type);
                    subjects << type;
                }
            }
        LookupRunCache::preloadContracts(subjects, it.key());
    }
}

void DocumentRun::buildDocument(TemplateKind kind, const QString& partner)
{
    enterPartner(partner);
    if (kind == TemplateKind::Invoice)
        KreirajIzdRacDok(partner);
    else
        KreirajNarocDok(partner);
}

QString DocumentRun::nextDocumentKey(const QString& key)
{
    const int counter = key.mid(4, 5).toInt() + 1;
    if (counter > MaxDocumentCounter)
        throw Exception(QStringLiteral("Števec dokumentov %1 je dosegel največjo vrednost %2 ! Novega ključa ni mogoče "
                                       "določiti.")
                            .arg(key.left(4))
                            .arg(MaxDocumentCounter));
    return key.left(4) + StrZeroInt(counter, 5);
}

QString DocumentRun::takeDocumentKey(const QString& table, const QString& poslDog)
{
    const auto it = RunDocumentKeys.constFind(poslDog);
    const QString key = it == RunDocumentKeys.constEnd()
        ? NovaStevGlavC(table, KeyField, YearS(2, m_criteria.Datum) + poslDog)
        : nextDocumentKey(it.value());
    RunDocumentKeys.insert(poslDog, key);
    return key;
}

// A document whose key another program took meanwhile: the next free number after both the
// database's greatest key and the last key of this run, so that it collides with neither.
QString DocumentRun::renumber(const PendingDocument& document)
{
    QString key = NovaStevGlavC(document.headerTable, KeyField, document.key.left(4));
    const QString last = RunDocumentKeys.value(document.poslDog);
    if (last.left(4) == key.left(4)) {
        const QString afterLast = nextDocumentKey(last);
        if (afterLast.mid(4).toInt() > key.mid(4).toInt())
            key = afterLast;
    }
    RunDocumentKeys.insert(document.poslDog, key);
    return key;
}

PendingDocument DocumentRun::newDocument(const QString& headerTable, const QString& lineTable,
                                         const QString& operation, const QString& poslDog, const QString& key,
                                         const QString& partner) const
{
    PendingDocument document;
    document.headerTable = headerTable;
    document.lineTable = lineTable;
    document.operation = operation;
    document.poslDog = poslDog;
    document.key = key;
    document.templateKey = m_template.kljuc;
    document.partner = partner;
    return document;
}

QString DocumentRun::unnumberedKey(const QString& poslDog) const
{
    return YearS(2, m_criteria.Datum) + poslDog + UnnumberedCounter;
}

QString DocumentRun::templateDate() const
{
    return DateToStrSQL(m_criteria.Datum);
}

void DocumentRun::KreirajIzdRacDok(const QString& n)
{
    const std::vector<TemplateLine>& lines = templateLines();
    DocumentTotals totals;
    const QString e = m_template.poslDogFak;
    const QDateTime d = m_criteria.Datum.startOfDay();

    tbPrometDefaultValue(e, m_criteria.today());
    // The number is drawn once the document is known to be written (below), so that a template
    // that makes nothing leaves no gap in the numbering.
    const QString key = unnumberedKey(e);
    TPrometRec& h = PrometRec;
    h.Kljuc = key;
    h.Prejemnik = n;
    h.Datum = d;
    h.DatumVal = d;
    h.DatumDDV = d;
    tbPrometSubjDefaultValue(n, QStringLiteral("I"));

    PendingDocument document = newDocument(QStringLiteral("Promet"), QStringLiteral("PrometPoz"),
                                           QStringLiteral("KreirajIzdRacDok"), e, key, n);
    const QString osnova = RunParamAsString(QStringLiteral("OSNZAIZRPRODCENE"));

    const bool lineWritten = forEachItemLine(lines, [&](const TemplateLine& templateLine, int p) {
        tbPrometPozDefaultValue();
        TPrometPozRec& line = PrometPozRec;
        line.Kljuc = key;
        line.Poz = p;
        line.Ident = templateLine.ident;
        tbPrometPozIdentDefaultValue(QStringLiteral("I"));
        line.Naziv = templateLine.naziv;
        line.Kolicina = templateLine.kolicina;
        line.Opomba = templateLine.opomba;
        tbDolociDavekPoz(h.NacProdaje, line.Ident, line.TS, line.Davek, line.Trosarina, line.TrosarinaP);
        IzrCenePozC(h.CenRazred, h.Prejemnik, h.Valuta, h.Datum, line.Kolicina, MSRec, QStringLiteral("I"), line.Cena,
                    line.Rabat);
        if (m_template.nacIzrCene == QLatin1String("F")) {
            line.Cena = templateLine.cena;
            line.Rabat = templateLine.rabat;
        }
        CalcVredPromPoz(line, totals, osnova);
        document.lines.push_back(prometPozRow(line));
    });
    setHeaderTotals(h, totals);
    if (lineWritten) {
        document.templateDate = templateDate();
        document.header = prometRow(h);
        document.setKey(takeDocumentKey(document.headerTable, e));
        h.Kljuc = document.key;
        m_group.documents.push_back(std::move(document));
    }
}

void DocumentRun::KreirajNarocDok(const QString& n)
{
    const std::vector<TemplateLine>& lines = templateLines();
    DocumentTotals totals;
    const QString e = m_template.poslDogFak;

    tbNarocDefaultValue(e, m_criteria.today());
    const QString key = unnumberedKey(e);   // numbered once the order is known to be written
    TNarocRec& h = NarocRec;
    h.Datum = m_criteria.Datum.startOfDay();
    h.Kljuc = key;
    h.Narocnik = n;
    h.Prejemnik = n;
    const QString side = priceSide(TemplateKind::Order, m_template);
    if (FindSubj(n)) {
        const bool clerkFromPartner = RunParamAsString(QStringLiteral("POLNIREFIZSUBJ")) == QLatin1String("T");
        if (side == QLatin1String("I")) {
            if (clerkFromPartner)
                h.Referent = SubjRec.Referent;
            h.CenRazred = SubjRec.CenRazred;
            h.NacProdaje = SubjRec.NacProdaje;
            h.NacinPlac = SubjRec.NacinPlac;
            h.Valuta = SubjRec.Valuta;
            h.DniZaPlac = SubjRec.DniZaPlac;
            h.Dostava = SubjRec.Dostava;
        } else {
            if (clerkFromPartner)
                h.Referent = SubjRec.DobReferent;
            h.Valuta = SubjRec.DobValuta;
            h.Dostava = SubjRec.DobDostava;
            h.DniZaPlac = SubjRec.DobDniZaPlac;
            h.NacProdaje = SubjRec.DobNacProdaje;
            h.Izjava = SubjRec.DobIzjava;
            h.NacinPlac = SubjRec.DobNacinPlac;
        }
        h.KontOseba = PoisciKontOs(n);
        h.KontOseba3 = h.KontOseba;
    }

    PendingDocument document = newDocument(QStringLiteral("Naroc"), QStringLiteral("NarocPoz"),
                                           QStringLiteral("KreirajNarocDok"), e, key, n);
    const QString osnova = RunParamAsString(QStringLiteral("OSNZAIZRPRODCENE"));

    const bool lineWritten = forEachItemLine(lines, [&](const TemplateLine& templateLine, int p) {
        tbNarocPozDefaultValue();
        TNarocPozRec& line = NarocPozRec;
        line.Kljuc = key;
        line.Poz = p;
        line.Ident = templateLine.ident;
        line.Naziv = templateLine.naziv;
        line.Kolicina = templateLine.kolicina;
        line.Opomba = templateLine.opomba;
        line.EM = MSRec.EM;
        tbDolociDavekPoz(h.NacProdaje, line.Ident, line.TS, line.Davek, line.Trosarina, line.TrosarinaP);
        IzrCenePozC(h.CenRazred, n, h.Valuta, h.Datum, line.Kolicina, MSRec, side, line.Cena, line.Rabat);
        if (m_template.nacIzrCene == QLatin1String("F")) {
            line.Cena = templateLine.cena;
            line.Rabat = templateLine.rabat;
        }
        CalcVredPromPoz(line.Kolicina, line.Cena, line.Rabat, line.Davek, line.Trosarina, line.TrosarinaP, totals,
                        osnova);
        document.lines.push_back(narocPozRow(line));
    });
    setHeaderTotals(h, totals);
    if (lineWritten) {
        document.templateDate = templateDate();
        document.header = narocRow(h);
        document.setKey(takeDocumentKey(document.headerTable, e));
        h.Kljuc = document.key;
        m_group.documents.push_back(std::move(document));
    }
}

const std::vector<DocumentRun::TemplateLine>& DocumentRun::templateLines() const
{
    static const std::vector<TemplateLine> none;
    const auto it = m_blockLines.constFind(m_template.kljuc);
    return it == m_blockLines.constEnd() ? none : it.value();
}

void DocumentRun::readBlockLines(const std::vector<TemplateRow>& block)
{
    m_blockLines.clear();
    if (block.empty())
        return;
    QStringList keys;
    keys.reserve(qsizetype(block.size()));
    for (const TemplateRow& t : block)
        keys << t.kljuc;
    THstmt& q2 = DataSif->qQuery2;
    q2.Close();
    q2.setSQL(templateLinesOfSelect(keys));
    q2.setColumnShape(QStringLiteral("templateLinesOf"));
    executeOrRaise(q2);
    std::vector<TemplateLine>* lines = nullptr;
    QString linesOf;
    while (q2.FetchNext()) {
        const QString key = q2.ColumnAsString(LineCol::Kljuc);
        if (!lines || key != linesOf) {
            linesOf = key;
            lines = &m_blockLines[key];
        }
        TemplateLine l;
        l.ident = q2.ColumnAsString(LineCol::Ident);
        l.naziv = q2.ColumnAsString(LineCol::Naziv);
        l.kolicina = q2.ColumnAsFloat(LineCol::Kolicina);
        l.cena = q2.ColumnAsFloat(LineCol::Cena);
        l.rabat = q2.ColumnAsFloat(LineCol::Rabat);
        l.opomba = q2.ColumnAsString(LineCol::Opomba);
        lines->push_back(std::move(l));
    }
    q2.Close();
}

void DocumentRun::setProgress(int value)
{
    if (m_callbacks.progress)
        m_callbacks.progress(qBound(0, value, 100));
}

void DocumentRun::written(const PendingDocument& document)
{
    if (document.headerTable == QLatin1String("Promet"))
        ++m_result.invoicesWritten;
    else
        ++m_result.ordersWritten;
    if (m_callbacks.logLine)
        m_callbacks.logLine(document.logLine());
}

void DocumentRun::notWritten(const PendingDocument& document, const QString& reason)
{
    const QString line = document.logLine() + QStringLiteral(" - NI ZAPISAN: ") + reason;
    ++m_result.documentsNotWritten;
    m_result.notWritten << line;
    const Exception failure(QStringLiteral("Dokument ") + document.key + QStringLiteral(" (periodika ")
                            + document.templateKey + QStringLiteral(", partner ") + document.partner
                            + QStringLiteral(") ni zapisan: ") + reason);
    LogException(failure, nullptr, document.operation);
    if (m_callbacks.logLine)
        m_callbacks.logLine(line);
}

void DocumentRun::notMade(const QString& reason)
{
    // the documents of the templates before it are written (and logged) first, so that the log
    // keeps the order of the templates
    m_writer.execute(true);
    const QString line = m_template.kljuc + QStringLiteral(" / ") + m_template.subjekt + QStringLiteral(" - NI KREIRAN: ")
        + reason;
    ++m_result.templatesNotMade;
    m_result.notMade << line;
    if (m_callbacks.logLine)
        m_callbacks.logLine(line);
}

void DocumentRun::abandon(const QString& reason)
{
    for (THstmt* s : {&DataSif->qQuery0, &DataSif->qQuery1, &DataSif->qQuery2})
        closeQuietly(*s);
    // The documents built so far for the template at hand were never complete as a group.
    PendingGroup unfinished = std::move(m_group);
    m_group = PendingGroup();
    for (const PendingDocument& d : unfinished.documents)
        notWritten(d, reason);
    m_writer.discard(reason);
}
