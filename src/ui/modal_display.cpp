#include "modal_display.h"

#include <xcb/xproto.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QScopeGuard>
#include <QSet>
#include <QTimer>
#include <QWindow>

namespace {

// Brings a window back to the front, un-minimised and active, with the modal window above it,
// if any, on top of it.
void BringToFront(QWidget* window) {
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window->raise();
    window->activateWindow();
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal != window) {
        modal->raise();
        modal->activateWindow();
    }
}

// While a modal window runs it cannot be lost: minimised (when its frame offers no minimising)
// it comes straight back, and activating a window it blocks (a click, the taskbar, Alt+Tab)
// brings it back to the front, un-minimised. A window whose frame does offer minimising takes
// the windows it blocks to the taskbar with it; activating one of those while it is minimised
// is the desktop's doing and leaves it there.
class KeepInFront : public QObject, public QAbstractNativeEventFilter {
  public:
    explicit KeepInFront(QDialog* window) : m_window(window) {
        qApp->installEventFilter(this);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~KeepInFront() override {
        QCoreApplication::instance()->removeNativeEventFilter(this);
        qApp->removeEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!watched->isWidgetType() || QApplication::activeModalWidget() != m_window) return false;
        auto* widget = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::WindowStateChange && widget == m_window &&
            m_window->isMinimized() && !(m_window->windowFlags() & Qt::WindowMinimizeButtonHint)) {
            QTimer::singleShot(0, this, [this] { bringBack(nullptr); });
        } else if (event->type() == QEvent::ActivationChange && widget->isWindow() &&
                   widget != m_window && widget->isActiveWindow() && isBlocked(widget)) {
            QPointer<QWidget> activated(widget);
            QTimer::singleShot(0, this, [this, activated] { bringBack(activated); });
        }
        return false;
    }

    // On X11 Qt hands the activation of a blocked window to the modal window, which does nothing
    // while that one is minimised, and tells the blocked window nothing: the focus change itself
    // is watched.
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || QApplication::activeModalWidget() != m_window)
            return false;
        const auto* generic = static_cast<const xcb_generic_event_t*>(message);
        if ((generic->response_type & ~0x80) != XCB_FOCUS_IN) return false;  // top bit: sent
        const auto* focus = static_cast<const xcb_focus_in_event_t*>(message);
        // The passing focus changes of a keyboard grab say nothing about activation.
        if (focus->mode == XCB_NOTIFY_MODE_GRAB || focus->mode == XCB_NOTIFY_MODE_UNGRAB)
            return false;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            const QWindow* handle = widget->windowHandle();
            if (widget == m_window || !handle || handle->winId() != focus->event ||
                !isBlocked(widget))
                continue;
            // Later, once the window states that came with this focus change are known: the
            // desktop also focuses the window below when the modal window is minimised.
            QPointer<QWidget> activated(widget);
            QTimer::singleShot(250, this, [this, activated] { bringBack(activated); });
        }
        return false;
    }

  private:
    // Under an application-modal window, every other window of the program is blocked.
    bool isBlocked(const QWidget* widget) const {
        const Qt::WindowType type = widget->windowType();
        return widget != m_window && widget->isVisible() && type != Qt::Popup &&
               type != Qt::ToolTip;
    }

    void bringBack(const QPointer<QWidget>& activated) {
        if (!m_window->isVisible() || QApplication::activeModalWidget() != m_window) return;
        if (activated && activated->isMinimized()) return;
        BringToFront(m_window);
    }

    QDialog* m_window;
};

}  // namespace

int ExecModal(QDialog* window) {
    // Closed but still in its modal loop, the window is not shown again either: the loop ends
    // when the event that closed it has been handled.
    static QSet<QDialog*> running;
    if (window->isVisible() || running.contains(window)) return -1;
    running.insert(window);
    const auto leave = qScopeGuard([window] { running.remove(window); });
    QPointer<QWidget> caller = QApplication::activeModalWidget();
    if (!caller) caller = QApplication::activeWindow();
    // The window belongs to the one it was shown over: the desktop keeps it above that one and
    // gives the focus back to that one when it closes, not to whichever window it first came over
    // (the splash, say, which would then come up over the calculator and take its keys).
    if (caller && caller != window) {
        window->winId();
        window->windowHandle()->setTransientParent(caller->window()->windowHandle());
    }
    int result = 0;
    {
        KeepInFront keeper(window);
        result = window->exec();
    }
    // The window uncovered by a closing modal is not re-activated on every platform (offscreen
    // never does it); without this its focused control would get no keys. A caller that another
    // modal window blocks by now is left alone: activating it would only raise it over that one.
    if (caller && caller->isVisible() &&
        (!QApplication::activeModalWidget() || QApplication::activeModalWidget() == caller))
        caller->activateWindow();
    return result;
}
