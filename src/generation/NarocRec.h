#pragma once
#include "data/core/Money.h"
#include <QDateTime>
#include <QString>

// Working records of the order being built: the header (table Naroc) and the current line
// (table NarocPoz), one field per column, in the order of their INSERT statements. Every order
// starts by resetting the header to its defaults and every line by resetting the line.
//
// Types as in PrometRec.h: texts as QString; dates as QDateTime, where an invalid (default)
// value is the empty date written as NULL; whole numbers as int; the value totals as Money;
// every other number as double.

struct TNarocRec {
    QDateTime Datum;
    QString PoslDog;
    QString Potrjeno;
    QString Referent;
    QString Oddelek;
    QString CenRazred;
    QString NacProdaje;     // sale mode (purchase orders: the supplier's)
    int DniZaPlac = 0;
    int DniZaVelj = 0;      // validity in days
    QDateTime DatumVelj;    // valid until
    QString Valuta;
    QString Kljuc;          // order key: year (2) + business event (2) + counter (5)
    QString Narocnik;       // partner name
    QString NacinPlac;
    QString Dostava;
    QString KontOseba;
    QString KontOseba3;
    QString Prejemnik;
    QString UserSpre;
    QString UserZap;
    QDateTime DatDokum1;
    QDateTime DatDokum2;
    Money Davek;            // total tax plus total excise
    QString Dokument1;
    QString Dokument2;
    QString Izjava;
    QString Opomba;
    Money Popust;           // total discount
    QDateTime RokDobave;
    Money Vrednost;         // total value before discount
    Money ZaPlacilo;        // total gross
};

struct TNarocPozRec {
    double Cena = 0.0;      // unit price
    double Davek = 0.0;     // tax rate in percent
    QString EM;
    QString Ident;
    QString Kljuc;          // the order's key
    double Kolicina = 0.0;
    double KolicinaOdpr = 0.0;
    double KolicPak = 0.0;
    QString Naziv;
    QString Opomba;
    int Poz = 0;            // position: 1, 2, 3, ... in the order written
    double ProdCena = 0.0;
    double Rabat = 0.0;     // discount in percent
    QDateTime RokDobave;
    double Trosarina = 0.0;   // excise per unit
    double TrosarinaP = 0.0;  // excise in percent
    QString TS;             // tax code
    QString UserSpre;
    QString UserZap;
    QString VKljuc;
    int VPoz = 0;
};

// The program-wide working records (GUI thread only).
inline TNarocRec NarocRec;
inline TNarocPozRec NarocPozRec;
