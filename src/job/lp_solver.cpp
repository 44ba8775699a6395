#include "lp_solver.h"

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>
#include <cmath>
#include <string>

#include "search_stop.h"

namespace balance4::job {

namespace {

// The solver's own infinity is a large finite number.
double Bounded(double value) {
    if (value == kUnbounded) return COIN_DBL_MAX;
    if (value == -kUnbounded) return -COIN_DBL_MAX;
    return value;
}

// The program in the solver's form, with its bounds; the matrix built at once from its elements.
struct Loaded {
    CoinPackedMatrix Matrix;
    std::vector<double> ColumnLower, ColumnUpper, RowLower, RowUpper;
};

Loaded Load(const LinearProgram& program) {
    Loaded loaded;
    std::vector<int> rows, columns;
    std::vector<double> elements;
    for (std::size_t r = 0; r < program.Rows.size(); ++r) {
        const LinearRow& row = program.Rows[r];
        for (const LinearTerm& term : row.Terms) {
            rows.push_back(static_cast<int>(r));
            columns.push_back(term.Column);
            elements.push_back(term.Coefficient);
        }
        loaded.RowLower.push_back(Bounded(row.Lower));
        loaded.RowUpper.push_back(Bounded(row.Upper));
    }
    loaded.Matrix = CoinPackedMatrix(false, rows.data(), columns.data(), elements.data(),
                                     static_cast<CoinBigIndex>(elements.size()));
    // Columns that no row names still count.
    loaded.Matrix.setDimensions(static_cast<int>(program.Rows.size()),
                                static_cast<int>(program.Cost.size()));
    for (std::size_t c = 0; c < program.Cost.size(); ++c) {
        loaded.ColumnLower.push_back(Bounded(program.Lower[c]));
        loaded.ColumnUpper.push_back(Bounded(program.Upper[c]));
    }
    return loaded;
}

bool AllFinite(const std::vector<double>& values) {
    for (const double value : values)
        if (!std::isfinite(value)) return false;
    return true;
}

}  // namespace

int LinearProgram::AddColumn(double cost, double lower, double upper, bool integer) {
    Cost.push_back(cost);
    Lower.push_back(lower);
    Upper.push_back(upper);
    Integer.resize(Cost.size() - 1, false);
    Integer.push_back(integer);
    return static_cast<int>(Cost.size()) - 1;
}

ProgramSolution SolveLinear(const LinearProgram& program) {
    const Loaded loaded = Load(program);
    ClpSimplex model;
    model.setLogLevel(0);
    model.loadProblem(loaded.Matrix, loaded.ColumnLower.data(), loaded.ColumnUpper.data(),
                      program.Cost.data(), loaded.RowLower.data(), loaded.RowUpper.data());
    model.dual();
    ProgramSolution solution;
    if (model.isProvenPrimalInfeasible()) {
        solution.Status = ProgramStatus::Infeasible;
        return solution;
    }
    if (!model.isProvenOptimal()) return solution;
    const double* values = model.primalColumnSolution();
    solution.Values.assign(values, values + program.Cost.size());
    if (!AllFinite(solution.Values)) return {};
    solution.Status = ProgramStatus::Optimal;
    solution.Objective = solution.Bound = model.objectiveValue();
    return solution;
}

namespace {

// Ends the search at its next node once the calculation is asked to stop; the best solution found
// so far stands, as at the time limit.
class StopHandler : public CbcEventHandler {
  public:
    explicit StopHandler(const std::atomic<bool>* flag) : m_flag(flag) {}
    CbcAction event(CbcEvent) override {
        return m_flag && m_flag->load(std::memory_order_relaxed) ? stop : noAction;
    }
    CbcEventHandler* clone() const override { return new StopHandler(*this); }

  private:
    const std::atomic<bool>* m_flag;
};

}  // namespace

ProgramSolution SolveMixedInteger(const LinearProgram& program, double seconds,
                                  const std::vector<double>* start) {
    const Loaded loaded = Load(program);
    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    solver.loadProblem(loaded.Matrix, loaded.ColumnLower.data(), loaded.ColumnUpper.data(),
                       program.Cost.data(), loaded.RowLower.data(), loaded.RowUpper.data());
    for (std::size_t c = 0; c < program.Integer.size(); ++c)
        if (program.Integer[c]) solver.setInteger(static_cast<int>(c));
    CbcModel model(solver);
    // Silent from the start: taking the starting solution already prints a line.
    model.setLogLevel(0);
    if (start && start->size() == program.Cost.size()) {
        double objective = 0.0;
        for (std::size_t c = 0; c < start->size(); ++c) objective += program.Cost[c] * (*start)[c];
        model.setBestSolution(start->data(), static_cast<int>(start->size()), objective, true);
    }
    StopHandler stopHandler(StopFlag());
    model.passInEventHandler(&stopHandler);
    CbcSolverUsefulData data;
    CbcMain0(model, data);
    model.setLogLevel(0);
    // The solver's standard strategy (presolve, cuts, heuristics), silent, on wall-clock time.
    const std::string limit = std::to_string(seconds);
    // -slog silences the LP solver under the search too (its presolve notes a cut-off solve).
    const char* arguments[] = {"balance4", "-log", "0",           "-slog",  "0",    "-timeMode",
                               "elapsed",  "-sec", limit.c_str(), "-solve", "-quit"};
    CbcMain1(
        static_cast<int>(std::size(arguments)), arguments, model, [](CbcModel*, int) { return 0; },
        data);
    ProgramSolution solution;
    if (model.isProvenInfeasible()) {
        solution.Status = ProgramStatus::Infeasible;
        return solution;
    }
    const double* values = model.bestSolution();
    if (!values) return solution;
    solution.Values.assign(values, values + program.Cost.size());
    if (!AllFinite(solution.Values)) return {};
    solution.Status = model.isProvenOptimal() ? ProgramStatus::Optimal : ProgramStatus::TimeLimit;
    solution.Objective = model.getObjValue();
    solution.Bound = std::min(model.getBestPossibleObjValue(), solution.Objective);
    return solution;
}

}  // namespace balance4::job
