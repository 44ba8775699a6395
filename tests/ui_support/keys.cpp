#include "keys.h"

#include <QApplication>
#include <QHash>
#include <QTest>
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

void HoldKey(QWidget* window, int key, QWidget* below) {
    const auto target = [window, below] {
        if (window->isVisible() || !below) return window->windowHandle();
        if (!below->isActiveWindow()) below->activateWindow();
        return below->windowHandle();
    };
    if (!window->isActiveWindow()) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window, 2000)) qWarning("not active");
    }
    qt_handleKeyEvent(target(), QEvent::KeyPress, key, Qt::NoModifier);
    for (int i = 0; i < 3; ++i)
        qt_handleKeyEvent(target(), QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
    qt_handleKeyEvent(target(), QEvent::KeyRelease, key, Qt::NoModifier);
}
