#include "QtMessageBoxes.h"

#include "data/core/ApplicationTitle.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QVariant>

namespace {
QMessageBox::ButtonRole roleOf(MsgButton button)
{
    switch (button) {
    case MsgButton::Ok:
    case MsgButton::Yes:
    case MsgButton::Retry:
        return QMessageBox::AcceptRole;
    case MsgButton::No:
        return QMessageBox::NoRole;
    case MsgButton::Cancel:
    case MsgButton::Abort:
        return QMessageBox::RejectRole;
    case MsgButton::Ignore:
        return QMessageBox::ActionRole;
    }
    return QMessageBox::ActionRole;
}

QMessageBox::Icon iconOf(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Error:
        return QMessageBox::Critical;
    case MsgKind::Information:
        return QMessageBox::Information;
    case MsgKind::Warning:
        return QMessageBox::Warning;
    case MsgKind::Confirmation:
        return QMessageBox::Question;
    case MsgKind::Plain:
        return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

// The answer of a box closed without a button (Escape, the window's close button): Cancel when
// offered, else No, else the only button, else the last one.
MsgButton escapeAnswer(const std::vector<MsgButton>& buttons)
{
    for (MsgButton wanted : {MsgButton::Cancel, MsgButton::No, MsgButton::Abort, MsgButton::Ignore})
        for (MsgButton b : buttons)
            if (b == wanted)
                return b;
    return buttons.back();
}

const char* const ButtonProperty = "msgButton";
} // namespace

QString QtMessageBoxes::buttonText(MsgButton button)
{
    switch (button) {
    case MsgButton::Ok:
        return QStringLiteral("V redu");
    case MsgButton::Cancel:
        return QStringLiteral("Prekliči");
    case MsgButton::Yes:
        return QStringLiteral("Da");
    case MsgButton::No:
        return QStringLiteral("Ne");
    case MsgButton::Abort:
        return QStringLiteral("Prekini");
    case MsgButton::Retry:
        return QStringLiteral("Ponovi");
    case MsgButton::Ignore:
        return QStringLiteral("Prezri");
    }
    return {};
}

QString QtMessageBoxes::captionFor(const MessageRequest& request)
{
    if (!request.caption.isEmpty())
        return request.caption;
    switch (request.kind) {
    case MsgKind::Error:
        return QStringLiteral("Napaka");
    case MsgKind::Information:
        return QStringLiteral("Informacija");
    case MsgKind::Warning:
        return QStringLiteral("Opozorilo");
    case MsgKind::Confirmation:
        return QStringLiteral("Potrditev");
    case MsgKind::Plain:
        break;
    }
    return applicationTitle();
}

std::unique_ptr<QMessageBox> QtMessageBoxes::createDialog(const MessageRequest& request)
{
    // centred over the window it speaks of: the active one, else the program's main window
    QWidget* parent = QApplication::activeWindow();
    if (parent == nullptr) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->inherits("QMainWindow")) {
                parent = w;
                break;
            }
    }
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(captionFor(request));
    box->setIcon(iconOf(request.kind));
    QString text = request.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setText(text);
    box->setTextFormat(Qt::PlainText);
    const std::vector<MsgButton> buttons = request.buttons.empty() ? std::vector<MsgButton>{MsgButton::Ok} : request.buttons;
    const MsgButton escape = escapeAnswer(buttons);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        QPushButton* b = box->addButton(buttonText(buttons[i]), roleOf(buttons[i]));
        b->setProperty(ButtonProperty, QVariant::fromValue(static_cast<int>(buttons[i])));
        if (i == 0)
            box->setDefaultButton(b);
        if (buttons[i] == escape)
            box->setEscapeButton(b);
    }
    return box;
}

MsgButton QtMessageBoxes::show(const MessageRequest& request)
{
    auto box = createDialog(request);
    const bool hadOverride = QGuiApplication::overrideCursor() != nullptr;
    if (hadOverride)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    box->exec();
    if (hadOverride)
        QGuiApplication::restoreOverrideCursor();
    QAbstractButton* clicked = box->clickedButton();
    if (clicked == nullptr)
        clicked = box->escapeButton();
    if (clicked == nullptr || !clicked->property(ButtonProperty).isValid())
        return request.buttons.empty() ? MsgButton::Ok : escapeAnswer(request.buttons);
    return static_cast<MsgButton>(clicked->property(ButtonProperty).toInt());
}

void QtMessageBoxes::install()
{
    static QtMessageBoxes instance;
    setMessageBoxes(&instance);
}
