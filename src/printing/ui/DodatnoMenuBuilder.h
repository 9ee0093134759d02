#pragma once

class QMenu;

// Builds the main window's menu "Dodatno" (Dodatno00) from the configuration file: the old items
// go, one action per entry ("Dodatno01", ...), all started through DodatnoCall; the empty item
// that starts a new column is a separator named "DodatnoBreak" (Qt menus have no column breaks,
// so a bar between the groups takes its place). The menu is shown only when it has an item. A
// failure (a PoslDogMainMenuLevel that is not a number) is logged under "VisibleDodatnoMenuItem"
// and leaves the menu hidden.
void VisibleDodatnoMenuItem(QMenu* Dodatno00);
