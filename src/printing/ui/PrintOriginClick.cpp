#include "printing/ui/PrintOriginClick.h"

#include "printing/PrintOrigin.h"

#include <QAbstractButton>
#include <QAction>

bool clickPrintOrigin()
{
    QObject* origin = PrintOrigin();
    if (auto* button = qobject_cast<QAbstractButton*>(origin)) {
        button->click();
        return true;
    }
    if (auto* action = qobject_cast<QAction*>(origin)) {
        action->trigger();
        return true;
    }
    return false;
}
