#pragma once

#include <string>
#include <vector>

namespace slopekit {

// The result lines as a tab-separated table for a spreadsheet, one row a line: the label
// and the value, plus the error when a line carries one ("Dx = 2 ± 1.5E-12"). Each row
// ends with a line feed.
std::string resultTable(const std::vector<std::string>& lines);

// The lines as listed, each ending with a line feed.
std::string resultText(const std::vector<std::string>& lines);

}  // namespace slopekit
