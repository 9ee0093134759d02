#include "FormCord.h"

#include "data/log/Guard.h"
#include "data/config/ProgramIni.h"
#include "data/core/ProgramState.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMetaObject>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {
const QString Section = "FormCord";
constexpr int MinimumVisible = 50;
QPointer<QMdiArea> g_mdiArea;

// The window that carries the form: its sub-window inside a child area, else the form.
QWidget* windowOf(QWidget* form)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        return sub;
    return form;
}

QSize areaSize(QWidget* window)
{
    if (!window->isWindow() && window->parentWidget())
        return window->parentWidget()->size();
    if (QScreen* screen = window->screen())
        return screen->geometry().size();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        return screen->geometry().size();
    return {1024, 768};
}

int stateCode(const QWidget* window)
{
    if (window->isMinimized())
        return 1;
    if (window->isMaximized())
        return 2;
    return 0;
}

// Keeps one dimension on the screen; returns the new start and length.
std::pair<int, int> keptOnScreen(int start, int length, int screen)
{
    start = std::max(start, 0);
    if (start + length > screen) {
        const int shortened = screen - start;
        if (shortened >= MinimumVisible)
            return {start, shortened};
        return {std::max(0, screen - length), std::min(length, screen)};
    }
    return {start, length};
}

void focusNextControl(QWidget* form)
{
    QWidget* current = QApplication::focusWidget();
    if (!current || current->window() != form->window())
        current = form->focusWidget();
    if (!current)
        return;
    for (QWidget* next = current->nextInFocusChain(); next && next != current; next = next->nextInFocusChain()) {
        if (next->window() == form->window() && (next->focusPolicy() & Qt::TabFocus) && next->isEnabled()
            && next->isVisible()) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}
} // namespace

void GetFormCord(QWidget* form)
{
    guard("GetFormCord", form, [&] {
        if (!form)
            return;
        const IniFile& ini = programIniFile();
        const QString name = form->objectName();
        QWidget* window = windowOf(form);
        const int state = ini.readInteger(Section, name + "WindowState", stateCode(window));
        // a window whose position was never stored keeps the one it opens at (a dialog centred
        // over its owner, the main window as it placed itself)
        bool stored = false;
        for (const char* part : {"Left", "Top", "Width", "Height"})
            stored = stored || !ini.readString(Section, name + QLatin1String(part), QString()).isEmpty();
        if (stored && !(name == "Main" && state == 2)) {
            const int left = ini.readInteger(Section, name + "Left", window->x());
            const int top = ini.readInteger(Section, name + "Top", window->y());
            const int height = ini.readInteger(Section, name + "Height", window->height());
            const int width = ini.readInteger(Section, name + "Width", window->width());
            const QSize screen = areaSize(window);
            const auto [y, h] = keptOnScreen(top, height, screen.height());
            const auto [x, w] = keptOnScreen(left, width, screen.width());
            window->move(x, y);
            window->resize(w, h);
        }
        switch (state) {
        case 1: window->setWindowState((window->windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized); break;
        case 2: window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized); break;
        default: window->setWindowState(window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)); break;
        }
    });
}

void SetFormCord(QWidget* form)
{
    if (!ShraniForm)
        return;
    guard("SetFormCord", form, [&] {
        if (!form)
            return;
        IniFile& ini = programIniFile();
        const QString name = form->objectName();
        QWidget* window = windowOf(form);
        switch (stateCode(window)) {
        case 1:
            return;
        case 2:
            ini.writeInteger(Section, name + "WindowState", 2);
            return;
        default:
            ini.writeInteger(Section, name + "Left", window->x());
            ini.writeInteger(Section, name + "Top", window->y());
            ini.writeInteger(Section, name + "Height", window->height());
            ini.writeInteger(Section, name + "Width", window->width());
            ini.writeInteger(Section, name + "WindowState", 0);
        }
    });
}

void setMainMdiArea(QMdiArea* area) { g_mdiArea = area; }
QMdiArea* mainMdiArea() { return g_mdiArea; }

bool MDIChildExist(const QString& formName) { return MDIChildExist(g_mdiArea, formName); }

bool MDIChildExist(QMdiArea* area, const QString& formName)
{
    return guard("MDIChildExist", area, false, [&] {
        if (!area)
            return false;
        bool found = false;
        const QList<QMdiSubWindow*> children = area->subWindowList(QMdiArea::CreationOrder);
        for (auto it = children.crbegin(); it != children.crend(); ++it) {
            QMdiSubWindow* sub = *it;
            QWidget* child = sub->widget();
            const QString name = child ? child->objectName() : sub->objectName();
            if (name.compare(formName, Qt::CaseInsensitive) != 0)
                continue;
            found = true;
            if (sub->isMinimized())
                sub->showNormal();
            else
                sub->show();
            area->setActiveSubWindow(sub);
            sub->raise();
        }
        return found;
    });
}

void tNavKey(int key) { tNavKey(key, QApplication::activeWindow()); }

void tNavKey(int key, QWidget* form)
{
    guard("tNavKey", form, [&] {
        if (!form || !EnterForNext || (key != 13 && key != Qt::Key_Return && key != Qt::Key_Enter))
            return;
        // After the key event has been handled, as a posted message would be.
        QPointer<QWidget> target(form);
        QMetaObject::invokeMethod(
            form, [target] {
                if (target)
                    guard("tNavKey", target.data(), [&] { focusNextControl(target); });
            },
            Qt::QueuedConnection);
    });
}
