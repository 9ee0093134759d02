#pragma once
#include <QString>

class QMdiArea;
class QMdiSubWindow;
class QWidget;

// The main window's MDI area, where child windows (program information, previews, ...) open.
// The main window registers it; until then child windows open as windows of their own.
void setMainMdiArea(QMdiArea* area);
QMdiArea* mainMdiArea();

// Opens a form as a child window of the main window (or as a window of its own without one).
// The form is destroyed when its child window closes. Returns the sub-window (null without an
// MDI area).
QMdiSubWindow* showMdiChild(QWidget* form);

// True when a child window whose form is named `name` (case ignored) is open; every such child,
// from the last to the first, is shown, restored when minimized and brought to the front.
bool MDIChildExist(const QString& name);
