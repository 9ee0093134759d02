#pragma once
#include "data/core/Money.h"
#include <QString>

struct TPrometPozRec;

// Valuation of one document line: value before discount, discount, excise, tax and gross, all
// rounded with the program's money rounding (RoundT), added to the running totals of the
// document.

// Running totals of one document, zeroed by the caller before its first line.
struct DocumentTotals {
    Money value;     // total value (before discount)
    Money tax;       // total tax
    Money excise;    // total excise
    Money discount;  // total discount
    Money gross;     // total gross
};

// The values of one line.
struct LineValues {
    Money value;     // V
    Money discount;  // R
    Money excise;    // X
    Money tax;       // T
    Money gross;     // V - R + X + T
};

// The parameter OSNZAIZRPRODCENE: "M" bases sale prices on retail prices.
bool isRetailPriceBasis(const QString& osnZaIzrProdCene);

// Values one line: q quantity, p unit price, d discount %, t tax %, b excise per unit,
// a excise %. retailBasis selects the way down from the rounded gross (used only when t, a or b
// is not 0). Rounds with RoundStep (ProgramState.h). Throws MoneyOverflow.
LineValues calcLineValues(double q, Money p, double d, double t, Money b, double a, bool retailBasis);

// Adds the values of one line to the totals. osnZaIzrProdCene is the parameter
// OSNZAIZRPRODCENE. A failure (an amount out of range, a value that is not a number) is
// reported as "CalcVredPromPoz", leaves the totals unchanged and gives false.
bool CalcVredPromPoz(double q, Money p, double d, double t, Money b, double a, DocumentTotals& totals,
                     const QString& osnZaIzrProdCene);
// The same with the unit price and the excise per unit as floating values (converted to amounts
// inside the guard).
bool CalcVredPromPoz(double q, double p, double d, double t, double b, double a, DocumentTotals& totals,
                     const QString& osnZaIzrProdCene);
// The same for an invoice line: q Kolicina, p Cena, d Rabat, t Davek, b Trosarina, a TrosarinaP.
bool CalcVredPromPoz(const TPrometPozRec& line, DocumentTotals& totals, const QString& osnZaIzrProdCene);
