#include "key_preview.h"

#include <QAbstractButton>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

// Keys that are commands in some window. Holding one must give one command: the repeats that follow
// the first press would otherwise reach the window below once the first press closed a window.
bool IsCommandKey(int key) {
    switch (key) {
        case Qt::Key_F1:
        case Qt::Key_F8:
        case Qt::Key_F9:
        case Qt::Key_F10:
        case Qt::Key_Escape:
        case Qt::Key_Insert:
            return true;
        default:
            return false;
    }
}

}  // namespace

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
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->isAutoRepeat() && IsCommandKey(key->key())) return true;
            // A key that a focused child ignored propagates to the window: it was seen already.
            const QWidget* focus = m_window->focusWidget();
            if (watched == m_window && focus && focus != m_window) return false;
            if (key->key() == Qt::Key_Space && !key->isAutoRepeat())
                m_spaceDownOn = qobject_cast<QAbstractButton*>(watched);
            m_onKeyDown(key->key());
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
