#include "EnterForNext.h"

#include <QApplication>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace {
// Watches the application's key presses and acts on those meant for a control of its form (the
// form sees the keys before its controls).
class EnterForNextFilter : public QObject {
public:
    explicit EnterForNextFilter(QWidget* form) : QObject(form), m_form(form) {}
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        auto* target = static_cast<QWidget*>(watched);
        if (target != m_form && !m_form->isAncestorOf(target))
            return false;
        // only the first delivery: a key that a control ignores travels on to its parents
        if (target != QApplication::focusWidget())
            return false;
        if (target->inherits("QPlainTextEdit") || target->inherits("QTextEdit"))
            return false;   // Enter starts a new line there
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier)
            tNavKey(key->key(), m_form);
        return false;
    }

private:
    QWidget* m_form;
};
} // namespace

QObject* installEnterForNext(QWidget* form)
{
    auto* filter = new EnterForNextFilter(form);
    qApp->installEventFilter(filter);
    return filter;
}
