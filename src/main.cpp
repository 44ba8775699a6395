// The program entry: creates the four windows hidden and runs the event loop. The splash window,
// created first, is the main window; the program ends when it closes, which it does only after
// the calculator has been shown and closed.
#include <QApplication>
#include <QLocale>

#include "NSOUnit.h"
#include "Unit0.h"
#include "Unit1.h"
#include "UnitAbout.h"
#include "manual_opener.h"
#include "window_support.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("balance4");
    InstallFontSubstitutions();
    InstallQtTranslations(QLocale());

    DesktopManualOpener manualOpener;
    TForm0 Form0;
    TForm1 Form1;
    TFormAbout FormAbout(&manualOpener);
    TNSOForm NSOForm;

    Form0.setCalculatorWindow(&Form1);
    Form0.setAboutWindow(&FormAbout);
    Form1.setAboutWindow(&FormAbout);
    Form1.setMessageWindow(&NSOForm);
    FormAbout.setMessageWindow(&NSOForm);
    NSOForm.setAboutWindow(&FormAbout);

    Form0.show();
    return QApplication::exec();
}
