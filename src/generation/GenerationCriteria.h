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
