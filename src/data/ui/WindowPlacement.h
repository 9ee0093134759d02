#pragma once
#include <QRect>
#include <QString>

class QWidget;

// Remembering where a window was: INI section FormCord, for a window named N (its objectName)
// the integer keys N+"Left", N+"Top", N+"Height", N+"Width" and N+"WindowState" (0 normal,
// 1 minimized, 2 maximized). A window inside the main window's MDI area is placed by its
// sub-window frame and kept inside that area; any other window is kept on its screen. Left and
// Top are the position of the window's frame, Width and Height the size of its inside.

// Restores position, size and state. For the window named "Main" a saved state 2 (maximized)
// keeps the current normal size and only maximizes. Failures are logged as "GetFormCord".
void GetFormCord(QWidget* form);
// Saves them when ShraniForm is on: nothing for a minimized window, only WindowState 2 for a
// maximized one, else the four values and WindowState 0. Failures are logged as "SetFormCord".
void SetFormCord(QWidget* form);

// The rule that keeps a saved rectangle visible: negative left or top become 0; a window that
// would reach past the bottom or the right edge is made shorter or narrower.
QRect keepOnScreen(const QRect& saved, const QSize& screen);
