#pragma once

#include "derivatives/plot_samples.h"

namespace slopekit {

struct ValueRange {
    double low;
    double high;
};

// The values the plot shows: the bulk of the curve and the point, with a margin. A few
// samples racing off towards a pole do not flatten the rest of the curve into a line.
ValueRange plotValueRange(const PlotData& plot);

}  // namespace slopekit
