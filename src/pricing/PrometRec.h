#pragma once
#include "data/core/Money.h"
#include <QDateTime>
#include <QString>

// Working records of the issued invoice being built: the header and the current line, one
// field per column of the tables Promet and PrometPoz, in the order of their INSERT
// statements. Every document starts by resetting the header to its defaults and every line by
// resetting the line; a field that nothing sets keeps the value of the previous document or
// line.
//
// Types: texts as QString; dates as QDateTime, where an invalid (default) value is the empty
// date that is written as NULL; whole numbers as int. The header's value totals (Vrednost,
// VredValuta, ZaPlacilo, Popust, Davek, DavekDDV) are sums of line amounts and are kept as
// Money. Every other number stays double: exchange rates, quantities, percentages (discount,
// tax and excise rates) and the unit prices and prices converted from another currency,
// which are unrounded products or are taken over unchanged from the template, the item or the
// price determination; they become amounts only where a line is valued.

struct TPrometRec {
    QString Kljuc;          // document key: year (2) + business event (2) + counter (5)
    QString Referent;
    QString Oddelek;
    QString Izdajatelj;
    QString Prejemnik;      // partner name
    QString Oseba3;
    QDateTime Datum;
    QString PoslDog;
    QDateTime DatumDDV;
    QDateTime DatumVal;     // due date
    int DniZaPlac = 0;      // days to pay
    QString Valuta;
    double Tecaj = 1.0;     // exchange rate of Valuta
    QString PrejemnikZal;
    QString IzdajateljZal;
    QString PotrjeneCene;
    Money Vrednost;         // total value
    Money VredValuta;
    Money ZaPlacilo;        // total gross
    Money Popust;           // total discount
    Money Davek;            // total tax plus total excise
    Money DavekDDV;
    QString CenRazred;
    QString NacProdaje;     // sale mode
    QString Knjizen;
    double Rabat = 0.0;
    double Transport = 0.0;
    double Dajatve = 0.0;
    double NepStr = 0.0;
    double VrDavek = 0.0;
    QDateTime DatDokum1;
    QDateTime DatDokum2;
    QString Dokument1;
    QString Dokument2;
    QString Dostava;
    QString Izjava;
    QString KontOseba;
    QString KontOseba3;
    QString NacinPlac;
    QString NamenNak1;
    QString NamenNak2;
    QString NamenNak3;
    QString Oblika;
    QString OblikaFak;
    QString OblikaTL;
    QString Opomba;
    QString Sifra1;
    QString Sifra2;
    QString Sifra3;
    QString SklicNaStev1;
    QString SklicNaStev2;
    QString UserSpre;
    QString UserZap;
    QString KontoDB;
};

struct TPrometPozRec {
    QString Kljuc;          // the document key
    int Poz = 0;            // position: 1, 2, 3, ... in the order written
    QString Ident;          // item code
    QString Naziv;
    QString EM;             // unit of measure
    QString TS;             // tax code
    QString Oddelek;
    QString TSDDV;
    double DavekDDV = 0.0;  // VAT rate in percent
    QString KontoKr;
    double Kolicina = 0.0;  // quantity
    double KolicinaTemp = 0.0;
    double Cena = 0.0;      // unit price
    double Rabat = 0.0;     // discount in percent
    double Davek = 0.0;     // tax rate in percent
    double Dajatve = 0.0;
    double VpCena2P = 0.0;
    double VpCenaP = 0.0;
    double MpCenaP = 0.0;
    double NepStr = 0.0;
    double Transport = 0.0;
    double CenaZaVred = 0.0;
    double CenaValuta = 0.0;
    double MPCena = 0.0;    // retail price converted into the document's currency
    double VPCena = 0.0;
    double VPCena2 = 0.0;
    double VRDavek = 0.0;
    double ProdCena = 0.0;
    int VPoz = 0;
    double KolicPak = 0.0;
    double Trosarina = 0.0;   // excise per unit
    double TrosarinaP = 0.0;  // excise in percent
    QString FieldL;
    int Garancija = 0;
    QString Opomba;
    QString Poreklo;
    QString StevPak;
    QString TipIzjavePoreklo;
    QString UserSpre;
    QString UserZap;
    QString VKljuc;
};

// The program-wide working records (GUI thread only).
inline TPrometRec PrometRec;
inline TPrometPozRec PrometPozRec;
