#include "generation/ListingRun.h"

#include "data/DataSif.h"
#include "data/DataSifRoutines.h"
#include "data/local/LocalTable.h"
#include "data/core/Rounding.h"
#include "data/TableRoutines.h"
#include "pricing/MasterLookups.h"
#include "pricing/MasterRecords.h"
#include "pricing/PriceDetermination.h"

#include <QtMath>

void createNapakaTable(LocalTable& table)
{
    table.close();
    defineTObdracNapaka(table);
    table.createTable();
    table.open(LocalTable::OpenMode::Exclusive);
}

ListingRun::ListingRun(LocalTable& table, const GenerationCriteria& criteria, std::function<void(int)> progress)
    : m_table(table), m_criteria(criteria), m_progress(std::move(progress))
{
}

void ListingRun::IzpisiIzdRac()
{
    listTemplates(TemplateKind::Invoice);
}

void ListingRun::IzpisiNaroc()
{
    listTemplates(TemplateKind::Order);
}

void ListingRun::listTemplates(TemplateKind kind)
{
    const QString condition = dueCondition(kind, m_criteria.DatumKont, m_criteria.Subjekt, m_criteria.PoslDog);
    const int total = GetQueryRecordCount(dueTemplatesTables(), dueTemplatesCountWhere(condition));
    THstmt& q0 = DataSif->qQuery0;
    THstmt& q1 = DataSif->qQuery1;
    setProgress(0);
    int i = 0;
    // The selection, a block of templates at a time (in key order, as one selection would be).
    QString last;
    for (bool first = true, more = true; more; first = false) {
        q0.Close();
        q0.setSQL(dueTemplatesBlockSelect(kind, condition, first ? nullptr : &last, DueTemplatesBlock));
        q0.Execute();
        int rows = 0;
        while (q0.FetchNext()) {
            ++rows;
            ++i;
            last = q0.ColumnAsString(DueCol::Kljuc);
            const QString subjekt = q0.ColumnAsString(DueCol::Subjekt);
            const bool ofType = q0.ColumnAsString(DueCol::Tip) == QLatin1String("T");
            const int rowsBefore = m_rows;
            int partners = 0;
            if (!ofType) {
                listDocument(kind, subjekt);
            } else {
                q1.Close();
                q1.setSQL(partnersOfTypeSelect(subjekt));
                q1.Execute();
                while (q1.FetchNext()) {
                    ++partners;
                    listDocument(kind, q1.ColumnAsString(1));
                }
                q1.Close();
            }
            // as the run reports it: a due template that would make no document
            if (m_rows == rowsBefore)
                m_notMade << last + QStringLiteral(" / ") + subjekt + QStringLiteral(" - NI KREIRAN: ")
                        + (ofType && partners == 0 ? QStringLiteral("noben partner nima tipa partnerja ") + subjekt
                                                   : QStringLiteral("nobena postavka nima obstoječega artikla"));
            setProgress(qRound(100.0 * DivT(i, total)));
        }
        q0.Close();
        more = rows == DueTemplatesBlock;
    }
    setProgress(100);
}

void ListingRun::listDocument(TemplateKind kind, const QString& p)
{
    THstmt& q0 = DataSif->qQuery0;
    THstmt& q2 = DataSif->qQuery2;
    const QString templateKey = q0.ColumnAsString(DueCol::Kljuc);
    const QString nacIzrCene = q0.ColumnAsString(DueCol::NacIzrCene);
    const QString poslDog = q0.ColumnAsString(DueCol::PoslDogFak);
    const QString valuta = q0.ColumnAsString(DueCol::Valuta);
    q2.Close();
    q2.setSQL(templateLinesOfSelect({templateKey}));   // in the order the run takes them
    q2.Execute();
    QString side = QStringLiteral("I");
    if (kind == TemplateKind::Order && q0.ColumnAsString(DueCol::PoslDogTip) != QLatin1String("P"))
        side = QStringLiteral("P");
    FindSubj(p);
    const QString cenRazred = SubjRec.CenRazred;
    const QString tip = kind == TemplateKind::Invoice ? QStringLiteral("Račun") : QStringLiteral("Naročilo");
    const QDate today = m_criteria.today();
    while (q2.FetchNext()) {
        const QString ident = q2.ColumnAsString(LineCol::Ident);
        if (!FindMS(ident))
            continue;
        const double kolicina = q2.ColumnAsFloat(LineCol::Kolicina);
        double cena = 0.0;
        double rabat = 0.0;
        if (nacIzrCene == QLatin1String("F")) {
            cena = q2.ColumnAsFloat(LineCol::Cena);
            rabat = q2.ColumnAsFloat(LineCol::Rabat);
        } else {
            IzrCenePozC(cenRazred, p, valuta, today, kolicina, MSRec, side, cena, rabat);
        }
        m_table.append();
        m_table.setValue(QStringLiteral("Kljuc"), templateKey);
        m_table.setValue(QStringLiteral("Subjekt"), p);
        m_table.setValue(QStringLiteral("Tip"), tip);
        m_table.setValue(QStringLiteral("PoslDog"), poslDog);
        m_table.setValue(QStringLiteral("Ident"), ident);
        m_table.setValue(QStringLiteral("Kolicina"), kolicina);
        m_table.setValue(QStringLiteral("Cena"), cena);
        m_table.setValue(QStringLiteral("Rabat"), rabat);
        m_table.post();
        ++m_rows;
    }
    q2.Close();
}

void ListingRun::setProgress(int value)
{
    if (m_progress)
        m_progress(qBound(0, value, 100));
}
