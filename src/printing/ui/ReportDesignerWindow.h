#pragma once
#include "printing/ReportDesignerStorage.h"

#include "reports/ReportContext.h"
#include "reports/ReportDataSource.h"

#include <QDialog>

#include <functional>

class QPushButton;
class ReportDesigner;

// The report designer as the program shows it: modal, the report's name as caption, the
// designer (ReportDesigner) on the definition stored in REPORTDATA of a row of table Report, and
// the storage commands of the menu "Datoteka": Open, Save, Save as, import and export of a
// ".QR2" file, Close; in development mode (RazvojAplikacije "T") also the button "S", which
// writes the layout into the current row whatever its class and closes the designer.
class ReportDesignerWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReportDesignerWindow(QWidget* parent = nullptr);
    ~ReportDesignerWindow() override;

    // The data the definition may bind (field lists and the designer's preview).
    void setDataSources(const ReportDataSources& sources, const ReportContext& context);

    // Positions Report on the code and loads its layout; false (after a message) when there is no
    // such row or its layout cannot be read; the designer then keeps what it had.
    bool openCode(const QString& code);

    const DesignerReport& current() const { return m_current; }
    ReportDesigner* designer() const { return m_designer; }
    QPushButton* sButton() const { return m_sButton; }
    // The layout as it is stored (the definition's text).
    QByteArray layout() const;
    // Whether a command wrote the definition into the database since the window was made.
    bool savedToDatabase() const { return m_saved; }

    // The commands; each returns whether it did what it was asked (false after a message or
    // when the user cancelled).
    bool openCommand();
    bool saveCommand();
    bool saveAsCommand();
    bool saveAs(const SaveAsTarget& target, const QString& name);
    bool saveIntoCurrentRow();
    bool importFile(const QString& path);
    bool exportFile(const QString& path);

    // How the window shows its own dialogs (Open, Save as, file choice); tests put their own in.
    std::function<int(QDialog& dialog)> runDialog;
    std::function<QString(bool save)> chooseFile;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildMenu();
    void updateCaption();
    bool loadLayout(const QByteArray& data, const QString& source);

    DesignerReport m_current;
    ReportDesigner* m_designer;
    QPushButton* m_sButton = nullptr;
    bool m_saved = false;
};

// The data module's datasets that a definition may bind in the designer: the listing table
// tbNapaka, the parameter row tbParameter and the definition's own row Report.
ReportDataSources designerDataSources();

// The designer's edit operation (the preview's "Oblikuj izpis ..."): opens the designer
// modally on the definition of the code, with its name as caption, over the data module's
// datasets (designerDataSources) or the given ones. Returns whether the definition was saved
// (under its code or another one); Report stays on the row last opened or saved.
bool editReportDefinition(QWidget* parent, const QString& code);
bool editReportDefinition(QWidget* parent, const QString& code, const ReportDataSources& sources, const ReportContext& context);
