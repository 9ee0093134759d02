#pragma once
#include "generation/DueTemplates.h"
#include "generation/GenerationCriteria.h"
#include "pricing/MasterLookups.h"

#include <QString>
#include <functional>

class LocalTable;

// The listing of what the document runs would make ("Izpis"): for every due invoice template
// and then every due order template, for every partner it stands for, one row per template line
// whose item exists, with the quantity and the unit price and discount the line would get.
// Nothing is written to the company database; the rows go to the local table TObdracNapaka.

// The listing table's name in the temporary local database.
inline const QString NapakaTableName = QStringLiteral("TObdracNapaka");

// Defines the listing table (ZapSt auto-increment with the primary index "TNapaka", Kljuc,
// Tip, PoslDog, Subjekt, Ident, Kolicina, Cena, Rabat), creates it anew (empty) and opens it.
// Raises LocalStoreError.
void createNapakaTable(LocalTable& table);

class ListingRun {
public:
    // table: the open listing table. progress: the gauge (may be empty).
    ListingRun(LocalTable& table, const GenerationCriteria& criteria, std::function<void(int)> progress = {});

    // The invoice listing and the order listing. Statement and table failures are raised.
    void IzpisiIzdRac();
    void IzpisiNaroc();

    int rowsWritten() const { return m_rows; }

private:
    void listTemplates(TemplateKind kind);
    // The rows of the current template (the current row of the selection on qQuery0) for
    // partner p: IzpisiIzdRacDok for an invoice template, IzpisiNarocDok for an order template.
    void listDocument(TemplateKind kind, const QString& p);
    void setProgress(int value);

    LookupRunCache m_lookupCache;   // master data read once per key for the listing
    LocalTable& m_table;
    const GenerationCriteria& m_criteria;
    std::function<void(int)> m_progress;
    int m_rows = 0;
};
