#pragma once

#include <string>

namespace slopekit::cli {

// The usage lines of each command, printed on a usage error of that command.
inline constexpr const char* EvalUsage =
    "usage: slopekit-cli eval [--const NAME=VALUE]... [--var NAME=VALUE]... EXPRESSION\n";
inline constexpr const char* ComputeUsage =
    "usage: slopekit-cli compute [--const NAME=VALUE]... --var NAME=VALUE... [--save FILE]\n"
    "                            [--refine | --exact] [--hessian] [--format json] FUNCTION\n"
    "       slopekit-cli compute FILE [--refine | --exact] [--hessian] [--format json]\n"
    "       slopekit-cli compute FILE --points POINTS.csv [--exact] [--format csv|json]\n";
inline constexpr const char* ReportUsage = "usage: slopekit-cli report FILE [--pdf OUT.pdf]\n";
inline constexpr const char* PlotUsage =
    "usage: slopekit-cli plot [--const NAME=VALUE]... --var NAME=VALUE... --along NAME --svg OUT FUNCTION\n"
    "       slopekit-cli plot FILE --along NAME --svg OUT\n";

// Every command's lines under one "usage:", for a command that is none of them.
std::string allCommandsUsage();

}  // namespace slopekit::cli
