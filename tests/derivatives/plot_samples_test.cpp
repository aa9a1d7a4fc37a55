#include "derivatives/plot_samples.h"
#include "derivatives/problem_fixture.h"
#include "errors/run_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace slopekit {
namespace {

// sqrt(x - 1) + y at (2, 5), sampled along x.
struct RootPlot {
    Dimension dim = testing::makeProblem({"x", "y"}, {2, 5});
    std::vector<std::vector<double>> points;  // every evaluation's Varx
    EvaluateAtVarx evaluate = [this] {
        points.push_back(dim.Varx);
        const double x = dim.Varx[0];
        return x < 1 ? throw RunError(errnum::InvalidCall, "Slopekit") : std::sqrt(x - 1) + dim.Varx[1];
    };
};

TEST(PlotAlong, SamplesEvenlyAcrossTheHalfWidthAroundThePoint)
{
    RootPlot root;
    const PlotData plot = plotAlong(root.dim, root.evaluate, 0, 2, 201);
    ASSERT_EQ(plot.samples.size(), 201u);
    EXPECT_EQ(plot.samples.front().x, 0) << "first sample";
    EXPECT_EQ(plot.samples[100].x, 2) << "middle sample";
    EXPECT_EQ(plot.samples.back().x, 4) << "last sample";
    EXPECT_EQ(plot.samples[50].y, 5) << "value at x = 1";
    EXPECT_EQ(plot.f0, 6) << "value at the point";
}

TEST(PlotAlong, LeavesAGapWhereTheFunctionFails)
{
    RootPlot root;
    const PlotData plot = plotAlong(root.dim, root.evaluate, 0, 2, 201);
    EXPECT_TRUE(std::isnan(plot.samples.at(49).y)) << "value at x = 0.98";
}

TEST(PlotAlong, HoldsTheOtherVariablesAtThePoint)
{
    RootPlot root;
    const PlotData plot = plotAlong(root.dim, root.evaluate, 0, 2, 201);
    ASSERT_EQ(plot.held.size(), 1u);
    EXPECT_EQ(plot.held[0].name, "y");
    EXPECT_EQ(plot.held[0].value, 5);
}

TEST(PlotAlong, PutsThePointBackAfterSampling)
{
    RootPlot root;
    plotAlong(root.dim, root.evaluate, 0, 2, 201);
    EXPECT_EQ(root.dim.Varx, (std::vector<double>{2, 5})) << "Varx";
    EXPECT_EQ(root.points.back(), (std::vector<double>{2, 5})) << "last evaluation";
}

TEST(PlotAlong, HoldsTheSampleCountTo200Through2000)
{
    RootPlot root;
    EXPECT_EQ(plotAlong(root.dim, root.evaluate, 1, 1, 3).samples.size(), 200u);
    EXPECT_EQ(plotAlong(root.dim, root.evaluate, 1, 1, 1000000).samples.size(), 2000u);
}

TEST(DefaultPlotRadius, IsHalfTheCoordinatesSizeAtLeast1)
{
    EXPECT_EQ(defaultPlotRadius(-6), 3);
    EXPECT_EQ(defaultPlotRadius(0.5), 1);
}

// The ends of the plot and its width stay finite numbers.
TEST(PlotRadiusWithinRange, NarrowsAHalfWidthWhoseEndsWouldPassTheLargestNumber)
{
    constexpr double Largest = std::numeric_limits<double>::max();
    struct Row {
        const char* name;
        double x0;
        double radius;
        double narrowed;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "ordinary", .x0 = 1, .radius = 2.5, .narrowed = 2.5},
        {.name = "end_beyond_the_largest_number", .x0 = 1.7e308, .radius = 8.5e307, .narrowed = Largest - 1.7e308},
        {.name = "negative_end_beyond", .x0 = -1.7e308, .radius = 8.5e307, .narrowed = Largest - 1.7e308},
        {.name = "width_beyond_the_largest_number", .x0 = 0, .radius = 1.5e308, .narrowed = Largest / 2},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(plotRadiusWithinRange(row.x0, row.radius), row.narrowed) << row.name << ": half-width";
}

TEST(PlotRadiusWithinRange, RefusesAHalfWidthThatCannotBeNarrowed)
{
    struct Row {
        const char* name;
        double x0;
        double radius;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "at_the_largest_number", .x0 = std::numeric_limits<double>::max(), .radius = 1},
        {.name = "too_small_to_tell_the_ends_apart", .x0 = 1e300, .radius = 1},
        {.name = "zero", .x0 = 1, .radius = 0},
        {.name = "not_a_number", .x0 = 1, .radius = std::nan("")},
        {.name = "infinite", .x0 = 1, .radius = std::numeric_limits<double>::infinity()},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_THROW(plotRadiusWithinRange(row.x0, row.radius), std::invalid_argument) << row.name;
}

}  // namespace
}  // namespace slopekit
