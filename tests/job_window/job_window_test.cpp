// The job window driven as a user drives it: keys and pastes in its tables, undo, results as soon
// as every reading is valid, files, the control run, the unsaved-changes question and the report.
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
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
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <cmath>
#include <complex>
#include <memory>

#include "acceptance_view.h"
#include "job/job.h"
#include "job/job_file.h"
#include "job_controller.h"
#include "job_document.h"
#include "job_table_model.h"
#include "job_window.h"
#include "manual_at_chapter.h"
#include "manual_opener.h"
#include "modal_driver.h"
#include "number_texts.h"
#include "published_job.h"
#include "recovery_file.h"
#include "results_view.h"
#include "setup_panel.h"
#include "sheet_view.h"
#include "trial_weight_dialog.h"
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

// Answers every request for a place in the manual with the given outcome.
class ChapterAnswer : public ChapterManualOpener {
  public:
    ManualOpening answer;
    QStringList places;
    void openAt(const QString&, const QString& destination, Opened done) override {
        places << destination;
        done(answer);
    }
};

// Answers the next question box with the button of the given text; Seen holds its text.
std::unique_ptr<ModalDriver> Answer(const QString& button) {
    return std::make_unique<ModalDriver>([button](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return false;
        for (QAbstractButton* candidate : box->buttons()) {
            if (candidate->text() == button) {
                candidate->click();
                return true;
            }
        }
        return false;
    });
}

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

// A reading as the instrument would show it, to 4 decimals: amplitude and phase in degrees.
balance4::job::ReadingText ReadingOf(std::complex<double> v) {
    const auto text = [](double x) {
        return QString::number(x, 'f', 4).replace('.', ',').toStdString();
    };
    double phase = std::arg(v) * 180.0 / M_PI;
    if (phase < 0) phase += 360.0;
    return {text(std::abs(v)), text(phase)};
}

// A published two-plane job whose angles run as the phase (R. Tiwari, "Theory and Practice of
// Rotor Dynamics", Example 13.5): 0,3 kg at the book's 30° in each plane; the book's answer is
// 208,92° and 331,22°.
Job BookJobAsPublished() {
    const auto polar = [](double r, double degrees) {
        return std::polar(r, degrees * M_PI / 180.0);
    };
    const std::complex<double> v1 = -polar(30, 230), v2 = -polar(70, 330);
    const std::complex<double> near = polar(50, 61), far = polar(42, 130);
    Job job = balance4::job::MakeJob(2, 2);
    job.Unit = "кг";
    for (auto& plane : job.Plane) plane = {0.3, 30.0, 0.0, 0.0, 0, {}};
    job.Readings = {{ReadingOf(v1), ReadingOf(v2)},
                    {ReadingOf(v1 + near), ReadingOf(v2 + far)},
                    {ReadingOf(v1 + far), ReadingOf(v2 + near)}};
    return job;
}

const QStringList kControlRun = {"2,1", "40", "3,3", "250", "1,2", "95", "0,8", "310"};

// The control run above as the cells of its table.
QList<JobDocument::CellEdit> ControlRunCells() {
    QList<JobDocument::CellEdit> cells;
    for (int column = 0; column < kControlRun.size(); ++column)
        cells.append({0, column, kControlRun[column]});
    return cells;
}

// The job's shape and set-up without its readings: what the user types comes from the table.
Job WithoutReadings(Job job) {
    for (auto& run : job.Readings) {
        for (auto& reading : run) reading = {};
    }
    return job;
}

void Press(const QString& key) {
    static const QHash<QString, QKeyCombination> named = {
        {"F2", Qt::Key_F2},
        {"F9", Qt::Key_F9},
        {"Esc", Qt::Key_Escape},
        {"Enter", Qt::Key_Return},
        {"Tab", Qt::Key_Tab},
        {"End", Qt::Key_End},
        {"Del", Qt::Key_Delete},
        {"Down", Qt::Key_Down},
        {"Up", Qt::Key_Up},
        {"Ctrl+Z", Qt::CTRL | Qt::Key_Z},
        {"Ctrl+Y", Qt::CTRL | Qt::Key_Y},
        {"Ctrl+Shift+Z", Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
        {"Ctrl+N", Qt::CTRL | Qt::Key_N},
        {"Ctrl+R", Qt::CTRL | Qt::Key_R},
        {"Ctrl+Shift+R", Qt::CTRL | Qt::SHIFT | Qt::Key_R}};
    if (named.contains(key)) {
        const QKeyCombination combination = named[key];
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus->window()->windowHandle() : nullptr, combination.key(),
                        combination.keyboardModifiers());
        return;
    }
    for (const QChar c : key) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

// Enter in a cell editor commits through the event loop.
void PressAll(const QStringList& keys) {
    for (const QString& key : keys) {
        Press(key);
        QCoreApplication::processEvents();
    }
}

struct Window {
    NoManual manual;
    QTemporaryDir recovery;
    std::unique_ptr<JobWindow> window;

    Window() {
        window = std::make_unique<JobWindow>(&manual, recovery.path());
        document()->setAsynchronous(false);
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    ~Window() {
        if (window) window->setAttribute(Qt::WA_DeleteOnClose, false);
    }

    JobDocument* document() const { return window->document(); }
    const Job& job() const { return document()->job(); }
    SheetView* table() const { return window->readingsTable(); }
    QString cell(int row, int column, SheetView* view = nullptr) const {
        return (view ? view : table())->model()->index(row, column).data().toString();
    }
    QString refusal(int row, int column) const {
        return table()->model()->index(row, column).data(JobTableModel::RefusalRole).toString();
    }
    void focus(SheetView* view, int row, int column) {
        view->setFocus();
        view->setCurrentIndex(view->model()->index(row, column));
        QTRY_VERIFY(view->hasFocus());
    }

    // Types every reading of the job into the table as a user would: typing replaces the cell's
    // text, Enter goes on along the run and on to the next run.
    void type(const Job& job) {
        document()->load(WithoutReadings(job), {});
        typeReadings(job);
    }
    void typeReadings(const Job& job) {
        focus(table(), 0, 0);
        for (int run = 0; run <= job.Planes(); ++run) {
            for (int point = 0; point < job.Points; ++point) {
                for (const std::string& text :
                     {job.Readings[run][point].Amplitude, job.Readings[run][point].Phase})
                    PressAll({QString::fromStdString(text), "Enter"});
            }
        }
    }

    QString result(int plane, int column) const {
        const QTableWidgetItem* cell = window->resultsView()->planeTable()->item(plane, column);
        return cell ? cell->text() : QString();
    }
};

// balance4-calc's grams and angles from the zero mark for a job file, per plane, written as the
// window writes them.
QList<QPair<QString, QString>> CommandLineResults(const QString& jobFile) {
    QProcess tool;
    tool.start(QStringLiteral(BALANCE4_CALC), {"job", "--job", jobFile, "--json"});
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

// A job file's text with every control-run date blanked, to compare two recordings.
QByteArray WithoutDates(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    QJsonArray history = root["trim_history"].toArray();
    for (qsizetype i = 0; i < history.size(); ++i) {
        QJsonObject record = history[i].toObject();
        record["date"] = QString();
        history[i] = record;
    }
    root["trim_history"] = history;
    return QJsonDocument(root).toJson();
}

}  // namespace

class JobWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }

    // Keys as names ("F2", "Esc", "Enter", "Tab", "Down", …) or texts typed character by
    // character, each to whatever has the focus then, from a table's first cell.
    void keys_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("expected");  // "row,column=text"
        QTest::addColumn<bool>("bad");              // the first cell is refused
        QTest::newRow("typing replaces the text")
            << "Readings" << QStringList{"5", "Enter"} << QStringList{"0,0=5"} << false;
        QTest::newRow("Enter moves on along the run")
            << "Readings" << QStringList{"11", "Enter", "22", "Enter"}
            << QStringList{"0,0=11", "0,1=22"} << false;
        QTest::newRow("F2 edits the text") << "Readings" << QStringList{"F2", "End", "5", "Enter"}
                                           << QStringList{"0,0=7,25"} << false;
        QTest::newRow("Esc restores the text")
            << "Readings" << QStringList{"99", "Esc"} << QStringList{"0,0=7,2"} << false;
        QTest::newRow("F9 takes the text being typed")
            << "Readings" << QStringList{"5", "F9"} << QStringList{"0,0=5"} << false;
        QTest::newRow("a point is a decimal separator too")
            << "Readings" << QStringList{"1.5", "Tab"} << QStringList{"0,0=1,5"} << false;
        QTest::newRow("two separators are not a number")
            << "Readings" << QStringList{"1,2.5", "Tab"} << QStringList{"0,0=1,2.5"} << true;
        QTest::newRow("a negative amplitude is refused")
            << "Readings" << QStringList{"-3", "Tab"} << QStringList{"0,0=-3"} << true;
        QTest::newRow("Delete empties the cell, which is not wrong")
            << "Readings" << QStringList{"Del"} << QStringList{"0,0="} << false;
        QTest::newRow("Down on the last row commits and leaves the editor")
            << "PlaneTable"
            << QStringList{"Down", "Down", "Down", "F2", "End", "5", "Down", "2", "Enter"}
            << QStringList{"3,0=2"} << false;
        QTest::newRow("a set-up text that is no number is kept and refused")
            << "PlaneTable" << QStringList{"abc", "Enter"} << QStringList{"0,0=abc"} << true;
    }

    void keys() {
        QFETCH(QString, table);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, expected);
        QFETCH(bool, bad);
        Window w;
        w.document()->load(balance4::job::ExampleJob(), {});
        auto* view = w.window->findChild<SheetView*>(table);
        w.focus(view, 0, 0);
        PressAll(keys);
        for (const QString& cell : expected) {
            const QStringList parts = cell.split('=');
            const QStringList at = parts[0].split(',');
            QCOMPARE(w.cell(at[0].toInt(), at[1].toInt(), view), parts[1]);
        }
        const QString reason =
            view->model()->index(0, 0).data(JobTableModel::RefusalRole).toString();
        QCOMPARE(!reason.isEmpty(), bad);
        if (bad) {
            // The reason is in the status bar too once the cell is current; no modal window.
            view->setCurrentIndex(view->model()->index(1, 0));
            view->setCurrentIndex(view->model()->index(0, 0));
            QVERIFY(w.window->statusBar()->currentMessage().endsWith(reason));
            QVERIFY(!QApplication::activeModalWidget());
        }
    }

    // Tab and Enter leave a table after its last cell, for the next control.
    void leavesAtLastCell() {
        Window w;
        w.document()->load(OnePlane(), {});
        w.focus(w.table(), 1, 1);
        PressAll({"Tab"});
        QVERIFY(!w.table()->hasFocus());
        QVERIFY(QApplication::focusWidget());
    }

    void paste_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("expected");  // "row,column=text"
        QTest::newRow("a block from a spreadsheet")
            << "Readings"
            << "1,5\t20\r\n2,5\t30\r\n"
            << 1 << 2 << QStringList{"1,2=1,5", "1,3=20", "2,2=2,5", "2,3=30", "0,0=7,2"};
        // The command-line tool's order: per point, run 0 then runs 1..4, amplitude first.
        QStringList line;
        for (int i = 0; i < 40; ++i) line << QString::number(i);
        QTest::newRow("a reading line of balance4-calc fills the table")
            << "Readings" << line.join('\t') << 3 << 5
            << QStringList{"0,0=0", "0,1=1", "1,0=2", "4,1=9", "0,2=10", "4,7=39"};
        QTest::newRow("a line of another length is a block")
            << "Readings"
            << "8\t9\t10" << 4 << 6 << QStringList{"4,6=8", "4,7=9", "0,0=7,2"};
        QTest::newRow("trial masses pasted into the planes table")
            << "PlaneTable"
            << "20\n25\n30\n"
            << 0 << 0 << QStringList{"0,0=20", "1,0=25", "2,0=30", "3,0=100"};
        QTest::newRow("a control run pasted") << "TrimReadings" << kControlRun.join('\t') << 0 << 0
                                              << QStringList{"0,0=2,1", "0,7=310"};
    }

    void paste() {
        QFETCH(QString, table);
        QFETCH(QString, clipboard);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QStringList, expected);
        Window w;
        w.document()->load(balance4::job::ExampleJob(), {});
        auto* view = w.window->findChild<SheetView*>(table);
        w.window->findChild<QTabWidget*>("ResultTabs")->setCurrentWidget(w.window->trimPanel());
        QApplication::clipboard()->setText(clipboard);
        w.focus(view, row, column);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
        for (const QString& cell : expected) {
            const QStringList parts = cell.split('=');
            const QStringList at = parts[0].split(',');
            QCOMPARE(w.cell(at[0].toInt(), at[1].toInt(), view), parts[1]);
        }
        QVERIFY(w.document()->isModified());
        QCOMPARE(w.document()->undoStack()->count(), 1);
    }

    // Every kind of edit is one undo step; Ctrl+Z brings the job back, Ctrl+Y and Ctrl+Shift+Z
    // do it again.
    void undo_data() {
        QTest::addColumn<QString>("edit");
        for (const char* edit :
             {"cell", "pasted block", "fewer planes", "slow roll", "title", "control run recorded",
              "readings cleared", "acceptance limit", "balance grade", "refining off"})
            QTest::newRow(edit) << edit;
    }

    void undo() {
        QFETCH(QString, edit);
        Window w;
        w.document()->load(ExampleIn20Grams(), {});
        Job before = w.job();
        if (edit == "cell") {
            w.focus(w.table(), 2, 3);
            PressAll({"123", "Enter"});
        } else if (edit == "pasted block") {
            QApplication::clipboard()->setText("1\t2\n3\t4\n");
            w.focus(w.table(), 1, 1);
            QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
        } else if (edit == "fewer planes") {
            w.window->findChild<QSpinBox*>("Planes")->setValue(2);
            QCOMPARE(w.job().Readings.size(), std::size_t(3));
        } else if (edit == "slow roll") {
            w.window->findChild<QCheckBox*>("SlowRoll")->click();
        } else if (edit == "title") {
            auto* title = w.window->findChild<QLineEdit*>("Title");
            title->setFocus();
            QTest::keyClicks(title, "Pump 3");
        } else if (edit == "control run recorded") {
            w.window->trimPanel()->findChild<QPushButton*>("InstalledFromResults")->click();
            const Job installed = w.job();
            w.document()->undoStack()->clear();
            w.document()->load(installed, {});
            w.document()->setCells(JobTable::ControlRun, ControlRunCells(), "control run");
            w.document()->undoStack()->clear();
            before = w.job();
            QVERIFY(w.document()->recordControlRun());
            QCOMPARE(w.job().TrimHistory.size(), std::size_t(1));
        } else if (edit == "readings cleared") {
            w.document()->clearReadings();
        } else if (edit == "acceptance limit") {
            auto* limit = w.window->findChild<QLineEdit*>("AcceptanceLimit");
            limit->setFocus();
            QTest::keyClicks(limit, "2,8");
        } else if (edit == "balance grade") {
            auto* grade = w.window->findChild<QComboBox*>("IsoGrade");
            grade->setFocus();
            QTest::keyClicks(grade->lineEdit(), "6,3");
        } else if (edit == "refining off") {
            w.window->findChild<QCheckBox*>("RefineCoefficients")->click();
        }
        const Job after = w.job();
        QVERIFY(after != before);
        QCOMPARE(w.document()->undoStack()->count(), 1);
        w.focus(w.table(), 0, 0);
        PressAll({"Ctrl+Z"});
        QCOMPARE(w.job().Readings, before.Readings);
        QCOMPARE(w.job().Title, before.Title);
        QCOMPARE(w.job().ControlRun, before.ControlRun);
        QCOMPARE(w.job().TrimHistory, before.TrimHistory);
        QCOMPARE(w.job().Installed, before.Installed);
        QCOMPARE(w.job().SlowRoll, before.SlowRoll);
        QCOMPARE(w.job().Limit, before.Limit);
        QCOMPARE(w.job().Iso, before.Iso);
        QCOMPARE(w.job().Refine, before.Refine);
        QVERIFY(!w.document()->isModified());
        PressAll({edit.size() % 2 ? "Ctrl+Y" : "Ctrl+Shift+Z"});
        QCOMPARE(w.job().Readings, after.Readings);
        QCOMPARE(w.job().TrimHistory, after.TrimHistory);
        QVERIFY(w.document()->isModified());
        QVERIFY(w.window->isWindowModified());
    }

    // Two set-up fields edited one after the other are two undo steps: their merge keys differ.
    void setupFieldsAreSeparateSteps_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("angle frame, then the limit") << "AngleFrame"
                                                     << "AcceptanceLimit";
        QTest::newRow("objective, then the limit") << "Objective"
                                                   << "AcceptanceLimit";
        QTest::newRow("reading unit, then the rotor mass") << "ReadingUnit"
                                                           << "IsoRotorMass";
    }

    void setupFieldsAreSeparateSteps() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        Window w;
        w.document()->load(ExampleIn20Grams(), {});
        for (const QString& name : {first, second}) {
            if (auto* choice = w.window->findChild<QComboBox*>(name)) {
                choice->setCurrentIndex(1);
            } else {
                auto* line = w.window->findChild<QLineEdit*>(name);
                QVERIFY2(line, qPrintable(name));
                line->setFocus();
                QTest::keyClicks(line, "3");
            }
        }
        QCOMPARE(w.document()->undoStack()->count(), 2);
    }

    // The «Приёмка» fields: what the job takes, and texts it cannot use kept red with the reason.
    void acceptanceFields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");  // a part of it; empty: taken
        QTest::newRow("one limit for every point") << "AcceptanceLimit"
                                                   << "2,8"
                                                   << "";
        QTest::newRow("a limit per point") << "AcceptanceLimit"
                                           << "1; 2; 3; 4,5"
                                           << "";
        QTest::newRow("three limits for four points") << "AcceptanceLimit"
                                                      << "1; 2; 3"
                                                      << "4 точек";
        QTest::newRow("a zero limit") << "AcceptanceLimit"
                                      << "0"
                                      << "больше нуля";
        QTest::newRow("a grade from the series") << "IsoGrade"
                                                 << "2,5"
                                                 << "";
        QTest::newRow("a grade off the series") << "IsoGrade"
                                                << "3"
                                                << "из ряда";
        QTest::newRow("rotor mass") << "IsoRotorMass"
                                    << "3600"
                                    << "";
        QTest::newRow("a negative rotor mass") << "IsoRotorMass"
                                               << "-1"
                                               << "больше нуля";
        QTest::newRow("levers") << "IsoLevers"
                                << "900; 1500"
                                << "";
        QTest::newRow("one lever") << "IsoLevers"
                                   << "900"
                                   << "два числа";
        QTest::newRow("plane positions for two of four planes") << "IsoPlanePositions"
                                                                << "100; 200"
                                                                << "4 плоскостей";
        QTest::newRow("speed no number") << "IsoSpeed"
                                         << "3000 об"
                                         << "не число";
    }

    void acceptanceFields() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        Window w;
        w.document()->load(ExampleIn20Grams(), {});
        const Job before = w.job();
        auto* line = field == "IsoGrade" ? w.window->findChild<QComboBox*>(field)->lineEdit()
                                         : w.window->findChild<QLineEdit*>(field);
        QVERIFY(line);
        // The whole text at once: typed key by key, a shorter text before it may be taken.
        line->setText(text);
        emit line->textEdited(text);
        QCOMPARE(line->text(), text);
        auto* control = w.window->findChild<QWidget*>(field);
        if (reason.isEmpty()) {
            QVERIFY(w.job() != before);
            QCOMPARE(w.document()->undoStack()->count(), 1);
            // Saved, opened again, it reads back as typed.
            QTemporaryDir dir;
            QString error;
            QVERIFY2(w.document()->saveTo(dir.filePath("job.json"), error), qPrintable(error));
            w.document()->startNew(2, 2);
            QVERIFY(line->text().isEmpty());
            QVERIFY2(w.document()->open(dir.filePath("job.json"), error), qPrintable(error));
            QCOMPARE(line->text(), text);
        } else {
            QCOMPARE(w.job().Limit, before.Limit);
            QCOMPARE(w.job().Iso, before.Iso);
            QVERIFY2(control->toolTip().contains(reason), qPrintable(control->toolTip()));
            QVERIFY(line->styleSheet().contains("background"));
            // The refused text is the document's: undo takes it back like any edit.
            w.document()->undoStack()->undo();
            QVERIFY(!line->styleSheet().contains("background"));
            QVERIFY(line->text() != text);
        }
    }

    // The published job after its control run, in the «Приёмка» tab: the verdict follows the
    // limit typed in the set-up, and a control run typed but not recorded is judged next.
    void acceptanceVerdict_data() {
        QTest::addColumn<QString>("limit");  // typed; "=" keeps the job's 2,8
        QTest::addColumn<bool>("controlRun");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("lastRun");  // the table's row before «прогноз»
        QTest::newRow("the job's limit")
            << "=" << false << "Итог: вибрация в норме во всех точках (контрольный пуск 1)."
            << "контрольный пуск 1";
        QTest::newRow("a limit below the control run at point 1")
            << "0,5" << false << "Итог: вибрация выше нормы в точке 1 (контрольный пуск 1)."
            << "контрольный пуск 1";
        QTest::newRow("no limit, no verdict")
            << "" << false << "Норма вибрации не задана: итог не оценивается."
            << "контрольный пуск 1";
        QTest::newRow("a second control run typed")
            << "0,5" << true << "Итог: вибрация в норме во всех точках (контрольный пуск 2)."
            << "контрольный пуск 2";
    }

    void acceptanceVerdict() {
        QFETCH(QString, limit);
        QFETCH(bool, controlRun);
        QFETCH(QString, verdict);
        QFETCH(QString, lastRun);
        Window w;
        w.document()->load(published::JobWithAControlRun(), {});
        auto* tabs = w.window->findChild<QTabWidget*>("ResultTabs");
        auto* view = w.window->findChild<AcceptanceView*>("AcceptanceView");
        tabs->setCurrentWidget(view);
        if (limit != "=") {
            auto* line = w.window->findChild<QLineEdit*>("AcceptanceLimit");
            line->setText(limit);
            emit line->textEdited(limit);
        }
        if (controlRun)
            w.document()->setCells(JobTable::ControlRun,
                                   {{0, 0, "0,31"}, {0, 1, "12"}, {0, 2, "0,12"}, {0, 3, "200"}},
                                   "control run");
        QCOMPARE(view->verdict()->text(), verdict);
        QTableWidget* table = view->table();
        QCOMPARE(table->item(0, 1)->text(), QString("70,00"));
        const int predicted = controlRun ? 3 : 2;
        QCOMPARE(table->verticalHeaderItem(predicted - 1)->text(), lastRun);
        QCOMPARE(table->verticalHeaderItem(predicted)->text(), QString("прогноз"));
        QVERIFY2(view->iso()->text().endsWith("Допуск ISO 21940-11, G 6,3: выполнен"),
                 qPrintable(view->iso()->text()));
        QVERIFY(view->refinementTable()->isVisibleTo(view));
    }

    // The «Приёмка» figures come from the worker, not from the window's thread as the result
    // arrives, and only while the tab is in sight: a tab brought back shows the job as it is.
    void acceptanceOnTheWorker() {
        Window w;
        JobDocument* document = w.document();
        document->setAsynchronous(true);
        document->load(published::JobWithAControlRun(), {});
        auto* tabs = w.window->findChild<QTabWidget*>("ResultTabs");
        auto* view = w.window->findChild<AcceptanceView*>("AcceptanceView");
        tabs->setCurrentWidget(view);
        const QString within = "Итог: вибрация в норме во всех точках (контрольный пуск 1).";
        const QString above = "Итог: вибрация выше нормы в точке 1 (контрольный пуск 1).";
        QTRY_COMPARE(view->verdict()->text(), within);
        int refreshes = 0;
        int refreshesAtResult = -1;
        connect(view, &AcceptanceView::refreshed, [&] { ++refreshes; });
        connect(document, &JobDocument::resultChanged, [&] { refreshesAtResult = refreshes; });
        document->edit("limit", [](Job& job) { job.Limit = {0.5}; });
        QTRY_COMPARE(view->verdict()->text(), above);
        QCOMPARE(refreshesAtResult, 0);
        QCOMPARE(document->acceptanceJob().Limit, std::vector<double>{0.5});

        tabs->setCurrentIndex(0);
        document->edit("limit", [](Job& job) { job.Limit = {2.8}; });
        QTRY_COMPARE(document->calculatedJob().Limit, std::vector<double>{2.8});
        QTest::qWait(50);
        QCOMPARE(document->acceptanceJob().Limit, std::vector<double>{0.5});
        tabs->setCurrentWidget(view);
        QTRY_COMPARE(view->verdict()->text(), within);
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
        QTRY_COMPARE(w.document()->path(), file);
        QCOMPARE(w.job().Planes(), 1);
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
        QCOMPARE(w.job().Readings, job.Readings);
        QCOMPARE(w.document()->result().Result, balance4::job::Outcome::Calculated);
        if (!mass.isEmpty()) {
            QCOMPARE(w.result(0, 0), mass);
            QCOMPARE(w.result(0, 2), angle);
            // The example's first trial run moved the vibration by 415 %: the library's warning.
            QVERIFY(w.window->resultsView()->warnings()->text().contains("пробный груз велик"));
            QCOMPARE(w.result(0, 6), QStringLiteral("415,44 % — велик"));
        }
        QTemporaryDir dir;
        const QString file = dir.filePath("job.json");
        QVERIFY(w.window->controller()->saveTo(file));
        const auto tool = CommandLineResults(file);
        QCOMPARE(tool.size(), job.Planes());
        for (int plane = 0; plane < job.Planes(); ++plane) {
            QCOMPARE(w.result(plane, 0), tool[plane].first);
            QCOMPARE(w.result(plane, 2), tool[plane].second);
        }
    }

    // A paper's job typed as published, its angles counted as the phase once the set-up says so:
    // the paper's own angles, and every angle heading says which way they run.
    void anglesAsPhase() {
        Window w;
        const Job book = BookJobAsPublished();
        w.document()->load(WithoutReadings(book), {});
        auto* frame = w.window->findChild<QComboBox*>("AngleFrame");
        QVERIFY(frame->currentText().startsWith("по вращению"));
        frame->setCurrentIndex(1);
        QCOMPARE(w.job().Angles, balance4::job::AngleFrame::AsPhase);
        QVERIFY(frame->currentText().startsWith("против вращения"));
        w.document()->undoStack()->undo();
        QCOMPARE(frame->currentIndex(), 0);
        w.document()->undoStack()->redo();
        QCOMPARE(frame->currentIndex(), 1);
        w.typeReadings(book);
        QCOMPARE(w.result(0, 2), QStringLiteral("208,92"));
        QCOMPARE(w.result(1, 2), QStringLiteral("331,22"));
        QTableWidget* results = w.window->resultsView()->planeTable();
        QVERIFY(results->horizontalHeaderItem(2)->text().endsWith("против вращения"));
        auto* setup = w.window->findChild<SheetView*>("PlaneTable");
        QVERIFY(setup->model()
                    ->headerData(kTrialAngle, Qt::Horizontal)
                    .toString()
                    .endsWith("против вращ."));
    }

    // A repeat of run 0 goes under it, is typed like any run, is refused red like any run, and
    // its scatter is what the results say they used; removing it and undoing are edits.
    void repeatRow() {
        Window w;
        const Job job = ExampleIn20Grams();
        w.type(job);
        const int before = w.document()->undoStack()->index();
        w.focus(w.table(), 0, 3);
        PressAll({"Ctrl+R"});
        QCOMPARE(w.table()->model()->rowCount(), job.Planes() + 2);
        QCOMPARE(w.table()->currentIndex(), w.table()->model()->index(1, 0));
        QCOMPARE(w.table()->model()->headerData(1, Qt::Vertical).toString(), "Повтор пуска 0");
        // Run 0 read again, point 1's phase 10° on: the scatter outgrows the instrument's ±2°.
        QStringList keys;
        for (int point = 0; point < job.Points; ++point) {
            const auto& reading = job.Readings[0][std::size_t(point)];
            keys << QString::fromStdString(reading.Amplitude) << "Enter"
                 << (point == 0 ? "1040" : QString::fromStdString(reading.Phase)) << "Enter";
        }
        PressAll(keys);
        QCOMPARE(w.job().Repeats.size(), std::size_t(1));
        QVERIFY(w.refusal(1, 1).contains("1040"));
        w.focus(w.table(), 1, 1);
        const double phase =
            ReadNumberText(QString::fromStdString(job.Readings[0][0].Phase)).value();
        PressAll({QString::number(std::fmod(phase + 10, 360)).replace('.', ','), "Enter"});
        QVERIFY(w.refusal(1, 1).isEmpty());
        QCOMPARE(w.document()->result().Result, balance4::job::Outcome::Calculated);
        QVERIFY(w.document()->result().Scatter.FromRepeats);
        const QString summary = w.window->findChild<QLabel*>("ResultSummary")->text();
        QVERIFY2(summary.contains("±10,00° по фазе — по разбросу повторных показаний"),
                 qPrintable(summary));
        // A reading line of balance4-calc fills the runs and leaves the repeat as typed.
        QStringList line;
        for (int i = 0; i < 40; ++i) line << QString::number(i);
        QApplication::clipboard()->setText(line.join('\t'));
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
        QCOMPARE(w.cell(0, 0), "0");
        QCOMPARE(w.cell(2, 0), "2");
        QCOMPARE(w.cell(1, 0), QString::fromStdString(job.Readings[0][0].Amplitude));
        PressAll({"Ctrl+Z", "Ctrl+Shift+R"});
        QCOMPARE(w.table()->model()->rowCount(), job.Planes() + 1);
        QVERIFY(w.job().Repeats.empty());
        PressAll({"Ctrl+Z"});
        QCOMPARE(w.job().Repeats.size(), std::size_t(1));
        QCOMPARE(w.cell(1, 0), QString::fromStdString(job.Readings[0][0].Amplitude));
        w.document()->undoStack()->setIndex(before);
        QCOMPARE(w.table()->model()->rowCount(), job.Planes() + 1);
        QVERIFY(w.job().Repeats.empty());
    }

    // The set-up's button sizes the trial weights and writes them into the empty planes only, as
    // one undo step: 500 kg on 4 planes at 3000 rpm is 10 % of 1226 N at 314 rad/s, 150 mm or
    // the table's 300 mm.
    void trialWeightButton() {
        Window w;
        Job job = balance4::job::MakeJob(4, 4);
        job.Speed = "3 000 об/мин";
        job.Plane[1].TrialMass = 7.5;
        job.Plane[2].TrialRadius = 300.0;
        w.document()->load(job, {});
        w.document()->setCells(JobTable::Planes, {{3, kTrialMass, "abc"}}, "typed");
        const int before = w.document()->undoStack()->index();
        QString shown;
        QStringList prefilled;
        ModalDriver driver([&](QWidget* modal) {
            auto* dialog = qobject_cast<TrialWeightDialog*>(modal);
            if (!dialog) return false;
            for (const char* field : {"RotorSpeed", "TrialRadiusAll"})
                prefilled << dialog->findChild<QLineEdit*>(field)->text();
            dialog->findChild<QLineEdit*>("TrialRadiusAll")->setText("150");
            dialog->findChild<QLineEdit*>("RotorMass")->setText("500");
            dialog->findChild<QPushButton*>("FillTrialMasses")->click();
            shown = dialog->findChild<QLabel*>("TrialWeightResult")->text();
            dialog->close();
            return true;
        });
        w.window->findChild<QPushButton*>("SizeTrialMasses")->click();
        QTRY_COMPARE(driver.Count, 1);
        QCOMPARE(prefilled, QStringList({"3000", "300"}));
        QVERIFY2(shown.contains("Плоскость 1. Пробная масса на плоскость: 8,28 г (не меньше "
                                "4,14 г)"),
                 qPrintable(shown));
        QVERIFY2(shown.contains("Плоскость 3. Пробная масса на плоскость: 4,14 г"),
                 qPrintable(shown));
        const QStringList masses = {"8,28", "7,5", "4,14", "abc"};
        for (int plane = 0; plane < 4; ++plane)
            QCOMPARE(w.document()->cellText(JobTable::Planes, plane, kTrialMass), masses[plane]);
        QCOMPARE(w.document()->undoStack()->index(), before + 1);
    }

    // The reading unit typed in the set-up labels the readings and the residual vibration; a
    // mass with its radius is also an unbalance, in g·mm (and oz·in for ounces).
    void units_data() {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<double>("trialRadius");
        QTest::addColumn<double>("correctionRadius");
        QTest::addColumn<QString>("unbalance");  // the plane 1 note's unbalance, or empty
        QTest::newRow("grams at the trial radius") << "г" << 100.0 << 0.0 << "г·мм";
        QTest::newRow("kilograms converted to the correction radius")
            << "кг" << 100.0 << 200.0 << "г·мм";
        QTest::newRow("ounces") << "oz" << 100.0 << 0.0 << "oz·in";
        QTest::newRow("a correction radius alone: the mass's radius is unknown")
            << "г" << 0.0 << 200.0 << "";
        QTest::newRow("percent is no mass") << "%" << 100.0 << 0.0 << "";
    }

    void units() {
        QFETCH(QString, unit);
        QFETCH(double, trialRadius);
        QFETCH(double, correctionRadius);
        QFETCH(QString, unbalance);
        Window w;
        Job job = LeastSquares();
        job.Unit = unit.toStdString();
        for (auto& plane : job.Plane) {
            plane.TrialRadius = trialRadius;
            plane.CorrectionRadius = correctionRadius;
        }
        w.document()->load(job, {});
        auto* field = w.window->findChild<QLineEdit*>("ReadingUnit");
        field->setFocus();
        QTest::sendKeyEvent(QTest::Press, field, Qt::Key_unknown, QStringLiteral("мкм"),
                            Qt::NoModifier);
        QCOMPARE(w.job().ReadingUnit, "мкм");
        QCOMPARE(w.table()->model()->headerData(0, Qt::Horizontal).toString(), "Т1 ампл., мкм");
        auto* residual = w.window->resultsView()->findChild<QTableWidget*>("Остаточная вибрация");
        QCOMPARE(residual->verticalHeaderItem(0)->text(), "Амплитуда, мкм");
        const double mass = w.document()->result().Planes[0].Mass;
        const double grams = unit == "кг" ? 1000 : unit == "oz" ? 28.349523125 : 1;
        const double radius = correctionRadius > 0 ? correctionRadius : trialRadius;
        const QString note = w.result(0, 7);
        if (unbalance.isEmpty()) {
            QVERIFY2(!note.contains("дисбаланс"), qPrintable(note));
        } else {
            QVERIFY2(note.contains(
                         QString("дисбаланс %1 г·мм").arg(ResultText(mass * grams * radius, ","))),
                     qPrintable(note));
            QVERIFY2(note.contains(unbalance), qPrintable(note));
        }
        w.document()->undoStack()->undo();
        QCOMPARE(field->text(), "");
    }

    // A new job asks for the trial masses: until each plane has one, corrections are in %.
    void newJobHasNoTrialMass() {
        Window w;
        w.document()->load(ExampleIn20Grams(), {});
        w.focus(w.table(), 0, 0);
        PressAll({"Ctrl+N"});
        QVERIFY(w.table()->hasFocus());
        QCOMPARE(w.table()->currentIndex(), w.table()->model()->index(0, 0));
        QCOMPARE(w.job().Plane[0].TrialMass, 0.0);
        Job typed = ExampleIn20Grams();
        for (auto& plane : typed.Plane) plane.TrialMass = 0.0;
        w.type(typed);
        QCOMPARE(w.document()->result().Result, balance4::job::Outcome::Calculated);
        QVERIFY(w.document()->result().PercentOnly);
        QCOMPARE(w.result(0, 1), QStringLiteral("33,63"));
    }

    // Readings of the control run belong to the job: saved, opened again, never carried into
    // another job.
    void controlRunBelongsToTheJob() {
        QTemporaryDir dir;
        const QString file = dir.filePath("control.json");
        Window w;
        w.document()->load(ExampleIn20Grams(), {});
        QApplication::clipboard()->setText(kControlRun.join('\t'));
        w.focus(w.window->trimPanel()->runTable(), 0, 0);
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
        QVERIFY(w.window->isWindowModified());
        QVERIFY(w.window->controller()->saveTo(file));
        QCOMPARE(w.document()->trimResult().Result, balance4::job::Outcome::Calculated);

        Window again;
        QVERIFY(again.window->controller()->openFile(file));
        QCOMPARE(again.cell(0, 7, again.window->trimPanel()->runTable()), QStringLiteral("310"));
        QCOMPARE(again.document()->trimResult().Result, balance4::job::Outcome::Calculated);
        again.window->controller()->newJob();
        QCOMPARE(again.cell(0, 0, again.window->trimPanel()->runTable()), QString());
        QVERIFY(again.job().ControlRun.empty());
        QCOMPARE(again.document()->trimResult().Result, balance4::job::Outcome::Refused);
    }

    // Recording a control run in the window gives the file balance4-calc gives for the same job
    // and readings with the correction fitted, apart from the date.
    void recordedLikeTheTool() {
        QTemporaryDir dir;
        Window w;
        w.document()->load(ExampleIn20Grams(), {});
        w.window->trimPanel()->findChild<QPushButton*>("InstalledFromResults")->click();
        QVERIFY(w.window->controller()->saveTo(dir.filePath("before.json")));
        w.document()->setCells(JobTable::ControlRun, ControlRunCells(), "control run");
        w.window->trimPanel()->recordButton()->click();
        QCOMPARE(w.job().TrimHistory.size(), std::size_t(1));
        QVERIFY(w.job().ControlRun.empty());
        QVERIFY(w.window->controller()->saveTo(dir.filePath("window.json")));

        QProcess tool;
        tool.start(QStringLiteral(BALANCE4_CALC),
                   {"trim", "--job", dir.filePath("before.json"), "--separator", ",", "--fitted",
                    "--save-job", dir.filePath("tool.json")});
        tool.write(kControlRun.join('\t').toUtf8() + "\n");
        tool.closeWriteChannel();
        QVERIFY(tool.waitForFinished(20000));
        QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
        QCOMPARE(WithoutDates(dir.filePath("window.json")),
                 WithoutDates(dir.filePath("tool.json")));
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
        const Job before = w.job();
        ModalDriver driver;
        QVERIFY(!w.window->controller()->openFile(file));
        QCOMPARE(driver.Count, 1);
        QVERIFY2(driver.Seen.join("").contains("damaged.json"), qPrintable(driver.Seen.join("")));
        QCOMPARE(w.job(), before);
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
        QVERIFY(w.window->controller()->saveTo(file));
        w.focus(w.table(), 0, 0);
        PressAll({"9", "Enter"});
        QVERIFY(w.document()->isModified());
        const auto answer = Answer(button);
        QCOMPARE(w.window->close(), closed);
        QCOMPARE(answer->Count, 1);
        std::string error;
        const auto onDisk = balance4::job::LoadJobFile(file.toStdString(), error);
        QVERIFY(onDisk);
        QCOMPARE(onDisk->Readings[0][0].Amplitude == "9", saved);
        // The recovery copy goes with the question answered, and stays with the window open.
        w.document()->recovery()->flush();
        QCOMPARE(QFile::exists(w.document()->recovery()->path()), !closed);
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

    // F1 opens the manual through the calculator's opener; a missing manual is told.
    void manualKey() {
        Window w;
        auto* manual = new RecordingOpener;
        w.window.reset();
        JobWindow window(manual, w.recovery.path());
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ModalDriver driver;
        QTest::keyClick(&window, Qt::Key_F1);
        QTRY_COMPARE(driver.Count, 1);
        QCOMPARE(manual->requests, QStringList{kManualFileName});
        QVERIFY(driver.Seen.join("").endsWith(
            QStringLiteral("Не удалось открыть руководство: нет программы для просмотра PDF")));
        window.document()->recovery()->remove();
        delete manual;
    }

    // F1 asks for the job window's chapter and tells how far that got: at the chapter, at page 1
    // with the chapter's page in the status bar, or in its own words when no viewer started. The
    // chapter's page comes from the manual's named destination; the viewers' command lines take it.
    void manualAtChapter() {
        struct Row {
            ManualOpening::Outcome what;
            int page;
            QString status;   // the status bar's line, or empty
            QString message;  // the message box's text, or empty
        };
        const QString chapter = QStringLiteral("«Окно балансировки balance4-job»");
        const Row rows[] = {
            {ManualOpening::Outcome::AtChapter, 23,
             "Руководство открыто на главе " + chapter + ", страница 23", ""},
            {ManualOpening::Outcome::AtFirstPage, 23,
             "Руководство открыто на первой странице; глава " + chapter + ", страница 23", ""},
            {ManualOpening::Outcome::NoViewer, 23, "",
             "Не удалось открыть руководство: нет программы для просмотра PDF"},
        };
        for (const Row& row : rows) {
            Window w;
            ChapterAnswer manual;
            manual.answer = {row.what, row.page};
            w.window.reset();
            JobWindow window(&manual, w.recovery.path());
            window.show();
            QApplication::setActiveWindow(&window);
            QVERIFY(QTest::qWaitForWindowActive(&window));
            ModalDriver driver;
            QTest::keyClick(&window, Qt::Key_F1);
            QCOMPARE(manual.places, QStringList{"job"});
            if (row.message.isEmpty()) {
                QCOMPARE(window.statusBar()->currentMessage(), row.status);
            } else {
                QTRY_COMPARE(driver.Count, 1);
                QVERIFY2(driver.Seen.join("").endsWith(row.message),
                         qPrintable(driver.Seen.join("")));
            }
            window.document()->recovery()->remove();
        }

        const QByteArray pdf =
            "1 0 obj\n<<\n/Type /Pages\n/Kids [ 6 0 R 8 0 R 210 0 R 244 0 R ]\n/Count 4\n>>\n"
            "3 0 obj\n<< /Names << /Dests << /Names [ (about) [ 8 0 R /XYZ 56 418 0 ] "
            "(job) [ 244 0 R /XYZ 56 754 0 ] (job-files) [ 210 0 R /XYZ 56 300 0 ] ] >> >> >>\n";
        QCOMPARE(NamedDestinationPage(pdf, "job"), 4);
        QCOMPARE(NamedDestinationPage(pdf, "about"), 2);
        QCOMPARE(NamedDestinationPage(pdf, "calc"), 0);
        QCOMPARE(ViewerCommandAt("org.gnome.Evince.desktop", "/m.pdf", "job", 4),
                 (QStringList{"evince", "--named-dest=job", "/m.pdf"}));
        QCOMPARE(ViewerCommandAt("okularApplication_pdf.desktop", "/m.pdf", "job", 4),
                 (QStringList{"okular", "--page", "4", "/m.pdf"}));
        QCOMPARE(ViewerCommandAt("firefox-esr.desktop", "/m.pdf", "job", 4),
                 (QStringList{"firefox", "file:///m.pdf#nameddest=job"}));
        QVERIFY(ViewerCommandAt("okularApplication_pdf.desktop", "/m.pdf", "job", 0).isEmpty());
        QVERIFY(ViewerCommandAt("org.kde.gwenview.desktop", "/m.pdf", "job", 4).isEmpty());
    }

    // Every control a user can reach has a name for screen readers.
    void accessibleNames() {
        Window w;
        w.document()->load(ExampleIn20Grams(), {});
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

    // Random edits, pastes, shape changes, repeat rows, undo and calculations never crash or hang
    // the window.
    void randomEdits() {
        Window w;
        w.document()->setAsynchronous(true);
        w.document()->load(balance4::job::ExampleJob(), {});
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
        auto* planes = w.window->findChild<QSpinBox*>("Planes");
        const QList<SheetView*> views = w.window->findChildren<SheetView*>();
        for (int i = 0; i < 5000; ++i) {
            SheetView* view = views[random.bounded(views.size())];
            auto* model = static_cast<JobTableModel*>(view->model());
            const int row = int(random.bounded(std::max(model->rowCount(), 1)));
            const int column = int(random.bounded(std::max(model->columnCount(), 1)));
            switch (random.bounded(12)) {
                case 0: {
                    QString block;
                    for (int k = 0, n = int(random.bounded(60)); k < n; ++k)
                        block += texts[random.bounded(texts.size())] +
                                 (random.bounded(4) == 0 ? "\n" : "\t");
                    model->paste(row, column, block);
                    break;
                }
                case 1:
                    planes->setValue(1 + int(random.bounded(8)));
                    break;
                case 2:
                    w.document()->undoStack()->undo();
                    break;
                case 3:
                    w.document()->undoStack()->redo();
                    break;
                case 4:
                    w.document()->recordControlRun();
                    break;
                case 5: {
                    SheetView* readings = w.table();
                    readings->setCurrentIndex(readings->model()->index(
                        int(random.bounded(std::max(readings->model()->rowCount(), 1))), 0));
                    w.window->findChild<QAction*>(random.bounded(2) ? "AddRepeat" : "RemoveRepeat")
                        ->trigger();
                    break;
                }
                default:
                    model->setBlock(row, column, {{texts[random.bounded(texts.size())]}}, "edit");
            }
            if (i % 500 == 0) QCoreApplication::processEvents();
        }
        QSignalSpy shown(w.window.get(), &JobWindow::resultsShown);
        w.document()->load(balance4::job::ExampleJob(), {});
        QVERIFY(shown.wait(10000));
        QCOMPARE(w.document()->result().Result, balance4::job::Outcome::Calculated);
    }

    // Min-max leaves a smaller worst point than least squares, shown side by side; a mass limit
    // typed into its cell holds every mass, is one undo step and is saved; a refused limit is red.
    void optimisedSideBySide() {
        Window w;
        Job job = LeastSquares();
        w.document()->load(job, {});
        w.window->findChild<QComboBox*>("Objective")->setCurrentIndex(1);
        QCOMPARE(w.job().Optimise.Goal, balance4::job::Objective::MinMax);
        const auto* comparison = w.window->findChild<QTableWidget*>("OptimisedComparison");
        const auto figure = [comparison](int row, int column) {
            return ReadNumberText(comparison->item(row, column)->text()).value_or(-1.0);
        };
        QVERIFY(figure(0, 1) < figure(0, 0) * 0.99);  // the worst point
        QVERIFY(figure(2, 1) >= figure(2, 0));        // least squares has the smaller RMS
        auto* massLimits = w.window->findChild<SheetView*>("MassLimits");
        w.focus(massLimits, 0, 0);
        PressAll({"1,5", "Enter"});
        QCOMPARE(w.job().Optimise.MassLimit, std::vector<double>{1.5});
        QCOMPARE(w.document()->result().Result, balance4::job::Outcome::Calculated);
        QVERIFY(w.document()->result().Planes[0].Mass <= 1.5 + 1e-12);
        QVERIFY(w.document()->result().Planes[0].Mass > 1.49);  // the limit binds
        auto* pointLimits = w.window->findChild<SheetView*>("PointLimits");
        w.focus(pointLimits, 0, 1);
        PressAll({"-2", "Enter"});
        QVERIFY(!pointLimits->model()
                     ->index(0, 1)
                     .data(JobTableModel::RefusalRole)
                     .toString()
                     .isEmpty());
        PressAll({"Ctrl+Z", "Ctrl+Z"});
        QVERIFY(w.job().Optimise.MassLimit.empty());
        QCOMPARE(w.job().Optimise.Goal, balance4::job::Objective::MinMax);
    }

    // A second speed is added and typed in its own tab; the first speed's readings stay, and
    // the results show each speed's residuals.
    void secondSpeed() {
        Window w;
        const Job job = LeastSquares();
        w.document()->load(job, {});
        w.window->findChild<QPushButton*>("AddSpeed")->click();
        QCOMPARE(w.job().Speeds(), 2);
        auto* tabs = w.window->findChild<QTabBar*>("SpeedTabs");
        QCOMPARE(tabs->currentIndex(), 1);
        auto* more = w.window->findChild<SheetView*>("SpeedReadings");
        QTRY_VERIFY(more->hasFocus());
        // The same runs read at the other speed, the first run moved: the speeds disagree.
        for (int run = 0; run <= job.Planes(); ++run)
            for (int point = 0; point < job.Points; ++point)
                PressAll({run == 0 ? QString("%1,5").arg(point + 4)
                                   : QString::fromStdString(job.Readings[run][point].Amplitude),
                          "Enter", QString::fromStdString(job.Readings[run][point].Phase),
                          "Enter"});
        QCOMPARE(w.job().MoreSpeeds[0].Readings[0][2].Amplitude, std::string("6,5"));
        QCOMPARE(w.job().MoreSpeeds[0].Readings[2][2], job.Readings[2][2]);
        QCOMPARE(w.job().Readings, job.Readings);
        QCOMPARE(w.document()->result().Result, balance4::job::Outcome::Calculated);
        const auto* residuals = w.window->findChild<QTableWidget*>("SpeedResiduals");
        QCOMPARE(residuals->rowCount(), 2);
        QVERIFY(residuals->item(1, 2) && !residuals->item(1, 2)->text().isEmpty());
        // With a third speed, Enter on the second speed's last cell never goes on into the
        // third speed's hidden rows.
        w.window->findChild<QPushButton*>("AddSpeed")->click();
        tabs->setCurrentIndex(1);
        w.focus(more, job.Planes(), job.Points * 2 - 1);
        PressAll({"7", "Enter"});
        QVERIFY(!more->isRowHidden(more->currentIndex().row()));
        QCOMPARE(w.job().MoreSpeeds[0].Readings[2][2].Phase, std::string("7"));
        QVERIFY(w.job().MoreSpeeds[1].Readings[0][0].Amplitude.empty());
        tabs->setCurrentIndex(0);
        QVERIFY(w.table()->isVisible() && !more->isVisible());
    }

    // The weights placed from the box never use more of a mass than the box holds.
    void boxNeverExceeded() {
        Window w;
        Job job = LeastSquares();
        for (auto& plane : job.Plane) plane.Holes = 8;
        job.Optimise.Box.Seconds = 0.5;
        job.Optimise.Box.PerHole = 2;
        w.document()->load(job, {});
        auto* box = w.window->findChild<SheetView*>("WeightBox");
        w.focus(box, 0, 0);
        PressAll({"2", "Tab", "3", "Enter", "5", "Tab", "1", "Enter"});
        QCOMPARE(w.job().Optimise.Box.Masses.size(), std::size_t(2));
        QCOMPARE(w.document()->result().Result, balance4::job::Outcome::Calculated);
        const auto* holes = w.window->findChild<QTableWidget*>("BoxHoles");
        QVERIFY(holes->rowCount() > 0);
        QMap<QString, int> used;
        for (int row = 0; row < holes->rowCount(); ++row)
            for (const QString& mass : holes->item(row, 3)->text().split(" + ")) ++used[mass];
        QVERIFY2(used.value("2") <= 3 && used.value("5") <= 1 && used.size() <= 2,
                 qPrintable(QStringList(used.keys()).join(' ')));
        const balance4::job::JobResult& result = w.document()->result();
        QVERIFY(result.Box && result.Box->Found);
    }

    // A long search for the box's weights gives way to a later edit at once, on the worker.
    void boxSearchSuperseded() {
        Window w;
        Job job = ExampleIn20Grams();
        for (auto& plane : job.Plane) plane.Holes = 24;
        job.Optimise.Goal = balance4::job::Objective::MinMax;
        job.Optimise.Box = {{{1, 8}, {2, 8}, {3, 6}, {5, 8}, {7, 4}, {10, 8}, {20, 4}}, 3, 60.0};
        w.document()->setAsynchronous(true);
        QElapsedTimer clock;
        clock.start();
        w.document()->load(job, {});
        QTest::qWait(300);
        QVERIFY(!w.document()->result().Box);  // still searching; the window answers meanwhile
        w.document()->edit("time", [](Job& j) { j.Optimise.Box.Seconds = 0.5; });
        QTRY_VERIFY_WITH_TIMEOUT(
            w.document()->calculatedJob().Optimise.Box.Seconds == 0.5 && w.document()->result().Box,
            20000);
        QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_MAIN(JobWindowTest)
#include "job_window_test.moc"
