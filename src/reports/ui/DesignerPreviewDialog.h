#pragma once
#include "reports/PreparedReport.h"

#include <QDialog>

class ReportPageView;
class QLabel;

// The designer's preview: the report the engine made from the definition being edited, with
// page buttons and zoom. Holds the prepared report itself.
class DesignerPreviewDialog : public QDialog {
    Q_OBJECT
public:
    DesignerPreviewDialog(PreparedReport report, const QString& caption, QWidget* parent = nullptr);
    const PreparedReport& report() const { return m_report; }
    ReportPageView* pageView() const { return m_view; }

private:
    PreparedReport m_report;
    ReportPageView* m_view;
    QLabel* m_position;
};
