#include "polar_determinant.h"

#include <array>

#include "extended.h"

namespace balance4 {

namespace {

struct Permutation {
    std::array<int, kPlaneCount> Columns;  // column taken in rows 1..4
    bool Odd;
};

// The 24 terms in their fixed order; the order decides the rounding of the sums.
constexpr std::array<Permutation, 24> kTerms = {{
    {{1, 2, 3, 4}, false}, {{1, 3, 4, 2}, false}, {{1, 4, 2, 3}, false}, {{1, 4, 3, 2}, true},
    {{1, 3, 2, 4}, true},  {{1, 2, 4, 3}, true},  {{2, 1, 3, 4}, true},  {{2, 3, 4, 1}, true},
    {{2, 4, 1, 3}, true},  {{2, 4, 3, 1}, false}, {{2, 3, 1, 4}, false}, {{2, 1, 4, 3}, false},
    {{3, 1, 2, 4}, false}, {{3, 2, 4, 1}, false}, {{3, 4, 1, 2}, false}, {{3, 4, 2, 1}, true},
    {{3, 2, 1, 4}, true},  {{3, 1, 4, 2}, true},  {{4, 1, 2, 3}, true},  {{4, 2, 3, 1}, true},
    {{4, 3, 1, 2}, true},  {{4, 3, 2, 1}, false}, {{4, 2, 1, 3}, false}, {{4, 1, 3, 2}, false},
}};

}  // namespace

DeterminantValue PolarDeterminant(const InfluenceMatrix& matrix,
                                  const ReplacementColumn* replacement) {
    const ExtendedPrecisionScope precision;
    // The rows as the terms read them, the replacement in place: no test at every entry.
    const PolarValue* rows[kPlaneCount + 1][kPlaneCount + 1];
    for (int row = 1; row <= kPlaneCount; ++row)
        for (int column = 1; column <= kPlaneCount; ++column)
            rows[row][column] = replacement && column == replacement->Column
                                    ? &replacement->Values[row]
                                    : &matrix.Element[row][column];

    // Every minus sign is an angle offset of pi. A replaced column enters negated, which cancels
    // the sign of an odd permutation and puts one on an even one. (Left uninitialised: every term
    // is written before it is read.)
    struct Term {
        double Magnitude;
        double Angle;
    } terms[kTerms.size()];
    Extended termMagnitudeSum = 0.0L;
    for (std::size_t k = 0; k < kTerms.size(); ++k) {
        const auto& columns = kTerms[k].Columns;
        Extended magnitude = rows[1][columns[0]]->Magnitude;
        Extended angle = rows[1][columns[0]]->Angle;
        for (int row = 2; row <= kPlaneCount; ++row) {
            magnitude *= rows[row][columns[row - 1]]->Magnitude;
            angle += rows[row][columns[row - 1]]->Angle;
        }
        const bool negated = kTerms[k].Odd != (replacement != nullptr);
        if (negated) angle += kPi;
        terms[k] = {Store(magnitude), Store(angle)};
        termMagnitudeSum += terms[k].Magnitude;
    }

    Extended y = Sine(terms[0].Angle) * terms[0].Magnitude;
    for (std::size_t k = 1; k < kTerms.size(); ++k)
        y = Sine(terms[k].Angle) * terms[k].Magnitude + y;
    const double Y = Store(y);
    Extended x = Cosine(terms[0].Angle) * terms[0].Magnitude;
    for (std::size_t k = 1; k < kTerms.size(); ++k)
        x = Cosine(terms[k].Angle) * terms[k].Magnitude + x;
    const double X = Store(x);

    DeterminantValue result;
    result.TermMagnitudeSum = termMagnitudeSum;
    result.Modulus = Store(SquareRoot(static_cast<Extended>(Y) * Y + static_cast<Extended>(X) * X));
    // Exact comparisons: the quadrant is fixed by the sign of X, not by a two-argument arctangent.
    if (X > 0.0) {
        result.Argument = Store(ArcTangent(static_cast<Extended>(Y) / X));
    } else if (X < 0.0) {
        result.Argument = Store(ArcTangent(static_cast<Extended>(Y) / X) + kPi);
    } else if (Y > 0.0) {
        result.Argument = kHalfPi;
    } else if (Y < 0.0) {
        result.Argument = kThreeHalfPi;
    }
    return result;
}

}  // namespace balance4
