#pragma once
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

// Drives the modal windows that an action opens: a short timer watches for a new modal window and
// hands it to a step that runs on its own (never inside the timer's slot, where a nested modal
// would hang). By default a message is recorded and closed with Esc, an error box recorded and
// closed with OK, and the about window recorded and closed with F10.
class ModalDriver : public QObject {
    Q_OBJECT
  public:
    // Handles windows the default does not know; returns false to fall back to the default.
    using Handler = std::function<bool(QWidget* modal)>;

    explicit ModalDriver(Handler handler = {});

    // What was seen, in order: "message: <text>", "box: <title> | <text>", "about", or what the
    // handler records.
    QStringList Seen;

    // Activates the window and presses a key in it, as the user would.
    static void Press(QWidget* window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

  private:
    void poll();
    void handle(QWidget* modal);

    Handler m_handler;
    QTimer m_timer;
    QSet<QWidget*> m_inHand;
};
