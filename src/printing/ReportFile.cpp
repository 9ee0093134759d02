#include "printing/ReportFile.h"

#include "printing/ReportOutput.h"
#include "printing/ReportStart.h"
#include "printing/TReportDesignerDialog.h"

#include "data/log/ErrorLog.h"
#include "reports/ExportFilter.h"
#include "reports/ReportGenerator.h"

ReportFileResult writeReportFile(const ReportStartDataSet& dataSet, const QString& formName, const QString& defaultCode,
                                 const QMap<QString, QString>& criteria, const QString& extension, const QString& path)
{
    ReportFileResult result;
    try {
        const ExportFilter* filter = findExportFilter(extension);
        if (!filter)
            throw EReportOutput(QStringLiteral("Izpisa ni mogoče zapisati v obliki \"") + extension + QStringLiteral("\"."));
        const std::optional<ReportStartChoice> choice = chooseReport(dataSet, formName, defaultCode, criteria);
        if (!choice) {
            result.outcome = ReportFileResult::Outcome::NotStarted;
            return result;
        }
        const std::unique_ptr<ReportGenerator> run = TReportDesignerDialog::runToEnd(choice->setup);
        QString error;
        if (!filter->write(run->prepared(), path, &error))
            throw EReportOutput(QStringLiteral("Datoteke \"") + path + QStringLiteral("\" ni bilo mogoče zapisati: ") + error);
        result.outcome = ReportFileResult::Outcome::Written;
        result.pages = run->prepared().pageCount();
    } catch (...) {
        LogCurrentException(nullptr, QStringLiteral("StartQRDPrint"));
        result.outcome = ReportFileResult::Outcome::Failed;
        result.error = describeException(std::current_exception()).message;
    }
    return result;
}
