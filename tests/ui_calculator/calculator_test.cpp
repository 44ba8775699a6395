// The calculator window driven by keys and clicks, as the user drives it.
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QTranslator>

#include "keys.h"
#include "modal_driver.h"
#include "program_windows.h"
#include "qt_translations.h"
#include "window_fonts.h"

using balance4::kReadingFields;
using balance4::ReadingKind;

namespace {

const QStringList kCommaResults = {"33,63",  "87,30",  "123,26", "20,38",
                                   "282,20", "226,05", "70,85",  "115,48"};
const QStringList kPointResults = {"33.63",  "87.30",  "123.26", "20.38",
                                   "282.20", "226.05", "70.85",  "115.48"};
const QStringList kNoResults(8, "н.д.");

QStringList TypeEveryField(const std::function<QString(const balance4::ReadingField&)>& text) {
    QStringList steps;
    for (const auto& field : kReadingFields) {
        steps << "type " + QString::fromUtf8(field.Name.data(), field.Name.size()) + " " +
                     text(field);
    }
    return steps;
}

QString Default(const balance4::ReadingField& field) {
    return QString::fromUtf8(field.DefaultText.data(), field.DefaultText.size());
}

// The 40 messages of a press on fields that all fail to convert, in visiting order.
QStringList AllUnreadableMessages() {
    QStringList messages;
    for (int plane = 1; plane <= 4; ++plane) {
        for (int run = 1; run <= 5; ++run) {
            messages << QString("message: Неверно задан Vo%1, пуск %2").arg(plane).arg(run)
                     << QString("message: Неверно задан Fo%1, пуск %2").arg(plane).arg(run);
        }
    }
    return messages;
}

// A dark desktop scheme: light text on dark grounds.
QPalette DarkScheme() {
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 238));
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Text, QColor(238, 238, 238));
    dark.setColor(QPalette::ButtonText, QColor(238, 238, 238));
    return dark;
}

// The commonest colour of the area (its background) is bright, and some pixels are dark (text).
bool DarkTextOnLight(const QImage& image, const QRect& area) {
    QHash<QRgb, int> counts;
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            ++counts[pixel];
            darkest = std::min(darkest, QColor(pixel).value());
        }
    }
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > counts.value(background)) background = it.key();
    }
    return QColor(background).value() > 200 && darkest < 80;
}

}  // namespace

class CalculatorTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramWindows> m_windows;
    TForm1* m_form = nullptr;

    QLineEdit* field(const QString& name) { return m_form->findChild<QLineEdit*>(name); }
    QStringList resultTexts() {
        QStringList texts;
        for (QLabel* label : m_form->ResultLabels) texts << label->text();
        return texts;
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        PressKey(m_form, key, modifiers);
    }
    void showCalculator() {
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
    }

  private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void init() {
        UseLocale("C");
        m_windows = std::make_unique<ProgramWindows>();
        m_form = m_windows->Form1.get();
    }
    void cleanup() {
        m_windows.reset();
        UseLocale("C");
    }

    void opensWithExampleAndFocusOnCalculate() {
        showCalculator();
        QCOMPARE(m_form->focusWidget(), m_form->Button1);
        QCOMPARE(field("EditV10")->text(), "7,2");
        QCOMPARE(field("Editv34")->text(), "19,5");
        QCOMPARE(resultTexts(), kNoResults);
        for (int plane = 1; plane <= 4; ++plane) {
            QCOMPARE(m_form->Calculator().Measurements().TrialMass[plane], 100.0);
        }
    }

    // The window is built at start but its fonts are given on its first showing: shown, every
    // kind of control has its own.
    void fontsOnFirstShowing_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        QTest::newRow("window") << "Form1" << 11 << false;
        QTest::newRow("run group") << "GroupBox3" << 13 << false;
        QTest::newRow("result group") << "GroupBox4" << 13 << true;
        QTest::newRow("field") << "EditF44" << 19 << true;
        QTest::newRow("result label") << "LabelM1" << 19 << false;
        QTest::newRow("button") << "Button2" << 19 << true;
    }
    void fontsOnFirstShowing() {
        QFETCH(QString, control);
        showCalculator();
        QWidget* widget =
            control == m_form->objectName() ? m_form : m_form->findChild<QWidget*>(control);
        QVERIFY(widget);
        QTEST(widget->font().pixelSize(), "pixelSize");
        QTEST(widget->font().bold(), "bold");
        QCOMPARE(widget->fontInfo().family(), WindowFont(11).family());
    }

    // Steps: a key name (keys.h), "click Button1", "type <field> <text>"; and, for the modal
    // windows the steps open, in the order they come to the top, "<window>: <action>"
    // (ModalDriver).
    void press_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("results");
        QTest::addColumn<QStringList>("seen");

        QTest::newRow("example at once, comma locale")
            << "ru_RU" << QStringList{"F9"} << kCommaResults << QStringList{};
        QTest::newRow("Shift+F9 calculates too")
            << "ru_RU" << QStringList{"Shift+F9"} << kCommaResults << QStringList{};
        QTest::newRow("the button calculates")
            << "ru_RU" << QStringList{"click Button1"} << kCommaResults << QStringList{};
        QTest::newRow("Space presses the focused calculate button")
            << "ru_RU" << QStringList{"Space"} << kCommaResults << QStringList{};
        QTest::newRow("example typed with points, point locale")
            << "C"
            << TypeEveryField([](const auto& f) { return Default(f).replace(',', '.'); }) +
                   QStringList{"F9"}
            << kPointResults << QStringList{};
        QTest::newRow("comma texts refused under a point locale")
            << "C" << QStringList{"F9"} << kNoResults
            << QStringList{
                   "message: Неверно задан Vo1, пуск 1", "message: Неверно задан Vo1, пуск 2",
                   "message: Неверно задан Vo1, пуск 4", "message: Неверно задан Vo1, пуск 5",
                   "message: Неверно задан Vo2, пуск 1", "message: Неверно задан Vo2, пуск 2",
                   "message: Неверно задан Vo2, пуск 4", "message: Неверно задан Vo2, пуск 5",
                   "message: Неверно задан Vo3, пуск 1", "message: Неверно задан Vo3, пуск 2",
                   "message: Неверно задан Vo3, пуск 3", "message: Неверно задан Vo3, пуск 4",
                   "message: Неверно задан Vo3, пуск 5", "message: Неверно задан Vo4, пуск 1",
                   "message: Неверно задан Vo4, пуск 2", "message: Неверно задан Vo4, пуск 3",
                   "message: Неверно задан Vo4, пуск 4", "message: Неверно задан Vo4, пуск 5"};
        QTest::newRow("F8 clears, then F9 gives the 40 messages and no result")
            << "ru_RU" << QStringList{"F8", "F9"} << kNoResults << AllUnreadableMessages();
        QTest::newRow("F8 after results clears the labels too")
            << "ru_RU" << QStringList{"F9", "Shift+F8"} << kNoResults << QStringList{};
        QTest::newRow("refused press leaves the results")
            << "ru_RU" << QStringList{"F9", "type EditV21 -3", "type EditF44 x", "F9"}
            << kCommaResults
            << QStringList{"message: Неверно задан Vo2, пуск 2 !!!",
                           "message: Неверно задан Fo4, пуск 5"};
        QTest::newRow("entered and left empty is unreadable")
            << "ru_RU" << QStringList{"type EditF32 ", "F9"} << kNoResults
            << QStringList{"message: Неверно задан Fo3, пуск 3"};
        QTest::newRow("weight-in-plane-1 run typed as the run without weight")
            << "ru_RU"
            << QStringList{"F9",
                           "type EditV11 7,2",
                           "type EditF11 238",
                           "type EditV21 13,5",
                           "type EditF21 269",
                           "type EditV31 3,5",
                           "type EditF31 128",
                           "type Editv41 2,5",
                           "type EditF41 12",
                           "F9"}
            << kCommaResults << QStringList{"message: Некорректная масса пробных грузов"};
        // Singular only in exact arithmetic: the determinant comes out as rounding noise.
        QTest::newRow("weight-in-plane-2 run typed as the weight-in-plane-1 run")
            << "ru_RU"
            << QStringList{"F9",
                           "type EditV12 4,9",
                           "type EditF12 79",
                           "type EditV22 9,2",
                           "type EditF22 347",
                           "type EditV32 2,7",
                           "type EditF32 251",
                           "type Editv42 12,7",
                           "type EditF42 32",
                           "F9"}
            << kCommaResults << QStringList{"message: Некорректная масса пробных грузов"};
        QTest::newRow("planes 1 and 2 respond alike: two equal rows")
            << "ru_RU"
            << TypeEveryField([](const auto& f) {
                   const bool raised = (f.Plane <= 2 && (f.Run == 1 || f.Run == 2)) ||
                                       (f.Plane >= 3 && f.Run == f.Plane);
                   return f.Kind == ReadingKind::Phase ? QString("0") : QString(raised ? "2" : "1");
               }) + QStringList{"F9"}
            << kNoResults << QStringList{"message: Некорректная масса пробных грузов"};
        QTest::newRow("overflow ends the action in an error box")
            << "ru_RU"
            << TypeEveryField([](const auto& f) {
                   return f.Kind == ReadingKind::Amplitude ? QString("1e300") : Default(f);
               }) + QStringList{"F9"}
            << kNoResults << QStringList{"box: balance4 | Floating point overflow."};
        QTest::newRow("Enter in a field does not calculate")
            << "ru_RU" << QStringList{"type EditV10 7,2", "Enter"} << kNoResults << QStringList{};
        // A held key acts once, where it was pressed: Enter held on a message closes that one
        // message, and its repeats never press the calculator's focused button.
        const QStringList oneMessage{"message: Неверно задан Fo4, пуск 3"};
        // A failure to open the manual that comes late waits for a pause in the typing.
        QTest::newRow("late manual failure takes no typed key")
            << "ru_RU" << QStringList{"manual fails late",       "F1",    "about: F1", "about: F10",
                                      "type slowly EditV10 7,2", "pause", "F9"}
            << kCommaResults
            << QStringList{"about", "about", "message: Запрашиваемый документ не найден"};
        // A modal window cannot be lost.
        QTest::newRow("a click on the calculator brings the message back")
            << "ru_RU"
            << QStringList{"type EditF42 x", "message: activate below", "message: state?",
                           "message: Esc", "F9"}
            << kNoResults << oneMessage + QStringList{"shown, active"} + oneMessage;
        QTest::newRow("F10 held on a message closes only the message")
            << "ru_RU" << QStringList{"type EditF42 x", "message: hold F10", "F9"} << kNoResults
            << oneMessage;
        QTest::newRow("Enter held on a message does not press exit")
            << "ru_RU" << QStringList{"type EditF42 x", "Tab", "Tab", "message: hold Enter", "F9"}
            << kNoResults << oneMessage;
        QTest::newRow("Enter held on a message does not press clear")
            << "ru_RU" << QStringList{"F9", "type EditF42 x", "Tab", "message: hold Enter", "F9"}
            << kCommaResults << oneMessage;
        QTest::newRow("Enter held on a message does not calculate again")
            << "ru_RU" << QStringList{"type EditV10 x", "Shift+Tab", "message: hold Enter", "F9"}
            << kNoResults << QStringList{"message: Неверно задан Vo1, пуск 1"};
        QTest::newRow("X11 repeats of a held Enter do not press exit")
            << "ru_RU"
            << QStringList{"type EditF42 x", "Tab", "Tab", "message: x11 hold Enter", "F9"}
            << kNoResults << oneMessage;
        QTest::newRow("X11 repeats of a held Space do not press clear")
            << "ru_RU"
            << QStringList{"F9", "type EditF42 x", "Tab", "message: x11 hold Space", "F9"}
            << kCommaResults << oneMessage;
    }
    void press() {
        QFETCH(QString, locale);
        QFETCH(QStringList, steps);
        UseLocale(locale);
        showCalculator();
        ModalDriver driver(steps.filter(QRegularExpression("^\\w+: ")));
        driver.Below = m_form;
        for (const QString& step : steps) {
            if (step.contains(": ")) continue;  // the driver's
            if (step == "manual fails late") {
                m_windows->Manual.answerAfter = 150;
            } else if (step == "pause") {
                QTest::qWait(1500);
            } else if (step.startsWith("type slowly ")) {
                QTest::mouseClick(field(step.section(' ', 2, 2)), Qt::LeftButton);
                TypeSlowly(m_form, step.section(' ', 3));
                QVERIFY(WaitForHeldKeys());
            } else if (step == "click Button1")
                QTest::mouseClick(m_form->Button1, Qt::LeftButton);
            else if (step.startsWith("type ")) {
                const QString name = step.section(' ', 1, 1);
                QLineEdit* edit = field(name);
                QVERIFY2(edit, qPrintable(name));
                QTest::mouseClick(edit, Qt::LeftButton);
                QCOMPARE(edit->text(), QString());  // entering a field empties it
                QTest::keyClicks(edit, step.section(' ', 2));
            } else {
                PressKey(m_form, step);
            }
        }
        QVERIFY(WaitForHeldKeys());
        QTEST(resultTexts(), "results");
        QTEST(driver.Seen, "seen");
        QVERIFY(m_form->isVisible());
    }

    void typedTextSurvivesTheMessage() {
        UseLocale("ru_RU");
        showCalculator();
        ModalDriver driver;
        QLineEdit* edit = field("EditV21");
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, "-3");
        key(Qt::Key_F9);  // the focus stays in the field, so its text is read as typed
        QCOMPARE(driver.Seen, QStringList{"message: Неверно задан Vo2, пуск 2 !!!"});
        QCOMPARE(m_form->Calculator().Measurements().Amplitude[1][2], -3.0);
        QTRY_VERIFY(m_form->isActiveWindow());
        QCOMPARE(m_form->focusWidget(), edit);
        QCOMPARE(edit->text(), "-3");
        key(Qt::Key_F1);  // the about window and back: still not entered anew
        QTRY_VERIFY(m_form->isActiveWindow());
        QCOMPARE(edit->text(), "-3");
        QCOMPARE(driver.Seen.last(), "about");
    }

    // Qt's own texts follow the user's language: the fields' context menu is Russian.
    void contextMenuInRussian() {
        QTranslator* translator = InstallQtTranslations(QLocale("ru_RU.UTF-8"));
        QVERIFY2(translator, "no qtbase_ru.qm in Qt's translations folder");
        const auto remove = qScopeGuard([translator] {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        });
        const std::unique_ptr<QMenu> menu(field("EditV10")->createStandardContextMenu());
        QStringList texts;
        for (const QAction* action : menu->actions()) {
            if (!action->isSeparator()) texts << action->text().remove('&').section('\t', 0, 0);
        }
        QCOMPARE(texts, (QStringList{"Отменить действие", "Повторить действие", "Вырезать",
                                     "Копировать", "Вставить", "Удалить", "Выделить всё"}));
    }

    // Under a dark colour scheme the fixed light backgrounds keep dark text: group captions,
    // reading captions, fields and results.
    void readableUnderDarkScheme() {
        const QPalette desktop = QApplication::palette();
        const auto restore = qScopeGuard([desktop] { QApplication::setPalette(desktop); });
        QApplication::setPalette(DarkScheme());
        m_windows = std::make_unique<ProgramWindows>();
        m_form = m_windows->Form1.get();
        showCalculator();
        const QImage image = m_form->grab().toImage();
        QVERIFY(QDir().mkpath("renderings"));
        image.save("renderings/Form1_dark.png");

        const auto area = [&](QWidget* widget, QRect rect) {
            return QRect(widget->mapTo(m_form, rect.topLeft()), rect.size());
        };
        QGroupBox* group = m_form->GroupBoxes[0];
        const std::pair<const char*, QRect> areas[] = {
            {"group caption", area(group, QRect(0, 0, group->width() / 3, 14))},
            {"reading caption", area(group, group->findChildren<QLabel*>()[4]->geometry())},
            {"field", area(field("EditV10"), field("EditV10")->rect())},
            {"result", area(m_form->ResultLabels[0], m_form->ResultLabels[0]->rect())},
        };
        for (const auto& [name, rect] : areas) {
            QVERIFY2(DarkTextOnLight(image, rect), name);
        }
    }

    // While a field has the focus no button is drawn as the default, since Enter there presses
    // none; a focused button is the default, and Enter presses it.
    void noDefaultButtonInFields() {
        UseLocale("ru_RU");
        showCalculator();
        const auto defaults = [this] {
            QStringList names;
            for (QPushButton* button : {m_form->Button1, m_form->Button2, m_form->Button3})
                if (button->isDefault()) names << button->objectName();
            return names;
        };
        QCOMPARE(defaults(), QStringList{"Button1"});
        QStringList seen;
        for (const char* name : {"EditV10", "EditF44"}) {
            QTest::mouseClick(field(name), Qt::LeftButton);
            seen << defaults().join(',');
        }
        key(Qt::Key_Tab);  // from the last field round to Button1, and back
        seen << defaults().join(',');
        key(Qt::Key_Backtab);
        seen << defaults().join(',');
        // With the focus on a button, a message comes over the window: none is drawn the default.
        QTest::keyClicks(field("EditF44"), "x");
        key(Qt::Key_Tab);
        QCOMPARE(seen, QStringList({"", "", "Button1", ""}));
        QStringList underMessages;
        ModalDriver driver([&](QWidget*) {
            underMessages << defaults().join(',');
            return false;
        });
        key(Qt::Key_F9);  // two messages: EditV10 and EditF44 were entered and left unreadable
        QCOMPARE(underMessages, QStringList({"", ""}));
    }

    // Tab walks the focus order and empties each field it enters; Shift+Tab walks it back.
    void tabOrder_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Tab") << int(Qt::Key_Tab);
        QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab);
    }
    void tabOrder() {
        QFETCH(int, key);
        showCalculator();
        QStringList expected =
            QString(
                "Button1 EditV10 EditV20 EditF10 EditF20 EditV30 EditF30 EditV40 EditF40 "
                "EditV11 EditV21 EditF11 EditF21 EditV31 EditF31 Editv41 EditF41 "
                "EditV12 EditV22 EditF12 EditF22 EditV32 EditF32 Editv42 EditF42 Button2 Button3 "
                "EditV13 EditV23 EditF13 EditF23 EditV33 EditF33 EditV43 EditF43 "
                "EditV14 EditV24 EditF14 EditF24 Editv34 EditF34 EditV44 EditF44")
                .split(' ');
        if (key == Qt::Key_Backtab) std::reverse(expected.begin() + 1, expected.end());
        expected << "Button1";  // and round again
        QStringList walked{m_form->focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            this->key(key);
            QWidget* focus = m_form->focusWidget();
            walked << focus->objectName();
            if (auto* edit = qobject_cast<QLineEdit*>(focus)) QCOMPARE(edit->text(), QString());
        }
        QCOMPARE(walked, expected);
    }

    void closing_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("F10 closes") << int(Qt::Key_F10) << int(Qt::NoModifier) << true;
        QTest::newRow("Ctrl+F10 closes") << int(Qt::Key_F10) << int(Qt::ControlModifier) << true;
        QTest::newRow("Esc does not close") << int(Qt::Key_Escape) << int(Qt::NoModifier) << false;
        QTest::newRow("Enter on the calculate button only calculates")
            << int(Qt::Key_Return) << int(Qt::NoModifier) << false;
    }
    void closing() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        UseLocale("ru_RU");
        showCalculator();
        this->key(key, Qt::KeyboardModifiers(modifiers));
        QTEST(!m_form->isVisible(), "closes");
    }

    void separatorFollowsLocaleChange() {
        QCOMPARE(m_form->DecimalSeparator(), ".");
        UseLocale("ru_RU");
        QCOMPARE(m_form->DecimalSeparator(), ",");
        UseLocale("de_DE");
        QCOMPARE(m_form->DecimalSeparator(), ",");
        UseLocale("en_US");
        QCOMPARE(m_form->DecimalSeparator(), ".");
    }
};

QTEST_MAIN(CalculatorTest)

#include "calculator_test.moc"
