#include "modal_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QWindow>

#include "NSOUnit.h"
#include "Unit0.h"
#include "Unit1.h"
#include "UnitAbout.h"
#include "keys.h"

ModalDriver::ModalDriver(QStringList script, Handler handler)
    : m_script(std::move(script)), m_handler(std::move(handler)) {
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start(5);
    qApp->installEventFilter(this);
}

ModalDriver::~ModalDriver() {
    qApp->removeEventFilter(this);
}

QString ModalDriver::Name(QWidget* modal) {
    if (qobject_cast<TNSOForm*>(modal)) return "message";
    if (qobject_cast<TFormAbout*>(modal)) return "about";
    if (qobject_cast<TForm1*>(modal)) return "calculator";
    if (qobject_cast<QMessageBox*>(modal)) return "box";
    if (qobject_cast<TForm0*>(modal)) return "splash";
    return modal->objectName();
}

bool ModalDriver::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (!widget->isWindow() || !widget->isModal()) return false;
    if (Quick) {
        record(widget);
        QMetaObject::invokeMethod(widget, &QWidget::close, Qt::QueuedConnection);
    } else {
        QMetaObject::invokeMethod(this, &ModalDriver::poll, Qt::QueuedConnection);
    }
    return false;
}

void ModalDriver::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    // A held key's repeats come first: the window they reach is what a step may look at.
    if (Quick || !modal || m_inHand.contains(modal) || HeldKeysPending()) return;
    m_inHand.insert(modal);
    QPointer<QWidget> guard(modal);
    QTimer::singleShot(0, this, [this, guard, modal] {
        if (guard && guard->isVisible()) handle(guard);
        m_inHand.remove(modal);
    });
}

void ModalDriver::record(QWidget* modal) {
    ++Count;
    if (!KeepSeen) return;
    if (auto* message = qobject_cast<TNSOForm*>(modal))
        Seen << "message: " + message->Label1->text();
    else if (auto* box = qobject_cast<QMessageBox*>(modal))
        Seen << "box: " + box->windowTitle() + " | " + box->text();
    else
        Seen << Name(modal);
}

void ModalDriver::handle(QWidget* modal) {
    if (!m_script.isEmpty()) {
        const QString step = m_script.takeFirst();
        const QString window = step.section(": ", 0, 0);
        const QString action = step.section(": ", 1);
        if (window != Name(modal)) {
            Seen << "expected " + window + ", got " + Name(modal);
            modal->close();
            return;
        }
        if (!action.endsWith('?')) record(modal);
        act(modal, action);
        return;
    }
    record(modal);
    if (m_handler && m_handler(modal)) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        box->button(QMessageBox::Ok)->click();
    else if (qobject_cast<TNSOForm*>(modal))
        PressKey(modal, Qt::Key_Escape);
    else if (qobject_cast<TFormAbout*>(modal))
        PressKey(modal, Qt::Key_F10);
    else
        modal->close();
}

void ModalDriver::act(QWidget* modal, const QString& action) {
    if (action == "minimise") {
        modal->showMinimized();
    } else if (action == "activate below") {
        Below->activateWindow();  // a click on the window the modal one blocks
    } else if (action == "state?") {
        Seen << QString(modal->isMinimized() ? "minimised" : "shown") +
                    (modal->isActiveWindow() ? ", active" : "");
    } else if (action == "owner?") {
        const QWindow* owner = modal->windowHandle()->transientParent();
        QWidget* ownerWidget = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (owner && widget->windowHandle() == owner) ownerWidget = widget;
        Seen << "owner " + (ownerWidget ? Name(ownerWidget) : QString("none"));
    } else if (action == "focus?") {
        QWidget* focus = modal->focusWidget();
        Seen << "focus " + (focus ? focus->objectName() : QString("none"));
    } else if (action == "close box") {
        modal->windowHandle()->close();
    } else if (action.startsWith("hold ")) {
        HoldKey(modal, ParseKey(action.mid(5)).Key, Below);
    } else if (action.startsWith("x11 hold ")) {
        HoldKey(modal, ParseKey(action.mid(9)).Key, Below, Repeats::X11Pairs);
    } else {
        PressKey(modal, action);
    }
}
