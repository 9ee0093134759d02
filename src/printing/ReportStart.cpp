#include "printing/ReportStart.h"

#include "printing/PrintOrigin.h"
#include "printing/ReportOutput.h"
#include "printing/ReportSort.h"

#include "data/DataSif.h"
#include "data/SqlFilter.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"
#include "data/dataset/TwwOEDataSet.h"
#include "data/log/ErrorLog.h"
#include "data/log/MessageBoxes.h"
#include "reports/ReportDataSource.h"

namespace {
const QString Operation = QStringLiteral("StartQRDPrint");

QString reportText(const char* field)
{
    return requireDataSif().Report->FieldByName(QString::fromLatin1(field)).asString();
}

// Puts the cursor back however the start ends.
class BusyCursor {
public:
    explicit BusyCursor(ReportCursor* cursor) : m_cursor(cursor)
    {
        if (m_cursor)
            m_cursor->setBusy(true);
    }
    ~BusyCursor()
    {
        if (m_cursor) {
            try {
                m_cursor->setBusy(false);
            } catch (...) {
            }
        }
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    ReportCursor* m_cursor;
};

// The data a definition may bind besides the printed dataset: the data module's own datasets.
ReportDataSources dataSourcesFor(const ReportStartDataSet& dataSet)
{
    ReportDataSources sources;
    if (std::shared_ptr<ReportDataSource> main = dataSet.reportSource())
        sources.add(main);
    TDataSif& module = requireDataSif();
    auto addDataSet = [&](TwwOEDataSet& ds) {
        if (!sources.find(ds.Name()))
            sources.add(std::make_shared<DataSetReportSource>(ds));
    };
    addDataSet(*module.tbParameter);
    addDataSet(*module.Report);
    if (!sources.find(QStringLiteral("tbNapaka")))
        sources.add(std::make_shared<LocalTableReportSource>(module.tbNapaka, QStringLiteral("tbNapaka")));
    return sources;
}

ReportContext contextFor(const QString& name, const QMap<QString, QString>& criteria)
{
    ReportContext context;
    context.reportName = name;
    context.title = name;
    context.companyName = ParamAsString(QStringLiteral("NASEPODJETJE")).trimmed();
    if (context.companyName.isEmpty())
        context.companyName = DatabaseCompany;
    context.iniFilePath = programIniFile().fileName();
    context.userName = CurrentUserName;
    for (auto it = criteria.begin(); it != criteria.end(); ++it)
        context.setCriterion(it.key(), it.value());
    return context;
}
} // namespace

bool positionReport(const QString& code)
{
    return sqlFindKey(*requireDataSif().Report, QStringLiteral("REPORT"), QVariantList{code}, QString(), false);
}

std::optional<ReportStartChoice> chooseReport(const ReportStartDataSet& dataSet, const QString& FormName,
                                              const QString& DefaultCode, const QMap<QString, QString>& criteria)
{
    TDataSif& module = requireDataSif();
    // 2.
    const QString chosen = chosenReportCode(FormName, DefaultCode);
    // 3.
    if (!positionReport(chosen) && !positionReport(DefaultCode)) {
        showError(QStringLiteral("Izpis ne obstaja v bazi !?!"));
        return std::nullopt;
    }
    // 4.
    if (reportText("FORMNAME").toUpper() != FormName.toUpper() && !positionReport(DefaultCode))
        return std::nullopt;
    // 5.
    bool printable = reportText("PRINTIFEMPTY") == QLatin1String("T");
    if (!dataSet.isNone()) {
        const QString orderBy = reportText("ORDERBY");
        if (!orderBy.trimmed().isEmpty() && dataSet.liveDataSet())
            sqlSetOrder(*dataSet.liveDataSet(), orderBy);
        if (dataSet.isOpen())
            dataSet.first();
        else
            dataSet.open();
        if (!printable)
            printable = !dataSet.eof();
    } else {
        printable = true;
    }
    // 6.
    if (!printable) {
        showInformation(QStringLiteral("Ni nobenega zapisa !"));
        return std::nullopt;
    }

    ReportStartChoice choice;
    TwwOEDataSet& report = *module.Report;
    choice.setup.code = reportText("REPORT");
    choice.setup.name = reportText("NAZIV");
    choice.setup.printerName = reportText("DEFAULTPRINTER");
    choice.setup.reportData = report.FieldByName(QStringLiteral("REPORTDATA")).value().toByteArray();
    choice.setup.sources = dataSourcesFor(dataSet);
    choice.setup.context = contextFor(choice.setup.name, criteria);
    choice.preview = reportText("PREVIEW") != QLatin1String("F");
    choice.printToText = reportText("PRINTTOTEXT") == QLatin1String("T");
    choice.noOfCopy = report.FieldByName(QStringLiteral("NOOFCOPY")).asInteger();
    return choice;
}

bool StartQRDPrint(TReportDesignerDialog& designer, QObject* origin, const ReportStartDataSet& dataSet,
                   const QString& FormName, const QString& DefaultCode, const QMap<QString, QString>& criteria)
{
    // 1. and 8.
    BusyCursor cursor(designer.cursor());
    setPrintOrigin(origin);
    try {
        const std::optional<ReportStartChoice> choice = chooseReport(dataSet, FormName, DefaultCode, criteria);
        if (!choice)
            return false;
        // 7.
        if (choice->printToText)
            return true;
        if (!choice->preview || choice->noOfCopy >= 2) {
            for (int copy = 0; copy < choice->noOfCopy; ++copy)
                designer.printFromBlob(choice->setup);
        } else {
            designer.previewFromBlob(choice->setup);
        }
        return true;
    } catch (const EReportOutput& e) {
        LogException(e, nullptr, Operation);
        if (designer.cursor())
            designer.cursor()->setBusy(false);
        showError(e.message());
    } catch (...) {
        LogCurrentException(nullptr, Operation);
    }
    return false;
}
