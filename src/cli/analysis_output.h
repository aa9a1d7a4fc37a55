#pragma once

#include "analysis/hessian_analysis.h"

#include <string>
#include <vector>

namespace slopekit::cli {

// The analysis as lines for the terminal: "Eigenvalues = ...", "Classification = ...",
// the steepest ascent where there is one, and the sentence it rests on.
std::vector<std::string> analysisLines(const HessianAnalysis& analysis);

}  // namespace slopekit::cli
