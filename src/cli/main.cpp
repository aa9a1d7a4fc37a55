#include "cli/cli_output.h"
#include "cli/compute_command.h"
#include "cli/eval_command.h"
#include "cli/report_command.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const Usage =
    "usage: slopekit-cli eval [--const NAME=VALUE]... [--var NAME=VALUE]... EXPRESSION\n"
    "       slopekit-cli compute [--const NAME=VALUE]... --var NAME=VALUE... [--save FILE] FUNCTION\n"
    "       slopekit-cli compute FILE\n"
    "       slopekit-cli report FILE [--pdf OUT.pdf]\n";

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "eval")
        return slopekit::cli::runEval(args, std::cout, std::cerr);
    if (command == "compute")
        return slopekit::cli::runCompute(args, std::cout, std::cerr);
    if (command == "report")
        return slopekit::cli::runReport(args, std::cout, std::cerr);
    std::cerr << Usage;
    return slopekit::cli::UsageError;
}
