#include "documents/report.h"

#include "documents/report_lines.h"

namespace slopekit {

ReportOutcome buildReport(Dimension& dim, const ComputeHooks& hooks, const ReportInputs& inputs)
{
    ReportOutcome outcome;
    const RefinedDerivatives* refined = inputs.refined ? &*inputs.refined : nullptr;
    if (!dim.ResultsShown) {
        ComputeOutcome computed = runCompute(dim, hooks, inputs.functionText, inputs.pointTexts);
        if (computed.lines.empty()) {
            outcome.message = std::move(computed.message);
            return outcome;
        }
        outcome.computedLines = std::move(computed.lines);
        outcome.refined = std::move(computed.refined);
        refined = outcome.refined ? &*outcome.refined : nullptr;
    }
    try {
        outcome.lines = reportLines(dim, inputs.functionText, inputs.constants, hooks.evaluateFunction,
                                    inputs.printRefined ? refined : nullptr);
    } catch (const RunError& error) {
        outcome.message = failureMessage(hooks, error);
    }
    return outcome;
}

}  // namespace slopekit
