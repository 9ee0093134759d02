#include "printing/ReportCatalogue.h"

#include "printing/ReportCodes.h"

#include "data/DataSif.h"
#include "data/TableRoutines.h"
#include "data/core/EAbort.h"
#include "data/dataset/TwwOEDataSet.h"
#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"

void ReportNewRecord(TwwOEDataSet& DataSet)
{
    guard(QStringLiteral("ReportNewRecord"), &DataSet, [&] {
        DataSet.FieldByName(QStringLiteral("MAXKOSLEVEL")).setValue(0);
        DataSet.FieldByName(QStringLiteral("DEFAULTPRINTER")).setValue(DefaultPrinterName);
        DataSet.FieldByName(QStringLiteral("ZAMENJAJPREDZNAK")).setValue(QStringLiteral("F"));
        DataSet.FieldByName(QStringLiteral("PRINTIFEMPTY")).setValue(QStringLiteral("F"));
        DataSet.FieldByName(QStringLiteral("PRINTTOTEXT")).setValue(QStringLiteral("F"));
        DataSet.FieldByName(QStringLiteral("PREVIEW")).setValue(QStringLiteral("T"));
        DataSet.FieldByName(QStringLiteral("NOOFCOPY")).setValue(1);
        DataSet.FieldByName(QStringLiteral("IZJAVA")).setValue(QStringLiteral("Na podlagi izjave kupca št. %s z dne %s "));
        DataSet.FieldByName(QStringLiteral("IZJAVANAD")).setValue(QStringLiteral("prometni davek ni bil obračunan."));
        DataSet.FieldByName(QStringLiteral("IZJAVAZNI")).setValue(QStringLiteral("je bil davek obračunan po znižani stopnji."));
        SetDateOnNew(DataSet);
    });
}

void tbReportBeforeDelete(TwwOEDataSet& DataSet)
{
    bool system = false;
    try {
        system = isSystemReportCode(DataSet.FieldByName(QStringLiteral("REPORT")).asString());
    } catch (const EAbort&) {
        throw;
    } catch (...) {
        LogCurrentException(&DataSet, QStringLiteral("tbReportBeforeDelete"));
        return;
    }
    if (system) {
        showError(QStringLiteral("Ne moreš brisati sistemskega reporta !"));
        throw EAbort();
    }
}

void installReportCatalogue(TDataSif& module)
{
    TDataSif* m = &module;
    auto closeReport = [m](TwwOEDataSet&) {
        guard(QStringLiteral("tbReportAfterPost"), m->Report.get(), [&] { m->Report->Close(); });
    };
    module.tbReport->OnNewRecord = ReportNewRecord;
    module.Report->OnNewRecord = ReportNewRecord;
    module.tbReport->BeforeDelete = tbReportBeforeDelete;
    module.tbReport->AfterPost = closeReport;
    module.tbReport->AfterDelete = closeReport;
}
