#include "derivatives/plot_samples.h"
#include "derivatives/problem_fixture.h"
#include "errors/run_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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
    ASSERT_EQ(plot.held.size(), 1u);
    EXPECT_EQ(std::tuple(plot.held[0].name, plot.held[0].value), std::tuple("y", 5));
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

// The ends of the plot and its width stay finite numbers: a half-width that would pass
// the largest number is narrowed, and one that cannot be is refused.
TEST(PlotRadiusWithinRange, NarrowsAHalfWidthWhoseEndsWouldOverflowAndRefusesWhatCannotBeNarrowed)
{
    constexpr double Largest = std::numeric_limits<double>::max();
    struct Row { const char* name; double x0; double radius; double narrowed; /* 0: refused */ };
    const Row rows[] = {
        {"ordinary", 1, 2.5, 2.5},
        {"end_beyond_the_largest_number", 1.7e308, 8.5e307, Largest - 1.7e308},
        {"negative_end_beyond", -1.7e308, 8.5e307, Largest - 1.7e308},
        {"width_beyond_the_largest_number", 0, 1.5e308, Largest / 2},
        {"at_the_largest_number", Largest, 1, 0},
        {"too_small_to_tell_the_ends_apart", 1e300, 1, 0},
        {"zero", 1, 0, 0},
        {"not_a_number", 1, std::nan(""), 0},
        {"infinite", 1, std::numeric_limits<double>::infinity(), 0},
    };
    for (const Row& row : rows) {
        if (row.narrowed == 0) {
            EXPECT_THROW(plotRadiusWithinRange(row.x0, row.radius), std::invalid_argument) << row.name;
            continue;
        }
        EXPECT_EQ(plotRadiusWithinRange(row.x0, row.radius), row.narrowed) << row.name;
    }
}

}  // namespace
}  // namespace slopekit
