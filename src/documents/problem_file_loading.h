#pragma once

#include "documents/problem_file.h"
#include "problem/entry_checks.h"

namespace slopekit {

// Opens, reads and checks the problem file at path (see readProblem). Throws
// ProblemFileAccess when it cannot be opened or read, IncompatibleFile or BadProblemFile.
LoadedProblem loadProblemFile(const std::string& path, const ReservedName& reserved);

// The message (CR between lines) for a file that loadProblemFile refused.
std::string openFailureText(const std::string& path, const std::exception& failure);

}  // namespace slopekit
