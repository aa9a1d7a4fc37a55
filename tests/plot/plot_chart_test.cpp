// The chart of the plot: its ranges, ticks and clipping, shared by the window and the SVG.
#include "plot/plot_chart.h"
#include "plot/plot_clip.h"
#include "plot/plot_range.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <sstream>

namespace slopekit {
namespace {

constexpr double Largest = std::numeric_limits<double>::max();
const double Gap = std::nan("");

// f sampled over x0 +- radius, with its value, slope and curvature at x0.
PlotData sampled(double (*f)(double), double x0, double radius, double slope = 0, double curvature = 0)
{
    PlotData plot{.variable = "x",
                  .held = {},
                  .x0 = x0,
                  .f0 = f(x0),
                  .slope = slope,
                  .curvature = curvature,
                  .radius = radius,
                  .samples = {}};
    for (int k = 0; k < DefaultPlotSamples; ++k) {
        const double t = static_cast<double>(k) / (DefaultPlotSamples - 1);
        const double x = (1 - t) * (x0 - radius) + t * (x0 + radius);
        plot.samples.push_back({x, std::isfinite(f(x)) ? f(x) : Gap});
    }
    return plot;
}

// The values y(k) at x = k for k = 0 .. count - 1, with no point marked.
PlotData samples(int count, double (*y)(int))
{
    PlotData plot{
        .variable = "x", .held = {}, .x0 = (count - 1) / 2.0, .f0 = Gap, .radius = (count - 1) / 2.0, .samples = {}};
    for (int k = 0; k < count; ++k)
        plot.samples.push_back({static_cast<double>(k), y(k)});
    return plot;
}

double tanOfTenX(double x) { return std::tan(10 * x); }
double hugeBell(double x) { return 1.7e308 * (1 - std::exp(-std::pow((x - 1000) / 200, 2))); }
double hugeLine(double x) { return x * 1.7e308; }
double largest(double) { return Largest; }
double narrowSpike(double x) { return 1000 * std::exp(-std::pow(x / 0.001, 2)); }
// tan(10x) over 0..2 with its tangent and parabola at x = 1.
const PlotData Poles =
    sampled(tanOfTenX, 1, 1, 10 / std::pow(std::cos(10.0), 2), 200 * std::tan(10.0) / std::pow(std::cos(10.0), 2));

QValueAxis* axis(QChart& chart, Qt::Orientation orientation)
{
    return qobject_cast<QValueAxis*>(chart.axes(orientation).at(0));
}

std::vector<QXYSeries*> seriesNamed(QChart& chart, const QString& name)
{
    std::vector<QXYSeries*> found;
    for (QAbstractSeries* series : chart.series())
        if (series->name() == name)
            found.push_back(static_cast<QXYSeries*>(series));
    return found;
}

TEST(PlotValueRange, HoldsTheInnerValuesAndAMarginOfATenth)
{
    // clang-format off
    struct Row { const char* name; PlotData plot; double low; double high; };
    const Row rows[] = {
        {.name = "outer_two_percent_left_out", .plot = samples(100, [](int k) { return k * 1.0; }), .low = -7.5, .high = 106.5},
        {.name = "flat", .plot = samples(100, [](int) { return 5.0; }), .low = 4.5, .high = 5.5},
        {.name = "no_value", .plot = samples(1, [](int) { return Gap; }), .low = -1, .high = 1},
    };
    // clang-format on
    for (const Row& row : rows) {
        EXPECT_DOUBLE_EQ(plotValueRange(row.plot).low, row.low) << row.name << ": low end";
        EXPECT_DOUBLE_EQ(plotValueRange(row.plot).high, row.high) << row.name << ": high end";
    }
}

// The chart measures places from the range's width, which must be a finite number.
TEST(PlotValueRange, HoldsThePointWithinAFiniteWidth)
{
    // clang-format off
    struct Row { const char* name; PlotData plot; };
    const Row rows[] = {
        {.name = "up_to_the_largest_number", .plot = sampled(hugeBell, 1000, 500)},
        {.name = "wider_than_the_largest_number", .plot = sampled(hugeLine, 0, 1, 1.7e308)},
        {.name = "at_the_largest_number", .plot = sampled(largest, 0, 1)},
        {.name = "the_point_on_a_narrow_spike", .plot = sampled(narrowSpike, 0, 1)},
        {.name = "the_point_in_a_narrow_dip", .plot = sampled([](double x) { return -narrowSpike(x); }, 0, 1)},
    };
    // clang-format on
    for (const Row& row : rows) {
        const ValueRange range = plotValueRange(row.plot);
        EXPECT_TRUE(std::isfinite(range.high - range.low)) << row.name << ": width";
        EXPECT_LE(range.low, row.plot.f0) << row.name << ": low end";
        EXPECT_GE(range.high, row.plot.f0) << row.name << ": high end";
    }
}

// Values wider apart than the largest number still show nearly all of the finite numbers.
TEST(PlotValueRange, ValuesBeyondAFiniteWidthAreNarrowedNoMoreThanNeeded)
{
    const ValueRange range = plotValueRange(sampled(hugeLine, 0, 1, 1.7e308));
    EXPECT_LT(range.low, -0.49 * Largest) << "low end";
    EXPECT_GT(range.high, 0.49 * Largest) << "high end";
}

TEST(RoundTicks, FallOnRoundNumbersWithDigitsToTellThemApart)
{
    // clang-format off
    struct Row { const char* name; ValueRange range; double anchor; double interval; int digits; };
    const Row rows[] = {
        {.name = "zero_between_the_ends", .range = {-2.5, 3.5}, .anchor = -2, .interval = 1, .digits = 6},
        {.name = "half_steps", .range = {-1.5, 1.5}, .anchor = -1.5, .interval = 0.5, .digits = 6},
        {.name = "up_to_the_largest_number", .range = {0, 1.7e308}, .anchor = 0, .interval = 5e307, .digits = 6},
        {.name = "whole_largest_range", .range = {-Largest, Largest}, .anchor = -1e308, .interval = 1e308, .digits = 6},
        {.name = "narrow_far_from_zero", .range = {999999.5, 1000000.5}, .anchor = 999999.6, .interval = 0.2, .digits = 8},
    };
    // clang-format on
    for (const Row& row : rows) {
        const AxisTicks ticks = roundTicks(row.range);
        EXPECT_DOUBLE_EQ(ticks.anchor, row.anchor) << row.name << ": anchor";
        EXPECT_DOUBLE_EQ(ticks.interval, row.interval) << row.name << ": interval";
        EXPECT_EQ(ticks.digits, row.digits) << row.name << ": digits";
    }
}

// The clipped line as text, "(x,y)-(x,y) | ..." a part, to four significant digits.
std::string drawn(const std::vector<PlotLine>& parts)
{
    std::ostringstream text;
    text.precision(4);
    for (std::size_t k = 0; k < parts.size(); ++k) {
        text << (k ? " | " : "");
        for (std::size_t i = 0; i < parts[k].size(); ++i)
            text << (i ? "-" : "") << "(" << parts[k][i].x << "," << parts[k][i].y << ")";
    }
    return text.str();
}

TEST(ClipToBox, KeepsOnlyThePartsInsideEndingOnTheEdges)
{
    // clang-format off
    struct Row { const char* name; PlotLine line; ValueRange ys; const char* parts; };
    const Row rows[] = {
        {.name = "out_at_the_top_and_back", .line = {{1, 5}, {2, 15}, {3, 5}}, .ys = {0, 10}, .parts = "(1,5)-(1.5,10) | (2.5,10)-(3,5)"},
        {.name = "across_from_below_to_above", .line = {{1, -10}, {3, 30}}, .ys = {0, 10}, .parts = "(1.5,0)-(2,10)"},
        {.name = "wholly_outside", .line = {{1, 20}, {2, 30}}, .ys = {0, 10}, .parts = ""},
        {.name = "beyond_the_sides", .line = {{-5, 5}, {15, 5}}, .ys = {0, 10}, .parts = "(0,5)-(10,5)"},
        {.name = "broken_by_a_gap", .line = {{1, 1}, {2, Gap}, {3, 3}, {4, 4}}, .ys = {0, 10}, .parts = "(3,3)-(4,4)"},
        {.name = "lowest_to_largest_number", .line = {{0, -Largest}, {10, Largest}}, .ys = {-Largest / 2, Largest / 2}, .parts = "(2.5,-8.988e+307)-(7.5,8.988e+307)"},
    };
    // clang-format on
    for (const Row& row : rows)
        EXPECT_EQ(drawn(clipToBox(row.line, {0, 10}, row.ys)), row.parts) << row.name;
}

// Nothing is drawn outside the plot area, whatever the curve, the tangent and the parabola do.
TEST(PlotChart, EverySeriesLiesWithinTheAxes)
{
    // clang-format off
    struct Row { const char* name; PlotData plot; };
    const Row rows[] = {
        {.name = "poles", .plot = Poles},
        {.name = "up_to_the_largest_number", .plot = sampled(hugeBell, 1000, 500, 0, 8.5e303)},
        {.name = "wider_than_the_largest_number", .plot = sampled(hugeLine, 0, 1, 1.7e308)},
    };
    // clang-format on
    for (const Row& row : rows) {
        const std::unique_ptr<QChart> chart(buildPlotChart(row.plot));
        const QValueAxis* x = axis(*chart, Qt::Horizontal);
        const QValueAxis* y = axis(*chart, Qt::Vertical);
        const auto within = [&](QPointF p) {
            return p.x() >= x->min() && p.x() <= x->max() && p.y() >= y->min() && p.y() <= y->max();
        };
        for (QAbstractSeries* series : chart->series())
            for (const QPointF& p : static_cast<QXYSeries*>(series)->points())
                ASSERT_TRUE(within(p)) << row.name << ": " << series->name().toStdString() << " at x = " << p.x();
    }
}

// Where the curve leaves the view it is drawn up to the view's edge, and from the edge where
// it comes back; the ends of the x range are edges too.
TEST(PlotChart, TheCurveLeavesAndReentersTheViewAtItsEdges)
{
    // clang-format off
    struct Row { const char* name; PlotData plot; };
    const Row rows[] = {
        {.name = "spike_above", .plot = samples(100, [](int k) { return k == 50 ? 1000.0 : 0.0; })},
        {.name = "dip_below", .plot = samples(100, [](int k) { return k == 50 ? -1000.0 : 0.0; })},
        {.name = "poles", .plot = Poles},
    };
    // clang-format on
    for (const Row& row : rows) {
        const std::unique_ptr<QChart> chart(buildPlotChart(row.plot));
        const QValueAxis* x = axis(*chart, Qt::Horizontal);
        const QValueAxis* y = axis(*chart, Qt::Vertical);
        const auto onEdge = [&](QPointF p) {
            const double near = 1e-9 * (y->max() - y->min());
            return p.x() == x->min() || p.x() == x->max() || std::fabs(p.y() - y->min()) < near ||
                   std::fabs(p.y() - y->max()) < near;
        };
        for (const QXYSeries* piece : seriesNamed(*chart, "f")) {
            EXPECT_TRUE(onEdge(piece->points().front())) << row.name << ": a piece begins inside the view";
            EXPECT_TRUE(onEdge(piece->points().back())) << row.name << ": a piece ends inside the view";
        }
    }
}

// Where the curve leaves the view on one side and comes back from the other, as at a pole,
// joining those samples would draw a wall that is not there: every piece passes a sample.
TEST(PlotChart, APoleBreaksTheCurveInsteadOfDrawingAWall)
{
    const std::unique_ptr<QChart> chart(buildPlotChart(Poles));
    const QValueAxis* y = axis(*chart, Qt::Vertical);
    const auto betweenTheEdges = [&](QPointF p) { return p.y() > y->min() && p.y() < y->max(); };
    for (const QXYSeries* piece : seriesNamed(*chart, "f"))
        EXPECT_TRUE(std::ranges::any_of(piece->points(), betweenTheEdges))
            << "a piece from x = " << piece->points().front().x() << " crosses the view without a sample";
}

// For f = x^2 + 1 at x = 1 the tangent is 2x and the Taylor parabola is f itself.
TEST(PlotChart, TheTaylorLinesFollowTheDerivativesAtThePoint)
{
    // clang-format off
    struct Row { const char* name; QString series; double (*line)(double); };
    const Row rows[] = {
        {.name = "tangent", .series = "Tangent", .line = [](double x) { return 2 * x; }},
        {.name = "parabola", .series = "Taylor parabola", .line = [](double x) { return x * x + 1; }},
    };
    // clang-format on
    const std::unique_ptr<QChart> chart(buildPlotChart(sampled([](double x) { return x * x + 1; }, 1, 1, 2, 2)));
    for (const Row& row : rows) {
        double farthest = 0;
        for (const QXYSeries* piece : seriesNamed(*chart, row.series))
            for (const QPointF& p : piece->points())
                farthest = std::max(farthest, std::fabs(p.y() - row.line(p.x())));
        EXPECT_LT(farthest, 1e-9) << row.name << ": the farthest point off the line";
    }
}

TEST(PlotChart, TheTitleNamesTheCoordinatesHeldFixed)
{
    PlotData plot = sampled(std::sin, 0, 1, 1);
    plot.held = {{"y", 2}, {"z", -0.5}};
    const std::unique_ptr<QChart> chart(buildPlotChart(plot));
    EXPECT_EQ(chart->title().toStdString(), "f along x through x = 0<br>held fixed: y = 2, z = -0.5");
}

// Each line is named once in the legend, however many parts the view cuts it into.
TEST(PlotChart, TheLegendNamesEachLineOnce)
{
    const std::unique_ptr<QChart> chart(buildPlotChart(Poles));
    chart->setGeometry(0, 0, 800, 600);  // the legend shows its markers once laid out
    const auto markers = chart->legend()->markers();
    for (const QString name : {"Tangent", "Taylor parabola", "f"}) {
        const auto shown = std::ranges::count_if(
            markers, [&](const QLegendMarker* m) { return m->isVisible() && m->label() == name; });
        EXPECT_EQ(shown, 1) << name.toStdString() << ": legend entries";
    }
}

TEST(PlotChart, TheLegendGivesThePointsCoordinateAndValue)
{
    const std::unique_ptr<QChart> chart(buildPlotChart(sampled(std::cos, 0, 1)));
    EXPECT_EQ(chart->series().back()->name().toStdString(), "Point x = 0, f = 1");
}

}  // namespace
}  // namespace slopekit
