#include "printing/ui/DodatnoMenuBuilder.h"

#include "printing/DodatnoMenu.h"

#include "data/log/Guard.h"

#include <QAction>
#include <QMenu>

void VisibleDodatnoMenuItem(QMenu* Dodatno00)
{
    if (Dodatno00 == nullptr)
        return;
    bool found = false;
    guard("VisibleDodatnoMenuItem", Dodatno00, [&] {
        for (QAction* action : Dodatno00->actions()) {
            Dodatno00->removeAction(action);
            if (action->parent() == Dodatno00)
                delete action;
        }
        for (const DodatnoMenuEntry& entry : DodatnoMenuEntries()) {
            if (entry.columnBreak) {
                QAction* bar = Dodatno00->addSeparator();
                bar->setObjectName(QStringLiteral("DodatnoBreak"));
                bar->setProperty("columnBreak", true);
                continue;
            }
            QAction* item = Dodatno00->addAction(entry.caption);
            item->setObjectName(entry.name);
            const QString name = entry.name;
            QObject::connect(item, &QAction::triggered, Dodatno00, [name] { DodatnoCall(name); });
            found = true;
        }
    });
    Dodatno00->menuAction()->setVisible(found);
}
