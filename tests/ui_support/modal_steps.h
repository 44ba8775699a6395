#pragma once
#include <QObject>
#include <functional>

class QWidget;

// Drives modal windows from a test. `step` runs from a fresh turn of the event loop once `window`
// is the active modal window, after activating it (offscreen does not activate a new modal window
// by itself). A step may open a nested modal window; it must not wait for it.
void WhenModal(QWidget* window, std::function<void()> step);

// Sends one key press and release to the focused control of the window, as the keyboard does:
// blocked when another modal window is above it.
void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A key held down: the press, auto-repeated presses, and the release, as a keyboard sends them.
// Once the window has closed, the repeats go to `below`, the window that gets the focus then.
void HoldKey(QWidget* window, int key, QWidget* below = nullptr);

// Counts how often a window is shown.
class ShowCounter : public QObject {
  public:
    explicit ShowCounter(QWidget* window);
    int count() const { return m_count; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int m_count = 0;
};
