#pragma once

#include "derivatives/compute_derivatives.h"
#include "problem/dimension.h"

#include <cstdint>
#include <vector>

namespace slopekit {

// An error larger than this part of an entry's size makes the entry unreliable.
inline constexpr double ReliableTolerance = 1e-6;

// The refined results at the point: every first and second derivative chosen per entry
// from a sequence of steps, with an error estimate. Indices run over the variables in
// order; the hessian and its companions are full symmetric n x n matrices.
struct RefinedDerivatives {
    double value = 0;  // the function at the point
    std::vector<double> gradient;
    std::vector<double> gradientError;  // meant as an upper bound of |gradient - exact|
    std::vector<std::vector<double>> hessian;
    std::vector<std::vector<double>> hessianError;
    // What an entry's error is measured against: |entry|, or for an entry that is zero
    // within its error, its natural size |f| / s_i (or |f| / (s_i s_j)), s_i = max(1, |x_i|).
    std::vector<double> gradientSize;
    std::vector<std::vector<double>> hessianSize;
    // An entry is unreliable when its error exceeds ReliableTolerance times its size, or
    // when no trial step worked at all; then its value is NaN and its error infinite.
    std::vector<bool> gradientUnreliable;
    std::vector<std::vector<bool>> hessianUnreliable;
    long evaluations = 0;  // how many function values the refinement asked for
};

// Refines every derivative of the function at the point in Varx. Per entry it applies the
// fourth-order central formulas at the steps c s_i, c = 0.25, 0.125, ... down to 0.25 / 2^19,
// picks the step where successive estimates agree best (see StepChoice), extrapolates there
// (Richardson) and estimates the error from the neighbouring estimates and the rounding
// floor 10 eps |f| / h^k (h_i h_j for a mixed one). Neighbouring steps share points: 42
// evaluations per variable and 244 per pair of variables, about 11,400 for ten variables.
// The engine receives every trial coordinate exactly; the formulas use the offsets as the
// coordinates' rounding made them.
// A trial point at which evaluate throws RunError is skipped for the entries that need it
// alone. Ends with one evaluation at the point itself, so Varx and the engine are left as
// the classic computation leaves them. Other exceptions pass on with Varx put back.
RefinedDerivatives RefineDerivatives(Dimension& dim, const EvaluateAtVarx& evaluate);

// The evaluations RefineDerivatives makes for n variables, failing ones included:
// 2 + 42n + 244 n(n - 1) / 2.
std::int64_t refinedEvaluations(int n);

}  // namespace slopekit
