#include "LookupComboBox.h"

#include <QLineEdit>

LookupComboBox::LookupComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int) { m_choiceMade = true; });
}

void LookupComboBox::setLookupText(const QString& text) { setEditText(text); }

void LookupComboBox::showPopup()
{
    m_choiceMade = false;
    QComboBox::showPopup();
}

void LookupComboBox::hidePopup()
{
    QComboBox::hidePopup();
    const bool selected = m_choiceMade;
    m_choiceMade = false;
    emit closeUp(selected);
}
