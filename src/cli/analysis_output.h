#pragma once

#include "analysis/hessian_analysis.h"

#include <string>
#include <vector>

namespace slopekit::cli {

// The analysis as lines for the terminal: "Eigenvalues = ...", "Classification = ...",
// the steepest ascent where there is one, and the sentence it rests on. Without
// eigenvalues it says so, and when nothing could be concluded, that there is no analysis.
std::vector<std::string> analysisLines(const HessianAnalysis& analysis);

}  // namespace slopekit::cli
