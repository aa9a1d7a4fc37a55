#include "cli/compute_command.h"

#include "cli/cli_arguments.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "derivatives/compute_command.h"

namespace slopekit::cli {
namespace {

const char* const Usage =
    "usage: slopekit-cli compute [--const NAME=VALUE]... --var NAME=VALUE... FUNCTION\n";

}  // namespace

int runCompute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliArguments request;
    if (!parseArguments(args, request) || request.variables.empty()) {
        err << Usage;
        return UsageError;
    }
    CliSession session(request);
    EngineBinding& binding = session.binding;
    const ComputeHooks hooks{[&binding] { binding.RegisterConstants(); },
                             [&binding] { return binding.EvaluateFunction(); }, announcedByErrorEvent,
                             runErrorMessage};
    PointTexts point;
    for (const auto& variable : request.variables)
        point.push_back(variable.second);
    const ComputeOutcome outcome = slopekit::runCompute(session.dim, hooks, request.text, point);
    if (!session.dim.ResultsShown) {
        err << withLineBreaks(outcome.message ? outcome.message->text : session.announced);
        return Failed;
    }
    for (const std::string& line : outcome.lines)
        out << line << '\n';
    return 0;
}

}  // namespace slopekit::cli
