// The disc of one plane: zero mark, rotation, trial place, positions, the correction with its
// spread, and the parts it is split into.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "job_picture.h"
#include "report_numbers.h"
#include "sketch_drawing.h"

namespace balance4::jobwindow {

using namespace sketch;

namespace {

constexpr int kMostPositionsDrawn = 360;

}  // namespace

void JobPicture::PaintPlane(QPainter& painter, const QRectF& area, const SketchView& view,
                            const PlaneSketch& plane) {
    const bool shown = plane.HasCorrection;
    const QColor flagColour = plane.Trust == SketchTrust::Untrusted ? kCorrection : kDoubtful;
    const CellLayout cell =
        BeginCell(painter, area, QStringLiteral("Плоскость %1").arg(plane.Plane),
                  shown ? TrustWord(plane.Trust) : QString(), flagColour);
    const double u = cell.Unit;
    const QString& d = view.Decimal;

    const bool resultClockwise = view.ResultClockwiseOnScreen();
    const bool rotationClockwise = view.RotationClockwiseOnScreen();
    const QPointF c = cell.Figure.center();
    const double r =
        std::min(cell.Figure.width(), cell.Figure.height()) / 2.0 / 1.32;  // room for labels
    const auto at = [&](double radius, double resultDegrees) {
        return Around(c, radius, OnScreen(resultDegrees, resultClockwise));
    };
    const double small = u * 0.036;

    // Where the masses are written outside the rim, in result degrees: each part's, two
    // neighbours at least 30° apart so that they do not overlap; else the correction's.
    std::vector<double> massLabels;
    if (plane.HasCorrection) {
        for (const SketchPart& part : plane.Parts) massLabels.push_back(part.At.AngleDegrees);
        if (massLabels.size() == 2) {
            const double gap = std::fmod(massLabels[1] - massLabels[0] + 540.0, 360.0) - 180.0;
            if (std::abs(gap) < 30.0) {
                const double middle = massLabels[0] + gap / 2.0;
                const double half = gap < 0.0 ? -15.0 : 15.0;
                massLabels = {middle - half, middle + half};
            }
        }
        if (plane.Parts.empty()) massLabels.push_back(plane.AngleFromZero);
    }
    // A written mass takes the place of a scale mark or the rotation arrow near it.
    const auto massNear = [&](double screenDegrees, double within) {
        return std::any_of(massLabels.begin(), massLabels.end(), [&](double degrees) {
            return Apart(OnScreen(degrees, resultClockwise), screenDegrees) < within;
        });
    };

    // The disc, its hub, and the scale of result angles: 90°, 180°, 270° from the zero mark.
    painter.setPen(QPen(kInk, u * 0.004));
    painter.setBrush(kDisc);
    painter.drawEllipse(c, r, r);
    painter.setBrush(kPaper);
    painter.drawEllipse(c, r * 0.12, r * 0.12);
    painter.setPen(QPen(kFaint, u * 0.003));
    for (int degrees = 0; degrees < 360; degrees += 30)
        painter.drawLine(at(r * 0.95, degrees), at(r, degrees));
    painter.setFont(SizedFont(painter, small));
    painter.setPen(kFaint);
    for (int degrees : {90, 180, 270}) {
        if (!massNear(OnScreen(degrees, resultClockwise), 25.0))
            TextOutside(painter, c, r * 1.04, OnScreen(degrees, resultClockwise),
                        QStringLiteral("%1°").arg(degrees), area);
    }

    // The zero mark: a wedge on the rim at the top.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    const QPointF rimTop = at(r, 0);
    const QPointF wedge[] = {rimTop, rimTop + QPointF(-r * 0.07, -r * 0.12),
                             rimTop + QPointF(r * 0.07, -r * 0.12)};
    painter.drawPolygon(wedge, 3);
    painter.setPen(kInk);
    painter.setFont(SizedFont(painter, small, true));
    if (!massNear(0.0, 20.0)) TextAt(painter, at(r * 1.22, 0), QStringLiteral("0"), area);

    // The rotation: an arrow pointing the way the rotor turns, beside the zero mark where no
    // mass is written, else at another corner.
    painter.setPen(QPen(kInk, u * 0.006));
    const double sense = rotationClockwise ? 1.0 : -1.0;
    double corner = 40.0;
    for (double candidate : {40.0, -40.0, 140.0, -140.0}) {
        if (!massNear(candidate, 40.0)) {
            corner = candidate;
            break;
        }
    }
    ArcArrow(painter, c, r * 1.2, corner - sense * 20.0, sense * 40.0, u * 0.04);
    painter.setFont(SizedFont(painter, small));
    TextOutside(painter, c, r * 1.3, corner, QStringLiteral("вращение"), area);

    // The positions: holes as rings, other places as ticks, numbered inside the rim. More than
    // can be told apart are drawn as one ring with their count.
    const int count = static_cast<int>(plane.Positions.size());
    const int every = std::max(1, (count + 23) / 24);
    painter.setFont(SizedFont(painter, u * 0.03));
    if (count > kMostPositionsDrawn) {
        painter.setPen(QPen(kFaint, u * 0.003, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(c, r * 0.86, r * 0.86);
        TextAt(painter, c + QPointF(0, r * 0.25), QStringLiteral("мест: %1").arg(count), area);
    }
    for (int i = 0; i < count && count <= kMostPositionsDrawn; ++i) {
        const SketchPosition& position = plane.Positions[static_cast<std::size_t>(i)];
        painter.setPen(QPen(kFaint, u * 0.003));
        if (plane.Holes) {
            painter.setBrush(kPaper);
            painter.drawEllipse(at(r * 0.86, position.AngleDegrees), r * 0.035, r * 0.035);
        } else {
            painter.drawLine(at(r * 0.8, position.AngleDegrees),
                             at(r * 0.92, position.AngleDegrees));
        }
        if (i % every == 0)
            TextAt(painter, at(r * 0.72, position.AngleDegrees), QString::number(position.Number),
                   area);
    }

    // The trial place.
    painter.setPen(QPen(kTrial, u * 0.004, Qt::DashLine));
    painter.drawLine(c, at(r * 0.86, plane.TrialAngle));
    painter.setPen(QPen(kTrial, u * 0.006));
    painter.setBrush(Qt::NoBrush);
    const QPointF trial = at(r * 0.86, plane.TrialAngle);
    painter.drawRect(QRectF(trial.x() - r * 0.06, trial.y() - r * 0.06, r * 0.12, r * 0.12));
    painter.setFont(SizedFont(painter, small, true));
    painter.setPen(kTrial);
    TextAt(painter, at(r * 0.56, plane.TrialAngle + 8.0), QStringLiteral("П"), area);

    QStringList caption;
    caption << ViewWords(view) + QStringLiteral(", вращение ") + RotationWords(rotationClockwise);
    caption << QStringLiteral("Углы от 0 и от пробного (П) — ") +
                   FrameWords(view.ResultsWithRotation());
    if (shown) {
        // The spread as a sector, the correction as an arrow, its angle from the trial place as
        // an arc laid off from П the way result angles run.
        const double spread = plane.AngleSpread;
        painter.setPen(Qt::NoPen);
        painter.setBrush(kSpread);
        if (!std::isfinite(spread) || spread >= 180.0) {
            painter.drawEllipse(c, r, r);
        } else if (spread > 0.0) {
            const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
            const double from = OnScreen(plane.AngleFromZero - spread, resultClockwise);
            const double span = OnScreen(2.0 * spread, resultClockwise);
            QPainterPath sector(c);
            sector.arcTo(box, 90.0 - from, -span);
            sector.closeSubpath();
            painter.drawPath(sector);
        }
        if (!plane.OnRotor) {
            painter.setPen(QPen(kFromTrial, u * 0.005));
            ArcArrow(painter, c, r * 0.4, OnScreen(plane.TrialAngle, resultClockwise),
                     OnScreen(plane.AngleFromTrial, resultClockwise), u * 0.035);
            painter.setFont(SizedFont(painter, u * 0.032));
            TextAt(painter, at(r * 0.56, plane.TrialAngle + plane.AngleFromTrial / 2.0),
                   Fixed2(plane.AngleFromTrial, d) + QStringLiteral("°"), area);
        }

        painter.setPen(QPen(kCorrection, u * 0.009, Qt::SolidLine, Qt::RoundCap));
        const QPointF tip = at(r * 0.98, plane.AngleFromZero);
        painter.drawLine(c, tip);
        ArrowHead(painter, tip, c, u * 0.045);

        // Masses are written outside the rim, beyond the zero mark's wedge near it.
        const auto massRadius = [&](double degrees) {
            return Apart(degrees, 0.0) < 20.0 ? r * 1.13 : r * 1.04;
        };
        // The split parts on their positions, else the mass at the arrow's tip.
        painter.setFont(SizedFont(painter, small, true));
        const auto massText = [&](double mass) {
            return Fixed2(mass, d) + (plane.Unit.isEmpty() ? QString() : QStringLiteral(" ")) +
                   plane.Unit;
        };
        if (plane.Parts.empty()) {
            painter.setPen(kCorrection);
            TextOutside(painter, c, massRadius(plane.AngleFromZero),
                        OnScreen(plane.AngleFromZero, resultClockwise), massText(plane.Mass), area);
        }
        for (std::size_t i = 0; i < plane.Parts.size(); ++i) {
            const SketchPart& part = plane.Parts[i];
            painter.setPen(QPen(kCorrection.darker(130), u * 0.003));
            painter.setBrush(kCorrection);
            painter.drawEllipse(at(r * 0.86, part.At.AngleDegrees), r * 0.055, r * 0.055);
            painter.setPen(kCorrection.darker(130));
            TextOutside(painter, c, massRadius(massLabels[i]),
                        OnScreen(massLabels[i], resultClockwise), massText(part.Mass), area);
        }
        QString line = (plane.OnRotor ? QStringLiteral("На роторе %1, %2° от 0")
                                      : QStringLiteral("Груз %1, %2° от 0"))
                           .arg(massText(plane.Mass), Fixed2(plane.AngleFromZero, d));
        if (std::isfinite(spread))
            line += QStringLiteral(" (±%1°)").arg(Fixed2(spread, d));
        else
            line += QStringLiteral(" (направление не определено)");
        caption << line;
    } else {
        caption << QStringLiteral("Поправка не рассчитана");
    }
    if (!plane.SplitNote.isEmpty()) caption.back() += QStringLiteral("; ") + plane.SplitNote;

    painter.setPen(kInk);
    painter.setFont(SizedFont(painter, u * 0.034));
    TextLines(painter, cell.Caption, caption);
    painter.restore();
}

}  // namespace balance4::jobwindow
