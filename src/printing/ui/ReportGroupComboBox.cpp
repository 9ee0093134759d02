#include "printing/ui/ReportGroupComboBox.h"

#include <QAbstractItemView>

void ReportGroupComboBox::showPopup()
{
    emit aboutToDropDown();
    view()->setMinimumWidth(350);
    QComboBox::showPopup();
}
