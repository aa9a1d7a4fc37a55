#pragma once

#include "derivatives/computed_results.h"

#include <string>
#include <vector>

namespace slopekit {

// Marks the classic values that may be inaccurate. An entry's reference is its exact value
// where there is one, else its refined value; an exact value at the rounding of zero
// beside the largest of its kind, or a refined one zero within its error, is zero. It
// is marked when it differs from the
// reference by more than ReliableTolerance of its size: |reference|, or for a zero
// reference the largest |reference| among the entries of its kind (the gradient's or the
// Hessian's), or 1 when all of those are zero. Against a refined reference the difference
// must also exceed the refined error estimate; an unreliable refined reference and the
// lack of any reference mark the entry, as nothing vouches for it. The function line is
// never marked.
void markClassicResults(std::vector<ResultEntry>& entries);

// The tooltip of a marked classic line: the exact value, or the refined one with its
// estimate and why there is no exact value, or why there is neither.
std::string warningTip(const ResultEntry& entry);

// The tooltip of an unreliable refined line.
std::string unreliableTip(const ResultEntry& entry);

// The status text after a computation: how many listed results may be inaccurate.
std::string warningStatus(int marked);

}  // namespace slopekit
