#pragma once

#include "documents/problem_file.h"

namespace slopekit {

// Writes the problem file at path through a temporary file that replaces the old one
// only when everything was written, so a failed save leaves any earlier file as it was.
// Throws ProblemNotSavable (nothing touched) or ProblemFileAccess.
void saveProblemFile(const std::string& path, const ProblemToSave& problem);

}  // namespace slopekit
