#pragma once
#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

// Gives a window the key preview its commands rely on: the window's handler sees every key press
// before the focused control, on the key code alone, and the key then goes on to the control;
// every key release is swallowed, so no release reaches a control, except the release of a Space
// pressed on a button (the button clicks on it). Auto-repeated presses of command keys are dropped.
class KeyPreview : public QObject {
    Q_OBJECT
  public:
    using KeyDownHandler = std::function<void(int key)>;

    KeyPreview(QWidget* window, KeyDownHandler onKeyDown);

    // Watches the window and every child that can take the focus; call once the controls exist.
    void attach();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* m_window;
    KeyDownHandler m_onKeyDown;
    QPointer<QAbstractButton> m_spaceDownOn;  // the button a Space press went down on
};
