#pragma once
#include <QString>
#include <Qt>

class QWidget;

// Keys as a person names them in a test table: "F9", "Shift+F9", "Ctrl+F10", "Enter", "keypad
// Enter", "Space", "Esc", "Insert", "Tab", "Shift+Tab", "A".
struct KeyStroke {
    int Key = 0;
    Qt::KeyboardModifiers Modifiers = Qt::NoModifier;
};
KeyStroke ParseKey(const QString& name);

// Activates the window, as the user's click on it would, and presses and releases one key there:
// the key goes to the focused control, and is blocked when a modal window is above this one.
void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void PressKey(QWidget* window, const QString& name);

// A key held down: the press, three auto-repeated presses and the release, as a keyboard sends
// them. Once the press has closed the window, the rest goes to `below`, activated as the desktop
// activates the window that was under it.
void HoldKey(QWidget* window, int key, QWidget* below = nullptr);
