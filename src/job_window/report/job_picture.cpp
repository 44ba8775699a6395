#include "job_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "job_sketches.h"
#include "report_numbers.h"

namespace balance4::jobwindow {

namespace {

// Drawn on white in any palette: the pictures must read the same on screen and on paper.
const QColor kPaper(Qt::white);
const QColor kInk(0x20, 0x20, 0x20);
const QColor kFaint(0x80, 0x80, 0x80);
const QColor kDisc(0xee, 0xee, 0xee);
const QColor kTrial(0x1f, 0x5f, 0xbf);
const QColor kCorrection(0xc6, 0x28, 0x28);
const QColor kSpread(0xc6, 0x28, 0x28, 0x48);
const QColor kFromTrial(0x2e, 0x7d, 0x32);
const QColor kDoubtful(0xb2, 0x6a, 0x00);

constexpr double kMinimumCell = 260.0;
constexpr int kMostPositionsDrawn = 360;

// A point at `radius` from `centre`, `clockwiseDegrees` round from the top of the picture (y grows
// downwards, as on a page).
QPointF Around(QPointF centre, double radius, double clockwiseDegrees) {
    const double a = qDegreesToRadians(clockwiseDegrees);
    return centre + QPointF(radius * std::sin(a), -radius * std::cos(a));
}

// An angle counted in some frame, turned into degrees clockwise from the top.
double OnScreen(double degrees, bool clockwise) {
    return clockwise ? degrees : -degrees;
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

// An arc from `fromDegrees` over `spanDegrees`, both clockwise from the top, with a head at its
// end. `spanDegrees` may be negative (counter-clockwise).
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

QFont SizedFont(const QPainter& painter, double pixels, bool bold = false) {
    QFont font = painter.font();
    font.setPixelSize(std::max(1, qRound(pixels)));
    font.setBold(bold);
    return font;
}

// Text centred on `at`, kept inside `bounds`.
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

// Text just outside `radius` round `centre` at `clockwiseDegrees`, its nearest edge touching that
// point, kept inside `bounds`.
void TextOutside(QPainter& painter, QPointF centre, double radius, double clockwiseDegrees,
                 const QString& text, const QRectF& bounds) {
    const QFontMetricsF metrics(painter.font());
    const double a = qDegreesToRadians(clockwiseDegrees);
    const double reach = std::abs(std::sin(a)) * metrics.horizontalAdvance(text) / 2.0 +
                         std::abs(std::cos(a)) * metrics.height() / 2.0;
    TextAt(painter, Around(centre, radius + reach, clockwiseDegrees), text, bounds);
}

// The shorter distance between two angles in degrees.
double Apart(double a, double b) {
    const double d = std::fmod(std::abs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// Lines of plain text from the top of `box`, elided to its width. Returns the height used.
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

// The title band, the picture's square and the caption band of one cell.
struct CellLayout {
    QRectF Title;
    QRectF Figure;
    QRectF Caption;
    double Unit = 1.0;  // the cell's size; every length below is a fraction of it
};

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

// Saves the painter's state (the caller restores it) and confines drawing to the cell.
CellLayout BeginCell(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(area);
    return LayOut(area, 3);
}

void PaintFrame(QPainter& painter, const QRectF& area, const CellLayout& cell, const QString& title,
                const QString& flag, const QColor& flagColour) {
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
}

}  // namespace

JobPicture::JobPicture(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setAccessibleName(QStringLiteral("Эскизы плоскостей и векторы пусков"));
}

void JobPicture::SetSketches(const SketchView& view, std::vector<PlaneSketch> planes,
                             std::vector<PointSketch> points) {
    m_view = view;
    m_planes = std::move(planes);
    m_points = std::move(points);
    updateGeometry();
    update();
}

void JobPicture::SetJob(const job::Job& job, const job::JobResult& result) {
    SetSketches(MakeSketchView(job, m_view.ViewFromDriveEnd, LocaleDecimal()),
                MakePlaneSketches(job, result), MakePointSketches(job, result));
}

void JobPicture::SetViewFromDriveEnd(bool driveEnd) {
    m_view.ViewFromDriveEnd = driveEnd;
    update();
}

int JobPicture::CellCount() const {
    return static_cast<int>(m_planes.size() + m_points.size());
}

int JobPicture::Columns(double width, double minimumCell) {
    return std::max(1, static_cast<int>(width / minimumCell));
}

int JobPicture::heightForWidth(int width) const {
    const int columns = Columns(width, kMinimumCell);
    const int rows = (CellCount() + columns - 1) / columns;
    return rows * (width / columns);
}

QSize JobPicture::sizeHint() const {
    const int side = static_cast<int>(kMinimumCell * 1.2);
    return {2 * side, std::max(1, (CellCount() + 1) / 2) * side};
}

QSize JobPicture::minimumSizeHint() const {
    const int side = static_cast<int>(kMinimumCell);
    return {side, side};
}

void JobPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kPaper);
    const int columns = Columns(width(), kMinimumCell);
    const double side = static_cast<double>(width()) / columns;
    int index = 0;
    const auto cell = [&] {
        const QRectF area((index % columns) * side, (index / columns) * side, side, side);
        ++index;
        return area.adjusted(2, 2, -2, -2);
    };
    for (const PlaneSketch& plane : m_planes) PaintPlane(painter, cell(), m_view, plane);
    for (const PointSketch& point : m_points) PaintPoint(painter, cell(), m_view, point);
}

void JobPicture::PaintPlane(QPainter& painter, const QRectF& area, const SketchView& view,
                            const PlaneSketch& plane) {
    const CellLayout cell = BeginCell(painter, area);
    const double u = cell.Unit;
    const QString& d = view.Decimal;
    const bool shown = plane.HasCorrection;
    const QColor flagColour = plane.Trust == SketchTrust::Untrusted ? kCorrection : kDoubtful;
    PaintFrame(painter, area, cell, QStringLiteral("Плоскость %1").arg(plane.Plane),
               shown ? TrustWord(plane.Trust) : QString(), flagColour);

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

// A ring spacing of 1, 2 or 5 times a power of ten giving three to five rings.
double RingStep(double largest) {
    if (!(largest > 0.0) || !std::isfinite(largest)) return 1.0;
    const double raw = largest / 4.0;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= raw) return factor * power;
    return 10.0 * power;
}

}  // namespace

void JobPicture::PaintPoint(QPainter& painter, const QRectF& area, const SketchView& view,
                            const PointSketch& point) {
    const CellLayout cell = BeginCell(painter, area);
    const double u = cell.Unit;
    PaintFrame(painter, area, cell, QStringLiteral("Точка %1").arg(point.Point), {}, kInk);

    // Phase runs opposite to the result angles, so the vectors sit as the discs do.
    const bool phaseClockwise = !view.ResultClockwiseOnScreen();
    const bool phaseWithRotation = !view.ResultsWithRotation();
    const QPointF c = cell.Figure.center();
    const double r = std::min(cell.Figure.width(), cell.Figure.height()) / 2.0 / 1.22;

    double largest = 0.0;
    for (const SketchVector& v : point.Vectors)
        if (std::isfinite(v.Amplitude)) largest = std::max(largest, std::abs(v.Amplitude));
    const double step = RingStep(largest);
    const int rings = std::max(1, static_cast<int>(std::ceil(largest / step - 1e-9)));
    const double scale = r / (rings * step);

    painter.setPen(QPen(kFaint, u * 0.003));
    painter.setBrush(Qt::NoBrush);
    for (int i = 1; i <= rings; ++i) painter.drawEllipse(c, i * step * scale, i * step * scale);
    painter.setFont(SizedFont(painter, u * 0.034));
    painter.setPen(kFaint);
    for (int degrees : {0, 90, 180, 270}) {
        const double screen = OnScreen(degrees, phaseClockwise);
        painter.drawLine(c, Around(c, r, screen));
        TextAt(painter, Around(c, r * 1.1, screen), QStringLiteral("%1°").arg(degrees), area);
    }

    painter.setFont(SizedFont(painter, u * 0.036, true));
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
        TextAt(painter, Around(c, length + u * 0.045, screen), RunLabel(v.Run), area);
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
