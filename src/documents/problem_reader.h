#pragma once

#include "documents/problem_file.h"

#include <istream>

namespace slopekit {

struct Dimension;

// Reads a whole problem file and checks all of it. Throws IncompatibleFile when the
// signature is wrong and BadProblemFile for anything else that is not as Save writes it
// (early end, a number that is not one, a count out of range, a broken quoted field) or
// when the stream cannot be read. Nothing outside the returned value is changed.
LoadedProblem readProblem(std::istream& in);

// Puts a read problem into the state in one step: the per-variable arrays are created
// anew, then the function, names, point and constants are set.
void applyProblem(const LoadedProblem& problem, Dimension& dim);

}  // namespace slopekit
