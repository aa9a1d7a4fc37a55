#include "documents/report.h"

#include "documents/report_lines.h"

namespace slopekit {

ReportOutcome buildReport(Dimension& dim, const ComputeHooks& hooks, const ReportInputs& inputs)
{
    ReportOutcome outcome;
    const ComputedResults* results = inputs.shown ? &*inputs.shown : nullptr;
    if (!dim.ResultsShown || !results) {
        ComputeOutcome computed = runCompute(dim, hooks, inputs.functionText, inputs.pointTexts);
        if (!computed.results) {
            outcome.message = std::move(computed.message);
            return outcome;
        }
        outcome.computed = std::move(computed.results);
        results = &*outcome.computed;
    }
    try {
        outcome.lines = reportLines(dim, inputs.functionText, inputs.constants, hooks.evaluateFunction,
                                    viewLines(*results, inputs.view));
    } catch (const RunError& error) {
        outcome.message = failureMessage(hooks, error);
    }
    return outcome;
}

}  // namespace slopekit
