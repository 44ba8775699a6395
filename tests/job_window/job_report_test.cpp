// The job report read back from its PDF, and the disc picture as a person sees it.
#include <algorithm>
#include <cmath>
#include <complex>
#include <string>

#include <QImage>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "job/calculate.h"
#include "job/job.h"
#include "job_picture.h"
#include "job_report.h"
#include "published_job.h"
#include "report_layout.h"

Q_DECLARE_METATYPE(balance4::job::Job)

using namespace balance4;
using balance4::jobwindow::JobPicture;
using balance4::jobwindow::PlaneSketch;
using balance4::jobwindow::PlaneTexts;
using balance4::jobwindow::ReportTable;
using balance4::jobwindow::SketchPart;
using balance4::jobwindow::SketchPosition;
using balance4::jobwindow::SketchView;

namespace {

// The calculator's example with 20 g trial weights and 12 holes per plane.
job::Job Example20g() {
    job::Job job = job::ExampleJob();
    job.Unit = "г";
    for (job::PlaneSetup& plane : job.Plane) {
        plane.TrialMass = 20.0;
        plane.Holes = 12;
    }
    return job;
}

// A one-plane job whose trial weight hardly moved the vibration.
job::Job WeakTrial() {
    job::Job job = job::MakeJob(1, 1);
    job.Readings[0][0] = {"10", "0"};
    job.Readings[1][0] = {"10,1", "1"};
    return job;
}

// The example read in µm, run 0 read again 10° off at point 1, plane 1's weights at 100 mm.
job::Job RepeatedInMicrometres() {
    job::Job job = Example20g();
    job.ReadingUnit = "мкм";
    job.Plane[0].TrialRadius = 100.0;
    job.Repeats = {{0, job.Readings[0]}};
    const double phase = std::stod(job.Readings[0][0].Phase);  // whole degrees
    job.Repeats[0].Readings[0].Phase = std::to_string(int(std::fmod(phase + 10, 360)));
    return job;
}

// M. S. Darlow's second case: 4 points, 3 planes, the third all but a copy of the second; trial
// weights of 1 at the zero mark.
job::Job TwinPlanes() {
    using C = std::complex<double>;
    const std::vector<std::vector<C>> alpha = {{{1, 1}, {3, 2}, {3, 2}},
                                               {{1, 3}, {2, 1}, {2, 1}},
                                               {{2, 2}, {4, 3}, {4, 3}},
                                               {{3, 1}, {3, 2}, {4, 2}}};
    const std::vector<C> first = {{1, 3}, {3, 1}, {4, 1}, {2, 5}};
    const auto text = [](C v) {
        const double degrees = std::fmod(std::arg(v) * 180.0 / M_PI + 360.0, 360.0);
        return job::ReadingText{QString::number(std::abs(v), 'f', 6).toStdString(),
                                QString::number(degrees, 'f', 6).toStdString()};
    };
    job::Job job = job::MakeJob(3, 4);
    job.Separator = ".";
    for (job::PlaneSetup& plane : job.Plane) plane.TrialMass = 1.0;
    for (std::size_t p = 0; p < 4; ++p) {
        job.Readings[0][p] = text(first[p]);
        for (std::size_t k = 0; k < 3; ++k) job.Readings[k + 1][p] = text(first[p] + alpha[p][k]);
    }
    return job;
}

job::Job NoSolution() {
    job::Job job = job::MakeJob(2, 2);
    for (auto& run : job.Readings)
        for (auto& reading : run) reading = {"5", "30"};
    return job;
}

// The PDF's text with runs of blanks made one, so that wrapped cells still match.
QString PdfText(const QString& path, int lastPage = 0) {
    QProcess process;
    QStringList arguments = {QStringLiteral("-layout"), path, QStringLiteral("-")};
    if (lastPage > 0) arguments << QStringLiteral("-l") << QString::number(lastPage);
    process.start(QStringLiteral("pdftotext"), arguments);
    if (!process.waitForFinished(20000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

}  // namespace

class JobReportTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia)); }

    void pdfText_data() {
        QTest::addColumn<job::Job>("job");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("mostPages");
        QTest::addColumn<QStringList>("firstPage");  // on page 1

        QTest::newRow("built-in example, 20 g: results, split, numbering")
            << Example20g()
            << QStringList{"6,73 г",
                           "282,20",
                           "226,05",
                           "±",
                           "4,11 г в отверстие 10 (270°)",
                           "Страница 1 из",
                           "Точка 4",
                           "Коэффициенты влияния"}
            << 6 << QStringList{};
        job::Job hostile = Example20g();
        hostile.Title = "<b>x</b>&amp;";
        hostile.Machine = "<i>насос</i>\n№2";
        hostile.Who = "&lt;Иванов&gt;";
        hostile.Unit = "<u>г</u>";
        QTest::newRow("typed texts appear literally, never as markup")
            << hostile
            << QStringList{"<b>x</b>&amp;", "<i>насос</i> №2", "&lt;Иванов&gt;", "Масса, <u>г</u>"}
            << 6 << QStringList{};
        job::Job typedWithPoint = Example20g();
        typedWithPoint.Separator = ".";
        for (auto& run : typedWithPoint.Readings)
            for (job::ReadingText& reading : run) {
                std::replace(reading.Amplitude.begin(), reading.Amplitude.end(), ',', '.');
                std::replace(reading.Phase.begin(), reading.Phase.end(), ',', '.');
            }
        QTest::newRow("readings typed with a point: the calculator's own texts in the locale's")
            << typedWithPoint << QStringList{"33,63", "282,20 282,20", "123,26"} << 6
            << QStringList{};
        job::Job longTitle = Example20g();
        longTitle.Title = "Начало" + std::string(20000, 'W') + " конец";
        QTest::newRow("a very long title is cut, the report stays short")
            << longTitle << QStringList{"Начало", "…", "Страница 1 из", "6,73"} << 6
            << QStringList{};
        QTest::newRow("weak trial run: the untrusted banner with its reason")
            << WeakTrial() << QStringList{"НЕДОСТОВЕРНО", "Не устанавливайте", "слабый отклик"} << 4
            << QStringList{};
        job::Job optimised = Example20g();
        optimised.Points = 5;
        job::Reshape(optimised, 4, 5);
        for (std::size_t run = 0; run < optimised.Readings.size(); ++run)
            optimised.Readings[run][4] = optimised.Readings[run][(run + 1) % 4];
        optimised.Optimise.Goal = job::Objective::MinMax;
        optimised.Optimise.MassLimit = {5.0};
        optimised.Optimise.Box = {{{2.0, 4}, {5.0, 2}}, 2, 0.5};
        QTest::newRow("min-max with a mass limit and a box: the objective, limits and weights")
            << optimised
            << QStringList{"Цель: наименьшая наибольшая остаточная вибрация (минимакс).",
                           "Пределы массы по плоскостям, г: 5,00.", "среднеквадратичная",
                           "Набор 2×4; 5×2 г, до 2 в отверстие"}
            << 8 << QStringList{};
        QTest::newRow("repeats and units: the scatter used, warnings, unbalance, reading unit")
            << RepeatedInMicrometres() << QStringList{"Единица показаний мкм",
                                                      "ампл., мкм",
                                                      "0 — повтор",
                                                      "по разбросу повторных показаний",
                                                      "Внимание:",
                                                      "пробный груз велик",
                                                      "г·мм"}
            << 6 << QStringList{};
        QTest::newRow("twin planes are named in the report")
            << TwinPlanes() << QStringList{"Плоскости 2 и 3 действуют почти одинаково"} << 6
            << QStringList{};
        QTest::newRow("singular system: no numbers, the reason")
            << NoSolution() << QStringList{"Решения нет", "Страница 1 из"} << 4 << QStringList{};
        // The first page concludes: limit, before and after, verdict, balance grade, weights.
        QTest::newRow("published job after a control run, with a limit: verdict on page 1")
            << published::JobWithAControlRun()
            << QStringList{"Приёмка: вибрация по пускам", "Коэффициенты влияния уточнены"} << 8
            << QStringList{"Стенд, ротор Р-2",
                           "3000 об/мин",
                           "2,80 во всех точках",
                           "1 30,00 0,67 0,00 2,80 в норме",
                           "Итог: вибрация в норме во всех точках (контрольный пуск 1).",
                           "Допуск ISO 21940-11, G 6,3: выполнен",
                           "в отверстие",
                           "Вибрация по пускам"};
    }

    void pdfText() {
        QFETCH(job::Job, job);
        QFETCH(QStringList, expected);
        QFETCH(int, mostPages);
        QFETCH(QStringList, firstPage);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("отчёт.pdf"));
        QString error;
        QVERIFY2(jobwindow::WriteReportPdf(job, job::Calculate(job), path, error),
                 qPrintable(error));
        const QString text = PdfText(path);
        QVERIFY2(!text.isEmpty(), "pdftotext read nothing");
        for (const QString& piece : expected)
            QVERIFY2(text.contains(piece),
                     qPrintable(piece + QStringLiteral(" missing in: ") + text));
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("Страница 1 из (\\d+)")).match(text);
        QVERIFY(pages.hasMatch());
        const int count = pages.captured(1).toInt();
        QVERIFY(count >= 1 && count <= mostPages);
        QVERIFY(text.contains(QStringLiteral("Страница %1 из %1").arg(count)));
        const QString first = PdfText(path, 1);
        for (const QString& piece : firstPage)
            QVERIFY2(first.contains(piece),
                     qPrintable(piece + QStringLiteral(" missing on page 1: ") + first));
    }

    // Whatever space the page has left, a section that fits on a page is never split: its
    // second table never lands on a page without its heading.
    void sectionKeptTogether() {
        ReportTable first;
        first.Corner = QStringLiteral("Пуск");
        first.Columns = {QStringLiteral("точка 1")};
        ReportTable second = first;
        for (int r = 0; r < 6; ++r) {
            first.Rows.push_back({QStringLiteral("первая %1").arg(r), {QStringLiteral("1,00")}});
            second.Rows.push_back({QStringLiteral("вторая %1").arg(r), {QStringLiteral("2,00")}});
        }
        QTemporaryDir dir;
        for (int fill = 30; fill < 75; fill += 2) {
            jobwindow::ReportDocument report;
            for (int i = 0; i < fill; ++i) report.Text(QStringLiteral("строка %1").arg(i));
            report.Heading(QStringLiteral("Раздел"));
            report.Text(QStringLiteral("Вводная строка."));
            report.KeepWithNext();
            report.Table(first);
            report.Text(QStringLiteral("Вторая таблица:"));
            report.KeepWithNext();
            report.Table(second);
            const QString path = dir.filePath(QStringLiteral("%1.pdf").arg(fill));
            {
                QPdfWriter writer(path);
                writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                 QMarginsF(15, 12, 15, 12),
                                                 QPageLayout::Millimeter));
                QVERIFY(report.Print(writer, QString()));
            }
            QProcess process;
            process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
            QVERIFY(process.waitForFinished(20000));
            const QStringList pages =
                QString::fromUtf8(process.readAllStandardOutput()).split('\f');
            for (const QString& page : pages)
                if (page.contains(QStringLiteral("вторая 5")))
                    QVERIFY2(page.contains(QStringLiteral("Раздел")) &&
                                 page.contains(QStringLiteral("первая 0")),
                             qPrintable(QStringLiteral("fill %1: %2").arg(fill).arg(page)));
        }
    }

    void failedWriteLeavesNothing() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("нет/отчёт.pdf"));
        const job::Job job = Example20g();
        QString error;
        QVERIFY(!jobwindow::WriteReportPdf(job, job::Calculate(job), path, error));
        QVERIFY(error.contains(QStringLiteral("не записан")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
    }

    // Trial weight at the zero mark, correction 90° from it: which half of the disc the red
    // arrow lies in depends on the rotation, the end seen from and the instrument.
    void correctionSide_data() {
        QTest::addColumn<bool>("clockwiseFromDrive");
        QTest::addColumn<bool>("fromDriveEnd");
        QTest::addColumn<bool>("phaseLag");
        QTest::addColumn<bool>("onRight");
        QTest::newRow("lag, clockwise, drive end: with rotation, right")
            << true << true << true << true;
        QTest::newRow("lead, clockwise, drive end: against rotation, left")
            << true << true << false << false;
        QTest::newRow("lag, clockwise, far end: seen turning the other way, left")
            << true << false << true << false;
        QTest::newRow("lag, counter-clockwise, drive end: left") << false << true << true << false;
    }

    void correctionSide() {
        QFETCH(bool, clockwiseFromDrive);
        QFETCH(bool, fromDriveEnd);
        QFETCH(bool, phaseLag);
        QFETCH(bool, onRight);
        SketchView view;
        view.RotationClockwiseFromDriveEnd = clockwiseFromDrive;
        view.ViewFromDriveEnd = fromDriveEnd;
        view.PhaseAgainstRotation = phaseLag;
        PlaneSketch plane;
        plane.HasCorrection = true;
        plane.Mass = 5.0;
        plane.AngleFromZero = 90.0;
        plane.AngleFromTrial = 90.0;
        plane.AngleSpread = 0.0;
        QImage image(400, 400, QImage::Format_RGB32);
        QPainter painter(&image);
        JobPicture::PaintPlane(painter, QRectF(0, 0, 400, 400), view, plane);
        painter.end();
        // Strongly red pixels: the correction arrow and its mass.
        int left = 0, right = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 80 && c.blue() < 80) ++(x < 200 ? left : right);
            }
        QVERIFY(left + right > 200);
        QCOMPARE(right > 10 * left, onRight);
        QCOMPARE(left > 10 * right, !onRight);
    }

    // 24 holes, a correction split over two of them: every label on the disc (П, the masses,
    // the angle from П, the rotation, the scale) keeps clear of the others and of the marks.
    void planeLabelsApart_data() {
        QTest::addColumn<double>("trialAngle");
        QTest::addColumn<double>("correctionAngle");
        QTest::addColumn<int>("firstHole");  // the split's parts are on this hole and the next
        QTest::addColumn<int>("cell");
        QTest::newRow("parts on neighbouring holes at the bottom, window size")
            << 0.0 << 187.0 << 13 << 260;
        QTest::newRow("correction 10° from the trial place") << 120.0 << 130.0 << 9 << 420;
        QTest::newRow("parts either side of the zero mark, by its text")
            << 200.0 << 355.0 << 24 << 260;
        QTest::newRow("correction 23,7° from the trial place, on its hole's number")
            << 120.0 << 143.7 << 10 << 420;
    }

    void planeLabelsApart() {
        QFETCH(double, trialAngle);
        QFETCH(double, correctionAngle);
        QFETCH(int, firstHole);
        QFETCH(int, cell);
        PlaneSketch plane;
        plane.Unit = QStringLiteral("г");
        plane.TrialAngle = trialAngle;
        for (int hole = 1; hole <= 24; ++hole) plane.Positions.push_back({hole, (hole - 1) * 15.0});
        plane.HasCorrection = true;
        plane.Mass = 23.7;
        plane.AngleFromZero = correctionAngle;
        plane.AngleFromTrial = std::fmod(correctionAngle - trialAngle + 360.0, 360.0);
        plane.AngleSpread = 8.0;
        plane.Parts = {SketchPart{plane.Positions[firstHole - 1], 11.95},
                       SketchPart{plane.Positions[firstHole % 24], 13.84}};
        QImage image(cell, cell, QImage::Format_RGB32);
        QPainter painter(&image);
        const PlaneTexts texts =
            JobPicture::PaintPlane(painter, QRectF(0, 0, cell, cell), SketchView(), plane);
        painter.end();
        // П, two masses, the angle from П and the rotation at least.
        QVERIFY(texts.Labels.size() >= 5);
        for (std::size_t i = 0; i < texts.Labels.size(); ++i) {
            const QRectF& label = texts.Labels[i];
            for (const QRectF& mark : texts.Marks) QVERIFY(!label.intersects(mark));
            for (std::size_t j = i + 1; j < texts.Labels.size(); ++j)
                QVERIFY(!label.intersects(texts.Labels[j]));
        }
    }
};

QTEST_MAIN(JobReportTest)
#include "job_report_test.moc"
