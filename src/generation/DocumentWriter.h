#pragma once
#include "generation/PendingBatch.h"
#include "generation/PendingDocument.h"

#include <QString>
#include <functional>
#include <vector>

class THdbc;

// Writes the documents of a generation run to the company database in batches.
//
// Complete documents are collected, grouped by template (PendingGroup), as the run's pending
// statement text (PendingBatch: the rows of all pending documents in few statements). execute()
// sends that text as one batch once it is longer than 8192 characters (or when forced), inside
// one transaction on the write connection, so that a batch is written whole or not at all on
// every server. Batches are made of whole groups only.
//
// A batch that fails is rolled back and never sent again as it was: its groups are written one
// by one, each in a transaction of its own. A group that fails because a document key is
// already taken (by another program of the suite) gets a new key for each such document and is
// tried once more. Every document is reported exactly once: written() when it is in the
// database, notWritten() with the reason when it is not.
class DocumentWriter {
public:
    struct Hooks {
        std::function<void(const PendingDocument&)> written;
        std::function<void(const PendingDocument&, const QString& reason)> notWritten;
        // A new key for a document whose key is taken; may throw (the document is then not
        // written).
        std::function<QString(const PendingDocument&)> newKey;
        // Called inside each transaction after its statements ran and before the commit
        // (for tests that interrupt a run there).
        std::function<void()> beforeCommit;
    };

    // The length up to which an unforced execute() only collects.
    static constexpr qsizetype BatchLimit = 8192;

    // connection: the connection of the data module's write statement UpdateHstmt, on which the
    // batches run (executeBatch).
    DocumentWriter(THdbc& connection, Hooks hooks);

    void add(PendingGroup group);
    bool hasPending() const { return !m_groups.empty(); }
    qsizetype pendingLength() const { return m_batch.length(); }

    // Sends the pending text when it is longer than BatchLimit characters or when forced.
    // Returns true when nothing failed (also when nothing was sent).
    bool execute(bool force);

    // Drops every pending document, reporting each as not written for the reason.
    void discard(const QString& reason);

    // Statement texts sent and committed (for tests).
    int transactionsCommitted() const { return m_committed; }
    int transactionsFailed() const { return m_failed; }

private:
    struct Failure {
        QString message;
        bool integrityViolation = false;   // SQLSTATE class 23: a key or constraint
        bool atCommit = false;             // the outcome of the commit is unknown
    };
    bool send(const QString& sql, Failure& failure);
    void resolveFailedGroup(PendingGroup& group, Failure failure);
    bool keyTaken(const PendingDocument& document);
    void reportWritten(const PendingGroup& group);
    void reportNotWritten(const PendingGroup& group, const QString& reason);

    THdbc& m_connection;
    Hooks m_hooks;
    std::vector<PendingGroup> m_groups;
    PendingBatch m_batch;   // the statements of m_groups
    int m_committed = 0;
    int m_failed = 0;
};
