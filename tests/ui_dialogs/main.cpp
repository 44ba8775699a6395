#include <QApplication>
#include <QTest>

#include "window_fonts.h"

int RunDialogTests(int argc, char** argv);
int RunOpenerTests(int argc, char** argv);
int RunPictureTests(int argc, char** argv);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    int failures = 0;
    failures += RunDialogTests(argc, argv);
    failures += RunOpenerTests(argc, argv);
    failures += RunPictureTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
