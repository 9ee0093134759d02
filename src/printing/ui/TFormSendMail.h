#pragma once
#include "printing/SendMailRules.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// "Vektor - elektronska pošta": sends the previewed report, written as an HTML file, to the
// desktop's mail program with the recipients, subject and text typed here (rules in
// SendMailRules). Shown modally by the preview; one at a time.
class TFormSendMail : public QDialog {
    Q_OBJECT
public:
    // attachmentPath: the HTML file; reportTitle: the preview's caption (code, "-", name).
    TFormSendMail(const QString& attachmentPath, const QString& reportTitle, QWidget* parent = nullptr);

    QLineEdit* Edit1() const { return m_edit1; }   // To:
    QLineEdit* Edit2() const { return m_edit2; }   // Cc:
    QLineEdit* Edit3() const { return m_edit3; }   // Subject:
    QPlainTextEdit* Memo1() const { return m_memo1; }
    QLabel* Label2() const { return m_label2; }     // the attachment path
    QPushButton* bPoslji() const { return m_bPoslji; }
    QPushButton* bZapri() const { return m_bZapri; }
    QWidget* toolbarMiddle() const { return m_toolbarMiddle; }

    // Replaces the hand-over (HandOverMail by default).
    void setHandOver(MailHandOverFunction handOver) { m_handOver = std::move(handOver); }

public slots:
    void bPosljiClick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyWidths();

    QLineEdit* m_edit1 = nullptr;
    QLineEdit* m_edit2 = nullptr;
    QLineEdit* m_edit3 = nullptr;
    QPlainTextEdit* m_memo1 = nullptr;
    QLabel* m_label2 = nullptr;
    QPushButton* m_bPoslji = nullptr;
    QPushButton* m_bZapri = nullptr;
    QWidget* m_toolbarMiddle = nullptr;
    QString m_attachmentPath;
    MailHandOverFunction m_handOver;
};
