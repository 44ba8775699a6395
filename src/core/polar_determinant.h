#pragma once
#include <optional>

#include "extended.h"
#include "influence_matrix.h"

namespace balance4 {

// The modulus of a determinant and its argument, which is absent when both component sums are
// exactly zero (the modulus is then 0). TermMagnitudeSum is the sum of the 24 stored term
// magnitudes, in term order and in extended precision: the scale against which the modulus is
// judged to be rounding noise.
struct DeterminantValue {
    double Modulus = 0.0;
    std::optional<double> Argument;
    Extended TermMagnitudeSum = 0.0L;
};

// A column of the matrix replaced by other values, which enter negated.
struct ReplacementColumn {
    int Column = 1;                           // 1..4
    PolarValue Values[kPlaneCount + 1] = {};  // by row 1..4
};

// The 4x4 determinant by the fixed 24-term expansion in polar form. The replacement column, when
// given, is read in place of the matrix column; the matrix is not copied.
// Throws FloatingPointError when a term, a sum or the modulus overflows the double range.
DeterminantValue PolarDeterminant(const InfluenceMatrix& matrix,
                                  const ReplacementColumn* replacement = nullptr);

}  // namespace balance4
