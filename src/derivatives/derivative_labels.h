#pragma once

#include "problem/dimension.h"

#include <string>
#include <vector>

namespace slopekit {

// Der1Label(i) = "D" + name(i) + " " and, for j >= i, Der2Label(i, j) = "D" + name(i) +
// name(j) + " ", from the names as they stand in VarNams. Where that joined form would
// give two entries one label (x and xx: "Dxx" twice), every second-derivative label
// separates its names instead, "D(x,xx) ", so that each label names one entry. Entries
// with j < i stay empty.
void BuildLabels(Dimension& dim);

// One line of the results list: the function (i = j = -1), a first derivative (j = -1) or
// a second derivative of variables i and j, in the order of the list.
struct ListEntry {
    int i = -1;
    int j = -1;
};

// The entries of the n-variable list in list order: the function, the first derivatives,
// the pure second ones, the mixed ones row by row.
std::vector<ListEntry> listEntries(int n);

// An entry's label without its trailing blank ("Function", "Dx", "Dxy"); needs the labels.
std::string entryLabel(const Dimension& dim, const ListEntry& entry);

// An entry's classic value: the function value given for the function line, else the
// derivative in Der1Val or Der2Val.
double classicValue(const Dimension& dim, const ListEntry& entry, double functionValue);

}  // namespace slopekit
