#include "cli/cli_arguments.h"

#include "problem/dimension.h"

namespace slopekit::cli {

bool parseArguments(const std::vector<std::string>& args, CliArguments& parsed)
{
    bool haveText = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && a == "--save") {
            if (i + 1 >= args.size() || args[i + 1].empty())
                return false;
            parsed.saveFile = args[++i];
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

}  // namespace slopekit::cli
