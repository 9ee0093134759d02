#pragma once
#include <QAbstractScrollArea>

class PreparedReport;
class QPrinter;

// Shows the pages of a PreparedReport one at a time, scrollable, at a zoom: a percentage, the
// page width fitted to the view, or the whole page fitted. Works while the report still grows:
// call pageAdded() (or connect the generator's pageReady) and the page count follows.
// Keys: Page Up/Down, Ctrl+Home/End, Home/End (first/last page), arrows scroll.
class ReportPageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class ZoomMode { Percent, PageWidth, WholePage };

    explicit ReportPageView(QWidget* parent = nullptr);

    void setReport(const PreparedReport* report);      // not owned; nullptr shows nothing
    const PreparedReport* report() const { return m_report; }

    int currentPage() const { return m_page; }          // 1-based; 0 when there are no pages
    int pageCount() const;
    int zoomPercent() const;                            // effective, also in the fitted modes
    ZoomMode zoomMode() const { return m_mode; }

    // Prints every page on the printer (as set up); false with a Slovenian message.
    bool print(QPrinter& printer, QString* error) const;
    // Asks for a printer (print dialog) and prints; false when cancelled or failed.
    bool printWithDialog();

public slots:
    void pageAdded();       // new pages are available
    void refresh();         // the report changed (or was replaced): repaint, keep the page
    void firstPage();
    void prevPage();
    void nextPage();
    void lastPage();
    void setCurrentPage(int page);    // 1-based, clamped
    void setZoomPercent(int percent); // 10..400
    void zoomToWidth();
    void zoomWholePage();

signals:
    void pageChanged(int current, int count);
    void zoomChanged(int percent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    double pixelsPerMm() const;
    QSizeF currentPageSizeMm() const;
    void updateScrollBars();
    void emitPageChanged();

    const PreparedReport* m_report = nullptr;
    int m_page = 0;
    int m_lastCount = -1;
    ZoomMode m_mode = ZoomMode::PageWidth;
    int m_percent = 100;
};
