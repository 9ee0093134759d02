#pragma once
#include "data/core/MessageException.h"

#include <functional>

class TwwOEDataSet;

// The report designer's edit operation as the preview calls it ("Oblikuj izpis ..."): opens the
// designer modally on the definition the data module's Report stands on (its REPORTDATA, with
// its NAZIV as the caption); saving is the designer's own business. The designer installs it;
// until then there is none.
using ReportEditOperation = std::function<void(TwwOEDataSet& Report)>;
void setReportEditOperation(ReportEditOperation operation);
const ReportEditOperation& reportEditOperation();

// There is no report designer in this program (yet).
class EDesignerUnavailable : public MessageException {
public:
    using MessageException::MessageException;
};

// Runs the installed edit operation; raises EDesignerUnavailable when there is none.
void EditReportDesign(TwwOEDataSet& Report);
