#include "derivatives/compute_command.h"
#include "derivatives/problem_fixture.h"
#include "numbers/locale_guard.h"

#include <gtest/gtest.h>

#include <optional>

namespace slopekit {
namespace {

using testing::LocaleGuard;
using testing::makeProblem;

const char* const Announced = "announced by the event";

// A fake engine: counts calls, fails where a case says, and marks its own event messages.
struct FakeEngine {
    std::optional<RunError> constantsError;
    std::optional<RunError> evaluationError;
    int registrations = 0;
    int evaluations = 0;
    int mutedEvaluations = 0;
    bool muted = false;

    ComputeHooks hooks()
    {
        return {[this] {
                    ++registrations;
                    if (constantsError)
                        throw *constantsError;
                },
                [this] {
                    ++(muted ? mutedEvaluations : evaluations);
                    if (evaluationError)
                        throw *evaluationError;
                    return 1.0;
                },
                [](const RunError& e) { return e.source() == Announced; },
                [](const RunError& e) { return e.source() + " " + std::to_string(e.number()); },
                nullptr,
                [this](bool m) { muted = m; }};
    }
};

struct FailureCase {
    const char* name;
    std::optional<RunError> constantsError;
    std::optional<RunError> evaluationError;
    const char* yText;
    int evaluations;
    std::optional<ComputeMessage> message;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class ComputeFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(ComputeFailure, ShowsExactlyOneMessageAndNoLines)
{
    LocaleGuard point(".", ",");
    const FailureCase& c = GetParam();
    Dimension dim = makeProblem({"x", "y"}, {0, 0});
    dim.ResultsShown = true;
    FakeEngine engine{c.constantsError, c.evaluationError};
    const ComputeOutcome outcome = runCompute(dim, engine.hooks(), "x*y", {"0.5", c.yText});
    EXPECT_TRUE(outcome.lines.empty());
    EXPECT_FALSE(dim.ResultsShown);
    EXPECT_EQ(engine.registrations, 1);
    EXPECT_EQ(engine.evaluations, c.evaluations);
    ASSERT_EQ(outcome.message.has_value(), c.message.has_value());
    if (c.message) {
        EXPECT_EQ(outcome.message->title, c.message->title);
        EXPECT_EQ(outcome.message->text, c.message->text);
    }
    if (c.evaluations > 0) {
        EXPECT_EQ(dim.Varx, (std::vector<double>{0.5, 2.0}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputeFailure,
    ::testing::Values(
        FailureCase{"engine_error_shown_by_its_event", std::nullopt, RunError(500, Announced), "2", 1,
                    std::nullopt},
        FailureCase{"silent_error_gets_the_computation_message", std::nullopt, RunError(13, "Slopekit"),
                    "2", 1, ComputeMessage{"Slopekit", "Slopekit 13"}},
        FailureCase{"constant_rejected_with_an_event", RunError(1011, Announced), std::nullopt, "2", 0,
                    std::nullopt},
        FailureCase{"constant_failing_without_an_event", RunError(11, "runtime"), std::nullopt, "2", 0,
                    ComputeMessage{"runtime", "runtime 11"}},
        FailureCase{"unreadable_point_box", std::nullopt, std::nullopt, "2 apples", 0,
                    ComputeMessage{"Slopekit", "The value \"2 apples\" given for y cannot be read as a number."}},
        FailureCase{"empty_point_box", std::nullopt, std::nullopt, "", 0,
                    ComputeMessage{"Slopekit", "The value \"\" given for y cannot be read as a number."}}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST(RunCompute, LeadingNumberReadingHasTheLastWord)
{
    LocaleGuard comma(",", ".");
    Dimension dim = makeProblem({"x"}, {0});
    FakeEngine engine;
    const ComputeOutcome outcome = runCompute(dim, engine.hooks(), "x", {"1.5"});
    EXPECT_EQ(dim.Varx, std::vector<double>{1.5});  // the locale read 15, "." grouping digits
    EXPECT_EQ(dim.Equation, "x");
    EXPECT_EQ(engine.evaluations, 10);
    EXPECT_EQ(outcome.lines.size(), 3u);
    EXPECT_FALSE(outcome.message.has_value());
    EXPECT_TRUE(dim.ResultsShown);
}

struct ProgressCase {
    const char* name;
    std::int64_t stopAfter;  // the evaluation after which the hook says stop; 0 for never
    int evaluations;  // all that the hook hears of, classic and refined
    std::size_t lines;
};

void PrintTo(const ProgressCase& c, std::ostream* os) { *os << c.name; }

class ComputeProgress : public ::testing::TestWithParam<ProgressCase> {};

// The hook hears every evaluation of the 8n^2 + n + 1 and of the refinement's 330; a stop
// leaves no trace but Varx back at the point.
TEST_P(ComputeProgress, CountsEveryEvaluationAndStopsWhenAsked)
{
    LocaleGuard point(".", ",");
    const ProgressCase& c = GetParam();
    Dimension dim = makeProblem({"x", "y"}, {0, 0});
    FakeEngine engine;
    ComputeHooks hooks = engine.hooks();
    std::vector<std::int64_t> heard;
    hooks.progress = [&](std::int64_t done, std::int64_t total) {
        EXPECT_EQ(total, 35 + 330);
        heard.push_back(done);
        return done != c.stopAfter;
    };
    const ComputeOutcome outcome = runCompute(dim, hooks, "x*y", {"0.5", "2"});
    EXPECT_EQ(engine.evaluations + engine.mutedEvaluations, c.evaluations);
    ASSERT_EQ(heard.size(), static_cast<std::size_t>(c.evaluations));
    EXPECT_EQ(heard.back(), c.evaluations);
    EXPECT_EQ(outcome.lines.size(), c.lines);
    EXPECT_FALSE(outcome.message.has_value());
    EXPECT_EQ(dim.ResultsShown, c.lines > 0);
    EXPECT_EQ(dim.Varx, (std::vector<double>{0.5, 2.0}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputeProgress,
    ::testing::Values(ProgressCase{"runs_to_the_end", 0, 365, 6},
                      ProgressCase{"stopped_at_a_displaced_point", 7, 7, 0},
                      ProgressCase{"stopped_at_the_last_classic_evaluation", 35, 35, 0},
                      ProgressCase{"stopped_in_the_refinement", 100, 100, 0},
                      ProgressCase{"stopped_at_the_last_evaluation", 365, 365, 0}),
    [](const ::testing::TestParamInfo<ProgressCase>& info) { return std::string(info.param.name); });

// Trial points of the refinement may fail where the classic ones do not: the Error event
// is muted for exactly those evaluations.
TEST(RunCompute, RefinesAfterTheClassicEvaluationsWithTheErrorEventMuted)
{
    Dimension dim = makeProblem({"x", "y"}, {0, 0});
    FakeEngine engine;
    const ComputeOutcome outcome = runCompute(dim, engine.hooks(), "x", {"1", "2"});
    ASSERT_TRUE(outcome.refined.has_value());
    EXPECT_EQ(engine.evaluations, 35);
    EXPECT_EQ(engine.mutedEvaluations, outcome.refined->evaluations);
    EXPECT_EQ(outcome.refined->evaluations, 2 + 2 * 42 + 244);
    EXPECT_FALSE(engine.muted);
    EXPECT_EQ(dim.Varx, (std::vector<double>{1, 2}));
}

}  // namespace
}  // namespace slopekit
