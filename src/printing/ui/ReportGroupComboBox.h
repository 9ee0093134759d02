#pragma once
#include <QComboBox>

// The report group box of the preview: a read-only drop-down list that announces that it is
// about to drop down (so that its list can be filled first).
class ReportGroupComboBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;
    void showPopup() override;

signals:
    void aboutToDropDown();
};
