#pragma once

#include "cli/cli_session.h"

#include <ostream>
#include <string>
#include <vector>

namespace slopekit::cli {

// slopekit-cli compute [--const NAME=VALUE]... --var NAME=VALUE... [--save FILE] FUNCTION
// Computes as the Compute button does, the variables being those of the --var options in
// their order, and prints the list lines; returns the exit status. --save first writes the
// problem file as Save would. Without options, the one argument is a problem file to
// compute (slopekit-cli compute FILE).
int runCompute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Computes the session's problem at the point texts and prints the list lines, or the one
// message of a failure; returns the exit status.
int computeAndPrint(CliSession& session, const std::string& function, const PointTexts& point,
                    std::ostream& out, std::ostream& err);

}  // namespace slopekit::cli
