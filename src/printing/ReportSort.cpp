#include "printing/ReportSort.h"

#include "data/config/ProgramIni.h"

QString chosenReportCode(const QString& formName, const QString& defaultCode)
{
    return GetStringFromIniFile(ReportSortSection, formName, defaultCode);
}

void rememberReportCode(const QString& formName, const QString& code)
{
    WriteStringToIniFile(ReportSortSection, formName, code);
}
