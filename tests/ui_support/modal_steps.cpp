#include "modal_steps.h"

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

void WhenModal(QWidget* window, std::function<void()> step) {
    auto* poll = new QTimer(qApp);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, window, step] {
        if (QApplication::activeModalWidget() != window) return;
        poll->stop();
        poll->deleteLater();
        // A nested modal window opened from the timer's own slot would stop the timers.
        QTimer::singleShot(0, window, [window, step] {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            step();
        });
    });
    poll->start();
}

void PressKey(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(window->windowHandle(), Qt::Key(key), modifiers);
}

void HoldKey(QWidget* window, int key, QWidget* below) {
    const auto target = [&] {
        return (window->isVisible() || !below ? window : below)->windowHandle();
    };
    qt_handleKeyEvent(target(), QEvent::KeyPress, key, Qt::NoModifier);
    for (int i = 0; i < 3; ++i)
        qt_handleKeyEvent(target(), QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
    qt_handleKeyEvent(target(), QEvent::KeyRelease, key, Qt::NoModifier);
}

ShowCounter::ShowCounter(QWidget* window) : QObject(window) {
    window->installEventFilter(this);
}

bool ShowCounter::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Show) ++m_count;
    return false;
}
