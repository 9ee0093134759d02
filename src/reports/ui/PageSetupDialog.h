#pragma once
#include "reports/ReportDefinition.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;

// Page setup of a definition: paper (A4, A5, A3, Letter, Legal or own size), orientation and
// the four margins, in millimetres.
class PageSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit PageSetupDialog(const ReportPageSetup& page, QWidget* parent = nullptr);
    ReportPageSetup pageSetup() const;

    // Sheet size of a named paper in portrait (width, height); false for an unknown name.
    static bool paperSize(const QString& name, double* widthMm, double* heightMm);

private:
    void paperChosen();

    ReportPageSetup m_page;
    QComboBox* m_paper;
    QDoubleSpinBox* m_width;
    QDoubleSpinBox* m_height;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
    QDoubleSpinBox* m_left;
    QDoubleSpinBox* m_top;
    QDoubleSpinBox* m_right;
    QDoubleSpinBox* m_bottom;
};
