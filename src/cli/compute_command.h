#pragma once

#include "cli/cli_arguments.h"
#include "cli/cli_session.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace slopekit::cli {

// slopekit-cli compute [--const NAME=VALUE]... --var NAME=VALUE... [--save FILE]
//                      [--refine | --exact] [--hessian] [--format json] FUNCTION
// Computes as the Compute button does, the variables being those of the --var options in
// their order, and prints the list lines (--refine: the refined lines, --exact: the exact
// ones), then with --hessian
// the analysis; --format json prints both results (and the analysis) as one JSON object
// instead. Returns the exit status. --save writes the problem file as Save would, once the
// computation succeeded. With a problem file instead of a function
// (slopekit-cli compute FILE) it computes the file's problem, also at every point of a
// --points file.
int runComputeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Computes the session's problem at the point texts as the Compute button does and gives
// the outcome, or writes the one message of a failure to err and gives nothing.
std::optional<ComputeOutcome> computeResults(CliSession& session, const std::string& function, const PointTexts& point,
                                             std::ostream& err);

}  // namespace slopekit::cli
