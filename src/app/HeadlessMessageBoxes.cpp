#include "HeadlessMessageBoxes.h"

#include <QTextStream>

#include <algorithm>

HeadlessMessageBoxes::HeadlessMessageBoxes(QTextStream& err) : m_err(err), m_previous(&messageBoxes())
{
    setMessageBoxes(this);
}

HeadlessMessageBoxes::~HeadlessMessageBoxes()
{
    // The console default is not an installed instance: restoring it means installing none.
    setMessageBoxes(nullptr);
    MessageBoxes& fallback = messageBoxes();
    if (m_previous != &fallback)
        setMessageBoxes(m_previous);
}

MsgButton HeadlessMessageBoxes::show(const MessageRequest& request)
{
    if (request.kind == MsgKind::Confirmation) {
        const auto ok = std::find(request.buttons.begin(), request.buttons.end(), MsgButton::Ok);
        if (ok != request.buttons.end() || request.buttons.empty())
            return MsgButton::Ok;
        return request.buttons.front();
    }
    QString text = request.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_printed << text;
    m_err << text << Qt::endl;
    return request.buttons.empty() ? MsgButton::Ok : request.buttons.front();
}
