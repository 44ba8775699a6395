#pragma once
// The job's pictures: per plane, the disc with its zero mark, rotation, trial place, holes and
// correction; per point, the run vectors. One widget for the window; the same static painters
// draw the report's pages.
#include <QRectF>
#include <QWidget>
#include <vector>

#include "job/job.h"
#include "job/job_result.h"
#include "job_sketch.h"

class QPainter;

namespace balance4::jobwindow {

// Where a disc's texts went: the marks at their places, the labels moved, as far as the cell has
// room, until none covers another or a mark.
struct PlaneTexts {
    std::vector<QRectF> Marks;
    std::vector<QRectF> Labels;
};

class JobPicture : public QWidget {
    Q_OBJECT

  public:
    explicit JobPicture(QWidget* parent = nullptr);

    void SetSketches(const SketchView& view, std::vector<PlaneSketch> planes,
                     std::vector<PointSketch> points);
    // The job's set-up and, once calculated, its results; numbers in the locale's decimal symbol.
    void SetJob(const job::Job& job, const job::JobResult& result);
    const SketchView& View() const { return m_view; }
    // Which end the discs are seen from; the rotation stays the job's, seen from the drive end.
    void SetViewFromDriveEnd(bool driveEnd);

    // The drawing itself, on white, scaled to `area`: the same in the window and on paper.
    static PlaneTexts PaintPlane(QPainter& painter, const QRectF& area, const SketchView& view,
                                 const PlaneSketch& plane);
    static void PaintPoint(QPainter& painter, const QRectF& area, const SketchView& view,
                           const PointSketch& point);

    // Square cells, every plane first, then every point, row by row.
    static int Columns(double width, double minimumCell);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int CellCount() const;

    SketchView m_view;
    std::vector<PlaneSketch> m_planes;
    std::vector<PointSketch> m_points;
};

}  // namespace balance4::jobwindow
