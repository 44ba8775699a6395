#include "acceptance_figures.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "job/acceptance_text.h"
#include "job/refine.h"
#include "report_numbers.h"
#include "sketch_drawing.h"

namespace balance4::jobwindow {

using namespace sketch;

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QColor PointColour(std::size_t point) {
    static const QColor colours[] = {QColor(0x1f, 0x5f, 0xbf), QColor(0xd8, 0x6a, 0x00),
                                     QColor(0x2e, 0x7d, 0x32), QColor(0x8e, 0x24, 0xaa),
                                     QColor(0x00, 0x83, 0x8f), QColor(0xad, 0x14, 0x57),
                                     QColor(0x6d, 0x4c, 0x41), QColor(0x55, 0x8b, 0x2f)};
    return colours[point % std::size(colours)];
}

QColor ControlColour(int number) {
    return number == 0 ? kInk : PointColour(static_cast<std::size_t>(number - 1));
}

// Short run names under the trend's axis and at the vectors' tips.
QString RunMark(const job::RunVibration& run) {
    switch (run.Kind) {
        case job::RunKind::Control:
            return QStringLiteral("К%1").arg(run.Number);
        case job::RunKind::Predicted:
            return QStringLiteral("прогн.");
        case job::RunKind::Initial:
            break;
    }
    return QStringLiteral("0");
}

bool SameLimit(const std::vector<double>& limit) {
    return std::all_of(limit.begin(), limit.end(), [&](double l) { return l == limit.front(); });
}

}  // namespace

AcceptanceFigures MakeAcceptanceFigures(const job::Job& job, const job::JobResult& result,
                                        const job::JobResult* trim) {
    AcceptanceFigures figures;
    const bool trimmed = trim && trim->Result == job::Outcome::Calculated;
    figures.Acceptance = trimmed ? job::AcceptanceOfTrim(job, job.ControlRun, *trim)
                                 : job::AcceptanceOfJob(job, result);
    if (trimmed)
        figures.Refined = trim->Refined;
    else if (!job.TrimHistory.empty())
        figures.Refined = job::RefineCoefficients(job);
    if (job.Iso) {
        figures.Iso = job.Iso;
        figures.Permissible = job::Permissible(*job.Iso, figures.IsoProblem);
        if (figures.Permissible)
            figures.IsoCheck =
                job::CheckJobIso(job, *job.Iso, trimmed ? *trim : result, figures.IsoProblem);
    }
    return figures;
}

QStringList IsoTextLines(const AcceptanceFigures& figures, const QString& decimal) {
    QStringList lines;
    if (!figures.Iso) return lines;
    const std::string separator = decimal.toStdString();
    if (figures.Permissible)
        for (const std::string& line :
             job::IsoLines(*figures.Iso, *figures.Permissible,
                           figures.IsoCheck ? &*figures.IsoCheck : nullptr, separator))
            lines << Q(line);
    if (!figures.IsoCheck) lines << Q(job::IsoNotCheckedText(figures.IsoProblem));
    return lines;
}

void PaintTrend(QPainter& painter, const QRectF& area, const AcceptanceFigures& figures,
                const QString& decimal) {
    const CellLayout cell = BeginCell(painter, area, QStringLiteral("Вибрация по пускам"));
    const double u = cell.Unit;
    const job::Acceptance& acceptance = figures.Acceptance;
    const std::vector<job::RunVibration>& runs = acceptance.Runs;
    std::size_t points = acceptance.Limit.size();
    double largest = 0.0;
    for (const job::RunVibration& run : runs) {
        points = std::max(points, run.Amplitude.size());
        for (const double a : run.Amplitude)
            if (std::isfinite(a)) largest = std::max(largest, a);
    }
    for (const double l : acceptance.Limit) largest = std::max(largest, l);
    const double step = RingStep(largest);
    const int divisions = std::max(1, static_cast<int>(std::ceil(largest / step - 1e-9)));
    const QFont scaleFont = SizedFont(painter, u * 0.034);
    painter.setFont(scaleFont);
    const double scaleWidth =
        TextSize(painter, scaleFont, Short(step * divisions, decimal)).width();
    // Room at the right for the last run's name under the axis.
    const QRectF plot = cell.Figure.adjusted(scaleWidth + u * 0.05, u * 0.03, -u * 0.09, -u * 0.07);
    const auto y = [&](double amplitude) {
        return plot.bottom() - amplitude / (step * divisions) * plot.height();
    };
    const double gapX = runs.size() > 1 ? plot.width() / double(runs.size() - 1) : 0.0;
    const auto x = [&](std::size_t run) {
        return runs.size() > 1 ? plot.left() + gapX * double(run) : plot.center().x();
    };

    painter.setPen(QPen(kFaint, u * 0.002));
    for (int i = 0; i <= divisions; ++i) {
        const double at = y(i * step);
        painter.drawLine(QPointF(plot.left(), at), QPointF(plot.right(), at));
        const QString text = Short(i * step, decimal);
        painter.drawText(QRectF(cell.Figure.left(), at - u * 0.03, scaleWidth + u * 0.03, u * 0.06),
                         Qt::AlignRight | Qt::AlignVCenter, text);
    }
    for (std::size_t r = 0; r < runs.size(); ++r) {
        painter.setPen(kInk);
        painter.drawText(
            QRectF(x(r) - gapX / 2 - u * 0.05, plot.bottom() + u * 0.01, gapX + u * 0.1, u * 0.055),
            Qt::AlignCenter, RunMark(runs[r]));
    }

    // The limit: one red line for all points, else one per point in its colour.
    const bool oneLimit = !acceptance.Limit.empty() && SameLimit(acceptance.Limit);
    for (std::size_t p = 0; p < acceptance.Limit.size(); ++p) {
        if (oneLimit && p > 0) break;
        painter.setPen(
            QPen(oneLimit ? kCorrection : PointColour(p), u * 0.005, Qt::DashLine, Qt::FlatCap));
        const double at = y(acceptance.Limit[p]);
        painter.drawLine(QPointF(plot.left(), at), QPointF(plot.right(), at));
    }

    for (std::size_t p = 0; p < points; ++p) {
        const QColor colour = PointColour(p);
        std::optional<QPointF> last;
        for (std::size_t r = 0; r < runs.size(); ++r) {
            if (p >= runs[r].Amplitude.size() || !std::isfinite(runs[r].Amplitude[p])) continue;
            const QPointF here(x(r), y(runs[r].Amplitude[p]));
            const bool predicted = runs[r].Kind == job::RunKind::Predicted;
            if (last) {
                painter.setPen(QPen(colour, u * 0.006, predicted ? Qt::DashLine : Qt::SolidLine,
                                    Qt::RoundCap));
                painter.drawLine(*last, here);
            }
            painter.setPen(QPen(colour, u * 0.005));
            painter.setBrush(predicted ? QBrush(kPaper) : QBrush(colour));
            painter.drawEllipse(here, u * 0.012, u * 0.012);
            last = here;
        }
    }

    // The legend: each point's colour, at the plot's top right.
    painter.setFont(scaleFont);
    double top = plot.top() + u * 0.01;
    for (std::size_t p = 0; p < points; ++p) {
        const QString text = QStringLiteral("точка %1").arg(p + 1);
        const QSizeF size = TextSize(painter, scaleFont, text);
        const QRectF box(plot.right() - size.width() - u * 0.01, top, size.width(), size.height());
        painter.setPen(QPen(PointColour(p), u * 0.006));
        painter.drawLine(QPointF(box.left() - u * 0.07, box.center().y()),
                         QPointF(box.left() - u * 0.015, box.center().y()));
        painter.setPen(PointColour(p));
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
        top += size.height();
    }

    QStringList caption;
    caption << QStringLiteral("0 — пуск 0, К1, К2… — контрольные пуски");
    caption << QStringLiteral("прогн. — расчётный остаток (пунктир)");
    caption << (acceptance.Limit.empty()
                    ? QStringLiteral("Норма вибрации не задана")
                    : (oneLimit ? QStringLiteral("Красный пунктир — норма ") +
                                      Fixed2(acceptance.Limit.front(), decimal)
                                : QStringLiteral("Пунктир цвета точки — её норма")));
    painter.setPen(kInk);
    TextLines(painter, cell.Caption, caption);
    painter.restore();
}

void PaintRunVectors(QPainter& painter, const QRectF& area, const AcceptanceFigures& figures,
                     int point, const SketchView& view) {
    const auto p = static_cast<std::size_t>(point);
    const CellLayout cell = BeginCell(
        painter, area, QStringLiteral("Точка %1: пуск 0 и контрольные пуски").arg(point + 1));
    const double u = cell.Unit;
    const job::Acceptance& acceptance = figures.Acceptance;
    const bool phaseClockwise = !view.ResultClockwiseOnScreen();
    const QPointF c = cell.Figure.center();
    const double r = std::min(cell.Figure.width(), cell.Figure.height()) / 2.0 / 1.22;
    const double limit = p < acceptance.Limit.size() ? acceptance.Limit[p] : 0.0;

    double largest = limit;
    for (const job::RunVibration& run : acceptance.Runs)
        if (run.Kind != job::RunKind::Predicted && p < run.Amplitude.size() &&
            std::isfinite(run.Amplitude[p]))
            largest = std::max(largest, run.Amplitude[p]);
    LabelPlaces places(cell.Figure, u * 0.01);
    const PolarScale polar = PaintPolarScale(painter, c, r, largest, u, phaseClockwise, places);
    const double step = polar.Step, scale = polar.Scale;
    if (limit > 0.0) {
        painter.setPen(QPen(kCorrection, u * 0.005, Qt::DashLine));
        painter.drawEllipse(c, limit * scale, limit * scale);
    }

    const QFont runFont = SizedFont(painter, u * 0.036, true);
    painter.setFont(runFont);
    for (const job::RunVibration& run : acceptance.Runs) {
        if (run.Kind == job::RunKind::Predicted || p >= run.Amplitude.size() ||
            p >= run.PhaseDegrees.size())
            continue;
        const double length = run.Amplitude[p] * scale;
        if (!std::isfinite(length)) continue;
        const double screen = OnScreen(run.PhaseDegrees[p], phaseClockwise);
        const QPointF tip = Around(c, length, screen);
        const QColor colour = ControlColour(run.Number);
        painter.setPen(QPen(colour, u * 0.007, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(c, tip);
        if (length > u * 0.03) ArrowHead(painter, tip, c, u * 0.035);
        const QString label = RunMark(run);
        const QSizeF size = TextSize(painter, runFont, label);
        painter.setPen(colour);
        const QRectF box = places.Place(size, PlacesAround(c, length + u * 0.045, screen, size,
                                                           false, size.height() / 2.0, 4, 30.0));
        painter.drawText(box, Qt::AlignCenter, label);
    }

    QStringList caption;
    caption << QStringLiteral("Фаза от 0 — ") + FrameWords(!view.ResultsWithRotation()) +
                   QStringLiteral(", кольца через ") + Short(step, view.Decimal);
    caption << QStringLiteral("0 — пуск 0, К1, К2… — контрольные пуски");
    caption << (limit > 0.0
                    ? QStringLiteral("Красный пунктир — норма ") + Fixed2(limit, view.Decimal)
                    : QStringLiteral("Норма вибрации не задана"));
    painter.setPen(kInk);
    painter.setFont(SizedFont(painter, u * 0.034));
    TextLines(painter, cell.Caption, caption);
    painter.restore();
}

}  // namespace balance4::jobwindow
