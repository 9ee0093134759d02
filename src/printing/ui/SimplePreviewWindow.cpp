#include "printing/ui/SimplePreviewWindow.h"

#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"
#include "data/ui/MdiChildren.h"
#include "reports/ReportGenerator.h"
#include "reports/ui/ReportPageView.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const int ZoomWidthItem = 0;
const int ZoomPageItem = 1;
const int Percents[] = {25, 50, 75, 100, 150, 200, 300};

QToolButton* toolButton(QWidget* parent, const QString& text, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    return b;
}
} // namespace

SimplePreviewWindow::SimplePreviewWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("Predogled izpisa"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    QToolButton* first = toolButton(this, QStringLiteral("|◀"), QStringLiteral("Skok na začetek"));
    QToolButton* prev = toolButton(this, QStringLiteral("◀"), QStringLiteral("Pomik nazaj"));
    QToolButton* next = toolButton(this, QStringLiteral("▶"), QStringLiteral("Pomik naprej"));
    QToolButton* last = toolButton(this, QStringLiteral("▶|"), QStringLiteral("Skok na konec"));
    m_page = new QLabel(this);
    m_page->setMinimumWidth(110);
    m_page->setAlignment(Qt::AlignCenter);
    m_zoom = new QComboBox(this);
    m_zoom->setToolTip(QStringLiteral("Povečava"));
    m_zoom->addItem(QStringLiteral("Širina strani"));
    m_zoom->addItem(QStringLiteral("Cela stran"));
    for (int p : Percents)
        m_zoom->addItem(QString::number(p) + QStringLiteral(" %"), p);
    QToolButton* print = toolButton(this, QStringLiteral("Natisni ..."), QStringLiteral("Tiskanje dokumenta"));
    QToolButton* close = toolButton(this, QStringLiteral("Zapri"), QStringLiteral("Zapri predogled"));
    m_progress = new QLabel(this);
    m_progress->setMinimumWidth(50);
    for (QWidget* w : std::initializer_list<QWidget*>{first, prev, m_page, next, last, m_zoom, print})
        bar->addWidget(w);
    bar->addStretch(1);
    bar->addWidget(m_progress);
    bar->addWidget(close);

    m_view = new ReportPageView(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);

    connect(first, &QToolButton::clicked, m_view, &ReportPageView::firstPage);
    connect(prev, &QToolButton::clicked, m_view, &ReportPageView::prevPage);
    connect(next, &QToolButton::clicked, m_view, &ReportPageView::nextPage);
    connect(last, &QToolButton::clicked, m_view, &ReportPageView::lastPage);
    connect(m_zoom, &QComboBox::activated, this, &SimplePreviewWindow::zoomChosen);
    connect(print, &QToolButton::clicked, this, [this] {
        guard(QStringLiteral("ReportPreviewPrint"), this, [&] {
            if (m_generator && !m_generator->isFinished()) {
                showError(QStringLiteral("Prosim počakajte da se odprejo vse strani!"));
                return;
            }
            m_view->printWithDialog();
        });
    });
    connect(close, &QToolButton::clicked, this, &QWidget::close);
    connect(m_view, &ReportPageView::pageChanged, this, &SimplePreviewWindow::updatePagePosition);
    resize(900, 700);
    updatePagePosition();
}

SimplePreviewWindow::~SimplePreviewWindow()
{
    cancelRun();
}

void SimplePreviewWindow::cancelRun()
{
    if (!m_generator)
        return;
    disconnect(m_generator.get(), nullptr, this, nullptr);
    if (!m_generator->isFinished())
        m_generator->cancel();
}

void SimplePreviewWindow::showRun(std::unique_ptr<ReportGenerator> generator)
{
    cancelRun();
    m_view->setReport(nullptr);
    m_generator = std::move(generator);
    if (!m_generator)
        return;
    ReportGenerator* g = m_generator.get();
    setWindowTitle(QStringLiteral("Predogled izpisa - ") + g->definition().title);
    m_view->setReport(&g->prepared());
    connect(g, &ReportGenerator::pageReady, m_view, [this] { m_view->pageAdded(); });
    connect(g, &ReportGenerator::progress, this, [this](int percent) {
        m_progress->setText(percent <= 0 || percent >= 100 ? QString() : QString::number(percent) + QStringLiteral(" %"));
    });
    connect(g, &ReportGenerator::finished, this, [this] {
        m_progress->clear();
        m_view->refresh();
        updatePagePosition();
    });
    connect(g, &ReportGenerator::failed, this, [this](const QString& message) {
        m_progress->clear();
        showError(QStringLiteral("Izpisa ni bilo mogoče pripraviti: ") + message);
    });
    m_zoom->setCurrentIndex(ZoomWidthItem);
    m_view->zoomToWidth();
    updatePagePosition();
    g->start();
}

QString SimplePreviewWindow::pageText() const
{
    return m_page->text();
}

QString SimplePreviewWindow::progressText() const
{
    return m_progress->text();
}

void SimplePreviewWindow::updatePagePosition()
{
    const int count = m_view->pageCount();
    m_page->setText(count == 0 ? QString()
                               : QStringLiteral("Stran ") + QString::number(m_view->currentPage()) + QStringLiteral(" od ")
                                     + QString::number(count));
}

void SimplePreviewWindow::zoomChosen(int index)
{
    if (index == ZoomWidthItem)
        m_view->zoomToWidth();
    else if (index == ZoomPageItem)
        m_view->zoomWholePage();
    else
        m_view->setZoomPercent(m_zoom->itemData(index).toInt());
}

void SimplePreviewWindow::closeEvent(QCloseEvent* event)
{
    cancelRun();
    QWidget::closeEvent(event);
}

void SimpleReportPreviewer::showPreview(std::unique_ptr<ReportGenerator> generator)
{
    if (!m_window) {
        m_window = new SimplePreviewWindow;
        if (QMdiSubWindow* sub = showMdiChild(m_window))
            sub->showMaximized();
    } else if (QWidget* frame = m_window->parentWidget()) {
        frame->show();
        frame->raise();
    }
    m_window->showRun(std::move(generator));
    m_window->activateWindow();
}
