#include "influence_matrix.h"

#include <cmath>

#include "extended.h"

namespace balance4 {

void ComputeInfluenceMatrix(const MeasurementSet& set, InfluenceMatrix& matrix) {
    const ExtendedPrecisionScope precision;
    for (int p = 1; p <= kPlaneCount; ++p) {
        const Extended v0 = set.Amplitude[0][p];
        const Extended f0 = set.Phase[0][p];
        // The same instructions on the same angle give the same values: once per point is enough.
        const Extended cosine0 = Cosine(f0);
        const Extended sine0 = Sine(f0);
        for (int d = 1; d <= kPlaneCount; ++d) {
            const Extended vd = set.Amplitude[d][p];
            const Extended fd = set.Phase[d][p];
            // The run with the trial weight in plane d minus the run without weight, at plane p.
            const Extended dx = vd * Cosine(fd) - v0 * cosine0;
            const Extended dy = vd * Sine(fd) - v0 * sine0;

            PolarValue& element = matrix.Element[p][d];
            element.Magnitude = Store(SquareRoot(dx * dx + dy * dy));

            // Components below the threshold count as zero only for choosing the angle rule; the
            // magnitude above and the quotient below use them as formed.
            double a = Store(dx);
            double c = Store(dy);
            if (std::fabs(a) < kComponentThreshold) a = 0.0;
            if (std::fabs(c) < kComponentThreshold) c = 0.0;

            if (a > 0.0) {
                element.Angle = Store(ArcTangent(dy / dx));
            } else if (a < 0.0) {
                element.Angle = Store(ArcTangent(dy / dx) + kPi);
            } else if (c > 0.0) {
                element.Angle = kHalfPi;
            } else if (c < 0.0) {
                element.Angle = kThreeHalfPi;
            }
            // Both zero: no direction, so the angle of the previous calculation is kept.
        }
    }
}

}  // namespace balance4
