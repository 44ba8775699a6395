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

// How a held key's repeats arrive: marked as repeats by the toolkit, or as X11 sends them when the
// toolkit fails to mark them, as pairs of a release and an unmarked press with one timestamp (the
// X events themselves are shown to the program's X11 event filters first).
enum class Repeats { Marked, X11Pairs };

// A key held down: the press, three repeats and the release, 20 ms apart, each delivered from
// whichever event loop runs then, so that a window the press opens modally gets them. While
// `window` is shown they go to it; once the press has closed it, to the top modal window, else to
// `below` (activated, as the desktop activates the window under a closed one), else to the active
// window. Returns at once: the repeats come from the event loop.
void HoldKey(QWidget* window, int key, QWidget* below = nullptr, Repeats repeats = Repeats::Marked);

// Types the text into the window's focused control, a key every 100 ms, from whichever event
// loop runs then (a modal window opened meanwhile blocks the keys). Returns at once.
void TypeSlowly(QWidget* window, const QString& text);

// Whether a held key's repeats or release, or slowly typed keys, are still to come.
bool HeldKeysPending();
// Runs the event loop until every held key has been released; false after 2 s.
bool WaitForHeldKeys();
