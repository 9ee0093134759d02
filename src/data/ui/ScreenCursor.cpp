#include "ScreenCursor.h"

#include <QCursor>
#include <QGuiApplication>

void setScreenCursor(Qt::CursorShape shape)
{
    if (shape == Qt::ArrowCursor) {
        while (QGuiApplication::overrideCursor() != nullptr)
            QGuiApplication::restoreOverrideCursor();
        return;
    }
    if (QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    else
        QGuiApplication::setOverrideCursor(QCursor(shape));
}

WaitCursor::WaitCursor()
    : m_hadOverride(QGuiApplication::overrideCursor() != nullptr),
      m_previous(m_hadOverride ? QGuiApplication::overrideCursor()->shape() : Qt::ArrowCursor)
{
    setScreenCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() { setScreenCursor(m_hadOverride ? m_previous : Qt::ArrowCursor); }
