// Keystroke to repainted results in the job window, offscreen, for a 4-plane × 8-point job with
// its spread and a control run (so that both the calculation and the control run's are redone on
// the worker thread after every edit): a reading is typed into the table and Enter pressed; the
// time runs from the Enter key to the end of the next paint of the results table after the new
// results arrived. Prints the median, 90th and 99th percentiles and the largest of the samples, in
// milliseconds.
// With `acceptance`, the control run is recorded first and the «Приёмка» tab is in front: the time
// runs from the Enter key until both the results and the tab's new figures are shown, and the
// window thread's own CPU time for each key is reported too, since the tab must not calculate
// there.
//   balance4-job-keystroke-probe [samples] [acceptance]   (default 300)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "acceptance_view.h"

#include "job/calculate.h"
#include "job/job.h"
#include "job_document.h"
#include "job_window.h"
#include "manual_opener.h"
#include "recovery_file.h"
#include "results_view.h"
#include "sheet_view.h"

namespace {

class NoManual : public ManualOpener {
  public:
    void open(const QString&, Done done) override { done(false); }
};

// Readings made from chosen coefficients and an unbalance, so that the job has a solution.
balance4::job::Job FourPlanesEightPoints() {
    balance4::job::Job job = balance4::job::MakeJob(4, 8);
    job.Unit = "г";
    job.Separator = ".";  // as the texts below are written
    for (balance4::job::PlaneSetup& plane : job.Plane) plane.TrialMass = 20.0;
    QRandomGenerator random(4808);
    const auto text = [](double value) { return QString::number(value, 'f', 1).toStdString(); };
    for (int run = 0; run <= 4; ++run) {
        for (int point = 0; point < 8; ++point) {
            job.Readings[run][point] = {text(2.0 + random.bounded(18.0)),
                                        text(random.bounded(360.0))};
        }
    }
    return job;
}

// Counts paints of a widget.
class PaintWatch : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

double Percentile(std::vector<double> samples, double p) {
    std::sort(samples.begin(), samples.end());
    return samples[std::min(samples.size() - 1, std::size_t(p * double(samples.size())))];
}

// CPU time of the calling thread, in milliseconds.
double ThreadMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

void PrintFigures(const char* what, const std::vector<double>& samples) {
    std::printf("%s: median %.2f ms, p90 %.2f ms, p99 %.2f ms, max %.2f ms\n", what,
                Percentile(samples, 0.5), Percentile(samples, 0.9), Percentile(samples, 0.99),
                Percentile(samples, 1.0));
}

// Keystrokes with the control run recorded and the «Приёмка» tab in front.
int AcceptanceProbe(JobWindow& window, int samples) {
    JobDocument* document = window.document();
    while (document->trimResult().Result != balance4::job::Outcome::Calculated)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (!document->recordControlRun()) return 2;
    auto* view = window.findChild<AcceptanceView*>(QStringLiteral("AcceptanceView"));
    window.findChild<QTabWidget*>(QStringLiteral("ResultTabs"))->setCurrentWidget(view);
    bool shown = false;
    bool refreshed = false;
    QObject::connect(&window, &JobWindow::resultsShown, [&shown] { shown = true; });
    QObject::connect(view, &AcceptanceView::refreshed, [&refreshed] { refreshed = true; });
    SheetView* table = window.readingsTable();
    table->setFocus();

    std::vector<double> latencies;
    std::vector<double> windowThread;
    int failures = 0;
    QElapsedTimer clock;
    for (int i = 0; i < samples + 10; ++i) {
        table->setCurrentIndex(table->model()->index(i % 5, (i % 8) * 2));
        QTest::keyClicks(table, QString::number(3 + i % 7));
        QCoreApplication::processEvents();
        shown = refreshed = false;
        clock.restart();
        const double cpu = ThreadMilliseconds();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        // Asleep while the worker calculates: the thread's CPU time is its own work only.
        while (!(shown && refreshed)) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (clock.elapsed() > 5000) {
                ++failures;
                break;
            }
        }
        const double latency = double(clock.nsecsElapsed()) / 1e6;
        QCoreApplication::processEvents();  // the paints the new figures asked for
        const double own = ThreadMilliseconds() - cpu;
        if (i >= 10) {  // 10 warm-ups
            latencies.push_back(latency);
            windowThread.push_back(own);
        }
    }
    std::printf("«Приёмка» in front, control run recorded, 4 planes x 8 points, %d samples\n",
                samples);
    PrintFigures("keystroke to results and figures shown", latencies);
    PrintFigures("window thread CPU per keystroke", windowThread);
    if (failures) std::printf("some results never came\n");
    document->recovery()->remove();
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("balance4-job-probe"));
    const int samples = argc > 1 ? std::max(20, atoi(argv[1])) : 300;
    const bool acceptance = argc > 2 && std::strcmp(argv[2], "acceptance") == 0;

    NoManual manual;
    JobWindow window(&manual, QDir::tempPath() + QStringLiteral("/balance4-job-probe"));
    window.resize(1366, 768);
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window)) return 2;
    JobDocument* document = window.document();
    document->load(FourPlanesEightPoints(), {});
    {
        // A control run over the job's own coefficients: its trim is redone with every edit too.
        QList<JobDocument::CellEdit> run;
        for (int column = 0; column < 16; ++column)
            run.append({0, column, column % 2 ? QStringLiteral("120") : QStringLiteral("1.5")});
        document->setCells(JobTable::ControlRun, run, QStringLiteral("control run"));
    }
    bool shown = false;
    QObject::connect(&window, &JobWindow::resultsShown, [&shown] { shown = true; });
    PaintWatch watch;
    window.resultsView()->planeTable()->viewport()->installEventFilter(&watch);
    SheetView* table = window.readingsTable();
    table->setFocus();

    // The control run needs the job's coefficients, from its first calculation.
    while (!document->job().Saved) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (acceptance) return AcceptanceProbe(window, samples);

    // How long the calculation alone takes, for comparison.
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 20; ++i) balance4::job::Calculate(document->job());
    const double calculation = double(clock.nsecsElapsed()) / 20e6;
    clock.restart();
    for (int i = 0; i < 20; ++i) balance4::job::Trim(document->job(), document->job().ControlRun);
    const double trim = double(clock.nsecsElapsed()) / 20e6;

    std::vector<double> latencies;
    int failures = 0;
    for (int i = 0; i < samples + 10; ++i) {
        table->setCurrentIndex(table->model()->index(i % 5, (i % 8) * 2));
        QTest::keyClicks(table, QString::number(3 + i % 7));
        shown = false;
        const int paintsBefore = watch.paints;
        clock.restart();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        while (!(shown && watch.paints > paintsBefore)) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (clock.elapsed() > 5000) {
                ++failures;
                break;
            }
        }
        if (i >= 10) latencies.push_back(double(clock.nsecsElapsed()) / 1e6);  // 10 warm-ups
    }
    std::printf("keystroke to repainted results, 4 planes x 8 points with spread, %d samples\n",
                samples);
    std::printf("calculation alone: %.2f ms, control run alone: %.2f ms\n", calculation, trim);
    std::printf("median %.2f ms, p90 %.2f ms, p99 %.2f ms, max %.2f ms%s\n",
                Percentile(latencies, 0.5), Percentile(latencies, 0.9), Percentile(latencies, 0.99),
                Percentile(latencies, 1.0), failures ? ", some results never came" : "");
    document->recovery()->remove();
    return failures == 0 ? 0 : 1;
}
