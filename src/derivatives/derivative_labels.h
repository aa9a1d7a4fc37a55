#pragma once

#include "problem/dimension.h"

#include <string>
#include <vector>

namespace slopekit {

// Der1Label(i) = "D" + name(i) + " " and, for j >= i, Der2Label(i, j) = "D" + name(i) +
// name(j) + " ", from the names as they stand in VarNams. Entries with j < i stay empty.
void BuildLabels(Dimension& dim);

// The labels of the results list in its order, each ending with a blank: "Function ", the
// first derivatives, the pure second derivatives, then the mixed ones row by row.
std::vector<std::string> listLabels(const Dimension& dim);

// The values of the results list in the same order, the function value first.
std::vector<double> listValues(const Dimension& dim, double functionValue);

}  // namespace slopekit
