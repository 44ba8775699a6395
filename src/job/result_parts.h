#pragma once
// Filling a job's result from a solution: per plane, per point and per trial run, the split onto
// positions and the trust; shared by the calculator's path and least squares.
#include <string>
#include <vector>

#include "job.h"
#include "job_result.h"
#include "least_squares.h"
#include "spread.h"

namespace balance4::job {

// −arg(v) in degrees, in [0, 360): a vector's angle in the result frame.
double ResultAngle(Complex v);

// The trial weight as a vector: m·e^(−it).
Complex TrialVector(const Weight& trial);

// Correction mass at the correction radius per mass at the trial radius.
double RadiusRatio(const PlaneSetup& plane);

// What a job with `planes` planes uses for plane k: its own set-up, else the defaults.
PlaneSetup PlaneOf(const Job& job, std::size_t k, std::size_t planes);

// Each plane's trial mass and angle.
std::vector<Weight> TrialsOf(const Job& job);

// Per plane: the correction x_k in multiples of trial weight k, as the result shows it.
void SetPlanes(JobResult& result, const Job& job, const ComplexVector& x,
               const std::vector<Weight>& trial);

// Residuals after the correction, the condition number and, given the runs, the effect of each
// trial run.
void SetPointsAndRuns(JobResult& result, const ComplexMatrix& influence, const ComplexVector& v0,
                      const ComplexVector& x, const ComplexMatrix* runs);

// Trim: each plane's installed weights and its new correction as one weight.
void AddInstalled(JobResult& result, const Job& job);

// Per plane, the correction in the job's unit from the zero mark, as the spread compares it.
std::vector<Weight> NominalOf(const JobResult& result);

// The split onto the plane's positions, the spread, and the trust of the whole solution.
void Finish(JobResult& result, const Job& job, const SpreadResult& spread);

Coefficients SavedFrom(const ComplexMatrix& influence, const std::vector<Weight>& trial,
                       const std::string& unit);
ComplexMatrix InfluenceOf(const Coefficients& saved);

// The outcome of a singular or noise-level system, in the calculator's words.
JobResult NoSolution(JobResult result);

}  // namespace balance4::job
