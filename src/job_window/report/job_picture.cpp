#include "job_picture.h"

#include <QPainter>
#include <algorithm>

#include "job_sketches.h"
#include "report_numbers.h"
#include "sketch_drawing.h"

namespace balance4::jobwindow {

namespace {

constexpr double kMinimumCell = 260.0;

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
    painter.fillRect(rect(), sketch::kPaper);
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

}  // namespace balance4::jobwindow
