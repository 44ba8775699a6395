// The run vectors at one measuring point on a polar plot, with the predicted residual.
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "job_picture.h"
#include "report_numbers.h"
#include "sketch_drawing.h"

namespace balance4::jobwindow {

using namespace sketch;

namespace {

QColor RunColour(int run) {
    static const QColor colours[] = {
        QColor(0x20, 0x20, 0x20), QColor(0x1f, 0x5f, 0xbf), QColor(0xd8, 0x6a, 0x00),
        QColor(0x2e, 0x7d, 0x32), QColor(0x8e, 0x24, 0xaa), QColor(0x00, 0x83, 0x8f),
        QColor(0xad, 0x14, 0x57), QColor(0x6d, 0x4c, 0x41), QColor(0x55, 0x8b, 0x2f)};
    if (run < 0) return kCorrection;
    return colours[run % std::size(colours)];
}

QString RunLabel(int run) {
    return run < 0 ? QStringLiteral("ост.") : QString::number(run);
}

}  // namespace

void JobPicture::PaintPoint(QPainter& painter, const QRectF& area, const SketchView& view,
                            const PointSketch& point) {
    const CellLayout cell = BeginCell(painter, area, QStringLiteral("Точка %1").arg(point.Point));
    const double u = cell.Unit;

    // Phase runs opposite to the result angles, so the vectors sit as the discs do.
    const bool phaseClockwise = !view.ResultClockwiseOnScreen();
    const bool phaseWithRotation = !view.ResultsWithRotation();
    const QPointF c = cell.Figure.center();
    const double r = std::min(cell.Figure.width(), cell.Figure.height()) / 2.0 / 1.22;

    double largest = 0.0;
    for (const SketchVector& v : point.Vectors)
        if (std::isfinite(v.Amplitude)) largest = std::max(largest, std::abs(v.Amplitude));
    // The run numbers are placed clear of the scale's texts and of each other.
    LabelPlaces places(cell.Figure, u * 0.01);
    const PolarScale polar = PaintPolarScale(painter, c, r, largest, u, phaseClockwise, places);
    const double step = polar.Step, scale = polar.Scale;

    const QFont runFont = SizedFont(painter, u * 0.036, true);
    painter.setFont(runFont);
    QString residual;
    for (const SketchVector& v : point.Vectors) {
        if (!std::isfinite(v.Amplitude) || !std::isfinite(v.PhaseDegrees)) continue;
        const double length = std::abs(v.Amplitude) * scale;
        if (v.Run < 0) residual = Fixed2(std::abs(v.Amplitude), view.Decimal);
        // A vector too short to see (the zero residual of a square system) is left to the
        // caption.
        if (length < u * 0.01) continue;
        // A negative amplitude points the other way, as the complex reading does.
        const double phase = v.PhaseDegrees + (v.Amplitude < 0.0 ? 180.0 : 0.0);
        const double screen = OnScreen(phase, phaseClockwise);
        const QPointF tip = Around(c, length, screen);
        const QColor colour = RunColour(v.Run);
        painter.setPen(
            QPen(colour, u * 0.007, v.Run < 0 ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(c, tip);
        if (length > u * 0.03) ArrowHead(painter, tip, c, u * 0.035);
        painter.setPen(colour);
        const QString label = RunLabel(v.Run);
        const QSizeF size = TextSize(painter, runFont, label);
        const std::vector<QPointF> candidates =
            PlacesAround(c, length + u * 0.045, screen, size, false, size.height() / 2.0, 4, 30.0);
        const QRectF box = places.Place(size, candidates);
        painter.drawText(box, Qt::AlignCenter, label);
    }

    QStringList caption;
    caption << QStringLiteral("Фаза от 0 — ") + FrameWords(phaseWithRotation) +
                   QStringLiteral(", кольца через ") + Short(step, view.Decimal);
    caption << QStringLiteral("0 — пуск без груза, k — с грузом в плоскости k");
    if (!residual.isEmpty())
        caption << QStringLiteral("ост. (пунктир) — остаток после поправки: ") + residual;
    painter.setPen(kInk);
    painter.setFont(SizedFont(painter, u * 0.034));
    TextLines(painter, cell.Caption, caption);
    painter.restore();
}

}  // namespace balance4::jobwindow
