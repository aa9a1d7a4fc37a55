#include "derivatives/compute_derivatives.h"
#include "derivatives/derivative_labels.h"
#include "errors/run_error.h"
#include "derivatives/problem_fixture.h"
#include "numbers/locale_guard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace slopekit {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::StartsWith;
using testing::LocaleGuard;
using testing::LoggingEvaluator;
using testing::makeProblem;

// Each logged point as the displacement of every coordinate in units of its small step.
std::vector<std::string> displacements(const std::vector<std::vector<double>>& points,
                                       const std::vector<double>& point, const std::vector<double>& steps)
{
    std::vector<std::string> out;
    for (const auto& p : points) {
        std::string text;
        for (std::size_t k = 0; k < p.size(); ++k) {
            const double units = (p[k] - point[k]) / steps[k];
            EXPECT_NEAR(units, std::round(units), 1e-6) << "coordinate " << k;
            text += (k ? " " : "") + std::to_string(static_cast<int>(std::round(units)));
        }
        out.push_back(text);
    }
    return out;
}

double linear(const std::vector<double>& v)
{
    double sum = 0;
    for (std::size_t k = 0; k < v.size(); ++k)
        sum += static_cast<double>(k + 1) * v[k];
    return sum;
}

TEST(ComputeDerivatives, OneVariableTakesTenEvaluationsAtTheSpecifiedSteps)
{
    LocaleGuard point(".", ",");
    for (double x0 : {-0.75, 1.0, 0.0}) {  // |x| <= 1: the steps are Step and HalfStep themselves
        Dimension dim = makeProblem({"x"}, {x0});
        BuildLabels(dim);
        LoggingEvaluator f(dim, [](const std::vector<double>& v) { return v[0] * v[0]; });
        const auto lines = ComputeDerivatives(dim, std::ref(f));
        EXPECT_THAT(displacements(f.points, {x0}, {0.00015}),
                    ElementsAre("-2", "-1", "0", "1", "2", "-2", "-1", "1", "2", "0"));
        ASSERT_EQ(f.points.size(), 10u);
        EXPECT_EQ(f.points[0][0], x0 - 0.0003);
        EXPECT_EQ(f.points[1][0], x0 - 0.00015);
        EXPECT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[0], "Function = " + std::string(x0 == 0 ? "0" : x0 == 1 ? "1" : "0.5625"));
    }
}

TEST(ComputeDerivatives, LargeCoordinateScalesBothStepsOfItsVariableOnly)
{
    Dimension dim = makeProblem({"x", "y"}, {-2000.0, 0.5});
    BuildLabels(dim);
    LoggingEvaluator f(dim, linear);
    ComputeDerivatives(dim, std::ref(f));
    const auto moves = displacements(f.points, {-2000.0, 0.5}, {0.3, 0.00015});
    ASSERT_EQ(moves.size(), 35u);
    EXPECT_THAT(std::vector<std::string>(moves.begin(), moves.begin() + 7),
                ElementsAre("-2 0", "-1 0", "0 0", "1 0", "2 0", "0 -2", "0 -1"));
    EXPECT_EQ(dim.Step, 0.0003);
    EXPECT_EQ(dim.HalfStep, 0.00015);
}

TEST(ComputeDerivatives, TwoVariablesEvaluateInTheSpecifiedOrder)
{
    Dimension dim = makeProblem({"x", "y"}, {1.0, 2.0});
    BuildLabels(dim);
    LoggingEvaluator f(dim, linear);
    ComputeDerivatives(dim, std::ref(f));
    // Pure x, pure y, the pair with y outside and x inside, first x, first y, the point.
    // y = 2 doubles the steps of y.
    EXPECT_THAT(displacements(f.points, {1.0, 2.0}, {0.00015, 0.0003}),
                ElementsAreArray(std::vector<std::string>{
                    "-2 0", "-1 0", "0 0", "1 0", "2 0",
                    "0 -2", "0 -1", "0 0", "0 1", "0 2",
                    "-2 -2", "-1 -2", "1 -2", "2 -2",
                    "-2 -1", "-1 -1", "1 -1", "2 -1",
                    "-2 1", "-1 1", "1 1", "2 1",
                    "-2 2", "-1 2", "1 2", "2 2",
                    "-2 0", "-1 0", "1 0", "2 0",
                    "0 -2", "0 -1", "0 1", "0 2",
                    "0 0"}));
    EXPECT_EQ(dim.Varx, (std::vector<double>{1.0, 2.0}));
}

TEST(ComputeDerivatives, XSquaredYAtOneTwo)
{
    LocaleGuard point(".", ",");
    Dimension dim = makeProblem({"x", "y"}, {1.0, 2.0});
    BuildLabels(dim);
    LoggingEvaluator f(dim, [](const std::vector<double>& v) { return v[0] * v[0] * v[1]; });
    const auto lines = ComputeDerivatives(dim, std::ref(f));
    EXPECT_NEAR(dim.Der1Val[0], 4, 1e-9);
    EXPECT_NEAR(dim.Der1Val[1], 1, 1e-9);
    EXPECT_NEAR(dim.Der2Val[0][0], 4, 1e-7);
    EXPECT_NEAR(dim.Der2Val[1][1], 0, 1e-7);
    EXPECT_NEAR(dim.Der2Val[0][1], 2, 1e-7);
    EXPECT_EQ(dim.Der2Val[1][0], dim.Der2Val[0][1]);
    EXPECT_THAT(lines, ElementsAre("Function = 2", StartsWith("Dx = "), StartsWith("Dy = "),
                                   StartsWith("Dxx = "), StartsWith("Dyy = "), StartsWith("Dxy = ")));
    EXPECT_TRUE(dim.ResultsShown);
}

TEST(ComputeDerivatives, TenVariablesMake811EvaluationsAnd66LinesInOrder)
{
    LocaleGuard point(".", ",");
    std::vector<std::string> names;
    for (int k = 1; k <= 10; ++k)
        names.push_back("x" + std::to_string(k));
    Dimension dim = makeProblem(names, std::vector<double>(10, 0.5));
    BuildLabels(dim);
    // f = sum over pairs k < m of (10 k + m) x_k x_m: the mixed derivative of each pair names it.
    LoggingEvaluator f(dim, [](const std::vector<double>& v) {
        double sum = 0;
        for (int k = 0; k < 10; ++k)
            for (int m = k + 1; m < 10; ++m)
                sum += (10 * (k + 1) + (m + 1)) * v[k] * v[m];
        return sum;
    });
    const auto lines = ComputeDerivatives(dim, std::ref(f));
    EXPECT_EQ(f.points.size(), 811u);
    ASSERT_EQ(lines.size(), 66u);
    EXPECT_THAT(lines[1], StartsWith("Dx1 = "));
    EXPECT_THAT(lines[10], StartsWith("Dx10 = "));
    EXPECT_THAT(lines[11], StartsWith("Dx1x1 = "));
    EXPECT_THAT(lines[20], StartsWith("Dx10x10 = "));
    std::size_t line = 21;
    for (int k = 1; k <= 10; ++k)
        for (int m = k + 1; m <= 10; ++m, ++line) {
            const std::string label = "Dx" + std::to_string(k) + "x" + std::to_string(m) + " = ";
            ASSERT_THAT(lines[line], StartsWith(label));
            EXPECT_NEAR(std::stod(lines[line].substr(label.size())), 10 * k + m, 1e-3) << label;
            EXPECT_EQ(dim.Der2Val[k - 1][m - 1], dim.Der2Val[m - 1][k - 1]) << label;
        }
}

TEST(ComputeDerivatives, FailureAtADisplacedPointStopsAndPutsThePointBack)
{
    Dimension dim = makeProblem({"x"}, {0.0});
    BuildLabels(dim);
    LoggingEvaluator f(dim, [](const std::vector<double>& v) {
        if (v[0] < 0)
            throw RunError(errnum::InvalidCall, "engine");
        return std::sqrt(v[0]);
    });
    try {
        ComputeDerivatives(dim, std::ref(f));
        FAIL() << "no error";
    } catch (const RunError& error) {
        EXPECT_EQ(error.number(), errnum::InvalidCall);
    }
    EXPECT_EQ(f.points.size(), 1u);
    EXPECT_EQ(dim.Varx, std::vector<double>{0.0});
    EXPECT_FALSE(dim.ResultsShown);
}

TEST(ComputeDerivatives, SumBeyondTheDoubleRangeIsOverflow)
{
    Dimension dim = makeProblem({"x"}, {0.5});
    BuildLabels(dim);
    LoggingEvaluator f(dim, [](const std::vector<double>&) { return 1e308; });
    try {
        ComputeDerivatives(dim, std::ref(f));
        FAIL() << "no error";
    } catch (const RunError& error) {
        EXPECT_EQ(error.number(), errnum::Overflow);
    }
    EXPECT_EQ(f.points.size(), 2u);  // 16 * 1e308 overflows at the second evaluation
    EXPECT_EQ(dim.Varx, std::vector<double>{0.5});
}

TEST(BuildLabels, JoinsNamesWithoutSeparatorAndFillsOnlyTheUpperTriangle)
{
    Dimension dim = makeProblem({"x1", "x2"}, {0, 0});
    BuildLabels(dim);
    EXPECT_THAT(dim.Der1Label, ElementsAre("Dx1 ", "Dx2 "));
    EXPECT_EQ(dim.Der2Label[0][0], "Dx1x1 ");
    EXPECT_EQ(dim.Der2Label[0][1], "Dx1x2 ");
    EXPECT_EQ(dim.Der2Label[1][1], "Dx2x2 ");
    EXPECT_EQ(dim.Der2Label[1][0], "");
}

}  // namespace
}  // namespace slopekit
