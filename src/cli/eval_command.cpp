#include "cli/eval_command.h"

#include "cli/cli_arguments.h"
#include "cli/cli_output.h"
#include "cli/cli_session.h"
#include "cli/cli_usage.h"
#include "derivatives/compute_command.h"
#include "engine/engine_binding.h"
#include "numbers/number_text.h"

namespace slopekit::cli {
namespace {

std::optional<std::string> evalFault(const CliArguments& r)
{
    if (auto option = optionOutside(r, {"--const", "--var"}))
        return *option + " does not go with eval.";
    if (r.text.empty())
        return "An EXPRESSION is missing.";
    return std::nullopt;
}

}  // namespace

int runEvalCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    CliArguments request;
    if (const auto ended = readRequest(args, EvalUsage, evalFault, request, out, err))
        return *ended;
    CliSession session(request);
    if (!namesAccepted(request, session, err))
        return Failed;
    Dimension& dim = session.dim;
    for (std::size_t m = 0; m < request.variables.size(); ++m) {
        const auto& [name, text] = request.variables[m];
        try {
            dim.Varx[m] = pointNumber(text);
        } catch (const RunError&) {
            err << UnreadablePoint(name, text).what() << '\n';
            return Failed;
        }
    }
    try {
        dim.Equation = request.text;
        session.binding.RegisterConstants();
        out << displayForm(session.binding.EvaluateFunction()) << '\n';
        return 0;
    } catch (const RunError& e) {
        err << session.failureText(e);
        return Failed;
    } catch (const RefusedInput& refused) {
        err << refused.what() << '\n';
        return Failed;
    }
}

}  // namespace slopekit::cli
