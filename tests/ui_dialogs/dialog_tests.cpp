#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "NSOUnit.h"
#include "UnitAbout.h"
#include "fake_opener.h"
#include "modal_steps.h"

namespace {

const QString kOkText = "Нестандартное оборудование";
const QString kMissingManual = "Запрашиваемый документ не найден";
const QString kReadingMessage = "Неверно задан Vo1, пуск 1";

// The two windows wired to each other, as the program does.
struct Windows {
    Windows() {
        messages.setAboutWindow(&about);
        about.setMessageWindow(&messages);
    }
    FakeOpener opener;
    TNSOForm messages;
    TFormAbout about{&opener};
    ShowCounter messageShows{&messages};
    ShowCounter aboutShows{&about};
};

}  // namespace

class DialogTests : public QObject {
    Q_OBJECT
  private slots:
    void messageKeys_data();
    void messageKeys();
    void aboutKeys_data();
    void aboutKeys();
    void f1InMessageShowsAboutOverIt();
    void missingManualIsReportedOncePerAttempt();
    void secondMessageIsRefused();
    void secondAboutIsRefused();
    void panel2ResizeKeepsHelpButtonAtRight_data();
    void panel2ResizeKeepsHelpButtonAtRight();
    void windowsRender();
};

// key 0 stands for the window's close box.
void DialogTests::messageKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("textAfter");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    QTest::newRow("Esc closes, text kept")
        << int(Qt::Key_Escape) << none << true << kReadingMessage;
    QTest::newRow("Insert closes, text kept")
        << int(Qt::Key_Insert) << none << true << kReadingMessage;
    QTest::newRow("F10 closes, text kept") << int(Qt::Key_F10) << none << true << kReadingMessage;
    QTest::newRow("Shift+F10 closes")
        << int(Qt::Key_F10) << Qt::KeyboardModifiers(Qt::ShiftModifier) << true << kReadingMessage;
    QTest::newRow("Ctrl+Insert closes")
        << int(Qt::Key_Insert) << Qt::KeyboardModifiers(Qt::ControlModifier) << true
        << kReadingMessage;
    QTest::newRow("close box, text kept") << 0 << none << true << kReadingMessage;
    QTest::newRow("Enter presses OK, text reset") << int(Qt::Key_Return) << none << true << kOkText;
    QTest::newRow("keypad Enter presses OK") << int(Qt::Key_Enter) << none << true << kOkText;
    QTest::newRow("Space presses the focused OK") << int(Qt::Key_Space) << none << true << kOkText;
    QTest::newRow("F9 does nothing") << int(Qt::Key_F9) << none << false << kReadingMessage;
    QTest::newRow("a letter does nothing") << int(Qt::Key_A) << none << false << kReadingMessage;
}

void DialogTests::messageKeys() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, closes);
    QFETCH(QString, textAfter);

    Windows w;
    bool stillOpen = false;
    WhenModal(&w.messages, [&] {
        QCOMPARE(w.messages.focusWidget(), w.messages.Button1);
        if (key == 0)
            w.messages.close();
        else
            PressKey(&w.messages, key, modifiers);
        if (closes) return;
        QTimer::singleShot(0, &w.messages, [&] {
            stillOpen = QApplication::activeModalWidget() == &w.messages;
            PressKey(&w.messages, Qt::Key_Escape);
        });
    });
    w.messages.ShowMessage(kReadingMessage);

    QVERIFY(!w.messages.isVisible());
    QCOMPARE(stillOpen, !closes);
    QCOMPARE(w.messages.Label1->text(), textAfter);
    QCOMPARE(w.messageShows.count(), 1);
}

void DialogTests::aboutKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("manualRequests");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    QTest::newRow("F10 closes") << int(Qt::Key_F10) << none << true << 0;
    QTest::newRow("Shift+F10 closes") << int(Qt::Key_F10) << shift << true << 0;
    QTest::newRow("Enter presses the focused exit button")
        << int(Qt::Key_Return) << none << true << 0;
    QTest::newRow("Esc does not close") << int(Qt::Key_Escape) << none << false << 0;
    QTest::newRow("Insert does not close") << int(Qt::Key_Insert) << none << false << 0;
    QTest::newRow("F1 opens the manual") << int(Qt::Key_F1) << none << false << 1;
    QTest::newRow("Shift+F1 opens the manual") << int(Qt::Key_F1) << shift << false << 1;
    QTest::newRow("Space presses the focused exit button")
        << int(Qt::Key_Space) << none << true << 0;
    QTest::newRow("held F1 opens the manual once") << -int(Qt::Key_F1) << none << false << 1;
}

void DialogTests::aboutKeys() {
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, closes);
    QFETCH(int, manualRequests);

    Windows w;
    bool stillOpen = false;
    WhenModal(&w.about, [&] {
        QCOMPARE(w.about.focusWidget(), w.about.Button5);
        if (key < 0)
            HoldKey(&w.about, -key);  // a negative key is held down
        else
            PressKey(&w.about, key, modifiers);
        if (closes) return;
        QTimer::singleShot(0, &w.about, [&] {
            stillOpen = QApplication::activeModalWidget() == &w.about;
            PressKey(&w.about, Qt::Key_F10);
        });
    });
    w.about.ShowModal();

    QVERIFY(!w.about.isVisible());
    QCOMPARE(stillOpen, !closes);
    QCOMPARE(w.opener.requests.size(), manualRequests);
    if (manualRequests > 0) QCOMPARE(w.opener.requests.first(), QString("Ostrelin_manual.pdf"));
    QCOMPARE(w.messageShows.count(), 0);
}

void DialogTests::f1InMessageShowsAboutOverIt() {
    Windows w;
    bool messageOpenBeneath = false;
    WhenModal(&w.messages, [&] {
        WhenModal(&w.about, [&] {
            messageOpenBeneath = w.messages.isVisible();
            PressKey(&w.about, Qt::Key_F10);
            WhenModal(&w.messages, [&] { PressKey(&w.messages, Qt::Key_Return); });
        });
        PressKey(&w.messages, Qt::Key_F1);
    });
    w.messages.ShowMessage(kReadingMessage);

    QVERIFY(messageOpenBeneath);
    QCOMPARE(w.aboutShows.count(), 1);
    QCOMPARE(w.messages.Label1->text(), kOkText);
}

void DialogTests::missingManualIsReportedOncePerAttempt() {
    Windows w;
    w.opener.answer = false;
    QStringList shownTexts;
    // Two attempts, each answered by one message closed with OK; then the about window is closed.
    auto attempt = [&](std::function<void()> next) {
        WhenModal(&w.messages, [&, next] {
            shownTexts << w.messages.Label1->text();
            PressKey(&w.messages, Qt::Key_Return);
            WhenModal(&w.about, next);
        });
        PressKey(&w.about, Qt::Key_F1);
    };
    WhenModal(&w.about,
              [&] { attempt([&] { attempt([&] { PressKey(&w.about, Qt::Key_F10); }); }); });
    w.about.ShowModal();

    QCOMPARE(w.opener.requests.size(), 2);
    QCOMPARE(shownTexts, QStringList({kMissingManual, kMissingManual}));
    QCOMPARE(w.messageShows.count(), 2);
    QVERIFY(!w.about.isVisible());
}

// Message -> F1 -> about -> F1 with the manual missing asks for the message window again.
void DialogTests::secondMessageIsRefused() {
    Windows w;
    w.opener.answer = false;
    QWidget* modalAfterRefusal = nullptr;
    WhenModal(&w.messages, [&] {
        WhenModal(&w.about, [&] {
            PressKey(&w.about, Qt::Key_F1);
            QTimer::singleShot(0, &w.about, [&] {
                modalAfterRefusal = QApplication::activeModalWidget();
                PressKey(&w.about, Qt::Key_F10);
                WhenModal(&w.messages, [&] { PressKey(&w.messages, Qt::Key_Escape); });
            });
        });
        PressKey(&w.messages, Qt::Key_F1);
    });
    w.messages.ShowMessage(kReadingMessage);

    QCOMPARE(modalAfterRefusal, &w.about);
    QCOMPARE(w.messageShows.count(), 1);
    QCOMPARE(w.messages.Label1->text(), kMissingManual);
    QVERIFY(!w.messages.isVisible() && !w.about.isVisible());
}

// About -> F1 with the manual missing -> message -> F1 asks for the about window again.
void DialogTests::secondAboutIsRefused() {
    Windows w;
    w.opener.answer = false;
    QWidget* modalAfterRefusal = nullptr;
    WhenModal(&w.about, [&] {
        WhenModal(&w.messages, [&] {
            PressKey(&w.messages, Qt::Key_F1);
            QTimer::singleShot(0, &w.messages, [&] {
                modalAfterRefusal = QApplication::activeModalWidget();
                PressKey(&w.messages, Qt::Key_Escape);
                WhenModal(&w.about, [&] { PressKey(&w.about, Qt::Key_F10); });
            });
        });
        PressKey(&w.about, Qt::Key_F1);
    });
    w.about.ShowModal();

    QCOMPARE(modalAfterRefusal, &w.messages);
    QCOMPARE(w.aboutShows.count(), 1);
    QCOMPARE(w.messageShows.count(), 1);
    QVERIFY(!w.messages.isVisible() && !w.about.isVisible());
}

void DialogTests::panel2ResizeKeepsHelpButtonAtRight_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("design width") << 584;
    QTest::newRow("wider") << 784;
    QTest::newRow("odd width") << 701;
    QTest::newRow("narrower") << 500;
}

void DialogTests::panel2ResizeKeepsHelpButtonAtRight() {
    QFETCH(int, width);
    Windows w;
    // The rule has run before the window is first seen.
    QCOMPARE(w.about.Button1->x(), 402);

    w.about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.about));
    w.about.resize(width, 444);
    QTRY_COMPARE(w.about.Panel2->width(), width);

    QCOMPARE(w.about.Button1->x(), width - 182);
    QCOMPARE(w.about.Button1->geometry().right() + 1, width - 16);
    QCOMPARE(w.about.Button5->x(), 11);
    for (QLabel* label : {w.about.Label1, w.about.Label2, w.about.Label3, w.about.Label4,
                          w.about.Label5, w.about.Label7})
        QCOMPARE(label->width(), width - 1);
    QCOMPARE(w.about.Label5->x(), -24);
    QCOMPARE(w.about.Image1->width(), width - 2);
    w.about.close();
}

namespace {

bool HasPixel(const QImage& image, const QRect& area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour) return true;
    return false;
}

void SaveIfAsked(const QImage& image, const QString& name) {
    const QString folder = qEnvironmentVariable("BALANCE4_SCREENSHOTS");
    if (!folder.isEmpty()) image.save(folder + "/" + name);
}

}  // namespace

void DialogTests::windowsRender() {
    Windows w;
    w.messages.Label1->setText(kReadingMessage);
    const QImage message = w.messages.grab().toImage();
    const QImage about = w.about.grab().toImage();
    SaveIfAsked(message, "message_window.png");
    SaveIfAsked(about, "about_window.png");

    QCOMPARE(message.size(), QSize(779, 146));
    QCOMPARE(about.size(), QSize(584, 444));
    QCOMPARE(message.pixel(2, 2), qRgb(192, 192, 192));
    // The error sign's red disc is in its frame.
    QVERIFY(HasPixel(message, w.messages.Image2->geometry(), qRgb(255, 0, 0)));
    // The banner is drawn over Label1's black text; the web address over the left picture.
    const QRect label1 = w.about.Label1->geometry().intersected(w.about.Image1->geometry());
    QVERIFY(!label1.isEmpty());
    QVERIFY(!HasPixel(about, label1, qRgb(0, 0, 0)));
    QVERIFY(HasPixel(about, w.about.Label6->geometry(), qRgb(0x80, 0, 0)));
}

int RunDialogTests(int argc, char** argv) {
    DialogTests tests;
    return QTest::qExec(&tests, argc, argv);
}

#include "dialog_tests.moc"
