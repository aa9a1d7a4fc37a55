#include "cli/cli_arguments.h"

#include "ascii/ascii.h"
#include "problem/dimension.h"

#include <algorithm>

namespace slopekit::cli {
namespace {

// The options that take one non-empty value, each given at most once.
const std::pair<const char*, std::string CliArguments::*> ValuedOptions[] = {
    {"--save", &CliArguments::saveFile}, {"--points", &CliArguments::pointsFile}, {"--format", &CliArguments::format},
    {"--along", &CliArguments::along},   {"--svg", &CliArguments::svgFile},       {"--pdf", &CliArguments::pdfFile},
};

std::string CliArguments::*valuedOption(const std::string& a)
{
    for (const auto& [name, field] : ValuedOptions)
        if (a == name)
            return field;
    return nullptr;
}

// "--" and a letter: an option, known or not. An expression may begin with "-" or even
// "--" before a number or a parenthesis, and "--" before an expression ends the options.
bool looksLikeOption(const std::string& a) { return a.size() > 2 && a.starts_with("--") && isLetter(a[2]); }

std::optional<std::string> parseOne(const std::vector<std::string>& args, std::size_t& i, CliArguments& parsed)
{
    const std::string& a = args[i];
    const bool repeatable = a == "--const" || a == "--var";
    if (!repeatable && std::ranges::find(parsed.given, a) != parsed.given.end())
        return a + " is given twice.";
    if (std::ranges::find(parsed.given, a) == parsed.given.end())
        parsed.given.push_back(a);
    if (auto field = valuedOption(a)) {
        if (i + 1 >= args.size() || args[i + 1].empty())
            return a + " needs a value.";
        parsed.*field = args[++i];
    } else if (a == "--hessian") {
        parsed.hessian = true;
    } else if (a == "--refine") {
        parsed.refine = true;
    } else if (a == "--exact") {
        parsed.exact = true;
    } else if (a == "--help" || a == "-h") {
        parsed.help = true;
    } else if (repeatable) {
        if (i + 1 >= args.size())
            return a + " needs NAME=VALUE.";
        const std::string& assignment = args[++i];
        const auto eq = assignment.find('=');
        if (eq == std::string::npos || eq == 0)
            return a + " needs NAME=VALUE, not \"" + assignment + "\".";
        if (a == "--const")
            parsed.constants.push_back(assignment);
        else
            parsed.variables.emplace_back(assignment.substr(0, eq), assignment.substr(eq + 1));
    } else {
        parsed.given.pop_back();
        return a + " is not an option; put -- before a text that begins with --.";
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> parseArguments(const std::vector<std::string>& args, CliArguments& parsed)
{
    bool haveText = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (looksLikeOption(a) || a == "-h")) {
            if (auto fault = parseOne(args, i, parsed))
                return fault;
        } else if (haveText) {
            return "\"" + a + "\" is one text too many: give one, quoted when it holds blanks.";
        } else {
            parsed.text = a;
            haveText = true;
        }
    }
    if (parsed.variables.size() > Dimension::MaxOrder)
        return "A problem has at most " + std::to_string(Dimension::MaxOrder) + " variables; --var gives " +
               std::to_string(parsed.variables.size()) + ".";
    if (parsed.constants.size() > Dimension::ConsSlots)
        return "A problem has at most " + std::to_string(Dimension::ConsSlots) + " constants; --const gives " +
               std::to_string(parsed.constants.size()) + ".";
    return std::nullopt;
}

std::optional<std::string> optionOutside(const CliArguments& parsed, std::initializer_list<const char*> allowed)
{
    for (const std::string& option : parsed.given)
        if (std::ranges::none_of(allowed, [&](const char* a) { return option == a; }))
            return option;
    return std::nullopt;
}

std::optional<std::string> optionAmong(const CliArguments& parsed, std::initializer_list<const char*> options)
{
    for (const std::string& option : parsed.given)
        if (std::ranges::any_of(options, [&](const char* o) { return option == o; }))
            return option;
    return std::nullopt;
}

}  // namespace slopekit::cli
