#include "report_content.h"

#include "job/angle_frame.h"
#include "job/optimised_text.h"
#include "job/result_words.h"
#include "job/units.h"

#include <QPainter>
#include <memory>

#include "acceptance_report.h"
#include "job_picture.h"
#include "job_sketches.h"
#include "job_tables.h"
#include "optimised_section.h"
#include "report_numbers.h"
#include "trust_section.h"

namespace balance4::jobwindow {

namespace {

QString Q(std::string_view text) {
    return Utf8(text);
}

// The words that describe the job's set-up.
std::vector<std::pair<QString, QString>> SetupFields(const job::Job& job, const QString& d) {
    const auto orDash = [](const std::string& text) {
        return text.empty() ? QStringLiteral("—") : Q(text);
    };
    std::vector<std::pair<QString, QString>> fields = {
        {QStringLiteral("Машина"), orDash(job.Machine)},
        {QStringLiteral("Дата"), orDash(job.Date)},
        {QStringLiteral("Частота вращения"), SpeedWithUnit(job)},
        {QStringLiteral("Исполнитель"), orDash(job.Who)},
        {QStringLiteral("Единица массы"), orDash(job.Unit)},
        {QStringLiteral("Единица показаний"), orDash(job.ReadingUnit)},
        {QStringLiteral("Плоскостей, точек"),
         QStringLiteral("%1, %2").arg(job.Planes()).arg(job.Points)},
        {QStringLiteral("Фаза прибора"), job.Convention == job::PhaseConvention::AgainstRotation
                                             ? QStringLiteral("растёт против вращения (отставание)")
                                             : QStringLiteral("растёт по вращению")},
        {QStringLiteral("Вращение"), (job.Rotation == job::RotationDirection::Clockwise
                                          ? QStringLiteral("по часовой стрелке")
                                          : QStringLiteral("против часовой стрелки")) +
                                         QStringLiteral(", если смотреть со стороны привода")},
        {QStringLiteral("Пробные грузы"), job.Trials == job::TrialWeights::Removed
                                              ? QStringLiteral("снимались перед следующим пуском")
                                              : QStringLiteral("оставались на роторе")},
        {QStringLiteral("Допуск прибора"), QStringLiteral("±%1 % по амплитуде, ±%2° по фазе")
                                               .arg(Short(job.Instrument.AmplitudePercent, d),
                                                    Short(job.Instrument.PhaseDegrees, d))},
    };
    return fields;
}

void TrimHistory(ReportDocument& report, const job::Job& job, const QString& d) {
    report.Heading(QStringLiteral("Контрольные пуски"));
    if (!job.Installed.empty()) {
        const QString unit = Q(job.Unit);
        QStringList lines;
        for (std::size_t k = 0; k < job.Installed.size(); ++k) {
            QStringList weights;
            for (const job::Weight& w : job.Installed[k])
                weights << QStringLiteral("%1 под %2°")
                               .arg(MassText(w.Mass, unit, d), Fixed2(w.AngleDegrees, d));
            lines << QStringLiteral("Плоскость %1: %2")
                         .arg(k + 1)
                         .arg(weights.isEmpty() ? QStringLiteral("нет")
                                                : weights.join(QStringLiteral("; ")));
        }
        report.Text(QStringLiteral("Грузы, установленные на роторе (углы от нуля):"),
                    ReportDocument::Style::Bold);
        for (const QString& line : lines) report.Text(line);
    }
    if (job.TrimHistory.empty()) {
        report.Text(QStringLiteral("Контрольных пусков не было."));
        return;
    }
    ReportTable readings = PointPairs(QStringLiteral("Пуск, дата"), job.Points);
    ReportTable corrections =
        PairedTable(readings.Corner, QStringLiteral("Плоскость %1"), job.Planes(),
                    QStringLiteral("масса, ") + Q(job.Unit), AngleColumnHeading("угол, °", job));
    for (std::size_t i = 0; i < job.TrimHistory.size(); ++i) {
        const job::TrimRecord& record = job.TrimHistory[i];
        const QString label =
            QString::number(i + 1) +
            (record.Date.empty() ? QString() : QStringLiteral(", ") + Q(record.Date));
        readings.Rows.push_back({label, ReadingCells(record.Readings, job.Points)});
        QStringList weights;
        for (const job::Weight& w : record.Correction)
            weights << Fixed2(w.Mass, d) << Fixed2(w.AngleDegrees, d);
        corrections.Rows.push_back({label, weights});
    }
    report.Text(QStringLiteral("Показания пусков без груза:"), ReportDocument::Style::Bold);
    report.KeepWithNext();
    report.Table(readings);
    report.Text(QStringLiteral("Поправки, добавленные к установленным грузам (углы от нуля):"),
                ReportDocument::Style::Bold);
    report.KeepWithNext();
    report.Table(corrections);
}

void Pictures(ReportDocument& report, const job::Job& job, const job::JobResult& result,
              const QString& d) {
    const auto view = std::make_shared<SketchView>(MakeSketchView(job, true, d));
    const auto planes = std::make_shared<std::vector<PlaneSketch>>(MakePlaneSketches(job, result));
    const auto points = std::make_shared<std::vector<PointSketch>>(MakePointSketches(job, result));
    report.Heading(QStringLiteral("Эскизы плоскостей"));
    report.Text(QStringLiteral("Красная стрелка — корректирующий груз, розовый сектор — его "
                               "разброс, П — место пробного груза, зелёная дуга — угол от "
                               "пробного груза."),
                ReportDocument::Style::Small);
    report.KeepWithNext();
    report.Pictures(static_cast<int>(planes->size()), planes->size() <= 4 ? 2 : 3,
                    [view, planes](QPainter& painter, const QRectF& area, int i) {
                        JobPicture::PaintPlane(painter, area, *view,
                                               (*planes)[static_cast<std::size_t>(i)]);
                    });
    report.Heading(QStringLiteral("Векторы пусков по точкам"));
    report.KeepWithNext();
    report.Pictures(static_cast<int>(points->size()), points->size() <= 2 ? 2 : 3,
                    [view, points](QPainter& painter, const QRectF& area, int i) {
                        JobPicture::PaintPoint(painter, area, *view,
                                               (*points)[static_cast<std::size_t>(i)]);
                    });
}

}  // namespace

QString ReportFooter(const job::Job& job) {
    QString footer = Q(job.Title);
    if (!job.Machine.empty())
        footer += (footer.isEmpty() ? QString() : QStringLiteral(" — ")) + Q(job.Machine);
    return footer;
}

ReportDocument BuildReport(const job::Job& job, const job::JobResult& result, const QString& d) {
    ReportDocument report;
    report.Text(QStringLiteral("Отчёт о балансировке"), ReportDocument::Style::Title);
    if (!job.Title.empty()) report.Text(Q(job.Title), ReportDocument::Style::Heading, 3);
    // A calculated job's report concludes on its first page; the worksheet follows.
    const bool concluded = result.Result == job::Outcome::Calculated;
    const AcceptanceFigures acceptance =
        concluded ? ReportAcceptance(job, result) : AcceptanceFigures{};
    if (concluded) {
        AddConclusion(report, job, result, acceptance, d);
        report.Text(QStringLiteral("Расчёт"), ReportDocument::Style::Title);
    }
    report.Fields(SetupFields(job, d));

    switch (result.Result) {
        case job::Outcome::Refused: {
            QStringList messages;
            for (const job::CellFailure& failure : result.Failures) {
                if (messages.size() == 5) {
                    messages << QStringLiteral("…");
                    break;
                }
                messages << Q(failure.Message);
            }
            report.Banner(QStringLiteral("Расчёт не выполнен. ") +
                          (messages.isEmpty() ? QString() : messages.join(QStringLiteral("; "))));
            break;
        }
        case job::Outcome::NoSolution:
            report.Banner(QStringLiteral("Решения нет: %1. Не устанавливайте корректирующие грузы.")
                              .arg(Q(result.Message)));
            break;
        case job::Outcome::Calculated:
            if (result.Untrusted)
                report.Banner(QStringLiteral("НЕДОСТОВЕРНО: %1. Не устанавливайте корректирующие "
                                             "грузы: проверьте показания или повторите пуски с "
                                             "бо́льшими пробными грузами.")
                                  .arg(Q(result.UntrustedReason)));
            break;
    }

    report.Heading(QStringLiteral("Пробные грузы и места для грузов"));
    report.Text(QStringLiteral("Углы — от нулевой метки, отсчитываются %1 (%2).")
                    .arg(Q(job::AngleDirectionWord(job)),
                         job::AnglesAsPhase(job) ? QStringLiteral("как фаза прибора")
                                                 : QStringLiteral("противоположно фазе прибора")),
                ReportDocument::Style::Small);
    report.KeepWithNext();
    report.Table(TrialTable(job, d));
    report.Heading(QStringLiteral("Показания (как введены)"));
    report.KeepWithNext();
    report.Table(ReadingsTable(job));

    const bool calculated = result.Result == job::Outcome::Calculated;
    if (calculated) {
        // The window reports a job's own calculation; a trim's result, handed in by itself, is
        // named as such, since the readings above are not the ones it came from.
        const bool trim = result.Runs.empty();
        report.Heading(trim ? QStringLiteral("Поправки по контрольному пуску (по сохранённым "
                                             "коэффициентам)")
                            : QStringLiteral("Корректирующие грузы"));
        QString summary =
            QStringLiteral("Углы отсчитываются %1 от нулевой метки и от места пробного груза. ")
                .arg(Q(result.RotationWord));
        summary += result.Exact ? QStringLiteral("Решено точным путём калькулятора. ")
                   : result.Optimised ? Q(job::ObjectiveSentence(result.Optimised->Goal)) + ' '
                                      : QStringLiteral("Метод наименьших квадратов. ");
        summary +=
            QStringLiteral("Число обусловленности %1.").arg(Fixed2(result.ConditionNumber, d));
        report.Text(summary);
        report.KeepWithNext();
        report.Table(ResultTable(job, result, d));
        report.Text(
            QStringLiteral("Разброс: в этих пределах остаются 95 % из %1 пересчётов, где "
                           "каждое показание случайно изменено в пределах допуска показаний.")
                    .arg(result.SpreadSamples) +
                (result.SpreadFailed > 0
                     ? QStringLiteral(" Пересчётов без решения: %1.").arg(result.SpreadFailed)
                     : QString()),
            ReportDocument::Style::Small);
        report.Text(QStringLiteral("Куда ставить (углы от нуля):"), ReportDocument::Style::Bold);
        report.KeepWithNext();
        for (const QString& line : SplitLines(job, result, d)) report.Text(line);
        TrustSection(report, job, result, d);
        if (!result.Runs.empty()) {
            report.Heading(QStringLiteral("Качество пробных пусков"));
            report.Text(
                QStringLiteral("Наибольшее изменение вибрации от пробного груза, % от пуска "
                               "без груза; %1.")
                    .arg(Q(job::WeakRunRule(d.toStdString()))),
                ReportDocument::Style::Small);
            report.KeepWithNext();
            report.Table(RunTable(result, d));
        }
        if (!trim) {
            report.Heading(QStringLiteral("Остаточная вибрация после поправки (расчётная)"));
            report.KeepWithNext();
            ReportTable residual = ResidualTable(result, d);
            residual.Columns[0] += Q(job::ReadingUnitAfterHeading(job));
            report.Table(residual);
        }
        OptimisedSection(report, job, result, d);
    }
    const std::optional<job::Coefficients>& saved = result.Saved ? result.Saved : job.Saved;
    if (saved) {
        report.Heading(QStringLiteral("Коэффициенты влияния"));
        report.Text(QStringLiteral("Изменение вибрации в точке от пробного груза плоскости "
                                   "(амплитуда, фаза в градусах)."),
                    ReportDocument::Style::Small);
        report.KeepWithNext();
        report.Table(CoefficientTable(*saved, d));
    }
    Pictures(report, job, result, d);
    TrimHistory(report, job, d);
    if (concluded) AddAcceptanceWorksheet(report, job, acceptance, d);
    return report;
}

}  // namespace balance4::jobwindow
