#include "derivatives/compute_command.h"
#include "derivatives/problem_fixture.h"
#include "engine/engine_binding.h"
#include "numbers/locale_guard.h"
#include "numbers/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <optional>

namespace slopekit {
namespace {

const char* const Announced = "announced by the event";

double logOrFail(double x) { return x > 0 ? std::log(x) : throw RunError(errnum::InvalidCall, "test"); }
double anyPoint(double) { return 1.0; }
double huge(double) { return 1e308; }
double announcedBelowTheMiddle(double x) { return x < 0.5 ? throw RunError(errnum::VariableUndefined, Announced) : x; }
double silentBelowTheMiddle(double x) { return x < 0.5 ? throw RunError(-2147352319, "Slopekit") : x; }

// One computation of a native function of the first variable, and what its hooks heard.
struct Scenario {
    std::vector<double> point;
    double (*f)(double x) = anyPoint;  // throws RunError to fail
    std::int64_t stopAfter = 0;        // the evaluation after which the progress hook says stop; 0 for never
};

struct Heard {
    Dimension dim;
    ComputeOutcome outcome;
    std::vector<std::vector<double>> points;  // every evaluation's Varx, in order
    int muted = 0;                            // evaluations made with the Error event muted
    std::int64_t done = 0;                    // the last count of evaluations the progress hook heard
    std::int64_t total = 0;                   // the total it heard
    bool countedInOrder = true;               // each count one more than the one before
    bool mutedAtTheEnd = false;
};

// Failures from the source Announced count as shown by the Error event; the others get
// the program's own message.
Heard compute(const Scenario& scenario)
{
    Heard heard;
    Dimension& dim = heard.dim = testing::makeProblem({"x", "y"}, std::vector<double>(scenario.point.size()));
    dim.ResultsShown = true;
    PointTexts texts(scenario.point.size());
    std::ranges::transform(scenario.point, texts.begin(), fileNumber);
    bool mutedNow = false;
    const auto evaluate = [&] {
        heard.points.push_back(dim.Varx);
        heard.muted += mutedNow;
        return scenario.f(dim.Varx[0]);
    };
    const auto progress = [&](std::int64_t done, std::int64_t total) {
        heard.countedInOrder = heard.countedInOrder && done == heard.done + 1;
        heard.done = done;
        heard.total = total;
        return done != scenario.stopAfter;
    };
    const ComputeHooks hooks{.registerConstants = [] {},
                             .evaluateFunction = evaluate,
                             .announcedByErrorEvent = [](const RunError& e) { return e.source() == Announced; },
                             .messageText = runErrorMessage,
                             .progress = progress,
                             .muteErrorEvent = [&](bool m) { mutedNow = m; },
                             .evaluateExact = {}};
    heard.outcome = runCompute(dim, hooks, "x*y", texts);
    heard.mutedAtTheEnd = mutedNow;
    return heard;
}

// Each evaluation's offset from the point, in small steps of each variable.
std::vector<std::vector<double>> moves(const Heard& heard, const std::vector<double>& point,
                                       const std::vector<double>& steps)
{
    std::vector<std::vector<double>> result;
    for (const std::vector<double>& at : heard.points) {
        std::vector<double> move;
        for (std::size_t k = 0; k < point.size(); ++k)
            move.push_back(std::round((at[k] - point[k]) / steps[k] * 1e6) / 1e6);
        result.push_back(move);
    }
    return result;
}

// Pure x, pure y, the pair with y outside and x inside, first x, first y, the point; the
// small step of y is scaled by the size of its coordinate beyond 1, that of x is not.
TEST(RunCompute, EvaluatesTheClassicPointsInOrderInSmallStepsFromThePoint)
{
    const std::vector<std::vector<double>> classic = {
        {-2, 0}, {-1, 0}, {0, 0},   {1, 0},   {2, 0},  {0, -2}, {0, -1}, {0, 0},  {0, 1}, {0, 2}, {-2, -2}, {-1, -2},
        {1, -2}, {2, -2}, {-2, -1}, {-1, -1}, {1, -1}, {2, -1}, {-2, 1}, {-1, 1}, {1, 1}, {2, 1}, {-2, 2},  {-1, 2},
        {1, 2},  {2, 2},  {-2, 0},  {-1, 0},  {1, 0},  {2, 0},  {0, -2}, {0, -1}, {0, 1}, {0, 2}, {0, 0}};
    std::vector<std::vector<double>> heard = moves(compute({.point = {0.5, -2000}}), {0.5, -2000}, {0.00015, 0.3});
    heard.resize(classic.size());
    EXPECT_EQ(heard, classic) << "classic evaluations";
}

TEST(RunCompute, MutesTheErrorEventThroughoutTheRefinement)
{
    // 35 classic evaluations for two variables, then 330 of the refinement: 2 + 42n + 244 n(n - 1) / 2.
    const Heard heard = compute({.point = {0.5, 2}});
    EXPECT_EQ(heard.muted, 330) << "refinement evaluations made with the Error event muted";
}

// 8n^2 + n + 1 classic evaluations and 2 + 42n + 244 n(n - 1) / 2 refined ones.
TEST(RunCompute, CountsEveryEvaluationAgainstOneTotal)
{
    const Heard heard = compute({.point = {0.5, 2}});
    EXPECT_EQ(heard.total, 35 + 330) << "total";
    EXPECT_EQ(heard.done, 35 + 330) << "last count";
    EXPECT_TRUE(heard.countedInOrder) << "counts one by one";
}

TEST(RunCompute, ReadsThePointAsWrittenUnderADecimalCommaLocale)
{
    // The locale reading takes "0.5" for 5; the leading-number reading has the last word.
    testing::LocaleGuard comma(",", ".");
    const Heard heard = compute({.point = {0.5}});
    EXPECT_EQ(heard.dim.Varx, std::vector<double>{0.5});
}

// Estimates at every step that agree exactly leave the rounding floor 10 eps |f| / (s / 16).
TEST(RunCompute, AgreeingRefinedEstimatesKeepTheRoundingFloorAsTheirError)
{
    const Heard heard = compute({.point = {0.5}});
    ASSERT_TRUE(heard.outcome.refined.has_value());
    EXPECT_NEAR(heard.outcome.refined->gradientError[0], 160 * DBL_EPSILON, 1e-16);
}

// Each of the nine trial steps beyond 0 fails at its first point, x0 - h, and asks for no other.
TEST(RunCompute, SkipsTheRefinementTrialStepsWhereTheFunctionFails)
{
    const Heard heard = compute({.point = {0.00137}, .f = logOrFail});
    ASSERT_TRUE(heard.outcome.refined.has_value()) << "refined results";
    const RefinedDerivatives& r = *heard.outcome.refined;
    EXPECT_EQ(r.evaluations, 35) << "refined evaluations: 44 less 9 skipped";
    EXPECT_EQ(heard.done, 10 + 26) << "evaluations counted: failed ones are not";
    EXPECT_LE(std::fabs(r.gradient[0] - 1 / 0.00137), r.gradientError[0]) << "gradient within its error";
}

// Noise of 1e-3 on a slope of 1: no two steps agree to a millionth. At a large coordinate a
// second derivative lost in the noise is judged against |f| / x^2, the size a curvature has
// on that scale (there 1E-6, against an error near 5E-4).
TEST(RunCompute, MarksRefinedValuesUnreliableWhereNoTwoStepsAgree)
{
    struct Row {
        const char* name;
        double point;
    };
    // clang-format off
    const Row rows[] = {
        {.name = "near_the_origin", .point = 0.5},
        {.name = "at_a_large_coordinate", .point = 1e6},
    };
    // clang-format on
    for (const Row& row : rows) {
        const Heard heard = compute({.point = {row.point}, .f = [](double x) { return x + 1e-3 * std::sin(1e7 * x); }});
        ASSERT_TRUE(heard.outcome.refined.has_value()) << row.name;
        const RefinedDerivatives& r = *heard.outcome.refined;
        EXPECT_TRUE(r.gradientUnreliable[0]) << row.name << ": first derivative unreliable";
        EXPECT_TRUE(r.hessianUnreliable[0][0]) << row.name << ": second derivative unreliable";
        EXPECT_LE(std::fabs(r.gradient[0] - 1), r.gradientError[0]) << row.name << ": gradient within its error";
    }
}

// Its error, of about 1E-9, is small beside a slope of a million.
TEST(RunCompute, MeasuresTheReliabilityOfARefinedValueAgainstItsSize)
{
    const Heard heard = compute({.point = {0.5}, .f = [](double x) { return 1e6 * x; }});
    ASSERT_TRUE(heard.outcome.refined.has_value()) << "refined results";
    EXPECT_FALSE(heard.outcome.refined->gradientUnreliable[0]) << "first derivative unreliable";
}

// A stop or a failure leaves no results and the point as it was.
struct Ending {
    const char* name;
    Scenario scenario;
    std::size_t evaluations;                               // made before the end
    std::optional<ComputeMessage> message = std::nullopt;  // the one message shown
};

void expectNothingLeft(const Ending& row)
{
    const Heard heard = compute(row.scenario);
    EXPECT_EQ(heard.points.size(), row.evaluations) << row.name << ": evaluations";
    EXPECT_TRUE(heard.outcome.lines.empty()) << row.name << ": lines";
    EXPECT_FALSE(heard.outcome.refined.has_value()) << row.name << ": refined results";
    EXPECT_FALSE(heard.dim.ResultsShown) << row.name << ": results shown";
    EXPECT_EQ(heard.dim.Varx, row.scenario.point) << row.name << ": point";
    EXPECT_FALSE(heard.mutedAtTheEnd) << row.name << ": Error event muted";
    ASSERT_EQ(heard.outcome.message.has_value(), row.message.has_value()) << row.name << ": message shown";
    if (row.message) {
        EXPECT_EQ(heard.outcome.message->title, row.message->title) << row.name << ": message title";
        EXPECT_EQ(heard.outcome.message->text, row.message->text) << row.name << ": message text";
    }
}

TEST(RunCompute, AStopLeavesNothingHalfDone)
{
    const std::vector<double> at{0.5, 2};
    // clang-format off
    const Ending rows[] = {
        {.name = "at_a_refinement_trial_point", .scenario = {.point = at, .stopAfter = 100}, .evaluations = 100},
        {.name = "at_the_last_evaluation", .scenario = {.point = at, .stopAfter = 365}, .evaluations = 365},
    };
    // clang-format on
    for (const Ending& row : rows)
        expectNothingLeft(row);
}

TEST(RunCompute, AFailureAtADisplacedPointShowsExactlyOneMessage)
{
    const std::vector<double> at{0.5, 2};
    // clang-format off
    const Ending rows[] = {
        {.name = "shown_by_the_error_event", .scenario = {.point = at, .f = announcedBelowTheMiddle}, .evaluations = 1},
        {.name = "silent_engine_exception_gets_the_computation_message", .scenario = {.point = at, .f = silentBelowTheMiddle}, .evaluations = 1, .message = ComputeMessage{"Slopekit", "Slopekit -2147352319\rException occurred\r\r"}},
        // 16 * 1e308 overflows at the second evaluation.
        {.name = "sum_beyond_the_double_range", .scenario = {.point = at, .f = huge}, .evaluations = 2, .message = ComputeMessage{"Slopekit", "Slopekit 6\rOverflow\r\r"}},
    };
    // clang-format on
    for (const Ending& row : rows)
        expectNothingLeft(row);
}

}  // namespace
}  // namespace slopekit
