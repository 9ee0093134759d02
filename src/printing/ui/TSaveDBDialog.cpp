#include "printing/ui/TSaveDBDialog.h"

#include "data/log/MessageBoxes.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TSaveDBDialog::TSaveDBDialog(const std::vector<ReportListRow>& rows, QWidget* parent)
    : QDialog(parent), m_rows(rows), m_name(new QLineEdit), m_list(new QListWidget)
{
    setObjectName(QStringLiteral("TSaveDBDialog"));
    setWindowTitle(QStringLiteral("Shrani"));
    auto* label = new QLabel(QStringLiteral("Vpišite ime vašega reporta:"));
    m_name->setObjectName(QStringLiteral("fName"));
    m_name->setMaxLength(100);   // NAZIV
    label->setBuddy(m_name);
    m_list->setObjectName(QStringLiteral("lbNames"));
    for (const ReportListRow& row : rows)
        m_list->addItem(row.name);
    m_list->installEventFilter(this);
    m_list->viewport()->installEventFilter(this);
    auto* save = new QPushButton(QStringLiteral("Shrani"));
    save->setObjectName(QStringLiteral("bSave"));
    save->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Prekliči"));
    cancel->setObjectName(QStringLiteral("bCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_name);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &TSaveDBDialog::saveClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(420, 320);
}

QString TSaveDBDialog::typedName() const { return m_name->text().trimmed(); }

bool TSaveDBDialog::eventFilter(QObject* watched, QEvent* event)
{
    if ((event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease) && m_list->currentItem())
        m_name->setText(m_list->currentItem()->text());
    return QDialog::eventFilter(watched, event);
}

void TSaveDBDialog::saveClicked()
{
    const SaveAsTarget target = chooseSaveAsTarget(m_rows, m_name->text());
    switch (target.kind) {
    case SaveAsTarget::Kind::Refused:
        showError(target.message);
        m_name->setFocus();
        return;
    case SaveAsTarget::Kind::Replace:
        if (askConfirmation(replaceQuestion(typedName())) != MsgButton::Ok)
            return;
        break;
    case SaveAsTarget::Kind::New: break;
    }
    m_target = target;
    accept();
}
