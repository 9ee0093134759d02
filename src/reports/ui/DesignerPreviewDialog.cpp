#include "reports/ui/DesignerPreviewDialog.h"

#include "reports/ui/ReportPageView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

DesignerPreviewDialog::DesignerPreviewDialog(PreparedReport report, const QString& caption, QWidget* parent)
    : QDialog(parent), m_report(std::move(report)), m_view(new ReportPageView), m_position(new QLabel)
{
    setObjectName(QStringLiteral("DesignerPreview"));
    setWindowTitle(QStringLiteral("Predogled: ") + caption);
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    const struct {
        const char* text;
        const char* tip;
        void (ReportPageView::*slot)();
    } buttons[] = {{"|<", "Skok na začetek", &ReportPageView::firstPage},
                   {"<", "pomik nazaj", &ReportPageView::prevPage},
                   {">", "pomik naprej", &ReportPageView::nextPage},
                   {">|", "Skok na konec", &ReportPageView::lastPage},
                   {"Širina strani", "Širina strani", &ReportPageView::zoomToWidth},
                   {"Cela stran", "Cela stran", &ReportPageView::zoomWholePage}};
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromUtf8(b.text));
        button->setToolTip(QString::fromUtf8(b.tip));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, m_view, b.slot);
        bar->addWidget(button);
    }
    bar->addWidget(m_position);
    bar->addStretch();
    auto* close = new QPushButton(QStringLiteral("Zapri"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    bar->addWidget(close);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    connect(m_view, &ReportPageView::pageChanged, this, [this](int current, int count) {
        m_position->setText(QStringLiteral("Stran %1 od %2").arg(current).arg(count));
    });
    m_view->setReport(&m_report);
    m_view->pageAdded();
    resize(900, 700);
}
