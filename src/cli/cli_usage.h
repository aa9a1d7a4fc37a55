#pragma once

#include "cli/cli_arguments.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

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

// A usage error: the one line that names the fault, then the usage lines, on err; gives
// the exit status of a usage error.
int usageError(std::ostream& err, const std::string& fault, const std::string& usage);

// The usage lines asked for with --help: on out, exit status 0.
int usageAsked(std::ostream& out, const std::string& usage);

// Why a command's arguments do not make one command of that kind, or nothing.
using CommandFault = std::optional<std::string> (*)(const CliArguments& request);

// Reads a command's arguments into request. Gives the exit status when the command ends
// here: after a usage error (the fault of the reading or of `fault`) or --help.
std::optional<int> readRequest(const std::vector<std::string>& args, const char* usage, CommandFault fault,
                               CliArguments& request, std::ostream& out, std::ostream& err);

}  // namespace slopekit::cli
