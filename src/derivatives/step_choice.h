#pragma once

#include <optional>
#include <vector>

namespace slopekit {

// One refined entry: the value and an error estimate meant as an upper bound of its error.
struct RefinedEntry {
    double value = 0;
    double error = 0;
    double fmax = 0;     // the largest |f| among the points behind the value
    bool found = false;  // false when no trial step gave an estimate at all
};

// Picks, for one entry, the step where the estimates of successive (halving) steps agree
// best. For every three consecutive estimates D0, D1, D2 (from the largest step down) the
// window's error is |D0 - D1| + |D1 - D2| plus the rounding floor of D2, and its value
// D2 + (D2 - D1) / 15, one Richardson step for a fourth-order formula at step ratio 2.
// The window with the smallest error wins among those whose value every window at smaller
// steps confirms (within both errors): at steps far too large a function can look flat
// (a narrow peak, a sine sampled near its period) and its estimates agree on a false
// value that the smaller steps then contradict.
// A step whose trial points failed breaks the run: only three good neighbours count.
class StepChoice {
public:
    // The estimate at the next smaller step, or nothing when a trial point failed there.
    // floor: the rounding error that estimate may carry; fmax: the largest |f| behind it.
    void add(std::optional<double> estimate, double floor, double fmax);

    // The chosen window's value and error. Without any window: the last estimate with an
    // error no smaller than the estimate itself, so that it cannot look sure.
    RefinedEntry result() const;

private:
    struct Estimate {
        double value, floor, fmax;
    };
    std::optional<Estimate> m_previous[2];  // the last two steps, most recent first
    std::vector<RefinedEntry> m_windows;    // from the largest step down
    std::optional<RefinedEntry> m_fallback;
};

}  // namespace slopekit
