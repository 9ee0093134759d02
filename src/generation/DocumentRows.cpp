#include "generation/DocumentRows.h"

#include "generation/NarocRec.h"
#include "pricing/PrometRec.h"

#include <QHash>

#include <initializer_list>
#include <utility>

namespace {

QVariant date(const QDateTime& d)
{
    return d.isValid() ? QVariant(d) : QVariant(QMetaType::fromType<QDateTime>());
}

QVariant amount(Money m)
{
    return QVariant::fromValue(m);
}

// The column name of a literal, made once: the rows of a run repeat the same few dozen names.
const QString& columnName(const char* literal)
{
    static QHash<const char*, QString> names;
    auto it = names.constFind(literal);
    if (it == names.constEnd())
        it = names.insert(literal, QString::fromLatin1(literal));
    return *it;
}

QVariantList pairs(std::initializer_list<std::pair<const char*, QVariant>> items)
{
    QVariantList list;
    list.reserve(qsizetype(items.size() * 2));
    for (const auto& [name, value] : items) {
        list << columnName(name);
        list << value;
    }
    return list;
}

} // namespace

QVariantList prometColumns(const TPrometRec& r)
{
    return pairs({
        {"Kljuc", r.Kljuc},
        {"Referent", r.Referent},
        {"Oddelek", r.Oddelek},
        {"Izdajatelj", r.Izdajatelj},
        {"Prejemnik", r.Prejemnik},
        {"Oseba3", r.Oseba3},
        {"Datum", date(r.Datum)},
        {"PoslDog", r.PoslDog},
        {"DatumDDV", date(r.DatumDDV)},
        {"DatumVal", date(r.DatumVal)},
        {"DniZaPlac", r.DniZaPlac},
        {"Valuta", r.Valuta},
        {"Tecaj", r.Tecaj},
        {"PrejemnikZal", r.PrejemnikZal},
        {"IzdajateljZal", r.IzdajateljZal},
        {"PotrjeneCene", r.PotrjeneCene},
        {"Vrednost", amount(r.Vrednost)},
        {"VredValuta", amount(r.VredValuta)},
        {"ZaPlacilo", amount(r.ZaPlacilo)},
        {"Popust", amount(r.Popust)},
        {"Davek", amount(r.Davek)},
        {"DavekDDV", amount(r.DavekDDV)},
        {"CenRazred", r.CenRazred},
        {"NacProdaje", r.NacProdaje},
        {"Knjizen", r.Knjizen},
        {"Rabat", r.Rabat},
        {"Transport", r.Transport},
        {"Dajatve", r.Dajatve},
        {"NepStr", r.NepStr},
        {"VrDavek", r.VrDavek},
        {"DatDokum1", date(r.DatDokum1)},
        {"DatDokum2", date(r.DatDokum2)},
        {"Dokument1", r.Dokument1},
        {"Dokument2", r.Dokument2},
        {"Dostava", r.Dostava},
        {"Izjava", r.Izjava},
        {"KontOseba", r.KontOseba},
        {"KontOseba3", r.KontOseba3},
        {"NacinPlac", r.NacinPlac},
        {"NamenNak1", r.NamenNak1},
        {"NamenNak2", r.NamenNak2},
        {"NamenNak3", r.NamenNak3},
        {"Oblika", r.Oblika},
        {"OblikaFak", r.OblikaFak},
        {"OblikaTL", r.OblikaTL},
        {"Opomba", r.Opomba},
        {"Sifra1", r.Sifra1},
        {"Sifra2", r.Sifra2},
        {"Sifra3", r.Sifra3},
        {"SklicNaStev1", r.SklicNaStev1},
        {"SklicNaStev2", r.SklicNaStev2},
        {"UserSpre", r.UserSpre},
        {"UserZap", r.UserZap},
        {"KontoDB", r.KontoDB},
    });
}

QVariantList prometPozColumns(const TPrometPozRec& p)
{
    return pairs({
        {"Kljuc", p.Kljuc},
        {"Poz", p.Poz},
        {"Ident", p.Ident},
        {"Naziv", p.Naziv},
        {"EM", p.EM},
        {"TS", p.TS},
        {"Oddelek", p.Oddelek},
        {"TSDDV", p.TSDDV},
        {"DavekDDV", p.DavekDDV},
        {"KontoKr", p.KontoKr},
        {"Kolicina", p.Kolicina},
        {"KolicinaTemp", p.KolicinaTemp},
        {"Cena", p.Cena},
        {"Rabat", p.Rabat},
        {"Davek", p.Davek},
        {"Dajatve", p.Dajatve},
        {"VpCena2P", p.VpCena2P},
        {"VpCenaP", p.VpCenaP},
        {"MpCenaP", p.MpCenaP},
        {"NepStr", p.NepStr},
        {"Transport", p.Transport},
        {"CenaZaVred", p.CenaZaVred},
        {"CenaValuta", p.CenaValuta},
        {"MPCena", p.MPCena},
        {"VPCena", p.VPCena},
        {"VPCena2", p.VPCena2},
        {"VRDavek", p.VRDavek},
        {"ProdCena", p.ProdCena},
        {"VPoz", p.VPoz},
        {"KolicPak", p.KolicPak},
        {"Trosarina", p.Trosarina},
        {"TrosarinaP", p.TrosarinaP},
        {"FieldL", p.FieldL},
        {"Garancija", p.Garancija},
        {"Opomba", p.Opomba},
        {"Poreklo", p.Poreklo},
        {"StevPak", p.StevPak},
        {"TipIzjavePoreklo", p.TipIzjavePoreklo},
        {"UserSpre", p.UserSpre},
        {"UserZap", p.UserZap},
        {"VKljuc", p.VKljuc},
    });
}

QVariantList narocColumns(const TNarocRec& r)
{
    return pairs({
        {"Datum", date(r.Datum)},
        {"PoslDog", r.PoslDog},
        {"Potrjeno", r.Potrjeno},
        {"Referent", r.Referent},
        {"Oddelek", r.Oddelek},
        {"CenRazred", r.CenRazred},
        {"NacProdaje", r.NacProdaje},
        {"DniZaPlac", r.DniZaPlac},
        {"DniZaVelj", r.DniZaVelj},
        {"DatumVelj", date(r.DatumVelj)},
        {"Valuta", r.Valuta},
        {"Kljuc", r.Kljuc},
        {"Narocnik", r.Narocnik},
        {"NacinPlac", r.NacinPlac},
        {"Dostava", r.Dostava},
        {"KontOseba", r.KontOseba},
        {"KontOseba3", r.KontOseba3},
        {"Prejemnik", r.Prejemnik},
        {"UserSpre", r.UserSpre},
        {"UserZap", r.UserZap},
        {"DatDokum1", date(r.DatDokum1)},
        {"DatDokum2", date(r.DatDokum2)},
        {"Davek", amount(r.Davek)},
        {"Dokument1", r.Dokument1},
        {"Dokument2", r.Dokument2},
        {"Izjava", r.Izjava},
        {"Opomba", r.Opomba},
        {"Popust", amount(r.Popust)},
        {"RokDobave", date(r.RokDobave)},
        {"Vrednost", amount(r.Vrednost)},
        {"ZaPlacilo", amount(r.ZaPlacilo)},
    });
}

QVariantList narocPozColumns(const TNarocPozRec& p)
{
    return pairs({
        {"Cena", p.Cena},
        {"Davek", p.Davek},
        {"EM", p.EM},
        {"Ident", p.Ident},
        {"Kljuc", p.Kljuc},
        {"Kolicina", p.Kolicina},
        {"KolicinaOdpr", p.KolicinaOdpr},
        {"KolicPak", p.KolicPak},
        {"Naziv", p.Naziv},
        {"Opomba", p.Opomba},
        {"Poz", p.Poz},
        {"ProdCena", p.ProdCena},
        {"Rabat", p.Rabat},
        {"RokDobave", date(p.RokDobave)},
        {"Trosarina", p.Trosarina},
        {"TrosarinaP", p.TrosarinaP},
        {"TS", p.TS},
        {"UserSpre", p.UserSpre},
        {"UserZap", p.UserZap},
        {"VKljuc", p.VKljuc},
        {"VPoz", p.VPoz},
    });
}

void setKeyColumn(QVariantList& columns, const QString& key)
{
    for (qsizetype i = 0; i + 1 < columns.size(); i += 2) {
        const QVariant& name = std::as_const(columns)[i];
        const bool isKey = name.typeId() == QMetaType::QString
            ? static_cast<const QString*>(name.constData())->compare(QLatin1String("Kljuc"), Qt::CaseInsensitive) == 0
            : name.toString().compare(QLatin1String("Kljuc"), Qt::CaseInsensitive) == 0;
        if (isKey) {
            columns[i + 1] = key;
            return;   // a row names each column once
        }
    }
}
