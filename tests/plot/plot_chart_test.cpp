// The chart of the plot: its ranges, ticks and clipping, shared by the window and the SVG.
#include "plot/plot_chart.h"
#include "plot/plot_clip.h"
#include "plot/plot_range.h"

#include <QChart>
#include <QFile>
#include <QGraphicsScene>
#include <QImage>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <sstream>

namespace slopekit {
namespace {

constexpr double Largest = std::numeric_limits<double>::max();

// f sampled over x0 +- radius, with its value, slope and curvature at x0.
PlotData sampled(double (*f)(double), double x0, double radius, double slope, double curvature)
{
    PlotData plot;
    plot.variable = "x";
    plot.x0 = x0;
    plot.f0 = f(x0);
    plot.slope = slope;
    plot.curvature = curvature;
    plot.radius = radius;
    for (int k = 0; k < DefaultPlotSamples; ++k) {
        const double t = static_cast<double>(k) / (DefaultPlotSamples - 1);
        const double x = (1 - t) * (x0 - radius) + t * (x0 + radius);
        const double y = f(x);
        plot.samples.push_back({x, std::isfinite(y) ? y : std::nan("")});
    }
    return plot;
}

double tanOfTenX(double x) { return std::tan(10 * x); }
double hugeBell(double x) { return 1.7e308 * (1 - std::exp(-std::pow((x - 1000) / 200, 2))); }
double hugeLine(double x) { return x * 1.7e308; }

QValueAxis* axis(QChart& chart, Qt::Orientation orientation)
{
    return qobject_cast<QValueAxis*>(chart.axes(orientation).at(0));
}

// The outer 2% of the values on each side are left out, and a tenth of the range is added.
TEST(PlotValueRange, LeavesOutTheOuterValuesAndAddsAMargin)
{
    PlotData rising, flat, none;
    rising.f0 = 50, flat.f0 = 5, none.f0 = std::nan("");  // with f0, 101 values: 2 left out on each side
    for (int k = 0; k < 100; ++k)
        rising.samples.push_back({double(k), double(k)}), flat.samples.push_back({double(k), 5});
    none.samples = {{0, std::nan("")}};
    for (const auto& [name, plot, low, high] :
         {std::tuple{"rising", rising, -7.5, 106.5}, {"flat", flat, 4.5, 5.5}, {"no_value", none, -1.0, 1.0}}) {
        EXPECT_EQ(plotValueRange(plot).low, low) << name;
        EXPECT_EQ(plotValueRange(plot).high, high) << name;
    }
}

// Values up to the largest number give a range whose ends and width are finite numbers,
// holding the point.
TEST(PlotValueRange, StaysWithinTheFiniteNumbersAndHoldsThePoint)
{
    struct Row { const char* name; PlotData plot; };
    const Row rows[] = {
        {"up_to_the_largest_number", sampled(hugeBell, 1000, 500, 0, 8.5e303)},
        {"wider_than_the_largest_number", sampled(hugeLine, 0, 1, 1.7e308, 0)},
        {"at_the_largest_number", sampled([](double) { return Largest; }, 0, 1, 0, 0)},
    };
    for (const Row& row : rows) {
        const ValueRange range = plotValueRange(row.plot);
        EXPECT_TRUE(std::isfinite(range.high - range.low)) << row.name;
        EXPECT_LE(range.low, row.plot.f0) << row.name;
        EXPECT_GE(range.high, row.plot.f0) << row.name;
        EXPECT_LT(range.low, range.high) << row.name;
    }
}

TEST(RoundTicks, FallOnRoundNumbersWithDigitsToTellThemApart)
{
    struct Row { const char* name; ValueRange range; double anchor; double interval; int digits; };
    const Row rows[] = {
        {"zero_between_the_ends", {-2.5, 3.5}, -2, 1, 6},
        {"half_steps", {-1.5, 1.5}, -1.5, 0.5, 6},
        {"up_to_the_largest_number", {0, 1.7e308}, 0, 5e307, 6},
        {"whole_largest_range", {-Largest, Largest}, -1e308, 1e308, 6},
        {"narrow_far_from_zero", {999999.5, 1000000.5}, 999999.6, 0.2, 8},
    };
    for (const Row& row : rows) {
        const AxisTicks ticks = roundTicks(row.range);
        EXPECT_DOUBLE_EQ(ticks.anchor, row.anchor) << row.name;
        EXPECT_DOUBLE_EQ(ticks.interval, row.interval) << row.name;
        EXPECT_EQ(ticks.digits, row.digits) << row.name;
    }
}

// The clipped parts as text: "(x,y)-(x,y) | ...", to four significant digits.
std::string partsText(const std::vector<PlotLine>& parts)
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
    const double gap = std::nan("");
    struct Row { const char* name; PlotLine line; ValueRange ys; const char* parts; };
    const Row rows[] = {
        {"inside", {{1, 1}, {2, 2}, {3, 1}}, {0, 10}, "(1,1)-(2,2)-(3,1)"},
        {"out_at_the_top_and_back", {{1, 5}, {2, 15}, {3, 5}}, {0, 10}, "(1,5)-(1.5,10) | (2.5,10)-(3,5)"},
        {"across_from_below_to_above", {{1, -10}, {3, 30}}, {0, 10}, "(1.5,0)-(2,10)"},
        {"wholly_outside", {{1, 20}, {2, 30}}, {0, 10}, ""},
        {"beyond_the_sides", {{-5, 5}, {15, 5}}, {0, 10}, "(0,5)-(10,5)"},
        {"broken_by_a_gap", {{1, 1}, {2, gap}, {3, 3}, {4, 4}}, {0, 10}, "(3,3)-(4,4)"},
        {"from_the_lowest_to_the_largest_number", {{0, -Largest}, {10, Largest}}, {-Largest / 2, Largest / 2},
         "(2.5,-8.988e+307)-(7.5,8.988e+307)"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(partsText(clipToBox(row.line, {0, 10}, row.ys)), row.parts) << row.name;
}

// Whatever the curve, the tangent and the parabola do, every point of every series lies
// within the axes, so nothing is drawn outside the plot area; the axes stay finite.
TEST(PlotChart, EverySeriesLiesWithinFiniteAxes)
{
    struct Row { const char* name; PlotData plot; };
    const Row rows[] = {
        {"poles", sampled(tanOfTenX, 1, 1, 10 / std::pow(std::cos(10.0), 2), 200 * std::tan(10.0) / std::pow(std::cos(10.0), 2))},
        {"up_to_the_largest_number", sampled(hugeBell, 1000, 500, 0, 8.5e303)},
        {"wider_than_the_largest_number", sampled(hugeLine, 0, 1, 1.7e308, 0)},
    };
    for (const Row& row : rows) {
        const std::unique_ptr<QChart> chart(buildPlotChart(row.plot));
        const QValueAxis* x = axis(*chart, Qt::Horizontal);
        const QValueAxis* y = axis(*chart, Qt::Vertical);
        EXPECT_TRUE(std::isfinite(x->max() - x->min())) << row.name;
        EXPECT_TRUE(std::isfinite(y->max() - y->min())) << row.name;
        int outside = 0;
        for (QAbstractSeries* series : chart->series())
            for (const QPointF& p : static_cast<QXYSeries*>(series)->points())
                outside += p.x() < x->min() || p.x() > x->max() || p.y() < y->min() || p.y() > y->max();
        EXPECT_EQ(outside, 0) << row.name;
    }
}

// The title names the coordinates held fixed; the legend tells the point's coordinate and
// value apart.
TEST(PlotChart, TheTitleNamesTheHeldCoordinatesAndTheLegendThePoint)
{
    PlotData plot = sampled(std::sin, 0, 1, 1, 0);
    plot.held = {{"y", 2}, {"z", -0.5}};
    const std::unique_ptr<QChart> chart(buildPlotChart(plot));
    EXPECT_EQ(chart->title().toStdString(), "f along x through x = 0<br>held fixed: y = 2, z = -0.5");
    EXPECT_EQ(chart->series().back()->name().toStdString(), "Point x = 0, f = 0");
}

// The picture file draws nothing of the series outside the plot area: the title above it
// and the axis labels beside it stay clear of the series' colours.
TEST(PlotChart, TheSvgDrawsNoSeriesOutsideThePlotArea)
{
    const PlotData plot = sampled(tanOfTenX, 1, 1, 10 / std::pow(std::cos(10.0), 2), 200 * std::tan(10.0) / std::pow(std::cos(10.0), 2));
    QTemporaryDir dir;
    const std::string path = dir.filePath("tan.svg").toStdString();
    ASSERT_EQ(savePlotSvg(plot, PlotPictureSize, path), std::nullopt);
    QImage picture(PlotPictureSize, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    QSvgRenderer(QString::fromStdString(path)).render(&painter);
    painter.end();

    QGraphicsScene scene;
    QChart* chart = buildPlotChart(plot);
    scene.addItem(chart);
    chart->setGeometry(0, 0, PlotPictureSize.width(), PlotPictureSize.height());
    const QRect area = chart->plotArea().toAlignedRect().adjusted(-4, -4, 4, 4);  // a broad pen's half-width
    const auto seriesColour = [](QRgb c) {
        return qBlue(c) > 150 && qRed(c) < 80 ? "curve" : qRed(c) > 200 && qBlue(c) < 60 && qGreen(c) < 150 ? "tangent" : "";
    };
    int stray = 0;
    for (int y = 0; y < area.top(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            stray += *seriesColour(picture.pixel(x, y)) != '\0';
    for (int y = area.top(); y < area.bottom(); ++y)
        for (int x = 0; x < area.left(); ++x)
            stray += *seriesColour(picture.pixel(x, y)) != '\0';
    EXPECT_EQ(stray, 0);
    QFile svg(QString::fromStdString(path));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QByteArray text = svg.readAll();
    EXPECT_FALSE(text.contains("inf"));
}

}  // namespace
}  // namespace slopekit
