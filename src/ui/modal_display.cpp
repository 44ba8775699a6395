#include "modal_display.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QScopeGuard>
#include <QSet>

int ExecModal(QDialog* window) {
    // Closed but still in its modal loop, the window is not shown again either: the loop ends
    // when the event that closed it has been handled.
    static QSet<QDialog*> running;
    if (window->isVisible() || running.contains(window)) return -1;
    running.insert(window);
    const auto leave = qScopeGuard([window] { running.remove(window); });
    QPointer<QWidget> caller = QApplication::activeModalWidget();
    if (!caller) caller = QApplication::activeWindow();
    const int result = window->exec();
    // The window uncovered by a closing modal is not re-activated on every platform (offscreen
    // never does it); without this its focused control would get no keys.
    if (caller && caller->isVisible()) caller->activateWindow();
    return result;
}
