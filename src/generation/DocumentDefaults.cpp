#include "generation/DocumentDefaults.h"

#include "data/DataSif.h"
#include "data/log/Guard.h"
#include "data/core/ProgramState.h"
#include "data/core/TextRoutines.h"
#include "pricing/MasterLookups.h"
#include "pricing/MasterRecords.h"
#include "pricing/PrometRec.h"

bool vatModeOn()
{
    return VatMode;
}

void tbPrometDefaultValue(const QString& e, const QDate& today)
{
    guard(QStringLiteral("PrometDefaultValue"), nullptr, [&] {
        TPrometRec& r = PrometRec;
        const QDateTime day = today.startOfDay();
        FindPoslDog(e);
        r.Kljuc = YearS(2, today) + e + QStringLiteral("?????");
        r.Referent = CurrentUserID;
        r.Oddelek = PoslDogRec.Oddelek.isEmpty() ? CurrentUserDepartment : PoslDogRec.Oddelek;
        r.Izdajatelj = PoslDogRec.Izdajatelj;
        r.Prejemnik = PoslDogRec.Prejemnik;
        r.Oseba3 = PoslDogRec.Oseba3;
        r.Datum = day;
        r.PoslDog = e;
        r.DatumDDV = day;
        r.DatumVal = day;
        r.DniZaPlac = 0;
        r.Valuta = RunParamAsString(QStringLiteral("NASAVALUTA"));
        r.Tecaj = 1.0;
        r.PrejemnikZal = QStringLiteral("N");
        r.IzdajateljZal = QStringLiteral("N");
        r.PotrjeneCene = QStringLiteral("F");
        r.Vrednost = r.VredValuta = r.ZaPlacilo = r.Popust = r.Davek = r.DavekDDV = Money();
        r.CenRazred = QStringLiteral("1");
        r.NacProdaje = QStringLiteral("K");
        r.Knjizen = QStringLiteral("F");
        r.Rabat = r.Transport = r.Dajatve = r.NepStr = r.VrDavek = 0.0;
        r.DatDokum1 = r.DatDokum2 = QDateTime();
        for (QString* text : {&r.Dokument1, &r.Dokument2, &r.Dostava, &r.Izjava, &r.KontoDB, &r.KontOseba,
                              &r.KontOseba3, &r.NacinPlac, &r.NamenNak1, &r.NamenNak2, &r.NamenNak3, &r.Oblika,
                              &r.OblikaFak, &r.OblikaTL, &r.Opomba, &r.Sifra1, &r.Sifra2, &r.Sifra3,
                              &r.SklicNaStev1, &r.SklicNaStev2})
            text->clear();
        r.UserSpre = CurrentUserID;
        r.UserZap = CurrentUserID;
        // The business event's default partner.
        if (PoslDogRec.Tip == QLatin1String("I") || PoslDogRec.Tip == QLatin1String("M")) {
            const QString prejemnik = PoslDogRec.Prejemnik;
            if (!prejemnik.isEmpty() && FindSubj(prejemnik))
                tbPrometSubjDefaultValue(prejemnik, QStringLiteral("I"));
        }
    });
}

void tbPrometSubjDefaultValue(const QString& n, const QString& /*side*/)
{
    guard(QStringLiteral("PrometSubjDefaultValue"), nullptr, [&] {
        TPrometRec& r = PrometRec;
        TestSubjekt(n);
        r.CenRazred = SubjRec.CenRazred;
        if (RunParamAsString(QStringLiteral("POLNIREFIZSUBJ")) == QLatin1String("T"))
            r.Referent = SubjRec.Referent;
        r.Izjava = SubjRec.Izjava;
        r.NacProdaje = SubjRec.NacProdaje;
        r.NacinPlac = SubjRec.NacinPlac;
        r.Dostava = SubjRec.Dostava;
        r.Valuta = SubjRec.Valuta;
        r.DniZaPlac = SubjRec.DniZaPlac;
        if (!SubjRec.LetnaIzjava.isEmpty()) {
            r.Dokument1 = SubjRec.LetnaIzjava;
            r.DatDokum1 = SubjRec.DatumIzj;
        }
        r.Tecaj = PoisciTecaj(RunParamAsString(QStringLiteral("BANKASLOVENIJE")), r.Valuta, r.Datum);
        r.DatumVal = r.DatumDDV.addDays(r.DniZaPlac);
    });
}

void tbPrometPozDefaultValue()
{
    guard(QStringLiteral("tbPrometPozDefaultValue"), nullptr, [&] {
        TPrometPozRec& p = PrometPozRec;
        for (double* number : {&p.Kolicina, &p.KolicinaTemp, &p.Cena, &p.Rabat, &p.Davek, &p.Dajatve, &p.VpCena2P,
                               &p.VpCenaP, &p.MpCenaP, &p.NepStr, &p.Transport, &p.CenaZaVred, &p.CenaValuta,
                               &p.MPCena, &p.VPCena, &p.VPCena2, &p.VRDavek, &p.ProdCena, &p.KolicPak, &p.Trosarina,
                               &p.TrosarinaP, &p.DavekDDV})
            *number = 0.0;
        p.VPoz = 0;
        p.Garancija = 0;
        p.Poz = 0;
        for (QString* text : {&p.EM, &p.Ident, &p.Kljuc, &p.KontoKr, &p.Naziv, &p.Oddelek, &p.Opomba, &p.Poreklo,
                              &p.StevPak, &p.TipIzjavePoreklo, &p.TS, &p.TSDDV, &p.VKljuc})
            text->clear();
        p.FieldL = QStringLiteral("F");
        p.UserSpre = CurrentUserID;
        p.UserZap = CurrentUserID;
    });
}

void tbPrometPozIdentDefaultValue(const QString& /*side*/)
{
    guard(QStringLiteral("PrometPozIdentDefaultValue"), nullptr, [&] {
        TPrometPozRec& p = PrometPozRec;
        const TPrometRec& h = PrometRec;
        FindMS(p.Ident);
        const double f = PoisciTecajCenik(MSRec.Valuta, h.Valuta, h.Datum);
        p.Ident = MSRec.Key;
        p.Naziv = MSRec.Naziv;
        p.EM = MSRec.EM;
        p.TS = MSRec.TS;
        p.Oddelek = MSRec.Oddelek.isEmpty() ? h.Oddelek : MSRec.Oddelek;
        p.Davek = MSRec.Davek;
        if (FindPoslDog(h.PoslDog) && PoslDogRec.PolPreCene == QLatin1String("T")) {
            p.Rabat = MSRec.Rabat;
            p.Transport = MSRec.Transport;
            p.Dajatve = MSRec.Dajatve;
            p.NepStr = MSRec.NepStr;
            p.VRDavek = MSRec.VRDavek;
            p.CenaZaVred = MSRec.NabaCena;
            p.CenaValuta = MSRec.CenaDob * f;
            p.Cena = p.CenaValuta * f;
        }
        p.VpCena2P = MSRec.VPCena2P;
        p.VpCenaP = MSRec.VPCenaP;
        p.MpCenaP = MSRec.MPCenaP;
        p.Garancija = MSRec.Garancija;
        p.MPCena = MSRec.MPCena * f;
        p.VPCena = MSRec.VPCena * f;
        p.VPCena2 = MSRec.VPCena2 * f;
        p.ProdCena = MSRec.ProdCena * f;
        p.Trosarina = MSRec.Trosarina;
        p.TrosarinaP = MSRec.TrosarinaP;
        if (vatModeOn()) {
            p.TSDDV = MSRec.TS;
            p.DavekDDV = FindTarSt(p.TSDDV) ? TarStRec.Davek : 0.0;
        }
    });
}

void tbDolociDavekPoz(const QString& m, const QString& i, QString& ts, double& davek, double& trosarina,
                      double& trosarinaP)
{
    guard(QStringLiteral("DolociDavekPoz"), nullptr, [&] {
        QString mode = m;
        FindMS(i);
        const bool vat = vatModeOn();
        if (!vat && FindVrstaMS(MSRec.VrstaMS) && VrstaMSRec.Tip == QLatin1String("S"))
            mode = QStringLiteral("K");
        const QString noTax = RunParamAsString(QStringLiteral("TSBREZDAVKA"));
        if (mode.isEmpty())
            ts = noTax;
        else if (vat)
            ts = mode.startsWith(u'I') ? noTax : MSRec.TS;
        else if (mode.startsWith(u'K'))
            ts = MSRec.TS;
        else if (mode.startsWith(u'Z'))
            ts = MSRec.TSZnizana;
        else
            ts = noTax;
        davek = FindTarSt(ts) ? TarStRec.Davek : 0.0;
        trosarina = MSRec.Trosarina;
        trosarinaP = MSRec.TrosarinaP;
    });
}
