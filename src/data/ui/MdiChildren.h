#pragma once
#include "data/ui/FormCord.h"

class QMdiSubWindow;
class QWidget;

// Opens a form as a child window of the main window's child area (mainMdiArea(), FormCord.h),
// or as a window of its own when there is none. The form is destroyed when its child window
// closes. Returns the sub-window (null without a child area).
QMdiSubWindow* showMdiChild(QWidget* form);
