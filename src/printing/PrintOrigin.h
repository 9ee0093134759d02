#pragma once
#include <QObject>

// PrintOrigin: the control that started the last report start (a button or a menu item of the
// main window), which the preview's refresh clicks again to repeat the printout. Until the first
// start, and after the control is gone, it is a placeholder object that is neither (clicking it
// is refused: printing/ui/PrintOriginClick.h).
QObject* PrintOrigin();
void setPrintOrigin(QObject* origin);   // nullptr: the placeholder
// The placeholder held before any report start.
QObject* printOriginPlaceholder();
