#include "job_tables.h"

#include "job/result_words.h"

#include <cmath>
#include <numbers>

#include "job/angle_frame.h"
#include "job/split.h"
#include "job/units.h"
#include "report_numbers.h"

namespace balance4::jobwindow {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

namespace {

const QColor kDoubtful(0xb2, 0x6a, 0x00);
const QColor kUnreliable(0xc6, 0x28, 0x28);
constexpr int kPositionsListed = 12;  // a longer list is cut: the page has no room for it

QString Q(std::string_view text) {
    return Utf8(text);
}

QString RunLabel(const job::Job& job, int run) {
    if (run == 0) return QStringLiteral("0 — без груза");
    if (job.Trials == job::TrialWeights::LeftOn && run > 1)
        return QStringLiteral("%1 — грузы в плоскостях 1–%1").arg(run);
    return QStringLiteral("%1 — груз в плоскости %1").arg(run);
}

// One of the calculator's own texts, to the digit, written with the report's decimal symbol
// rather than the one the readings were typed with.
QString WindowText(const job::Job& job, const job::JobResult& result, std::size_t index,
                   const QString& d) {
    QString text = Q(result.WindowTexts[index]);
    const QString typed = Q(job.Separator);
    if (!typed.isEmpty() && typed != d) text.replace(typed, d);
    return text;
}

}  // namespace

QString AngleColumnHeading(std::string_view heading, const job::Job& job) {
    return Q(heading) + QLatin1Char('\n') + Q(job::AngleDirectionWord(job));
}

ReportTable TrialTable(const job::Job& job, const QString& d) {
    const QString unit = Q(job.Unit);
    ReportTable table;
    table.Corner = QStringLiteral("Плоскость");
    const QString trialAngle = AngleColumnHeading("Угол пробного, °", job);
    table.Columns = {QStringLiteral("Пробный, ") + unit, trialAngle,
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

// Readings as typed, one row per run followed by its repeats, a pair of columns per point.
ReportTable ReadingsTable(const job::Job& job) {
    ReportTable table = PointPairs(QStringLiteral("Пуск"), job.Points);
    for (qsizetype column = 0; column < table.Columns.size(); column += 2)
        table.Columns[column] += Q(job::ReadingUnitAfterHeading(job));
    for (std::size_t run = 0; run < job.Readings.size(); ++run) {
        table.Rows.push_back(
            {RunLabel(job, static_cast<int>(run)), ReadingCells(job.Readings[run], job.Points)});
        for (const job::RepeatRun& repeat : job.Repeats)
            if (static_cast<std::size_t>(repeat.Run) == run)
                table.Rows.push_back({QStringLiteral("%1 — повтор").arg(run),
                                      ReadingCells(repeat.Readings, job.Points)});
    }
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
    const QString fromZero = AngleColumnHeading("От нуля, °", job);
    const QString fromTrial = AngleColumnHeading("От пробного, °", job);
    table.Columns = {QStringLiteral("Масса, ") + unit,
                     QStringLiteral("% пробного"),
                     fromZero,
                     fromTrial,
                     QStringLiteral("± масса, ") + unit,
                     QStringLiteral("± угол, °"),
                     QStringLiteral("Доверие")};
    for (std::size_t k = 0; k < result.Planes.size(); ++k) {
        const job::PlaneResult& plane = result.Planes[k];
        const bool exact = job::ShowsCalculatorTexts(result, k);
        const QString trust = Q(job::TrustWord(plane.Spread.Level));
        table.Rows.push_back(
            {QString::number(k + 1),
             {Fixed2(plane.Mass, d),
              exact ? WindowText(job, result, k, d) : Fixed2(plane.Percent, d),
              Fixed2(plane.AngleFromZero, d),
              exact ? WindowText(job, result, k + 4, d) : Fixed2(plane.AngleFromTrial, d),
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
                notes << Q(job::SplitRefusalText());
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
        if (k < job.Plane.size())
            if (const std::string unbalance =
                    job::UnbalanceText(job.Plane[k], job.Unit, plane.Mass, d.toStdString());
                !unbalance.empty())
                notes << Q(unbalance);
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
            {QString::number(r + 1), {Fixed2(run.ChangePercent, d), Q(job::RunQualityWord(run))}});
        if (run.Weak || run.Large) table.Colours.insert({static_cast<int>(r), 1}, kDoubtful);
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

}  // namespace balance4::jobwindow
