#include "plot/plot_clip.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

namespace slopekit {
namespace {

bool finite(PlotPoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

// The point a fraction t of the way from a to b, without forming b - a, which may
// overflow; held in the box against rounding.
PlotPoint along(PlotPoint a, PlotPoint b, double t, ValueRange xs, ValueRange ys)
{
    return {std::clamp((1 - t) * a.x + t * b.x, xs.low, xs.high), std::clamp((1 - t) * a.y + t * b.y, ys.low, ys.high)};
}

// Liang and Barsky: the part [t0, t1] of the segment from a to b inside the box, if any.
// The differences are taken in halves, which cannot overflow; the ratios are the same.
std::optional<std::pair<double, double>> insidePart(PlotPoint a, PlotPoint b, ValueRange xs, ValueRange ys)
{
    const double dx = b.x / 2 - a.x / 2;
    const double dy = b.y / 2 - a.y / 2;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x / 2 - xs.low / 2, xs.high / 2 - a.x / 2, a.y / 2 - ys.low / 2, ys.high / 2 - a.y / 2};
    double t0 = 0;
    double t1 = 1;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return std::nullopt;  // parallel to this edge and outside it
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1)
        return std::nullopt;
    return std::pair(t0, t1);
}

}  // namespace

std::vector<PlotLine> clipToBox(const PlotLine& line, ValueRange xs, ValueRange ys)
{
    std::vector<PlotLine> parts;
    PlotLine current;
    const auto finish = [&] {
        if (current.size() > 1)
            parts.push_back(std::move(current));
        current.clear();
    };
    for (std::size_t k = 1; k < line.size(); ++k) {
        const PlotPoint a = line[k - 1];
        const PlotPoint b = line[k];
        const auto part = finite(a) && finite(b) ? insidePart(a, b, xs, ys) : std::nullopt;
        if (!part) {
            finish();
            continue;
        }
        if (part->first > 0)
            finish();  // enters the box here
        if (current.empty())
            current.push_back(along(a, b, part->first, xs, ys));
        current.push_back(along(a, b, part->second, xs, ys));
        if (part->second < 1)
            finish();  // leaves the box here
    }
    finish();
    return parts;
}

}  // namespace slopekit
