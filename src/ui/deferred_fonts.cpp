#include "deferred_fonts.h"

#include <QEvent>
#include <QWidget>

DeferredFonts::DeferredFonts(QWidget* window) : QObject(window), m_window(window) {
    window->installEventFilter(this);
}

void DeferredFonts::set(QWidget* control, const QFont& font) {
    if (m_applied) {
        control->setFont(font);
        return;
    }
    m_pending.emplace_back(control, font);
}

bool DeferredFonts::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window || m_applied) return false;
    switch (event->type()) {
        case QEvent::PolishRequest:
            // The toolkit asks every new window to polish itself at the first turn of the event
            // loop, seen or not. Showing or drawing the window polishes it anyway.
            return true;
        case QEvent::Polish:
            // The window is polished before its controls, so they are polished in their fonts.
            apply();
            return false;
        default:
            return false;
    }
}

void DeferredFonts::apply() {
    m_applied = true;
    m_window->removeEventFilter(this);
    // Latest first: controls are created after their parents, so each has its own font before
    // its parent's changes, and a parent's font spreads to no control that lays out text again.
    for (auto it = m_pending.rbegin(); it != m_pending.rend(); ++it) {
        if (it->first) it->first->setFont(it->second);
    }
    m_pending.clear();
    m_pending.shrink_to_fit();
}
