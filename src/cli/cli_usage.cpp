#include "cli/cli_usage.h"

#include "cli/cli_output.h"

#include <string_view>

namespace slopekit::cli {

std::string allCommandsUsage()
{
    constexpr std::string_view Head = "usage: ";
    std::string all = EvalUsage;
    for (const std::string_view lines : {ComputeUsage, ReportUsage, PlotUsage})
        all += std::string(Head.size(), ' ') + std::string(lines.substr(Head.size()));
    return all;
}

int usageError(std::ostream& err, const std::string& fault, const std::string& usage)
{
    err << fault << '\n' << usage;
    return UsageError;
}

int usageAsked(std::ostream& out, const std::string& usage)
{
    out << usage;
    return 0;
}

std::optional<int> readRequest(const std::vector<std::string>& args, const char* usage, CommandFault fault,
                               CliArguments& request, std::ostream& out, std::ostream& err)
{
    if (auto parsingFault = parseArguments(args, request))
        return usageError(err, *parsingFault, usage);
    if (request.help)
        return usageAsked(out, usage);
    if (auto commandFault = fault(request))
        return usageError(err, *commandFault, usage);
    return std::nullopt;
}

}  // namespace slopekit::cli
