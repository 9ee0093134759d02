#include "data/ui/TOEErrorDialog.h"

#include "data/ConnectOnLoad.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TOEErrorDialog::TOEErrorDialog(const EODBC& error, const QString& text, QWidget* parent)
    : QDialog(parent), m_error(error)
{
    m_error.setCurrentIndex(0);
    setModal(true);
    setWindowTitle(QStringLiteral("Database Error: ") + QGuiApplication::applicationDisplayName());

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    m_text = new QLabel(text.isEmpty() ? m_error.records().front().message : text, this);
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setMinimumWidth(320);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_details = new QPushButton(QStringLiteral("Details >>"), this);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_details, &QPushButton::clicked, this, &TOEErrorDialog::toggleDetails);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addWidget(m_text, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_details);
    buttons->addStretch();
    top->addLayout(buttons);

    m_panel = new QWidget(this);
    m_memo = new QPlainTextEdit(m_panel);
    m_memo->setReadOnly(true);
    m_memo->setMinimumHeight(80);
    m_sqlState = new QLineEdit(m_panel);
    m_sqlState->setReadOnly(true);
    m_native = new QLineEdit(m_panel);
    m_native->setReadOnly(true);
    m_prior = new QPushButton(QStringLiteral("Prev"), m_panel);
    m_next = new QPushButton(QStringLiteral("Next"), m_panel);
    connect(m_prior, &QPushButton::clicked, this, &TOEErrorDialog::showPrior);
    connect(m_next, &QPushButton::clicked, this, &TOEErrorDialog::showNext);
    auto* grid = new QGridLayout(m_panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_memo, 0, 0, 1, 4);
    auto* stateLabel = new QLabel(QStringLiteral("ODBC Error"), m_panel);
    stateLabel->setBuddy(m_sqlState);
    auto* nativeLabel = new QLabel(QStringLiteral("Database Error"), m_panel);
    nativeLabel->setBuddy(m_native);
    grid->addWidget(stateLabel, 1, 0);
    grid->addWidget(m_sqlState, 1, 1);
    grid->addWidget(nativeLabel, 1, 2);
    grid->addWidget(m_native, 1, 3);
    auto* steps = new QHBoxLayout;
    steps->addStretch();
    steps->addWidget(m_prior);
    steps->addWidget(m_next);
    grid->addLayout(steps, 2, 0, 1, 4);
    m_panel->hide();

    auto* main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(m_panel);
    main->setSizeConstraint(QLayout::SetFixedSize);   // the dialog grows and shrinks with the details

    showRecord();
}

void TOEErrorDialog::showRecord()
{
    const OdbcDiagnostic& r = m_error.current();
    m_memo->setPlainText(r.message);
    m_sqlState->setText(r.sqlState);
    m_native->setText(QString::number(r.nativeError));
    m_prior->setEnabled(m_error.hasPrior());
    m_next->setEnabled(m_error.hasNext());
}

void TOEErrorDialog::toggleDetails()
{
    m_detailsShown = !m_detailsShown;
    m_panel->setVisible(m_detailsShown);
    m_details->setText(m_detailsShown ? QStringLiteral("Details <<") : QStringLiteral("Details >>"));
    adjustSize();
}

void TOEErrorDialog::showPrior()
{
    m_error.prior();
    showRecord();
}

void TOEErrorDialog::showNext()
{
    m_error.next();
    showRecord();
}

void TOEErrorDialog::showError(const EODBC& error, const QString& text, QWidget* parent)
{
    TOEErrorDialog dialog(error, text, parent);
    dialog.exec();
}

void installOEErrorDialogHook()
{
    setConnectFailureHook([](const QString& text, const EODBC& error) { TOEErrorDialog::showError(error, text); });
}
