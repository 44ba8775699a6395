#include "keys.h"

#include <xcb/xproto.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

KeyStroke ParseKey(const QString& name) {
    static const QHash<QString, int> keys = {
        {"F1", Qt::Key_F1},
        {"F8", Qt::Key_F8},
        {"F9", Qt::Key_F9},
        {"F10", Qt::Key_F10},
        {"Enter", Qt::Key_Return},
        {"keypad Enter", Qt::Key_Enter},
        {"Space", Qt::Key_Space},
        {"Esc", Qt::Key_Escape},
        {"Insert", Qt::Key_Insert},
        {"Tab", Qt::Key_Tab},
        {"Shift+Tab", Qt::Key_Backtab},
        {"A", Qt::Key_A},
    };
    KeyStroke stroke;
    QString key = name;
    if (key != "Shift+Tab") {
        if (key.startsWith("Shift+")) stroke.Modifiers |= Qt::ShiftModifier;
        if (key.startsWith("Ctrl+")) stroke.Modifiers |= Qt::ControlModifier;
        if (stroke.Modifiers != Qt::NoModifier) key = key.section('+', 1);
    }
    stroke.Key = keys.value(key, 0);
    if (stroke.Key == 0) qWarning("unknown key name %s", qPrintable(name));
    return stroke;
}

void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    if (!window->isActiveWindow()) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window, 2000))
            qWarning("%s is not active", qPrintable(window->objectName()));
    }
    QTest::keyClick(window->windowHandle(), Qt::Key(key), modifiers);
}

void PressKey(QWidget* window, const QString& name) {
    const KeyStroke stroke = ParseKey(name);
    PressKey(window, stroke.Key, stroke.Modifiers);
}

namespace {

int g_heldKeys = 0;  // held keys whose repeats or release are still to come

// The window the desktop gives the focus, and with it the key, to.
QWidget* HeldKeyTarget(QWidget* window, QWidget* below) {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window) return modal;
    if (window->isVisible()) return window;
    if (below) return below;
    return QApplication::activeWindow();
}

// An X key event as the X server sends it, shown to the program's native event filters.
void ShowX11KeyEvent(uint8_t type, xcb_timestamp_t time) {
    xcb_key_press_event_t event{};
    event.response_type = type;
    event.detail = 36;  // a key code; the filters compare codes, not their meaning
    event.time = time;
    qintptr result = 0;
    QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &event, &result);
}

void SendTimedKey(QWidget* window, QEvent::Type type, int key, ulong time) {
    QWidget* receiver = window->focusWidget() ? window->focusWidget() : window;
    QKeyEvent event(type, key, Qt::NoModifier);
    event.setTimestamp(time);
    QApplication::sendEvent(receiver, &event);
}

}  // namespace

void HoldKey(QWidget* window, int key, QWidget* below, Repeats repeats) {
    constexpr int kRepeatInterval = 20;  // milliseconds, about a keyboard's rate
    if (!window->isActiveWindow()) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window, 2000)) qWarning("not active");
    }
    static xcb_timestamp_t time = 1000;
    ++g_heldKeys;
    const auto repeat = [=](auto& self, int left) -> void {
        // The next one first: this one may open a modal window, whose loop must deliver it.
        if (left > 0)
            QTimer::singleShot(kRepeatInterval, [self, left]() mutable { self(self, left - 1); });
        QWidget* target = HeldKeyTarget(window, below);
        if (target && !target->isActiveWindow()) target->activateWindow();
        if (target && left == 0) {
            qt_handleKeyEvent(target->windowHandle(), QEvent::KeyRelease, key, Qt::NoModifier);
        } else if (target && repeats == Repeats::X11Pairs) {
            ++time;
            ShowX11KeyEvent(XCB_KEY_RELEASE, time);
            SendTimedKey(target, QEvent::KeyRelease, key, time);
            ShowX11KeyEvent(XCB_KEY_PRESS, time);
            SendTimedKey(target, QEvent::KeyPress, key, time);
        } else if (target) {
            qt_handleKeyEvent(target->windowHandle(), QEvent::KeyPress, key, Qt::NoModifier,
                              QString(), true);
        }
        if (left == 0) --g_heldKeys;
    };
    // Started before the press, so that a modal window the press opens runs them in its own loop.
    QTimer::singleShot(kRepeatInterval, [repeat]() mutable { repeat(repeat, 3); });
    qt_handleKeyEvent(window->windowHandle(), QEvent::KeyPress, key, Qt::NoModifier);
}

void TypeSlowly(QWidget* window, const QString& text) {
    ++g_heldKeys;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        QTimer::singleShot(int(100 * (i + 1)), [window, text, i] {
            if (i == text.size()) {
                --g_heldKeys;
                return;
            }
            const QChar c = text[i];
            const int key = c == ',' ? int(Qt::Key_Comma) : int(c.toUpper().unicode());
            // As the keyboard sends it: to the focused control, blocked under a modal window.
            qt_handleKeyEvent(window->windowHandle(), QEvent::KeyPress, key, Qt::NoModifier, c);
            qt_handleKeyEvent(window->windowHandle(), QEvent::KeyRelease, key, Qt::NoModifier, c);
        });
    }
}

bool HeldKeysPending() {
    return g_heldKeys > 0;
}

bool WaitForHeldKeys() {
    return QTest::qWaitFor([] { return g_heldKeys == 0; }, 2000);
}
