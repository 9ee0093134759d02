#pragma once
#include <QString>

// The texts that the data-aware controls show the user (their language settings). The program
// sets them once; the defaults are the program's own.
struct ControlTexts {
    // Asked before the changes of an edited or new record are given up.
    QString abandonChanges = QStringLiteral("Ali opuščaš spremembe !");
    // Asked before a navigator or a grid deletes the current record.
    QString deleteRecord = QStringLiteral("Delete record?");
    // Hints of the navigator's buttons.
    QString hintFirst = QStringLiteral("Prvi zapis");
    QString hintPrior = QStringLiteral("Prejšnji zapis");
    QString hintNext = QStringLiteral("Naslednji zapis");
    QString hintLast = QStringLiteral("Zadnji zapis");
    QString hintInsert = QStringLiteral("Nov zapis");
    QString hintDelete = QStringLiteral("Briši zapis");
    QString hintEdit = QStringLiteral("Popravi zapis");
    QString hintPost = QStringLiteral("Shrani spremembe");
    QString hintCancel = QStringLiteral("Prekliči spremembe");
    QString hintRefresh = QStringLiteral("Osveži podatke");
};

ControlTexts& controlTexts();
