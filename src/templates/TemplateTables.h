#pragma once
#include "data/core/DataSetTypes.h"
#include "data/dataset/TwwOEDataSet.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <functional>

class TField;
class THdbc;

// The periodic templates as the main window keeps them: the template datasets tbObdrac (table
// Obdrac) and tbObdracPoz (table ObdracPoz, the lines of the current template), the lookup
// datasets behind the drop-downs of the template page and of page "Kreiranje", and every rule
// that runs while a template or a line is created, typed into, posted or deleted.
//
//   TemplateTables t;
//   t.setConnection(&DataSif->Database);
//   t.shownPoslDog = [&] { return selector.text(); };   // the code shown in fObdracPoslDog
//   t.fObdracPoslDogCloseUp("G1");                      // the templates of business event G1
//   t.tbObdrac.Append(); ...; t.tbObdrac.Post();        // numbered at the first post
//
// Every post and delete is written at once by the generic write hook (sqlUpdateSQL). The field
// rules of TIP, PERIODIKA, STEVOBROKOV and DATUMZAK are the fields' text handlers: they run for
// what the user types (TField::setText), not for values the program sets.
class TemplateTables : public QObject {
    Q_OBJECT
public:
    explicit TemplateTables(QObject* parent = nullptr);
    ~TemplateTables() override;

    // The connection of every dataset here (the data module's Database). The datasets must be
    // closed.
    void setConnection(THdbc* connection);

    // Template header and lines (master and detail: moving in the templates reloads the lines).
    TwwOEDataSet tbObdrac;
    TwwOEDataSet tbObdracPoz;
    // Business events of kind "G", for fObdracPoslDog on page "Kreiranje".
    TwwOEDataSet tbLookPoslDogObdrac;
    // Business events of documents (issued invoices and orders), for fPoslDogFak (POSLDOGFAK)
    // and, as tbLookPoslDogFak, for fkPoslDog on page "Kreiranje".
    TwwOEDataSet tbLookPoslDogDok;
    TwwOEDataSet tbLookPoslDogFak;
    // Partner names, for fSubjekt (SUBJEKT) and fkSubjekt on page "Kreiranje".
    TwwOEDataSet tbLookSubj;
    // Items by code (fIdent) and by name (fNaziv).
    TwwOEDataSet tbLookMS;
    TwwOEDataSet tbLookMSN;

    // The code shown in fObdracPoslDog (new templates take it); empty hook: the code the list
    // was last opened on.
    std::function<QString()> shownPoslDog;
    // Today's date for new templates; empty hook: the system date.
    std::function<QDate()> today;

    // --- commands of the page ---------------------------------------------------------------
    // A business event was chosen: the templates of that event ("PoslDog = '..'", ordered by
    // Kljuc) and their lines. A template or line being edited is posted first; when that post
    // fails the list stays as it is and the failure is raised. An empty code does nothing.
    void fObdracPoslDogCloseUp(const QString& code);
    // The business event the list was last opened on.
    const QString& openedPoslDog() const { return m_openedPoslDog; }

    // Posts the line and then the template when they are being edited or inserted (page change,
    // closing of the main window). A failure is raised (an EAbort from a refused post among
    // them), so that the caller can keep the window open.
    void postTemplates();

    // The list read again (after a run moved the last-document dates): what is being edited is
    // posted first (a failure is raised and nothing is re-read), and the same template stays
    // current when it is still listed.
    void reopenTemplates();

    // Entering the line grid (and adding a line): a template still being inserted is posted, so
    // that its lines get its final key. A failure is raised.
    void gObdracPozEnter();

    // An item was chosen in fIdent (its row is tbLookMS's current record): NAZIV := its name.
    void fIdentCloseUp(bool selected);
    // An item was chosen in fNaziv (its row is tbLookMSN's current record): IDENT := its code
    // when the item exists (FindMS).
    void fNazivCloseUp(bool selected);

    // Re-sorts the templates or the lines by a column (sqlSetOrder); a record being edited is
    // posted first (a failure is raised and nothing is sorted) and the same record stays
    // current.
    void gObdracTitleButtonClick(const QString& fieldName);
    void gObdracPozTitleButtonClick(const QString& fieldName);

    // --- events of the datasets --------------------------------------------------------------
    void tbObdracNewRecord(TwwOEDataSet& DataSet);
    void tbObdracBeforePost(TwwOEDataSet& DataSet);
    void tbObdracAfterPost(TwwOEDataSet& DataSet);
    void tbObdracBeforeDelete(TwwOEDataSet& DataSet);
    // The write hook of both template datasets.
    void tbObdracUpdateRecord(TwwOEDataSet& DataSet, TUpdateKind UpdateKind, bool& ApplyUpdate);
    void tbObdracTIPSetText(TField& Sender, const QString& Text);
    void tbObdracPERIODIKASetText(TField& Sender, const QString& Text);
    void tbObdracSTEVOBROKOVSetText(TField& Sender, const QString& Text);
    void tbObdracDATUMZAKSetText(TField& Sender, const QString& Text);
    // DATUM typed: stored, then DATUMZAK := DATUM + STEVOBROKOV x PERIODIKA days, as for the
    // period fields.
    void tbObdracDATUMSetText(TField& Sender, const QString& Text);
    // The calculated field NASLRACUN ("Naslednji račun"): NextDueDate of the record.
    void tbObdracCalcFields(TwwOEDataSet& DataSet);
    void tbObdracPozNewRecord(TwwOEDataSet& DataSet);
    void tbObdracPozBeforePost(TwwOEDataSet& DataSet);
    // IDENT of a line set (typed and taken, or chosen): an empty NAZIV takes the item's name, so
    // that a code typed without opening the list gives the line its name as a choice does.
    void tbObdracPozIDENTChange(TField& Sender);

private:
    void defineDataSets();
    void sortBy(TwwOEDataSet& DataSet, const QString& fieldName, const QString& keyField, const QString& operation);
    void setDatumZakFromPeriods(TField& Sender, const QString& Text);
    void setDatumZak(TwwOEDataSet& ds);
    QString newTemplatePoslDog() const;

    QString m_openedPoslDog;
    QString m_postedKey;   // final key of the insert being posted (empty for an edit)
};
