#include "printing/ui/QtReportCursor.h"

#include "data/ui/ScreenCursor.h"

void QtReportCursor::setBusy(bool busy)
{
    setScreenCursor(busy ? Qt::WaitCursor : Qt::ArrowCursor);
}
