#include "window_activation.h"

#include <QApplication>
#include <QWidget>

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
