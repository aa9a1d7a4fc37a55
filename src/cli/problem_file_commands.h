#pragma once

#include "cli/cli_arguments.h"
#include "cli/cli_session.h"

#include <ostream>
#include <string>

namespace slopekit::cli {

// Puts the problem file into the session as Open puts it into the window, and gives the
// texts that the point boxes then show. On failure writes the window's message to err and
// returns false.
bool loadIntoSession(const std::string& path, CliSession& session, PointTexts& point, std::ostream& err);

// Writes the request's problem to its --save file as Save would; false (message on err)
// when it cannot be written.
bool saveProblem(const CliArguments& request, const std::vector<std::string>& names,
                 const PointTexts& point, std::ostream& err);

// slopekit-cli compute FILE [--refine] [--hessian] [--format json], or with --points POINTS
// [--format csv|json]: computes the problem in the file (the text of the request) and prints
// its results as computeAndPrint does, or computes it at every point of the points file.
int runComputeFile(const CliArguments& request, std::ostream& out, std::ostream& err);

}  // namespace slopekit::cli
