#pragma once

#include "derivatives/result_views.h"

#include <string>
#include <vector>

namespace slopekit {

// The lines of a view as a tab-separated table for a spreadsheet, one row a line: the
// label, the value (or why there is none) and, where the view has one, the error. Each
// row ends with a line feed.
std::string resultTable(const ComputedResults& results, ResultView view);

// The given lines of a view (indices into the list), each ending with a line feed.
std::string resultText(const ComputedResults& results, ResultView view, const std::vector<int>& rows);

}  // namespace slopekit
