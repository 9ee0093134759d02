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
    QString error;            // the message of the error that ended or refused the command

    int documentsWritten() const { return invoicesWritten + ordersWritten; }
    // 0 everything written (or nothing due), 1 some documents not written, 2 refused,
    // 3 ended by an error, 4 cancelled.
    int exitCode() const;
};
