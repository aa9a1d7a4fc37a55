#include "derivatives/plot_samples.h"
#include "derivatives/problem_fixture.h"
#include "errors/run_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <tuple>

namespace slopekit {
namespace {

// sqrt(x - 1) + y at (2, 5).
TEST(PlotAlong, SamplesEvenlyWithGapsWhereTheFunctionFails)
{
    Dimension dim = testing::makeProblem({"x", "y"}, {2, 5});
    std::vector<std::vector<double>> points;
    const EvaluateAtVarx evaluate = [&] {
        points.push_back(dim.Varx);
        const double x = dim.Varx[0];
        return x < 1 ? throw RunError(errnum::InvalidCall, "Slopekit") : std::sqrt(x - 1) + dim.Varx[1];
    };
    const PlotData plot = plotAlong(dim, evaluate, 0, 2, 201);
    ASSERT_EQ(plot.samples.size(), 201u);
    EXPECT_EQ(std::tuple(plot.samples.front().x, plot.samples[100].x, plot.samples.back().x), std::tuple(0, 2, 4));
    EXPECT_TRUE(std::isnan(plot.samples[49].y));  // x = 0.98
    EXPECT_EQ(plot.samples[50].y, 5);             // x = 1
    EXPECT_EQ(plot.f0, 6);
    EXPECT_EQ(dim.Varx, (std::vector<double>{2, 5}));
    EXPECT_EQ(points.back(), (std::vector<double>{2, 5}));
    // The count is held to 200 through 2000; the half-width must be a positive number, by
    // default half the coordinate's size, at least 1.
    EXPECT_EQ(plotAlong(dim, evaluate, 1, 1, 3).samples.size(), 200u);
    EXPECT_EQ(plotAlong(dim, evaluate, 1, 1, 1000000).samples.size(), 2000u);
    EXPECT_THROW(plotAlong(dim, evaluate, 1, 0), std::invalid_argument);
    EXPECT_THROW(plotAlong(dim, evaluate, 1, NAN), std::invalid_argument);
    EXPECT_EQ(defaultPlotRadius(-6), 3);
    EXPECT_EQ(defaultPlotRadius(0.5), 1);
}

}  // namespace
}  // namespace slopekit
