#include "derivatives/derivative_labels.h"
#include "derivatives/problem_fixture.h"
#include "derivatives/refined_derivatives.h"
#include "derivatives/result_warnings.h"
#include "derivatives/step_choice.h"
#include "errors/run_error.h"
#include "numbers/locale_guard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <vector>

namespace slopekit {
namespace {

using testing::LocaleGuard;
using testing::LoggingEvaluator;
using testing::makeProblem;

// Estimates from the largest step down; nullopt where a trial point failed.
struct ChoiceCase {
    const char* name;
    std::vector<std::optional<double>> estimates;
    std::vector<double> floors;  // per estimate; none means 0
    RefinedEntry expected;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) { *os << c.name; }

class StepChoiceTable : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(StepChoiceTable, ChoosesTheStepAndEstimatesItsError)
{
    const ChoiceCase& c = GetParam();
    StepChoice choice;
    for (std::size_t k = 0; k < c.estimates.size(); ++k)
        choice.add(c.estimates[k], k < c.floors.size() ? c.floors[k] : 0.0, 1.0);
    const RefinedEntry result = choice.result();
    EXPECT_EQ(result.found, c.expected.found);
    EXPECT_DOUBLE_EQ(result.value, c.expected.value);
    EXPECT_DOUBLE_EQ(result.error, c.expected.error);
}

// 1 + 16^-k: a fourth-order formula converging on 1, which one Richardson step recovers.
INSTANTIATE_TEST_SUITE_P(
    Windows, StepChoiceTable,
    ::testing::Values(
        ChoiceCase{"smallest_spread_wins", {2, 1.0625, 1.00390625, 1.000244140625}, {}, {1, 0.062255859375, 0, true}},
        ChoiceCase{"failed_step_breaks_the_run",
                   {2, 1.0625, std::nullopt, 1.00390625, 1.000244140625, 1.0000152587890625},
                   {},
                   {1, 0.0038909912109375, 0, true}},
        ChoiceCase{"rounding_floor_keeps_a_larger_step",
                   {2, 1.0625, 1.00390625, 1.000244140625, 1.0000152587890625},
                   {0, 0, 0, 0, 1},
                   {1, 0.062255859375, 0, true}},
        ChoiceCase{"false_plateau_at_large_steps_is_overruled", {0, 0, 0, 4, 4.25, 4.25}, {}, {4.25, 0.25, 0, true}},
        ChoiceCase{"smaller_step_in_doubt_widens_the_error", {1, 1, 1, 1.25, 2, 1.25}, {}, {1, 31.0 / 60, 0, true}},
        ChoiceCase{"no_window_is_no_better_than_its_size", {3, std::nullopt, 1.5}, {}, {1.5, 1.5, 0, true}},
        ChoiceCase{"no_estimate_at_all", {std::nullopt, std::nullopt}, {}, {0, 0, 0, false}}),
    [](const ::testing::TestParamInfo<ChoiceCase>& info) { return std::string(info.param.name); });

// A function of one variable that fails (error 5) where a case says.
struct TrialCase {
    const char* name;
    double x0;
    std::function<double(double)> f;  // throws RunError to fail
    double exactGradient;
    bool gradientUnreliable;
    bool hessianUnreliable;
};

void PrintTo(const TrialCase& c, std::ostream* os) { *os << c.name; }

class TrialSteps : public ::testing::TestWithParam<TrialCase> {};

TEST_P(TrialSteps, SkipsFailingPointsAndEstimatesHonestly)
{
    const TrialCase& c = GetParam();
    Dimension dim = makeProblem({"x"}, {c.x0});
    LoggingEvaluator evaluator(dim, [&c](const std::vector<double>& v) { return c.f(v[0]); });
    const RefinedDerivatives r = RefineDerivatives(dim, std::ref(evaluator));
    EXPECT_EQ(r.gradientUnreliable[0], c.gradientUnreliable);
    EXPECT_EQ(r.hessianUnreliable[0][0], c.hessianUnreliable);
    if (std::isfinite(r.gradient[0]))
        EXPECT_LE(std::fabs(r.gradient[0] - c.exactGradient), r.gradientError[0]);
    else
        EXPECT_EQ(r.gradientError[0], INFINITY);
    EXPECT_EQ(r.value, c.f(c.x0));
    EXPECT_EQ(r.evaluations, static_cast<long>(evaluator.points.size()));
    EXPECT_EQ(dim.Varx, std::vector<double>{c.x0});
    EXPECT_EQ(evaluator.points.back(), std::vector<double>{c.x0});
}

double logOrFail(double x)
{
    if (x <= 0)
        throw RunError(errnum::InvalidCall, "test");
    return std::log(x);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, TrialSteps,
    ::testing::Values(
        TrialCase{"log_near_zero", 0.00137, logOrFail, 1 / 0.00137, false, false},
        TrialCase{"fails_everywhere_but_the_point", 0.5,
                  [](double x) {
                      if (x != 0.5)
                          throw RunError(errnum::Overflow, "test");
                      return 1.0;
                  },
                  0, true, true},
        // Noise of 1e-3 on a slope of 1: no two steps agree to a millionth.
        TrialCase{"noise_never_agrees", 0.5,
                  [](double x) { return x + 1e-3 * std::sin(1e7 * x); }, 1, true, true}),
    [](const ::testing::TestParamInfo<TrialCase>& info) { return std::string(info.param.name); });

// Two variables x, y with classic values and refined ones written out by hand.
struct Shown {
    Dimension dim = makeProblem({"x", "y"}, {1, 2});
    RefinedDerivatives refined;

    Shown()
    {
        BuildLabels(dim);
        dim.Der1Val = {4, 1};
        dim.Der2Val = {{4, 2}, {2, 0}};
        refined.value = 2;
        refined.gradient = {4, 1.000002};
        refined.gradientError = {1.234e-13, 1e-12};
        refined.gradientSize = {4, 1.000002};
        refined.gradientUnreliable = {false, false};
        refined.hessian = {{4, 2}, {2, NAN}};
        refined.hessianError = {{2e-10, 0.0049}, {0.0049, INFINITY}};
        refined.hessianSize = {{4, 2}, {2, 2}};
        refined.hessianUnreliable = {{false, true}, {true, true}};
    }
};

TEST(RefinedList, ShowsEveryValueWithItsErrorInTwoDigits)
{
    LocaleGuard point(".", ",");
    const Shown s;
    EXPECT_THAT(refinedLines(s.dim, s.refined),
                ::testing::ElementsAre("Function = 2", "Dx = 4 ± 1.2E-13", "Dy = 1.000002 ± 1E-12",
                                       "Dxx = 4 ± 2E-10", "Dyy = no value: the function fails at every trial step",
                                       "Dxy = 2 ± 0.0049"));
}

TEST(ClassicWarnings, MarkLinesFarFromTheRefinedValueOrWithoutOne)
{
    const Shown s;
    // Dy is 2e-6 of its size away; Dxy agrees, but the refined one is unreliable; Dyy has no value.
    EXPECT_THAT(classicWarnings(s.dim, s.refined), ::testing::ElementsAre(false, false, true, false, true, true));
    EXPECT_EQ(warningTip(s.refined, {1, -1}), "May be inaccurate. Refined value: 1.000002 ± 1E-12");
    EXPECT_EQ(warningTip(s.refined, {1, 1}),
              "May be inaccurate: the refinement found no value (the function fails at every trial step).");
    EXPECT_EQ(warningStatus(3), "3 results may be inaccurate");
    EXPECT_EQ(warningStatus(1), "1 result may be inaccurate");
    EXPECT_EQ(warningStatus(0), "");
}

}  // namespace
}  // namespace slopekit
