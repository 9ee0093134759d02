#pragma once
#include "printing/ReportStartDataSet.h"

#include <QMap>
#include <QString>

// A stored report written to a file instead of the printer or the preview, for the tools that
// run without windows (obdrac-run --pdf and its companions): the definition is chosen and the
// data checked as by the report start (ReportSort, the default code, the form name, ORDERBY,
// PRINTIFEMPTY, with the start's messages), then the whole report goes through the export filter
// of the given kind. PREVIEW, NOOFCOPY and PRINTTOTEXT, which are about the printer, do not apply.

struct ReportFileResult {
    enum class Outcome {
        Written,      // the file holds the report
        NotStarted,   // the start ended before the output ("Izpis ne obstaja v bazi !?!",
                      // "Ni nobenega zapisa !"): nothing written
        Failed,       // the report could not be made or written (error says why)
    };
    Outcome outcome = Outcome::Failed;
    int pages = 0;
    QString error;
};

// extension: of an export filter of the engine ("pdf", "htm", "xlsx", "csv"...). Failures are
// logged as "StartQRDPrint" and returned, never raised.
ReportFileResult writeReportFile(const ReportStartDataSet& dataSet, const QString& formName, const QString& defaultCode,
                                 const QMap<QString, QString>& criteria, const QString& extension, const QString& path);
