#include "derivatives/step_choice.h"

#include <algorithm>
#include <cmath>

namespace slopekit {
namespace {

// How far beyond both errors a later window must lie to contradict an earlier one: where
// noise takes over, three estimates may agree by chance, so a later error is no sure bound.
constexpr double Tolerance = 3;

}  // namespace

void StepChoice::add(std::optional<double> estimate, double floor, double fmax)
{
    if (!estimate) {
        m_previous[0].reset();
        m_previous[1].reset();
        return;
    }
    const Estimate current{*estimate, floor, fmax};
    if (m_previous[0] && m_previous[1]) {
        const double d1 = m_previous[0]->value, d0 = m_previous[1]->value;
        const double error = std::fabs(d0 - d1) + std::fabs(d1 - current.value) + floor;
        m_windows.push_back({current.value + (current.value - d1) / 15, error, fmax, true});
    }
    const double spread = m_previous[0] ? std::fabs(m_previous[0]->value - current.value) : 0.0;
    m_fallback = RefinedEntry{current.value, std::max(spread, std::fabs(current.value)) + floor, fmax, true};
    m_previous[1] = m_previous[0];
    m_previous[0] = current;
}

RefinedEntry StepChoice::result() const
{
    std::size_t best = m_windows.size();
    for (std::size_t k = 0; k < m_windows.size(); ++k) {
        const RefinedEntry& w = m_windows[k];
        if (best < m_windows.size() && w.error >= m_windows[best].error)
            continue;
        const bool confirmed = std::all_of(
            m_windows.begin() + static_cast<std::ptrdiff_t>(k) + 1, m_windows.end(), [&w](const RefinedEntry& later) {
                return std::fabs(later.value - w.value) <= Tolerance * (w.error + later.error);
            });
        if (confirmed)
            best = k;
    }
    if (best == m_windows.size())
        return m_fallback.value_or(RefinedEntry{});
    RefinedEntry chosen = m_windows[best];
    // A smaller step that disagrees beyond both errors (though within the tolerance) leaves
    // the value in doubt: the error widens to cover it.
    for (std::size_t j = best + 1; j < m_windows.size(); ++j) {
        const double apart = std::fabs(m_windows[j].value - chosen.value);
        if (apart > chosen.error + m_windows[j].error)
            chosen.error = std::max(chosen.error, apart + m_windows[j].error);
    }
    return chosen;
}

}  // namespace slopekit
