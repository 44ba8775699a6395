// The message and about windows driven by keys, as step tables: each row shows one window and
// names, in order, the key pressed in whichever modal window is on top.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "NSOUnit.h"
#include "UnitAbout.h"
#include "fake_opener.h"
#include "keys.h"
#include "modal_driver.h"
#include "window_fonts.h"
#include "window_placement.h"

namespace {

const QString kMessage = "Неверно задан Vo1, пуск 1";
const QString kShown = "message: Неверно задан Vo1, пуск 1";
const QString kMissing = "message: Запрашиваемый документ не найден";
const QString kOkText = "Нестандартное оборудование";

// The two windows wired to each other, as the program does, counting their showings.
class Windows : public QObject {
  public:
    explicit Windows(bool manualFound) : opener(manualFound) {
        messages.setAboutWindow(&about);
        about.setMessageWindow(&messages);
        messages.installEventFilter(this);
        about.installEventFilter(this);
    }
    FakeOpener opener;
    TNSOForm messages;
    TFormAbout about{&opener};
    QStringList shows;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            shows << ModalDriver::Name(static_cast<QWidget*>(watched));
        return false;
    }
};

// Every text of the window's labels fits its box.
QStringList ClippedTexts(QWidget* window) {
    QStringList clipped;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().isEmpty()) continue;
        if (label->fontMetrics().horizontalAdvance(label->text()) > label->width())
            clipped << label->objectName();
    }
    return clipped;
}

}  // namespace

class DialogTests : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void steps_data();
    void steps();
    void aboutResizeKeepsItsLayout_data();
    void aboutResizeKeepsItsLayout();
    void shownCentredAndReadable();
    void placement_data();
    void placement();
};

void DialogTests::steps_data() {
    QTest::addColumn<QString>("first");  // the window shown: "message" or "about"
    QTest::addColumn<bool>("manualFound");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("seen");
    QTest::addColumn<QString>("messageText");  // the message window's text line at the end
    QTest::addColumn<int>("manualRequests");
    QTest::addColumn<QStringList>("shows");

    const auto row = [](const char* name, const char* first, bool found, QStringList steps,
                        QStringList seen, QString text, int requests, QStringList shows) {
        QTest::newRow(name) << first << found << steps << seen << text << requests << shows;
    };
    const QStringList message{"message"}, about{"about"};

    // The message window: Esc, Insert and F10 close it and keep the text, OK resets it.
    row("message: focus on OK", "message", true, {"message: focus?", "message: Esc"},
        {"focus Button1", kShown}, kMessage, 0, message);
    row("message: Esc closes, text kept", "message", true, {"message: Esc"}, {kShown}, kMessage, 0,
        message);
    row("message: Insert closes", "message", true, {"message: Insert"}, {kShown}, kMessage, 0,
        message);
    row("message: F10 closes", "message", true, {"message: F10"}, {kShown}, kMessage, 0, message);
    row("message: Shift+F10 closes", "message", true, {"message: Shift+F10"}, {kShown}, kMessage, 0,
        message);
    row("message: Ctrl+Insert closes", "message", true, {"message: Ctrl+Insert"}, {kShown},
        kMessage, 0, message);
    row("message: close box closes, text kept", "message", true, {"message: close box"}, {kShown},
        kMessage, 0, message);
    row("message: Enter presses OK, text reset", "message", true, {"message: Enter"}, {kShown},
        kOkText, 0, message);
    row("message: keypad Enter presses OK", "message", true, {"message: keypad Enter"}, {kShown},
        kOkText, 0, message);
    row("message: Space presses OK", "message", true, {"message: Space"}, {kShown}, kOkText, 0,
        message);
    row("message: F9 and a letter do nothing", "message", true,
        {"message: F9", "message: A", "message: Esc"}, {kShown, kShown, kShown}, kMessage, 0,
        message);
    row("message: minimised, it comes back", "message", true,
        {"message: minimise", "message: state?", "message: Esc"}, {kShown, "shown, active", kShown},
        kMessage, 0, {"message", "message"});
    row("about: minimised, it comes back", "about", true,
        {"about: minimise", "about: state?", "about: F10"}, {"about", "shown, active", "about"}, "",
        0, {"about", "about"});
    row("message: F1 shows the about window over it", "message", true,
        {"message: F1", "about: F10", "message: Enter"}, {kShown, "about", kShown}, kOkText, 0,
        {"message", "about"});

    // The about window: F10 and its exit button close it, F1 opens the manual.
    row("about: focus on the exit button", "about", true, {"about: focus?", "about: F10"},
        {"focus Button5", "about"}, "", 0, about);
    row("about: F10 closes", "about", true, {"about: F10"}, {"about"}, "", 0, about);
    row("about: Shift+F10 closes", "about", true, {"about: Shift+F10"}, {"about"}, "", 0, about);
    row("about: Enter presses the exit button", "about", true, {"about: Enter"}, {"about"}, "", 0,
        about);
    row("about: Space presses the exit button", "about", true, {"about: Space"}, {"about"}, "", 0,
        about);
    row("about: close box closes", "about", true, {"about: close box"}, {"about"}, "", 0, about);
    row("about: Esc and Insert do not close", "about", true,
        {"about: Esc", "about: Insert", "about: F10"}, {"about", "about", "about"}, "", 0, about);
    row("about: F1 opens the manual, no message", "about", true, {"about: F1", "about: F10"},
        {"about", "about"}, "", 1, about);
    row("about: Shift+F1 opens the manual", "about", true, {"about: Shift+F1", "about: F10"},
        {"about", "about"}, "", 1, about);
    row("about: held F1 opens the manual once", "about", true, {"about: hold F1", "about: F10"},
        {"about", "about"}, "", 1, about);
    row("about: Enter held on the help button opens the manual once", "about", true,
        {"about: Tab", "about: hold Enter", "about: F10"}, {"about", "about", "about"}, "", 1,
        about);
    row("about: X11 repeats of Space held on the help button open it once", "about", true,
        {"about: Tab", "about: x11 hold Space", "about: F10"}, {"about", "about", "about"}, "", 1,
        about);
    row("about: a missing manual is reported once per attempt", "about", false,
        {"about: F1", "message: Enter", "about: F1", "message: Enter", "about: F10"},
        {"about", kMissing, "about", kMissing, "about"}, kOkText, 2,
        {"about", "message", "message"});

    // A window already shown is not shown a second time; the open ones stay usable.
    row("message, about, missing manual: the message's text changes, no second message", "message",
        false, {"message: F1", "about: F1", "about: F10", "message: Esc"},
        {kShown, "about", "about", kMissing}, "Запрашиваемый документ не найден", 1,
        {"message", "about"});
    row("about, missing manual, message, F1: no second about window", "about", false,
        {"about: F1", "message: F1", "message: Esc", "about: F10"},
        {"about", kMissing, kMissing, "about"}, "Запрашиваемый документ не найден", 1,
        {"about", "message"});
}

void DialogTests::steps() {
    QFETCH(QString, first);
    QFETCH(bool, manualFound);
    QFETCH(QStringList, steps);

    Windows w(manualFound);
    w.messages.Label1->setText("Необходимо самостоятельно задать коэффициенты:");
    {
        ModalDriver driver(steps);
        if (first == "message")
            w.messages.ShowMessage(kMessage);
        else
            w.about.ShowModal();
        QVERIFY(WaitForHeldKeys());
        QTEST(driver.Seen, "seen");
    }
    QVERIFY(!w.messages.isVisible() && !w.about.isVisible());
    if (first == "message" || manualFound == false) QTEST(w.messages.Label1->text(), "messageText");
    QTEST(int(w.opener.requests.size()), "manualRequests");
    for (const QString& request : w.opener.requests) QCOMPARE(request, "Ostrelin_manual.pdf");
    QTEST(w.shows, "shows");
}

void DialogTests::aboutResizeKeepsItsLayout_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("as built") << 0;
    QTest::newRow("wider") << 784;
    QTest::newRow("odd width") << 701;
    QTest::newRow("narrower") << 500;
}

// Whatever the width: the help button keeps 16 pixels from the right edge and the exit button
// its place at the left, the centred texts stay centred (the year 24 pixels left of centre), and
// the banner spans the panel inside its bevel.
void DialogTests::aboutResizeKeepsItsLayout() {
    QFETCH(int, width);
    Windows w(true);
    TFormAbout& about = w.about;
    const int exitLeft = about.Button5->x();
    if (width > 0) {
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        about.resize(width, about.height());
        QTRY_COMPARE(about.Panel2->width(), width);
    }
    const int panel = about.Panel2->width();
    QCOMPARE(about.width() - about.Button1->geometry().right() - 1, 16);
    QCOMPARE(about.Button5->x(), exitLeft);
    const auto textCentre = [](QLabel* label) { return label->x() + label->width() / 2.0; };
    for (QLabel* label : {about.Label1, about.Label2, about.Label3, about.Label4, about.Label7})
        QVERIFY2(qAbs(textCentre(label) - panel / 2.0) <= 1, qPrintable(label->objectName()));
    QVERIFY(qAbs(textCentre(about.Label5) - (panel / 2.0 - 24)) <= 1);
    QCOMPARE(about.Image1->geometry(), about.Panel2->contentsRect().intersected(
                                           QRect(0, 0, panel, about.Image1->height() + 1)));
    about.close();
}

namespace {

bool HasPixel(const QImage& image, const QRect& area, QRgb colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == colour) return true;
    return false;
}

}  // namespace

// What a person sees: each window in the middle of the screen and inside it, every text whole,
// the error sign in its frame, the banner over the title that lies under it.
void DialogTests::shownCentredAndReadable() {
    Windows w(true);
    w.messages.Label1->setText("Неверно задан Vo1, пуск 1 !!!");
    for (QWidget* window : {static_cast<QWidget*>(&w.messages), static_cast<QWidget*>(&w.about)}) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QRect screen = window->screen()->availableGeometry();
        QVERIFY(screen.contains(window->frameGeometry()));
        QVERIFY(qAbs(window->frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(window->frameGeometry().center().y() - screen.center().y()) <= 1);
        QCOMPARE(ClippedTexts(window), QStringList());
        window->hide();
    }
    const QImage message = w.messages.grab().toImage();
    const QImage about = w.about.grab().toImage();
    QVERIFY(HasPixel(message, w.messages.Image2->geometry(), qRgb(255, 0, 0)));
    const QRect title = w.about.Label1->geometry().intersected(w.about.Image1->geometry());
    QVERIFY(!title.isEmpty());
    QVERIFY(!HasPixel(about, title, qRgb(0, 0, 0)));
    QVERIFY(HasPixel(about, w.about.Label6->geometry(), qRgb(0x80, 0, 0)));

    // The focused button's outline stands out on the blue panel: bright, not bluish.
    w.about.show();
    w.about.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.about));
    const QImage focused = w.about.grab().toImage();
    const QRect button(w.about.Button5->mapTo(&w.about, QPoint()), w.about.Button5->size());
    int outline = 0;
    for (int x = button.left(); x <= button.right(); ++x) {
        const QColor pixel = focused.pixelColor(x, button.top());
        if ((pixel.red() + pixel.green()) / 2 - pixel.blue() > 100) ++outline;
    }
    QVERIFY2(outline > button.width() / 2, qPrintable(QString::number(outline)));
}

// Where a window goes: its frame in the middle of the screen's available area, and, when the
// window is larger than that area, its title bar on the screen.
void DialogTests::placement_data() {
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QRect>("available");
    const QSize calculator(1016, 647), message(779, 146);
    QTest::newRow("message on 1280 x 1024") << message << QRect(0, 0, 1280, 1024);
    QTest::newRow("calculator on 1280 x 1024 with a panel at the top")
        << calculator << QRect(0, 30, 1280, 994);
    QTest::newRow("calculator at scale 1.5 on 1280 x 1024: wider than the screen")
        << calculator << QRect(0, 0, 853, 682);
    QTest::newRow("calculator at scale 2: taller than the screen")
        << calculator << QRect(0, 0, 640, 512);
    QTest::newRow("second screen, right of the first") << message << QRect(1280, 0, 640, 480);
}

void DialogTests::placement() {
    QFETCH(QSize, client);
    QFETCH(QRect, available);
    const QMargins frame(1, 20, 1, 1);  // a title bar and thin borders
    const QRect outer = CentredClientArea(client, frame, available).marginsAdded(frame);
    QCOMPARE(outer.size(), client.grownBy(frame));
    const QRect titleBar(outer.topLeft(), QSize(qMin(outer.width(), 100), frame.top()));
    QVERIFY2(available.contains(titleBar), "title bar off the screen");
    if (outer.width() <= available.width())
        QVERIFY(qAbs(outer.center().x() - available.center().x()) <= 1);
    if (outer.height() <= available.height())
        QVERIFY(qAbs(outer.center().y() - available.center().y()) <= 1);
}

QTEST_MAIN(DialogTests)

#include "dialog_tests.moc"
