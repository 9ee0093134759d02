#include "generation/OrderDefaults.h"

#include "data/DataSif.h"
#include "data/log/Guard.h"
#include "data/core/ProgramState.h"
#include "data/core/TextRoutines.h"
#include "generation/NarocRec.h"
#include "pricing/MasterLookups.h"
#include "pricing/MasterRecords.h"

void tbNarocDefaultValue(const QString& e, const QDate& today)
{
    guard(QStringLiteral("tbNarocDefaultValue"), nullptr, [&] {
        TNarocRec& r = NarocRec;
        FindPoslDog(e);
        const int dniZaVelj = ParamAsInteger(QStringLiteral("NAROCDNIZAVELJ"));
        r.Datum = today.startOfDay();
        r.PoslDog = e;
        r.Potrjeno = QStringLiteral("F");
        r.Referent = CurrentUserID;
        r.Oddelek = PoslDogRec.Oddelek.isEmpty() ? CurrentUserDepartment : PoslDogRec.Oddelek;
        r.CenRazred = QStringLiteral("1");
        r.NacProdaje = QStringLiteral("K");
        r.DniZaPlac = 0;
        r.DniZaVelj = dniZaVelj;
        r.DatumVelj = today.addDays(dniZaVelj).startOfDay();
        r.Valuta = ParamAsString(QStringLiteral("NASAVALUTA"));
        r.Kljuc = YearS(2, today) + e + QStringLiteral("?????");
        r.Narocnik = PoslDogRec.Prejemnik;
        r.NacinPlac.clear();
        r.Dostava.clear();
        r.KontOseba.clear();
        r.KontOseba3.clear();
        r.Prejemnik = PoslDogRec.Oseba3;
        r.UserSpre = CurrentUserID;
        r.UserZap = CurrentUserID;
        r.DatDokum1 = r.DatDokum2 = r.RokDobave = QDateTime();
        r.Davek = r.Popust = r.Vrednost = r.ZaPlacilo = Money();
        r.Dokument1.clear();
        r.Dokument2.clear();
        r.Izjava.clear();
        r.Opomba.clear();
    });
}

void tbNarocPozDefaultValue()
{
    guard(QStringLiteral("tbNarocPozDefaultValue"), nullptr, [&] {
        TNarocPozRec& p = NarocPozRec;
        for (double* number : {&p.Cena, &p.Davek, &p.Kolicina, &p.KolicinaOdpr, &p.KolicPak, &p.ProdCena, &p.Rabat,
                               &p.Trosarina, &p.TrosarinaP})
            *number = 0.0;
        p.Poz = 0;
        p.VPoz = 0;
        for (QString* text : {&p.EM, &p.Ident, &p.Kljuc, &p.Naziv, &p.Opomba, &p.TS, &p.VKljuc})
            text->clear();
        p.RokDobave = QDateTime();
        p.UserSpre = CurrentUserID;
        p.UserZap = CurrentUserID;
    });
}
