#pragma once
#include "login/LoginController.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class TVnosGesla;

// The usual host of the login: the window the dialog is shown over. Its child windows are those
// of the main window's child area (CloseMainChildWindows); ending the program closes the
// window's top-level window.
class MainWindowLoginHost : public LoginHost {
public:
    explicit MainWindowLoginHost(QWidget* window) : m_window(window) {}
    void closeChildWindows() override;
    void closeMainWindow() override;

private:
    QWidget* m_window;
};

// The login dialog "Prijava v program" (form name "Prijava"): company, user and password; the
// rules are in LoginController. Every way of closing it goes through the login's closing rules
// (the question "Ali želiš končati z delom ?" unless a user signed in).
class TPrijava : public QDialog, private LoginView {
    Q_OBJECT
public:
    // host: the window signed in for; null: MainWindowLoginHost(parent).
    explicit TPrijava(QWidget* parent = nullptr, LoginHost* host = nullptr);
    ~TPrijava() override;

    LoginController& controller() { return *m_controller; }

    // Components.
    QLabel* lPodjetje() const { return m_lPodjetje; }
    QComboBox* fPodjetje() const { return m_fPodjetje; }
    QPushButton* bPodjetja() const { return m_bPodjetja; }
    QComboBox* fUserID() const { return m_fUserID; }
    QLineEdit* fPassword() const { return m_fPassword; }
    QPushButton* bPotrdi() const { return m_bPotrdi; }
    QPushButton* bKonec() const { return m_bKonec; }
    QPushButton* bGeslo() const { return m_bGeslo; }
    // The password change, once it has been opened (created once per login dialog).
    TVnosGesla* vnosGesla() const { return m_vnosGesla; }

public slots:
    void bPotrdiClick();
    void bKonecClick();
    void NastavitevgeslaClick();
    void fPodjetjeCloseUp(int index);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    // LoginView
    QString shownUserCode() const override;
    void showUserCode(const QString& code) override;
    void reloadUsers() override;
    QString typedPassword() const override;
    void clearPassword() override;
    void focusPassword() override;
    void focusUserCombo() override;
    void showCompanyControls(bool visible) override;
    void reloadCompanies() override;
    void showCompany(const QString& company) override;
    void setWaitCursor(bool on) override;
    void closeDialog() override;
    void runPasswordChange() override;

    std::unique_ptr<MainWindowLoginHost> m_ownHost;
    std::unique_ptr<LoginController> m_controller;
    QLabel* m_lPodjetje = nullptr;
    QComboBox* m_fPodjetje = nullptr;
    QPushButton* m_bPodjetja = nullptr;
    QComboBox* m_fUserID = nullptr;
    QStandardItemModel* m_userModel = nullptr;
    QLineEdit* m_fPassword = nullptr;
    QPushButton* m_bPotrdi = nullptr;
    QPushButton* m_bKonec = nullptr;
    QPushButton* m_bGeslo = nullptr;
    TVnosGesla* m_vnosGesla = nullptr;
    bool m_shownOnce = false;
    bool m_waitCursor = false;
    bool m_closing = false;
};

// Shows the login dialog modally and destroys it again: what the main window runs at its first
// paint while no user is signed in. True when a user signed in. When the user chose to end the
// program, the main window is closed afterwards (host->closeMainWindow(); null host:
// MainWindowLoginHost(parent)). Never throws; failures are logged as "Prijava".
bool RunLoginDialog(QWidget* parent, LoginHost* host = nullptr);

// What MainWindowLoginHost closes before a company switch: the child windows of the main window's child
// area (mainMdiArea(), FormCord.h), one after the other, each closed and freed; failures are
// logged as "Prijava-" + the form's name; a child that refuses raises EAbort.
void CloseMainChildWindows();
