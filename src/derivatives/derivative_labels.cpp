#include "derivatives/derivative_labels.h"

#include "ascii/ascii.h"

#include <algorithm>

namespace slopekit {
namespace {

// Whether two labels of the joined form would be one text (case ignored, as in names):
// "Dxx" for the first derivative in xx and the second in x, "Dabc" for ab, c and a, bc.
bool joinedLabelsRepeat(const Dimension& dim)
{
    std::vector<std::string> labels;
    for (int i = 0; i < dim.Order; ++i) {
        labels.push_back(lowerCase(dim.VarNams[i]));
        for (int j = i; j < dim.Order; ++j)
            labels.push_back(lowerCase(dim.VarNams[i] + dim.VarNams[j]));
    }
    std::ranges::sort(labels);
    return std::ranges::adjacent_find(labels) != labels.end();
}

}  // namespace

void BuildLabels(Dimension& dim)
{
    const bool separated = joinedLabelsRepeat(dim);
    for (int i = 0; i < dim.Order; ++i) {
        dim.Der1Label[i] = "D" + dim.VarNams[i] + " ";
        for (int j = i; j < dim.Order; ++j)
            dim.Der2Label[i][j] = separated ? "D(" + dim.VarNams[i] + "," + dim.VarNams[j] + ") "
                                            : "D" + dim.VarNams[i] + dim.VarNams[j] + " ";
    }
}

std::vector<ListEntry> listEntries(int n)
{
    std::vector<ListEntry> entries{{-1, -1}};
    for (int k = 0; k < n; ++k)
        entries.push_back({k, -1});
    for (int k = 0; k < n; ++k)
        entries.push_back({k, k});
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            entries.push_back({i, j});
    return entries;
}

std::string entryLabel(const Dimension& dim, const ListEntry& e)
{
    if (e.i < 0)
        return "Function";
    const std::string& label = e.j < 0 ? dim.Der1Label[e.i] : dim.Der2Label[e.i][e.j];
    return label.substr(0, label.size() - 1);
}

double classicValue(const Dimension& dim, const ListEntry& e, double functionValue)
{
    if (e.i < 0)
        return functionValue;
    return e.j < 0 ? dim.Der1Val[e.i] : dim.Der2Val[e.i][e.j];
}

}  // namespace slopekit
