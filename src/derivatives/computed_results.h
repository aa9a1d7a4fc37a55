#pragma once

#include "derivatives/derivative_labels.h"
#include "derivatives/refined_derivatives.h"
#include "problem/dimension.h"
#include "problem/exact_derivatives.h"

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace slopekit {

// One line of the results list with every result a computation has for it.
struct ResultEntry {
    ListEntry at;                                                   // the function, or which derivative
    std::string label;                                              // "Function", "Dx", "Dxy"
    std::string classicLine;                                        // the classic list line as the computation made it
    double classic = 0;                                             // the classic value
    double refined = std::numeric_limits<double>::quiet_NaN();      // NaN: no refined value
    double refinedError = std::numeric_limits<double>::infinity();  // its error estimate
    bool refinedUnreliable = false;                                 // the refined value cannot vouch for itself
    ExactEntry exact;                                               // the exact value, or why there is none
    bool marked = false;                                            // the classic value may be inaccurate
};

// Every result of one computation, one entry per line of the list in list order (the
// function first), built once and read by every output.
struct ComputedResults {
    std::vector<double> point;
    std::vector<ResultEntry> entries;
    bool refinedKnown = false;    // the refinement ran to its end
    bool exactKnown = false;      // the exact evaluation ran to its end
    long refinedEvaluations = 0;  // the function values the refinement asked for
};

// Why an entry has no exact value when the computation has no exact results at all.
inline constexpr const char* NoExactResults = "no exact value: the exact evaluation failed at the point";

// Tabulates a completed computation: the classic lines and values (Der1Val, Der2Val), the
// refined and exact results where there are any, and the warnings on the classic lines.
// The function's own value is the one its evaluations after the classic computation
// found, which is what the classic line shows. Expects the labels built.
ComputedResults tabulateResults(const Dimension& dim, const std::vector<std::string>& classicLines,
                                const std::optional<RefinedDerivatives>& refined,
                                const std::optional<ExactDerivatives>& exact);

// Whether every derivative has an exact value, so that exact results can stand in for the
// whole gradient and Hessian.
bool everyEntryExact(const ComputedResults& results);

// An entry's derivative of variables i and j (j < 0: the first derivative of i), whatever
// order i and j come in; the function value for i < 0.
const ResultEntry& resultEntry(const ComputedResults& results, int i, int j);

}  // namespace slopekit
