#include "printing/PrintingRun.h"

#include "printing/ReportStart.h"

#include "data/DataSif.h"
#include "data/TableRoutines.h"
#include "data/log/ErrorLog.h"
#include "data/log/MessageBoxes.h"
#include "generation/ListingRun.h"

namespace {
const QString Operation = QStringLiteral("bIzpisClick");

void closeStatements(TDataSif& module)
{
    for (THstmt* s : {&module.qQuery0, &module.qQuery1, &module.qQuery2}) {
        try {
            s->Close();
        } catch (...) {
        }
    }
}
} // namespace

bool makeListing(const GenerationCriteria& criteria, const std::function<void(int)>& progress, bool* cancelled)
{
    if (cancelled)
        *cancelled = false;
    TDataSif* module = DataSif;
    try {
        TDataSif& m = requireDataSif();
        // 1.
        LocalTable& table = m.tbNapaka;
        table.close();
        defineTObdracNapaka(table);
        table.createTable();
    } catch (...) {
        LogCurrentException(nullptr, Operation);
        showError(describeException(std::current_exception()).message);
        return false;
    }
    try {
        // OpenTable shows its own message before it raises.
        OpenTable(module->tbNapaka, QStringLiteral("tbNapaka"), true, LocalTable::OpenMode::Exclusive);
    } catch (...) {
        LogCurrentException(nullptr, Operation);
        return false;
    }
    try {
        // 2.
        if (askConfirmation(QStringLiteral("Ali res želiš izpisati dokumente ?")) == MsgButton::Cancel) {
            if (cancelled)
                *cancelled = true;
            return true;
        }
        ListingRun run(module->tbNapaka, criteria, progress);
        run.IzpisiIzdRac();
        run.IzpisiNaroc();
        return true;
    } catch (...) {
        LogCurrentException(nullptr, Operation);
        closeStatements(*module);
        showError(describeException(std::current_exception()).message);
        return false;
    }
}

bool bIzpisClick(TReportDesignerDialog& designer, QObject* origin, const GenerationCriteria& criteria,
                 const std::function<void(int)>& progress)
{
    if (!makeListing(criteria, progress))
        return false;
    // 3.
    TDataSif& module = requireDataSif();
    try {
        module.tbNapaka.first();
    } catch (...) {
        LogCurrentException(nullptr, Operation);
    }
    return StartQRDPrint(designer, origin, ReportStartDataSet(module.tbNapaka, QStringLiteral("tbNapaka")),
                         ListingFormName, ListingDefaultCode, listingCriteria(criteria));
}

QMap<QString, QString> listingCriteria(const GenerationCriteria& criteria)
{
    QMap<QString, QString> texts;
    texts.insert(QStringLiteral("Obdobje"), criteria.DatumKont.isValid()
                                                ? criteria.DatumKont.toString(QStringLiteral("dd.MM.yyyy"))
                                                : QString());
    texts.insert(QStringLiteral("Partner"), criteria.Subjekt.trimmed().isEmpty() ? QStringLiteral("vsi") : criteria.Subjekt.trimmed());
    texts.insert(QStringLiteral("Poslovni dogodek"),
                 criteria.PoslDog.trimmed().isEmpty() ? QStringLiteral("vsi") : criteria.PoslDog.trimmed());
    return texts;
}
