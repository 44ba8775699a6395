#pragma once
#include <QAbstractButton>
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QWidget;

// A key that stands for a command of the window, and the command.
struct CommandKey {
    int Key;
    std::function<void()> Action;
};

// Gives a window the key preview its commands rely on: the window sees every key press before the
// focused control, runs the command of its key code (modifier keys are not looked at), and the key
// then goes on to the control. Every key release is swallowed, so no release reaches a control,
// except the release of a Space pressed on a button (the button clicks on it). A held key acts
// once, where it was pressed (see repeatGoesOn).
class KeyPreview : public QObject {
    Q_OBJECT
  public:
    KeyPreview(QWidget* window, std::vector<CommandKey> commands);

    // Watches the window and every child that can take the focus; call once the controls exist.
    void attach();

    // How long since a key was last pressed in any window of the program, in milliseconds.
    static qint64 SinceLastKey();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window's key handler: runs the command of the key pressed.
    void FormKeyDown(int key);
    bool repeatGoesOn(QObject* watched, int key) const;

    QWidget* m_window;
    std::vector<CommandKey> m_commands;
    QPointer<QAbstractButton> m_spaceDownOn;  // the button a Space press went down on
};
