#pragma once
#include "generation/DocumentWriter.h"
#include "generation/DueTemplates.h"
#include "generation/GenerationCriteria.h"
#include "generation/GenerationResult.h"
#include "pricing/MasterLookups.h"

#include <QHash>
#include <QMap>
#include <QString>

#include <vector>

// One generation command: the invoice run, then the order run, with their per-run state.
//
// The due templates are read on qQuery0 in key order, a block of DueTemplatesBlock at a time
// (each block read whole into memory, with its items preloaded, before its documents are built;
// its partners are preloaded a window at a time, just before their documents). For every
// template of a block and every partner it stands for (a partner-type template: every partner of
// that type, read on qQuery1, in name order), a document is built
// from the template's lines (read on qQuery2), priced and valued, and kept with the update of the
// template's last-document date until it is written. A document's number is drawn only once it is
// known to be written (it has a line whose item exists), so that the numbers of a business event
// stay consecutive; a due template that makes no document is reported with the reason ("NI
// KREIRAN"). The documents of one template are written together in one transaction (see
// DocumentWriter); the run log lists a document once it is in the database.
class DocumentRun {
public:
    DocumentRun(const GenerationCriteria& criteria, const GenerationCallbacks& callbacks, GenerationResult& result);
    ~DocumentRun();
    DocumentRun(const DocumentRun&) = delete;
    DocumentRun& operator=(const DocumentRun&) = delete;

    // The invoice run: every due issued-invoice template.
    void KreirajIzdRac();
    // The order run: every due order template.
    void KreirajNaroc();

    // One invoice / order for partner n from the current template (m_template, taken from the
    // block of the selection being built).
    void KreirajIzdRacDok(const QString& n);
    void KreirajNarocDok(const QString& n);

    // After an error that ends the command: every document not yet written is dropped and
    // reported as not written, so that nothing is left for a later run.
    void abandon(const QString& reason);

    // Business event -> the last document key given to it in this run.
    QMap<QString, QString> RunDocumentKeys;

    // The counter that follows a document key: the first 4 characters and characters 5 to 9
    // plus 1, as five digits. Throws when the counter would pass 99999.
    static QString nextDocumentKey(const QString& key);

private:
    struct TemplateRow {
        QString kljuc;
        QString subjekt;
        QString nacIzrCene;
        QString tip;
        QString poslDogFak;
        QString valuta;
        QString poslDogTip;   // orders: the business event's Tip
        QStringList partnersOfType;   // partner-type templates: the partners of the type, in order
    };

    struct TemplateLine {
        QString ident;
        QString naziv;
        double kolicina = 0;
        double cena = 0;
        double rabat = 0;
        QString opomba;
    };

    // A partner of the block and the side of the contract price list its document is priced at.
    struct BlockPartner {
        QString name;
        QString contractSide;
    };

    void runTemplates(TemplateKind kind);
    // Before the document of the block's next partner: when the partner is past the window
    // preloaded last, the window that starts at it is preloaded.
    void enterPartner(const QString& partner);
    // Preloads the partners (at most LookupRunCache::preloadWindow() distinct ones, one
    // statement) and their contract rows (one statement per side) of the block's partners from
    // start on, and sets m_windowEnd past them.
    void preloadPartnerWindow(size_t start);
    // The lines of the current template (Ident, Naziv, Kolicina, Cena, Rabat, Opomba, by
    // position), from those of its block.
    const std::vector<TemplateLine>& templateLines() const;
    // Reads the lines of a block's templates on qQuery2, one statement for the whole block.
    void readBlockLines(const std::vector<TemplateRow>& block);
    void buildDocument(TemplateKind kind, const QString& partner);
    QString takeDocumentKey(const QString& table, const QString& poslDog);
    QString renumber(const PendingDocument& document);
    // The key of a document before its number is drawn: year digits, business event, "?????".
    QString unnumberedKey(const QString& poslDog) const;
    // A document of the current template for the partner, not yet built.
    PendingDocument newDocument(const QString& headerTable, const QString& lineTable, const QString& operation,
                                const QString& poslDog, const QString& key, const QString& partner) const;
    QString templateDate() const;
    // The side ("I" or "P") at which the documents of a template are priced.
    static QString priceSide(TemplateKind kind, const TemplateRow& t);
    // The current template is due but makes no document, for the reason given.
    void notMade(const QString& reason);
    void setProgress(int value);
    void written(const PendingDocument& document);
    void notWritten(const PendingDocument& document, const QString& reason);

    // The master data that the run reads stays in memory for the run (one read per key).
    LookupRunCache m_lookupCache;
    const GenerationCriteria& m_criteria;
    const GenerationCallbacks& m_callbacks;
    GenerationResult& m_result;
    DocumentWriter m_writer;
    TemplateRow m_template;
    PendingGroup m_group;   // the documents of the current template
    QHash<QString, std::vector<TemplateLine>> m_blockLines;   // template key -> its lines
    std::vector<BlockPartner> m_blockPartners;   // the block's partners, in the order of their documents
    size_t m_nextPartner = 0;   // the index in m_blockPartners of the next document's partner
    size_t m_windowEnd = 0;     // the end of the window of m_blockPartners preloaded last
};
