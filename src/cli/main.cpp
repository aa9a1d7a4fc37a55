#include "cli/cli_output.h"
#include "cli/cli_usage.h"
#include "cli/compute_command.h"
#include "cli/eval_command.h"
#include "cli/plot_command.h"
#include "cli/report_command.h"
#include "messages/product_version.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

int runCommand(const std::string& command, const std::vector<std::string>& args)
{
    if (command == "eval")
        return slopekit::cli::runEvalCommand(args, std::cout, std::cerr);
    if (command == "compute")
        return slopekit::cli::runComputeCommand(args, std::cout, std::cerr);
    if (command == "plot")
        return slopekit::cli::runPlotCommand(args, std::cout, std::cerr);
    if (command == "report")
        return slopekit::cli::runReportCommand(args, std::cout, std::cerr);
    if (command == "--version") {
        std::cout << slopekit::product::titleAndVersion() << '\n';
        return 0;
    }
    if (command == "--help" || command == "-h" || command == "help")
        return slopekit::cli::usageAsked(std::cout, slopekit::cli::allCommandsUsage());
    return slopekit::cli::usageError(std::cerr,
                                     command.empty() ? "A command is missing." : command + " is not a command.",
                                     slopekit::cli::allCommandsUsage());
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
