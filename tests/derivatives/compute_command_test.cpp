#include "derivatives/compute_command.h"
#include "derivatives/problem_fixture.h"
#include "numbers/locale_guard.h"

#include <gtest/gtest.h>

#include <optional>

namespace slopekit {
namespace {

const char* const Announced = "announced by the event";

// runCompute on x*y with a fake engine that counts its calls, fails where a row says and
// marks its own Error event messages. The hook hears every evaluation of the classic 8n^2 +
// n + 1 and of the refinement's 330; a stop leaves no trace but Varx back at the point.
TEST(RunCompute, EndsWithTheLinesOrExactlyOneMessage)
{
    // A comma locale: the locale reading takes "0.5" for 5, the leading-number reading has the last word.
    testing::LocaleGuard comma(",", ".");
    struct Row {
        const char* name;
        std::optional<RunError> constantsError, evaluationError;
        const char* yText;
        std::int64_t stopAfter;  // the evaluation after which the hook says stop; 0 for never
        int evaluations, muted;  // the classic ones and the refinement's, with the Error event muted
        int heard;               // all that the hook hears of
        std::size_t lines;
        std::optional<ComputeMessage> message;
    };
    const Row rows[] = {
        {"runs_to_the_end", {}, {}, "2", 0, 35, 330, 365, 6, {}},
        {"stopped_at_a_displaced_point", {}, {}, "2", 7, 7, 0, 7, 0, {}},
        {"stopped_at_the_last_classic_evaluation", {}, {}, "2", 35, 35, 0, 35, 0, {}},
        {"stopped_in_the_refinement", {}, {}, "2", 100, 35, 65, 100, 0, {}},
        {"stopped_at_the_last_evaluation", {}, {}, "2", 365, 35, 330, 365, 0, {}},
        {"engine_error_shown_by_its_event", {}, RunError(500, Announced), "2", 0, 1, 0, 0, 0, {}},
        {"silent_error_gets_the_computation_message", {}, RunError(13, "Slopekit"), "2", 0, 1, 0, 0, 0,
         ComputeMessage{"Slopekit", "Slopekit 13"}},
        {"constant_rejected_with_an_event", RunError(1011, Announced), {}, "2", 0, 0, 0, 0, 0, {}},
        {"constant_failing_without_an_event", RunError(11, "runtime"), {}, "2", 0, 0, 0, 0, 0,
         ComputeMessage{"runtime", "runtime 11"}},
        {"unreadable_point_box", {}, {}, "2 apples", 0, 0, 0, 0, 0,
         ComputeMessage{"Slopekit", "The value \"2 apples\" given for y cannot be read as a number."}},
        {"empty_point_box", {}, {}, "", 0, 0, 0, 0, 0,
         ComputeMessage{"Slopekit", "The value \"\" given for y cannot be read as a number."}},
        {"cut_off_by_the_leading_reading", {}, {}, "1,000", 0, 0, 0, 0, 0,
         ComputeMessage{"Slopekit", "The value \"1,000\" given for y cannot be read as a number."}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Dimension dim = testing::makeProblem({"x", "y"}, {0, 0});
        dim.ResultsShown = true;
        int registrations = 0, evaluations = 0, muted = 0;
        bool mutedNow = false;
        std::vector<std::int64_t> heard;
        ComputeHooks hooks;
        hooks.registerConstants = [&] { ++registrations; if (row.constantsError) throw *row.constantsError; };
        hooks.evaluateFunction = [&] {
            ++(mutedNow ? muted : evaluations);
            return row.evaluationError ? throw *row.evaluationError : 1.0;
        };
        hooks.announcedByErrorEvent = [](const RunError& e) { return e.source() == Announced; };
        hooks.messageText = [](const RunError& e) { return e.source() + " " + std::to_string(e.number()); };
        hooks.progress = [&](std::int64_t done, std::int64_t total) {
            EXPECT_EQ(total, 35 + 330);
            heard.push_back(done);
            return done != row.stopAfter;
        };
        hooks.muteErrorEvent = [&](bool m) { mutedNow = m; };
        const ComputeOutcome outcome = runCompute(dim, hooks, "x*y", {"0.5", row.yText});
        EXPECT_EQ(registrations, 1);
        EXPECT_EQ(evaluations, row.evaluations);
        EXPECT_EQ(muted, row.muted);
        EXPECT_EQ(heard.size(), static_cast<std::size_t>(row.heard));
        EXPECT_EQ(heard.empty() ? 0 : heard.back(), row.heard);
        EXPECT_FALSE(mutedNow);
        EXPECT_EQ(outcome.lines.size(), row.lines);
        EXPECT_EQ(dim.ResultsShown, row.lines > 0);
        EXPECT_EQ(outcome.refined.has_value(), row.lines > 0);
        if (outcome.refined) {
            EXPECT_EQ(outcome.refined->evaluations, muted);
        }
        ASSERT_EQ(outcome.message.has_value(), row.message.has_value());
        if (row.message) {
            EXPECT_EQ(outcome.message->title, row.message->title);
            EXPECT_EQ(outcome.message->text, row.message->text);
        }
        if (row.evaluations > 0) {
            EXPECT_EQ(dim.Varx, (std::vector<double>{0.5, 2.0}));
        }
        EXPECT_EQ(dim.Equation, row.constantsError ? "" : "x*y");
    }
}

}  // namespace
}  // namespace slopekit
