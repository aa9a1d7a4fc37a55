#pragma once

#include "cli/cli_arguments.h"
#include "documents/problem_file.h"

#include <ostream>
#include <string>
#include <vector>

namespace slopekit::cli {

// The problem of compute --save as the window would save it.
ProblemToSave problemToSave(const CliArguments& request, const std::vector<std::string>& names,
                            const std::vector<std::string>& point);

// Whether the problem can be saved so that it reads back the same; false, with the
// window's message on err, when it cannot. Writes nothing.
bool savable(const ProblemToSave& problem, std::ostream& err);

// Writes the problem file as Save would; false (message on err) when it cannot be written.
bool saveProblem(const std::string& path, const ProblemToSave& problem, std::ostream& err);

}  // namespace slopekit::cli
