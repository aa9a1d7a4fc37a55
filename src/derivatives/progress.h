#pragma once

#include "derivatives/compute_derivatives.h"

#include <cstdint>
#include <functional>
#include <stdexcept>

namespace slopekit {

// Told after every evaluation of a computation how many of its evaluations are done and
// how many it makes in all. Returning false stops the computation.
using ProgressHook = std::function<bool(std::int64_t done, std::int64_t total)>;

// Thrown out of an evaluation when the progress hook stopped the computation. It is no
// failure: whoever started the computation shows no message for it.
class ComputationCancelled : public std::runtime_error {
public:
    ComputationCancelled() : std::runtime_error("The computation was cancelled.") {}
};

// The evaluations ComputeDerivatives makes for n variables: 8n^2 + n + 1.
std::int64_t classicEvaluations(int n);

// evaluate, counted against a computation of `total` evaluations: after each evaluation
// the hook hears the count, and a false answer throws ComputationCancelled. Without a
// hook, evaluate itself. Every computation reaches the engine through this one seam, so
// each of them reports progress and can be stopped the same way.
EvaluateAtVarx withProgress(EvaluateAtVarx evaluate, std::int64_t total, ProgressHook hook);

}  // namespace slopekit
