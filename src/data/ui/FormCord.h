#pragma once
#include <QString>

class QMdiArea;
class QWidget;

// Window positions kept in the configuration file, section "FormCord", keys <form name> +
// "Left", "Top", "Height", "Width" (the window's position and inner size) and "WindowState"
// (0 normal, 1 minimized, 2 maximized). A form inside the main window's child area is placed
// through its sub-window, and kept inside that area instead of the screen.

// Restores position, size and state (the form's current values are the defaults). The main
// window ("Main") saved maximized keeps its position and size and only becomes maximized. The
// form is kept on the screen: negative Left or Top become 0, a size that runs past the screen's
// right or bottom edge is shortened; a window that would be left smaller than 50 pixels that
// way is moved back onto the screen instead. Failures are logged as "GetFormCord".
void GetFormCord(QWidget* form);

// Saves them when ShraniForm is on: a normal form writes all five keys, a maximized one only
// WindowState 2 (its last normal size stays), a minimized one nothing. Failures are logged as
// "SetFormCord".
void SetFormCord(QWidget* form);

// The main window's child area, which MDIChildExist searches.
void setMainMdiArea(QMdiArea* area);
QMdiArea* mainMdiArea();

// True when a child window of that form name (case ignored) is open; every one found, from the
// last to the first, is shown, brought to the front and restored when minimized. Failures are
// logged as "MDIChildExist" and give false.
bool MDIChildExist(const QString& formName);
bool MDIChildExist(QMdiArea* area, const QString& formName);

// Enter (13, Qt::Key_Return or Qt::Key_Enter) with EnterForNext on moves the focus of the
// active form (or of the form given) to its next control, once the key has been handled; the
// key itself is left as it is. Failures are logged as "tNavKey".
void tNavKey(int key);
void tNavKey(int key, QWidget* form);
