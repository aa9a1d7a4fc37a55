#include "shell/plot/plot_range.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace slopekit {

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
    const double margin = high > low ? (high - low) / 10 : std::max(1.0, std::fabs(low)) / 10;
    return {low - margin, high + margin};
}

}  // namespace slopekit
