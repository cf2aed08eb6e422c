#pragma once

class QWidget;

// Text fields claim several Ctrl keys for editing on X11 (Ctrl+X cut,
// Ctrl+U delete the line, Ctrl+E end of line, Ctrl+D delete). In a window
// whose menus use those keys, the menu command must win, or it cannot be
// reached from the keyboard while the user types in the field. The field
// keeps every editing key that no enabled menu item of the window uses.
void giveMenuShortcutsPriority(QWidget *textField, QWidget *window);
