#pragma once
#include "printing/ReportDesignerStorage.h"

#include <QDialog>

#include <vector>

class QTreeWidget;

// The designer's open dialog (caption "Odpri", button "&Odpri"): the reports of the current form
// name with code and name; a double click or "&Odpri" chooses the current row.
class TOpenDBDialog : public QDialog {
    Q_OBJECT
public:
    TOpenDBDialog(const std::vector<ReportListRow>& rows, const QString& currentCode, QWidget* parent = nullptr);
    // The chosen row's code (empty when none).
    QString chosenCode() const;
    QTreeWidget* list() const { return m_list; }

private:
    QTreeWidget* m_list;
};
