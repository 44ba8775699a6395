// The program entry: creates the four windows hidden and runs the event loop. The splash window,
// created first, is the main window; the program ends when it closes, which it does only after
// the calculator has been shown and closed.
//
// The window classes carry their forms' names, not this code's style: TForm0 (file Unit0) is the
// splash window, TForm1 (Unit1) the calculator, TFormAbout (UnitAbout) the about window and
// TNSOForm (NSOUnit) the message window; their controls (Button1, Label7, EditV10) and handlers
// (FormKeyDown, Button1Click) are named the same way.
#include <QApplication>
#include <QLocale>

#include "NSOUnit.h"
#include "Unit0.h"
#include "Unit1.h"
#include "UnitAbout.h"
#include "manual_opener.h"
#include "qt_translations.h"
#include "window_fonts.h"

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
