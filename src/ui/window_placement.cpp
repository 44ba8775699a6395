#include "window_placement.h"

#include <xcb/xcb.h>

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QHash>
#include <QScreen>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <cstring>

namespace {

// The desktop's frame around a window: asked of the X11 window manager before the window is first
// mapped, or learnt from the last window that was shown.
QMargins g_frameMargins;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

// Whether the window manager says it answers _NET_REQUEST_FRAME_EXTENTS (_NET_SUPPORTED).
bool AnswersFrameRequests(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t request) {
    const xcb_atom_t supported = Atom(connection, "_NET_SUPPORTED");
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, supported, XCB_ATOM_ATOM, 0, 4096),
        nullptr);
    bool found = false;
    if (reply && reply->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        for (int i = 0; i < count && !found; ++i) found = atoms[i] == request;
    }
    free(reply);
    return found;
}

// The frame the X11 window manager will put around the window (_NET_REQUEST_FRAME_EXTENTS, then
// _NET_FRAME_EXTENTS on the window), asked before the window is mapped. False without X11, or
// when the manager does not answer such requests, or not within a moment.
bool AskFrameExtents(QWidget* window, QMargins* margins) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return false;
    xcb_connection_t* connection = x11->connection();
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_atom_t request = Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(connection, "_NET_FRAME_EXTENTS");
    if (!screen || request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE ||
        !AnswersFrameRequests(connection, screen->root, request))
        return false;
    const auto id = xcb_window_t(window->winId());

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, screen->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 200) {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, id, extents, XCB_ATOM_CARDINAL, 0, 4),
            nullptr);
        const bool found =
            reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16;
        if (found) {
            const auto* value = static_cast<const uint32_t*>(xcb_get_property_value(reply));
            *margins = QMargins(int(value[0]), int(value[2]), int(value[1]), int(value[3]));
        }
        free(reply);
        if (found) return true;
        QThread::msleep(2);
    }
    return false;
}

void PlaceInCentre(QWidget* window, QMargins frame) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    // The client area, not the frame: the frame Qt assumes for a window hidden again is not the
    // one it will get, and a move() by the frame's corner would land a title bar's height off.
    window->setGeometry(CentredClientArea(window->size(), frame, screen->availableGeometry()));
}

// A window manager that was not asked, or did not answer, is seen at the window's first exposure:
// if its frame differs from the one assumed, the window is centred again then.
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
            PlaceInCentre(m_window, margins);
        }
        return false;
    }

  private:
    QWidget* m_window;
};

}  // namespace

QRect CentredClientArea(QSize client, QMargins frame, QRect available) {
    QRect outer(QPoint(), client.grownBy(frame));
    outer.moveCenter(available.center());
    if (outer.width() > available.width()) outer.moveLeft(available.left());
    if (outer.height() > available.height()) outer.moveTop(available.top());
    return outer.marginsRemoved(frame);
}

void CenterOnScreen(QWidget* window) {
    window->winId();  // the native window, to ask about and to watch for its first exposure
    QMargins asked;
    if (AskFrameExtents(window, &asked)) {
        g_frameMargins = asked;
        PlaceInCentre(window, asked);
        return;
    }
    PlaceInCentre(window, g_frameMargins);
    QWindow* handle = window->windowHandle();
    if (!handle) return;
    QObject* centring =
        window->findChild<QObject*>(FrameCentring::kName, Qt::FindDirectChildrenOnly);
    if (!centring) centring = new FrameCentring(window);
    handle->removeEventFilter(centring);
    handle->installEventFilter(centring);
}
