#pragma once
#include "pricing/MasterRecords.h"

#include <QDateTime>
#include <QString>
#include <span>
#include <variant>

// The columns that the lookups select for each current record, in select-list order, each
// with the record member it is copied into. The column name is the member's name.
template <class Rec>
struct RecordField {
    using Member = std::variant<QString Rec::*, double Rec::*, int Rec::*, QDateTime Rec::*>;
    const char* name;
    Member member;
};

std::span<const RecordField<TMSRec>> msRecFields();            // 74 columns of MS
std::span<const RecordField<TSubjRec>> subjRecFields();        // 61 columns of Subjekt
std::span<const RecordField<TPoslDogRec>> poslDogRecFields();  // 119 columns of PoslDog
std::span<const RecordField<TVrstaMSRec>> vrstaMSRecFields();  // Naziv, Tip
std::span<const RecordField<TTarStRec>> tarStRecFields();      // 8 columns of TarSt
std::span<const RecordField<TMsFormRec>> msFormRecFields();    // Naziv, Formula
