#include "derivatives/plot_samples.h"

#include "errors/run_error.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace slopekit {
namespace {

// One evaluation at the current Varx; a failure of any kind is a gap.
double valueOrGap(const EvaluateAtVarx& evaluate)
{
    try {
        const double y = evaluate();
        return std::isfinite(y) ? y : std::numeric_limits<double>::quiet_NaN();
    } catch (const RunError&) {
        return std::numeric_limits<double>::quiet_NaN();
    }
}

}  // namespace

double defaultPlotRadius(double x0) { return std::max(1.0, std::fabs(x0) / 2); }

double plotRadiusWithinRange(double x0, double radius)
{
    if (!(radius > 0) || !std::isfinite(radius))
        throw std::invalid_argument("The half-width of the plot must be a positive number.");
    constexpr double Largest = std::numeric_limits<double>::max();
    radius = std::min({radius, Largest - std::fabs(x0), Largest / 2});
    if (!(radius > 0))
        throw std::invalid_argument("The plot cannot reach past the point: its coordinate is the largest number.");
    if (x0 - radius == x0 + radius)
        throw std::invalid_argument("The half-width is too small to tell the plot's ends from the point.");
    return radius;
}

PlotData plotAlong(Dimension& dim, const EvaluateAtVarx& evaluate, int index, double radius, int count)
{
    const auto i = static_cast<std::size_t>(index);
    radius = plotRadiusWithinRange(dim.Varx.at(i), radius);
    PlotData plot;
    plot.variable = dim.VarNams.at(i);
    for (std::size_t k = 0; k < static_cast<std::size_t>(dim.Order); ++k)
        if (k != i)
            plot.held.push_back({dim.VarNams.at(k), dim.Varx.at(k)});
    plot.x0 = dim.Varx.at(i);
    plot.slope = dim.Der1Val.at(i);
    plot.curvature = dim.Der2Val.at(i).at(i);
    plot.radius = radius;

    count = std::clamp(count, MinPlotSamples, MaxPlotSamples);
    plot.samples.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        // From both ends towards the middle, so the ends are exact whatever the rounding.
        const double t = static_cast<double>(k) / (count - 1);
        const double x = (1 - t) * (plot.x0 - radius) + t * (plot.x0 + radius);
        dim.Varx[i] = x;
        plot.samples.push_back({x, valueOrGap(evaluate)});
    }
    dim.Varx[i] = plot.x0;
    plot.f0 = valueOrGap(evaluate);
    return plot;
}

void useExactSlopes(PlotData& plot, const ComputedResults& results, int index)
{
    if (!everyEntryExact(results))
        return;
    plot.slope = *resultEntry(results, index, -1).exact.value;
    plot.curvature = *resultEntry(results, index, index).exact.value;
}

}  // namespace slopekit
