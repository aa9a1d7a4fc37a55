#include "cli/compute_command.h"

#include "cli/analysis_output.h"
#include "cli/cli_arguments.h"
#include "cli/cli_output.h"
#include "cli/cli_problem.h"
#include "cli/cli_session.h"
#include "cli/cli_usage.h"
#include "cli/json_results.h"
#include "cli/points_command.h"
#include "cli/problem_saving.h"
#include "derivatives/compute_command.h"
#include "derivatives/result_views.h"

namespace slopekit::cli {
namespace {

// Why the options cannot make one compute command, or nothing.
std::optional<std::string> computeFault(const CliArguments& r)
{
    if (r.text.empty())
        return "A FUNCTION or a problem FILE is missing.";
    if (auto option = optionOutside(
            r, {"--const", "--var", "--save", "--points", "--format", "--hessian", "--refine", "--exact"}))
        return *option + " does not go with compute.";
    if (auto fault = problemFileFault(r))
        return fault;
    if (!textNamesProblemFile(r) && r.variables.empty())
        return "--var is missing: give each variable with its value.";
    if (!textNamesProblemFile(r) && !r.pointsFile.empty())
        return "--points needs a problem FILE, not a FUNCTION.";
    if (!r.format.empty() && r.format != "json" && r.format != "csv")
        return "--format " + r.format + " is not known: use json, or csv with --points.";
    if (r.format == "csv" && r.pointsFile.empty())
        return "--format csv needs --points.";
    if (r.refine && r.exact)
        return "--refine and --exact do not go together: one list is shown.";
    if (auto option = r.pointsFile.empty() ? std::nullopt : optionAmong(r, {"--refine", "--hessian"}))
        return *option + " does not go with --points.";
    return std::nullopt;
}

// The refinement fails only where the function fails at the point itself, which the
// classic computation has just evaluated: a function whose value changes between calls.
const char* const NotRefined = "The refined results could not be computed: the function failed at the point.\n";
const char* const NotExact = "The exact results could not be computed: the function failed at the point.\n";

// Prints the results in the form the request's --refine, --hessian and --format ask for.
int printResults(const CliSession& session, const ComputedResults& results, const CliArguments& request,
                 std::ostream& out, std::ostream& err)
{
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
    const ResultView view = request.exact    ? ResultView::Exact
                            : request.refine ? ResultView::Refined
                                             : ResultView::Classic;
    for (const std::string& line : viewLines(results, view))
        out << line << '\n';
    if (analysis)
        for (const std::string& line : analysisLines(*analysis))
            out << line << '\n';
    return 0;
}

}  // namespace

int runComputeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliArguments request;
    if (const auto ended = readRequest(args, ComputeUsage, computeFault, request, out, err))
        return *ended;
    CliSession session(request);
    const auto problem = openProblem(request, session, err);
    if (!problem)
        return Failed;
    if (!request.pointsFile.empty())
        return runPointsCommand(session, request, out, err);
    const ProblemToSave saved = problemToSave(request, session.dim.VarNams, problem->point);
    if (!request.saveFile.empty() && !savable(saved, err))
        return Failed;
    const auto outcome = computeResults(session, problem->function, problem->point, err);
    if (!outcome)
        return Failed;
    if (!request.saveFile.empty() && !saveProblem(request.saveFile, saved, err))
        return Failed;
    return printResults(session, *outcome->results, request, out, err);
}

std::optional<ComputeOutcome> computeResults(CliSession& session, const std::string& function, const PointTexts& point,
                                             std::ostream& err)
{
    ComputeOutcome outcome = runCompute(session.dim, session.hooks(), function, point);
    if (outcome.results)
        return outcome;
    err << withLineBreaks(outcome.message ? outcome.message->text : session.announced);
    return std::nullopt;
}

}  // namespace slopekit::cli
