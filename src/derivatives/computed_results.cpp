#include "derivatives/computed_results.h"

#include "derivatives/result_warnings.h"

#include <stdexcept>

namespace slopekit {
namespace {

void takeRefined(ResultEntry& entry, const RefinedDerivatives& r)
{
    const auto i = static_cast<std::size_t>(entry.at.i);
    if (entry.at.j < 0) {
        entry.refined = r.gradient[i];
        entry.refinedError = r.gradientError[i];
        entry.refinedUnreliable = r.gradientUnreliable[i];
        return;
    }
    const auto j = static_cast<std::size_t>(entry.at.j);
    entry.refined = r.hessian[i][j];
    entry.refinedError = r.hessianError[i][j];
    entry.refinedUnreliable = r.hessianUnreliable[i][j];
}

ExactEntry exactEntry(const ListEntry& at, const ExactDerivatives& x)
{
    const auto i = static_cast<std::size_t>(at.i);
    return at.j < 0 ? x.gradient.at(i) : x.hessian.at(i).at(static_cast<std::size_t>(at.j));
}

// Where entry (i, j) stands in the list: the function, n first, n pure second, then the
// mixed ones row by row.
std::size_t listIndex(int n, int i, int j)
{
    if (i < 0)
        return 0;
    if (j < 0)
        return static_cast<std::size_t>(1 + i);
    if (j < i)
        std::swap(i, j);
    if (i == j)
        return static_cast<std::size_t>(1 + n + i);
    // Rows 0 .. i-1 hold n-1, n-2, ... mixed entries.
    const int before = i * (2 * n - i - 1) / 2;
    return static_cast<std::size_t>(1 + 2 * n + before + (j - i - 1));
}

}  // namespace

ComputedResults tabulateResults(const Dimension& dim, const std::vector<std::string>& classicLines,
                                const std::optional<RefinedDerivatives>& refined,
                                const std::optional<ExactDerivatives>& exact)
{
    ComputedResults results;
    results.point.assign(dim.Varx.begin(), dim.Varx.begin() + dim.Order);
    results.refinedKnown = refined.has_value();
    results.exactKnown = exact.has_value();
    results.refinedEvaluations = refined ? refined->evaluations : 0;
    const double functionValue = refined ? refined->value
                                 : exact ? exact->value
                                         : std::numeric_limits<double>::quiet_NaN();
    const std::vector<ListEntry> entries = listEntries(dim.Order);
    for (std::size_t k = 0; k < entries.size(); ++k) {
        ResultEntry entry;
        entry.at = entries[k];
        entry.label = entryLabel(dim, entry.at);
        entry.classicLine = classicLines.at(k);
        entry.classic = classicValue(dim, entry.at, functionValue);
        if (entry.at.i < 0) {
            entry.refined = refined ? refined->value : entry.refined;
            entry.refinedError = refined ? 0 : entry.refinedError;
            entry.exact = exact ? ExactEntry{exact->value, ""} : ExactEntry{std::nullopt, NoExactResults};
        } else {
            if (refined)
                takeRefined(entry, *refined);
            entry.exact = exact ? exactEntry(entry.at, *exact) : ExactEntry{std::nullopt, NoExactResults};
        }
        results.entries.push_back(std::move(entry));
    }
    markClassicResults(results.entries);
    return results;
}

bool everyEntryExact(const ComputedResults& results)
{
    if (!results.exactKnown)
        return false;
    for (const ResultEntry& e : results.entries)
        if (!e.exact.value)
            return false;
    return true;
}

const ResultEntry& resultEntry(const ComputedResults& results, int i, int j)
{
    const auto n = static_cast<int>(results.point.size());
    if (i >= n || j >= n)
        throw std::out_of_range("no such derivative");
    return results.entries.at(listIndex(n, i, j));
}

}  // namespace slopekit
