// The disc of one plane: zero mark, rotation, trial place, positions, the correction with its
// spread, and the parts it is split into.
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <optional>

#include "job_picture.h"
#include "report_numbers.h"
#include "sketch_drawing.h"

namespace balance4::jobwindow {

using namespace sketch;

namespace {

constexpr int kMostPositionsDrawn = 360;

}  // namespace

PlaneTexts JobPicture::PaintPlane(QPainter& painter, const QRectF& area, const SketchView& view,
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
    const auto screen = [&](double resultDegrees) {
        return OnScreen(resultDegrees, resultClockwise);
    };
    const auto at = [&](double radius, double resultDegrees) {
        return Around(c, radius, screen(resultDegrees));
    };
    const double small = u * 0.036;
    const QFont plainFont = SizedFont(painter, small);
    const QFont boldFont = SizedFont(painter, small, true);
    const QFont numberFont = SizedFont(painter, u * 0.03);
    const QFont arcFont = SizedFont(painter, u * 0.032);
    const auto textBox = [&](QPointF centre, const QFont& font, const QString& text) {
        return CentredBox(centre, TextSize(painter, font, text));
    };

    // The marks stay where they belong; the labels are placed round them and round each other.
    LabelPlaces places(cell.Figure, u * 0.01);
    const QPointF rimTop = at(r, 0);
    const QPointF wedge[] = {rimTop, rimTop + QPointF(-r * 0.07, -r * 0.12),
                             rimTop + QPointF(r * 0.07, -r * 0.12)};
    places.KeepMark(QRectF(wedge[1], wedge[2] + QPointF(0, r * 0.12)));
    const QString zero = QStringLiteral("0");
    const QRectF zeroBox = textBox(at(r * 1.22, 0), boldFont, zero);
    places.KeepMark(zeroBox);
    places.KeepMark(CentredBox(c, QSizeF(r * 0.24, r * 0.24)));  // the hub

    // The positions: holes as rings, other places as ticks, numbered inside the rim. More than
    // can be told apart are drawn as one ring with their count.
    const int count = static_cast<int>(plane.Positions.size());
    const int every = std::max(1, (count + 23) / 24);
    const bool positionsDrawn = count <= kMostPositionsDrawn;
    const QString countText = QStringLiteral("мест: %1").arg(count);
    const QRectF countBox = textBox(c + QPointF(0, r * 0.25), numberFont, countText);
    if (!positionsDrawn) places.KeepMark(countBox);
    std::vector<QRectF> numberBoxes;
    for (int i = 0; i < count && positionsDrawn; ++i) {
        const SketchPosition& position = plane.Positions[static_cast<std::size_t>(i)];
        numberBoxes.push_back(i % every == 0 ? textBox(at(r * 0.72, position.AngleDegrees),
                                                       numberFont, QString::number(position.Number))
                                             : QRectF());
        if (i % every == 0) places.KeepMark(numberBoxes.back());
    }

    const QPointF trial = at(r * 0.86, plane.TrialAngle);
    const QRectF trialBox(trial.x() - r * 0.06, trial.y() - r * 0.06, r * 0.12, r * 0.12);
    places.KeepMark(trialBox);
    places.KeepMarks(Along({c, trial}, u * 0.012));
    const QPointF tip = at(r * 0.98, plane.AngleFromZero);
    const std::vector<QPointF> fromTrialArc =
        ArcPoints(c, r * 0.4, screen(plane.TrialAngle), screen(plane.AngleFromTrial));
    if (shown) {
        // The shaft only: the head is on the rim, which the labels outside keep clear of.
        places.KeepMarks(Along({c, at(r * 0.9, plane.AngleFromZero)}, u * 0.02));
        for (const SketchPart& part : plane.Parts)
            places.KeepMark(
                CentredBox(at(r * 0.86, part.At.AngleDegrees), QSizeF(r * 0.11, r * 0.11)));
        if (!plane.OnRotor) places.KeepMarks(Along(fromTrialArc, u * 0.012));
    }

    // A label placed from where it belongs, with a leader line back to `anchor` when it had to go
    // further than its own height.
    struct Label {
        QString Text;
        QFont Font;
        QRectF Box;
        QPointF Anchor;
        bool Led = false;
    };
    const auto place = [&](const QString& text, const QFont& font,
                           const std::vector<QPointF>& centres,
                           const std::vector<QPointF>& anchors) {
        const QSizeF size = TextSize(painter, font, text);
        const QRectF box = places.Place(size, centres);
        const auto distance = [&](QPointF p) {
            return std::hypot(p.x() - box.center().x(), p.y() - box.center().y());
        };
        const QPointF anchor =
            *std::min_element(anchors.begin(), anchors.end(),
                              [&](QPointF a, QPointF b) { return distance(a) < distance(b); });
        const QPointF moved = box.center() - centres.front();
        return Label{text, font, box, anchor, std::hypot(moved.x(), moved.y()) > size.height()};
    };

    // П beside the trial place, clear of the lines through it.
    const Label trialMark = place(
        QStringLiteral("П"), boldFont,
        PlacesAround(c, r * 0.56, screen(plane.TrialAngle + 8.0),
                     TextSize(painter, boldFont, QStringLiteral("П")), false, -r * 0.06, 3, 30.0),
        {at(r * 0.56, plane.TrialAngle)});

    // The masses outside the rim: each part's at its position, else the correction's at the
    // arrow's tip. They go before the other labels, so that they stay nearest to what they name.
    const auto massText = [&](double mass) {
        return Fixed2(mass, d) + (plane.Unit.isEmpty() ? QString() : QStringLiteral(" ")) +
               plane.Unit;
    };
    std::vector<Label> masses;
    const auto placeMass = [&](double degrees, double mass) {
        const QString text = massText(mass);
        const QSizeF size = TextSize(painter, boldFont, text);
        masses.push_back(
            place(text, boldFont,
                  PlacesAround(c, r * 1.04, screen(degrees), size, true, size.height(), 6, 90.0),
                  {at(r, degrees)}));
    };
    if (shown && plane.Parts.empty()) placeMass(plane.AngleFromZero, plane.Mass);
    if (shown)
        for (const SketchPart& part : plane.Parts) placeMass(part.At.AngleDegrees, part.Mass);

    // The correction's angle from the trial place, inside the disc by the arc laid off from П.
    std::optional<Label> fromTrial;
    if (shown && !plane.OnRotor) {
        const double middle = plane.TrialAngle + plane.AngleFromTrial / 2.0;
        const QString text = Fixed2(plane.AngleFromTrial, d) + QStringLiteral("°");
        const QSizeF size = TextSize(painter, arcFont, text);
        fromTrial = place(
            text, arcFont,
            PlacesAround(c, r * 0.56, screen(middle), size, false, -size.height() / 3.0, 9, 180.0),
            fromTrialArc);
    }

    // The rotation: an arrow pointing the way the rotor turns, beside the zero mark where it is
    // clear of the labels, else at another corner.
    const QString rotationText = QStringLiteral("вращение");
    const QSizeF rotationSize = TextSize(painter, plainFont, rotationText);
    const auto rotationTextBox = [&](double corner) {
        return CentredBox(PlacesAround(c, r * 1.3, corner, rotationSize, true, 0.0, 0, 0.0).front(),
                          rotationSize);
    };
    const auto rotationArc = [&](double corner) {
        return Along(ArcPoints(c, r * 1.2, corner - 20.0, 40.0), u * 0.03);
    };
    double corner = 40.0;
    for (double candidate : {40.0, -40.0, 140.0, -140.0}) {
        if (places.Fits(rotationTextBox(candidate)) && places.Fit(rotationArc(candidate))) {
            corner = candidate;
            break;
        }
    }
    places.KeepMarks(rotationArc(corner));
    const QRectF rotationBox = rotationTextBox(corner);
    places.Place(rotationSize, {rotationBox.center()});

    // The scale of result angles, 90°, 180° and 270° from the zero mark, where a label leaves room.
    std::vector<std::pair<QString, QRectF>> scale;
    for (int degrees : {90, 180, 270}) {
        const QString text = QStringLiteral("%1°").arg(degrees);
        const QSizeF size = TextSize(painter, plainFont, text);
        const QRectF box = CentredBox(
            PlacesAround(c, r * 1.04, screen(degrees), size, true, 0.0, 0, 0.0).front(), size);
        if (places.PlaceIfFits(box)) scale.emplace_back(text, box);
    }

    // The disc, its hub, and the scale.
    painter.setPen(QPen(kInk, u * 0.004));
    painter.setBrush(kDisc);
    painter.drawEllipse(c, r, r);
    painter.setBrush(kPaper);
    painter.drawEllipse(c, r * 0.12, r * 0.12);
    painter.setPen(QPen(kFaint, u * 0.003));
    for (int degrees = 0; degrees < 360; degrees += 30)
        painter.drawLine(at(r * 0.95, degrees), at(r, degrees));
    painter.setFont(plainFont);
    painter.setPen(kFaint);
    for (const auto& [text, box] : scale) painter.drawText(box, Qt::AlignCenter, text);

    // The zero mark: a wedge on the rim at the top.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawPolygon(wedge, 3);
    painter.setPen(kInk);
    painter.setFont(boldFont);
    painter.drawText(zeroBox, Qt::AlignCenter, zero);

    painter.setPen(QPen(kInk, u * 0.006));
    const double sense = rotationClockwise ? 1.0 : -1.0;
    ArcArrow(painter, c, r * 1.2, corner - sense * 20.0, sense * 40.0, u * 0.04);
    painter.setFont(plainFont);
    painter.drawText(rotationBox, Qt::AlignCenter, rotationText);

    painter.setFont(numberFont);
    if (!positionsDrawn) {
        painter.setPen(QPen(kFaint, u * 0.003, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(c, r * 0.86, r * 0.86);
        painter.drawText(countBox, Qt::AlignCenter, countText);
    }
    for (int i = 0; i < count && positionsDrawn; ++i) {
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
            painter.drawText(numberBoxes[static_cast<std::size_t>(i)], Qt::AlignCenter,
                             QString::number(position.Number));
    }

    const auto drawLabel = [&](const Label& label, const QColor& colour) {
        if (label.Led) {
            painter.setPen(QPen(colour, u * 0.003));
            Leader(painter, label.Box, label.Anchor);
        }
        painter.setPen(colour);
        painter.setFont(label.Font);
        painter.drawText(label.Box, Qt::AlignCenter, label.Text);
    };

    // The trial place.
    painter.setPen(QPen(kTrial, u * 0.004, Qt::DashLine));
    painter.drawLine(c, trial);
    painter.setPen(QPen(kTrial, u * 0.006));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(trialBox);
    drawLabel(trialMark, kTrial);

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
            drawLabel(*fromTrial, kFromTrial);
        }

        painter.setPen(QPen(kCorrection, u * 0.009, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(c, tip);
        ArrowHead(painter, tip, c, u * 0.045);

        // The split parts on their positions.
        for (const SketchPart& part : plane.Parts) {
            painter.setPen(QPen(kCorrection.darker(130), u * 0.003));
            painter.setBrush(kCorrection);
            painter.drawEllipse(at(r * 0.86, part.At.AngleDegrees), r * 0.055, r * 0.055);
        }
        for (const Label& mass : masses)
            drawLabel(mass, plane.Parts.empty() ? kCorrection : kCorrection.darker(130));
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
    return {places.Marks(), places.Labels()};
}

}  // namespace balance4::jobwindow
