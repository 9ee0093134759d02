#include "generation/DocumentRows.h"

#include "generation/NarocRec.h"
#include "pricing/PrometRec.h"

#include <QHash>

namespace {

// The column name of a literal, made once: the rows of a run repeat the same few dozen names.
const QString& columnName(const char* literal)
{
    static QHash<const char*, QString> names;
    auto it = names.constFind(literal);
    if (it == names.constEnd())
        it = names.insert(literal, QString::fromLatin1(literal));
    return *it;
}

// Collects a row's columns as QVariants (names and values alternating).
class PairsSink {
public:
    void add(const char* name, const QString& v) { put(name, v); }
    void add(const char* name, int v) { put(name, v); }
    void add(const char* name, double v) { put(name, v); }
    void add(const char* name, Money v) { put(name, QVariant::fromValue(v)); }
    // An invalid date-time, the empty date, is a NULL of its type.
    void add(const char* name, const QDateTime& v)
    {
        put(name, v.isValid() ? QVariant(v) : QVariant(QMetaType::fromType<QDateTime>()));
    }
    QVariantList list;

private:
    void put(const char* name, QVariant value)
    {
        list << columnName(name);
        list << std::move(value);
    }
};

template <class Sink>
void prometFields(const TPrometRec& r, Sink& s)
{
    s.add("Kljuc", r.Kljuc);
    s.add("Referent", r.Referent);
    s.add("Oddelek", r.Oddelek);
    s.add("Izdajatelj", r.Izdajatelj);
    s.add("Prejemnik", r.Prejemnik);
    s.add("Oseba3", r.Oseba3);
    s.add("Datum", r.Datum);
    s.add("PoslDog", r.PoslDog);
    s.add("DatumDDV", r.DatumDDV);
    s.add("DatumVal", r.DatumVal);
    s.add("DniZaPlac", r.DniZaPlac);
    s.add("Valuta", r.Valuta);
    s.add("Tecaj", r.Tecaj);
    s.add("PrejemnikZal", r.PrejemnikZal);
    s.add("IzdajateljZal", r.IzdajateljZal);
    s.add("PotrjeneCene", r.PotrjeneCene);
    s.add("Vrednost", r.Vrednost);
    s.add("VredValuta", r.VredValuta);
    s.add("ZaPlacilo", r.ZaPlacilo);
    s.add("Popust", r.Popust);
    s.add("Davek", r.Davek);
    s.add("DavekDDV", r.DavekDDV);
    s.add("CenRazred", r.CenRazred);
    s.add("NacProdaje", r.NacProdaje);
    s.add("Knjizen", r.Knjizen);
    s.add("Rabat", r.Rabat);
    s.add("Transport", r.Transport);
    s.add("Dajatve", r.Dajatve);
    s.add("NepStr", r.NepStr);
    s.add("VrDavek", r.VrDavek);
    s.add("DatDokum1", r.DatDokum1);
    s.add("DatDokum2", r.DatDokum2);
    s.add("Dokument1", r.Dokument1);
    s.add("Dokument2", r.Dokument2);
    s.add("Dostava", r.Dostava);
    s.add("Izjava", r.Izjava);
    s.add("KontOseba", r.KontOseba);
    s.add("KontOseba3", r.KontOseba3);
    s.add("NacinPlac", r.NacinPlac);
    s.add("NamenNak1", r.NamenNak1);
    s.add("NamenNak2", r.NamenNak2);
    s.add("NamenNak3", r.NamenNak3);
    s.add("Oblika", r.Oblika);
    s.add("OblikaFak", r.OblikaFak);
    s.add("OblikaTL", r.OblikaTL);
    s.add("Opomba", r.Opomba);
    s.add("Sifra1", r.Sifra1);
    s.add("Sifra2", r.Sifra2);
    s.add("Sifra3", r.Sifra3);
    s.add("SklicNaStev1", r.SklicNaStev1);
    s.add("SklicNaStev2", r.SklicNaStev2);
    s.add("UserSpre", r.UserSpre);
    s.add("UserZap", r.UserZap);
    s.add("KontoDB", r.KontoDB);
}

template <class Sink>
void prometPozFields(const TPrometPozRec& p, Sink& s)
{
    s.add("Kljuc", p.Kljuc);
    s.add("Poz", p.Poz);
    s.add("Ident", p.Ident);
    s.add("Naziv", p.Naziv);
    s.add("EM", p.EM);
    s.add("TS", p.TS);
    s.add("Oddelek", p.Oddelek);
    s.add("TSDDV", p.TSDDV);
    s.add("DavekDDV", p.DavekDDV);
    s.add("KontoKr", p.KontoKr);
    s.add("Kolicina", p.Kolicina);
    s.add("KolicinaTemp", p.KolicinaTemp);
    s.add("Cena", p.Cena);
    s.add("Rabat", p.Rabat);
    s.add("Davek", p.Davek);
    s.add("Dajatve", p.Dajatve);
    s.add("VpCena2P", p.VpCena2P);
    s.add("VpCenaP", p.VpCenaP);
    s.add("MpCenaP", p.MpCenaP);
    s.add("NepStr", p.NepStr);
    s.add("Transport", p.Transport);
    s.add("CenaZaVred", p.CenaZaVred);
    s.add("CenaValuta", p.CenaValuta);
    s.add("MPCena", p.MPCena);
    s.add("VPCena", p.VPCena);
    s.add("VPCena2", p.VPCena2);
    s.add("VRDavek", p.VRDavek);
    s.add("ProdCena", p.ProdCena);
    s.add("VPoz", p.VPoz);
    s.add("KolicPak", p.KolicPak);
    s.add("Trosarina", p.Trosarina);
    s.add("TrosarinaP", p.TrosarinaP);
    s.add("FieldL", p.FieldL);
    s.add("Garancija", p.Garancija);
    s.add("Opomba", p.Opomba);
    s.add("Poreklo", p.Poreklo);
    s.add("StevPak", p.StevPak);
    s.add("TipIzjavePoreklo", p.TipIzjavePoreklo);
    s.add("UserSpre", p.UserSpre);
    s.add("UserZap", p.UserZap);
    s.add("VKljuc", p.VKljuc);
}

template <class Sink>
void narocFields(const TNarocRec& r, Sink& s)
{
    s.add("Datum", r.Datum);
    s.add("PoslDog", r.PoslDog);
    s.add("Potrjeno", r.Potrjeno);
    s.add("Referent", r.Referent);
    s.add("Oddelek", r.Oddelek);
    s.add("CenRazred", r.CenRazred);
    s.add("NacProdaje", r.NacProdaje);
    s.add("DniZaPlac", r.DniZaPlac);
    s.add("DniZaVelj", r.DniZaVelj);
    s.add("DatumVelj", r.DatumVelj);
    s.add("Valuta", r.Valuta);
    s.add("Kljuc", r.Kljuc);
    s.add("Narocnik", r.Narocnik);
    s.add("NacinPlac", r.NacinPlac);
    s.add("Dostava", r.Dostava);
    s.add("KontOseba", r.KontOseba);
    s.add("KontOseba3", r.KontOseba3);
    s.add("Prejemnik", r.Prejemnik);
    s.add("UserSpre", r.UserSpre);
    s.add("UserZap", r.UserZap);
    s.add("DatDokum1", r.DatDokum1);
    s.add("DatDokum2", r.DatDokum2);
    s.add("Davek", r.Davek);
    s.add("Dokument1", r.Dokument1);
    s.add("Dokument2", r.Dokument2);
    s.add("Izjava", r.Izjava);
    s.add("Opomba", r.Opomba);
    s.add("Popust", r.Popust);
    s.add("RokDobave", r.RokDobave);
    s.add("Vrednost", r.Vrednost);
    s.add("ZaPlacilo", r.ZaPlacilo);
}

template <class Sink>
void narocPozFields(const TNarocPozRec& p, Sink& s)
{
    s.add("Cena", p.Cena);
    s.add("Davek", p.Davek);
    s.add("EM", p.EM);
    s.add("Ident", p.Ident);
    s.add("Kljuc", p.Kljuc);
    s.add("Kolicina", p.Kolicina);
    s.add("KolicinaOdpr", p.KolicinaOdpr);
    s.add("KolicPak", p.KolicPak);
    s.add("Naziv", p.Naziv);
    s.add("Opomba", p.Opomba);
    s.add("Poz", p.Poz);
    s.add("ProdCena", p.ProdCena);
    s.add("Rabat", p.Rabat);
    s.add("RokDobave", p.RokDobave);
    s.add("Trosarina", p.Trosarina);
    s.add("TrosarinaP", p.TrosarinaP);
    s.add("TS", p.TS);
    s.add("UserSpre", p.UserSpre);
    s.add("UserZap", p.UserZap);
    s.add("VKljuc", p.VKljuc);
    s.add("VPoz", p.VPoz);
}


// The columns of a record as QVariants.
template <class Rec>
QVariantList pairsOf(const Rec& r, void (*fields)(const Rec&, PairsSink&))
{
    PairsSink sink;
    sink.list.reserve(96);
    fields(r, sink);
    return std::move(sink.list);
}

// The row of a record as text; the names' text is made once for every kind of row.
template <class Rec>
SqlRow rowOf(const Rec& r, void (*fields)(const Rec&, SqlRowWriter&), void (*names)(const Rec&, SqlRowNames&))
{
    static const QString namesText = [&] {
        SqlRowNames collected;
        names(Rec{}, collected);
        return collected.text();
    }();
    SqlRow row;
    row.names = namesText;
    SqlRowWriter writer(row);
    fields(r, writer);
    writer.finish();
    return row;
}

} // namespace

QVariantList prometColumns(const TPrometRec& r) { return pairsOf(r, prometFields<PairsSink>); }
QVariantList prometPozColumns(const TPrometPozRec& p) { return pairsOf(p, prometPozFields<PairsSink>); }
QVariantList narocColumns(const TNarocRec& r) { return pairsOf(r, narocFields<PairsSink>); }
QVariantList narocPozColumns(const TNarocPozRec& p) { return pairsOf(p, narocPozFields<PairsSink>); }

SqlRow prometRow(const TPrometRec& r)
{
    return rowOf(r, prometFields<SqlRowWriter>, prometFields<SqlRowNames>);
}

SqlRow prometPozRow(const TPrometPozRec& p)
{
    return rowOf(p, prometPozFields<SqlRowWriter>, prometPozFields<SqlRowNames>);
}

SqlRow narocRow(const TNarocRec& r)
{
    return rowOf(r, narocFields<SqlRowWriter>, narocFields<SqlRowNames>);
}

SqlRow narocPozRow(const TNarocPozRec& p)
{
    return rowOf(p, narocPozFields<SqlRowWriter>, narocPozFields<SqlRowNames>);
}
