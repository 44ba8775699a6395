#pragma once
// Linear and mixed-integer programs, as the optimised corrections state them. The solver behind
// them stays in lp_solver.cpp: nothing else sees its types.
#include <limits>
#include <vector>

namespace balance4::job {

inline constexpr double kUnbounded = std::numeric_limits<double>::infinity();

struct LinearTerm {
    int Column = 0;
    double Coefficient = 0.0;
};

// Lower ≤ Σ Coefficient·x[Column] ≤ Upper; either side may be ±kUnbounded.
struct LinearRow {
    std::vector<LinearTerm> Terms;
    double Lower = -kUnbounded;
    double Upper = kUnbounded;
};

// Minimise Σ Cost·x within the columns' bounds and the rows.
struct LinearProgram {
    std::vector<double> Cost;
    std::vector<double> Lower;
    std::vector<double> Upper;
    std::vector<bool> Integer;
    std::vector<LinearRow> Rows;

    // The new column's index.
    int AddColumn(double cost, double lower, double upper, bool integer = false);
};

enum class ProgramStatus {
    Optimal,     // proved best (for an integer program: within the solver's default gap)
    TimeLimit,   // an integer program stopped by its time limit with a solution in hand
    Infeasible,  // no point meets every row
    Failed,      // nothing usable: unbounded, numerical trouble, or out of time before any solution
};

struct ProgramSolution {
    ProgramStatus Status = ProgramStatus::Failed;
    std::vector<double> Values;  // per column; empty unless Optimal or TimeLimit
    double Objective = 0.0;
    double Bound = 0.0;  // no solution can do better than this (= Objective for a linear program)
};

ProgramSolution SolveLinear(const LinearProgram& program);

// Columns marked Integer take whole values. Stops after `seconds` with the best solution found;
// `start`, when given and feasible, is a solution to improve on.
ProgramSolution SolveMixedInteger(const LinearProgram& program, double seconds,
                                  const std::vector<double>* start = nullptr);

}  // namespace balance4::job
