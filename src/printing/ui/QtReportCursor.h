#pragma once
#include "printing/ReportOutput.h"

// The report start's cursor on the screen: the hourglass for every window while it works.
class QtReportCursor : public ReportCursor {
public:
    void setBusy(bool busy) override;
};
