#include "MdiChildren.h"

#include "data/Guard.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

namespace {
QPointer<QMdiArea>& areaPointer()
{
    static QPointer<QMdiArea> area;
    return area;
}
} // namespace

void setMainMdiArea(QMdiArea* area) { areaPointer() = area; }
QMdiArea* mainMdiArea() { return areaPointer().data(); }

QMdiSubWindow* showMdiChild(QWidget* form)
{
    form->setAttribute(Qt::WA_DeleteOnClose);
    QMdiArea* area = mainMdiArea();
    if (area == nullptr) {
        form->show();
        return nullptr;
    }
    QMdiSubWindow* sub = area->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowTitle(form->windowTitle());
    sub->show();
    area->setActiveSubWindow(sub);
    return sub;
}

bool MDIChildExist(const QString& name)
{
    return guard("MDIChildExist", nullptr, false, [&] {
        QMdiArea* area = mainMdiArea();
        if (area == nullptr)
            return false;
        bool found = false;
        const QList<QMdiSubWindow*> children = area->subWindowList(QMdiArea::CreationOrder);
        for (auto it = children.crbegin(); it != children.crend(); ++it) {
            QMdiSubWindow* sub = *it;
            QWidget* form = sub->widget();
            if (form == nullptr || form->objectName().compare(name, Qt::CaseInsensitive) != 0)
                continue;
            found = true;
            if (sub->isMinimized())
                sub->showNormal();
            else
                sub->show();
            area->setActiveSubWindow(sub);
        }
        return found;
    });
}
