#include "report_content.h"

#include <QPainter>
#include <cmath>
#include <memory>
#include <numbers>

#include "job_picture.h"
#include "job_sketches.h"
#include "report_numbers.h"
#include "split.h"

namespace balance4::jobwindow {

namespace {

const QColor kDoubtful(0xb2, 0x6a, 0x00);
constexpr int kPositionsListed = 12;  // a longer list is cut: the page has no room for it
const QColor kUnreliable(0xc6, 0x28, 0x28);

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The words that describe the job's set-up.
std::vector<std::pair<QString, QString>> SetupFields(const job::Job& job, const QString& d) {
    const auto orDash = [](const std::string& text) {
        return text.empty() ? QStringLiteral("—") : Q(text);
    };
    std::vector<std::pair<QString, QString>> fields = {
        {QStringLiteral("Машина"), orDash(job.Machine)},
        {QStringLiteral("Дата"), orDash(job.Date)},
        {QStringLiteral("Частота вращения"), orDash(job.Speed)},
        {QStringLiteral("Исполнитель"), orDash(job.Who)},
        {QStringLiteral("Единица массы"), orDash(job.Unit)},
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

QString RunLabel(const job::Job& job, int run) {
    if (run == 0) return QStringLiteral("0 — без груза");
    if (job.Trials == job::TrialWeights::LeftOn && run > 1)
        return QStringLiteral("%1 — грузы в плоскостях 1–%1").arg(run);
    return QStringLiteral("%1 — груз в плоскости %1").arg(run);
}

ReportTable TrialTable(const job::Job& job, const QString& d) {
    const QString unit = Q(job.Unit);
    ReportTable table;
    table.Corner = QStringLiteral("Плоскость");
    table.Columns = {QStringLiteral("Пробный, ") + unit, QStringLiteral("Угол пробного, °"),
                     QStringLiteral("Радиус пробного"), QStringLiteral("Радиус поправки"),
                     QStringLiteral("Места для грузов")};
    const auto radius = [&](double r) { return r > 0.0 ? Short(r, d) : QStringLiteral("—"); };
    for (int k = 0; k < job.Planes(); ++k) {
        const job::PlaneSetup& plane = job.Plane[static_cast<std::size_t>(k)];
        QString places = QStringLiteral("—");
        if (plane.Holes > 0) {
            places = QStringLiteral("отверстий: %1, №1 на 0°").arg(plane.Holes);
        } else if (!plane.Positions.empty()) {
            QStringList angles;
            for (double angle : plane.Positions) {
                if (angles.size() == kPositionsListed) {
                    angles << QStringLiteral("… (всего %1)").arg(plane.Positions.size());
                    break;
                }
                angles << Short(angle, d) + QStringLiteral("°");
            }
            places = angles.join(QStringLiteral("; "));
        }
        table.Rows.push_back({QString::number(k + 1),
                              {Short(plane.TrialMass, d), Short(plane.TrialAngle, d),
                               radius(plane.TrialRadius), radius(plane.CorrectionRadius), places}});
    }
    return table;
}

// A table with a pair of columns under each of `count` numbered groups («Точка 1», …).
ReportTable PairedTable(const QString& corner, const QString& group, int count,
                        const QString& first, const QString& second) {
    ReportTable table;
    table.Corner = corner;
    table.GroupSize = 2;
    for (int i = 1; i <= count; ++i) {
        table.Groups << group.arg(i);
        table.Columns << first << second;
    }
    return table;
}

ReportTable PointPairs(const QString& corner, int points) {
    return PairedTable(corner, QStringLiteral("Точка %1"), points, QStringLiteral("ампл."),
                       QStringLiteral("фаза, °"));
}

// Amplitude and phase of each point, as typed.
QStringList ReadingCells(const std::vector<job::ReadingText>& readings, int points) {
    QStringList row;
    for (int p = 0; p < points; ++p) {
        const bool present = static_cast<std::size_t>(p) < readings.size();
        row << (present ? Q(readings[static_cast<std::size_t>(p)].Amplitude) : QString())
            << (present ? Q(readings[static_cast<std::size_t>(p)].Phase) : QString());
    }
    return row;
}

// Readings as typed, one row per run, a pair of columns per point.
ReportTable ReadingsTable(const job::Job& job) {
    ReportTable table = PointPairs(QStringLiteral("Пуск"), job.Points);
    for (std::size_t run = 0; run < job.Readings.size(); ++run)
        table.Rows.push_back(
            {RunLabel(job, static_cast<int>(run)), ReadingCells(job.Readings[run], job.Points)});
    if (!job.SlowRoll.empty())
        table.Rows.push_back({QStringLiteral("Биение (медленное вращение)"),
                              ReadingCells(job.SlowRoll, job.Points)});
    return table;
}

ReportTable CoefficientTable(const job::Coefficients& saved, const QString& d) {
    ReportTable table =
        PairedTable(QStringLiteral("Точка"), QStringLiteral("Плоскость %1"), saved.Planes,
                    QStringLiteral("ампл."), QStringLiteral("фаза, °"));
    for (int p = 0; p < saved.Points; ++p) {
        QStringList cells;
        for (int k = 0; k < saved.Planes; ++k) {
            const std::size_t i = static_cast<std::size_t>(p * saved.Planes + k);
            if (i >= saved.Element.size()) break;
            const job::Coefficient& c = saved.Element[i];
            cells << Fixed2(c.Magnitude, d)
                  << Fixed2(job::NormalisedDegrees(c.Angle * 180.0 / std::numbers::pi), d);
        }
        table.Rows.push_back({QString::number(p + 1), cells});
    }
    return table;
}

QString MassText(double mass, const QString& unit, const QString& d) {
    return Fixed2(mass, d) + (unit.isEmpty() ? QString() : QStringLiteral(" ") + unit);
}

ReportTable ResultTable(const job::Job& job, const job::JobResult& result, const QString& d) {
    const QString unit = Q(job.Unit);
    ReportTable table;
    table.Corner = QStringLiteral("Плоскость");
    table.Columns = {QStringLiteral("Масса, ") + unit,   QStringLiteral("% пробного"),
                     QStringLiteral("От нуля, °"),       QStringLiteral("От пробного, °"),
                     QStringLiteral("± масса, ") + unit, QStringLiteral("± угол, °"),
                     QStringLiteral("Доверие")};
    for (std::size_t k = 0; k < result.Planes.size(); ++k) {
        const job::PlaneResult& plane = result.Planes[k];
        // The exact path's texts are the calculator's own, to the digit.
        const bool exact = result.Exact && k < 4;
        const QString trust = Q(job::TrustWord(plane.Spread.Level));
        table.Rows.push_back(
            {QString::number(k + 1),
             {Fixed2(plane.Mass, d), exact ? Q(result.WindowTexts[k]) : Fixed2(plane.Percent, d),
              Fixed2(plane.AngleFromZero, d),
              exact ? Q(result.WindowTexts[k + 4]) : Fixed2(plane.AngleFromTrial, d),
              Fixed2(plane.Spread.Mass, d), Fixed2(plane.Spread.AngleDegrees, d),
              trust.isEmpty() ? QStringLiteral("надёжно") : trust}});
        if (plane.Spread.Level != job::Trust::Trusted)
            table.Colours.insert(
                {static_cast<int>(k), 6},
                plane.Spread.Level == job::Trust::Unreliable ? kUnreliable : kDoubtful);
    }
    return table;
}

// Where the weights go, one line per plane.
QStringList SplitLines(const job::Job& job, const job::JobResult& result, const QString& d) {
    const QString unit = Q(job.Unit);
    QStringList lines;
    for (std::size_t k = 0; k < result.Planes.size(); ++k) {
        const job::PlaneResult& plane = result.Planes[k];
        const bool holes = k < job.Plane.size() && job.Plane[k].Holes > 0;
        QStringList notes;
        if (plane.OnRotor) {
            notes << QStringLiteral("всего на роторе: %1 под %2°")
                         .arg(MassText(plane.OnRotor->Mass, unit, d),
                              Fixed2(plane.OnRotor->AngleDegrees, d));
        }
        if (plane.KeepTrial) {
            notes << QStringLiteral("если пробный груз остаётся: добавить %1 под %2°")
                         .arg(MassText(plane.KeepTrial->Mass, unit, d),
                              Fixed2(plane.KeepTrial->AngleDegrees, d));
        }
        if (plane.SplitAsked) {
            if (plane.Split.Refused) {
                notes << QStringLiteral("разбить нельзя — соседние места отстоят на 180° и больше");
            } else if (plane.Split.Parts.empty()) {
                notes << QStringLiteral("груз не нужен");
            } else {
                QStringList parts;
                for (const job::SplitPart& part : plane.Split.Parts)
                    parts << QStringLiteral("%1 %2 %3 (%4°)")
                                 .arg(MassText(part.Mass, unit, d),
                                      holes ? QStringLiteral("в отверстие")
                                            : QStringLiteral("на место"))
                                 .arg(part.At.Number)
                                 .arg(Short(part.At.AngleDegrees, d));
                notes << parts.join(QStringLiteral(", "));
            }
            if (!plane.Split.Warning.empty()) notes << Q(plane.Split.Warning);
        }
        if (notes.isEmpty())
            notes << QStringLiteral("%1 под %2°")
                         .arg(MassText(plane.Mass, unit, d), Fixed2(plane.AngleFromZero, d));
        lines << QStringLiteral("Плоскость %1: ").arg(k + 1) + notes.join(QStringLiteral("; "));
    }
    return lines;
}

ReportTable RunTable(const job::JobResult& result, const QString& d) {
    ReportTable table;
    table.Corner = QStringLiteral("Пуск");
    table.Columns = {QStringLiteral("Изменение вибрации, %"), QStringLiteral("Оценка")};
    for (std::size_t r = 0; r < result.Runs.size(); ++r) {
        const job::RunQuality& run = result.Runs[r];
        table.Rows.push_back(
            {QString::number(r + 1),
             {Fixed2(run.ChangePercent, d),
              run.Weak ? QStringLiteral("слабый отклик") : QStringLiteral("достаточно")}});
        if (run.Weak) table.Colours.insert({static_cast<int>(r), 1}, kDoubtful);
    }
    return table;
}

ReportTable ResidualTable(const job::JobResult& result, const QString& d) {
    ReportTable table;
    table.Corner = QStringLiteral("Точка");
    table.Columns = {QStringLiteral("Амплитуда"), QStringLiteral("Фаза, °")};
    for (std::size_t p = 0; p < result.Points.size(); ++p)
        table.Rows.push_back(
            {QString::number(p + 1),
             {Fixed2(result.Points[p].Amplitude, d), Fixed2(result.Points[p].PhaseDegrees, d)}});
    return table;
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
                    QStringLiteral("масса, ") + Q(job.Unit), QStringLiteral("угол, °"));
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
    report.Text(
        QStringLiteral("Углы — от нулевой метки, отсчитываются противоположно фазе прибора."),
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
                                : QStringLiteral("Метод наименьших квадратов. ");
        summary +=
            QStringLiteral("Число обусловленности %1.").arg(Fixed2(result.ConditionNumber, d));
        report.Text(summary);
        report.KeepWithNext();
        report.Table(ResultTable(job, result, d));
        report.Text(
            QStringLiteral("Разброс: в этих пределах остаются 95 % из %1 пересчётов, где "
                           "каждое показание случайно изменено в пределах допуска прибора.")
                    .arg(result.SpreadSamples) +
                (result.SpreadFailed > 0
                     ? QStringLiteral(" Пересчётов без решения: %1.").arg(result.SpreadFailed)
                     : QString()),
            ReportDocument::Style::Small);
        report.Text(QStringLiteral("Куда ставить (углы от нуля):"), ReportDocument::Style::Bold);
        report.KeepWithNext();
        for (const QString& line : SplitLines(job, result, d)) report.Text(line);
        if (!result.Runs.empty()) {
            report.Heading(QStringLiteral("Качество пробных пусков"));
            report.Text(
                QStringLiteral("Наибольшее изменение вибрации от пробного груза, % от пуска "
                               "без груза; меньше %1 % — слабый отклик.")
                    .arg(Short(job::kWeakRunPercent, d)),
                ReportDocument::Style::Small);
            report.KeepWithNext();
            report.Table(RunTable(result, d));
        }
        if (!trim) {
            report.Heading(QStringLiteral("Остаточная вибрация после поправки (расчётная)"));
            report.KeepWithNext();
            report.Table(ResidualTable(result, d));
        }
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
    return report;
}

}  // namespace balance4::jobwindow
