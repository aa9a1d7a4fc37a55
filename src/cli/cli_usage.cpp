#include "cli/cli_usage.h"

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

}  // namespace slopekit::cli
