#pragma once
// What a job's acceptance shows, found once and shown alike in the window and the report: the
// vibration over the runs against the limit, the balance-grade check, the coefficients' change
// by refinement; and the two pictures of it, drawn on white by static painters.
#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "job/acceptance.h"
#include "job/iso_check.h"
#include "job/job.h"
#include "job/job_result.h"
#include "job_sketch.h"

class QPainter;

namespace balance4::jobwindow {

struct AcceptanceFigures {
    job::Acceptance Acceptance;
    std::optional<job::IsoSetup> Iso;  // the check, when asked for
    std::optional<job::PermissibleUnbalance> Permissible;
    std::optional<job::IsoCheck> IsoCheck;
    std::string IsoProblem;  // why there is no check, when asked for
    std::optional<job::Refinement> Refined;
};

// `result`: the job's own calculation. `trim`: a control run calculated from job.ControlRun and
// not yet recorded, or null; it comes after the recorded runs and its prediction is the one shown.
AcceptanceFigures MakeAcceptanceFigures(const job::Job& job, const job::JobResult& result,
                                        const job::JobResult* trim);

// The balance-grade lines: the permissible unbalance, the residuals and the verdict, or why it
// was not checked; none when no check was asked for.
QStringList IsoTextLines(const AcceptanceFigures& figures, const QString& decimal);

// Amplitude per point over the runs in order, with the limit.
void PaintTrend(QPainter& painter, const QRectF& area, const AcceptanceFigures& figures,
                const QString& decimal);
// Point `point` (0-based): run 0 and the control runs as vectors, the limit as a circle.
void PaintRunVectors(QPainter& painter, const QRectF& area, const AcceptanceFigures& figures,
                     int point, const SketchView& view);

}  // namespace balance4::jobwindow
