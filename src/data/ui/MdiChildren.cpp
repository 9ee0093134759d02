#include "MdiChildren.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

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
