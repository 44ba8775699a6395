#include "window_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

// The desktop's frame around a window, learnt from the first window that was shown; none before.
QMargins g_frameMargins;

// The top-left corner that centres the frame of a window with this client size on its screen.
void MoveFrameToCentre(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame(QPoint(), window->size().grownBy(g_frameMargins));
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());  // a top-level window's position is its frame's
}

// The frame is known only once the window is on the screen. If it differs from the one assumed,
// the window is centred again at its first exposure; later windows start with the frame learnt.
class FrameCentring : public QObject {
  public:
    explicit FrameCentring(QWidget* window) : QObject(window), m_window(window) {
        setObjectName(kName);
    }
    static constexpr const char* kName = "FrameCentring";

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* handle = static_cast<QWindow*>(watched);
        if (event->type() != QEvent::Expose || !handle->isExposed()) return false;
        handle->removeEventFilter(this);
        const QMargins margins = handle->frameMargins();
        if (margins != g_frameMargins) {
            g_frameMargins = margins;
            MoveFrameToCentre(m_window);
        }
        return false;
    }

  private:
    QWidget* m_window;
};

}  // namespace

void CenterOnScreen(QWidget* window) {
    MoveFrameToCentre(window);
    window->winId();  // the native window, to watch for its first exposure
    QWindow* handle = window->windowHandle();
    if (!handle) return;
    QObject* centring =
        window->findChild<QObject*>(FrameCentring::kName, Qt::FindDirectChildrenOnly);
    if (!centring) centring = new FrameCentring(window);
    handle->removeEventFilter(centring);
    handle->installEventFilter(centring);
}
