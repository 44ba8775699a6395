// The yardstick for start-up: the least a Qt Widgets program can do before its first paint, one
// empty dialog. The start-up benchmark compares balance4 with it.
#include <QApplication>
#include <QDialog>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.show();
    return QApplication::exec();
}
