#include "derivatives/result_warnings.h"

#include "derivatives/result_views.h"
#include "numbers/number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace slopekit {
namespace {

// An exact value this small beside the largest of its kind is the rounding of a zero
// (-2.2E-16 beside 1E6): it gives no scale of its own. Kept at rounding level, so that the
// 200 beside 1.2E15 of a Rosenbrock function far out is still a size.
constexpr double RoundingOfZero = 16 * std::numeric_limits<double>::epsilon();

struct Reference {
    double value;
    bool exact;
};

// A refined value within its error of zero is a zero reference too: 6E-20 ± 4E-17.
Reference referenceOf(const ResultEntry& e, double largest)
{
    if (e.exact.value)
        return {std::fabs(*e.exact.value) <= RoundingOfZero * largest ? 0.0 : *e.exact.value, true};
    return {std::fabs(e.refined) <= e.refinedError ? 0.0 : e.refined, false};
}

double referenceValue(const ResultEntry& e) { return e.exact.value ? *e.exact.value : e.refined; }

bool second(const ResultEntry& e) { return e.at.j >= 0; }

}  // namespace

void markClassicResults(std::vector<ResultEntry>& entries)
{
    double largest[2] = {0, 0};  // the gradient's and the Hessian's
    for (const ResultEntry& e : entries) {
        const double reference = referenceValue(e);
        if (e.at.i >= 0 && std::isfinite(reference))
            largest[second(e)] = std::max(largest[second(e)], std::fabs(reference));
    }
    for (ResultEntry& e : entries) {
        const Reference reference = referenceOf(e, largest[second(e)]);
        if (e.at.i < 0 || !std::isfinite(reference.value)) {
            e.marked = e.at.i >= 0;
            continue;
        }
        const double fallback = largest[second(e)] > 0 ? largest[second(e)] : 1;
        const double size = reference.value != 0 ? std::fabs(reference.value) : fallback;
        const double off = std::fabs(e.classic - reference.value);
        // Where no derivative exists, a refined value that cannot vouch for itself cannot
        // vouch for the classic one either.
        const bool unvouched = !reference.exact && e.refinedUnreliable;
        e.marked = unvouched || (off > ReliableTolerance * size && (reference.exact || off > e.refinedError));
    }
}

std::string warningTip(const ResultEntry& e)
{
    if (e.exact.value)
        return "May be inaccurate. Exact value: " + displayForm(*e.exact.value);
    // The reason the exact value is missing says more than the refinement can.
    const std::string head = e.exact.reason.empty() || e.exact.reason == NoExactResults
                                 ? "May be inaccurate"
                                 : "May be inaccurate (" + e.exact.reason + ")";
    if (!std::isfinite(e.refined))
        return head + ": the refinement found no value (the function fails at every trial step).";
    return head + ". Refined value: " + refinedText(e.refined, e.refinedError);
}

std::string unreliableTip(const ResultEntry& e)
{
    if (!std::isfinite(e.refined))
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
