#include "printing/ReportDesignEdit.h"

namespace {
ReportEditOperation& editOperation()
{
    static ReportEditOperation operation;
    return operation;
}
} // namespace

void setReportEditOperation(ReportEditOperation operation) { editOperation() = std::move(operation); }
const ReportEditOperation& reportEditOperation() { return editOperation(); }

void EditReportDesign(TwwOEDataSet& Report)
{
    if (!editOperation())
        throw EDesignerUnavailable(QStringLiteral("Oblikovalnik izpisov v tem programu ni na voljo."));
    editOperation()(Report);
}
