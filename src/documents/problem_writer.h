#pragma once

#include "documents/problem_file.h"

#include <ostream>

namespace slopekit {

// Writes the problem file: the signature, the count and the quoted function, one line
// per variable (quoted name, value), " m ", then each constant bare; CR LF after every
// line. Checks everything first and throws ProblemNotSavable, writing nothing, when a
// text could not be read back as it stands (a double quote in a name or the function, a
// line break in any text) or a value is beyond the number range.
void writeProblem(std::ostream& out, const ProblemToSave& problem);

}  // namespace slopekit
