#include "TVnosGesla.h"

#include "login/PasswordChange.h"

#include "data/log/ErrorLog.h"
#include "data/log/Guard.h"
#include "data/log/MessageBoxes.h"
#include "data/core/ProgramState.h"
#include "data/dataset/TwwOEDataSet.h"
#include "data/ui/FormCord.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit* passwordBox(QWidget* parent, const char* name)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));   // "*"
    return box;
}
} // namespace

TVnosGesla::TVnosGesla(TwwOEDataSet& users, QWidget* parent) : QDialog(parent), m_users(users)
{
    setObjectName(QStringLiteral("VnosGesla"));
    setWindowTitle(QStringLiteral("Sprememba gesla"));
    setModal(true);

    m_lUserID = new QLabel(this);
    m_lUserID->setObjectName(QStringLiteral("lUserID"));
    m_lPriimekIme = new QLabel(this);
    m_lPriimekIme->setObjectName(QStringLiteral("lPriimekIme"));
    m_fOldPassword = passwordBox(this, "fOldPassword");
    m_fNewPassword = passwordBox(this, "fNewPassword");
    m_fChkPassword = passwordBox(this, "fChkPassword");
    m_oldLabel = new QLabel(QStringLiteral("Staro geslo:"), this);
    m_oldLabel->setBuddy(m_fOldPassword);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Uporabnik:"), m_lUserID);
    form->addRow(QStringLiteral("Priimek in ime:"), m_lPriimekIme);
    form->addRow(m_oldLabel, m_fOldPassword);
    form->addRow(QStringLiteral("Novo geslo:"), m_fNewPassword);
    form->addRow(QStringLiteral("Potrdi novo geslo:"), m_fChkPassword);

    m_bPotrdi = new QPushButton(QStringLiteral("&Potrdi"), this);
    m_bPotrdi->setObjectName(QStringLiteral("bPotrdi"));
    m_bKonec = new QPushButton(QStringLiteral("&Konec"), this);
    m_bKonec->setObjectName(QStringLiteral("bKonec"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_bPotrdi);
    buttons->addWidget(m_bKonec);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_bPotrdi, &QPushButton::clicked, this, &TVnosGesla::bPotrdiClick);
    connect(m_bKonec, &QPushButton::clicked, this, &TVnosGesla::bKonecClick);
}

TVnosGesla::~TVnosGesla()
{
    SetFormCord(this);
}

void TVnosGesla::setOldPasswordVisible(bool visible)
{
    m_oldVisible = visible;
    m_oldLabel->setVisible(visible);
    m_fOldPassword->setVisible(visible);
}

void TVnosGesla::showEvent(QShowEvent* event)
{
    if (!m_shownOnce) {
        m_shownOnce = true;
        GetFormCord(this);
    }
    QDialog::showEvent(event);
    FormActivate();
}

void TVnosGesla::FormActivate()
{
    guard(QStringLiteral("FormActivate"), this, [&] {
        m_lUserID->setText(m_users.FieldByName(QStringLiteral("USERID")).asString());
        m_lPriimekIme->setText(m_users.FieldByName(QStringLiteral("DELAVEC")).asString());
        m_fOldPassword->clear();
        m_fNewPassword->clear();
        m_fChkPassword->clear();
        if (m_oldVisible)
            m_fOldPassword->setFocus();
        else
            m_fNewPassword->setFocus();
    });
}

void TVnosGesla::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && EnterForNext) {
        tNavKey(event->key(), this);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TVnosGesla::bPotrdiClick()
{
    guard(QStringLiteral("bPotrdiClick"), this, [&] {
        PasswordChangeOutcome outcome;
        try {
            outcome = ChangePassword(m_users, m_oldVisible, m_fOldPassword->text(), m_fNewPassword->text(),
                                     m_fChkPassword->text());
        } catch (const EAbort&) {
            throw;
        } catch (const std::exception& e) {
            // The post failed: the user sees why; the row stays in edit state for another try.
            showError(describeException(e).message);
            return;
        }
        if (outcome != PasswordChangeOutcome::Changed) {
            showPlain(PasswordChangeMessage(outcome));
            return;
        }
        accept();
    });
}

void TVnosGesla::bKonecClick()
{
    reject();
}

void TVnosGesla::done(int result)
{
    // Leaving without a change drops an edit left behind by a failed post.
    if (result != QDialog::Accepted)
        guard(QStringLiteral("bKonecClick"), this, [&] {
            if (m_users.State() == dsEdit || m_users.State() == dsInsert)
                m_users.Cancel();
        });
    QDialog::done(result);
}
