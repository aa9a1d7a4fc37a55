#include "derivatives/result_warnings.h"

#include "numbers/number_text.h"

#include <cmath>

namespace slopekit {
namespace {

struct Refined {
    double value, error, size;
    bool unreliable;
};

Refined refinedEntry(const RefinedDerivatives& r, const ListEntry& e)
{
    const auto i = static_cast<std::size_t>(e.i);
    if (e.j < 0)
        return {r.gradient[i], r.gradientError[i], r.gradientSize[i], r.gradientUnreliable[i]};
    const auto j = static_cast<std::size_t>(e.j);
    return {r.hessian[i][j], r.hessianError[i][j], r.hessianSize[i][j], r.hessianUnreliable[i][j]};
}

const char* const NoValue = "no value: the function fails at every trial step";

}  // namespace

std::vector<bool> classicWarnings(const Dimension& dim, const RefinedDerivatives& refined)
{
    std::vector<bool> marks;
    for (const ListEntry& e : listEntries(dim.Order)) {
        if (e.i < 0) {
            marks.push_back(false);
            continue;
        }
        const Refined r = refinedEntry(refined, e);
        const double off = std::fabs(classicValue(dim, e, refined.value) - r.value);
        marks.push_back(r.unreliable || !(off <= ReliableTolerance * r.size));
    }
    return marks;
}

std::vector<std::string> refinedLines(const Dimension& dim, const RefinedDerivatives& refined)
{
    std::vector<std::string> lines;
    for (const ListEntry& e : listEntries(dim.Order)) {
        if (e.i < 0) {
            lines.push_back("Function = " + displayForm(refined.value));
            continue;
        }
        const Refined r = refinedEntry(refined, e);
        const std::string value =
            std::isfinite(r.value) ? displayForm(r.value) + " ± " + displayForm(twoSignificantDigits(r.error)) : NoValue;
        lines.push_back(entryLabel(dim, e) + " = " + value);
    }
    return lines;
}

bool refinedUnreliable(const RefinedDerivatives& refined, const ListEntry& e)
{
    return e.i >= 0 && refinedEntry(refined, e).unreliable;
}

std::string warningTip(const RefinedDerivatives& refined, const ListEntry& e)
{
    const Refined r = refinedEntry(refined, e);
    if (!std::isfinite(r.value))
        return "May be inaccurate: the refinement found no value (the function fails at every trial step).";
    return "May be inaccurate. Refined value: " + displayForm(r.value) + " ± " +
           displayForm(twoSignificantDigits(r.error));
}

std::string unreliableTip(const RefinedDerivatives& refined, const ListEntry& e)
{
    if (!std::isfinite(refinedEntry(refined, e).value))
        return "No value: the function fails at every trial step.";
    return "May be inaccurate: the estimates at different steps do not agree to a millionth.";
}

std::string warningStatus(int marked)
{
    if (marked == 0)
        return "";
    return std::to_string(marked) + (marked == 1 ? " result may be inaccurate" : " results may be inaccurate");
}

}  // namespace slopekit
