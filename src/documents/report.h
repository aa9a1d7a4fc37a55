#pragma once

#include "derivatives/compute_command.h"
#include "derivatives/result_views.h"

#include <optional>
#include <string>
#include <vector>

namespace slopekit {

// What the window (or the command line) holds when a report is asked for.
struct ReportInputs {
    std::string functionText;
    PointTexts pointTexts;
    std::vector<std::string> constants;     // the constants list, in list order
    std::optional<ComputedResults> shown;   // the shown results, if any
    ResultView view = ResultView::Classic;  // the results the list shows
};

struct ReportOutcome {
    std::vector<std::string> lines;           // the report; empty when it cannot be made
    std::optional<ComputedResults> computed;  // the new results, when the report computed
    std::optional<ComputeMessage> message;    // the one message of a failure, if any
};

// Makes the report, computing the results first (as the Compute command does) when none
// are shown; shown results are reported as they stand. The derivatives are the lines of the
// view the list shows. A failing computation or function
// value gives its one message and no report lines, so nothing half-done gets printed.
ReportOutcome buildReport(Dimension& dim, const ComputeHooks& hooks, const ReportInputs& inputs);

}  // namespace slopekit
