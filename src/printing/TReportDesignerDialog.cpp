#include "printing/TReportDesignerDialog.h"

#include "printing/ReportOutput.h"

#include "reports/ReportGenerator.h"

namespace {
QString reportLabel(const ReportRunSetup& setup)
{
    return setup.name.isEmpty() ? setup.code : setup.code + QStringLiteral(" (") + setup.name + QLatin1Char(')');
}
} // namespace

TReportDesignerDialog::TReportDesignerDialog(ReportPrinter* printer, ReportPreviewer* previewer, ReportCursor* cursor)
    : m_printer(printer), m_previewer(previewer), m_cursor(cursor)
{
}

ReportDefinition TReportDesignerDialog::loadDefinition(const ReportRunSetup& setup)
{
    if (setup.reportData.trimmed().isEmpty())
        throw EReportOutput(QStringLiteral("Izpis ") + reportLabel(setup) + QStringLiteral(" je prazen."));
    ReportParseResult parsed = ReportDefinition::parse(setup.reportData);
    if (!parsed.definition)
        throw EReportOutput(QStringLiteral("Izpisa ") + reportLabel(setup) + QStringLiteral(" ni mogoče prebrati: ")
                            + parsed.error.text());
    return std::move(*parsed.definition);
}

std::unique_ptr<ReportGenerator> TReportDesignerDialog::makeGenerator(const ReportRunSetup& setup)
{
    ReportDefinition definition = loadDefinition(setup);
    ReportContext context = setup.context;
    if (context.reportName.isEmpty())
        context.reportName = setup.name.isEmpty() ? definition.name : setup.name;
    if (context.title.isEmpty())
        context.title = definition.title.isEmpty() ? context.reportName : definition.title;
    return std::make_unique<ReportGenerator>(std::move(definition), setup.sources, std::move(context));
}

std::unique_ptr<ReportGenerator> TReportDesignerDialog::runToEnd(const ReportRunSetup& setup)
{
    std::unique_ptr<ReportGenerator> generator = makeGenerator(setup);
    if (!generator->runToEnd()) {
        const QString reason = generator->hasFailed() ? generator->errorMessage() : QStringLiteral("izpis je bil prekinjen");
        throw EReportOutput(QStringLiteral("Izpisa ") + reportLabel(setup) + QStringLiteral(" ni bilo mogoče pripraviti: ")
                            + reason);
    }
    return generator;
}

void TReportDesignerDialog::printFromBlob(const ReportRunSetup& setup) const
{
    if (!m_printer)
        throw EReportOutput(QStringLiteral("Tiskanje ni na voljo."));
    std::unique_ptr<ReportGenerator> generator = runToEnd(setup);
    const QString title = generator->prepared().title().isEmpty() ? setup.name : generator->prepared().title();
    m_printer->printReport(generator->prepared(), setup.printerName, title);
}

void TReportDesignerDialog::previewFromBlob(const ReportRunSetup& setup) const
{
    if (!m_previewer)
        throw EReportOutput(QStringLiteral("Predogled izpisa ni na voljo."));
    m_previewer->showPreview(makeGenerator(setup));
}
