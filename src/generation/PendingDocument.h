#pragma once
#include "data/SqlRow.h"

#include <QString>
#include <vector>

// One complete document of a generation run, kept until it is in the database: its lines, the
// date its template gets as its last-document date and its header, the rows as their INSERT
// values made once (DocumentRows.h), which take another key in place if the key turns out to be
// taken when the document is written (PendingBatch makes the statements).
struct PendingDocument {
    QString headerTable;      // "Promet" or "Naroc"
    QString lineTable;        // "PrometPoz" or "NarocPoz"
    QString operation;        // the build's name for the error log ("KreirajIzdRacDok", ...)
    QString poslDog;          // the document business event
    QString key;              // the document key
    QString templateKey;
    QString partner;
    std::vector<SqlRow> lines;   // in position order
    QString templateDate;     // the template's new DatZadFak as an SQL date text (DateToStrSQL)
    SqlRow header;

    // Gives the document another key (lines and header).
    void setKey(const QString& newKey);
    // The run-log line: key / template key / partner.
    QString logLine() const;
};

// The documents of one template in one run (one per partner): written together or not at all,
// so that a template whose last-document date has moved has all its documents in the database
// and a template whose date has not moved has none of them.
struct PendingGroup {
    std::vector<PendingDocument> documents;
};
