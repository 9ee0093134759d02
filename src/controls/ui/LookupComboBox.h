#pragma once
#include <QComboBox>

// A drop-down that offers the rows of a lookup dataset in a small grid and keeps the value of
// one of its columns as its text. (Binding to a dataset: see bindLookup.)
class LookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit LookupComboBox(QWidget* parent = nullptr);

    // The value shown (the chosen row's lookup column, or what the user typed).
    QString lookupText() const { return currentText(); }
    void setLookupText(const QString& text);

    void hidePopup() override;
    void showPopup() override;

signals:
    // The drop-down closed; selected tells whether a row was chosen.
    void closeUp(bool selected);

private:
    bool m_choiceMade = false;
};
