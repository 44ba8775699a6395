#include "window_activation.h"

#include <xcb/xproto.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

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

namespace {

// Watches the X11 events for the window gaining the input focus.
class BlockedActivationFilter : public QObject, public QAbstractNativeEventFilter {
  public:
    BlockedActivationFilter(QWidget* window, std::function<void()> activated)
        : QObject(window), m_window(window), m_activated(std::move(activated)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~BlockedActivationFilter() override {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || !m_window->isVisible()) return false;
        const auto* generic = static_cast<const xcb_generic_event_t*>(message);
        if ((generic->response_type & ~0x80) != XCB_FOCUS_IN) return false;  // top bit: sent
        const auto* focus = static_cast<const xcb_focus_in_event_t*>(message);
        // The passing focus changes of a keyboard grab say nothing about activation.
        if (focus->mode == XCB_NOTIFY_MODE_GRAB || focus->mode == XCB_NOTIFY_MODE_UNGRAB)
            return false;
        QWindow* handle = m_window->windowHandle();
        if (!handle || focus->event != handle->winId() || !QApplication::activeModalWidget())
            return false;
        // Later, once the window states that came with this focus change are known: the desktop
        // also gives the focus to this window when the modal window above it is minimised.
        QTimer::singleShot(250, this, m_activated);
        return false;
    }

  private:
    QWidget* m_window;
    std::function<void()> m_activated;
};

}  // namespace

void OnBlockedActivation(QWidget* window, std::function<void()> activated) {
    new BlockedActivationFilter(window, std::move(activated));
}
