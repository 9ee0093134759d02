#pragma once
#include <QString>

class TDataSif;
class TwwOEDataSet;

// The report catalogue: the events of the data module's datasets over table Report, tbReport
// (every definition, "SELECT * FROM Report ORDER BY REPORT") and Report (the one definition a
// printout, the preview or the designer works on, positioned with sqlFindKey). The module
// itself already writes both through its write hook and stamps the change with SetDateOnPost.

// Sets the events below on the module's tbReport and Report (again: nothing changes).
//   both:      OnNewRecord = ReportNewRecord
//   tbReport:  BeforeDelete = tbReportBeforeDelete; AfterPost and AfterDelete close Report, so
//              that the next positioning reads the changed row again.
void installReportCatalogue(TDataSif& module);

// Defaults of a new definition, in this order: MAXKOSLEVEL 0, DEFAULTPRINTER "Privzet
// tiskalnik", ZAMENJAJPREDZNAK "F", PRINTIFEMPTY "F", PRINTTOTEXT "F", PREVIEW "T", NOOFCOPY 1,
// IZJAVA "Na podlagi izjave kupca št. %s z dne %s " (with the closing blank), IZJAVANAD "prometni
// davek ni bil obračunan.", IZJAVAZNI "je bil davek obračunan po znižani stopnji.", then
// SetDateOnNew. A failure is logged as "ReportNewRecord" (the defaults after it stay unset).
void ReportNewRecord(TwwOEDataSet& DataSet);

// Before a catalogue row is deleted: a system report's code (below A00) shows "Ne moreš brisati
// sistemskega reporta !" and cancels the deletion (EAbort). A code that is not a hexadecimal
// number is logged as "tbReportBeforeDelete" and does not stop the deletion.
void tbReportBeforeDelete(TwwOEDataSet& DataSet);

// DEFAULTPRINTER of a new definition: no printer of its own, the workstation's default.
inline const QString DefaultPrinterName = QStringLiteral("Privzet tiskalnik");
