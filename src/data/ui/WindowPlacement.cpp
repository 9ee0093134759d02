#include "WindowPlacement.h"

#include "data/Guard.h"
#include "data/IniFile.h"
#include "data/ProgramIni.h"
#include "data/ProgramState.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>

namespace {
const QString Section = QStringLiteral("FormCord");

// The widget that is moved: the sub-window frame of an MDI child, else the window itself.
QWidget* frameOf(QWidget* form)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        return sub;
    return form;
}

QSize boundsOf(QWidget* frame)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame))
        if (QMdiArea* area = sub->mdiArea())
            return area->viewport()->size();
    QScreen* screen = frame->screen() ? frame->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}
} // namespace

QRect keepOnScreen(const QRect& saved, const QSize& screen)
{
    int left = std::max(saved.left(), 0);
    int top = std::max(saved.top(), 0);
    int height = saved.height();
    int width = saved.width();
    if (top + height > screen.height())
        height = screen.height() - top;
    if (left + width > screen.width())
        width = screen.width() - left;
    return QRect(left, top, width, height);
}

void GetFormCord(QWidget* form)
{
    if (form == nullptr)
        return;
    guard("GetFormCord", form, [&] {
        const QString name = form->objectName();
        QWidget* frame = frameOf(form);
        IniFile& ini = programIniFile();
        const int state = ini.readInteger(Section, name + "WindowState", 0);
        const bool skipPlace = name.compare(QLatin1String("Main"), Qt::CaseInsensitive) == 0 && state == 2;
        if (!skipPlace) {
            const QRect current(frame->pos(), frame->size());
            QRect saved(ini.readInteger(Section, name + "Left", current.x()),
                        ini.readInteger(Section, name + "Top", current.y()),
                        ini.readInteger(Section, name + "Width", current.width()),
                        ini.readInteger(Section, name + "Height", current.height()));
            saved = keepOnScreen(saved, boundsOf(frame));
            frame->move(saved.topLeft());
            if (saved.width() > 0 && saved.height() > 0)
                frame->resize(saved.size());
        }
        Qt::WindowStates states = frame->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
        if (state == 1)
            states |= Qt::WindowMinimized;
        else if (state == 2)
            states |= Qt::WindowMaximized;
        frame->setWindowState(states);
    });
}

void SetFormCord(QWidget* form)
{
    if (form == nullptr || !ShraniForm)
        return;
    guard("SetFormCord", form, [&] {
        const QString name = form->objectName();
        QWidget* frame = frameOf(form);
        IniFile& ini = programIniFile();
        if (frame->isMinimized())
            return;
        if (frame->isMaximized()) {
            ini.writeInteger(Section, name + "WindowState", 2);
            return;
        }
        const QRect g(frame->pos(), frame->size());
        ini.writeInteger(Section, name + "Left", g.x());
        ini.writeInteger(Section, name + "Top", g.y());
        ini.writeInteger(Section, name + "Height", g.height());
        ini.writeInteger(Section, name + "Width", g.width());
        ini.writeInteger(Section, name + "WindowState", 0);
    });
}
