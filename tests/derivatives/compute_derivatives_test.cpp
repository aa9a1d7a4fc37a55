#include "derivatives/compute_derivatives.h"
#include "derivatives/derivative_labels.h"
#include "derivatives/problem_fixture.h"
#include "errors/run_error.h"
#include "numbers/locale_guard.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace slopekit {
namespace {

using testing::LocaleGuard;
using testing::LoggingEvaluator;
using testing::makeProblem;

// The points evaluated, each coordinate's displacement in units of its small step; a
// failure stops the computation with the point put back.
TEST(ComputeDerivatives, EvaluatesInOrderAtStepsScaledByEachCoordinate)
{
    const std::vector<std::string> one = {"-2", "-1", "0", "1", "2", "-2", "-1", "1", "2", "0"};
    // Pure x, pure y, the pair with y outside and x inside, first x, first y, the point.
    const std::vector<std::string> two = {
        "-2 0", "-1 0", "0 0", "1 0", "2 0", "0 -2", "0 -1", "0 0", "0 1", "0 2",
        "-2 -2", "-1 -2", "1 -2", "2 -2", "-2 -1", "-1 -1", "1 -1", "2 -1",
        "-2 1", "-1 1", "1 1", "2 1", "-2 2", "-1 2", "1 2", "2 2",
        "-2 0", "-1 0", "1 0", "2 0", "0 -2", "0 -1", "0 1", "0 2", "0 0"};
    struct Row {
        const char* name;
        std::vector<double> point;
        std::vector<double> steps;  // the small step of each variable
        double (*f)(double x);      // throws RunError to fail
        std::vector<std::string> moves;
        int error;
    };
    const auto any = [](double) { return 1.0; };
    const Row rows[] = {
        {"below_one_the_steps_themselves", {-0.75}, {0.00015}, any, one, 0},
        {"large_coordinate_scales_its_own_steps", {-2000, 0.5}, {0.3, 0.00015}, any, two, 0},
        {"two_variables", {1, 2}, {0.00015, 0.0003}, any, two, 0},
        {"engine_error_at_a_displaced_point", {0.5}, {0.00015},
         [](double x) { return x < 0.5 ? throw RunError(errnum::InvalidCall, "engine") : x; }, {"-2"},
         errnum::InvalidCall},
        // 16 * 1e308 overflows at the second evaluation.
        {"sum_beyond_the_double_range", {0.5}, {0.00015}, [](double) { return 1e308; }, {"-2", "-1"},
         errnum::Overflow},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Dimension dim = makeProblem(std::vector<std::string>(row.point.size(), "v"), row.point);
        BuildLabels(dim);
        LoggingEvaluator f(dim, [&row](const std::vector<double>& v) { return row.f(v[0]); });
        int error = 0;
        try {
            ComputeDerivatives(dim, std::ref(f));
        } catch (const RunError& e) {
            error = e.number();
        }
        std::vector<std::string> moves;
        for (const auto& p : f.points) {
            std::string text;
            for (std::size_t k = 0; k < p.size(); ++k) {
                const double units = (p[k] - row.point[k]) / row.steps[k];
                EXPECT_NEAR(units, std::round(units), 1e-6);
                text += (k ? " " : "") + std::to_string(std::lround(units));
            }
            moves.push_back(text);
        }
        EXPECT_EQ(moves, row.moves);
        EXPECT_EQ(error, row.error);
        EXPECT_EQ(dim.ResultsShown, error == 0);
        EXPECT_EQ(dim.Varx, row.point);
        EXPECT_EQ(dim.Step, 0.0003);
    }
}

TEST(ComputeDerivatives, ListsEveryDerivativeUnderItsLabel)
{
    LocaleGuard point(".", ",");
    Dimension dim = makeProblem({"x1", "x2", "x3"}, {0, 0, 0});
    BuildLabels(dim);
    LoggingEvaluator f(dim, [](const std::vector<double>& v) {
        const double x = v[0], y = v[1], z = v[2];
        return x + 2 * y + 3 * z + x * x + 2 * y * y + 3 * z * z + 12 * x * y + 13 * x * z + 23 * y * z;
    });
    const auto lines = ComputeDerivatives(dim, std::ref(f));
    const std::vector<std::pair<std::string, double>> expected = {
        {"Function", 0}, {"Dx1", 1}, {"Dx2", 2}, {"Dx3", 3}, {"Dx1x1", 2}, {"Dx2x2", 4}, {"Dx3x3", 6},
        {"Dx1x2", 12}, {"Dx1x3", 13}, {"Dx2x3", 23}};
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t line = 0; line < lines.size(); ++line) {
        const std::string label = expected[line].first + " = ";
        ASSERT_EQ(lines[line].substr(0, label.size()), label);
        EXPECT_NEAR(std::stod(lines[line].substr(label.size())), expected[line].second, 1e-6) << label;
    }
    EXPECT_EQ(dim.Der2Val[2][1], dim.Der2Val[1][2]);
    EXPECT_EQ(dim.Der1Label[1], "Dx2 ");
    EXPECT_EQ(dim.Der2Label[1][2], "Dx2x3 ");
    EXPECT_EQ(dim.Der2Label[2][1], "");
}

}  // namespace
}  // namespace slopekit
