#include "printing/ui/TFormSendMail.h"

#include "data/log/Guard.h"
#include "printing/MailHandOver.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormSendMail::TFormSendMail(const QString& attachmentPath, const QString& reportTitle, QWidget* parent)
    : QDialog(parent), m_attachmentPath(attachmentPath), m_handOver(&HandOverMail)
{
    setObjectName(QStringLiteral("FormSendMail"));
    setWindowTitle(QStringLiteral("Vektor - elektronska pošta"));
    setMinimumSize(MailFieldWidth(0) + 183, 250);
    resize(696, 450);

    auto* toolbar = new QFrame(this);
    toolbar->setObjectName(QStringLiteral("pToolbar"));
    toolbar->setAutoFillBackground(true);
    QPalette navy = toolbar->palette();
    navy.setColor(QPalette::Window, QColor(0, 0, 128));
    toolbar->setPalette(navy);
    m_bPoslji = new QPushButton(QStringLiteral("Pošlji"), toolbar);
    m_bPoslji->setObjectName(QStringLiteral("bPoslji"));
    m_bZapri = new QPushButton(QStringLiteral("Zapri"), toolbar);
    m_bZapri->setObjectName(QStringLiteral("bZapri"));
    m_toolbarMiddle = new QWidget(toolbar);
    m_toolbarMiddle->setObjectName(QStringLiteral("pToolbarMiddle"));
    auto* toolbarLayout = new QHBoxLayout(toolbar);
    toolbarLayout->setContentsMargins(4, 4, 4, 4);
    toolbarLayout->setSpacing(4);
    m_bPoslji->setFixedWidth(80);
    m_bZapri->setFixedWidth(80);
    toolbarLayout->addWidget(m_bPoslji);
    toolbarLayout->addWidget(m_toolbarMiddle);
    toolbarLayout->addStretch(1);
    toolbarLayout->addWidget(m_bZapri);

    auto* header = new QWidget(this);
    auto* headerLayout = new QGridLayout(header);
    m_edit1 = new QLineEdit(header);
    m_edit1->setObjectName(QStringLiteral("Edit1"));
    m_edit2 = new QLineEdit(header);
    m_edit2->setObjectName(QStringLiteral("Edit2"));
    m_edit3 = new QLineEdit(header);
    m_edit3->setObjectName(QStringLiteral("Edit3"));
    const struct { const char* caption; QLineEdit* edit; } rows[] = {
        {"To:", m_edit1}, {"Cc:", m_edit2}, {"Subject:", m_edit3}};
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QString::fromUtf8(r.caption), header);
        label->setBuddy(r.edit);
        headerLayout->addWidget(label, row, 0);
        headerLayout->addWidget(r.edit, row, 1, Qt::AlignLeft);
        ++row;
    }
    headerLayout->setColumnStretch(2, 1);

    m_memo1 = new QPlainTextEdit(this);
    m_memo1->setObjectName(QStringLiteral("Memo1"));

    auto* footer = new QWidget(this);
    auto* footerLayout = new QHBoxLayout(footer);
    footerLayout->addWidget(new QLabel(QStringLiteral("Attachment:"), footer));
    m_label2 = new QLabel(attachmentPath, footer);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setTextInteractionFlags(Qt::TextSelectableByMouse);
    footerLayout->addWidget(m_label2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolbar);
    layout->addWidget(header);
    layout->addWidget(m_memo1, 1);
    layout->addWidget(footer);

    // Showing the form: subject from the report's title, text empty.
    m_edit3->setText(MailSubjectFor(reportTitle));
    m_memo1->clear();

    connect(m_bPoslji, &QPushButton::clicked, this, &TFormSendMail::bPosljiClick);
    connect(m_bZapri, &QPushButton::clicked, this, &QDialog::reject);
    applyWidths();
}

void TFormSendMail::bPosljiClick()
{
    guard(QStringLiteral("bPosljiClick"), this, [&] {
        MailFormFields fields{m_edit1->text(), m_edit2->text(), m_edit3->text(),
                              m_memo1->toPlainText(), m_attachmentPath};
        const bool sent = SendMailFormMessage(fields, m_handOver);
        if (m_memo1->toPlainText() != fields.text)
            m_memo1->setPlainText(fields.text);
        if (sent)
            accept();
    });
}

void TFormSendMail::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_edit1->setFocus();
}

void TFormSendMail::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    applyWidths();
}

void TFormSendMail::applyWidths()
{
    const int fieldWidth = MailFieldWidth(width());
    for (QLineEdit* edit : {m_edit1, m_edit2, m_edit3})
        edit->setFixedWidth(fieldWidth);
    m_toolbarMiddle->setFixedWidth(MailToolbarMiddleWidth(width()));
}
