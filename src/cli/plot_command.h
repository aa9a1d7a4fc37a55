#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace slopekit::cli {

// slopekit-cli plot [--const NAME=VALUE]... --var NAME=VALUE... --along NAME --svg OUT FUNCTION
// slopekit-cli plot FILE --along NAME --svg OUT
// Computes as compute does, then draws the window's plot along the variable, over its
// default half-width, into an SVG file without a window. Returns the exit status.
int runPlotCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace slopekit::cli
