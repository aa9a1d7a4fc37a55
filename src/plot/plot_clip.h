#pragma once

#include "plot/plot_range.h"

#include <vector>

namespace slopekit {

struct PlotPoint {
    double x;
    double y;
};
using PlotLine = std::vector<PlotPoint>;

// The parts of a polyline that lie inside the box, each ending where the line crosses the
// box's edge, so that nothing is ever drawn outside the plot area (the SVG painter does
// not clip). A point that is not finite breaks the line. Safe for coordinates anywhere in
// the finite range.
std::vector<PlotLine> clipToBox(const PlotLine& line, ValueRange xs, ValueRange ys);

}  // namespace slopekit
