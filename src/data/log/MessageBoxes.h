#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Every message box of the program goes through this interface. The windowed program installs
// a Qt implementation (data/ui/QtMessageBoxes); tests install ScriptedMessageBoxes and answer
// the questions themselves; a program without windows keeps the default, which prints the text
// to standard error and answers with the first button.

enum class MsgKind { Error, Information, Warning, Confirmation, Plain };
enum class MsgButton { Ok, Cancel, Yes, No, Abort, Retry, Ignore };

struct MessageRequest {
    MsgKind kind = MsgKind::Plain;
    QString text;
    QString caption;                 // empty: the application's title
    std::vector<MsgButton> buttons;  // empty: OK only
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgButton show(const MessageRequest& request) = 0;
};

// The program-wide instance; never null. setMessageBoxes(nullptr) restores the default.
MessageBoxes& messageBoxes();
void setMessageBoxes(MessageBoxes* boxes);

// Shorthands used throughout the program.
void showError(const QString& text);
void showInformation(const QString& text);
void showWarning(const QString& text);
void showPlain(const QString& text);   // carries the application's title
MsgButton askConfirmation(const QString& text, std::vector<MsgButton> buttons = {MsgButton::Ok, MsgButton::Cancel});

// For tests: records every box shown and answers from a queue (then with a default answer).
class ScriptedMessageBoxes : public MessageBoxes {
public:
    ScriptedMessageBoxes();            // installs itself
    ~ScriptedMessageBoxes() override;  // restores the previous instance
    MsgButton show(const MessageRequest& request) override;

    void answer(MsgButton button) { m_answers.push_back(button); }
    void setDefaultAnswer(MsgButton b) { m_default = b; m_hasDefault = true; }
    const std::vector<MessageRequest>& shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }
    // Called for every box before it is answered (a test may inspect or act on it).
    std::function<void(const MessageRequest&)> onShow;

private:
    MessageBoxes* m_previous = nullptr;
    std::vector<MessageRequest> m_shown;
    std::vector<MsgButton> m_answers;
    MsgButton m_default = MsgButton::Ok;
    bool m_hasDefault = false;
};
