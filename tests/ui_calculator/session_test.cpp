// The calculator under hostile input and in a long session: pasted texts in the fields, random
// presses, and 100,000 presses of F9 with the memory measured before and after.
#include <unistd.h>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>
#include <fstream>

#include "keys.h"
#include "modal_driver.h"
#include "program_windows.h"
#include "window_fonts.h"

using balance4::kReadingFields;

namespace {

const QStringList kCommaResults = {"33,63",  "87,30",  "123,26", "20,38",
                                   "282,20", "226,05", "70,85",  "115,48"};

// The fields a hostile text is pasted into (the first, one in the middle, the last), and what each
// press then shows.
constexpr std::size_t kHostileFields[] = {0, 28, 39};
const QStringList kUnreadable = {"message: Неверно задан Vo1, пуск 1",
                                 "message: Неверно задан Vo3, пуск 5",
                                 "message: Неверно задан Fo4, пуск 5"};
const QStringList kNegative = {"message: Неверно задан Vo1, пуск 1 !!!",
                               "message: Неверно задан Vo3, пуск 5 !!!",
                               "message: Неверно задан Fo4, пуск 5 !!!"};

long ResidentKilobytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

class SessionTest : public QObject {
    Q_OBJECT
    std::unique_ptr<ProgramWindows> m_windows;
    TForm1* m_form = nullptr;
    std::unique_ptr<ModalDriver> m_messages;

    QStringList resultTexts() const {
        QStringList texts;
        for (QLabel* label : m_form->ResultLabels) texts << label->text();
        return texts;
    }
    void pressF9() { PressKey(m_form, Qt::Key_F9); }
    void setDefaults() {
        for (std::size_t i = 0; i < kReadingFields.size(); ++i)
            m_form->Fields[i]->setText(Utf8(kReadingFields[i].DefaultText));
    }

  private slots:
    void initTestCase() { InstallFontSubstitutions(); }
    void init() {
        UseLocale("ru_RU");
        m_windows = std::make_unique<ProgramWindows>();
        m_form = m_windows->Form1.get();
        m_messages = std::make_unique<ModalDriver>();
        m_messages->Quick = true;
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
    }
    void cleanup() {
        m_messages.reset();
        m_windows.reset();
        UseLocale("C");
    }

    void accessibleNames() {
        const std::pair<const char*, const char*> expected[] = {
            {"EditV10", "Vo1, пуск 1"}, {"EditF10", "Fo1, пуск 1"}, {"Editv41", "Vo4, пуск 2"},
            {"Editv34", "Vo3, пуск 5"}, {"EditF44", "Fo4, пуск 5"}, {"LabelM1", "М1, %"},
            {"LabelM4", "М4, %"},       {"LabelF3", "F3,град."}};
        for (const auto& [name, spoken] : expected) {
            QWidget* widget = m_form->findChild<QWidget*>(name);
            QVERIFY2(widget, name);
            QCOMPARE(widget->accessibleName(), QString(spoken));
        }
        for (QLineEdit* field : m_form->Fields) QVERIFY(!field->accessibleName().isEmpty());
    }

    // Texts pasted from elsewhere: each gets its field's message, the stored value stays, and the
    // results of the last good press stay on the labels.
    void hostileText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("messages");  // one press per field of kHostileFields
        const auto row = [](const char* name, const QString& text, bool negative = false) {
            QTest::newRow(name) << text << (negative ? kNegative : kUnreadable);
        };
        row("longest text", QString(32767, '7'));
        row("thousands of digits", QString(5000, '1'));
        row("inf", "inf");
        row("nan", "nan");
        row("hex", "0x10");
        row("full-width digits", QString::fromUtf8("１２"));
        row("NUL", QString(QChar(0)) + "5");
        row("control character",
            "7,\x01"
            "2");
        row("replacement character of invalid UTF-8", QString::fromUtf8("\xff"
                                                                        "7"));
        row("lone surrogate", QString(QChar(0xD800)) + "7");
        row("right-to-left mark", QString::fromUtf8("\u200f7,2"));
        row("1e499", "1e499");
        row("1e500", "1e500");
        row("1e-5000", "1e-5000");
        row("point under comma locale", "7.2");
        row("grouping blank", "1 000");
        row("no-break space grouping", QString::fromUtf8("1\u00a0000"));
        row("negative", "-1", true);
        row("negative denormal", "-1e-310", true);
    }
    void hostileText() {
        QFETCH(QString, text);
        QFETCH(QStringList, messages);
        pressF9();
        QCOMPARE(resultTexts(), kCommaResults);
        const balance4::MeasurementSet before = m_form->Calculator().Measurements();
        QStringList seen;
        for (std::size_t i : kHostileFields) {
            const balance4::ReadingField& field = kReadingFields[i];
            m_messages->Seen.clear();
            setDefaults();
            m_form->Fields[i]->setText(text);
            pressF9();
            seen << m_messages->Seen;
            QCOMPARE(resultTexts(), kCommaResults);
            if (messages == kUnreadable) {  // an unreadable text stores nothing
                const auto& set = m_form->Calculator().Measurements();
                const bool amplitude = field.Kind == balance4::ReadingKind::Amplitude;
                QCOMPARE(amplitude ? set.Amplitude[field.Run][field.Plane]
                                   : set.Phase[field.Run][field.Plane],
                         amplitude ? before.Amplitude[field.Run][field.Plane]
                                   : before.Phase[field.Run][field.Plane]);
            }
        }
        QCOMPARE(seen, messages);
    }

    // Random pieces of hostile and ordinary texts in random fields: a press either refuses with one
    // message per failing field and leaves the labels, or shows a full set of results.
    void randomPresses() {
        const QStringList pieces = {"7,2",
                                    "0",
                                    "-0",
                                    "-1",
                                    "1e300",
                                    "1e-310",
                                    ",",
                                    "",
                                    " ",
                                    "e",
                                    "5,",
                                    ",5",
                                    "12",
                                    "359,9",
                                    "1e400",
                                    "н.д.",
                                    "\t",
                                    "x",
                                    "9999999",
                                    QString::fromUtf8("\u200f"),
                                    QString(QChar(0)),
                                    "+",
                                    "1,2,3"};
        QRandomGenerator random(20261208);
        int presses = 0, refused = 0, calculated = 0;
        for (int round = 0; round < 400; ++round) {
            setDefaults();
            const int changes = random.bounded(1, 4);
            for (int c = 0; c < changes; ++c) {
                QString text;
                for (int k = random.bounded(1, 3); k > 0; --k)
                    text += pieces[random.bounded(pieces.size())];
                m_form->Fields[random.bounded(40)]->setText(text);
            }
            const QStringList labelsBefore = resultTexts();
            m_messages->Seen.clear();
            pressF9();
            ++presses;
            const QStringList labels = resultTexts();
            if (!m_messages->Seen.isEmpty()) {
                ++refused;
                QCOMPARE(labels, labelsBefore);
                QVERIFY(m_messages->Seen.size() <= 40);
            } else if (labels != labelsBefore || !labels.contains("н.д.")) {
                ++calculated;
                for (const QString& label : labels) QVERIFY(!label.isEmpty() && label != "н.д.");
            }
            QVERIFY(m_form->isVisible());
        }
        qInfo("random presses: %d, refused %d, calculated %d", presses, refused, calculated);
        QVERIFY(refused > 0 && calculated > 0);
    }

    // A long session: accepted, refused and singular readings in turn, each press through the
    // real key handler and, where it fails, the real modal message window.
    void longSessionKeepsItsMemory() {
        // 20,000 in every test run; BALANCE4_SESSION_PRESSES=100000 for the longer soak.
        const int presses = qEnvironmentVariableIntValue("BALANCE4_SESSION_PRESSES") > 0
                                ? qEnvironmentVariableIntValue("BALANCE4_SESSION_PRESSES")
                                : 20000;
        const auto pressKind = [&](int i) {
            setDefaults();
            if (i % 3 == 1) m_form->Fields[12]->setText("-3");  // refused: a negative amplitude
            if (i % 3 == 2) {                                   // singular: run 2 repeats run 1
                for (int plane = 0; plane < 4; ++plane) {
                    m_form->Fields[plane * 10 + 2]->setText(m_form->Fields[plane * 10]->text());
                    m_form->Fields[plane * 10 + 3]->setText(m_form->Fields[plane * 10 + 1]->text());
                }
            }
            pressF9();
        };
        for (int i = 0; i < 3000; ++i) pressKind(i);  // warm-up: caches, fonts, allocator pools
        m_messages->KeepSeen = false;
        m_messages->Count = 0;
        const long before = ResidentKilobytes();
        for (int i = 0; i < presses; ++i) pressKind(i);
        const long after = ResidentKilobytes();
        qInfo("long session: %d presses, resident %ld KiB before, %ld KiB after", presses, before,
              after);
        QCOMPARE(m_messages->Count, presses / 3 * 2 + (presses % 3 == 2 ? 1 : 0));
        QCOMPARE(resultTexts(), kCommaResults);
        QVERIFY2(after - before < 2048, "the resident size grew by 2 MiB or more");
    }
};

QTEST_MAIN(SessionTest)

#include "session_test.moc"
