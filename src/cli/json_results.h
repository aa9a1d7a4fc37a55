#pragma once

#include "analysis/hessian_analysis.h"
#include "derivatives/refined_derivatives.h"
#include "problem/dimension.h"

#include <string>

namespace slopekit::cli {

// Both results of a computation as one JSON object: variables, point, the classic results,
// the refined ones with their errors and unreliable entries, the labels of the classic
// lines a warning marks, the evaluation counts, and with an analysis its eigenvalues and
// classification. Every number reads back to the same double; a value that is not finite
// (an entry without a value or error) is null. Expects the labels built and the classic
// results in dim; the function value is refined.value, the evaluation at the point that
// the refinement ends with, as the classic computation does.
std::string resultsJson(const Dimension& dim, const RefinedDerivatives& refined, const HessianAnalysis* analysis);

}  // namespace slopekit::cli
