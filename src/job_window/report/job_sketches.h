#pragma once
// The pictures' values taken from a job and its results.
#include <QString>
#include <vector>

#include "job/job.h"
#include "job/job_result.h"
#include "job_sketch.h"

namespace balance4::jobwindow {

SketchView MakeSketchView(const job::Job& job, bool viewFromDriveEnd, const QString& decimal);

// One per plane; without a correction unless the job was calculated.
std::vector<PlaneSketch> MakePlaneSketches(const job::Job& job, const job::JobResult& result);

// One per point: the runs as typed (those that are numbers) and the predicted residual.
std::vector<PointSketch> MakePointSketches(const job::Job& job, const job::JobResult& result);

}  // namespace balance4::jobwindow
