#include "cli/eval_command.h"

#include "cli/cli_output.h"
#include "engine/engine_binding.h"
#include "problem/dimension.h"
#include "problem/number_text.h"

namespace slopekit::cli {
namespace {

const char* const Usage =
    "usage: slopekit-cli eval [--const NAME=VALUE]... [--var NAME=VALUE]... EXPRESSION\n";

struct EvalRequest {
    std::vector<std::string> constants;
    std::vector<std::pair<std::string, std::string>> variables;
    std::string expression;
};

// Reads the arguments; false on a usage error.
bool parse(const std::vector<std::string>& args, EvalRequest& request)
{
    bool haveExpression = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (a == "--const" || a == "--var")) {
            if (i + 1 >= args.size())
                return false;
            const std::string& assignment = args[++i];
            const auto eq = assignment.find('=');
            if (eq == std::string::npos || eq == 0)
                return false;
            if (a == "--const")
                request.constants.push_back(assignment);
            else
                request.variables.emplace_back(assignment.substr(0, eq), assignment.substr(eq + 1));
        } else {
            if (haveExpression)
                return false;
            request.expression = a;
            haveExpression = true;
        }
    }
    return haveExpression && request.constants.size() <= Dimension::ConsSlots &&
           request.variables.size() <= Dimension::MaxOrder;
}

}  // namespace

int runEval(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    EvalRequest request;
    if (!parse(args, request)) {
        err << Usage;
        return UsageError;
    }
    Dimension dim;
    EngineBinding binding(dim);
    std::string announced;
    binding.setErrorEventHandler([&announced](const std::string& message) { announced = message; });
    binding.setUp();
    try {
        for (const std::string& c : request.constants)
            dim.Cons[static_cast<std::size_t>(dim.NumCons++)] = c;
        if (!request.variables.empty()) {
            dim.redimension(static_cast<int>(request.variables.size()));
            for (std::size_t m = 0; m < request.variables.size(); ++m) {
                dim.VarNams[m] = request.variables[m].first;
                dim.Varx[m] = leadingNumber(request.variables[m].second);
            }
        }
        dim.Equation = request.expression;
        binding.RegisterConstants();
        out << displayForm(binding.EvaluateFunction()) << '\n';
        return 0;
    } catch (const RunError& e) {
        err << withLineBreaks(announcedByErrorEvent(e)
                                  ? announced
                                  : e.source() + " " + std::to_string(e.number()) + "\r" + e.description());
        return Failed;
    }
}

}  // namespace slopekit::cli
