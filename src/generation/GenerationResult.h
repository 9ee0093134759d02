#pragma once
#include <QString>
#include <QStringList>

// What a run did, for the window and for a tool's exit code.
struct GenerationResult {
    enum class Outcome {
        Completed,   // the runs went to their end
        Cancelled,   // the user answered Cancel
        Refused,     // another run holds the company's run lock, or the lock could not be taken
        Failed,      // an error ended the command early
    };
    Outcome outcome = Outcome::Completed;
    int invoicesWritten = 0;
    int ordersWritten = 0;
    int documentsNotWritten = 0;
    QStringList notWritten;   // the run-log lines of the documents not written
    // Due templates that made no document (no line with an existing item, a partner type
    // without partners): they stay due.
    int templatesNotMade = 0;
    QStringList notMade;      // their run-log lines ("... - NI KREIRAN: reason")
    QString error;            // the message of the error that ended or refused the command

    int documentsWritten() const { return invoicesWritten + ordersWritten; }
    // 0 everything due written (or nothing due), 1 some documents not written or some due
    // templates made nothing, 2 refused, 3 ended by an error, 4 cancelled.
    int exitCode() const;
    // The lines that end the run log (on the page and in obdrac-run's output):
    // "Kreiranih dokumentov: 3 (računov: 2, naročil: 1)." and what was not written or not made.
    QStringList summaryLines() const;
};
