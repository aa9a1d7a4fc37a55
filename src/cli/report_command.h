#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace slopekit::cli {

// slopekit-cli report FILE [--pdf OUT.pdf]: the printed report of the problem in FILE,
// computed first, as the window's Print makes it. Without --pdf the report lines go to out;
// with it they are printed into a PDF file as the window prints them. Returns the exit status.
int runReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace slopekit::cli
