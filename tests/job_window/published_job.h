#pragma once
// A published two-plane job taken through a control run, as the window tests and the renderer
// use it. NPTEL "Theory and Practice of Rotor Dynamics" (R. Tiwari), Example 13.5: −30 µm at 230°
// and −70 µm at 330°; 0,3 kg at its 30° changes them by 50 µm at 61° and 42 µm at 130° (near and
// far end), symmetrically. Its correction, fitted, leaves 0,67 µm at 48,5° and 0,22 µm at 63,5°.
#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>

#include "job/calculate.h"
#include "job/job.h"
#include "job/trim_record.h"

namespace published {

inline balance4::job::ReadingText Text(std::complex<double> v) {
    char amplitude[40], phase[40];
    std::snprintf(amplitude, sizeof amplitude, "%.2f", std::abs(v));
    std::snprintf(phase, sizeof phase, "%.1f",
                  std::fmod(std::arg(v) * 180.0 / std::numbers::pi + 360.0, 360.0));
    return {amplitude, phase};
}

// With the corrections fitted on 36 holes, one control run recorded, a limit of 2,8 µm and the
// balance-grade inputs.
inline balance4::job::Job JobWithAControlRun() {
    using namespace balance4::job;
    const auto polar = [](double a, double degrees) {
        return std::polar(a, degrees * std::numbers::pi / 180.0);
    };
    const std::complex<double> v1 = -polar(30, 230), v2 = -polar(70, 330);
    const std::complex<double> near = polar(50, 61), far = polar(42, 130);
    Job job = MakeJob(2, 2);
    job.Title = "Пример 13.5: ротор на двух опорах";
    job.Machine = "Стенд, ротор Р-2";
    job.Date = "10.12.2026";
    job.Speed = "3000";
    job.Who = "Иванов И. И.";
    job.Separator = ".";
    job.Unit = "кг";
    for (PlaneSetup& plane : job.Plane) {
        plane.TrialMass = 0.3;
        plane.TrialAngle = 330;
        plane.TrialRadius = 150;  // the same radius: the masses stay as calculated
        plane.CorrectionRadius = 150;
        plane.Holes = 36;
    }
    job.Readings = {
        {Text(v1), Text(v2)}, {Text(v1 + near), Text(v2 + far)}, {Text(v1 + far), Text(v2 + near)}};
    const JobResult first = Calculate(job);
    job.Saved = first.Saved;
    for (const PlaneResult& plane : first.Planes) job.Installed.push_back(PlacedWeights(plane));
    job.ControlRun = {{"0.67", "48.5"}, {"0.22", "63.5"}};
    RecordTrim(job, Trim(job, job.ControlRun), "10.12.2026", TrimFitted::No);
    job.Limit = {2.8};
    job.Iso = IsoSetup{120.0, 3000.0, 6.3, {}, {}, {}};
    return job;
}

}  // namespace published
