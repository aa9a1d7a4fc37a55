#pragma once

#include "engine/script/exact_value.h"
#include "engine/script/program.h"
#include "engine/script/scratch.h"

#include <span>
#include <string>
#include <vector>

namespace slopekit::script {

// Why derivatives do not exist at the point: one operation of the program has none there.
struct ExactFailure {
    std::string reason;  // e.g. "no derivative: Abs at its kink (column 5)"
    // The value stays continuous there (a kink, an infinite slope), so an exact zero factor
    // cancels it; a jump (a step, a tie, a value through text) stays.
    bool continuous = false;
};

// The value of an expression with its derivatives in the variables of the evaluation.
struct ExactEvaluation {
    ExactValue result;  // its value refers to texts of the engine's current call
    int count = 0;      // of the variables
    std::vector<ExactFailure> failures;

    // An entry is a finite number, or it has none, for the reason that reason() gives.
    double gradient(int i) const { return result.gradient[i]; }
    double hessian(int i, int j) const { return result.hessian[packedIndex(i, j)]; }
    std::string reason(double entry) const;
};

// Runs a program as run() does, on `stack` (room for program.maxStack values), carrying the
// derivatives in the variables whose numbers lie at `seeds` (at most MaxExactVariables):
// every name of one number is one variable. Values and errors are run()'s. The failures go
// to `evaluation`, which is cleared first. Throws LocatedFault.
void runExact(const Program& program, std::span<const double* const> seeds, ExactValue* stack, Scratch& scratch,
              ExactEvaluation& evaluation);

}  // namespace slopekit::script
