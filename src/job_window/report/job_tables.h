#pragma once
// The job's tables and lines as the report shows them, taken from the job as typed and from its
// results; numbers with the decimal symbol `d`.
#include <QString>
#include <QStringList>
#include <string_view>
#include <vector>

#include "job/job.h"
#include "job/job_result.h"
#include "report_layout.h"

namespace balance4::jobwindow {

QString Utf8(std::string_view text);

// An angle column's heading with the way its angles run on a line of its own, so that the
// column stays as narrow as its numbers.
QString AngleColumnHeading(std::string_view heading, const job::Job& job);

// A mass with its unit: "6,73 г".
QString MassText(double mass, const QString& unit, const QString& d);

// A table with a pair of columns under each of `count` numbered groups: `group` holds %1.
ReportTable PairedTable(const QString& corner, const QString& group, int count,
                        const QString& first, const QString& second);
// Amplitude and phase under each point.
ReportTable PointPairs(const QString& corner, int points);
// Amplitude and phase of each point, as typed.
QStringList ReadingCells(const std::vector<job::ReadingText>& readings, int points);

// Per plane: trial mass and angle, radii, the places for weights.
ReportTable TrialTable(const job::Job& job, const QString& d);
// The readings as typed, one row per run (and the slow roll), a pair of columns per point.
ReportTable ReadingsTable(const job::Job& job);
// The influence of each plane's trial weight at each point.
ReportTable CoefficientTable(const job::Coefficients& saved, const QString& d);
// Per plane: mass, percent, angles, spreads, trust.
ReportTable ResultTable(const job::Job& job, const job::JobResult& result, const QString& d);
// Where the weights go, one line per plane.
QStringList SplitLines(const job::Job& job, const job::JobResult& result, const QString& d);
// How much each trial run moved the vibration.
ReportTable RunTable(const job::JobResult& result, const QString& d);
// The vibration predicted at each point after the correction.
ReportTable ResidualTable(const job::JobResult& result, const QString& d);

}  // namespace balance4::jobwindow
