#include "cli/compute_command.h"

#include "cli/analysis_output.h"
#include "cli/cli_arguments.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/problem_file_commands.h"
#include "derivatives/compute_command.h"

namespace slopekit::cli {
namespace {

const char* const Usage =
    "usage: slopekit-cli compute [--const NAME=VALUE]... --var NAME=VALUE... [--save FILE] [--hessian] FUNCTION\n"
    "       slopekit-cli compute FILE [--hessian]\n"
    "       slopekit-cli compute FILE --points POINTS.csv [--format csv|json]\n";

// Without variables, constants or --save the one text is a problem file.
bool fromFile(const CliArguments& r)
{
    return r.variables.empty() && r.constants.empty() && r.saveFile.empty();
}

// --points needs a file and no other option; --format belongs to --points.
bool validCombination(const CliArguments& r)
{
    if (hasPlotOptions(r))
        return false;
    if (!r.pointsFile.empty())
        return fromFile(r) && !r.hessian && (r.format.empty() || r.format == "csv" || r.format == "json");
    return r.format.empty();
}

}  // namespace

int runCompute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliArguments request;
    if (!parseArguments(args, request) || !validCombination(request)) {
        err << Usage;
        return UsageError;
    }
    if (fromFile(request))
        return runComputeFile(request, out, err);
    if (request.variables.empty()) {
        err << Usage;
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
    return computeAndPrint(session, request.text, point, request.hessian, out, err);
}

std::optional<std::vector<std::string>> computeLines(CliSession& session, const std::string& function,
                                                    const PointTexts& point, std::ostream& err)
{
    ComputeOutcome outcome = slopekit::runCompute(session.dim, session.hooks(), function, point);
    if (session.dim.ResultsShown)
        return std::move(outcome.lines);
    err << withLineBreaks(outcome.message ? outcome.message->text : session.announced);
    return std::nullopt;
}

int computeAndPrint(CliSession& session, const std::string& function, const PointTexts& point, bool hessian,
                    std::ostream& out, std::ostream& err)
{
    const auto lines = computeLines(session, function, point, err);
    if (!lines)
        return Failed;
    for (const std::string& line : *lines)
        out << line << '\n';
    if (hessian)
        for (const std::string& line : analysisLines(session))
            out << line << '\n';
    return 0;
}

}  // namespace slopekit::cli
