#include "modal_display.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

int ExecModal(QDialog* window) {
    if (window->isVisible()) return -1;
    QPointer<QWidget> caller = QApplication::activeModalWidget();
    if (!caller) caller = QApplication::activeWindow();
    const int result = window->exec();
    // The window uncovered by a closing modal is not re-activated on every platform (offscreen
    // never does it); without this its focused control would get no keys.
    if (caller && caller->isVisible()) caller->activateWindow();
    return result;
}
