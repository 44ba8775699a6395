// The yardstick for start-up: the least a Qt Widgets program can do before its first paint, one
// empty dialog. With the argument "text" the dialog also shows one line of text in the windows'
// face, which is what any window with text pays on top: the font configuration, one font, shaping.
#include <QApplication>
#include <QDialog>
#include <QFont>
#include <QLabel>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QDialog dialog;
    if (argc > 1 && std::strcmp(argv[1], "text") == 0) {
        auto* label = new QLabel("Балансировочный калькулятор", &dialog);
        QFont font("Liberation Sans");
        font.setPixelSize(32);
        font.setBold(true);
        label->setFont(font);
        label->setGeometry(0, 0, 582, 37);
    }
    dialog.show();
    return QApplication::exec();
}
