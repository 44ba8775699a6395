// Renders the job window at 1366 × 768 for the manual, offscreen, into a folder:
//   job-window.png          the built-in example with 20 g trial weights, light palette
//   job-window-dark.png     the same under a dark palette
//   job-window-1plane.png   a one-plane job with 12 holes
//   job-window-8planes.png  an eight-plane job with ten points
//   job-window-optimised.png  min-max with a mass limit, a box of weights and a second speed,
//                             whose readings show
//   job-window-acceptance.png  a published two-plane job after a control run, «Приёмка» tab
//   job-report-acceptance.pdf  that job's report, to look at its concluding first page
//   job-window-repeats.png  the example read in мкм, run 0 read again, radii given
// Re-run after changing the window: build/tools/balance4_render_job_window docs
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPalette>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <complex>
#include <cstdio>

#include "../tests/job_window/published_job.h"
#include "job/calculate.h"
#include "job/job.h"
#include "job_calculator.h"
#include "job_document.h"
#include "job_window.h"
#include "manual_opener.h"
#include "recovery_file.h"
#include "report/job_report.h"

namespace {

class NoManual : public ManualOpener {
  public:
    void open(const QString&, Done done) override { done(false); }
};

std::string Text(double value) {
    std::string text = QString::number(value, 'f', 2).toStdString();
    text[text.find('.')] = ',';
    return text;
}

// Readings made from chosen influence coefficients and a chosen unbalance, rounded as an
// instrument shows them, so that the job has a sound solution.
balance4::job::Job Synthetic(int planes, int points, unsigned seed) {
    balance4::job::Job job = balance4::job::MakeJob(planes, points);
    job.Title = "Ротор насоса";
    job.Machine = "НПС-3, агрегат " + std::to_string(planes);
    job.Date = "09.12.2026";
    job.Speed = "2980 об/мин";
    job.Who = "Иванов И. И.";
    job.Unit = "г";
    std::srand(seed);
    const auto uniform = [] { return double(std::rand()) / RAND_MAX; };
    using Row = std::vector<std::complex<double>>;
    std::vector<Row> a(static_cast<std::size_t>(points), Row(static_cast<std::size_t>(planes)));
    for (int p = 0; p < points; ++p) {
        for (int k = 0; k < planes; ++k) {
            const double near = (p * planes / points == k) ? 1.0 : 0.25;
            a[p][k] = std::polar(near * (0.05 + 0.1 * uniform()), 6.283 * uniform());
        }
    }
    Row unbalance(static_cast<std::size_t>(planes));
    for (int k = 0; k < planes; ++k) {
        unbalance[k] = std::polar(20.0 + 40.0 * uniform(), 6.283 * uniform());
        job.Plane[k].TrialMass = 30.0;
        job.Plane[k].Holes = 12;
    }
    const auto reading = [](std::complex<double> v) {
        return balance4::job::ReadingText{
            Text(std::abs(v)), Text(std::fmod(std::arg(v) * 57.29577951308232 + 360.0, 360.0))};
    };
    for (int p = 0; p < points; ++p) {
        std::complex<double> v0 = 0;
        for (int k = 0; k < planes; ++k) v0 += a[p][k] * unbalance[k];
        job.Readings[0][p] = reading(v0);
        for (int k = 0; k < planes; ++k) job.Readings[k + 1][p] = reading(v0 + a[p][k] * 30.0);
    }
    return job;
}

balance4::job::Job ExampleIn20Grams() {
    balance4::job::Job job = balance4::job::ExampleJob();
    job.Title = "Пример калькулятора";
    job.Machine = "Стенд";
    job.Date = "09.12.2026";
    job.Speed = "3000 об/мин";
    job.Unit = "г";
    for (auto& plane : job.Plane) {
        plane.TrialMass = 20.0;
        plane.Holes = 12;
    }
    return job;
}

// The example with a repeat of run 0 (one phase 10° off), a reading unit and radii: the repeat
// row, the scatter from the repeats, the unit in the headings and the unbalance in g·mm.
balance4::job::Job ExampleWithRepeats() {
    balance4::job::Job job = ExampleIn20Grams();
    job.ReadingUnit = "мкм";
    for (auto& plane : job.Plane) plane.TrialRadius = 150.0;
    job.Repeats = {{0, job.Readings[0]}};
    job.Repeats[0].Readings[1].Phase = "279";
    return job;
}

QPalette DarkPalette() {
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(50, 50, 54));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(55, 55, 60));
    dark.setColor(QPalette::ButtonText, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    dark.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
    dark.setColor(QPalette::PlaceholderText, QColor(150, 150, 150));
    return dark;
}

// Min-max with a mass limit, a box of weights and a second speed whose readings differ.
balance4::job::Job Optimised() {
    balance4::job::Job job = Synthetic(3, 6, 5);
    job.Optimise.Goal = balance4::job::Objective::MinMax;
    job.Optimise.MassLimit = {25.0, 0.0, 0.0};
    job.Optimise.Box.Masses = {{5.0, 4}, {10.0, 3}, {20.0, 2}};
    job.Optimise.Box.PerHole = 2;
    job.Optimise.Box.Seconds = 1.0;
    balance4::job::SpeedReadings second{"3200 об/мин", job.Readings};
    // The first run differs at the second speed, so that no one correction suits both.
    for (auto& reading : second.Readings[0]) {
        reading.Amplitude.replace(reading.Amplitude.find(','), 1, ".");
        reading.Amplitude = Text(std::stod(reading.Amplitude) * 1.3);
        reading.Phase.replace(reading.Phase.find(','), 1, ".");
        reading.Phase = Text(std::fmod(std::stod(reading.Phase) + 25.0, 360.0));
    }
    job.MoreSpeeds.push_back(second);
    return job;
}

// `optimised`: the set-up scrolled to its end and the second speed's readings shown.
bool Render(const balance4::job::Job& job, const QString& path, int tab, bool optimised = false) {
    NoManual manual;
    QTemporaryDir recovery;
    JobWindow window(&manual, recovery.path());
    window.document()->setAsynchronous(false);
    window.resize(1366, 768);
    window.show();
    window.document()->load(
        job, QStringLiteral("/home/engineer/") + QFileInfo(path).baseName() + ".json");
    window.findChild<QTabWidget*>(QStringLiteral("ResultTabs"))->setCurrentIndex(tab);
    if (optimised) {
        window.findChild<QTabBar*>(QStringLiteral("SpeedTabs"))->setCurrentIndex(1);
        QScrollBar* bar =
            window.findChild<QScrollArea*>(QStringLiteral("SetupScroll"))->verticalScrollBar();
        bar->setValue(bar->maximum());
    }
    QTest::qWait(50);
    bool saved = window.grab().save(path);
    // The acceptance tab's whole content as well, pictures included.
    if (auto* view = window.findChild<QWidget*>(QStringLiteral("AcceptanceView"));
        view && view->isVisible()) {
        auto* scroll = view->findChild<QScrollArea*>();
        saved = scroll->widget()->grab().save(QString(path).replace(".png", "-tab.png")) && saved;
    }
    window.document()->recovery()->remove();
    return saved;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("LC_ALL", "ru_RU.UTF-8");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("balance4-job-render"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    bool ok = Render(ExampleIn20Grams(), dir.filePath("job-window.png"), 0);
    ok = Render(Synthetic(1, 1, 7), dir.filePath("job-window-1plane.png"), 1) && ok;
    ok = Render(Synthetic(8, 10, 11), dir.filePath("job-window-8planes.png"), 0) && ok;
    ok = Render(Optimised(), dir.filePath("job-window-optimised.png"), 3, true) && ok;
    ok =
        Render(published::JobWithAControlRun(), dir.filePath("job-window-acceptance.png"), 4) && ok;
    {
        const balance4::job::Job job = published::JobWithAControlRun();
        QString error;
        ok =
            balance4::jobwindow::WriteReportPdf(job, balance4::job::Calculate(job),
                                                dir.filePath("job-report-acceptance.pdf"), error) &&
            ok;
    }
    ok = Render(ExampleWithRepeats(), dir.filePath("job-window-repeats.png"), 0) && ok;
    QApplication::setPalette(DarkPalette());
    ok = Render(ExampleIn20Grams(), dir.filePath("job-window-dark.png"), 0) && ok;
    return ok ? 0 : 1;
}
