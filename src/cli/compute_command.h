#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace slopekit::cli {

// slopekit-cli compute [--const NAME=VALUE]... --var NAME=VALUE... FUNCTION
// Computes as the Compute button does, the variables being those of the --var options in
// their order, and prints the list lines; returns the exit status.
int runCompute(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace slopekit::cli
