#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class TwwOEDataSet;

// The password change "Sprememba gesla" (form name "VnosGesla") for the current row of a user
// dataset (the data module's tbLookZaposlen): shows the user's code and name and writes the new
// password's stored form into GESLO (PasswordChange.h). Enter moves to the next box.
class TVnosGesla : public QDialog {
    Q_OBJECT
public:
    explicit TVnosGesla(TwwOEDataSet& users, QWidget* parent = nullptr);
    ~TVnosGesla() override;

    // The old-password box and its label (the login always shows them).
    void setOldPasswordVisible(bool visible);
    bool oldPasswordVisible() const { return m_oldVisible; }

    QLabel* lUserID() const { return m_lUserID; }
    QLabel* lPriimekIme() const { return m_lPriimekIme; }
    QLineEdit* fOldPassword() const { return m_fOldPassword; }
    QLineEdit* fNewPassword() const { return m_fNewPassword; }
    QLineEdit* fChkPassword() const { return m_fChkPassword; }
    QPushButton* bPotrdi() const { return m_bPotrdi; }
    QPushButton* bKonec() const { return m_bKonec; }

public slots:
    void bPotrdiClick();
    void bKonecClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    void FormActivate();

    TwwOEDataSet& m_users;
    QLabel* m_oldLabel = nullptr;
    QLabel* m_lUserID = nullptr;
    QLabel* m_lPriimekIme = nullptr;
    QLineEdit* m_fOldPassword = nullptr;
    QLineEdit* m_fNewPassword = nullptr;
    QLineEdit* m_fChkPassword = nullptr;
    QPushButton* m_bPotrdi = nullptr;
    QPushButton* m_bKonec = nullptr;
    bool m_oldVisible = true;
    bool m_shownOnce = false;
};
