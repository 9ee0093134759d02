#pragma once
#include "data/ui/FormCord.h"

class QObject;
class QWidget;

// The form's key preview for Enter-to-next: every key pressed in a control of the form is given
// to tNavKey (FormCord.h) before the control sees it. The filter is a child of the form and goes
// with it. Multi-line text editors keep their Enter.
QObject* installEnterForNext(QWidget* form);
