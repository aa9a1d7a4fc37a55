#pragma once

#include "derivatives/derivative_labels.h"
#include "derivatives/refined_derivatives.h"
#include "problem/dimension.h"

#include <string>
#include <vector>

namespace slopekit {

// Whether a listed classic result is unreliable, judged from the refined one: more than
// ReliableTolerance of the entry's size away from it, or the refined entry itself cannot
// vouch for any value. The function line is never marked.
std::vector<bool> classicWarnings(const Dimension& dim, const RefinedDerivatives& refined);

// The refined list: "Function = " and the value, then label + "= " + value + " ± " + the
// error with two significant digits, all in the display form; an entry without a value
// reads label + "= " + "no value: the function fails at every trial step".
std::vector<std::string> refinedLines(const Dimension& dim, const RefinedDerivatives& refined);

// Whether a refined entry is unreliable (never the function line).
bool refinedUnreliable(const RefinedDerivatives& refined, const ListEntry& entry);

// The tooltip of a marked classic line: the refined value and its estimate, or why there
// is none.
std::string warningTip(const RefinedDerivatives& refined, const ListEntry& entry);

// The tooltip of an unreliable refined line.
std::string unreliableTip(const RefinedDerivatives& refined, const ListEntry& entry);

// The status text after a computation: how many listed results may be inaccurate.
std::string warningStatus(int marked);

}  // namespace slopekit
