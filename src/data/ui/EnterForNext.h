#pragma once

class QObject;
class QWidget;

// Enter moves the focus on: when the key is Enter and EnterForNext is on, the focused control of
// the active window is told to move to the next control (the key itself is left alone). Forms
// call it from their key handling.
void tNavKey(int key);

// Calls tNavKey for every key pressed in a control of the form before the control sees it (the
// form's key preview). The filter is a child of the form and goes with it. Multi-line text
// editors keep their Enter.
QObject* installEnterForNext(QWidget* form);
