#include "key_preview.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

KeyPreview::KeyPreview(QWidget* window, KeyDownHandler onKeyDown)
    : QObject(window), m_window(window), m_onKeyDown(std::move(onKeyDown)) {}

void KeyPreview::attach() {
    m_window->installEventFilter(this);
    const auto children = m_window->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (child->focusPolicy() != Qt::NoFocus) child->installEventFilter(this);
    }
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            // A key that a focused child ignored propagates to the window: it was seen already.
            const QWidget* focus = m_window->focusWidget();
            if (watched == m_window && focus && focus != m_window) return false;
            m_onKeyDown(static_cast<QKeyEvent*>(event)->key());
            return false;
        }
        case QEvent::KeyRelease:
            return true;
        default:
            return false;
    }
}
