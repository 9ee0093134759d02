#include "templates/TemplateTables.h"

#include "templates/TemplateRules.h"

#include "data/DataSif.h"
#include "data/DataSifRoutines.h"
#include "data/core/EAbort.h"
#include "data/core/EConvertError.h"
#include "data/log/ErrorLog.h"
#include "data/core/FieldType.h"
#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"
#include "data/Numbering.h"
#include "data/SqlBatch.h"
#include "data/SqlFilter.h"
#include "data/core/SqlLiterals.h"
#include "data/SqlUpdate.h"
#include "data/dataset/TField.h"
#include "data/TableRoutines.h"
#include "pricing/MasterLookups.h"
#include "pricing/TestPrometKljuc.h"

#include <QTime>

namespace {
const QString Obdrac = QStringLiteral("Obdrac");
const QString ObdracPoz = QStringLiteral("ObdracPoz");
constexpr int LineStep = 5;

bool editing(const TwwOEDataSet& ds) { return ds.State() == dsEdit || ds.State() == dsInsert; }

// The value of a typed integer field (NULL for an empty text); the field's own conversion
// refuses text that is no integer or does not fit.
QVariant typedInteger(const TField& field, const QString& text)
{
    if (text.trimmed().isEmpty())
        return QVariant();
    return convertToFieldType(text, field.dataType());
}

qint64 integerOf(const QVariant& v) { return v.isValid() ? v.toLongLong() : 0; }
} // namespace

TemplateTables::TemplateTables(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("TemplateTables"));
    defineDataSets();
}

TemplateTables::~TemplateTables()
{
    tbObdracPoz.setMasterDataSet(nullptr);
}

void TemplateTables::setConnection(THdbc* connection)
{
    for (TwwOEDataSet* ds : {&tbObdrac, &tbObdracPoz, &tbLookPoslDogObdrac, &tbLookPoslDogDok, &tbLookPoslDogFak,
                             &tbLookSubj, &tbLookMS, &tbLookMSN})
        ds->sethDbc(connection);
}

QString TemplateTables::newTemplatePoslDog() const
{
    const QString shown = shownPoslDog ? shownPoslDog().trimmed() : QString();
    // a template always belongs to a business event: without a code in the selector, the one
    // whose templates are listed
    return shown.isEmpty() ? m_openedPoslDog : shown;
}

// ---------------------------------------------------------------------------------------------
// commands of the page

void TemplateTables::fObdracPoslDogCloseUp(const QString& code)
{
    if (code.isEmpty())
        return;
    // re-filtering closes the list: nothing typed may go with it
    postTemplates();
    sqlFilter(tbObdrac, QStringLiteral("PoslDog = '") + sqlStrApostrof(code) + QLatin1Char('\''), QStringLiteral("Kljuc"));
    m_openedPoslDog = code;
    OpenTable(tbObdracPoz, false);
}

void TemplateTables::postTemplates()
{
    if (tbObdracPoz.Active() && editing(tbObdracPoz))
        tbObdracPoz.Post();
    if (tbObdrac.Active() && editing(tbObdrac))
        tbObdrac.Post();
}

void TemplateTables::reopenTemplates()
{
    if (!tbObdrac.Active())
        return;
    postTemplates();
    const QVariant key = tbObdrac.IsEmpty() ? QVariant() : tbObdrac.FieldByName(QStringLiteral("KLJUC")).value();
    ReOpenTable(tbObdrac, true);
    guard(QStringLiteral("ReOpenTable"), &tbObdrac, [&] {
        if (key.isValid() && tbObdrac.Active())
            tbObdrac.Locate(QStringLiteral("KLJUC"), key);
        OpenTable(tbObdracPoz, false);
    });
}

void TemplateTables::gObdracPozEnter()
{
    if (tbObdrac.Active() && tbObdrac.State() == dsInsert)
        tbObdrac.Post();
}

void TemplateTables::fIdentCloseUp(bool selected)
{
    if (!selected)
        return;
    guard(QStringLiteral("fIdentCloseUp"), &tbObdracPoz, [&] {
        if (!tbLookMS.Active() || !tbObdracPoz.Active() || tbLookMS.IsEmpty())
            return;
        const QString naziv = tbLookMS.FieldByName(QStringLiteral("NAZIV")).asString();
        if (!editing(tbObdracPoz))
            tbObdracPoz.Edit();
        tbObdracPoz.FieldByName(QStringLiteral("NAZIV")).setAsString(naziv);
    });
}

void TemplateTables::fNazivCloseUp(bool selected)
{
    if (!selected)
        return;
    guard(QStringLiteral("fNazivCloseUp"), &tbObdracPoz, [&] {
        if (!tbLookMSN.Active() || !tbObdracPoz.Active() || tbLookMSN.IsEmpty())
            return;
        const QString ident = tbLookMSN.FieldByName(QStringLiteral("IDENT")).asString();
        if (!FindMS(ident))
            return;
        if (!editing(tbObdracPoz))
            tbObdracPoz.Edit();
        tbObdracPoz.FieldByName(QStringLiteral("IDENT")).setAsString(ident);
    });
}

void TemplateTables::sortBy(TwwOEDataSet& DataSet, const QString& fieldName, const QString& keyField,
                            const QString& operation)
{
    if (!DataSet.Active() || fieldName.isEmpty())
        return;
    // re-opening drops a record being edited: it is posted first (a refused post stops here)
    DataSet.CheckBrowseMode();
    const QVariant key = DataSet.IsEmpty() ? QVariant() : DataSet.FieldByName(keyField).value();
    sqlSetOrder(DataSet, fieldName);
    guard(operation, &DataSet, [&] {
        if (key.isValid() && DataSet.Active())
            DataSet.Locate(keyField, key);
    });
}

void TemplateTables::gObdracTitleButtonClick(const QString& fieldName)
{
    sortBy(tbObdrac, fieldName, QStringLiteral("KLJUC"), QStringLiteral("gObdracTitleButtonClick"));
}

void TemplateTables::gObdracPozTitleButtonClick(const QString& fieldName)
{
    sortBy(tbObdracPoz, fieldName, QStringLiteral("POZ"), QStringLiteral("gObdracPozTitleButtonClick"));
}

// ---------------------------------------------------------------------------------------------
// templates

void TemplateTables::tbObdracNewRecord(TwwOEDataSet& DataSet)
{
    guard(QStringLiteral("tbObdracNewRecord"), &DataSet, [&] {
        const QDate day = today ? today() : QDate::currentDate();
        // 1.-3. (the placeholder key is made of the year of DATUM and POSLDOG)
        DataSet.FieldByName(QStringLiteral("POSLDOG")).setAsString(newTemplatePoslDog());
        DataSet.FieldByName(QStringLiteral("DATUM")).setAsDateTime(QDateTime(day, QTime(0, 0)));
        GlavaKljucDefault(DataSet);
        // 4.
        DataSet.FieldByName(QStringLiteral("TIP")).setAsString(QStringLiteral("P"));
        DataSet.FieldByName(QStringLiteral("PERIODIKA")).setAsInteger(0);
        DataSet.FieldByName(QStringLiteral("STEVOBROKOV")).setAsInteger(0);
        DataSet.FieldByName(QStringLiteral("NACIZRCENE")).setAsString(QStringLiteral("T"));
        DataSet.FieldByName(QStringLiteral("AKTIVNO")).setAsString(QStringLiteral("T"));
        // 5.
        DataSet.FieldByName(QStringLiteral("VALUTA")).setAsString(ParamAsString(QStringLiteral("NASAVALUTA")));
        // 6.
        SetDateOnNew(DataSet);
    });
}

void TemplateTables::tbObdracBeforePost(TwwOEDataSet& DataSet)
{
    m_postedKey.clear();
    // numbers a new template and refuses a key of another year than DATUM (raises)
    m_postedKey = TestStevGlavKljuc(DataSet, Obdrac, true);
    SetDateOnPost(DataSet);
}

void TemplateTables::tbObdracAfterPost(TwwOEDataSet& DataSet)
{
    const QString key = m_postedKey;
    m_postedKey.clear();
    guard(QStringLiteral("tbObdracAfterPost"), &DataSet, [&] {
        if (!key.isEmpty())
            TestPrometKljuc(DataSet, key);
    });
}

void TemplateTables::tbObdracBeforeDelete(TwwOEDataSet& DataSet)
{
    const QString key = DataSet.FieldByName(QStringLiteral("KLJUC")).asString();
    // the lines go first, also those never shown; when they cannot, the template stays
    try {
        sqlDeleteFromTable(ObdracPoz, QStringLiteral("Kljuc = '") + sqlStrApostrof(key) + QLatin1Char('\''));
    } catch (const EAbort&) {
        throw;
    } catch (...) {
        LogCurrentException(&DataSet, QStringLiteral("tbObdracBeforeDelete"));
        Abort();
    }
}

void TemplateTables::tbObdracUpdateRecord(TwwOEDataSet& DataSet, TUpdateKind UpdateKind, bool& ApplyUpdate)
{
    sqlUpdateSQL(DataSet, UpdateKind, ApplyUpdate);
}

void TemplateTables::tbObdracTIPSetText(TField& Sender, const QString& Text)
{
    const std::optional<QString> tip = TipFromText(Text);
    if (!tip) {
        showError(TipMessage);
        return;
    }
    Sender.setAsString(*tip);
}

void TemplateTables::setDatumZakFromPeriods(TField& Sender, const QString& Text)
{
    TwwOEDataSet& ds = *Sender.dataSet();
    const QVariant typed = typedInteger(Sender, Text);   // refuses what is no integer
    Sender.setValue(typed);
    const QDateTime datum = ds.FieldByName(QStringLiteral("DATUM")).asDateTime();
    if (!datum.isValid())
        return;
    const qint64 stevObrokov = integerOf(ds.FieldByName(QStringLiteral("STEVOBROKOV")).value());
    const qint64 periodika = integerOf(ds.FieldByName(QStringLiteral("PERIODIKA")).value());
    ds.FieldByName(QStringLiteral("DATUMZAK")).setAsDateTime(DatumZakFor(datum, stevObrokov, periodika));
}

void TemplateTables::tbObdracPERIODIKASetText(TField& Sender, const QString& Text) { setDatumZakFromPeriods(Sender, Text); }

void TemplateTables::tbObdracSTEVOBROKOVSetText(TField& Sender, const QString& Text) { setDatumZakFromPeriods(Sender, Text); }

void TemplateTables::tbObdracDATUMZAKSetText(TField& Sender, const QString& Text)
{
    TwwOEDataSet& ds = *Sender.dataSet();
    const QVariant typed =
        Text.trimmed().isEmpty() ? QVariant() : convertToFieldType(Text, TFieldType::ftDateTime);   // refuses what is no date
    const QDateTime datumZak = typed.toDateTime();
    const QDateTime datum = ds.FieldByName(QStringLiteral("DATUM")).asDateTime();
    TField& stevObrokov = ds.FieldByName(QStringLiteral("STEVOBROKOV"));
    QVariant periods;
    if (datumZak.isValid() && datum.isValid()) {
        const qint64 periodika = integerOf(ds.FieldByName(QStringLiteral("PERIODIKA")).value());
        // checked against the field before anything is stored, so that both keep their values
        // when the count does not fit
        periods = convertToFieldType(QVariant(StevObrokovFor(datum, datumZak, periodika)), stevObrokov.dataType());
    }
    Sender.setAsDateTime(datumZak);
    if (periods.isValid())
        stevObrokov.setValue(periods);
}

// ---------------------------------------------------------------------------------------------
// template lines

void TemplateTables::tbObdracPozNewRecord(TwwOEDataSet& DataSet)
{
    // lines belong to a numbered template only (entering the line grid posts a new one)
    if (!tbObdrac.Active() || tbObdrac.State() == dsInsert || tbObdrac.IsEmpty())
        Abort();
    const QString key = tbObdrac.FieldByName(QStringLiteral("KLJUC")).asString();
    if (key.isEmpty() || key.endsWith(UnnumberedCounter))
        Abort();
    guard(QStringLiteral("tbObdracPozNewRecord"), &DataSet, [&] {
        // 1.
        DataSet.FieldByName(QStringLiteral("KLJUC")).setAsString(key);
        // 2.
        DataSet.FieldByName(QStringLiteral("POZ")).setAsInteger(NovaStevPozN(ObdracPoz, key, LineStep));
        // 3.
        DataSet.FieldByName(QStringLiteral("KOLICINA")).setAsFloat(1);
        DataSet.FieldByName(QStringLiteral("CENA")).setAsFloat(0);
        DataSet.FieldByName(QStringLiteral("RABAT")).setAsFloat(0);
        // 4.
        SetDateOnNew(DataSet);
    });
}

void TemplateTables::tbObdracPozBeforePost(TwwOEDataSet& DataSet) { SetDateOnPost(DataSet); }
