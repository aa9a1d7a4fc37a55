#pragma once

#include "derivatives/compute_command.h"

#include <optional>
#include <string>
#include <vector>

namespace slopekit {

// What the window (or the command line) holds when a report is asked for.
struct ReportInputs {
    std::string functionText;
    PointTexts pointTexts;
    std::vector<std::string> constants;  // the constants list, in list order
    std::optional<RefinedDerivatives> refined;  // those of the shown results, if any
    bool printRefined = false;                  // the list shows the refined results
};

struct ReportOutcome {
    std::vector<std::string> lines;          // the report; empty when it cannot be made
    std::vector<std::string> computedLines;  // the new results list, when the report computed
    std::optional<ComputeMessage> message;   // the one message of a failure, if any
    std::optional<RefinedDerivatives> refined;  // of the computation the report made
};

// Makes the report, computing the results first (as the Compute command does) when none
// are shown; shown results are reported as they stand. With printRefined the derivatives
// are the refined lines, when there are refined results. A failing computation or function
// value gives its one message and no report lines, so nothing half-done gets printed.
ReportOutcome buildReport(Dimension& dim, const ComputeHooks& hooks, const ReportInputs& inputs);

}  // namespace slopekit
