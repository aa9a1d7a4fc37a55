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
#include <tuple>

namespace slopekit {
namespace {

const char* const Announced = "announced by the event";

double logOrFail(double x) { return x > 0 ? std::log(x) : throw RunError(errnum::InvalidCall, "test"); }

// runCompute with a native function of the first variable for the engine, which fails
// where a row says; failures from the source Announced count as shown by the Error event,
// the others get the program's own message. The hook hears every evaluation of the classic
// 8n^2 + n + 1 and of the refinement's 2 + 42n + 244 n(n - 1) / 2, which skips failing trial
// points; a failure or a stop leaves no lines and Varx back at the point.
TEST(RunCompute, EvaluatesInOrderAndEndsWithTheLinesOrExactlyOneMessage)
{
    // A comma locale: the locale reading takes "0.5" for 5, the leading-number reading has the last word.
    testing::LocaleGuard comma(",", ".");
    const std::vector<std::string> one = {"-2", "-1", "0", "1", "2", "-2", "-1", "1", "2", "0"};
    // Pure x, pure y, the pair with y outside and x inside, first x, first y, the point.
    const std::vector<std::string> two = {"-2 0", "-1 0", "0 0", "1 0", "2 0", "0 -2", "0 -1", "0 0", "0 1", "0 2",
        "-2 -2", "-1 -2", "1 -2", "2 -2", "-2 -1", "-1 -1", "1 -1", "2 -1", "-2 1", "-1 1", "1 1", "2 1", "-2 2",
        "-1 2", "1 2", "2 2", "-2 0", "-1 0", "1 0", "2 0", "0 -2", "0 -1", "0 1", "0 2", "0 0"};
    const auto any = [](double) { return 1.0; };
    const std::vector<double> at{0.5, 2}, steps{0.00015, 0.0003};
    struct Row {
        const char* name;
        std::vector<double> point;
        std::vector<double> steps;       // the small step of each variable: scaled by coordinates beyond 1
        double (*f)(double x);           // throws RunError to fail
        std::int64_t stopAfter;          // the evaluation after which the hook says stop; 0 for never
        std::vector<std::string> moves;  // the classic evaluations, in small steps from the point
        int muted;                       // the refinement's evaluations, with the Error event muted
        int heard;
        std::size_t lines;
        std::optional<ComputeMessage> message;
        double gradient = 0;       // the exact first derivative, which the refined error must cover
        bool unreliable = false;  // the refined first and second derivative of the first variable
    };
    const Row rows[] = {
        // Each of the nine trial steps beyond 0 fails at its first point, x0 - h, and asks for no other.
        {"log_near_zero_fails_at_large_trial_steps", {0.00137}, {0.00015}, logOrFail, 0, one, 35, 36, 3, {},
         1 / 0.00137},
        // Noise of 1e-3 on a slope of 1: no two steps agree to a millionth.
        {"noise_never_agrees", {0.5}, {0.00015}, [](double x) { return x + 1e-3 * std::sin(1e7 * x); }, 0, one, 44,
         54, 3, {}, 1, true},
        {"runs_to_the_end", {0.5, -2000}, {0.00015, 0.3}, any, 0, two, 330, 365, 6, {}},
        {"stopped_at_a_displaced_point", at, steps, any, 7, {two.begin(), two.begin() + 7}, 0, 7, 0, {}},
        {"stopped_at_the_last_classic_evaluation", at, steps, any, 35, two, 0, 35, 0, {}},
        {"stopped_in_the_refinement", at, steps, any, 100, two, 65, 100, 0, {}},
        {"stopped_at_the_last_evaluation", at, steps, any, 365, two, 330, 365, 0, {}},
        {"error_at_a_displaced_point_shown_by_its_event", at, steps,
         [](double x) { return x < 0.5 ? throw RunError(errnum::VariableUndefined, Announced) : x; }, 0, {"-2 0"},
         0, 0, 0, {}},
        {"silent_engine_exception_gets_the_computation_message", at, steps,
         [](double x) { return x < 0.5 ? throw RunError(-2147352319, "Slopekit") : x; }, 0, {"-2 0"}, 0, 0, 0,
         ComputeMessage{"Slopekit", "Slopekit -2147352319\rException occurred\r\r"}},
        // 16 * 1e308 overflows at the second evaluation.
        {"sum_beyond_the_double_range", at, steps, [](double) { return 1e308; }, 0,
         {"-2 0", "-1 0"}, 0, 2, 0, ComputeMessage{"Slopekit", "Slopekit 6\rOverflow\r\r"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Dimension dim = testing::makeProblem({"x", "y"}, std::vector<double>(row.point.size()));
        dim.ResultsShown = true;
        PointTexts texts(row.point.size());
        std::ranges::transform(row.point, texts.begin(), fileNumber);
        std::vector<std::string> moves;
        int muted = 0, heard = 0;
        bool mutedNow = false;
        const auto evaluate = [&] {
            if (mutedNow) {
                ++muted;
                return row.f(dim.Varx[0]);
            }
            std::string move;
            for (std::size_t k = 0; k < row.point.size(); ++k) {
                const double units = (dim.Varx[k] - row.point[k]) / row.steps[k];
                EXPECT_NEAR(units, std::round(units), 1e-6);
                move += (k ? " " : "") + std::to_string(std::lround(units));
            }
            moves.push_back(move);
            return row.f(dim.Varx[0]);
        };
        const auto progress = [&](std::int64_t done, std::int64_t total) {
            EXPECT_EQ(total, row.point.size() == 1 ? 10 + 44 : 35 + 330);
            EXPECT_EQ(done, ++heard);
            return done != row.stopAfter;
        };
        const ComputeHooks hooks{[] {}, evaluate, [](const RunError& e) { return e.source() == Announced; },
                                 runErrorMessage, progress, [&](bool m) { mutedNow = m; }, {}};
        const ComputeOutcome outcome = runCompute(dim, hooks, "x*y", texts);
        EXPECT_EQ(std::tie(moves, muted, heard), std::tie(row.moves, row.muted, row.heard));
        EXPECT_FALSE(mutedNow);
        EXPECT_EQ(outcome.lines.size(), row.lines);
        EXPECT_EQ(std::tuple(dim.ResultsShown, outcome.refined.has_value()), std::tuple(row.lines > 0, row.lines > 0));
        if (const auto& r = outcome.refined) {
            EXPECT_EQ(r->evaluations, muted);
            EXPECT_EQ(std::tuple(bool(r->gradientUnreliable[0]), bool(r->hessianUnreliable[0][0])),
                      std::tuple(row.unreliable, row.unreliable));
            EXPECT_LE(std::fabs(r->gradient[0] - row.gradient), r->gradientError[0]);
            if (row.f == +any) {  // estimates that agree exactly leave the rounding floor 10 eps |f| / (s / 16)
                EXPECT_NEAR(r->gradientError[0], 160 * DBL_EPSILON, 1e-16);
            }
        }
        ASSERT_EQ(outcome.message.has_value(), row.message.has_value());
        if (row.message) {
            EXPECT_EQ(outcome.message->title, row.message->title);
            EXPECT_EQ(outcome.message->text, row.message->text);
        }
        EXPECT_EQ(dim.Varx, row.point);
    }
}

}  // namespace
}  // namespace slopekit
