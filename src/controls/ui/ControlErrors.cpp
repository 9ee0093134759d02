#include "ControlErrors.h"

#include "controls/TwwDataSource.h"
#include "data/odbc/EODBC.h"
#include "data/log/MessageBoxes.h"
#include "data/ui/TOEErrorDialog.h"

#include <QApplication>

void installControlErrorDialog()
{
    TwwDataSource::setErrorHandler([](const std::exception& e) {
        if (const auto* odbc = dynamic_cast<const EODBC*>(&e)) {
            TOEErrorDialog::showError(*odbc, QString(), QApplication::activeWindow());
            return;
        }
        showError(QString::fromUtf8(e.what()));
    });
}
