// The disc of one plane: zero mark, rotation, trial place, positions, the correction with its
// spread, and the parts it is split into.
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <optional>

#include "job/positions.h"
#include "job_picture.h"
#include "report_numbers.h"
#include "sketch_drawing.h"

namespace balance4::jobwindow {

using namespace sketch;

namespace {

// Every position a plane may have is drawn.
constexpr int kMostPositionsDrawn = job::kMaxHoles;

// Where one plane's disc lies in its cell, and the fonts of its texts.
struct Disc {
    QPointF Centre;
    double Radius = 1.0;
    double Unit = 1.0;  // the cell's size
    bool ResultClockwise = true;
    QFont Plain;
    QFont Bold;
    QFont Numbers;
    QFont Arc;

    double Screen(double resultDegrees) const { return OnScreen(resultDegrees, ResultClockwise); }
    QPointF At(double radius, double resultDegrees) const {
        return Around(Centre, Radius * radius, Screen(resultDegrees));
    }
    // The zero mark: a wedge on the rim at the top.
    QPolygonF Wedge() const {
        const QPointF top = At(1.0, 0.0);
        return QPolygonF({top, top + QPointF(-Radius * 0.07, -Radius * 0.12),
                          top + QPointF(Radius * 0.07, -Radius * 0.12)});
    }
    QRectF TrialBox(const PlaneSketch& plane) const {
        return CentredBox(At(0.86, plane.TrialAngle), QSizeF(Radius * 0.12, Radius * 0.12));
    }
    QPointF Tip(const PlaneSketch& plane) const { return At(0.98, plane.AngleFromZero); }
    std::vector<QPointF> FromTrialArc(const PlaneSketch& plane) const {
        return ArcPoints(Centre, Radius * 0.4, Screen(plane.TrialAngle),
                         Screen(plane.AngleFromTrial));
    }
    // The arc of the rotation arrow round `corner` (screen degrees), 40° long.
    std::vector<QPointF> RotationArc(double corner) const {
        return ArcPoints(Centre, Radius * 1.2, corner - 20.0, 40.0);
    }
    bool Numbered(const PlaneSketch& plane, int index) const {
        const int count = static_cast<int>(plane.Positions.size());
        return count <= kMostPositionsDrawn && index % std::max(1, (count + 23) / 24) == 0;
    }
};

// A text placed from where it belongs, with a leader line back to `Anchor` when it had to go
// further than its own height.
struct Label {
    QString Text;
    QFont Font;
    QRectF Box;
    QPointF Anchor;
    bool Led = false;
};

// Where each text on the disc goes.
struct DiscTexts {
    QRectF Zero;
    QRectF Count;                 // of the positions, when too many to draw
    std::vector<QRectF> Numbers;  // per position; empty where not numbered
    Label Trial;                  // П
    std::vector<Label> Masses;
    std::optional<Label> FromTrial;
    double RotationCorner = 40.0;
    QRectF Rotation;
    std::vector<std::pair<QString, QRectF>> Scale;
};

QString MassText(const PlaneSketch& plane, double mass, const QString& decimal) {
    return Fixed2(mass, decimal) + (plane.Unit.isEmpty() ? QString() : QStringLiteral(" ")) +
           plane.Unit;
}

QString CountText(const PlaneSketch& plane) {
    return QStringLiteral("мест: %1").arg(plane.Positions.size());
}

// The marks stay where they belong; the labels are placed round them and round each other, the
// ones that name something first.
DiscTexts PlaceTexts(const QPainter& painter, const Disc& disc, const PlaneSketch& plane,
                     const QString& decimal, LabelPlaces& places) {
    const double r = disc.Radius;
    const double u = disc.Unit;
    const QPointF c = disc.Centre;
    const auto textBox = [&](QPointF centre, const QFont& font, const QString& text) {
        return CentredBox(centre, TextSize(painter, font, text));
    };
    const bool shown = plane.HasCorrection;
    DiscTexts texts;

    places.KeepMark(disc.Wedge().boundingRect());
    texts.Zero = textBox(disc.At(1.22, 0), disc.Bold, QStringLiteral("0"));
    places.KeepMark(texts.Zero);
    places.KeepMark(CentredBox(c, QSizeF(r * 0.24, r * 0.24)));  // the hub
    const int count = static_cast<int>(plane.Positions.size());
    texts.Count = textBox(c + QPointF(0, r * 0.25), disc.Numbers, CountText(plane));
    if (count > kMostPositionsDrawn) places.KeepMark(texts.Count);
    for (int i = 0; i < count; ++i) {
        const SketchPosition& position = plane.Positions[static_cast<std::size_t>(i)];
        texts.Numbers.push_back(disc.Numbered(plane, i)
                                    ? textBox(disc.At(0.72, position.AngleDegrees), disc.Numbers,
                                              QString::number(position.Number))
                                    : QRectF());
        if (disc.Numbered(plane, i)) places.KeepMark(texts.Numbers.back());
    }
    places.KeepMark(disc.TrialBox(plane));
    places.KeepMarks(Along({c, disc.At(0.86, plane.TrialAngle)}, u * 0.012));
    if (shown) {
        // The shaft only: the head is on the rim, which the labels outside keep clear of.
        places.KeepMarks(Along({c, disc.At(0.9, plane.AngleFromZero)}, u * 0.02));
        for (const SketchPart& part : plane.Parts)
            places.KeepMark(
                CentredBox(disc.At(0.86, part.At.AngleDegrees), QSizeF(r * 0.11, r * 0.11)));
        if (!plane.OnRotor) places.KeepMarks(Along(disc.FromTrialArc(plane), u * 0.012));
    }

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
    const QString trialMark = QStringLiteral("П");
    texts.Trial =
        place(trialMark, disc.Bold,
              PlacesAround(c, r * 0.56, disc.Screen(plane.TrialAngle + 8.0),
                           TextSize(painter, disc.Bold, trialMark), false, -r * 0.06, 3, 30.0),
              {disc.At(0.56, plane.TrialAngle)});

    // The masses outside the rim: each part's at its position, else the correction's at the
    // arrow's tip.
    const auto placeMass = [&](double degrees, double mass) {
        const QString text = MassText(plane, mass, decimal);
        const QSizeF size = TextSize(painter, disc.Bold, text);
        texts.Masses.push_back(place(
            text, disc.Bold,
            PlacesAround(c, r * 1.04, disc.Screen(degrees), size, true, size.height(), 6, 90.0),
            {disc.At(1.0, degrees)}));
    };
    if (shown && plane.Parts.empty()) placeMass(plane.AngleFromZero, plane.Mass);
    if (shown)
        for (const SketchPart& part : plane.Parts) placeMass(part.At.AngleDegrees, part.Mass);

    // The correction's angle from the trial place, by the arc laid off from П.
    if (shown && !plane.OnRotor) {
        const double middle = plane.TrialAngle + plane.AngleFromTrial / 2.0;
        const QString text = Fixed2(plane.AngleFromTrial, decimal) + QStringLiteral("°");
        const QSizeF size = TextSize(painter, disc.Arc, text);
        texts.FromTrial = place(text, disc.Arc,
                                PlacesAround(c, r * 0.56, disc.Screen(middle), size, false,
                                             -size.height() / 3.0, 9, 180.0),
                                disc.FromTrialArc(plane));
    }

    // The rotation beside the zero mark where it is clear of the labels, else at another corner.
    const QSizeF rotationSize = TextSize(painter, disc.Plain, QStringLiteral("вращение"));
    const auto rotationBox = [&](double corner) {
        return CentredBox(PlacesAround(c, r * 1.3, corner, rotationSize, true, 0.0, 0, 0.0).front(),
                          rotationSize);
    };
    for (double corner : {40.0, -40.0, 140.0, -140.0}) {
        if (places.Fits(rotationBox(corner)) &&
            places.AllFit(Along(disc.RotationArc(corner), u * 0.03))) {
            texts.RotationCorner = corner;
            break;
        }
    }
    places.KeepMarks(Along(disc.RotationArc(texts.RotationCorner), u * 0.03));
    texts.Rotation = places.Place(rotationSize, {rotationBox(texts.RotationCorner).center()});

    // The scale of result angles, 90°, 180° and 270° from the zero mark, where a label leaves room.
    for (int degrees : {90, 180, 270}) {
        const QString text = QStringLiteral("%1°").arg(degrees);
        const QSizeF size = TextSize(painter, disc.Plain, text);
        const QRectF box = CentredBox(
            PlacesAround(c, r * 1.04, disc.Screen(degrees), size, true, 0.0, 0, 0.0).front(), size);
        if (places.PlaceIfFits(box)) texts.Scale.emplace_back(text, box);
    }
    return texts;
}

void DrawLabel(QPainter& painter, const Disc& disc, const Label& label, const QColor& colour) {
    if (label.Led) {
        painter.setPen(QPen(colour, disc.Unit * 0.003));
        Leader(painter, label.Box, label.Anchor);
    }
    painter.setPen(colour);
    painter.setFont(label.Font);
    painter.drawText(label.Box, Qt::AlignCenter, label.Text);
}

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

    Disc disc;
    disc.Centre = cell.Figure.center();
    // Room round the rim for the labels.
    disc.Radius = std::min(cell.Figure.width(), cell.Figure.height()) / 2.0 / 1.32;
    disc.Unit = u;
    disc.ResultClockwise = resultClockwise;
    disc.Plain = SizedFont(painter, u * 0.036);
    disc.Bold = SizedFont(painter, u * 0.036, true);
    disc.Numbers = SizedFont(painter, u * 0.03);
    disc.Arc = SizedFont(painter, u * 0.032);
    const QPointF c = disc.Centre;
    const double r = disc.Radius;

    LabelPlaces places(cell.Figure, u * 0.01);
    const DiscTexts texts = PlaceTexts(painter, disc, plane, d, places);

    // The disc, its hub, and the scale.
    painter.setPen(QPen(kInk, u * 0.004));
    painter.setBrush(kDisc);
    painter.drawEllipse(c, r, r);
    painter.setBrush(kPaper);
    painter.drawEllipse(c, r * 0.12, r * 0.12);
    painter.setPen(QPen(kFaint, u * 0.003));
    for (int degrees = 0; degrees < 360; degrees += 30)
        painter.drawLine(disc.At(0.95, degrees), disc.At(1.0, degrees));
    painter.setFont(disc.Plain);
    painter.setPen(kFaint);
    for (const auto& [text, box] : texts.Scale) painter.drawText(box, Qt::AlignCenter, text);

    // The zero mark and the rotation's arrow.
    painter.setPen(Qt::NoPen);
    painter.setBrush(kInk);
    painter.drawPolygon(disc.Wedge());
    painter.setPen(kInk);
    painter.setFont(disc.Bold);
    painter.drawText(texts.Zero, Qt::AlignCenter, QStringLiteral("0"));

    painter.setPen(QPen(kInk, u * 0.006));
    const double sense = rotationClockwise ? 1.0 : -1.0;
    ArcArrow(painter, c, r * 1.2, texts.RotationCorner - sense * 20.0, sense * 40.0, u * 0.04);
    painter.setFont(disc.Plain);
    painter.drawText(texts.Rotation, Qt::AlignCenter, QStringLiteral("вращение"));

    // The positions: holes as rings, other places as ticks, numbered inside the rim. More than
    // can be told apart are drawn as one ring with their count.
    const int count = static_cast<int>(plane.Positions.size());
    const bool positionsDrawn = count <= kMostPositionsDrawn;
    painter.setFont(disc.Numbers);
    if (!positionsDrawn) {
        painter.setPen(QPen(kFaint, u * 0.003, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(c, r * 0.86, r * 0.86);
        painter.drawText(texts.Count, Qt::AlignCenter, CountText(plane));
    }
    for (int i = 0; i < count && positionsDrawn; ++i) {
        const SketchPosition& position = plane.Positions[static_cast<std::size_t>(i)];
        painter.setPen(QPen(kFaint, u * 0.003));
        if (plane.Holes) {
            painter.setBrush(kPaper);
            painter.drawEllipse(disc.At(0.86, position.AngleDegrees), r * 0.035, r * 0.035);
        } else {
            painter.drawLine(disc.At(0.8, position.AngleDegrees),
                             disc.At(0.92, position.AngleDegrees));
        }
        if (disc.Numbered(plane, i))
            painter.drawText(texts.Numbers[static_cast<std::size_t>(i)], Qt::AlignCenter,
                             QString::number(position.Number));
    }

    // The trial place.
    painter.setPen(QPen(kTrial, u * 0.004, Qt::DashLine));
    painter.drawLine(c, disc.At(0.86, plane.TrialAngle));
    painter.setPen(QPen(kTrial, u * 0.006));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(disc.TrialBox(plane));
    DrawLabel(painter, disc, texts.Trial, kTrial);

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
            DrawLabel(painter, disc, *texts.FromTrial, kFromTrial);
        }

        painter.setPen(QPen(kCorrection, u * 0.009, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(c, disc.Tip(plane));
        ArrowHead(painter, disc.Tip(plane), c, u * 0.045);

        // The split parts on their positions.
        for (const SketchPart& part : plane.Parts) {
            painter.setPen(QPen(kCorrection.darker(130), u * 0.003));
            painter.setBrush(kCorrection);
            painter.drawEllipse(disc.At(0.86, part.At.AngleDegrees), r * 0.055, r * 0.055);
        }
        for (const Label& mass : texts.Masses)
            DrawLabel(painter, disc, mass,
                      plane.Parts.empty() ? kCorrection : kCorrection.darker(130));
        QString line = (plane.OnRotor ? QStringLiteral("На роторе %1, %2° от 0")
                                      : QStringLiteral("Груз %1, %2° от 0"))
                           .arg(MassText(plane, plane.Mass, d), Fixed2(plane.AngleFromZero, d));
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
