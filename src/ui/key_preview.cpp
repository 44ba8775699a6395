#include "key_preview.h"

#include <xcb/xproto.h>

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace {

// X11 sends a held key as pairs of a release and a press with one timestamp. Qt marks such a pair
// as auto-repeated only when it finds the press queued behind the release for the same window,
// which often fails when the first press closed a window and the focus moved. This watches the
// X events themselves and keeps the time of the last press that followed its own release.
class X11RepeatWatcher : public QAbstractNativeEventFilter {
  public:
    static void install() {
        static X11RepeatWatcher watcher;
        static const bool installed = [] {
            QCoreApplication::instance()->installNativeEventFilter(&watcher);
            return true;
        }();
        Q_UNUSED(installed);
    }
    static quint32 lastRepeatTime() { return s_repeatTime; }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* generic = static_cast<const xcb_generic_event_t*>(message);
        const quint8 code = generic->response_type & ~0x80;  // top bit: a sent event
        if (code != XCB_KEY_PRESS && code != XCB_KEY_RELEASE) return false;
        // A release has the layout of a press.
        const auto* key = static_cast<const xcb_key_press_event_t*>(message);
        if (code == XCB_KEY_RELEASE) {
            m_releasedKey = key->detail;
            m_releaseTime = key->time;
        } else if (key->detail == m_releasedKey && key->time == m_releaseTime) {
            s_repeatTime = key->time;
        }
        return false;
    }

  private:
    xcb_keycode_t m_releasedKey = 0;
    xcb_timestamp_t m_releaseTime = 0;
    static inline quint32 s_repeatTime = 0;
};

bool IsAutoRepeat(const QKeyEvent& key) {
    const quint32 repeatTime = X11RepeatWatcher::lastRepeatTime();
    return key.isAutoRepeat() ||
           (repeatTime != 0 && static_cast<quint32>(key.timestamp()) == repeatTime);
}

// The key held down, and the control its first press went to, in whichever window.
struct HeldKey {
    int Key = 0;
    QPointer<QObject> PressedOn;
};
HeldKey g_held;

QElapsedTimer& LastKey() {
    static QElapsedTimer timer;
    return timer;
}

}  // namespace

KeyPreview::KeyPreview(QWidget* window, std::vector<CommandKey> commands)
    : QObject(window), m_window(window), m_commands(std::move(commands)) {
    X11RepeatWatcher::install();
}

qint64 KeyPreview::SinceLastKey() {
    return LastKey().isValid() ? LastKey().elapsed() : std::numeric_limits<qint64>::max();
}

void KeyPreview::FormKeyDown(int key) {
    for (const CommandKey& command : m_commands) {
        if (command.Key == key) {
            command.Action();
            return;
        }
    }
}

void KeyPreview::attach() {
    m_window->installEventFilter(this);
    const auto children = m_window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (child->focusPolicy() != Qt::NoFocus) child->installEventFilter(this);
    }
}

// A held key acts once, in the window where it was pressed: its repeats never reach another window
// (the first press may have closed one and moved the focus) or another control, never press a
// button again and never repeat a command. Only a text field goes on repeating what it types.
bool KeyPreview::repeatGoesOn(QObject* watched, int key) const {
    if (g_held.Key != key || g_held.PressedOn != watched) return false;
    if (qobject_cast<QAbstractButton*>(watched)) return false;
    return std::none_of(m_commands.begin(), m_commands.end(),
                        [key](const CommandKey& command) { return command.Key == key; });
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            // A key that a focused child ignored propagates to the window: it was seen already.
            const QWidget* focus = m_window->focusWidget();
            const bool propagated = watched == m_window && focus && focus != m_window;
            LastKey().start();
            if (IsAutoRepeat(*key)) return !repeatGoesOn(watched, key->key()) || propagated;
            if (propagated) return false;
            g_held = {key->key(), watched};
            if (key->key() == Qt::Key_Space)
                m_spaceDownOn = qobject_cast<QAbstractButton*>(watched);
            FormKeyDown(key->key());
            return false;
        }
        case QEvent::KeyRelease: {
            // A button clicks when Space is released: that one release goes on to the button that
            // went down on the Space press, or it would stay drawn down and never click.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() != Qt::Key_Space || !m_spaceDownOn || watched != m_spaceDownOn)
                return true;
            if (!key->isAutoRepeat()) m_spaceDownOn = nullptr;
            return false;
        }
        default:
            return false;
    }
}
