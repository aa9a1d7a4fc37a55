#include "cli/compute_command.h"

#include "cli/cli_arguments.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/problem_file_commands.h"
#include "derivatives/compute_command.h"

namespace slopekit::cli {
namespace {

const char* const Usage =
    "usage: slopekit-cli compute [--const NAME=VALUE]... --var NAME=VALUE... [--save FILE] FUNCTION\n"
    "       slopekit-cli compute FILE\n";

}  // namespace

int runCompute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliArguments request;
    if (!parseArguments(args, request)) {
        err << Usage;
        return UsageError;
    }
    if (request.variables.empty() && request.constants.empty() && request.saveFile.empty())
        return runComputeFile(request.text, out, err);
    if (request.variables.empty()) {
        err << Usage;
        return UsageError;
    }
    CliSession session(request);
    PointTexts point;
    for (const auto& variable : request.variables)
        point.push_back(variable.second);
    if (!request.saveFile.empty() && !saveProblem(request, session.dim.VarNams, point, err))
        return Failed;
    return computeAndPrint(session, request.text, point, out, err);
}

int computeAndPrint(CliSession& session, const std::string& function, const PointTexts& point,
                    std::ostream& out, std::ostream& err)
{
    const ComputeOutcome outcome = slopekit::runCompute(session.dim, session.hooks(), function, point);
    if (!session.dim.ResultsShown) {
        err << withLineBreaks(outcome.message ? outcome.message->text : session.announced);
        return Failed;
    }
    for (const std::string& line : outcome.lines)
        out << line << '\n';
    return 0;
}

}  // namespace slopekit::cli
