#include "sketch_drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace balance4::jobwindow::sketch {

QPointF Around(QPointF centre, double radius, double clockwiseDegrees) {
    const double a = qDegreesToRadians(clockwiseDegrees);
    return centre + QPointF(radius * std::sin(a), -radius * std::cos(a));
}

void ArrowHead(QPainter& painter, QPointF tip, QPointF from, double size) {
    const QPointF d = tip - from;
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0.0) return;
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    const QPointF base = tip - u * size;
    const QPointF head[] = {tip, base + n * (size * 0.45), base - n * (size * 0.45)};
    painter.save();
    painter.setBrush(painter.pen().color());
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(head, 3);
    painter.restore();
}

void ArcArrow(QPainter& painter, QPointF centre, double radius, double fromDegrees,
              double spanDegrees, double headSize) {
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath path;
    path.arcMoveTo(box, 90.0 - fromDegrees);
    path.arcTo(box, 90.0 - fromDegrees, -spanDegrees);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
    const double end = fromDegrees + spanDegrees;
    const double back = end - std::copysign(std::min(8.0, std::abs(spanDegrees)), spanDegrees);
    const QPointF tip = Around(centre, radius, end);
    ArrowHead(painter, tip, Around(centre, radius, back), headSize);
}

QFont SizedFont(const QPainter& painter, double pixels, bool bold) {
    QFont font = painter.font();
    font.setPixelSize(std::max(1, qRound(pixels)));
    font.setBold(bold);
    return font;
}

QRectF CentredBox(QPointF at, const QSizeF& size) {
    return QRectF(at - QPointF(size.width(), size.height()) / 2.0, size);
}

bool LabelPlaces::Fits(const QRectF& box) const {
    const QRectF apart = box.adjusted(-m_gap, 0.0, m_gap, 0.0);
    const auto clear = [&](const std::vector<QRectF>& boxes) {
        return std::none_of(boxes.begin(), boxes.end(),
                            [&](const QRectF& taken) { return taken.intersects(apart); });
    };
    return m_bounds.contains(box) && clear(m_marks) && clear(m_labels);
}

bool LabelPlaces::AllFit(const std::vector<QRectF>& boxes) const {
    return std::all_of(boxes.begin(), boxes.end(), [&](const QRectF& box) { return Fits(box); });
}

void LabelPlaces::KeepMarks(const std::vector<QRectF>& boxes) {
    m_marks.insert(m_marks.end(), boxes.begin(), boxes.end());
}

double LabelPlaces::Covered(const QRectF& box) const {
    const auto area = [](const QRectF& r) { return r.isValid() ? r.width() * r.height() : 0.0; };
    // Two texts on top of each other are both lost; a text over a mark or the edge is still read.
    constexpr double kOverLabel = 4.0;
    double covered = area(box) - area(box & m_bounds);
    for (const QRectF& mark : m_marks) covered += area(mark & box);
    for (const QRectF& label : m_labels) covered += kOverLabel * area(label & box);
    return covered;
}

QRectF LabelPlaces::Place(const QSizeF& size, const std::vector<QPointF>& centres) {
    if (centres.empty()) return {};
    const auto fits = std::find_if(centres.begin(), centres.end(),
                                   [&](QPointF centre) { return Fits(CentredBox(centre, size)); });
    const auto least = [&] {
        return *std::min_element(centres.begin(), centres.end(), [&](QPointF a, QPointF b) {
            return Covered(CentredBox(a, size)) < Covered(CentredBox(b, size));
        });
    };
    const QRectF box = CentredBox(fits != centres.end() ? *fits : least(), size);
    m_labels.push_back(box);
    return box;
}

bool LabelPlaces::PlaceIfFits(const QRectF& box) {
    if (!Fits(box)) return false;
    m_labels.push_back(box);
    return true;
}

std::vector<QPointF> PlacesAround(QPointF centre, double radius, double clockwiseDegrees,
                                  const QSizeF& size, bool outside, double ringStep, int rings,
                                  double mostDegrees) {
    constexpr double kStepDegrees = 3.0;
    const int steps = static_cast<int>(mostDegrees / kStepDegrees);
    std::vector<QPointF> places;
    for (int ring = 0; ring <= rings; ++ring) {
        for (int step = -steps; step <= steps; ++step) {
            const double degrees = clockwiseDegrees + step * kStepDegrees;
            const double a = qDegreesToRadians(degrees);
            const double reach = outside ? std::abs(std::sin(a)) * size.width() / 2.0 +
                                               std::abs(std::cos(a)) * size.height() / 2.0
                                         : 0.0;
            places.push_back(Around(centre, radius + ring * ringStep + reach, degrees));
        }
    }
    const QPointF own = places[static_cast<std::size_t>(steps)];
    const auto distance = [&](QPointF p) { return std::hypot(p.x() - own.x(), p.y() - own.y()); };
    std::stable_sort(places.begin(), places.end(),
                     [&](QPointF a, QPointF b) { return distance(a) < distance(b); });
    return places;
}

std::vector<QPointF> ArcPoints(QPointF centre, double radius, double fromDegrees,
                               double spanDegrees) {
    const int steps = std::max(1, static_cast<int>(std::ceil(std::abs(spanDegrees) / 5.0)));
    std::vector<QPointF> points;
    for (int i = 0; i <= steps; ++i)
        points.push_back(Around(centre, radius, fromDegrees + spanDegrees * i / steps));
    return points;
}

std::vector<QRectF> Along(const std::vector<QPointF>& path, double width) {
    std::vector<QRectF> boxes;
    const QPointF half(width / 2.0, width / 2.0);
    for (std::size_t i = 0; i < path.size(); ++i) {
        const QPointF to = path[i];
        const QPointF from = i == 0 ? to : path[i - 1];
        const double length = std::hypot(to.x() - from.x(), to.y() - from.y());
        const int steps = std::max(1, static_cast<int>(std::ceil(length / width)));
        for (int step = i == 0 ? steps : 1; step <= steps; ++step) {
            const QPointF p = from + (to - from) * (static_cast<double>(step) / steps);
            boxes.emplace_back(p - half, p + half);
        }
    }
    return boxes;
}

QSizeF TextSize(const QPainter& painter, const QFont& font, const QString& text) {
    const QFontMetricsF metrics(font, painter.device());
    return {metrics.horizontalAdvance(text), metrics.height()};
}

void Leader(QPainter& painter, const QRectF& box, QPointF anchor) {
    const QPointF edge(std::clamp(anchor.x(), box.left(), box.right()),
                       std::clamp(anchor.y(), box.top(), box.bottom()));
    const QPointF d = anchor - edge;
    const double length = std::hypot(d.x(), d.y());
    if (length <= 0.0) return;
    // A small gap at both ends keeps the line off the text and off the mark.
    const double gap = std::min(length / 4.0, box.height() * 0.15);
    const QPointF u = d / length;
    painter.drawLine(edge + u * gap, anchor - u * gap);
}

double TextLines(QPainter& painter, const QRectF& box, const QStringList& lines) {
    const QFontMetricsF metrics(painter.font());
    double y = box.top();
    for (const QString& line : lines) {
        const QString shown = metrics.elidedText(line, Qt::ElideRight, box.width());
        painter.drawText(QRectF(box.left(), y, box.width(), metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, shown);
        y += metrics.height();
    }
    return y - box.top();
}

QString TrustWord(SketchTrust trust) {
    switch (trust) {
        case SketchTrust::Doubtful:
            return QStringLiteral("сомнительно");
        case SketchTrust::Untrusted:
            return QStringLiteral("недостоверно");
        case SketchTrust::Trusted:
            break;
    }
    return {};
}

QString RotationWords(bool clockwise) {
    return clockwise ? QStringLiteral("по часовой") : QStringLiteral("против часовой");
}

QString ViewWords(const SketchView& view) {
    return view.ViewFromDriveEnd ? QStringLiteral("Вид со стороны привода")
                                 : QStringLiteral("Вид с противоположной стороны");
}

QString FrameWords(bool withRotation) {
    return withRotation ? QStringLiteral("по вращению") : QStringLiteral("против вращения");
}

namespace {

CellLayout LayOut(const QRectF& area, int captionLines) {
    CellLayout cell;
    cell.Unit = std::min(area.width(), area.height());
    const double line = cell.Unit * 0.045;
    cell.Title = QRectF(area.left(), area.top(), area.width(), line * 1.6);
    const double captionHeight = line * 1.25 * captionLines + line * 0.4;
    cell.Caption = QRectF(area.left() + line * 0.4, area.bottom() - captionHeight,
                          area.width() - line * 0.8, captionHeight);
    cell.Figure = QRectF(area.left(), cell.Title.bottom(), area.width(),
                         cell.Caption.top() - cell.Title.bottom());
    return cell;
}

}  // namespace

CellLayout BeginCell(QPainter& painter, const QRectF& area, const QString& title,
                     const QString& flag, const QColor& flagColour) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(area);
    const CellLayout cell = LayOut(area, 3);
    painter.setPen(QPen(kFaint, 0));
    painter.setBrush(kPaper);
    painter.drawRect(area);
    painter.setFont(SizedFont(painter, cell.Unit * 0.05, true));
    painter.setPen(kInk);
    const QRectF titleBox = cell.Title.adjusted(cell.Unit * 0.02, 0, -cell.Unit * 0.02, 0);
    painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter, title);
    if (!flag.isEmpty()) {
        painter.setPen(flagColour);
        painter.drawText(titleBox, Qt::AlignRight | Qt::AlignVCenter, flag);
    }
    return cell;
}

double RingStep(double largest) {
    if (!(largest > 0.0) || !std::isfinite(largest)) return 1.0;
    const double raw = largest / 4.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= raw) return factor * power;
    return 10.0 * power;
}

PolarScale PaintPolarScale(QPainter& painter, QPointF centre, double radius, double largest,
                           double unit, bool phaseClockwise, LabelPlaces& places) {
    PolarScale scale;
    scale.Step = RingStep(largest);
    const int rings = std::max(1, static_cast<int>(std::ceil(largest / scale.Step - 1e-9)));
    scale.Scale = radius / (rings * scale.Step);
    painter.setPen(QPen(kFaint, unit * 0.003));
    painter.setBrush(Qt::NoBrush);
    for (int i = 1; i <= rings; ++i) {
        const double ring = i * scale.Step * scale.Scale;
        painter.drawEllipse(centre, ring, ring);
    }
    const QFont font = SizedFont(painter, unit * 0.034);
    painter.setFont(font);
    for (int degrees : {0, 90, 180, 270}) {
        const double screen = OnScreen(degrees, phaseClockwise);
        painter.drawLine(centre, Around(centre, radius, screen));
        const QString text = QStringLiteral("%1°").arg(degrees);
        const QRectF box =
            CentredBox(Around(centre, radius * 1.1, screen), TextSize(painter, font, text));
        places.KeepMark(box);
        painter.drawText(box, Qt::AlignCenter, text);
    }
    return scale;
}

}  // namespace balance4::jobwindow::sketch
