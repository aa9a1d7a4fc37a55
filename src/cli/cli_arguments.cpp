#include "cli/cli_arguments.h"

#include "problem/dimension.h"

namespace slopekit::cli {
namespace {

// The options that take one non-empty value, each given at most once.
const std::pair<const char*, std::string CliArguments::*> ValuedOptions[] = {
    {"--save", &CliArguments::saveFile},   {"--points", &CliArguments::pointsFile},
    {"--format", &CliArguments::format},   {"--along", &CliArguments::along},
    {"--svg", &CliArguments::svgFile},
};

std::string CliArguments::* valuedOption(const std::string& a)
{
    for (const auto& [name, field] : ValuedOptions)
        if (a == name)
            return field;
    return nullptr;
}

}  // namespace

bool parseArguments(const std::vector<std::string>& args, CliArguments& parsed)
{
    bool haveText = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (auto field = optionsEnded ? nullptr : valuedOption(a)) {
            if (i + 1 >= args.size() || args[i + 1].empty() || !(parsed.*field).empty())
                return false;
            parsed.*field = args[++i];
        } else if (!optionsEnded && a == "--hessian") {
            parsed.hessian = true;
        } else if (!optionsEnded && a == "--refine") {
            parsed.refine = true;
        } else if (!optionsEnded && a == "--exact") {
            parsed.exact = true;
        } else if (!optionsEnded && (a == "--const" || a == "--var")) {
            if (i + 1 >= args.size())
                return false;
            const std::string& assignment = args[++i];
            const auto eq = assignment.find('=');
            if (eq == std::string::npos || eq == 0)
                return false;
            if (a == "--const")
                parsed.constants.push_back(assignment);
            else
                parsed.variables.emplace_back(assignment.substr(0, eq), assignment.substr(eq + 1));
        } else {
            if (haveText)
                return false;
            parsed.text = a;
            haveText = true;
        }
    }
    return haveText && parsed.constants.size() <= Dimension::ConsSlots &&
           parsed.variables.size() <= Dimension::MaxOrder;
}

bool hasComputeOptions(const CliArguments& parsed)
{
    return !parsed.saveFile.empty() || !parsed.pointsFile.empty() || !parsed.format.empty() || parsed.hessian ||
           parsed.refine || parsed.exact;
}

bool hasPlotOptions(const CliArguments& parsed)
{
    return !parsed.along.empty() || !parsed.svgFile.empty();
}

}  // namespace slopekit::cli
