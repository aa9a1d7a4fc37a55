#pragma once

#include "problem/dimension.h"

#include <functional>
#include <string>
#include <vector>

namespace slopekit {

// The function's value at the point that now stands in Varx (the engine's
// EvaluateFunction in the program). May throw RunError.
using EvaluateAtVarx = std::function<double()>;

// Every first and second partial derivative of the function at the point in Varx, by
// fourth-order central differences built from 8n^2 + n + 1 evaluations: the second
// derivatives first (per variable the pure one, then the mixed ones with each earlier
// variable inside), then the first derivatives, then the function value at the point.
// Variable i steps by HalfStep and Step times max(1, |x_i|), so that rounding does not
// swamp the differences at large coordinates; at |x_i| <= 1 the steps are Step and
// HalfStep themselves.
// Fills Der2Val and Der1Val, sets ResultsShown and returns the list lines: "Function = "
// and the value, then label + "= " + value for the first, the pure second and the mixed
// second derivatives (row by row), all in the display form. Expects the labels built.
// On a failure (an evaluation's RunError, or error 6 when a sum overflows) no further
// evaluation is made, Varx is put back at the point, ResultsShown is left alone and the
// error passes on.
std::vector<std::string> ComputeDerivatives(Dimension& dim, const EvaluateAtVarx& evaluate);

}  // namespace slopekit
