#pragma once
#include <QDateTime>
#include <QString>

// Current master records: the rows that the master-data lookups (MasterLookups.h) last read.
//
// Each record has one member per selected column, named after the column and in the order of
// the lookup's select list: texts as QString, floating numbers as double, integers as int,
// date-times as QDateTime, where the invalid (default) QDateTime is the date value 0 (a NULL
// date column reads as 0 too). Key is the key of the last successful read; an emptied record
// has empty texts, zero numbers, date 0 and an empty Key (FindPoslDog keeps the absent code as
// its Key, see there).
//
// The records are program-wide and shared by every caller: read the fields you need right after
// the lookup that filled them, before another lookup of the same kind replaces them.

// Item (table MS). Key is the item code, or the LIKE pattern that found the row.
struct TMSRec {
    QString Key;
    QString Aktivno;
    QString CarTarifa;
    double Cena = 0.0;
    double CenaDob = 0.0;
    double Dajatve = 0.0;
    double Davek = 0.0;
    double DimGlobina = 0.0;
    double DimSirina = 0.0;
    double DimTeza = 0.0;
    double DimTezaBruto = 0.0;
    double DimVisina = 0.0;
    QString Dobavitelj;
    QString EM;
    QString EM2;
    QString EM3;
    QString EMDim1;
    QString EMDim2;
    QString EMSarza;
    double EMToDeklaracija = 0.0;
    double EMToEM2 = 0.0;
    double EMToEM3 = 0.0;
    QString Evidencno;
    double FieldNA = 0.0;
    double FieldNB = 0.0;
    QString FieldSA;
    QString FieldSB;
    QString FieldSC;
    QString Formula;
    int Garancija = 0;
    QString IzpisDeklaracija;
    QString IzracunKalk;
    double Kalo = 0.0;
    QString Klasif;
    QString Klasif2;
    double KlasifPod = 0.0;
    QString Koda;
    double KolicSarza = 0.0;
    QString KolicVKodi;
    QString Konto;
    double MaxZaloga = 0.0;
    double MinZaloga = 0.0;
    double MPCena = 0.0;
    double MPCenaP = 0.0;
    double NabaCena = 0.0;
    QString NarocPreVProiz;
    QString Naziv;
    double NepStr = 0.0;
    QString Normirano;
    QString Oddelek;
    double OptZaloga = 0.0;
    double Popust = 0.0;
    QString Poreklo;
    QString PorekloTipIzjava;
    QString PoslDogProiz;
    double ProdCena = 0.0;
    double Rabat = 0.0;
    QString SerialNo;
    double Sestavnica = 0.0;
    double SestavnicaP = 0.0;
    QString Stolpec;
    QString TipIzjavePoreklo;
    double Transport = 0.0;
    double Trosarina = 0.0;
    double TrosarinaP = 0.0;
    QString TS;
    QString TSZnizana;
    QString Valuta;
    QString ValutaDob;
    double VPCena = 0.0;
    double VPCena2 = 0.0;
    double VPCena2P = 0.0;
    double VPCenaP = 0.0;
    double VRDavek = 0.0;
    QString VrstaMS;
};

// Partner (table Subjekt), keyed by its name Naziv. The fields with the prefix Dob are the
// partner's terms as a supplier, the others its terms as a customer.
struct TSubjRec {
    QString Key;
    QString Banka;
    QString CenRazred;
    QDateTime DatumInvent;
    QDateTime DatumIzj;
    QDateTime DatumLim;
    QString Delavec;
    int DniZaPlac = 0;
    QString Dobavitelj;
    QDateTime DobDatumIzj;
    QDateTime DobDatumLim;
    int DobDniZaPlac = 0;
    QString DobDostava;
    QString DobIzjava;
    QString DobLetnaIzjava;
    double DobLimit = 0.0;
    QString DobNacinPlac;
    QString DobNacIzrCene;
    QString DobNacProdaje;
    double DobRabat = 0.0;
    QString DobReferent;
    QString DobValuta;
    QString Dostava;
    QString Drzava;
    QString Fax;
    QString Geslo;
    QString Izjava;
    int KM = 0;
    QString KrajSkup;
    QString Kupec;
    QString LetnaIzjava;
    double Limit = 0.0;
    QString MaticnaStev;
    QString Ziro3;
    QString NacinPlac;
    QString NacIzrCene;
    QString NacProdaje;
    QString Naslov;
    QString Naziv2;
    QString Obcina;
    QString Oddelek;
    QString Placnik;
    QString Posta;
    double Rabat = 0.0;
    QString Referent;
    QString ZalVMinus;
    QString SifDejavnost;
    QString Sifra;
    QString Skladisce;
    QString Sola;
    QString Tel;
    QString TipPartnerjaI;
    QString TipPartnerjaO;
    QString Uporabnik;
    QString Ustanova;
    QString Valuta;
    QString VirPrty;
    QString VirZiro23;
    QString VodZaloge;
    QString VredZaloge;
    QString Ziro1;
    QString Ziro2;
};

// Business event (table PoslDog), keyed by its code.
struct TPoslDogRec {
    QString Key;
    QString Evidencno;
    QString FazaA;
    QString FazaC;
    QString FazaD;
    QString FazaF;
    QString FazaG;
    QString FazaH;
    QString FazaK;
    QString FazaR;
    QString Izdajatelj;
    QString IzdPriOdpStanju;
    QString KontoDB;
    QString KontoKR;
    QString MPTipDob;
    QString MPTipInt;
    QString MPTipNeMat;
    QString MPTipRMA;
    QString MPTipRMADob;
    QString MPTipRMAKup;
    QString MPVrednost;
    QString Naziv;
    QString Naziv2;
    QString Naziv3;
    QString NazivDok1;
    QString NazivDok2;
    QString NazivIzd;
    QString NazivKratki;
    QString NazivPre;
    QString ObvezenDok1;
    QString ObvezenDok2;
    QString ObvezenOddelek;
    QString Oddelek;
    QString ODNamenNakBanka;
    QString ODNamenNakKred;
    QString ODNamenNakPrDel;
    QString ODNamenNakPrPod;
    QString ODObdobjeVirKred;
    QString Oseba3;
    QString PolNabCene;
    QString PolnenjeCene;
    QString PolPreCene;
    QString PolProdCene;
    QString PoslDogZaZbirno;
    QString PotNalDnev;
    QString PotNalDrStr;
    QString PotNalDrStr1;
    QString PotNalDrStr2;
    QString PotNalDrStr3;
    QString PotNalDrStr4;
    QString PotNalDrStr5;
    QString PotNalKilo;
    int PotNalKMNad = 0;
    double PotNalVredKM1 = 0.0;
    double PotNalVredKM2 = 0.0;
    QString Prejemnik;
    QString ProizFormKaloBlago;
    QString ProizFormKaloEmbalaza;
    QString ProizFormKaloMaterial;
    QString ProizFormKaloProizvod;
    QString ProizFormKaloStoritev;
    QString ProizFormOdgBlago;
    QString ProizFormOdgEmbalaza;
    QString ProizFormOdgMaterial;
    QString ProizFormOdgProizvod;
    QString ProizFormOdgStoritev;
    QString ProizFormulaBlago;
    QString ProizFormulaEmbalaza;
    QString ProizFormulaKalo;
    QString ProizFormulaMaterial;
    QString ProizFormulaProizvod;
    QString ProizFormulaStoritev;
    QString ProizIzdBlago;
    QString ProizIzdEmbalaza;
    QString ProizIzdKalo;
    QString ProizIzdKaloBlago;
    QString ProizIzdKaloEmbalaza;
    QString ProizIzdKaloMaterial;
    QString ProizIzdKaloProizvod;
    QString ProizIzdKaloStoritev;
    QString ProizIzdMaterial;
    QString ProizIzdOdgBlago;
    QString ProizIzdOdgEmbalaza;
    QString ProizIzdOdgMaterial;
    QString ProizIzdOdgProizvod;
    QString ProizIzdOdgStoritev;
    QString ProizIzdProizvod;
    QString ProizIzdRazst;
    QString ProizIzdStoritev;
    QString ProizPreKalo;
    QString ProizPreOdgorek;
    QString ProizPreProizvod;
    QString ProizPreRazst;
    QString PrometZOS;
    QString StranKnj;
    QString Tip;
    QString VirKrajDatum;
    QString VirNamenNak2;
    QString VirNamenNak2DOK;
    QString VirNamenNak3;
    QString VirOrgEnota;
    QString VirPolniDatum;
    QString VirPoslDog;
    QString VirPrty;
    QString VirSifra1;
    QString VirSifra2;
    QString VirSifra3;
    QString VirVBreme1;
    QString VirVBreme2;
    QString VirVBreme3;
    QString VirZiroBreme1;
    QString VirZiroBreme2;
    QString VirZiroBreme3;
    QString VirZiroBreme3Dok;
    QString VirZiroDobro2;
    QString VirZiroDobro3;
    QString VirZiroDobro3Dok;
    QString Vrsta;
    QString VrstaDnev;
    QString VrstaTrga;
};

// Item kind (table VrstaMS).
struct TVrstaMSRec {
    QString Key;
    QString Naziv;
    QString Tip;
};

// Tax rate (table TarSt), keyed by TS. Davek is the rate in percent.
struct TTarStRec {
    QString Key;
    QString Naziv;
    QString TarifStev;
    double Davek = 0.0;
    QString DDVSeObracuna;
    QString KontoKR;
    QString KontoVRDavekDB;
    QString KontoVRDavekKR;
    QString DDVSeUposteva;
};

// Price formula (table MsFormula), keyed by Sifra.
struct TMsFormRec {
    QString Key;
    QString Naziv;
    QString Formula;
};

// The program-wide current records (GUI thread only).
inline TMSRec MSRec;
inline TSubjRec SubjRec;
inline TPoslDogRec PoslDogRec;
inline TVrstaMSRec VrstaMSRec;
inline TTarStRec TarStRec;
inline TMsFormRec MsFormRec;
