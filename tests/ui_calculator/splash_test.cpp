// The splash window and the way every run of the program passes through the calculator.
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "keys.h"
#include "modal_driver.h"
#include "program_windows.h"
#include "window_fonts.h"

class SplashTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramWindows> m_windows;
    TForm0* m_splash = nullptr;

    void showSplash() {
        m_splash->show();
        m_splash->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_splash));
    }

  private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void init() {
        UseLocale("ru_RU");
        m_windows = std::make_unique<ProgramWindows>();
        m_splash = m_windows->Form0.get();
    }
    void cleanup() {
        m_windows.reset();
        UseLocale("C");
    }

    void closingGoesThroughTheCalculator_data() {
        QTest::addColumn<QString>("path");
        for (const char* path : {"F9", "Shift+F9", "Enter", "Space", "F10", "Button5", "close box",
                                 "held Enter", "held Space as X11 repeats it", "held F9"}) {
            QTest::newRow(path) << path;
        }
    }
    void closingGoesThroughTheCalculator() {
        QFETCH(QString, path);
        showSplash();
        QCOMPARE(m_splash->focusWidget(), m_splash->Button5);
        TForm1* calculator = m_windows->Form1.get();
        ModalDriver driver([&](QWidget* modal) {
            if (modal != calculator) return false;
            // Nothing calculated yet: a held key's repeats did not run on into the calculator.
            driver.Seen << QString("calculator, splash %1, results %2")
                               .arg(m_splash->isVisible() ? "shown" : "hidden",
                                    calculator->ResultLabels[0]->text());
            m_splash->close();  // a second request while the calculator is shown is ignored
            driver.Seen << QString("after second request: %1")
                               .arg(calculator->isVisible() && m_splash->isVisible() ? "both shown"
                                                                                     : "closed");
            PressKey(calculator, Qt::Key_F9);
            driver.Seen << "result " + calculator->ResultLabels[0]->text();
            PressKey(calculator, Qt::Key_F10);
            return true;
        });
        if (path.startsWith("held"))
            HoldKey(m_splash, ParseKey(path.section(' ', 1, 1)).Key, nullptr,
                    path.endsWith("X11 repeats it") ? Repeats::X11Pairs : Repeats::Marked);
        else if (path == "F9")
            PressKey(m_splash, Qt::Key_F9);
        else if (path == "Shift+F9")
            PressKey(m_splash, Qt::Key_F9, Qt::ShiftModifier);
        else if (path == "Enter")
            PressKey(m_splash, Qt::Key_Return);
        else if (path == "Space")
            PressKey(m_splash, Qt::Key_Space);
        else if (path == "F10")
            PressKey(m_splash, Qt::Key_F10);
        else if (path == "Button5")
            QTest::mouseClick(m_splash->Button5, Qt::LeftButton);
        else
            m_splash->windowHandle()->close();

        QVERIFY(WaitForHeldKeys());
        QCOMPARE(driver.Seen, (QStringList{"calculator", "calculator, splash shown, results н.д.",
                                           "after second request: both shown", "result 33,63"}));
        QVERIFY(!calculator->isVisible());
        QVERIFY(!m_splash->isVisible());  // the main window is closed: the program ends
    }

    // Behind the calculator the splash takes no input; it is minimised with the calculator, and
    // activating it brings the calculator back.
    void activatingTheSplashBringsTheCalculatorBack() {
        showSplash();
        TForm1* calculator = m_windows->Form1.get();
        bool minimisedTogether = false;
        bool back = false;
        ModalDriver driver([&](QWidget* modal) {
            if (modal != calculator) return false;
            calculator->showMinimized();
            minimisedTogether = m_splash->isMinimized();
            m_splash->showNormal();  // restored and activated from the taskbar
            m_splash->activateWindow();
            back = QTest::qWaitFor(
                [&] { return calculator->isActiveWindow() && !calculator->isMinimized(); }, 2000);
            PressKey(calculator, Qt::Key_F10);
            return true;
        });
        PressKey(m_splash, Qt::Key_F9);
        QVERIFY(minimisedTogether);
        QVERIFY(back);
        QVERIFY(!m_splash->isVisible());
    }

    // A modal window belongs to the window it was shown over: closed, it hands the focus back to
    // that one, never to the splash behind the calculator.
    void aboutBelongsToTheWindowItCameOver() {
        showSplash();
        TForm1* calculator = m_windows->Form1.get();
        ModalDriver driver({"about: owner?", "about: F10", "calculator: F1", "about: owner?",
                            "about: F10", "calculator: F10"});
        PressKey(m_splash, Qt::Key_F1);
        PressKey(m_splash, Qt::Key_F9);
        QCOMPARE(driver.Seen, (QStringList{"owner splash", "about", "calculator",
                                           "owner calculator", "about", "calculator"}));
        QVERIFY(!calculator->isVisible());
    }

    void otherKeysDoNotClose() {
        showSplash();
        ModalDriver driver;
        for (int key : {Qt::Key_Escape, Qt::Key_F8, Qt::Key_A}) {
            PressKey(m_splash, key);
        }
        PressKey(m_splash, Qt::Key_F1);  // the about window, closed with F10
        QCOMPARE(driver.Seen, QStringList{"about"});
        QVERIFY(m_splash->isVisible());
        QVERIFY(!m_windows->Form1->isVisible());
    }

    // The centred texts follow the width; the button is centred, a half pixel going to the even
    // side.
    void resizeKeepsCentred_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("buttonLeft");
        QTest::newRow("design width: 191.5 -> 192") << 592 << 192;
        QTest::newRow("even remainder") << 593 << 192;
        QTest::newRow("192.5 -> 192") << 594 << 192;
        QTest::newRow("193.5 -> 194") << 596 << 194;
        QTest::newRow("wide: 395.5 -> 396") << 1000 << 396;
        QTest::newRow("narrower than the button: -0.5 -> 0") << 208 << 0;
        QTest::newRow("-1.5 -> -2") << 206 << -2;
    }
    void resizeKeepsCentred() {
        QFETCH(int, width);
        const int fixedWidth = m_splash->Labels[9]->width();
        m_splash->resize(width, 503);
        showSplash();
        QCOMPARE(m_splash->Panel2->width(), width);
        QTEST(m_splash->Button5->x(), "buttonLeft");
        for (int number : {1, 2, 3, 4, 5, 7}) {
            const QLabel* label = m_splash->Labels[number - 1];
            QVERIFY2(qAbs(label->x() + label->width() / 2.0 - width / 2.0) <= 1,
                     qPrintable(label->objectName()));
        }
        QCOMPARE(m_splash->Labels[9]->width(), fixedWidth);  // Label10 keeps its width
        QCOMPARE(m_splash->Image1->width(), m_splash->Panel2->contentsRect().width());
    }

    // Renders both windows for a look, and checks that every fixed text fits its box.
    void rendering() {
        m_windows->Form1->show();
        showSplash();
        const QDir out(QDir::current().filePath("renderings"));
        QVERIFY(QDir().mkpath(out.path()));
        for (QWidget* window :
             {static_cast<QWidget*>(m_splash), static_cast<QWidget*>(m_windows->Form1.get())}) {
            const QImage image = window->grab().toImage();
            QVERIFY(!image.isNull());
            QVERIFY(image.save(out.filePath(window->objectName() + ".png")));
            for (QLabel* label : window->findChildren<QLabel*>()) {
                if (label->text().isEmpty() || !label->isVisible()) continue;
                const int textWidth = label->fontMetrics().horizontalAdvance(label->text());
                QVERIFY2(textWidth <= label->width(),
                         qPrintable(label->objectName() + " \"" + label->text() + "\""));
            }
        }
        for (QLabel* picture : {m_splash->Image1, m_splash->Image2, m_splash->Image3}) {
            QVERIFY2(!picture->pixmap().isNull(), qPrintable(picture->objectName()));
        }
    }
};

QTEST_MAIN(SplashTest)

#include "splash_test.moc"
