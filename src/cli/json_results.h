#pragma once

#include "analysis/hessian_analysis.h"
#include "derivatives/computed_results.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace slopekit::cli {

// The results of a computation as one JSON object: variables, point, the classic results,
// the refined ones with their errors and unreliable entries, the exact ones with the
// entries that have none and why (null when there are no exact results), the labels of the
// classic lines a warning marks, the evaluation counts, and with an analysis its
// eigenvalues and classification. Every number reads back to the same double; an entry
// without a value is null. Hessians are full symmetric matrices.
// The exact results as a JSON object: "value", "gradient", "hessian" (full symmetric), a
// missing entry null, and "missing": [{"label", "reason"}]; null without exact results.
nlohmann::ordered_json exactJson(const ComputedResults& results);

std::string resultsJson(const std::vector<std::string>& names, const ComputedResults& results,
                        const HessianAnalysis* analysis);

}  // namespace slopekit::cli
