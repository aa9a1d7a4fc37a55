#pragma once

#include "derivatives/plot_samples.h"

#include <QSize>

#include <optional>
#include <string>

class QChart;
class QPaintDevice;

namespace slopekit {

// The default size of a saved picture, in pixels.
inline constexpr QSize PlotPictureSize(800, 520);

// A new chart of the function along the variable: the curve with a gap wherever the function
// failed, its tangent and second-order Taylor parabola at the point, and the point marked.
// The caller owns it.
QChart* buildPlotChart(const PlotData& plot);

// The chart drawn on a paint device of the given size.
void drawPlot(const PlotData& plot, QSize size, QPaintDevice& device);

// The chart as a PNG or SVG file of the given size. Gives the message on failure, when any
// earlier file of that name is unchanged.
std::optional<std::string> savePlotPng(const PlotData& plot, QSize size, const std::string& path);
std::optional<std::string> savePlotSvg(const PlotData& plot, QSize size, const std::string& path);

}  // namespace slopekit
