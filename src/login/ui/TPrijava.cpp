#include "TPrijava.h"

#include "TVnosGesla.h"


#include "data/DataSif.h"
#include "data/core/EAbort.h"
#include "data/log/Guard.h"
#include "data/ui/FormCord.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

TPrijava::TPrijava(QWidget* parent, LoginHost* host) : QDialog(parent)
{
    if (host == nullptr) {
        m_ownHost = std::make_unique<MainWindowLoginHost>(parent);
        host = m_ownHost.get();
    }
    setObjectName(QStringLiteral("Prijava"));
    setWindowTitle(QStringLiteral("Prijava v program"));
    setModal(true);

    m_lPodjetje = new QLabel(QStringLiteral("Podjetje:"), this);
    m_lPodjetje->setObjectName(QStringLiteral("lPodjetje"));
    m_fPodjetje = new QComboBox(this);
    m_fPodjetje->setObjectName(QStringLiteral("fPodjetje"));
    m_fPodjetje->setMinimumContentsLength(30);
    m_lPodjetje->setBuddy(m_fPodjetje);
    m_bPodjetja = new QPushButton(QStringLiteral("Podjetja"), this);
    m_bPodjetja->setObjectName(QStringLiteral("bPodjetja"));
    m_bPodjetja->setAutoDefault(false);

    // Users: a drop-down list with the code and the name; the value is the code.
    m_userModel = new QStandardItemModel(0, 2, this);
    m_userModel->setHorizontalHeaderLabels({QStringLiteral("Šifra"), QStringLiteral("Uporabnik")});
    m_fUserID = new QComboBox(this);
    m_fUserID->setObjectName(QStringLiteral("fUserID"));
    auto* userView = new QTreeView(m_fUserID);
    userView->setRootIsDecorated(false);
    userView->setAllColumnsShowFocus(true);
    userView->header()->setStretchLastSection(true);
    m_fUserID->setModel(m_userModel);
    m_fUserID->setView(userView);
    m_fUserID->setModelColumn(1);
    m_fUserID->setMinimumContentsLength(25);
    auto* lUserID = new QLabel(QStringLiteral("Uporabnik:"), this);
    lUserID->setBuddy(m_fUserID);

    m_fPassword = new QLineEdit(this);
    m_fPassword->setObjectName(QStringLiteral("fPassword"));
    m_fPassword->setEchoMode(QLineEdit::Password);
    m_fPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));   // "*"
    auto* lPassword = new QLabel(QStringLiteral("Geslo:"), this);
    lPassword->setBuddy(m_fPassword);

    m_bPotrdi = new QPushButton(QStringLiteral("&Potrdi"), this);
    m_bPotrdi->setObjectName(QStringLiteral("bPotrdi"));
    m_bPotrdi->setDefault(true);
    m_bKonec = new QPushButton(QStringLiteral("&Konec"), this);
    m_bKonec->setObjectName(QStringLiteral("bKonec"));
    m_bKonec->setAutoDefault(false);
    m_bGeslo = new QPushButton(QStringLiteral("&Geslo"), this);
    m_bGeslo->setObjectName(QStringLiteral("bGeslo"));
    m_bGeslo->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->addWidget(m_lPodjetje, 0, 0);
    grid->addWidget(m_fPodjetje, 0, 1);
    grid->addWidget(m_bPodjetja, 0, 2);
    grid->addWidget(lUserID, 1, 0);
    grid->addWidget(m_fUserID, 1, 1, 1, 2);
    grid->addWidget(lPassword, 2, 0);
    grid->addWidget(m_fPassword, 2, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_bPotrdi);
    buttons->addWidget(m_bKonec);
    buttons->addWidget(m_bGeslo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    m_controller = std::make_unique<LoginController>(static_cast<LoginView&>(*this), *host, this);

    connect(m_bPotrdi, &QPushButton::clicked, this, &TPrijava::bPotrdiClick);
    connect(m_bKonec, &QPushButton::clicked, this, &TPrijava::bKonecClick);
    connect(m_bGeslo, &QPushButton::clicked, this, &TPrijava::NastavitevgeslaClick);
    connect(m_fPodjetje, &QComboBox::activated, this, &TPrijava::fPodjetjeCloseUp);
}

TPrijava::~TPrijava()
{
    SetFormCord(this);
    setWaitCursor(false);
    // The password change goes first: it refers to the data module's dataset only, but it is a
    // child of this dialog and must not outlive the controller's users either.
    delete m_vnosGesla;
    m_vnosGesla = nullptr;
}

void TPrijava::showEvent(QShowEvent* event)
{
    if (!m_shownOnce) {
        m_shownOnce = true;
        GetFormCord(this);
    }
    QDialog::showEvent(event);
    if (!event->spontaneous())
        m_controller->FormActivate();
}

void TPrijava::done(int result)
{
    if (m_closing)
        return;
    if (!m_controller->canCloseDialog())
        return;
    m_closing = true;
    m_controller->dialogClosed();
    QDialog::done(m_controller->loginSucceeded() ? QDialog::Accepted : result);
    m_closing = false;
}

void TPrijava::bPotrdiClick() { m_controller->bPotrdiClick(); }
void TPrijava::bKonecClick() { m_controller->bKonecClick(); }
void TPrijava::NastavitevgeslaClick() { m_controller->NastavitevgeslaClick(); }

void TPrijava::fPodjetjeCloseUp(int index)
{
    if (index >= 0)
        m_controller->fPodjetjeCloseUp(m_fPodjetje->itemText(index));
}

// --- LoginView ---------------------------------------------------------------------------

QString TPrijava::shownUserCode() const
{
    const int row = m_fUserID->currentIndex();
    if (row < 0 || row >= m_userModel->rowCount())
        return QString();
    return m_userModel->item(row, 0)->text();
}

void TPrijava::showUserCode(const QString& code)
{
    int found = -1;
    for (int row = 0; row < m_userModel->rowCount() && !code.isEmpty(); ++row)
        if (m_userModel->item(row, 0)->text().compare(code, Qt::CaseInsensitive) == 0) {
            found = row;
            break;
        }
    m_fUserID->setCurrentIndex(found);
}

void TPrijava::reloadUsers()
{
    const QString shown = shownUserCode();
    m_userModel->removeRows(0, m_userModel->rowCount());
    for (const auto& [code, name] : m_controller->userRows())
        m_userModel->appendRow({new QStandardItem(code), new QStandardItem(name)});
    showUserCode(shown);
}

QString TPrijava::typedPassword() const { return m_fPassword->text(); }
void TPrijava::clearPassword() { m_fPassword->clear(); }
void TPrijava::focusPassword() { m_fPassword->setFocus(); }
void TPrijava::focusUserCombo() { m_fUserID->setFocus(); }

void TPrijava::showCompanyControls(bool visible)
{
    m_lPodjetje->setVisible(visible);
    m_fPodjetje->setVisible(visible);
    m_bPodjetja->setVisible(visible);
}

void TPrijava::reloadCompanies()
{
    const QSignalBlocker block(m_fPodjetje);
    m_fPodjetje->clear();
    for (const CompanyEntry& c : m_controller->companyRows())
        m_fPodjetje->addItem(c.podjetje);
}

void TPrijava::showCompany(const QString& company)
{
    const QSignalBlocker block(m_fPodjetje);
    m_fPodjetje->setCurrentIndex(m_fPodjetje->findText(company, Qt::MatchFixedString | Qt::MatchCaseSensitive));
}

void TPrijava::setWaitCursor(bool on)
{
    if (on == m_waitCursor)
        return;
    m_waitCursor = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TPrijava::closeDialog()
{
    done(m_controller->loginSucceeded() ? QDialog::Accepted : QDialog::Rejected);
}

void TPrijava::runPasswordChange()
{
    if (!m_vnosGesla)
        m_vnosGesla = new TVnosGesla(*requireDataSif().tbLookZaposlen, this);
    m_vnosGesla->setOldPasswordVisible(true);
    m_vnosGesla->exec();
}

// --- entry -------------------------------------------------------------------------------

void MainWindowLoginHost::closeChildWindows() { CloseMainChildWindows(); }

void MainWindowLoginHost::closeMainWindow()
{
    if (m_window != nullptr)
        m_window->window()->close();
}

bool RunLoginDialog(QWidget* parent, LoginHost* host)
{
    MainWindowLoginHost ownHost(parent);
    if (host == nullptr)
        host = &ownHost;
    bool signedIn = false;
    bool closeMain = false;
    guard(QStringLiteral("Prijava"), parent, [&] {
        TPrijava dialog(parent, host);
        dialog.exec();
        signedIn = dialog.controller().loginSucceeded();
        closeMain = dialog.controller().closeMainWindowRequested();
    });
    if (closeMain)
        guard(QStringLiteral("Prijava"), parent, [&] {
            host->closeMainWindow();
        });
    return signedIn;
}

void CloseMainChildWindows()
{
    QMdiArea* area = mainMdiArea();
    if (!area)
        return;
    const QList<QMdiSubWindow*> children = area->subWindowList(QMdiArea::CreationOrder);
    for (const QPointer<QMdiSubWindow> sub : children) {
        if (sub.isNull())
            continue;
        const QString name = sub->widget() ? sub->widget()->objectName() : sub->objectName();
        bool refused = false;
        guard("Prijava-" + name, sub.data(), [&] {
            refused = !sub->close();
            if (!refused && sub && !sub->testAttribute(Qt::WA_DeleteOnClose))
                sub->deleteLater();
        });
        if (refused)
            Abort();
    }
}
