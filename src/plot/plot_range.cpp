#include "plot/plot_range.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace slopekit {
namespace {

constexpr double Largest = std::numeric_limits<double>::max();

// Half the distance between two finite numbers, which is finite even when the distance
// itself is not.
double halfSpan(ValueRange range) { return range.high / 2 - range.low / 2; }

}  // namespace

ValueRange plotValueRange(const PlotData& plot)
{
    std::vector<double> values;
    for (const PlotSample& s : plot.samples)
        if (std::isfinite(s.y))
            values.push_back(s.y);
    if (std::isfinite(plot.f0))
        values.push_back(plot.f0);
    if (values.empty())
        return {-1, 1};
    std::sort(values.begin(), values.end());
    // The outer 2% on each side may be the steep walls of a pole.
    const std::size_t cut = values.size() / 50;
    double low = values[cut];
    double high = values[values.size() - 1 - cut];
    if (std::isfinite(plot.f0)) {
        low = std::min(low, plot.f0);
        high = std::max(high, plot.f0);
    }
    // The chart measures places from the range's width, which must be a finite number:
    // values wider apart than the largest number are cut to a window around the point.
    if (!std::isfinite(high - low)) {
        const double centre = std::isfinite(plot.f0) ? plot.f0 : values[values.size() / 2];
        constexpr double Half = 0.49 * Largest;
        low = std::max(low, centre - Half);
        high = std::min(high, centre + Half);
    }
    const double span = high - low;
    const double roomLeft = std::isfinite(span) ? 0.49 * (Largest - span) : 0;
    const double margin = std::min(span > 0 ? span / 10 : std::max(1.0, std::fabs(low)) / 10, roomLeft);
    return {std::max(low - margin, -Largest), std::min(high + margin, Largest)};
}

AxisTicks roundTicks(ValueRange range, int count)
{
    const double raw = halfSpan(range) * (2.0 / count);  // the width over count, which cannot overflow
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double leading = raw / power;
    const double interval = (leading <= 1 ? 1 : leading <= 2 ? 2 : leading <= 5 ? 5 : 10) * power;
    const double anchor = std::ceil(range.low / interval) * interval;
    const double magnitude = std::max(std::fabs(range.low), std::fabs(range.high));
    const int apart = static_cast<int>(std::floor(std::log10(magnitude)) - std::floor(std::log10(interval))) + 1;
    // At least six, so that numbers below a million read in plain form.
    return {anchor, interval, std::clamp(apart, 6, 17)};
}

}  // namespace slopekit
