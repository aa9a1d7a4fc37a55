#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace slopekit::cli {

// slopekit-cli eval [--const NAME=VALUE]... [--var NAME=VALUE]... EXPRESSION
// Evaluates as a computation does and prints the value; returns the exit status.
int runEvalCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace slopekit::cli
