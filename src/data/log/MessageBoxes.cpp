#include "data/log/MessageBoxes.h"

#include <QCoreApplication>
#include <cstdio>

namespace {
class ConsoleMessageBoxes : public MessageBoxes {
public:
    MsgButton show(const MessageRequest& r) override
    {
        std::fprintf(stderr, "%s\n", r.text.toUtf8().constData());
        return r.buttons.empty() ? MsgButton::Ok : r.buttons.front();
    }
};
ConsoleMessageBoxes g_console;
MessageBoxes* g_current = nullptr;

MsgButton showKind(MsgKind kind, const QString& text, std::vector<MsgButton> buttons = {})
{
    MessageRequest r;
    r.kind = kind;
    r.text = text;
    r.buttons = std::move(buttons);
    return messageBoxes().show(r);
}
} // namespace

MessageBoxes& messageBoxes() { return g_current ? *g_current : g_console; }
void setMessageBoxes(MessageBoxes* boxes) { g_current = boxes; }

void showError(const QString& text) { showKind(MsgKind::Error, text); }
void showInformation(const QString& text) { showKind(MsgKind::Information, text); }
void showWarning(const QString& text) { showKind(MsgKind::Warning, text); }
void showPlain(const QString& text) { showKind(MsgKind::Plain, text); }
MsgButton askConfirmation(const QString& text, std::vector<MsgButton> buttons)
{
    return showKind(MsgKind::Confirmation, text, std::move(buttons));
}

ScriptedMessageBoxes::ScriptedMessageBoxes() : m_previous(g_current) { g_current = this; }
ScriptedMessageBoxes::~ScriptedMessageBoxes() { g_current = m_previous; }

MsgButton ScriptedMessageBoxes::show(const MessageRequest& request)
{
    m_shown.push_back(request);
    if (onShow)
        onShow(request);
    if (!m_answers.empty()) {
        MsgButton b = m_answers.front();
        m_answers.erase(m_answers.begin());
        return b;
    }
    if (m_hasDefault)
        return m_default;
    return request.buttons.empty() ? MsgButton::Ok : request.buttons.front();
}

QStringList ScriptedMessageBoxes::texts() const
{
    QStringList out;
    for (const auto& r : m_shown)
        out << r.text;
    return out;
}
