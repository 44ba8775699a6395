#pragma once
#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;

// Drives the modal windows that an action opens, the one way every window test and the window
// fuzzer do it. Each time a modal window comes to the top (shown, or uncovered when a window over
// it closes), the driver takes it in hand from a fresh turn of the event loop (a nested modal
// window opened from inside a timer's slot would hang), records it in Seen and acts on it:
// - with the next step of its script, "<window>: <action>", where the window is "message",
//   "about", "calculator" or "box", and the action a key name (keys.h), "hold <key>" or
//   "x11 hold <key>" (HoldKey, Repeats::Marked or X11Pairs),
//   "close box", "minimise", "activate below" (activates Below, which the window blocks), or
//   "focus?", "state?" or "owner?" (record "focus <name of the focused control>", "shown,
//   active" or "minimised", or "owner <window it belongs to>", and leave the window open);
// - else with its handler, if it takes the window;
// - else by default: a message is closed with Esc, the about window with F10, an error box with OK.
// Seen: "message: <text>", "about", "calculator", "box: <title> | <text>".
class ModalDriver : public QObject {
    Q_OBJECT
  public:
    // Returns false to leave the window to the default.
    using Handler = std::function<bool(QWidget* modal)>;

    explicit ModalDriver(QStringList script = {}, Handler handler = {});
    explicit ModalDriver(Handler handler) : ModalDriver(QStringList(), std::move(handler)) {}
    ~ModalDriver() override;

    QStringList Seen;
    int Count = 0;         // windows taken in hand
    bool KeepSeen = true;  // false: only count, for sessions too long to keep every text
    // Closes each modal window as soon as it is shown, without keys: fast enough for thousands.
    bool Quick = false;
    // Where the rest of a held key goes once its press closed the window ("hold <key>").
    QWidget* Below = nullptr;

    // "message", "about", "calculator", "box", "splash", or the window's object name.
    static QString Name(QWidget* modal);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void poll();
    void handle(QWidget* modal);
    void record(QWidget* modal);
    void act(QWidget* modal, const QString& action);

    QStringList m_script;
    Handler m_handler;
    QTimer m_timer;
    QSet<QWidget*> m_inHand;
};
