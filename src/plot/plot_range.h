#pragma once

#include "derivatives/plot_samples.h"

namespace slopekit {

struct ValueRange {
    double low;
    double high;
};

// The values the plot shows: the bulk of the finite samples and the point, with a margin
// that stays within the finite numbers. A few samples racing off towards a pole do not
// flatten the rest of the curve into a line.
ValueRange plotValueRange(const PlotData& plot);

// Ticks on round numbers (1, 2 or 5 times a power of ten apart, at whole multiples of that
// step), about `count` of them across the range, and the significant digits their labels
// need to tell neighbours apart, at least six.
struct AxisTicks {
    double anchor;  // a tick, a multiple of the interval within the range
    double interval;
    int digits;
};
AxisTicks roundTicks(ValueRange range, int count = 6);

}  // namespace slopekit
