#pragma once
#include "printing/ReportDesignerStorage.h"

#include <QDialog>

#include <vector>

class QLineEdit;
class QListWidget;

// The designer's Save as dialog: caption "Shrani", label "Vpišite ime vašega reporta:", an edit
// field for the name, the read-only list of the names of the form name's reports (releasing a
// key or the mouse button in it copies the current name into the edit field), and the buttons
// "Shrani" and "Prekliči". "Shrani" decides with chooseSaveAsTarget: a refused name shows its
// error and the dialog stays open; a replace asks "Ste preprićani, da želite zamenjati report:
// <name>?" (OK closes the dialog with the replace, Cancel stays); a new name closes it.
class TSaveDBDialog : public QDialog {
    Q_OBJECT
public:
    TSaveDBDialog(const std::vector<ReportListRow>& rows, QWidget* parent = nullptr);

    QLineEdit* nameEdit() const { return m_name; }
    QListWidget* list() const { return m_list; }
    // After Accepted: what was chosen and under which name.
    const SaveAsTarget& target() const { return m_target; }
    QString typedName() const;

    // "Shrani" (also for tests).
    void saveClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<ReportListRow> m_rows;
    QLineEdit* m_name;
    QListWidget* m_list;
    SaveAsTarget m_target;
};
