#include "cli/cli_output.h"
#include "cli/compute_command.h"
#include "cli/eval_command.h"
#include "cli/plot_command.h"
#include "cli/report_command.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

const char* const Usage =
    "usage: slopekit-cli eval [--const NAME=VALUE]... [--var NAME=VALUE]... EXPRESSION\n"
    "       slopekit-cli compute [--const NAME=VALUE]... --var NAME=VALUE... [--save FILE]\n"
    "                            [--refine] [--hessian] [--format json] FUNCTION\n"
    "       slopekit-cli compute FILE [--refine] [--hessian] [--format json]\n"
    "       slopekit-cli compute FILE --points POINTS.csv [--format csv|json]\n"
    "       slopekit-cli report FILE [--pdf OUT.pdf]\n"
    "       slopekit-cli plot [--const NAME=VALUE]... --var NAME=VALUE... --along NAME --svg OUT FUNCTION\n"
    "       slopekit-cli plot FILE --along NAME --svg OUT\n";

int runCommand(const std::string& command, const std::vector<std::string>& args)
{
    if (command == "eval")
        return slopekit::cli::runEval(args, std::cout, std::cerr);
    if (command == "compute")
        return slopekit::cli::runCompute(args, std::cout, std::cerr);
    if (command == "plot")
        return slopekit::cli::runPlot(args, std::cout, std::cerr);
    if (command == "report")
        return slopekit::cli::runReport(args, std::cout, std::cerr);
    std::cerr << Usage;
    return slopekit::cli::UsageError;
}

}  // namespace

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);  // a batch of points writes many rows
    const std::vector<std::string> args(argv + std::min(argc, 2), argv + argc);
    const int status = runCommand(argc > 1 ? argv[1] : "", args);
    // A script must not take lost output (a full disk, a closed pipe) for a result.
    if (!std::cout.flush()) {
        std::cerr << "The output could not be written.\n";
        return slopekit::cli::Failed;
    }
    return status;
}
