#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>

// What the user chose on page "Kreiranje" for a run.
struct GenerationCriteria {
    QDate DatumKont;        // fkDatumKont "Za obdobje od:": the due date, first day of the period
    QDate Datum;            // fkDatum "Datum dokumentov:": the documents' date
    QString Subjekt;        // fkSubjekt: partner name or pattern ("%", "_"); empty: all
    QString PoslDog;        // fkPoslDog: business-event code or pattern; empty: all
    // The day of the run ("today": default dates of new records, an order's validity, the price
    // date of the listing). Invalid: the system date.
    QDate Danes;

    QDate today() const { return Danes.isValid() ? Danes : QDate::currentDate(); }
};

// How a run talks to its window (every member may be left empty).
struct GenerationCallbacks {
    std::function<void()> clearLog;                    // empty mKreDok
    std::function<void(const QString&)> logLine;       // add a line to mKreDok
    std::function<void(int)> progress;                 // fGauge, 0 to 100
    std::function<void()> reopenTemplates;             // ReOpenTable(tbObdrac)
    // For tests: called inside each write transaction just before its commit.
    std::function<void()> beforeCommit;
};

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
