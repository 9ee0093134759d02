#pragma once
#include "data/SqlBatch.h"
#include "generation/PendingDocument.h"

#include <QString>
#include <vector>

// The statements of pending documents as one batch text, the rows in as few statements as they
// allow: first the lines of every document (one INSERT of many rows per line table), then the
// update of each document's template (its new last-document date), then the headers (one INSERT
// of many rows per header table). Within the batch every document's
// lines thus still come before its template's update and its header, and the rows keep the order
// of their documents' keys. Every row's text is made once, when its document is added, and the
// length of the whole text is known at any time.
class PendingBatch {
public:
    void add(const PendingGroup& group);
    void add(const PendingDocument& document);
    bool isEmpty() const { return m_length == 0; }
    // The number of characters of text().
    qsizetype length() const { return m_length; }
    QString text() const;
    void clear();

    // The batch of one group alone.
    static QString textOf(const PendingGroup& group);

private:
    static SqlInsertRows& rowsOf(std::vector<SqlInsertRows>& tables, const QString& table);
    void recount();

    std::vector<SqlInsertRows> m_lines;
    QString m_updates;   // "UPDATE Obdrac SET DatZadFak = ... WHERE Kljuc = ...; " per document
    std::vector<SqlInsertRows> m_headers;
    qsizetype m_length = 0;
};
