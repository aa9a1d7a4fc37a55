#include "cli/compute_command.h"

#include "cli/analysis_output.h"
#include "cli/cli_arguments.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_usage.h"
#include "cli/json_results.h"
#include "cli/problem_file_commands.h"
#include "derivatives/compute_command.h"
#include "derivatives/result_views.h"

namespace slopekit::cli {
namespace {

// Without variables, constants or --save the one text is a problem file.
bool fromFile(const CliArguments& r)
{
    return r.variables.empty() && r.constants.empty() && r.saveFile.empty();
}

// --points needs a file and no other option but --exact and --format csv|json; one point
// knows json alone; one list is shown, refined or exact.
bool validCombination(const CliArguments& r)
{
    if (hasPlotOptions(r) || (r.refine && r.exact))
        return false;
    if (!r.pointsFile.empty())
        return fromFile(r) && !r.hessian && !r.refine && (r.format.empty() || r.format == "csv" || r.format == "json");
    return r.format.empty() || r.format == "json";
}

// The refinement fails only where the function fails at the point itself, which the
// classic computation has just evaluated: a function whose value changes between calls.
const char* const NotRefined = "The refined results could not be computed: the function failed at the point.\n";
const char* const NotExact = "The exact results could not be computed: the function failed at the point.\n";

}  // namespace

int runCompute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliArguments request;
    if (!parseArguments(args, request) || !validCombination(request)) {
        err << ComputeUsage;
        return UsageError;
    }
    if (fromFile(request))
        return runComputeFile(request, out, err);
    if (request.variables.empty()) {
        err << ComputeUsage;
        return UsageError;
    }
    CliSession session(request);
    if (!namesAccepted(request, session, err))
        return Failed;
    PointTexts point;
    for (const auto& variable : request.variables)
        point.push_back(variable.second);
    if (!request.saveFile.empty() && !saveProblem(request, session.dim.VarNams, point, err))
        return Failed;
    return computeAndPrint(session, request.text, point, request, out, err);
}

std::optional<ComputeOutcome> computeResults(CliSession& session, const std::string& function,
                                             const PointTexts& point, std::ostream& err)
{
    ComputeOutcome outcome = slopekit::runCompute(session.dim, session.hooks(), function, point);
    if (outcome.results)
        return outcome;
    err << withLineBreaks(outcome.message ? outcome.message->text : session.announced);
    return std::nullopt;
}

int computeAndPrint(CliSession& session, const std::string& function, const PointTexts& point,
                    const CliArguments& request, std::ostream& out, std::ostream& err)
{
    const auto outcome = computeResults(session, function, point, err);
    if (!outcome)
        return Failed;
    const ComputedResults& results = *outcome->results;
    const bool json = request.format == "json";
    if ((request.refine || json) && !results.refinedKnown) {
        err << NotRefined;
        return Failed;
    }
    if (request.exact && !results.exactKnown) {
        err << NotExact;
        return Failed;
    }
    const auto analysis = request.hessian ? std::optional(analyseHessian(estimatesFor(results))) : std::nullopt;
    if (json) {
        out << resultsJson(session.dim.VarNams, results, analysis ? &*analysis : nullptr);
        return 0;
    }
    const ResultView view = request.exact ? ResultView::Exact : request.refine ? ResultView::Refined : ResultView::Classic;
    for (const std::string& line : viewLines(results, view))
        out << line << '\n';
    if (analysis)
        for (const std::string& line : analysisLines(*analysis))
            out << line << '\n';
    return 0;
}

}  // namespace slopekit::cli
