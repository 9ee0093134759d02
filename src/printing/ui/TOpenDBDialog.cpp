#include "printing/ui/TOpenDBDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TOpenDBDialog::TOpenDBDialog(const std::vector<ReportListRow>& rows, const QString& currentCode, QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget)
{
    setObjectName(QStringLiteral("TOpenDBDialog"));
    setWindowTitle(QStringLiteral("Odpri"));
    m_list->setObjectName(QStringLiteral("gReports"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("Šifra"), QStringLiteral("Naziv")});
    m_list->setRootIsDecorated(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    for (const ReportListRow& row : rows) {
        auto* item = new QTreeWidgetItem(m_list, {row.code, row.name});
        if (row.code == currentCode)
            m_list->setCurrentItem(item);
    }
    if (!m_list->currentItem() && m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    auto* open = new QPushButton(QStringLiteral("&Odpri"));
    open->setObjectName(QStringLiteral("bOpen"));
    open->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Prekliči"));
    cancel->setObjectName(QStringLiteral("bCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(open);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    connect(open, &QPushButton::clicked, this, [this] {
        if (m_list->currentItem())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    resize(460, 320);
}

QString TOpenDBDialog::chosenCode() const { return m_list->currentItem() ? m_list->currentItem()->text(0) : QString(); }
