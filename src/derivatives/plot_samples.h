#pragma once

#include "derivatives/compute_derivatives.h"
#include "derivatives/computed_results.h"
#include "problem/dimension.h"

#include <string>
#include <vector>

namespace slopekit {

struct PlotSample {
    double x;
    double y;  // NaN where the function failed: a gap in the curve
};

// A coordinate of the point that stays as it is along the plot.
struct HeldCoordinate {
    std::string name;
    double value = 0;
};

// The function along one variable through the point of the last computation, with what
// the tangent and the Taylor parabola need.
struct PlotData {
    std::string variable;
    std::vector<HeldCoordinate> held;  // the point's other coordinates, in order
    double x0 = 0;
    double f0 = 0;         // the value at the point
    double slope = 0;      // its first derivative along the variable
    double curvature = 0;  // its pure second derivative
    double radius = 0;
    std::vector<PlotSample> samples;  // evenly spaced over x0 - radius .. x0 + radius
};

inline constexpr int MinPlotSamples = 200;
inline constexpr int MaxPlotSamples = 2000;
inline constexpr int DefaultPlotSamples = 400;

// Half the width the plot first shows: one unit near the origin, half the coordinate's
// size further out, so the curve is seen on the coordinate's own scale.
double defaultPlotRadius(double x0);

// The half-width narrowed so that both ends of the plot and its width are finite numbers.
// Throws std::invalid_argument, with the message for the user, for a radius that is not a
// positive finite number, and where no half-width would leave ends apart from x0 (x0 at
// the largest number, or a radius too small to tell the ends from it).
double plotRadiusWithinRange(double x0, double radius);

// Samples the function along variable `index` of the computed point (Varx, Der1Val and
// Der2Val as the last computation left them) over x0 +- the radius narrowed as above,
// with `count` samples held to 200..2000. An evaluation that fails gives a gap, never an
// error. Varx is exactly as it was afterwards, and the last evaluation is at the point,
// so the engine holds it too.
PlotData plotAlong(Dimension& dim, const EvaluateAtVarx& evaluate, int index, double radius,
                   int count = DefaultPlotSamples);

// When every entry of the computation has an exact value, the tangent and the parabola
// take the exact slope and curvature along variable `index`; otherwise they stay classic.
void useExactSlopes(PlotData& plot, const ComputedResults& results, int index);

}  // namespace slopekit
