#pragma once

#include "problem/dimension.h"

namespace slopekit {

// Der1Label(i) = "D" + name(i) + " " and, for j >= i, Der2Label(i, j) = "D" + name(i) +
// name(j) + " ", from the names as they stand in VarNams. Entries with j < i stay empty.
void BuildLabels(Dimension& dim);

}  // namespace slopekit
