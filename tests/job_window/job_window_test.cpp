// The job window driven as a user drives it: keys and pastes in the readings table, results as
// soon as every reading is valid, files, the unsaved-changes question and the report.
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSpinBox>
#include <QSplitterHandle>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "job.h"
#include "job_calculator.h"
#include "job_file.h"
#include "job_window.h"
#include "manual_opener.h"
#include "modal_answer.h"
#include "number_texts.h"
#include "readings_table.h"
#include "recovery_file.h"
#include "results_view.h"
#include "trim_panel.h"

using balance4::job::Job;
Q_DECLARE_METATYPE(balance4::job::Job)

namespace {

class NoManual : public ManualOpener {
  public:
    void open(const QString&, Done done) override { done(false); }
};

class RecordingOpener : public ManualOpener {
  public:
    QStringList requests;
    void open(const QString& fileName, Done done) override {
        requests << fileName;
        done(false);
    }
};

// The built-in example with trial masses of 20 g.
Job ExampleIn20Grams() {
    Job job = balance4::job::ExampleJob();
    job.Unit = "г";
    for (auto& plane : job.Plane) plane.TrialMass = 20.0;
    return job;
}

// One plane, one point: a rotor with a single correction plane.
Job OnePlane() {
    Job job = balance4::job::MakeJob(1, 1);
    job.Unit = "г";
    job.Plane[0].TrialMass = 10.0;
    job.Plane[0].Holes = 12;
    job.Readings = {{{"4,5", "60"}}, {{"2,8", "158"}}};
    return job;
}

// Two planes with trial weights placed away from the zero mark.
Job TwoPlanesTrialAngles() {
    Job job = balance4::job::MakeJob(2, 2);
    job.Unit = "г";
    job.Plane[0] = {15.0, 30.0, 0.0, 0.0, 0, {}};
    job.Plane[1] = {12.0, 250.0, 0.0, 0.0, 0, {}};
    job.Readings = {{{"8,5", "40"}, {"6,1", "190"}},
                    {{"5,2", "95"}, {"6,8", "205"}},
                    {{"7,9", "60"}, {"3,9", "140"}}};
    return job;
}

// Two planes, three points: the least-squares path.
Job LeastSquares() {
    Job job = balance4::job::MakeJob(2, 3);
    job.Unit = "г";
    job.Plane[0].TrialMass = 20.0;
    job.Plane[1].TrialMass = 20.0;
    job.Readings = {{{"10,2", "35"}, {"7,5", "120"}, {"4,4", "300"}},
                    {{"6,3", "80"}, {"8,8", "150"}, {"4,1", "320"}},
                    {{"9,0", "20"}, {"5,2", "95"}, {"2,6", "250"}}};
    return job;
}

// The job's shape and set-up without its readings: what the user types comes from the table.
Job WithoutReadings(Job job) {
    for (auto& run : job.Readings) {
        for (auto& reading : run) reading = {};
    }
    return job;
}

void Press(const QString& key) {
    static const QHash<QString, Qt::Key> named = {
        {"F2", Qt::Key_F2},        {"F9", Qt::Key_F9},   {"Esc", Qt::Key_Escape},
        {"Enter", Qt::Key_Return}, {"Tab", Qt::Key_Tab}, {"End", Qt::Key_End},
        {"Del", Qt::Key_Delete}};
    if (named.contains(key)) {
        QTest::keyClick(QApplication::focusWidget(), named[key]);
        return;
    }
    for (const QChar c : key) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

// Enter in a cell editor commits through the event loop.
void PressAll(const QStringList& keys) {
    for (const QString& key : keys) Press(key);
    QCoreApplication::processEvents();
}

struct Window {
    NoManual manual;
    QTemporaryDir recovery;
    std::unique_ptr<JobWindow> window;

    Window() {
        window = std::make_unique<JobWindow>(&manual, recovery.path());
        window->calculator()->setAsynchronous(false);
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    ~Window() {
        if (window) window->setAttribute(Qt::WA_DeleteOnClose, false);
    }

    ReadingsTable* table() const { return window->readingsTable(); }

    // Types every reading of the job into the table as a user would: typing replaces the cell's
    // text, Tab goes on along the run.
    void type(const Job& job) {
        window->loadJob(WithoutReadings(job), {});
        table()->setFocus();
        for (int run = 0; run <= job.Planes(); ++run) {
            table()->setCurrentCell(run, 0);
            for (int point = 0; point < job.Points; ++point) {
                for (const std::string& text :
                     {job.Readings[run][point].Amplitude, job.Readings[run][point].Phase}) {
                    Press(QString::fromStdString(text));
                    Press("Tab");
                }
            }
        }
    }

    QString result(int plane, int column) const {
        const QTableWidgetItem* cell = window->resultsView()->planeTable()->item(plane, column);
        return cell ? cell->text() : QString();
    }
};

// balance4-calc's grams and angles from the zero mark for a job file, per plane, written as the
// window writes them; empty when the tool cannot read job files.
QList<QPair<QString, QString>> CommandLineResults(const QString& jobFile) {
    QProcess tool;
    // Another build's tool may be named, to compare with it.
    const QString program = qEnvironmentVariable("BALANCE4_CALC", QStringLiteral(BALANCE4_CALC));
    tool.start(program, {"job", "--job", jobFile, "--json"});
    if (!tool.waitForFinished(20000) || tool.exitStatus() != QProcess::NormalExit) return {};
    const QJsonArray planes =
        QJsonDocument::fromJson(tool.readAllStandardOutput()).object().value("planes").toArray();
    QList<QPair<QString, QString>> texts;
    for (const QJsonValue& plane : planes) {
        texts.append({ResultText(plane["mass"].toDouble(), ","),
                      ResultText(plane["angle_from_zero"].toDouble(), ",")});
    }
    return texts;
}

}  // namespace

class JobWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    // Keys as names ("F2", "Esc", "Enter", "Tab", "End", "Del") or texts typed character by
    // character, each to whatever has the focus then, as the keyboard sends them.
    void keys_data() {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bad");
        QTest::newRow("typing replaces the text") << QStringList{"5", "Enter"} << "5" << false;
        QTest::newRow("F2 edits the text")
            << QStringList{"F2", "End", "5", "Enter"} << "7,25" << false;
        QTest::newRow("Esc restores the text") << QStringList{"99", "Esc"} << "7,2" << false;
        QTest::newRow("F9 takes the text being typed") << QStringList{"5", "F9"} << "5" << false;
        QTest::newRow("a point is a decimal separator too")
            << QStringList{"1.5", "Tab"} << "1.5" << false;
        QTest::newRow("two separators are not a number")
            << QStringList{"1,2.5", "Tab"} << "1,2.5" << true;
        QTest::newRow("a negative amplitude is refused")
            << QStringList{"-3", "Tab"} << "-3" << true;
        QTest::newRow("Delete empties the cell, which is not wrong")
            << QStringList{"Del"} << "" << false;
    }

    void keys() {
        QFETCH(QStringList, keys);
        QFETCH(QString, text);
        QFETCH(bool, bad);
        Window w;
        w.window->loadJob(balance4::job::ExampleJob(), {});
        w.table()->setFocus();
        w.table()->setCurrentCell(0, 0);
        QTRY_VERIFY(w.table()->hasFocus());
        PressAll(keys);
        QCOMPARE(w.table()->cellText(0, 0), text);
        const QString tip = w.table()->item(0, 0)->toolTip();
        QCOMPARE(!tip.isEmpty(), bad);
        if (bad) {
            // The reason is in the status bar too once the cell is current; no modal window.
            w.table()->setCurrentCell(0, 0);
            QCOMPARE(w.window->statusBar()->currentMessage(), tip);
            QVERIFY(!QApplication::activeModalWidget());
        }
    }

    void paste_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("expected");  // "row,column=text"
        QTest::newRow("a block from a spreadsheet")
            << "1,5\t20\r\n2,5\t30\r\n"
            << 1 << 2 << QStringList{"1,2=1,5", "1,3=20", "2,2=2,5", "2,3=30", "0,0=7,2"};
        // The command-line tool's order: per point, run 0 then runs 1..4, amplitude first.
        QStringList line;
        for (int i = 0; i < 40; ++i) line << QString::number(i);
        QTest::newRow("a reading line of balance4-calc fills the table")
            << line.join('\t') << 3 << 5
            << QStringList{"0,0=0", "0,1=1", "1,0=2", "4,1=9", "0,2=10", "4,7=39"};
        QTest::newRow("a line of another length is a block")
            << "8\t9\t10" << 4 << 6 << QStringList{"4,6=8", "4,7=9", "0,0=7,2"};
    }

    void paste() {
        QFETCH(QString, clipboard);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QStringList, expected);
        Window w;
        w.window->loadJob(balance4::job::ExampleJob(), {});
        QApplication::clipboard()->setText(clipboard);
        w.table()->setFocus();
        w.table()->setCurrentCell(row, column);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
        for (const QString& cell : expected) {
            const QStringList parts = cell.split('=');
            const QStringList at = parts[0].split(',');
            QCOMPARE(w.table()->cellText(at[0].toInt(), at[1].toInt()), parts[1]);
        }
        QVERIFY(w.window->isModified());
    }

    // Changing the shape keeps every run's texts with its run.
    void reshape() {
        Window w;
        w.window->loadJob(balance4::job::ExampleJob(), {});
        auto* slowRoll = w.window->findChild<QCheckBox*>("SlowRoll");
        slowRoll->click();
        QCOMPARE(w.table()->rowCount(), 6);
        QCOMPARE(w.table()->cellText(0, 0), QString());
        QCOMPARE(w.table()->cellText(1, 0), QStringLiteral("7,2"));
        QCOMPARE(w.window->lastResult().Result, balance4::job::Outcome::Calculated);
        w.table()->setBlock(0, 0, {{"0,5", "10"}});
        QCOMPARE(w.window->currentJob().SlowRoll[0].Amplitude, "0,5");
        QCOMPARE(w.window->currentJob().Readings[0][0].Amplitude, "7,2");
        w.window->findChild<QSpinBox*>("Planes")->setValue(3);
        QCOMPARE(w.table()->rowCount(), 5);
        QCOMPARE(w.table()->cellText(0, 0), QStringLiteral("0,5"));
        QCOMPARE(w.table()->cellText(4, 0), QStringLiteral("8,2"));  // run 3
        slowRoll->click();
        QCOMPARE(w.table()->cellText(0, 0), QStringLiteral("7,2"));
        QVERIFY(w.window->currentJob().SlowRoll.empty());
    }

    // A job file dropped on the window opens.
    void drop() {
        QTemporaryDir dir;
        const QString file = dir.filePath("dropped.json");
        std::string error;
        QVERIFY(balance4::job::SaveJobFile(file.toStdString(), OnePlane(), error));
        Window w;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        // As the desktop delivers a drag: it enters the window, then drops.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(w.window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.window.get(), &drop);
        QTRY_COMPARE(w.window->filePath(), file);
        QCOMPARE(w.window->currentJob().Planes(), 1);
    }

    // Typed into the table, a job gives the results of balance4-calc for the same job file.
    void parity_data() {
        QTest::addColumn<Job>("job");
        QTest::addColumn<QString>("mass");  // plane 1, as shown; empty: only compared with the tool
        QTest::addColumn<QString>("angle");  // from the zero mark
        QTest::newRow("built-in example, 20 g") << ExampleIn20Grams() << "6,73"
                                                << "282,20";
        QTest::newRow("one plane") << OnePlane() << ""
                                   << "";
        QTest::newRow("two planes, trial weights off the zero mark") << TwoPlanesTrialAngles() << ""
                                                                     << "";
        QTest::newRow("two planes, three points: least squares") << LeastSquares() << ""
                                                                 << "";
    }

    void parity() {
        QFETCH(Job, job);
        QFETCH(QString, mass);
        QFETCH(QString, angle);
        Window w;
        w.type(job);
        QCOMPARE(w.window->lastResult().Result, balance4::job::Outcome::Calculated);
        if (!mass.isEmpty()) {
            QCOMPARE(w.result(0, 0), mass);
            QCOMPARE(w.result(0, 2), angle);
        }
        QTemporaryDir dir;
        const QString file = dir.filePath("job.json");
        QVERIFY(w.window->saveTo(file));
        const auto tool = CommandLineResults(file);
        if (tool.isEmpty()) QSKIP("balance4-calc does not read job files in this build");
        QCOMPARE(tool.size(), job.Planes());
        for (int plane = 0; plane < job.Planes(); ++plane) {
            QCOMPARE(w.result(plane, 0), tool[plane].first);
            QCOMPARE(w.result(plane, 2), tool[plane].second);
        }
    }

    void roundTrip() {
        QTemporaryDir dir;
        const QString file = dir.filePath("job.json");
        Window first;
        first.type(TwoPlanesTrialAngles());
        QVERIFY(first.window->isModified());
        QVERIFY(first.window->saveTo(file));
        QVERIFY(!first.window->isModified());
        Window second;
        QVERIFY(second.window->openFile(file));
        QCOMPARE(second.window->currentJob(), first.window->currentJob());
        QCOMPARE(second.result(1, 0), first.result(1, 0));
    }

    void damagedFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("truncated") << QByteArray("{\"format\": \"balance4-job\", \"version\": 1, ");
        QTest::newRow("not a job") << QByteArray("[1, 2, 3]\n");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe garbage", 11);
    }

    void damagedFile() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString file = dir.filePath("damaged.json");
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        Window w;
        w.type(OnePlane());
        const Job before = w.window->currentJob();
        ModalAnswer answer(QStringLiteral("OK"));
        QVERIFY(!w.window->openFile(file));
        QVERIFY(answer.seen());
        QVERIFY2(answer.text.contains("damaged.json"), qPrintable(answer.text));
        QCOMPARE(w.window->currentJob(), before);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), bytes);
    }

    void unsavedQuestion_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Сохранить") << "Сохранить" << true << true;
        QTest::newRow("Не сохранять") << "Не сохранять" << true << false;
        QTest::newRow("Отмена") << "Отмена" << false << false;
    }

    void unsavedQuestion() {
        QFETCH(QString, button);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QString file = dir.filePath("job.json");
        Window w;
        w.type(OnePlane());
        QVERIFY(w.window->saveTo(file));
        w.table()->setCurrentCell(0, 0);
        PressAll({"9", "Enter"});
        QVERIFY(w.window->isModified());
        ModalAnswer answer(button);
        QCOMPARE(w.window->close(), closed);
        QVERIFY(answer.seen());
        std::string error;
        const auto onDisk = balance4::job::LoadJobFile(file.toStdString(), error);
        QVERIFY(onDisk);
        QCOMPARE(onDisk->Readings[0][0].Amplitude == "9", saved);
        // The recovery copy goes with the question answered, and stays with the window open.
        w.window->recovery()->flush();
        QCOMPARE(QFile::exists(w.window->recovery()->path()), !closed);
    }

    void report() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is missing");
        QTemporaryDir dir;
        const QString file = dir.filePath("job.json");
        std::string error;
        QVERIFY(balance4::job::SaveJobFile(file.toStdString(), ExampleIn20Grams(), error));
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "ru_RU.UTF-8");  // Qt reads the decimal comma from it
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(BALANCE4_JOB), {"--report", dir.filePath("r.pdf"), file});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
        const QString keep = qEnvironmentVariable("BALANCE4_RENDERINGS");
        if (!keep.isEmpty()) QFile::copy(dir.filePath("r.pdf"), keep + "/job-report.pdf");
        QProcess text;
        text.start("pdftotext", {"-layout", dir.filePath("r.pdf"), "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString pages = QString::fromUtf8(text.readAllStandardOutput());
        for (const char* shown : {"6,73", "282,20", "33,63", "226,05"})
            QVERIFY2(pages.contains(shown), shown);
    }

    // A control run after the corrections were fitted: its corrections from the job's
    // coefficients, kept in the job's history and in its file.
    void trimRun() {
        Window w;
        w.window->loadJob(ExampleIn20Grams(), {});
        QCOMPARE(w.window->lastResult().Result, balance4::job::Outcome::Calculated);
        TrimPanel* trim = w.window->trimPanel();
        trim->findChild<QPushButton*>("InstalledFromResults")->click();
        trim->runTable()->setBlock(0, 0, {{"2,1", "40", "3,3", "250", "1,2", "95", "0,8", "310"}});
        QVERIFY(trim->recordButton()->isEnabled());
        trim->recordButton()->click();
        const Job job = w.window->currentJob();
        QCOMPARE(job.TrimHistory.size(), std::size_t(1));
        QCOMPARE(job.TrimHistory[0].Readings[1].Phase, "250");
        QCOMPARE(job.Installed.size(), std::size_t(4));
        QTemporaryDir dir;
        QVERIFY(w.window->saveTo(dir.filePath("trim.json")));
        Window again;
        QVERIFY(again.window->openFile(dir.filePath("trim.json")));
        QCOMPARE(again.window->currentJob().TrimHistory, job.TrimHistory);
    }

    // F1 opens the manual through the calculator's opener; a missing manual is told.
    void manualKey() {
        Window w;
        auto* manual = new RecordingOpener;
        w.window.reset();
        JobWindow window(manual, w.recovery.path());
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ModalAnswer answer(QStringLiteral("OK"));
        QTest::keyClick(&window, Qt::Key_F1);
        QTRY_VERIFY(answer.seen());
        QCOMPARE(manual->requests, QStringList{kManualFileName});
        QCOMPARE(answer.text, QStringLiteral("Запрашиваемый документ не найден"));
        window.recovery()->remove();
        delete manual;
    }

    // Every control a user can reach has a name for screen readers.
    void accessibleNames() {
        Window w;
        w.window->loadJob(ExampleIn20Grams(), {});
        auto* tabs = w.window->findChild<QTabWidget*>("ResultTabs");
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            for (QWidget* widget : w.window->findChildren<QWidget*>()) {
                if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(w.window.get()) ||
                    qobject_cast<QAbstractButton*>(widget) ||
                    qobject_cast<QAbstractScrollArea*>(widget->parentWidget()) ||
                    qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) ||
                    qobject_cast<QTabBar*>(widget) || qobject_cast<QSplitterHandle*>(widget))
                    continue;
                QVERIFY2(!widget->accessibleName().isEmpty(),
                         qPrintable(QString("%1 %2").arg(widget->metaObject()->className(),
                                                         widget->objectName())));
            }
        }
    }

    // Random edits, pastes, shape changes and calculations never crash or hang the window.
    void randomEdits() {
        Window w;
        w.window->calculator()->setAsynchronous(true);
        w.window->loadJob(balance4::job::ExampleJob(), {});
        QRandomGenerator random(20261209);
        const QStringList texts = {"7,2",
                                   "1.5",
                                   "",
                                   "-0",
                                   "1e308",
                                   "1e999",
                                   "abc",
                                   ",",
                                   "0",
                                   "360,5",
                                   "١٢",
                                   "  3 ",
                                   "1,2,3",
                                   "\t",
                                   "nan",
                                   "inf",
                                   "9999999999999999999999",
                                   "0,0001"};
        auto* planes = w.window->findChild<QSpinBox*>();
        for (int i = 0; i < 10000; ++i) {
            ReadingsTable* table = w.table();
            const int row = int(random.bounded(table->rowCount()));
            const int column = int(random.bounded(table->columnCount()));
            switch (random.bounded(10)) {
                case 0: {
                    QString block;
                    for (int k = 0, n = int(random.bounded(60)); k < n; ++k)
                        block += texts[random.bounded(texts.size())] +
                                 (random.bounded(4) == 0 ? "\n" : "\t");
                    QApplication::clipboard()->setText(block);
                    table->setCurrentCell(row, column);
                    QTest::keySequence(table, QKeySequence::Paste);
                    break;
                }
                case 1:
                    if (planes) planes->setValue(1 + int(random.bounded(8)));
                    break;
                case 2:
                    w.window->calculateNow();
                    break;
                default:
                    table->setBlock(row, column, {{texts[random.bounded(texts.size())]}});
            }
            if (i % 500 == 0) QCoreApplication::processEvents();
        }
        QSignalSpy shown(w.window.get(), &JobWindow::resultsShown);
        w.window->loadJob(balance4::job::ExampleJob(), {});
        QVERIFY(shown.wait(10000));
        QCOMPARE(w.window->lastResult().Result, balance4::job::Outcome::Calculated);
    }
};

QTEST_MAIN(JobWindowTest)
#include "job_window_test.moc"
