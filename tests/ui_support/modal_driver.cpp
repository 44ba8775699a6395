#include "modal_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>

#include "NSOUnit.h"
#include "UnitAbout.h"
#include "modal_steps.h"

ModalDriver::ModalDriver(Handler handler) : m_handler(std::move(handler)) {
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start(5);
}

void ModalDriver::Press(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window, 2000))
        qWarning("%s is not active", qPrintable(window->objectName()));
    PressKey(window, key, modifiers);
}

void ModalDriver::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || m_inHand.contains(modal)) return;
    m_inHand.insert(modal);
    QPointer<QWidget> guard(modal);
    QTimer::singleShot(0, this, [this, guard, modal] {
        if (guard && guard->isVisible()) handle(guard);
        m_inHand.remove(modal);
    });
}

void ModalDriver::handle(QWidget* modal) {
    if (m_handler && m_handler(modal)) return;
    if (auto* message = qobject_cast<TNSOForm*>(modal)) {
        Seen << "message: " + message->Label1->text();
        Press(message, Qt::Key_Escape);
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        Seen << "box: " + box->windowTitle() + " | " + box->text();
        box->button(QMessageBox::Ok)->click();
    } else if (auto* about = qobject_cast<TFormAbout*>(modal)) {
        Seen << "about";
        Press(about, Qt::Key_F10);
    } else {
        Seen << "unexpected: " + modal->objectName();
        modal->close();
    }
}
