#pragma once

#include <optional>
#include <string>
#include <vector>

namespace slopekit {

// One exact first or second derivative: its value to rounding, or, where the derivative
// does not exist at the point, why not (e.g. "no derivative: Abs at its kink (column 5)").
struct ExactEntry {
    std::optional<double> value;
    std::string reason;  // empty when there is a value
};

// The function's value, gradient and Hessian at the point by automatic differentiation.
// Indices run over the variables in order; the hessian is the full symmetric n x n matrix.
struct ExactDerivatives {
    double value = 0;
    std::vector<ExactEntry> gradient;
    std::vector<std::vector<ExactEntry>> hessian;
};

}  // namespace slopekit
