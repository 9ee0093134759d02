#pragma once
#include "data/log/MessageBoxes.h"

#include <QString>

#include <memory>

class QMessageBox;

// Message boxes as modal Qt dialogs with Slovenian button texts. The windowed program installs
// one at start (QtMessageBoxes::install()); it stays for the whole run.
class QtMessageBoxes : public MessageBoxes {
public:
    MsgButton show(const MessageRequest& request) override;

    // The dialog that show() would run, ready but not shown (its buttons carry the MsgButton
    // they stand for in the property "msgButton").
    static std::unique_ptr<QMessageBox> createDialog(const MessageRequest& request);
    // Text of a button and caption of a kind of box.
    static QString buttonText(MsgButton button);
    static QString captionFor(const MessageRequest& request);

    // Installs the program-wide instance.
    static void install();
};
