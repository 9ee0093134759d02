#pragma once
#include <QDialog>

#include "data/odbc/EODBC.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The database error dialog: modal, caption "Database Error: " + the application's title
// (QGuiApplication::applicationDisplayName()), a text line, "OK" and "Details >>". The details
// (shown by "Details >>", which enlarges the dialog and then reads "Details <<") hold a read-only
// memo with the current diagnostic record's message, read-only boxes "ODBC Error" (SQLSTATE)
// and "Database Error" (native error), and "Prev" / "Next" that step through the records
// ("Prev" disabled on the first, "Next" on the last).
class TOEErrorDialog : public QDialog {
    Q_OBJECT
public:
    // text: the text line; empty shows the first record's message.
    explicit TOEErrorDialog(const EODBC& error, const QString& text = QString(), QWidget* parent = nullptr);

    // Shows the dialog modally.
    static void showError(const EODBC& error, const QString& text = QString(), QWidget* parent = nullptr);

    bool detailsShown() const { return m_detailsShown; }
    int currentIndex() const { return m_error.currentIndex(); }
    const EODBC& error() const { return m_error; }

    // The parts, for tests and for callers that want to adjust them.
    QLabel* textLabel() const { return m_text; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* detailsButton() const { return m_details; }
    QPushButton* priorButton() const { return m_prior; }
    QPushButton* nextButton() const { return m_next; }
    QPlainTextEdit* memo() const { return m_memo; }
    QLineEdit* odbcErrorBox() const { return m_sqlState; }
    QLineEdit* databaseErrorBox() const { return m_native; }
    QWidget* detailsPanel() const { return m_panel; }

public slots:
    void toggleDetails();
    void showPrior();
    void showNext();

private:
    void showRecord();

    EODBC m_error;
    bool m_detailsShown = false;
    QLabel* m_text = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_details = nullptr;
    QPushButton* m_prior = nullptr;
    QPushButton* m_next = nullptr;
    QPlainTextEdit* m_memo = nullptr;
    QLineEdit* m_sqlState = nullptr;
    QLineEdit* m_native = nullptr;
    QWidget* m_panel = nullptr;
};

// Makes connection failures at form load show this dialog (see data/ConnectOnLoad.h).
void installOEErrorDialogHook();
