#pragma once
// A company database for the document-generation tests: a fresh copy of the demo company with
// its templates and documents removed and a small master-data set of its own (partners, items,
// business events with fixed dates in 2004, before any exchange rate of the demo), and the data
// module connected to it.
#include "ErrorLogRows.h"
#include "TestDatabase.h"
#include "data/DataSif.h"
#include "data/log/ErrorLog.h"
#include "data/local/LocalTable.h"
#include "data/log/MessageBoxes.h"
#include "data/core/ProgramState.h"
#include "generation/GenerationCommand.h"
#include "generation/NarocRec.h"
#include "pricing/MasterRecords.h"
#include "pricing/PrometRec.h"

#include <QDate>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable texts in test messages and failures.
inline std::ostream& operator<<(std::ostream& os, const QString& s) { return os << s.toStdString(); }
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << '[';
    for (qsizetype i = 0; i < l.size(); ++i)
        *os << (i ? ", " : "") << '"' << l[i].toStdString() << '"';
    *os << ']';
}

// One template line: item, name, quantity, price, discount, remark.
struct LineSpec {
    QString ident;
    QString naziv;
    double kolicina = 1;
    double cena = 0;
    double rabat = 0;
    QString opomba;
};

// One template. Dates as "yyyy/mm/dd" or empty for NULL.
struct TemplateSpec {
    QString kljuc;
    QString subjekt;
    QString poslDogFak = "T1";
    QString tip = "P";
    int periodika = 30;
    QString nacIzrCene = "T";
    QString datum = "2004/01/01";
    QString datZadFak;
    QString datumZak = "2004/12/31";
    QString aktivno = "T";
    std::vector<LineSpec> lines;
};

// A template of event T2 (or the one given) with three lines whose long remarks make its documents
// large enough to fill several batches.
inline TemplateSpec longTemplate(int n, const QString& partner, const QString& poslDogFak = "T2")
{
    TemplateSpec t;
    t.kljuc = QString("04G1%1").arg(n, 5, 10, QChar('0'));
    t.subjekt = partner;
    t.poslDogFak = poslDogFak;
    const QString remark = QString("Dolga opomba vrstice, da so dokumenti dovolj veliki za več paketov - %1").arg(n);
    t.lines = {{"T-BLAGO", "Blago", 1, 0, 0, remark}, {"T-STOR", "Storitev", 2, 0, 0, remark},
               {"T-TRO", "Gorivo", 3, 0, 0, remark}};
    return t;
}

class GenerationDatabase {
public:
    explicit GenerationDatabase(const QString& suite) : m_db(suite)
    {
        m_oldDataDir = qgetenv("OBDRAC_DATA_DIR");
        qputenv("OBDRAC_DATA_DIR", m_scratch.file("data").toUtf8());
        m_db.psql(masterData());
        m_module = std::make_unique<TDataSif>();
        DataSif = m_module.get();
        m_module->connectWithAttributes(m_db.connectString().split(';', Qt::SkipEmptyParts));
        RoundStep = 0.01;
        CurrentUserID = "01";
        CurrentUserDepartment = "Računovodstvo";
        VatMode = true;
    }
    ~GenerationDatabase()
    {
        resetRecords();
        if (DataSif == m_module.get())
            DataSif = nullptr;
        m_module.reset();
        RoundStep = 1.0;
        CurrentUserID.clear();
        CurrentUserDepartment.clear();
        if (m_oldDataDir.isEmpty())
            qunsetenv("OBDRAC_DATA_DIR");
        else
            qputenv("OBDRAC_DATA_DIR", m_oldDataDir);
    }
    GenerationDatabase(const GenerationDatabase&) = delete;
    GenerationDatabase& operator=(const GenerationDatabase&) = delete;

    const TestDatabase& db() const { return m_db; }
    const ScratchDir& scratch() const { return m_scratch; }

    // "Operation: Error" of every error-log entry written so far.
    static QStringList errorLog()
    {
        return errorLogLines([](LocalTable& t) { return t.asString("Operation") + ": " + t.asString("Error"); });
    }
    static void clearErrorLog() { QFile::remove(LocalTable::pathOf(ErrorLogTable)); }
    QString psql(const QString& sql) const { return m_db.psql(sql); }
    TDataSif& module() { return *m_module; }

    // No templates, no documents; every cached master record forgotten.
    void clearDocuments() const
    {
        m_db.psql("DELETE FROM ObdracPoz; DELETE FROM Obdrac; DELETE FROM PrometPoz; DELETE FROM Promet;"
                  "DELETE FROM NarocPoz; DELETE FROM Naroc;");
        resetRecords();
    }

    void addTemplate(const TemplateSpec& t) const
    {
        const auto date = [](const QString& d) { return d.isEmpty() ? QString("NULL") : "'" + d + "'"; };
        const auto text = [](const QString& s) { return "'" + QString(s).replace("'", "''") + "'"; };
        QString sql = QString("INSERT INTO Obdrac (Kljuc, PoslDog, Datum, Subjekt, Tip, Periodika, NacIzrCene, DatZadFak,"
                              " PoslDogFak, Valuta, StevObrokov, Aktivno, DatumZak, UserZap, UserSpre) VALUES"
                              " (%1, 'G1', %2, %3, %4, %5, %6, %7, %8, 'EUR', 12, %9, %10, '01', '01');")
                          .arg(text(t.kljuc), date(t.datum), text(t.subjekt), text(t.tip))
                          .arg(t.periodika)
                          .arg(text(t.nacIzrCene), date(t.datZadFak), text(t.poslDogFak), text(t.aktivno),
                               date(t.datumZak));
        int poz = 5;
        for (const LineSpec& l : t.lines) {
            sql += QString("INSERT INTO ObdracPoz (Kljuc, Poz, Ident, Naziv, Kolicina, Cena, Rabat, Opomba, UserZap,"
                           " UserSpre) VALUES (%1, %2, %3, %4, %5, %6, %7, %8, '01', '01');")
                       .arg(text(t.kljuc))
                       .arg(poz)
                       .arg(text(l.ident), text(l.naziv))
                       .arg(l.kolicina)
                       .arg(l.cena)
                       .arg(l.rabat)
                       .arg(text(l.opomba));
            poz += 5;
        }
        m_db.psql(sql);
    }

    static void resetRecords()
    {
        MSRec = {};
        SubjRec = {};
        PoslDogRec = {};
        VrstaMSRec = {};
        TarStRec = {};
        MsFormRec = {};
        PrometRec = {};
        PrometPozRec = {};
        NarocRec = {};
        NarocPozRec = {};
    }

private:
    static QString masterData()
    {
        return QStringLiteral(R"SQL(
DELETE FROM ObdracPoz; DELETE FROM Obdrac; DELETE FROM PrometPoz; DELETE FROM Promet;
DELETE FROM NarocPoz; DELETE FROM Naroc;
-- Business events: T1 issued invoices with a default partner, T2 issued invoices without one.
INSERT INTO PoslDog (PoslDog, Naziv, Vrsta, Tip, Oddelek, Izdajatelj, Prejemnik, Oseba3, PolPreCene,
                     UserZap, UserSpre) VALUES
  ('T1', 'Testni računi', 'F', 'I', 'Prodaja', 'Glavno skladišče', 'Privzeti kupec', 'Tretja oseba', 'F', '00', '00'),
  ('T2', 'Testni računi brez oddelka', 'F', 'I', '', 'Glavno skladišče', '', '', 'F', '00', '00');
-- Partners (customer terms; Delta also as a supplier).
INSERT INTO Subjekt (Naziv, Kupec, Dobavitelj, TipPartnerjaO, TipPartnerjaI, CenRazred, Rabat, NacIzrCene,
                     NacProdaje, Valuta, DniZaPlac, NacinPlac, Dostava, Izjava, LetnaIzjava, DatumIzj, Referent,
                     UserZap, UserSpre) VALUES
  ('Privzeti kupec',     'T', 'F', '',    '',    '3', 0, '', 'Z', 'EUR', 5,  'GOT', 'OSEBNO', 'LETNA', 'LI-1/2004', '2004/01/10', '02', '00', '00'),
  ('Kupec Alfa d.o.o.',  'T', 'F', 'TST', '',    '2', 5, '', 'K', 'EUR', 30, 'TRR', 'FCO',    '',      '',          NULL,         '02', '00', '00'),
  ('Kupec Beta d.o.o.',  'T', 'F', 'TST', '',    '1', 0, '', 'K', 'EUR', 15, 'TRR', 'POSTA',  '',      '',          NULL,         '02', '00', '00'),
  ('Kupec Gama d.o.o.',  'T', 'F', '',    'TST', '1', 0, '', 'K', 'EUR', 8,  'TRR', 'POSTA',  '',      '',          NULL,         '02', '00', '00'),
  ('Kupec O''Hara',      'T', 'F', 'OHA', '',    '1', 0, '', 'K', 'EUR', 0,  'TRR', 'FCO',    '',      '',          NULL,         '02', '00', '00'),
  ('Zavrnjeni kupec',    'T', 'F', '',    '',    '1', 0, '', 'K', 'EUR', 0,  'TRR', 'FCO',    '',      '',          NULL,         '02', '00', '00'),
  ('Dobavitelj Delta d.o.o.', 'T', 'T', '', '',   '3', 0, '', 'Z', 'EUR', 10, 'GOT', 'POSTA',  '',      '',          NULL,         '02', '00', '00');
UPDATE Subjekt SET DobValuta = 'EUR', DobDniZaPlac = 45, DobRabat = 8, DobNacIzrCene = '', DobNacProdaje = 'K',
                   DobNacinPlac = 'KOMP', DobDostava = 'EXW', DobIzjava = 'IZV', DobReferent = '03'
  WHERE Naziv = 'Dobavitelj Delta d.o.o.';
INSERT INTO KontOs (Subjekt, Poz, KontOseba, UserZap, UserSpre) VALUES
  ('Dobavitelj Delta d.o.o.', 2, 'Druga Oseba', '00', '00'),
  ('Dobavitelj Delta d.o.o.', 1, 'Prva Oseba', '00', '00');
-- Items: goods, a service, an excise item, an item priced in US dollars.
INSERT INTO MS (Ident, Naziv, EM, Aktivno, Klasif, VrstaMS, TS, TSZnizana, Valuta, VPCena, VPCena2, MPCena,
                ProdCena, Cena, NabaCena, ValutaDob, CenaDob, Sestavnica, Popust, Rabat, Trosarina, TrosarinaP,
                Formula, Garancija, Oddelek, Davek, VPCenaP, VPCena2P, MPCenaP, Transport, Dajatve, NepStr,
                VRDavek, UserZap, UserSpre) VALUES
  ('T-BLAGO', 'Testno blago',     'KOS', 'T', 'TST', 'BLA', '22', '95', 'EUR', 100, 90, 122,  100, 100, 60, 'EUR', 55, 0, 2, 3, 0,   0,  '', 12, '',       22, 66.67, 50, 22, 0, 0, 0, 0, '00', '00'),
  ('T-STOR',  'Testna storitev',  'URA', 'T', 'TST', 'STO', '22', '95', 'EUR', 40,  36, 48.8, 40,  40,  0,  'EUR', 0,  0, 0, 0, 0,   0,  '', 0,  'Servis', 22, 0,     0,  22, 0, 0, 0, 0, '00', '00'),
  ('T-TRO',   'Testno gorivo',    'L',   'T', 'TST', 'TRO', '22', '95', 'EUR', 10,  9,  12.2, 10,  10,  6,  'EUR', 6,  0, 0, 0, 0.5, 10, '', 0,  '',       22, 0,     0,  22, 0, 0, 0, 0, '00', '00'),
  ('T-USD',   'Testna licenca',   'KOS', 'T', 'TST', 'BLA', '22', '95', 'USD', 50,  45, 61,   50,  50,  30, 'USD', 30, 0, 0, 0, 0,   0,  '', 0,  '',       22, 0,     0,  22, 0, 0, 0, 0, '00', '00');
-- Price-list exchange rates of 2004 (the demo's rates start in 2025).
INSERT INTO Tecaj (Banka, Valuta, Datum, Tecaj, UserZap, UserSpre) VALUES
  ('NLB', 'EUR', '2004/01/01', 1, '00', '00'),
  ('NLB', 'USD', '2004/01/01', 0.8, '00', '00');
)SQL");
    }

    ScratchDir m_scratch;
    QByteArray m_oldDataDir;
    TestDatabase m_db;
    std::unique_ptr<TDataSif> m_module;
};

// A run with the given dates, recording what it tells its window.
struct RecordedRun {
    GenerationCriteria criteria;
    GenerationCallbacks callbacks;
    QStringList log;
    std::vector<int> progress;
    int reopened = 0;
    int commits = 0;
    std::vector<qsizetype> batchLengths;

    RecordedRun(const QDate& dueDate, const QDate& documentDate)
    {
        criteria.DatumKont = dueDate;
        criteria.Datum = documentDate;
        criteria.Danes = QDate(2004, 4, 2);
        callbacks.clearLog = [this] { log.clear(); };
        callbacks.logLine = [this](const QString& line) { log << line; };
        callbacks.progress = [this](int p) { progress.push_back(p); };
        callbacks.reopenTemplates = [this] { ++reopened; };
        callbacks.beforeCommit = [this] {
            ++commits;
            batchLengths.push_back(DataSif->UpdateHstmt.SQL().size());
        };
    }

    GenerationResult run()
    {
        ScriptedMessageBoxes boxes;
        boxes.setDefaultAnswer(MsgButton::Ok);
        GenerationResult r = bKreiranjeClick(criteria, callbacks);
        shown = boxes.texts();
        return r;
    }
    QStringList shown;
};

// Long templates 1..n (longTemplate), for three partners in turn.
inline void addLongTemplates(GenerationDatabase& db, int n)
{
    const QStringList partners{"Kupec Alfa d.o.o.", "Kupec Beta d.o.o.", "Kupec Gama d.o.o."};
    for (int i = 1; i <= n; ++i)
        db.addTemplate(longTemplate(i, partners[(i - 1) % 3]));
}

// After a run over that many long templates: every one has exactly one invoice with its three
// lines and its date moved, and no line or header lies in the database without the rest of its
// document.
inline void expectEveryLongTemplateOnce(const GenerationDatabase& db, int templates)
{
    const auto count = [&](const QString& table, const QString& where) {
        return db.psql("SELECT count(*) FROM " + table + " WHERE " + where).toInt();
    };
    EXPECT_EQ(count("Promet", "TRUE"), templates);
    EXPECT_EQ(count("PrometPoz", "TRUE"), 3 * templates);
    EXPECT_EQ(count("PrometPoz P", "NOT EXISTS (SELECT 1 FROM Promet H WHERE H.Kljuc = P.Kljuc)"), 0);
    EXPECT_EQ(count("Promet H", "(SELECT count(*) FROM PrometPoz P WHERE P.Kljuc = H.Kljuc) <> 3"), 0);
    EXPECT_EQ(count("Obdrac", "DatZadFak IS NULL"), 0);
    EXPECT_EQ(db.psql("SELECT count(DISTINCT Kljuc) FROM Promet").toInt(), templates);
}
