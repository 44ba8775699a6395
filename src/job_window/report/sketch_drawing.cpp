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

void TextAt(QPainter& painter, QPointF at, const QString& text, const QRectF& bounds) {
    const QFontMetricsF metrics(painter.font());
    const double w = metrics.horizontalAdvance(text);
    const double h = metrics.height();
    QRectF box(at.x() - w / 2, at.y() - h / 2, w, h);
    box.moveLeft(
        std::clamp(box.left(), bounds.left(), std::max(bounds.left(), bounds.right() - w)));
    box.moveTop(std::clamp(box.top(), bounds.top(), std::max(bounds.top(), bounds.bottom() - h)));
    painter.drawText(box, Qt::AlignCenter, text);
}

void TextOutside(QPainter& painter, QPointF centre, double radius, double clockwiseDegrees,
                 const QString& text, const QRectF& bounds) {
    const QFontMetricsF metrics(painter.font());
    const double a = qDegreesToRadians(clockwiseDegrees);
    const double reach = std::abs(std::sin(a)) * metrics.horizontalAdvance(text) / 2.0 +
                         std::abs(std::cos(a)) * metrics.height() / 2.0;
    TextAt(painter, Around(centre, radius + reach, clockwiseDegrees), text, bounds);
}

double Apart(double a, double b) {
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360.0 - d);
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

}  // namespace balance4::jobwindow::sketch
