#include <QApplication>
#include <QTest>
#include <memory>

#include "test_classes.h"
#include "window_fonts.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("balance4");
    InstallFontSubstitutions();
    int failures = 0;
    for (auto make : {NewCalculatorTest, NewSplashTest}) {
        std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
