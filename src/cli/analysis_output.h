#pragma once

#include "analysis/hessian_analysis.h"
#include "cli/cli_session.h"

#include <optional>
#include <string>
#include <vector>

namespace slopekit::cli {

// The Hessian analysis of the session's computed results, resting on the refined ones
// when there are any.
HessianAnalysis analysisOf(CliSession& session, const std::optional<RefinedDerivatives>& refined);

// The analysis as lines for the terminal: "Eigenvalues = ...", "Classification = ...",
// the steepest ascent where there is one, and the sentence it rests on.
std::vector<std::string> analysisLines(const HessianAnalysis& analysis);

}  // namespace slopekit::cli
