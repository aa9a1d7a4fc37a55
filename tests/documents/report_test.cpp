#include "derivatives/problem_fixture.h"
#include "documents/report.h"
#include "numbers/locale_guard.h"

#include <gtest/gtest.h>

#include <optional>

namespace slopekit {
namespace {

using testing::LocaleGuard;
using testing::makeProblem;

const char* const Announced = "announced";

// x^2 at the point; counts the evaluations outside the refinement (which runs muted) and
// fails once a set count is reached.
struct FakeEngine {
    Dimension& dim;
    int evaluations = 0;
    int failAt = -1;
    const char* failSource = "Engine";
    bool muted = false;

    ComputeHooks hooks()
    {
        return {[] {},
                [this] {
                    if (!muted && ++evaluations == failAt)
                        throw RunError(11, failSource);
                    return dim.Varx[0] * dim.Varx[0];
                },
                [](const RunError& e) { return e.source() == Announced; },
                [](const RunError& e) { return "error " + std::to_string(e.number()); },
                nullptr,
                [this](bool m) { muted = m; }};
    }
};

const ReportInputs Inputs{"x^2", {"3"}, {}, {}, false};

TEST(Report, ComputesFirstWhenNoResultsAreShownThenReportsThemAsTheyStand)
{
    LocaleGuard point(".", ",");
    Dimension dim = makeProblem({"x"}, {0});
    FakeEngine engine{dim};

    const ReportOutcome first = buildReport(dim, engine.hooks(), Inputs);
    EXPECT_EQ(engine.evaluations, 8 + 1 + 1 + 1);  // the computation, then the report's value
    EXPECT_TRUE(dim.ResultsShown);
    ASSERT_EQ(first.computedLines.size(), 3u);
    EXPECT_EQ(first.computedLines[0], "Function = 9");
    ASSERT_EQ(first.lines.size(), 14u);
    EXPECT_EQ(first.lines[7], "x = 3 ");
    EXPECT_EQ(first.lines[9], "FUNCTION = 9 ");
    EXPECT_EQ(first.lines[11].substr(0, 5), "Dx = ");
    EXPECT_FALSE(first.message);

    const ReportOutcome second = buildReport(dim, engine.hooks(), {"x^2", {"5"}, {}, {}, false});
    EXPECT_EQ(engine.evaluations, 12);  // only the report's value
    EXPECT_TRUE(second.computedLines.empty());
    EXPECT_EQ(second.lines[7], "x = 3 ");  // the point of the shown results
}

TEST(Report, AFailureGivesItsOneMessageAndNoReport)
{
    struct Case {
        const char* name;
        int failAt;
        const char* source;
        std::optional<std::string> message;
        bool computed;
    };
    const Case cases[] = {
        {"computation_fails", 3, "Engine", "error 11", false},
        {"computation_fails_announced", 3, Announced, std::nullopt, false},
        {"report_value_fails", 11, "Engine", "error 11", true},
    };
    for (const Case& c : cases) {
        Dimension dim = makeProblem({"x"}, {0});
        FakeEngine engine{dim, 0, c.failAt, c.source};
        const ReportOutcome outcome = buildReport(dim, engine.hooks(), Inputs);
        EXPECT_TRUE(outcome.lines.empty()) << c.name;
        EXPECT_EQ(outcome.message ? std::optional(outcome.message->text) : std::nullopt, c.message) << c.name;
        EXPECT_EQ(!outcome.computedLines.empty(), c.computed) << c.name;
        EXPECT_EQ(dim.ResultsShown, c.computed) << c.name;
    }
}

}  // namespace
}  // namespace slopekit
