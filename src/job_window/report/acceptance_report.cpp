#include "acceptance_report.h"

#include <QPainter>
#include <cmath>
#include <memory>

#include "job/acceptance_text.h"
#include "job/split.h"
#include "job_sketches.h"
#include "job_tables.h"
#include "report_numbers.h"
#include "sketch_drawing.h"

namespace balance4::jobwindow {

namespace {

const QColor kAbove(0xc6, 0x28, 0x28);
const QColor kWithin(0x2e, 0x7d, 0x32);

QString Q(const std::string& text) {
    return Utf8(text);
}

// A table of texts from the job library, heading row first and row titles first, as a report
// table; «выше нормы» in red.
ReportTable FromTexts(const std::vector<std::vector<std::string>>& texts) {
    ReportTable table;
    if (texts.empty()) return table;
    table.Corner = Q(texts.front().front());
    for (std::size_t c = 1; c < texts.front().size(); ++c) table.Columns << Q(texts.front()[c]);
    for (std::size_t r = 1; r < texts.size(); ++r) {
        ReportTable::Row row{Q(texts[r].front()), {}};
        for (std::size_t c = 1; c < texts[r].size(); ++c) {
            row.Cells << Q(texts[r][c]);
            if (texts[r][c] == job::PointWord(true))
                table.Colours.insert({int(r - 1), int(c - 1)}, kAbove);
        }
        table.Rows.push_back(row);
    }
    return table;
}

QString LimitText(const job::Job& job, const QString& d) {
    if (job.Limit.empty()) return QStringLiteral("не задана");
    if (job.Limit.size() == 1)
        return Fixed2(job.Limit.front(), d) + QStringLiteral(" во всех точках");
    QStringList points;
    for (std::size_t p = 0; p < job.Limit.size(); ++p)
        points << QStringLiteral("точка %1 — %2").arg(p + 1).arg(Fixed2(job.Limit[p], d));
    return points.join(QStringLiteral("; "));
}

// One weight as it sits: on a hole or listed place when it is at one, else at its angle.
QString PlacedText(const job::Weight& weight, const job::PlaneSetup& plane, const QString& unit,
                   const QString& d) {
    for (const job::Position& at : job::PositionsOf(plane)) {
        const double off = job::NormalisedDegrees(weight.AngleDegrees - at.AngleDegrees);
        if (std::min(off, 360.0 - off) < 0.005)
            return QStringLiteral("%1 %2 %3 (%4°)")
                .arg(MassText(weight.Mass, unit, d),
                     plane.Holes > 0 ? QStringLiteral("в отверстие") : QStringLiteral("на место"))
                .arg(at.Number)
                .arg(Short(at.AngleDegrees, d));
    }
    return QStringLiteral("%1 под %2°")
        .arg(MassText(weight.Mass, unit, d), Fixed2(weight.AngleDegrees, d));
}

}  // namespace

AcceptanceFigures ReportAcceptance(const job::Job& job, const job::JobResult& result) {
    const bool trim =
        result.Result == job::Outcome::Calculated && result.Runs.empty() && !job.ControlRun.empty();
    return MakeAcceptanceFigures(job, result, trim ? &result : nullptr);
}

QString SpeedWithUnit(const job::Job& job) {
    if (job.Speed.empty()) return QStringLiteral("—");
    return job::ParseNumberText(job.Speed, job.Separator) ? Q(job.Speed) + QStringLiteral(" об/мин")
                                                          : Q(job.Speed);
}

void AddConclusion(ReportDocument& report, const job::Job& job, const job::JobResult& result,
                   const AcceptanceFigures& figures, const QString& d) {
    const auto orDash = [](const std::string& text) {
        return text.empty() ? QStringLiteral("—") : Q(text);
    };
    report.Fields({{QStringLiteral("Машина"), orDash(job.Machine)},
                   {QStringLiteral("Дата"), orDash(job.Date)},
                   {QStringLiteral("Частота вращения"), SpeedWithUnit(job)},
                   {QStringLiteral("Норма вибрации"), LimitText(job, d)}});

    report.Heading(QStringLiteral("Вибрация до и после балансировки"));
    report.KeepWithNext();
    report.Table(FromTexts(job::BeforeAfterTable(figures.Acceptance, d.toStdString())));
    const std::string verdict = job::VerdictText(figures.Acceptance);
    if (!verdict.empty())
        report.Text(Q(verdict), ReportDocument::Style::Heading, 0,
                    *figures.Acceptance.Within ? kWithin : kAbove);
    else
        report.Text(Utf8(job::NoVerdictText()), ReportDocument::Style::Bold);
    const QStringList iso = IsoTextLines(figures, d);
    for (int i = 0; i < iso.size(); ++i)
        report.Text(iso[i], i + 1 == iso.size() ? ReportDocument::Style::Bold
                                                : ReportDocument::Style::Body);

    report.Space(2.0);
    report.Text(QStringLiteral("Грузы на роторе (углы от нуля):"), ReportDocument::Style::Bold);
    report.KeepWithNext();
    const QString unit = Q(job.Unit);
    bool any = false;
    for (std::size_t k = 0; k < job.Installed.size() && k < job.Plane.size(); ++k) {
        QStringList weights;
        for (const job::Weight& w : job.Installed[k])
            weights << PlacedText(w, job.Plane[k], unit, d);
        any = any || !weights.isEmpty();
        report.Text(QStringLiteral("Плоскость %1: %2")
                        .arg(k + 1)
                        .arg(weights.isEmpty() ? QStringLiteral("нет")
                                               : weights.join(QStringLiteral("; "))));
    }
    if (!any && result.Result == job::Outcome::Calculated && !result.Runs.empty()) {
        report.Text(QStringLiteral("не записаны; по расчёту поставить:"));
        for (const QString& line : SplitLines(job, result, d)) report.Text(line);
    } else if (!any) {
        report.Text(QStringLiteral("не записаны"));
    }

    if (!figures.Acceptance.Runs.empty()) {
        const auto shared = std::make_shared<AcceptanceFigures>(figures);
        report.Space(2.0);
        report.Pictures(1, 2, [shared, d](QPainter& painter, const QRectF& area, int) {
            PaintTrend(painter, area, *shared, d);
        });
    }
    report.PageBreak();
}

void AddAcceptanceWorksheet(ReportDocument& report, const job::Job& job,
                            const AcceptanceFigures& figures, const QString& d) {
    const std::string separator = d.toStdString();
    report.Heading(QStringLiteral("Приёмка: вибрация по пускам"));
    report.KeepWithNext();
    report.Table(FromTexts(job::VibrationTable(figures.Acceptance, separator)));
    if (figures.Refined) {
        report.Text(Q(job::RefinementText(*figures.Refined)));
        report.KeepWithNext();
        report.Table(FromTexts(job::RefinementTable(*figures.Refined, separator)));
    }
    if (figures.Acceptance.Runs.empty()) return;
    const int points = int(figures.Acceptance.Runs.front().Amplitude.size());
    if (points == 0) return;
    const auto shared = std::make_shared<AcceptanceFigures>(figures);
    const auto view = std::make_shared<SketchView>(MakeSketchView(job, true, d));
    report.Heading(QStringLiteral("Пуск 0 и контрольные пуски по точкам"));
    report.KeepWithNext();
    report.Pictures(points, points <= 2 ? 2 : 3,
                    [shared, view](QPainter& painter, const QRectF& area, int i) {
                        PaintRunVectors(painter, area, *shared, i, *view);
                    });
}

}  // namespace balance4::jobwindow
