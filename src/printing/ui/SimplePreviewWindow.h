#pragma once
#include "printing/ReportOutput.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QComboBox;
class QLabel;
class QToolButton;
class ReportGenerator;
class ReportPageView;

// A plain preview of a report as a child window of the main window ("Predogled"): the engine's
// page view with paging, zoom and printing, filled while the pages are being made. One window
// is reused for the next preview; closing it cancels a run that is still going.
class SimplePreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit SimplePreviewWindow(QWidget* parent = nullptr);
    ~SimplePreviewWindow() override;

    // Shows the run (not yet started) and starts it; a run shown before is cancelled.
    void showRun(std::unique_ptr<ReportGenerator> generator);

    ReportPageView* pageView() const { return m_view; }
    ReportGenerator* generator() const { return m_generator.get(); }
    QString pageText() const;       // "Stran 2 od 5"
    QString progressText() const;   // "45 %" while pages are made, empty when done

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void updatePagePosition();
    void zoomChosen(int index);
    void cancelRun();

    std::unique_ptr<ReportGenerator> m_generator;
    ReportPageView* m_view = nullptr;
    QComboBox* m_zoom = nullptr;
    QLabel* m_page = nullptr;
    QLabel* m_progress = nullptr;
};

// The previewer of the windowed program until the full preview window replaces it: one
// SimplePreviewWindow, shown as a child window of the main window and reused.
class SimpleReportPreviewer : public ReportPreviewer {
public:
    void showPreview(std::unique_ptr<ReportGenerator> generator) override;
    SimplePreviewWindow* window() const { return m_window.data(); }

private:
    QPointer<SimplePreviewWindow> m_window;
};
