#include "ErrorLogWidgets.h"

#include "data/log/ErrorLog.h"

#include <QApplication>
#include <QWidget>

void installErrorLogWidgetHooks()
{
    ErrorLogUiHooks hooks;
    hooks.activeNames = [](QString& formName, QString& controlName) {
        if (QWidget* form = QApplication::activeWindow())
            formName = form->objectName();
        if (QWidget* control = QApplication::focusWidget())
            controlName = control->objectName();
    };
    hooks.normalCursor = [] {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    };
    setErrorLogUiHooks(std::move(hooks));
}
