#pragma once

#include "documents/problem_file.h"
#include "problem/entry_checks.h"

#include <istream>
#include <string_view>

namespace slopekit {

struct Dimension;

// Reads a whole problem file and checks all of it. Throws IncompatibleFile when the
// signature is wrong and BadProblemFile for anything else that is not as Save writes it
// (early end, a number that is not one, a count out of range, a broken quoted field, a
// variable name that the names check would refuse) or when the stream cannot be read.
// Nothing outside the returned value is changed. A UTF-8 byte-order mark before the first
// line is skipped.
LoadedProblem readProblem(std::istream& in, const ReservedName& reserved);

// False as soon as the first bytes of a file show that it is not a problem file; true
// while they could still begin one.
bool mayBeginProblemFile(std::string_view head);

// Puts a read problem into the state in one step: the per-variable arrays are created
// anew, then the function, names, point and constants are set.
void applyProblem(const LoadedProblem& problem, Dimension& dim);

}  // namespace slopekit
