// The datasets of the periodic templates: statements, declared fields with their sizes and
// display formats, presentation hints and the events bound to them.
#include "templates/TemplateTables.h"

#include "data/core/FieldType.h"
#include "data/dataset/TField.h"

namespace {
const QString MoneyFormat = QStringLiteral("#,##0.00");
const QString IntegerFormat = QStringLiteral("#,##0");
const QString PercentFormat = QStringLiteral("#,##0.00 %");

void setup(TwwOEDataSet& ds, const char* name, const QString& sql)
{
    ds.setName(QString::fromLatin1(name));
    ds.setObjectName(ds.Name());
    ds.setDatabaseName(QStringLiteral("Database"));
    ds.setSQL(sql);
}

TField& text(TwwOEDataSet& ds, const char* name, int size)
{
    return ds.addField(QString::fromLatin1(name), TFieldType::ftString, size);
}

TField& number(TwwOEDataSet& ds, const char* name, TFieldType type, const QString& format = QString())
{
    TField& f = ds.addField(QString::fromLatin1(name), type);
    f.setDisplayFormat(format);
    return f;
}

void auditFields(TwwOEDataSet& ds)
{
    ds.addField(QStringLiteral("DATUMSPRE"), TFieldType::ftDateTime);
    ds.addField(QStringLiteral("DATUMZAP"), TFieldType::ftDateTime);
    text(ds, "USERSPRE", 2);
    text(ds, "USERZAP", 2);
}

void businessEventFields(TwwOEDataSet& ds)
{
    text(ds, "POSLDOG", 2);
    text(ds, "NAZIV", 30);
    text(ds, "TIP", 1);
    text(ds, "VRSTA", 1);
}

// The item lookups: the same columns, by code or by name.
void itemFields(TwwOEDataSet& ds)
{
    text(ds, "IDENT", 16);
    text(ds, "KODA", 13);
    text(ds, "EM", 3);
    text(ds, "AKTIVNO", 1);
    text(ds, "KLASIF", 8);
    text(ds, "NAZIV", 40);
    number(ds, "PRODCENA", TFieldType::ftFloat, MoneyFormat);
    text(ds, "TS", 2);
    number(ds, "MPCENA", TFieldType::ftFloat, MoneyFormat);
    number(ds, "VPCENA", TFieldType::ftFloat, MoneyFormat);
    number(ds, "VPCENA2", TFieldType::ftFloat, MoneyFormat);
    number(ds, "SESTAVNICA", TFieldType::ftFloat);
    number(ds, "DAVEK", TFieldType::ftFloat, PercentFormat);
    text(ds, "VRSTAMS", 3);
    number(ds, "POPUST", TFieldType::ftFloat, PercentFormat);
    text(ds, "VALUTA", 3);
    text(ds, "CARTARIFA", 12);
    text(ds, "EM2", 3);
    number(ds, "EMTOEM2", TFieldType::ftFloat);
}

const QString ItemColumns = QStringLiteral(
    "SELECT Ident, Koda, EM, Aktivno, Klasif, Naziv, ProdCena, TS, MPCena, VPCena, VPCena2, Sestavnica, Davek, "
    "VrstaMS, Popust, Valuta, CarTarifa, Em2, EmToEm2 FROM MS");
const QString DocumentEvents = QStringLiteral(
    "SELECT PoslDog, Naziv, Tip, Vrsta FROM PoslDog WHERE (Vrsta = 'F' AND Tip = 'I') OR Vrsta = 'N' ORDER BY POSLDOG");
} // namespace

void TemplateTables::defineDataSets()
{
    // --- templates ----------------------------------------------------------------------------
    setup(tbObdrac, "tbObdrac", QStringLiteral("SELECT * FROM Obdrac ORDER BY Kljuc"));
    text(tbObdrac, "KLJUC", 9);
    text(tbObdrac, "POSLDOG", 2);
    TField& datum = tbObdrac.addField(QStringLiteral("DATUM"), TFieldType::ftDateTime);
    datum.setRequired(true);
    datum.OnSetText = [this](TField& f, const QString& t) { tbObdracDATUMSetText(f, t); };
    text(tbObdrac, "SUBJEKT", 30);
    text(tbObdrac, "TIP", 1).OnSetText = [this](TField& f, const QString& t) { tbObdracTIPSetText(f, t); };
    number(tbObdrac, "PERIODIKA", TFieldType::ftSmallint, IntegerFormat).OnSetText =
        [this](TField& f, const QString& t) { tbObdracPERIODIKASetText(f, t); };
    text(tbObdrac, "NACIZRCENE", 1);
    tbObdrac.addField(QStringLiteral("DATZADFAK"), TFieldType::ftDateTime);
    text(tbObdrac, "POSLDOGFAK", 2);
    auditFields(tbObdrac);
    text(tbObdrac, "VALUTA", 3);
    number(tbObdrac, "STEVOBROKOV", TFieldType::ftSmallint, IntegerFormat).OnSetText =
        [this](TField& f, const QString& t) { tbObdracSTEVOBROKOVSetText(f, t); };
    text(tbObdrac, "AKTIVNO", 1);
    tbObdrac.addField(QStringLiteral("DATUMZAK"), TFieldType::ftDateTime).OnSetText =
        [this](TField& f, const QString& t) { tbObdracDATUMZAKSetText(f, t); };
    // the next due date ("Naslednji račun"), worked out from the record, never stored
    tbObdrac.addField(QStringLiteral("NASLRACUN"), TFieldType::ftDateTime, 0, TFieldKind::fkCalculated).setReadOnly(true);
    tbObdrac.OnCalcFields = [this](TwwOEDataSet& ds) { tbObdracCalcFields(ds); };
    tbObdrac.ControlType() = QStringList{QStringLiteral("AKTIVNO;CheckBox;T;F"), QStringLiteral("NACIZRCENE;CheckBox;T;F"),
                                         QStringLiteral("SUBJEKT;CustomEdit;fSubjekt"),
                                         QStringLiteral("POSLDOGFAK;CustomEdit;fPoslDogFak")};
    tbObdrac.OnNewRecord = [this](TwwOEDataSet& ds) { tbObdracNewRecord(ds); };
    tbObdrac.BeforePost = [this](TwwOEDataSet& ds) { tbObdracBeforePost(ds); };
    tbObdrac.AfterPost = [this](TwwOEDataSet& ds) { tbObdracAfterPost(ds); };
    tbObdrac.BeforeDelete = [this](TwwOEDataSet& ds) { tbObdracBeforeDelete(ds); };
    tbObdrac.OnUpdateRecord = [this](TwwOEDataSet& ds, TUpdateKind kind, bool& apply) {
        tbObdracUpdateRecord(ds, kind, apply);
    };

    // --- template lines -------------------------------------------------------------------------
    setup(tbObdracPoz, "tbObdracPoz", QStringLiteral("SELECT * FROM ObdracPoz WHERE Kljuc = :Kljuc ORDER BY Poz"));
    tbObdracPoz.ParamByName(QStringLiteral("KLJUC")).setDataType(TFieldType::ftString);
    text(tbObdracPoz, "KLJUC", 9);
    number(tbObdracPoz, "POZ", TFieldType::ftSmallint);
    text(tbObdracPoz, "IDENT", 16).OnChange = [this](TField& f) { tbObdracPozIDENTChange(f); };
    text(tbObdracPoz, "NAZIV", 40);
    number(tbObdracPoz, "KOLICINA", TFieldType::ftFloat, MoneyFormat);
    number(tbObdracPoz, "CENA", TFieldType::ftFloat, MoneyFormat);
    number(tbObdracPoz, "RABAT", TFieldType::ftFloat, MoneyFormat);
    text(tbObdracPoz, "OPOMBA", 255);
    auditFields(tbObdracPoz);
    tbObdracPoz.ControlType() =
        QStringList{QStringLiteral("IDENT;CustomEdit;fIdent"), QStringLiteral("NAZIV;CustomEdit;fNaziv")};
    tbObdracPoz.setMasterDataSet(&tbObdrac);
    tbObdracPoz.OnNewRecord = [this](TwwOEDataSet& ds) { tbObdracPozNewRecord(ds); };
    tbObdracPoz.BeforePost = [this](TwwOEDataSet& ds) { tbObdracPozBeforePost(ds); };
    tbObdracPoz.OnUpdateRecord = [this](TwwOEDataSet& ds, TUpdateKind kind, bool& apply) {
        tbObdracUpdateRecord(ds, kind, apply);
    };

    // --- lookups --------------------------------------------------------------------------------
    setup(tbLookPoslDogObdrac, "tbLookPoslDogObdrac",
          QStringLiteral("SELECT PoslDog, Naziv, Tip, Vrsta FROM PoslDog WHERE Vrsta = 'G' ORDER BY POSLDOG"));
    businessEventFields(tbLookPoslDogObdrac);
    setup(tbLookPoslDogDok, "tbLookPoslDogDok", DocumentEvents);
    businessEventFields(tbLookPoslDogDok);
    setup(tbLookPoslDogFak, "tbLookPoslDogFak", DocumentEvents);
    businessEventFields(tbLookPoslDogFak);

    setup(tbLookSubj, "tbLookSubj",
          QStringLiteral("SELECT Naziv, Naslov, Posta, Tel, Naziv2, Drzava, MaticnaStev, Sifra, Ziro1, SifDejavnost "
                         "FROM Subjekt ORDER BY NAZIV"));
    text(tbLookSubj, "NAZIV", 30);

    setup(tbLookMS, "tbLookMS", ItemColumns + QStringLiteral(" ORDER BY IDENT"));
    itemFields(tbLookMS);
    setup(tbLookMSN, "tbLookMSN", ItemColumns + QStringLiteral(" ORDER BY NAZIV"));
    itemFields(tbLookMSN);
}
