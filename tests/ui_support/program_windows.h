#pragma once
#include <QCoreApplication>
#include <QEvent>
#include <QLocale>
#include <memory>

#include "NSOUnit.h"
#include "Unit0.h"
#include "Unit1.h"
#include "UnitAbout.h"
#include "fake_opener.h"

// The four windows, created hidden and wired as the program entry does.
struct ProgramWindows {
    FakeOpener Manual{false};  // never found, so no test reaches the desktop's viewer
    std::unique_ptr<TForm0> Form0 = std::make_unique<TForm0>();
    std::unique_ptr<TForm1> Form1 = std::make_unique<TForm1>();
    std::unique_ptr<TFormAbout> FormAbout = std::make_unique<TFormAbout>(&Manual);
    std::unique_ptr<TNSOForm> NSOForm = std::make_unique<TNSOForm>();

    ProgramWindows() {
        Form0->setCalculatorWindow(Form1.get());
        Form0->setAboutWindow(FormAbout.get());
        Form1->setAboutWindow(FormAbout.get());
        Form1->setMessageWindow(NSOForm.get());
        FormAbout->setMessageWindow(NSOForm.get());
        NSOForm->setAboutWindow(FormAbout.get());
    }
};

// Pins the locale the windows read their decimal separator from, and tells them it changed.
inline void UseLocale(const QString& name) {
    QLocale::setDefault(QLocale(name));
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(qApp, &change);
}
