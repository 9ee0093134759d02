#include "pricing/MasterRecordFields.h"

#include <array>

namespace {

// Column F of the record type in scope: the column name and the member of the same name.
#define F(column) RecordField<Rec>{#column, &Rec::column}

const auto& msFields()
{
    using Rec = TMSRec;
    static const std::array<RecordField<Rec>, 74> fields{{
        F(Aktivno), F(CarTarifa), F(Cena), F(CenaDob), F(Dajatve), F(Davek), F(DimGlobina), F(DimSirina),
        F(DimTeza), F(DimTezaBruto), F(DimVisina), F(Dobavitelj), F(EM), F(EM2), F(EM3), F(EMDim1),
        F(EMDim2), F(EMSarza), F(EMToDeklaracija), F(EMToEM2), F(EMToEM3), F(Evidencno), F(FieldNA),
        F(FieldNB), F(FieldSA), F(FieldSB), F(FieldSC), F(Formula), F(Garancija), F(IzpisDeklaracija),
        F(IzracunKalk), F(Kalo), F(Klasif), F(Klasif2), F(KlasifPod), F(Koda), F(KolicSarza), F(KolicVKodi),
        F(Konto), F(MaxZaloga), F(MinZaloga), F(MPCena), F(MPCenaP), F(NabaCena), F(NarocPreVProiz),
        F(Naziv), F(NepStr), F(Normirano), F(Oddelek), F(OptZaloga), F(Popust), F(Poreklo),
        F(PorekloTipIzjava), F(PoslDogProiz), F(ProdCena), F(Rabat), F(SerialNo), F(Sestavnica),
        F(SestavnicaP), F(Stolpec), F(TipIzjavePoreklo), F(Transport), F(Trosarina), F(TrosarinaP), F(TS),
        F(TSZnizana), F(Valuta), F(ValutaDob), F(VPCena), F(VPCena2), F(VPCena2P), F(VPCenaP), F(VRDavek),
        F(VrstaMS),
    }};
    return fields;
}

const auto& subjFields()
{
    using Rec = TSubjRec;
    static const std::array<RecordField<Rec>, 61> fields{{
        F(Banka), F(CenRazred), F(DatumInvent), F(DatumIzj), F(DatumLim), F(Delavec), F(DniZaPlac),
        F(Dobavitelj), F(DobDatumIzj), F(DobDatumLim), F(DobDniZaPlac), F(DobDostava), F(DobIzjava),
        F(DobLetnaIzjava), F(DobLimit), F(DobNacinPlac), F(DobNacIzrCene), F(DobNacProdaje), F(DobRabat),
        F(DobReferent), F(DobValuta), F(Dostava), F(Drzava), F(Fax), F(Geslo), F(Izjava), F(KM), F(KrajSkup),
        F(Kupec), F(LetnaIzjava), F(Limit), F(MaticnaStev), F(Ziro3), F(NacinPlac), F(NacIzrCene),
        F(NacProdaje), F(Naslov), F(Naziv2), F(Obcina), F(Oddelek), F(Placnik), F(Posta), F(Rabat),
        F(Referent), F(ZalVMinus), F(SifDejavnost), F(Sifra), F(Skladisce), F(Sola), F(Tel),
        F(TipPartnerjaI), F(TipPartnerjaO), F(Uporabnik), F(Ustanova), F(Valuta), F(VirPrty), F(VirZiro23),
        F(VodZaloge), F(VredZaloge), F(Ziro1), F(Ziro2),
    }};
    return fields;
}

const auto& poslDogFields()
{
    using Rec = TPoslDogRec;
    static const std::array<RecordField<Rec>, 119> fields{{
        F(Evidencno), F(FazaA), F(FazaC), F(FazaD), F(FazaF), F(FazaG), F(FazaH), F(FazaK), F(FazaR),
        F(Izdajatelj), F(IzdPriOdpStanju), F(KontoDB), F(KontoKR), F(MPTipDob), F(MPTipInt), F(MPTipNeMat),
        F(MPTipRMA), F(MPTipRMADob), F(MPTipRMAKup), F(MPVrednost), F(Naziv), F(Naziv2), F(Naziv3),
        F(NazivDok1), F(NazivDok2), F(NazivIzd), F(NazivKratki), F(NazivPre), F(ObvezenDok1), F(ObvezenDok2),
        F(ObvezenOddelek), F(Oddelek), F(ODNamenNakBanka), F(ODNamenNakKred), F(ODNamenNakPrDel),
        F(ODNamenNakPrPod), F(ODObdobjeVirKred), F(Oseba3), F(PolNabCene), F(PolnenjeCene), F(PolPreCene),
        F(PolProdCene), F(PoslDogZaZbirno), F(PotNalDnev), F(PotNalDrStr), F(PotNalDrStr1), F(PotNalDrStr2),
        F(PotNalDrStr3), F(PotNalDrStr4), F(PotNalDrStr5), F(PotNalKilo), F(PotNalKMNad), F(PotNalVredKM1),
        F(PotNalVredKM2), F(Prejemnik), F(ProizFormKaloBlago), F(ProizFormKaloEmbalaza),
        F(ProizFormKaloMaterial), F(ProizFormKaloProizvod), F(ProizFormKaloStoritev), F(ProizFormOdgBlago),
        F(ProizFormOdgEmbalaza), F(ProizFormOdgMaterial), F(ProizFormOdgProizvod), F(ProizFormOdgStoritev),
        F(ProizFormulaBlago), F(ProizFormulaEmbalaza), F(ProizFormulaKalo), F(ProizFormulaMaterial),
        F(ProizFormulaProizvod), F(ProizFormulaStoritev), F(ProizIzdBlago), F(ProizIzdEmbalaza),
        F(ProizIzdKalo), F(ProizIzdKaloBlago), F(ProizIzdKaloEmbalaza), F(ProizIzdKaloMaterial),
        F(ProizIzdKaloProizvod), F(ProizIzdKaloStoritev), F(ProizIzdMaterial), F(ProizIzdOdgBlago),
        F(ProizIzdOdgEmbalaza), F(ProizIzdOdgMaterial), F(ProizIzdOdgProizvod), F(ProizIzdOdgStoritev),
        F(ProizIzdProizvod), F(ProizIzdRazst), F(ProizIzdStoritev), F(ProizPreKalo), F(ProizPreOdgorek),
        F(ProizPreProizvod), F(ProizPreRazst), F(PrometZOS), F(StranKnj), F(Tip), F(VirKrajDatum),
        F(VirNamenNak2), F(VirNamenNak2DOK), F(VirNamenNak3), F(VirOrgEnota), F(VirPolniDatum),
        F(VirPoslDog), F(VirPrty), F(VirSifra1), F(VirSifra2), F(VirSifra3), F(VirVBreme1), F(VirVBreme2),
        F(VirVBreme3), F(VirZiroBreme1), F(VirZiroBreme2), F(VirZiroBreme3), F(VirZiroBreme3Dok),
        F(VirZiroDobro2), F(VirZiroDobro3), F(VirZiroDobro3Dok), F(Vrsta), F(VrstaDnev), F(VrstaTrga),
    }};
    return fields;
}

const auto& vrstaMSFields()
{
    using Rec = TVrstaMSRec;
    static const std::array<RecordField<Rec>, 2> fields{{F(Naziv), F(Tip)}};
    return fields;
}

const auto& tarStFields()
{
    using Rec = TTarStRec;
    static const std::array<RecordField<Rec>, 8> fields{{
        F(Naziv), F(TarifStev), F(Davek), F(DDVSeObracuna), F(KontoKR), F(KontoVRDavekDB),
        F(KontoVRDavekKR), F(DDVSeUposteva),
    }};
    return fields;
}

const auto& msFormFields()
{
    using Rec = TMsFormRec;
    static const std::array<RecordField<Rec>, 2> fields{{F(Naziv), F(Formula)}};
    return fields;
}

#undef F

} // namespace

std::span<const RecordField<TMSRec>> msRecFields() { return msFields(); }
std::span<const RecordField<TSubjRec>> subjRecFields() { return subjFields(); }
std::span<const RecordField<TPoslDogRec>> poslDogRecFields() { return poslDogFields(); }
std::span<const RecordField<TVrstaMSRec>> vrstaMSRecFields() { return vrstaMSFields(); }
std::span<const RecordField<TTarStRec>> tarStRecFields() { return tarStFields(); }
std::span<const RecordField<TMsFormRec>> msFormRecFields() { return msFormFields(); }
