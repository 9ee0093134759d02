#pragma once
#include "printing/PreviewRules.h"
#include "printing/ReportOutput.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class QAction;
class QButtonGroup;
class QComboBox;
class QDockWidget;
class QFileDialog;
class QLabel;
class QMdiSubWindow;
class QToolButton;
class ReportGenerator;
class ReportGroupComboBox;
class ReportPageView;
class TwwOEDataSet;

// The preview window (form name "FormPrvw"): one child window of the main window that shows
// every report started with preview, reused by the next one. Pages, zoom, print, save, the
// exports to the spreadsheet, the word processor and e-mail, and the report group of the
// printout: choose another variant (the printout runs again with it and the choice is
// remembered in ReportSort), refresh, design, delete a user variant.
class TFormPrvw : public QMainWindow {
    Q_OBJECT
public:
    // Shows a report run that has not started yet: the window is made when there is none (a
    // child window of the main window's child area, maximised), or set up again; then the run
    // is started and the window shown. Returns the window.
    static TFormPrvw* ShowPreparedReport(std::unique_ptr<ReportGenerator> generator);
    // The window while it exists (null otherwise).
    static TFormPrvw* instance();

    ~TFormPrvw() override;

    ReportGenerator* generator() const { return m_generator.get(); }
    ReportPageView* QRPreview() const { return m_view; }
    ReportGroupComboBox* cbReportGroup() const { return m_cbReportGroup; }
    QComboBox* ComboBox1() const { return m_zoomBox; }
    QToolButton* ZoomToWidth() const { return m_zoomToWidth; }
    QToolButton* ZoomFit() const { return m_zoomFit; }
    QToolButton* Zoom100() const { return m_zoom100; }
    QToolButton* button(const QString& objectName) const;
    QDockWidget* toolbarDock() const { return m_dock; }
    QAction* action(const QString& objectName) const;
    QLabel* panel(int index) const { return index == 0 ? m_panel0 : m_panel1; }
    TwwOEDataSet& tbRepGroup() const { return *m_tbRepGroup; }
    QMdiSubWindow* subWindow() const;
    QString codeShown() const { return m_codeShown; }
    // Whether pages are still being made (the exports, print and save wait for all of them).
    bool pagesPending() const;

    // The save dialog as "Shrani kot ..." shows it (not shown).
    std::unique_ptr<QFileDialog> createSaveDialog();

public slots:
    // Commands (names as the toolbar and menus know them).
    void SaveClick();                  // "Shrani kot ...", the save button
    void SpeedButton13Click();         // "Izvoz v Excell ...": spreadsheet
    void SpeedButton14Click();         // "Izvoz v Word ...": word processor
    void ExportToExcelNative();        // "Izvoz v Excell (.xlsx) ..."
    void ExportToWordNative();         // "Izvoz v Word (.odt) ..."
    void SpeedButton15Click();         // "Pošlji po elektronski pošti ..."
    void PrintClick();                 // F7
    void PrintSetupClick();            // F8
    void SpeedButton16Click();         // "Oblikuj izpis ..."
    void SpeedButton18Click();         // "Osveži"
    void ZbrisiIzpisClick();           // "Zbriši izpis"
    void StopClick();                  // "Zaustavi izpis"
    void ZoomToWidthClick();
    void ZoomFitClick();
    void Zoom100Click();
    void FirstPageClick();
    void PrevPageClick();
    void NextPageClick();
    void LastPageClick();
    void cbReportGroupDropDown();
    void cbReportGroupCloseUp(int index);
    void ComboBox1Change(const QString& text);
    void ComboBox1Enter();
    void SaveReportTo(const QString& path, int filterIndex);

signals:
    // A report of a run is shown (after a setup).
    void reportShown();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    explicit TFormPrvw(QWidget* parent = nullptr);
    void buildToolbar();
    void buildMenus();
    void buildStatusBar();
    void setup(std::unique_ptr<ReportGenerator> generator);
    void attachGenerator();
    void cancelGeneration();
    void updatePagePosition();
    void progressNotified(int percent);
    void generationEnded();
    void fillReportGroup(const QString& sql);
    QString currentReportField(const QString& field) const;
    bool positionOnComboCode();
    void setMainStatusBarVisible(bool visible);
    bool waitForPages();
    bool exportToOffice(int program, bool native);

    std::unique_ptr<ReportGenerator> m_generator;
    std::unique_ptr<TwwOEDataSet> m_tbRepGroup;
    PreviewProgress m_progress;
    QString m_codeShown;
    bool m_closing = false;

    ReportPageView* m_view = nullptr;
    QDockWidget* m_dock = nullptr;
    ReportGroupComboBox* m_cbReportGroup = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QToolButton* m_zoomToWidth = nullptr;
    QToolButton* m_zoomFit = nullptr;
    QToolButton* m_zoom100 = nullptr;
    QButtonGroup* m_zoomGroup = nullptr;
    QLabel* m_panel0 = nullptr;
    QLabel* m_panel1 = nullptr;
};

// The program-wide refresh flag: set from the start of a refresh until the next setup of the
// preview, which then keeps the report group box as it is.
inline bool PreviewRefreshing = false;

// The previewer of the windowed program: reports started with preview go to TFormPrvw.
class TFormPrvwPreviewer : public ReportPreviewer {
public:
    void showPreview(std::unique_ptr<ReportGenerator> generator) override;
};
