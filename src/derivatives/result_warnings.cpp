#include "derivatives/result_warnings.h"

#include "numbers/number_text.h"

#include <charconv>
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

double classicEntry(const Dimension& dim, const ListEntry& e)
{
    return e.j < 0 ? dim.Der1Val[e.i] : dim.Der2Val[e.i][e.j];
}

// An error estimate with two significant digits ("1.2E-13", "0.0034").
std::string twoDigits(double value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 1).ptr;
    double rounded = value;
    std::from_chars(text, end, rounded);
    return displayForm(rounded);
}

const char* const NoValue = "no value: the function fails at every trial step";

}  // namespace

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

std::vector<bool> classicWarnings(const Dimension& dim, const RefinedDerivatives& refined)
{
    std::vector<bool> marks;
    for (const ListEntry& e : listEntries(dim.Order)) {
        if (e.i < 0) {
            marks.push_back(false);
            continue;
        }
        const Refined r = refinedEntry(refined, e);
        const double off = std::fabs(classicEntry(dim, e) - r.value);
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
        const std::string value = std::isfinite(r.value) ? displayForm(r.value) + " ± " + twoDigits(r.error) : NoValue;
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
    return "May be inaccurate. Refined value: " + displayForm(r.value) + " ± " + twoDigits(r.error);
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
